"""The page served from a local HTTP server and opened in a browser: headless
Chromium, headless Firefox ESR or WebKitGTK under Xvfb (QUORVEL_WEB_ENGINE).

Both are started here and stopped on leaving the `with` block, whatever
happens, so a test run leaves nothing running. Debian's chromium and
chromedriver, firefox-esr, and webkit2gtk-driver with its MiniBrowser, with
python3-selenium and python3-websocket; a fresh profile every time. Link serves
the site in-process over a link that can be good, gone, slow or dead, for
the offline copy's tests and bench/web_links.py.
"""

import functools
import io
import json
import os
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import threading
import time
import unittest
from contextlib import closing
from http.server import SimpleHTTPRequestHandler, ThreadingHTTPServer
from pathlib import Path

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.support.ui import WebDriverWait
from selenium.webdriver.webkitgtk.options import Options as WebKitGTKOptions

from bidi_driver import BiDiDriver

CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"
# The window counts as usable once the program has attached to it: the page
# marks Calculate Fix unavailable until then.
WINDOW_READY = ("const b = document.getElementById('Command1');"
                "return b !== null && !b.hasAttribute('aria-disabled');")
STARTING_FOCUS = "return document.activeElement !== document.body;"
# A click on Calculate Fix, as a user's; returns what FixLL then shows ('' for
# a page whose window is not there yet).
CLICK_FIX = """
const button = document.getElementById('Command1');
const fix = document.getElementById('FixLL');
if (!button || !fix) return '';
button.click();
return fix.value;"""


