"""The page served from a local HTTP server and opened in headless Chromium.

Both are started here and stopped on leaving the `with` block, whatever
happens, so a test run leaves nothing running. Debian's chromium and
chromedriver with python3-selenium; a fresh profile every time. Link serves
the site in-process over a link that can be good, gone, slow or dead, for
the offline copy's tests and bench/web_links.py.
"""

import functools
import io
import shutil
import socket
import subprocess
import sys
import tempfile
import threading
import time
from contextlib import closing
from http.server import SimpleHTTPRequestHandler, ThreadingHTTPServer
from pathlib import Path

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.support.ui import WebDriverWait

CHROMIUM = "/usr/bin/chromium"
CHROMEDRIVER = "/usr/bin/chromedriver"
# The window counts as usable once the program has attached to it: the page
# marks Calculate Fix unavailable until then.
WINDOW_READY = ("const b = document.getElementById('Command1');"
                "return b !== null && !b.hasAttribute('aria-disabled');")
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


class Browser:
    """Headless Chromium with a profile of its own, deleted afterwards."""

    def __init__(self, page_load="normal", back_forward_cache=True):
        """page_load "eager": get() and every command wait for the document,
        not for its scripts and images; "none": get() returns at once, for a
        page that may never load. Without the back-forward cache a history
        visit loads the page again, as a discarded tab does."""
        self.profile = tempfile.mkdtemp(prefix="quorvel-chromium-")
        self.options = webdriver.ChromeOptions()
        self.options.binary_location = CHROMIUM
        self.options.page_load_strategy = page_load
        for flag in ("--headless=new", "--no-sandbox", "--disable-gpu",
                     "--disable-dev-shm-usage", "--disable-background-networking",
                     "--disable-component-update", "--disable-sync", "--no-first-run",
                     "--disable-default-apps", "--disable-extensions",
                     "--window-size=1000,700", f"--user-data-dir={self.profile}"):
            self.options.add_argument(flag)
        if not back_forward_cache:
            self.options.add_argument("--disable-features=BackForwardCache")
        self.options.set_capability("goog:loggingPrefs", {"browser": "ALL", "performance": "ALL"})
        try:
            self.start()
        except Exception:
            shutil.rmtree(self.profile, ignore_errors=True)
            raise

    def start(self):
        self.driver = webdriver.Chrome(service=Service(CHROMEDRIVER), options=self.options)

    def restart(self):
        """The browser ended and started again on the same profile, as a
        phone ends an installed app and the navigator opens it again."""
        self.driver.quit()
        self.start()

    def close(self):
        try:
            self.driver.quit()
        finally:
            shutil.rmtree(self.profile, ignore_errors=True)

    def viewport(self, width, height):
        """Exactly this many CSS pixels of page, whatever the window around it."""
        self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": height, "deviceScaleFactor": 1, "mobile": False})

    def open(self, url):
        """Loads the page and waits until its window is usable."""
        self.driver.get(url)
        self.wait_ready()

    def wait_ready(self, timeout=30):
        WebDriverWait(self.driver, timeout).until(lambda d: d.execute_script(WINDOW_READY))


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
