"""The page's offline copy, in headless Chromium: after one visit the page
loads and calculates with the server gone, and a new build replaces the
copy at the next visit with a connection.

    offline_copy_test.py --site DIR --fix TEXT

TEXT is the fix the starting entries give in an en-US browser.
"""

import argparse
import re
import shutil
import sys
import tempfile
import unittest
from pathlib import Path

from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

sys.path.insert(0, str(Path(__file__).resolve().parent))
from page_session import Browser, SiteServer  # noqa: E402

ARGS = None
CACHE_LINE = re.compile(r'^const CACHE = "([^"]*)";$', re.MULTILINE)


class OfflineCopyTest(unittest.TestCase):
    def setUp(self):
        # A copy of the site, so a "new build" can be made of it here.
        self.site = Path(tempfile.mkdtemp(prefix="quorvel-site-"))
        shutil.copytree(ARGS.site, self.site, dirs_exist_ok=True)
        self.server = SiteServer(self.site).start()
        self.addCleanup(shutil.rmtree, self.site, ignore_errors=True)
        self.addCleanup(self.server.stop)
        self.browser = Browser()
        self.addCleanup(self.browser.close)
        self.driver = self.browser.driver
        self.driver.execute_cdp_cmd("Emulation.setLocaleOverride", {"locale": "en-US"})

    def caches(self):
        return self.driver.execute_async_script(
            "const done = arguments[0]; caches.keys().then(done);")

    def wait_for_copy(self, cache):
        """Until the page is under a service worker that keeps the named cache."""
        WebDriverWait(self.driver, 30).until(lambda d: d.execute_script(
            "return navigator.serviceWorker.controller !== null;"))
        WebDriverWait(self.driver, 30).until(lambda d: self.caches() == [cache])

    def calculate(self):
        self.driver.find_element(By.ID, "Command1").click()
        return self.driver.find_element(By.ID, "FixLL").get_attribute("value")

    def test_with_the_server_gone_the_page_still_loads_and_calculates(self):
        cache = CACHE_LINE.search((self.site / "sw.js").read_text())[1]
        self.browser.open(self.server.url)
        self.wait_for_copy(cache)
        self.server.stop()
        self.driver.refresh()
        self.browser.wait_ready()
        self.assertEqual(self.calculate(), ARGS.fix)

    def test_a_new_build_replaces_the_copy_at_the_next_visit(self):
        sw = self.site / "sw.js"
        old = CACHE_LINE.search(sw.read_text())[1]
        self.browser.open(self.server.url)
        self.wait_for_copy(old)

        # What a rebuild with a changed file does: a new style sheet, and a
        # service worker naming a new cache.
        new = old + "-next"
        with open(self.site / "quorvel.css", "a", encoding="utf-8") as css:
            css.write("\n.next-build { display: none; }\n")
        sw.write_text(CACHE_LINE.sub(f'const CACHE = "{new}";', sw.read_text()))
        self.browser.open(self.server.url)
        self.wait_for_copy(new)

        self.server.stop()
        self.driver.refresh()
        self.browser.wait_ready()
        self.assertTrue(self.driver.execute_script(
            "return [...document.styleSheets].some(s => [...s.cssRules]"
            ".some(r => r.selectorText === '.next-build'));"))
        self.assertEqual(self.calculate(), ARGS.fix)


def main():
    global ARGS
    parser = argparse.ArgumentParser()
    parser.add_argument("--site", required=True)
    parser.add_argument("--fix", required=True)
    ARGS, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0], *rest], verbosity=2)


if __name__ == "__main__":
    main()