def free_port():
    with closing(socket.socket(socket.AF_INET, socket.SOCK_STREAM)) as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class SiteServer:
    """python3 -m http.server over the site folder, on a free loopback port."""

    def __init__(self, site, port=None):
        self.site = Path(site)
        self.port = port or free_port()
        self.process = None

    @property
    def url(self):
        # A loopback address is a secure context: the service worker works.
        return f"http://127.0.0.1:{self.port}/"

    def start(self):
        self.process = subprocess.Popen(
            [sys.executable, "-m", "http.server", "--bind", "127.0.0.1", str(self.port),
             "--directory", str(self.site)],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        deadline = time.monotonic() + 20
        while time.monotonic() < deadline:
            try:
                with socket.create_connection(("127.0.0.1", self.port), timeout=1):
                    return self
            except OSError:
                time.sleep(0.05)
        self.stop()
        raise RuntimeError(f"the HTTP server on port {self.port} did not start")

    def stop(self):
        if self.process is not None:
            self.process.terminate()
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
            self.process = None


# The links a navigator meets, as Link serves them. "slow" is a satellite-like
# link: 1.2 s round trip, then 300 bytes a second shared by every download.
LINKS = {
    "good": "good",
    "none": "none (connection refused)",
    "slow": "satellite-like: 1.2 s round trip, 300 bytes/s",
    "dead": "up but dead: accepts, never answers",
}
SLOW_ROUND_TRIP = 1.2
SLOW_BYTES_PER_SECOND = 300
# "breaks" serves every file whole but this one, which stops half-way with
# the connection closed: a link that drops during a download.
BROKEN_FILE = "quorvel.js"


class Link:
    """The site on one loopback port (one origin) over a link whose kind can
    change between opens: a kind of LINKS, or "breaks". Every request's path
    is kept in `requests`, in the order they came."""

    def __init__(self, site):
        self.site = Path(site)
        self.port = free_port()
        self.kind = "none"
        self.requests = []
        self._server = None
        self._release = threading.Event()
        self._line = threading.Lock()
        self._line_free_at = 0.0

    @property
    def url(self):
        return f"http://127.0.0.1:{self.port}/"

    def set(self, kind):
        if kind not in LINKS and kind != "breaks":
            raise ValueError(kind)
        # Lets go of the connections a dead link held, as a link that comes
        # back (or goes) does.
        self._release.set()
        self._release = threading.Event()
        self.kind = kind
        if kind == "none":
            self._close()
        elif self._server is None:
            handler = functools.partial(_LinkHandler, directory=str(self.site))
            self._server = _LinkServer(("127.0.0.1", self.port), handler)
            self._server.link = self
            threading.Thread(target=self._server.serve_forever, daemon=True).start()
        return self

    def stop(self):
        self.set("none")

    def _close(self):
        if self._server is not None:
            self._server.shutdown()
            self._server.server_close()
            self._server = None

    def _send_slowly(self, wfile, data):
        # One line for every download at once, as on a real slow link.
        for start in range(0, len(data), 30):
            chunk = data[start:start + 30]
            with self._line:
                begin = max(time.monotonic(), self._line_free_at)
                self._line_free_at = begin + len(chunk) / SLOW_BYTES_PER_SECOND
            time.sleep(max(0.0, self._line_free_at - time.monotonic()))
            wfile.write(chunk)
            wfile.flush()


class _LinkHandler(SimpleHTTPRequestHandler):
    def do_GET(self):
        link = self.server.link
        kind, release = link.kind, link._release
        link.requests.append(self.path)
        if kind == "dead":
            release.wait()
            self.close_connection = True
            return
        real, self.wfile = self.wfile, io.BytesIO()
        try:
            super().do_GET()
        finally:
            data, self.wfile = self.wfile.getvalue(), real
        if kind == "breaks" and self.path.lstrip("/") == BROKEN_FILE:
            data = data[:len(data) // 2]
            self.close_connection = True
        if kind == "slow":
            time.sleep(SLOW_ROUND_TRIP)
            link._send_slowly(real, data)
        else:
            real.write(data)

    def log_message(self, *args):
        pass


class _LinkServer(ThreadingHTTPServer):
    daemon_threads = True

    def handle_error(self, request, client_address):
        pass  # a browser that gave up on a download: nothing to report


class HoldingSiteServer(SiteServer):
    """The site served from this process, holding back the answer for one of
    its files until release(): the page as it is before its program came."""

    def __init__(self, site, held):
        super().__init__(site)
        self.held = "/" + held
        self.released = threading.Event()
        self.httpd = None

    def start(self):
        held, released = self.held, self.released

        class Handler(SimpleHTTPRequestHandler):
            def do_GET(self):
                if self.path.split("?")[0] == held:
                    released.wait(60)
                try:
                    super().do_GET()
                except ConnectionError:
                    pass  # the browser went on without it

            def log_message(self, *args):
                pass

        self.httpd = ThreadingHTTPServer(
            ("127.0.0.1", self.port), functools.partial(Handler, directory=str(self.site)))
        threading.Thread(target=self.httpd.serve_forever, daemon=True).start()
        return self

    def release(self):
        self.released.set()

    def stop(self):
        self.released.set()
        if self.httpd is not None:
            self.httpd.shutdown()
            self.httpd.server_close()
            self.httpd = None


# The engines the page is tested in, and the one a test's Browser() starts:
# CTest runs each per-engine test once in each (tests/ui/web/CMakeLists.txt).
ENGINES = ("chromium", "firefox", "webkit")
ENGINE = os.environ.get("QUORVEL_WEB_ENGINE", "chromium")
if ENGINE not in ENGINES:
    raise SystemExit(f"QUORVEL_WEB_ENGINE={ENGINE}: not one of {', '.join(ENGINES)}")
# The device's appearances.
APPEARANCES = ("light", "dark", "forced colours")
FIREFOX = "/usr/bin/firefox-esr"
WEBKIT_DRIVER = "/usr/bin/WebKitWebDriver"
# Debian's MiniBrowser, which WebKitWebDriver drives (webkit2gtk-driver).
MINIBROWSER = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
START_SECONDS = 60
# Narrower than this, the page takes its one-column arrangement (quorvel.css).
NARROW = 604


def Browser(page_load="normal", back_forward_cache=True, storage=True, engine=None):
    """The browser of the test's engine (ENGINE unless given), with a profile
    of its own, deleted by close(). Each offers driver (Selenium's WebDriver,
    or the same calls over WebDriver BiDi), open, wait_ready, viewport,
    set_locale, set_appearance, add_script_before_page, console_errors,
    restart and close.

    page_load "eager": get() and every command wait for the document, not
    for its scripts and images; "none": get() returns at once, for a page
    that may never load. Without the back-forward cache a history visit
    loads the page again, as a discarded tab does. Without storage the
    browser's settings refuse sites their local storage, as a user who blocks
    site data does."""
    kind = {"chromium": Chromium, "firefox": Firefox, "webkit": WebKit}[engine or ENGINE]
    return kind(page_load, back_forward_cache, storage)


class _Engine:
    name = ""
    appearances = APPEARANCES
    # Whether what the page stored outlives the browser (restart).
    keeps_profile = True

    def __init__(self, page_load, back_forward_cache, storage):
        self.page_load = page_load
        self.back_forward_cache = back_forward_cache
        self.storage = storage
        self.profile = tempfile.mkdtemp(prefix=f"quorvel-{self.name}-")
        self.locale = "en-US"
        self.appearance = "light"
        self.size = None
        self.driver = None
        try:
            self.start()
        except Exception:
            self.stop()
            shutil.rmtree(self.profile, ignore_errors=True)
            raise

    def restart(self):
        """The browser ended and started again on the same profile, as a
        phone ends an installed app and the navigator opens it again."""
        if not self.keeps_profile:
            self.unsupported("keep a profile across a restart (its automation sessions are "
                             "ephemeral: the page's storage and worker end with the browser)")
        self.relaunch()

    def relaunch(self):
        self.stop()
        self.start()

    def close(self):
        try:
            self.stop()
        finally:
            shutil.rmtree(self.profile, ignore_errors=True)

    def open(self, url):
        """Loads the page and waits until its window is usable and has its
        starting focus."""
        self.driver.get(url)
        self.wait_ready()
        # The starting focus (autofocus) is given at the page's first frame,
        # which a loaded WebKitGTK makes after the program has attached: keys
        # typed or a scroll made before it would be taken over by it, as no
        # person's can, who sees the window only from that frame on.
        WebDriverWait(self.driver, 30).until(lambda d: d.execute_script(STARTING_FOCUS))

    def wait_ready(self, timeout=30):
        WebDriverWait(self.driver, timeout).until(lambda d: d.execute_script(WINDOW_READY))

    def save_screenshot(self, path):
        """The page as shown, once its last change has been painted (WebKitGTK
        gives an older frame otherwise)."""
        self.driver.execute_async_script(
            "requestAnimationFrame(() => requestAnimationFrame(arguments[0]));")
        self.driver.save_screenshot(path)

    def unsupported(self, what):
        raise unittest.SkipTest(f"{self.title} has no way to {what}")


class Chromium(_Engine):
    """Headless Chromium through chromedriver; the rest through its DevTools."""

    name = "chromium"
    title = "Chromium"

    def start(self):
        options = webdriver.ChromeOptions()
        options.binary_location = CHROMIUM
        options.page_load_strategy = self.page_load
        for flag in ("--headless=new", "--no-sandbox", "--disable-gpu",
                     "--disable-dev-shm-usage", "--disable-background-networking",
                     "--disable-component-update", "--disable-sync", "--no-first-run",
                     "--disable-default-apps", "--disable-extensions",
                     "--window-size=1000,700", f"--user-data-dir={self.profile}"):
            options.add_argument(flag)
        if not self.back_forward_cache:
            options.add_argument("--disable-features=BackForwardCache")
        if not self.storage:
            # Site data blocked: every use of localStorage throws.
            options.add_experimental_option(
                "prefs", {"profile.default_content_setting_values.cookies": 2})
        options.set_capability("goog:loggingPrefs", {"browser": "ALL", "performance": "ALL"})
        self.driver = webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)
        # What the browser's settings were before it ended.
        if self.locale != "en-US":
            self.set_locale(self.locale)
        if self.appearance != "light":
            self.set_appearance(self.appearance)

    def stop(self):
        if self.driver is not None:
            self.driver.quit()
            self.driver = None

    def viewport(self, width, height):
        """Exactly this many CSS pixels of page, whatever the window around it."""
        self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": height, "deviceScaleFactor": 1, "mobile": False})

    def set_locale(self, locale):
        """The browser's language and regional settings, for the next open."""
        self.driver.execute_cdp_cmd("Emulation.setLocaleOverride", {"locale": locale})
        self.locale = locale

    def set_appearance(self, appearance):
        """One of APPEARANCES, for the next open."""
        features = {"light": [],
                    "dark": [{"name": "prefers-color-scheme", "value": "dark"}],
                    "forced colours": [{"name": "forced-colors", "value": "active"}]}
        self.driver.execute_cdp_cmd("Emulation.setEmulatedMedia",
                                    {"features": features[appearance]})
        self.appearance = appearance

    def add_script_before_page(self, source):
        """Runs in every document from the next open, before the page's own
        scripts; returns what remove_script_before_page takes."""
        return self.driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument",
                                           {"source": source})["identifier"]

    def remove_script_before_page(self, handle):
        self.driver.execute_cdp_cmd("Page.removeScriptToEvaluateOnNewDocument",
                                    {"identifier": handle})

    def console_errors(self):
        """The console's errors since the last call, each as its text."""
        return [e["message"] for e in self.driver.get_log("browser") if e["level"] == "SEVERE"]


