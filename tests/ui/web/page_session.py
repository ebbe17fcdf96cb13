"""The page served from a local HTTP server and opened in headless Chromium.

Both are started here and stopped on leaving the `with` block, whatever
happens, so a test run leaves nothing running. Debian's chromium and
chromedriver with python3-selenium; a fresh profile every time.
"""

import functools
import http.server
import shutil
import socket
import subprocess
import sys
import tempfile
import threading
import time
from contextlib import closing
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

        class Handler(http.server.SimpleHTTPRequestHandler):
            def do_GET(self):
                if self.path.split("?")[0] == held:
                    released.wait(60)
                try:
                    super().do_GET()
                except ConnectionError:
                    pass  # the browser went on without it

            def log_message(self, *args):
                pass

        self.httpd = http.server.ThreadingHTTPServer(
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

    def __init__(self, page_load="normal"):
        """page_load "eager": get() and every command wait for the document,
        not for its scripts and images."""
        self.profile = tempfile.mkdtemp(prefix="quorvel-chromium-")
        options = webdriver.ChromeOptions()
        options.binary_location = CHROMIUM
        options.page_load_strategy = page_load
        for flag in ("--headless=new", "--no-sandbox", "--disable-gpu",
                     "--disable-dev-shm-usage", "--disable-background-networking",
                     "--disable-component-update", "--disable-sync", "--no-first-run",
                     "--disable-default-apps", "--disable-extensions",
                     "--window-size=1000,700", f"--user-data-dir={self.profile}"):
            options.add_argument(flag)
        options.set_capability("goog:loggingPrefs", {"browser": "ALL", "performance": "ALL"})
        try:
            self.driver = webdriver.Chrome(service=Service(CHROMEDRIVER), options=options)
        except Exception:
            shutil.rmtree(self.profile, ignore_errors=True)
            raise

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
