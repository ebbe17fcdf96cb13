#!/usr/bin/python3
"""How soon the page is usable after one visit, on the links met at sea.

One visit over a good link stores the page's copy; then the page is opened
again and again over each link (good; none, connection refused; satellite-
like, 1.2 s round trip and 300 bytes/s; up but dead, accepting and never
answering), all from the same origin, in headless Chromium. "Usable" is the
first moment a click on Calculate Fix gives the fix, from the start of the
navigation. Prints the median, least and most of each link's runs; a link
on which a run is not usable within the limit stops there.

    bench/web_links.py [SITE] [RUNS] [LIMIT_S]   (defaults: build/web/site, 7, 20)

Needs the built site (make web) and Chromium, chromedriver and Selenium
(tools/packages.txt).
"""

import os
import shutil
import statistics
import sys
import tempfile
import time
from pathlib import Path

from selenium.common.exceptions import TimeoutException
from selenium.webdriver.support.ui import WebDriverWait

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE.parent / "tests" / "ui" / "web"))
from page_session import CLICK_FIX, LINKS, Browser, Link  # noqa: E402


# In every document before its own scripts: clicks Calculate Fix every few
# milliseconds until the box shows the fix, and notes when it first did.
MARK_USABLE = """
(function poll() {
  const button = document.getElementById('Command1');
  const fix = document.getElementById('FixLL');
  if (button && fix) {
    fix.value = '';
    button.click();
    if (fix.value === %r) {
      window.usableAt = performance.now();
      return;
    }
  }
  setTimeout(poll, 2);
})();
"""


def first_visit(browser, url):
    """Opens the page over the good link, and returns the fix once its copy is stored."""
    d = browser.driver
    d.get(url)
    fix = WebDriverWait(d, 60).until(lambda d: d.execute_script(CLICK_FIX))
    WebDriverWait(d, 60).until(lambda d: d.execute_async_script("""
        const done = arguments[0];
        navigator.serviceWorker.getRegistration().then(
            (r) => done(Boolean(r && r.active && r.active.state === 'activated')));"""))
    return fix


def usable_after(browser, url, limit):
    d = browser.driver
    d.get("about:blank")
    d.get(url)
    deadline = time.monotonic() + limit
    while time.monotonic() < deadline:
        try:
            ms = d.execute_script("return window.usableAt;")
        except TimeoutException:
            continue  # chromedriver waiting on a navigation that does not end
        if ms is not None:
            return ms
        time.sleep(0.02)
    return None


def main(argv):
    site = Path(argv[1] if len(argv) > 1 else "build/web/site")
    runs = int(argv[2]) if len(argv) > 2 else 7
    limit = float(argv[3]) if len(argv) > 3 else 20.0
    print(f"load average at start: {os.getloadavg()[0]:.2f}")
    work = Path(tempfile.mkdtemp(prefix="quorvel-bench-"))
    results = {}
    link = browser = None
    try:
        shutil.copytree(site, work, dirs_exist_ok=True)
        link = Link(work).set("good")
        browser = Browser(page_load="none")
        d = browser.driver
        d.execute_cdp_cmd("Emulation.setLocaleOverride", {"locale": "en-US"})
        d.set_script_timeout(2)
        fix = first_visit(browser, link.url)
        d.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument",
                          {"source": MARK_USABLE % fix})
        for kind in LINKS:
            link.set(kind)
            times = []
            for _ in range(runs):
                ms = usable_after(browser, link.url, limit)
                times.append(ms)
                if ms is None:
                    break
            results[kind] = times
            print(f"  {kind}: {times}", file=sys.stderr)
        link.set("good")
    finally:
        if browser is not None:
            browser.close()
        if link is not None:
            link.stop()
        shutil.rmtree(work, ignore_errors=True)

    print(f"after one visit, navigation to usable (a click gives the fix), {runs} runs:")
    for kind, times in results.items():
        if None in times:
            figure = f"not within {limit:g} s"
        else:
            figure = (f"median {statistics.median(times):7.1f} ms"
                      f"  (least {min(times):.1f}, most {max(times):.1f})")
        print(f"  {LINKS[kind]:48} {figure}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