class _OwnProcesses:
    """Processes a browser runs in, each in a process group of its own,
    ended with everything they started."""

    def __init__(self):
        self.processes = []

    def spawn(self, command, log, **kwargs):
        process = subprocess.Popen(command, stdin=subprocess.DEVNULL, stdout=log,
                                   stderr=subprocess.STDOUT, start_new_session=True, **kwargs)
        self.processes.append(process)
        return process

    def end(self, process, seconds=15):
        if process.poll() is None:
            try:
                process.wait(timeout=seconds)
            except subprocess.TimeoutExpired:
                pass
        for sig in (signal.SIGTERM, signal.SIGKILL):
            try:
                os.killpg(process.pid, sig)
            except ProcessLookupError:
                break
            try:
                process.wait(timeout=5)
                break
            except subprocess.TimeoutExpired:
                pass
        try:
            os.killpg(process.pid, signal.SIGKILL)  # what the leader left behind
        except ProcessLookupError:
            pass
        self.processes.remove(process)


def wait_for_port(port, process, what):
    deadline = time.monotonic() + START_SECONDS
    while time.monotonic() < deadline:
        if process.poll() is not None:
            raise RuntimeError(f"{what} ended as it started")
        try:
            with socket.create_connection(("127.0.0.1", port), timeout=1):
                return
        except OSError:
            time.sleep(0.05)
    raise RuntimeError(f"{what} did not start within {START_SECONDS} s")


