#!/usr/bin/python3
"""The web page's start-up and click in headless Chromium.

From navigation to the window being usable (its controls made and the focus
in Time1) for the page, against a plain HTML page with the same elements
already in its markup and no WebAssembly, taken in turn in the same browser;
then the time of one click on "Calculate Fix". Each load goes past the HTTP
cache and the service worker, as a first visit over a fast network would.
Prints the medians.

    bench/web_startup.py [SITE] [RUNS]      (defaults: build/web/site, 15)

Needs the built site (make web) and Chromium, chromedriver and Selenium
(tools/packages.txt).
"""

import shutil
import statistics
import sys
import tempfile
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE.parent / "tests" / "ui" / "web"))
from page_session import PageSession  # noqa: E402

# Set by the page itself, before any of its scripts: when Time1 first takes
# the focus, in milliseconds from the start of the navigation.
MARK_READY = """
document.addEventListener('focusin', (event) => {
  if (event.target.id === 'Time1' && window.usableAt === undefined) {
    window.usableAt = performance.now();
  }
}, true);
"""


def plain_page(browser, url):
    """The page's window as plain markup: the same elements, no script."""
    browser.open(url)
    html = browser.driver.execute_script("""
        const copy = document.documentElement.cloneNode(true);
        copy.querySelectorAll('script, meta[http-equiv]').forEach(e => e.remove());
        copy.querySelector('#Time1').setAttribute('autofocus', '');
        return '<!DOCTYPE html>\\n' + copy.outerHTML;""")
    return html


def usable_after(browser, url):
    browser.driver.get(url)
    browser.wait_ready()
    return browser.driver.execute_script("return window.usableAt;")


def main(argv):
    site = Path(argv[1] if len(argv) > 1 else "build/web/site")
    runs = int(argv[2]) if len(argv) > 2 else 15
    work = Path(tempfile.mkdtemp(prefix="quorvel-bench-"))
    try:
        shutil.copytree(site, work, dirs_exist_ok=True)
        with PageSession(work) as (server, browser):
            d = browser.driver
            browser.viewport(1000, 700)
            (work / "plain.html").write_text(plain_page(browser, server.url), encoding="utf-8")
            d.execute_cdp_cmd("Network.enable", {})
            d.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": True})
            d.execute_cdp_cmd("Network.setBypassServiceWorker", {"bypass": True})
            d.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": MARK_READY})
            page, plain = [], []
            usable_after(browser, server.url)  # warm-up
            for _ in range(runs):
                page.append(usable_after(browser, server.url))
                plain.append(usable_after(browser, server.url + "plain.html"))

            browser.open(server.url)
            clicks = d.execute_script("""
                const button = document.getElementById('Command1');
                const times = [];
                for (let i = 0; i < arguments[0]; ++i) {
                    const start = performance.now();
                    button.click();
                    times.push(performance.now() - start);
                }
                return times;""", 200)
            fix = d.find_element("id", "FixLL").get_attribute("value")
    finally:
        shutil.rmtree(work, ignore_errors=True)

    page_ms, plain_ms = statistics.median(page), statistics.median(plain)
    print(f"navigation to usable window, median of {runs}:")
    print(f"  Quorvel page (WebAssembly): {page_ms:7.1f} ms")
    print(f"  plain HTML, same elements:  {plain_ms:7.1f} ms  (page / plain = {page_ms / plain_ms:.2f})")
    print(f"one click on Calculate Fix, median of {len(clicks)}: {statistics.median(clicks):.3f} ms"
          f" (the timer's resolution is coarse; fix {fix!r})")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
