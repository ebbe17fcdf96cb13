#!/usr/bin/python3
"""The web page's start-up in headless Chromium, against a static page.

For each load: first paint (first contentful paint) and the moment the page
is usable, the first moment a click on "Calculate Fix" gives the fix; for
the static page, which is the page's window as plain markup with no script,
usable is its load event. Loads alternate page, static page, page, ... and
the medians are printed for four cases: full CPU and CPU slowed 4x (a
phone), each cold (past the HTTP cache and the service worker, a first
visit) and warm (a repeat open, cache and service worker in use). Then the
site's size, raw and gzipped, images apart.

    bench/web_startup.py [SITE] [RUNS]      (defaults: build/web/site, 15)

Needs the built site (make web) and Chromium, chromedriver and Selenium
(tools/packages.txt).
"""

import gzip
import shutil
import statistics
import sys
import tempfile
from pathlib import Path

from selenium.webdriver.support.ui import WebDriverWait

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE.parent / "tests" / "ui" / "web"))
from page_session import PageSession  # noqa: E402

PLAIN = "plain.html"
IMAGES = (".png",)
# Beside the page for the zip, not code: its licence and notices.
LEGAL = ("LICENSE", "THIRD-PARTY-NOTICES.txt")

# Runs before any of the page's own scripts. It tries a click whenever the
# document changes (as a microtask, so right after the program's start-up
# task) and every few milliseconds besides, and notes the first that gives
# the fix. Not on the static page, which has nothing to click.
MARK_USABLE = """
if (!location.pathname.endsWith('/%s')) {
  const tryClick = () => {
    if (window.usableAt !== undefined) return true;
    const button = document.getElementById('Command1');
    const fix = document.getElementById('FixLL');
    if (!button || !fix) return false;
    button.click();
    if (fix.value === '') return false;
    window.usableAt = performance.now();
    return true;
  };
  new MutationObserver(tryClick).observe(document, {subtree: true, childList: true, attributes: true});
  const poll = () => { if (!tryClick()) setTimeout(poll, 4); };
  setTimeout(poll, 0);
}
""" % PLAIN

# First contentful paint, and usable: the click's moment, or the load event.
TIMES = """
const paint = performance.getEntriesByName('first-contentful-paint')[0];
const nav = performance.getEntriesByType('navigation')[0];
const usable = arguments[0] ? nav.loadEventEnd && nav.loadEventStart : window.usableAt;
return paint && usable ? [paint.startTime, usable] : null;
"""


def plain_page(browser, url):
    """The page's window as plain markup once started: the same elements,
    no script, no report dialog."""
    browser.open(url)
    return browser.driver.execute_script("""
        const copy = document.documentElement.cloneNode(true);
        copy.querySelectorAll('script, meta[http-equiv], dialog').forEach(e => e.remove());
        copy.querySelector('#Time1').setAttribute('autofocus', '');
        return '<!DOCTYPE html>\\n' + copy.outerHTML;""")


def load(browser, url, plain):
    browser.driver.get(url)
    return WebDriverWait(browser.driver, 60, poll_frequency=0.02).until(
        lambda d: d.execute_script(TIMES, plain))


def measure(browser, url, runs):
    """Medians of first paint and usable, page and static page alternating."""
    page, plain = [], []
    for _ in range(runs):
        page.append(load(browser, url, False))
        plain.append(load(browser, url + PLAIN, True))
    return [statistics.median(t[i] for t in times) for times in (page, plain) for i in (0, 1)]


def site_size(site):
    files = [f for f in sorted(site.iterdir())
             if f.is_file() and f.suffix not in IMAGES and f.name not in LEGAL]
    raw = sum(f.stat().st_size for f in files)
    packed = sum(len(gzip.compress(f.read_bytes(), 9)) for f in files)
    return raw, packed, [f.name for f in files]


def main(argv):
    site = Path(argv[1] if len(argv) > 1 else "build/web/site")
    runs = int(argv[2]) if len(argv) > 2 else 15
    work = Path(tempfile.mkdtemp(prefix="quorvel-bench-"))
    rows = []
    try:
        shutil.copytree(site, work, dirs_exist_ok=True)
        with PageSession(work) as (server, browser):
            d = browser.driver
            browser.viewport(1000, 700)
            (work / PLAIN).write_text(plain_page(browser, server.url), encoding="utf-8")
            d.execute_cdp_cmd("Network.enable", {})
            d.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": MARK_USABLE})
            for rate in (1, 4):
                d.execute_cdp_cmd("Emulation.setCPUThrottlingRate", {"rate": rate})
                for warm in (False, True):
                    d.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": not warm})
                    d.execute_cdp_cmd("Network.setBypassServiceWorker", {"bypass": not warm})
                    # One load of each first: a warm open is a repeat one.
                    load(browser, server.url, False)
                    load(browser, server.url + PLAIN, True)
                    rows.append((rate, warm, measure(browser, server.url, runs)))
    finally:
        shutil.rmtree(work, ignore_errors=True)

    print(f"median of {runs} alternating loads, ms from navigation start;"
          " usable: a click gives the fix (static page: its load event)")
    print(f"{'':26} {'first paint page/static':>28} {'usable page/static load':>28}")
    for rate, warm, (paint, usable, plain_paint, plain_load) in rows:
        what = f"CPU {'full' if rate == 1 else f'/{rate}'}, {'warm (repeat)' if warm else 'cold (first)'}"
        print(f"{what:26} {paint:8.0f} / {plain_paint:4.0f} ({paint / plain_paint:4.2f}x)"
              f"      {usable:8.0f} / {plain_load:4.0f} ({usable / plain_load:4.2f}x)")
    raw, packed, names = site_size(site)
    print(f"site code ({', '.join(names)}): {raw} bytes raw, {packed} gzip -9")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