class Firefox(_Engine):
    """Headless Firefox ESR over the WebDriver BiDi it speaks itself. What it
    has no command for is a preference in the profile's user.js, read at
    each start: a change of appearance restarts the browser."""

    name = "firefox"
    title = "Firefox"
    PREFERENCES = {
        # No first-run pages, updates or reports: nothing but the test's own
        # requests (on top of what Firefox sets for automation itself).
        "browser.shell.checkDefaultBrowser": False,
        "browser.startup.homepage_override.mstone": "ignore",
        "browser.aboutwelcome.enabled": False,
        "app.update.disabledForTesting": True,
        "datareporting.policy.dataSubmissionEnabled": False,
        "toolkit.telemetry.reportingpolicy.firstRun": False,
        "network.captive-portal-service.enabled": False,
        "network.connectivity-service.enabled": False,
        "browser.safebrowsing.update.enabled": False,
        "extensions.update.enabled": False,
        "browser.sessionstore.resume_from_crash": False,
        # Each test sees its own server: no proxy in between.
        "network.proxy.type": 0,
    }

    def __init__(self, page_load, back_forward_cache, storage):
        self.own = _OwnProcesses()
        self.process = None
        self.scripts = {}
        self.log = tempfile.TemporaryFile()
        super().__init__(page_load, back_forward_cache, storage)

    def preferences(self):
        prefs = dict(self.PREFERENCES)
        # 0 dark, 1 light: the page's prefers-color-scheme.
        prefs["layout.css.prefers-color-scheme.content-override"] = (
            0 if self.appearance == "dark" else 1)
        # 2: the user's colours always, which is forced colours.
        prefs["browser.display.document_color_use"] = (
            2 if self.appearance == "forced colours" else 0)
        if not self.back_forward_cache:
            prefs["browser.sessionhistory.max_total_viewers"] = 0
            prefs["fission.bfcacheInParent"] = False
        if not self.storage:
            # window.localStorage is then null.
            prefs["dom.storage.enabled"] = False
        return prefs

    def start(self):
        with open(os.path.join(self.profile, "user.js"), "w", encoding="utf-8") as f:
            for name, value in self.preferences().items():
                f.write(f"user_pref({json.dumps(name)}, {json.dumps(value)});\n")
        port = free_port()
        self.process = self.own.spawn(
            [FIREFOX, "--headless", "--no-remote", f"--remote-debugging-port={port}",
             "--profile", self.profile, "about:blank"], self.log,
            env=dict(os.environ, MOZ_CRASHREPORTER_DISABLE="1"))
        wait_for_port(port, self.process, "Firefox")
        self.driver = BiDiDriver(f"ws://127.0.0.1:{port}/session", self.page_load)
        self.set_locale(self.locale)
        self.viewport(*(self.size or (1000, 700)))
        for handle, source in list(self.scripts.items()):
            del self.scripts[handle]
            self.scripts[self._add_script(source)] = source
        self.driver.console_errors()

    def stop(self):
        if self.driver is not None:
            self.driver.quit()
            self.driver = None
        if self.process is not None:
            self.own.end(self.process)
            self.process = None

    def viewport(self, width, height):
        self.driver.session.command("browsingContext.setViewport", {
            "context": self.driver.context, "viewport": {"width": width, "height": height}})
        self.size = (width, height)

    def set_locale(self, locale):
        self.driver.session.command("emulation.setLocaleOverride",
                                    {"locale": locale, "userContexts": ["default"]})
        self.locale = locale

    def set_appearance(self, appearance):
        if appearance != self.appearance:
            self.appearance = appearance
            self.relaunch()

    def _add_script(self, source):
        return self.driver.session.command("script.addPreloadScript", {
            "functionDeclaration": f"() => {{\n{source}\n}}"})["script"]

    def add_script_before_page(self, source):
        handle = self._add_script(source)
        self.scripts[handle] = source
        return handle

    def remove_script_before_page(self, handle):
        self.driver.session.command("script.removePreloadScript", {"script": handle})
        del self.scripts[handle]

    def console_errors(self):
        return self.driver.console_errors()


class WebKit(_Engine):
    """WebKitGTK's MiniBrowser through WebKitWebDriver, on an Xvfb display of
    its own. The language and the dark appearance are the browser's
    surroundings at start (its locale from the test locales the build
    generates, QUORVEL_WEB_LOCPATH), so changing them restarts it."""

    name = "webkit"
    title = "WebKitGTK"
    # Safari's engine has no forced colours.
    appearances = ("light", "dark")
    # MiniBrowser --automation stores nothing on disk.
    keeps_profile = False

    def __init__(self, page_load, back_forward_cache, storage):
        self.own = _OwnProcesses()
        self.xvfb = self.web_driver = None
        self.log = tempfile.TemporaryFile()
        self.display = None
        super().__init__(page_load, back_forward_cache, storage)

    def start_display(self):
        read, write = os.pipe()
        try:
            # -displayfd: Xvfb picks a free display and writes its number
            # once it accepts clients.
            self.xvfb = self.own.spawn(["Xvfb", "-displayfd", str(write), "-screen", "0",
                                        "1600x1200x24", "-nolisten", "tcp", "-noreset"],
                                       self.log, pass_fds=(write,))
            os.close(write)
            write = None
            number = b""
            while not number.endswith(b"\n"):
                got = os.read(read, 16)
                if not got:
                    raise RuntimeError("Xvfb did not start")
                number += got
            self.display = ":" + number.decode().strip()
        finally:
            os.close(read)
            if write is not None:
                os.close(write)

    def start(self):
        if self.xvfb is None:
            self.start_display()
        region = self.locale.replace("-", "_") + ".UTF-8"
        env = dict(os.environ, DISPLAY=self.display, LC_ALL=region, LANG=region,
                   # Its own home: nothing of the user's WebKit data.
                   HOME=self.profile, XDG_DATA_HOME=os.path.join(self.profile, "data"),
                   XDG_CACHE_HOME=os.path.join(self.profile, "cache"),
                   XDG_CONFIG_HOME=os.path.join(self.profile, "config"))
        env.pop("LANGUAGE", None)
        if os.environ.get("QUORVEL_WEB_LOCPATH"):
            env["LOCPATH"] = os.environ["QUORVEL_WEB_LOCPATH"]
        port = free_port()
        self.web_driver = self.own.spawn([WEBKIT_DRIVER, f"--port={port}"], self.log, env=env)
        wait_for_port(port, self.web_driver, "WebKitWebDriver")
        options = WebKitGTKOptions()
        options.binary_location = MINIBROWSER
        options.page_load_strategy = self.page_load
        options.add_argument("--automation")
        if not self.back_forward_cache:
            options.add_argument("--enable-page-cache=false")
        if not self.storage:
            options.add_argument("--enable-html5-local-storage=false")
        if self.appearance == "dark":
            options.add_argument("--dark-mode")
        self.driver = webdriver.Remote(command_executor=f"http://127.0.0.1:{port}", options=options)
        self.viewport(*(self.size or (1000, 700)))

    def stop(self):
        if self.driver is not None:
            try:
                self.driver.quit()
            finally:
                self.driver = None
        if self.web_driver is not None:
            self.own.end(self.web_driver, 5)
            self.web_driver = None

    def close(self):
        try:
            super().close()
        finally:
            if self.xvfb is not None:
                self.own.end(self.xvfb, 0)
                self.xvfb = None

    def viewport(self, width, height):
        # The window is the page and MiniBrowser's bar above it. The page
        # sees a new size a little after the window has it: until then a
        # click could land on the layout of the old one. The bar keeps the
        # window from being narrower than about 450 pixels of page: a
        # phone's width is given that (still the one-column arrangement).
        inner = self._inner()
        for _ in range(4):
            if inner[1] == height and (inner[0] == width or width < inner[0] < NARROW):
                self.size = (width, height)
                return
            window = self.driver.get_window_size()
            self.driver.set_window_size(window["width"] + width - inner[0],
                                        window["height"] + height - inner[1])
            inner = self._inner(changed_from=inner)
        raise RuntimeError(f"the page is {inner[0]} by {inner[1]}, not {width} by {height}")

    def _inner(self, changed_from=None):
        """The page's size once the window's last change has reached it."""
        read = "return [innerWidth, innerHeight];"
        deadline = time.monotonic() + 3
        now = self.driver.execute_script(read)
        while now == changed_from and time.monotonic() < deadline:
            time.sleep(0.05)
            now = self.driver.execute_script(read)
        while True:
            time.sleep(0.1)
            again = self.driver.execute_script(read)
            if again == now or time.monotonic() > deadline:
                return again
            now = again

    def set_locale(self, locale):
        if locale != self.locale:
            self.locale = locale
            self.relaunch()

    def set_appearance(self, appearance):
        if appearance not in self.appearances:
            self.unsupported(f"show the page in {appearance}")
        if appearance != self.appearance:
            self.appearance = appearance
            self.relaunch()

    def add_script_before_page(self, source):
        self.unsupported("run a script before the page's own (its WebDriver has no BiDi yet)")

    def console_errors(self):
        self.unsupported("read the console (its WebDriver has no log)")

class PageSession:
    """`with PageSession(site) as (server, browser):` ..."""

    def __init__(self, site):
        self.server = SiteServer(site)
        self.browser = None

    def __enter__(self):
        self.server.start()
        try:
            self.browser = Browser()
        except Exception:
            self.server.stop()
            raise
        return self.server, self.browser

    def __exit__(self, *exc):
        try:
            if self.browser is not None:
                self.browser.close()
        finally:
            self.server.stop()
        return False
