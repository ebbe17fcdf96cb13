"""The page's offline copy, in each engine: after one visit the page
opens from its copy on any link, asking the network for nothing but the
update check; a new build takes effect at the open after the one that saw
it, and one whose download breaks half-way changes nothing.

    offline_copy_test.py --site DIR --fix TEXT

TEXT is the fix the starting entries give in an en-US browser. Every wait
is bounded (15 s), as a pass or fail, not a timing.
"""

import argparse
import hashlib
import re
import shutil
import sys
import tempfile
import unittest
from pathlib import Path

from selenium.webdriver.support.ui import WebDriverWait

sys.path.insert(0, str(Path(__file__).resolve().parent))
from page_session import BROKEN_FILE, CLICK_FIX, LINKS, Browser, Link  # noqa: E402

ARGS = None
WAIT = 15
CACHE_LINE = re.compile(r'^const CACHE = "([^"]*)";$', re.MULTILINE)
# The cache that notes which copy each open page runs, as sw.js names it.
PAGES_LINE = re.compile(r'^const PAGES = "([^"]*)";$', re.MULTILINE)
# A style rule only the test's new build has.
MARK = ".next-build"
MARKED = ("return [...document.styleSheets].some(s => [...s.cssRules]"
          f".some(r => r.selectorText === '{MARK}'));")


def cache_of(site, line=CACHE_LINE):
    return line.search((site / "sw.js").read_text())[1]


def new_build(site):
    """What a rebuild with a changed style sheet gives: the sheet, the page
    naming it by its new hash, the hashes of both in sw.js, and a new cache
    name there. Returns the new cache name."""
    css = site / "quorvel.css"
    css.write_text(css.read_text() + f"\n{MARK} {{ display: none; }}\n")
    page = site / "index.html"
    html, found = re.subn(r'href="quorvel\.css\?[0-9a-f]+"',
                          f'href="quorvel.css?{sha256(css)[:12]}"', page.read_text())
    assert found == 1, "the page names quorvel.css with its hash"
    page.write_text(html)
    sw = site / "sw.js"
    text = sw.read_text()
    for f in (css, page):
        text, found = re.subn(rf'("{re.escape(f.name)}": ")[0-9a-f]{{64}}"',
                              rf'\g<1>{sha256(f)}"', text)
        assert found == 1, f"sw.js names {f.name} with its hash"
    new = cache_of(site) + "-next"
    sw.write_text(CACHE_LINE.sub(f'const CACHE = "{new}";', text))
    return new


def sha256(path):
    return hashlib.sha256(path.read_bytes()).hexdigest()


class OfflineCopyTest(unittest.TestCase):
    def visited(self):
        """The site on a link of its own and a browser after one visit, its
        copy stored."""
        site = Path(tempfile.mkdtemp(prefix="quorvel-site-"))
        self.addCleanup(shutil.rmtree, site, ignore_errors=True)
        shutil.copytree(ARGS.site, site, dirs_exist_ok=True)
        link = Link(site).set("good")
        self.addCleanup(link.stop)
        browser = Browser()
        self.addCleanup(browser.close)
        d = browser.driver
        d.set_page_load_timeout(WAIT)
        d.get(link.url)
        self.wait_settled(d)
        self.pages = cache_of(site, PAGES_LINE)
        self.assertEqual(self.caches(d), {cache_of(site), self.pages})
        return site, link, d

    def caches(self, d):
        return set(d.execute_async_script("caches.keys().then(arguments[0]);"))

    def wait_settled(self, d):
        """Until the page's service worker is active, with none installing."""
        WebDriverWait(d, WAIT).until(lambda d: d.execute_async_script("""
            const done = arguments[0];
            navigator.serviceWorker.getRegistration().then((r) => done(Boolean(
                r && r.active && r.active.state === 'activated' && !r.installing && !r.waiting)));
        """), "no active service worker, or one still installing or waiting")

    def wait_usable(self, d):
        """Until a click on Calculate Fix gives the fix."""
        WebDriverWait(d, WAIT).until(lambda d: d.execute_script(CLICK_FIX) == ARGS.fix,
                                     "a click on Calculate Fix does not give the fix")

    def test_after_one_visit_the_page_opens_from_its_copy_on_every_link(self):
        _, link, d = self.visited()
        for kind in LINKS:
            with self.subTest(link=LINKS[kind]):
                link.set(kind)
                asked = len(link.requests)
                d.get(link.url)
                self.wait_usable(d)
                # Nothing but the browser's own update check goes out.
                self.assertLessEqual(set(link.requests[asked:]), {"/sw.js"})

    def test_a_new_build_runs_from_the_open_after_the_one_that_saw_it(self):
        # download of the new build, the open after the one that saw it,
        # whether that open runs the new build
        for download, next_open, runs_new in (
                ("good", "reload", True),
                ("good", "new tab", True),
                ("breaks", "reload", False)):
            with self.subTest(download=download, next_open=next_open):
                site, link, d = self.visited()
                # Another site's cache on the same origin, as on a shared host.
                d.execute_async_script("caches.open('another-site').then(() => arguments[0]());")
                old, new = cache_of(site), new_build(site)
                link.set(download)

                # The open that sees the new build runs the old one.
                asked = len(link.requests)
                d.refresh()
                self.wait_usable(d)
                self.assertFalse(d.execute_script(MARKED))
                WebDriverWait(d, WAIT).until(
                    lambda d: f"/{BROKEN_FILE}" in link.requests[asked:],
                    "the new build was not fetched")
                self.wait_settled(d)
                self.assertEqual(new in self.caches(d), runs_new)
                # Even with the new build in charge, this page is given its
                # own build's files, never a mix.
                css = d.execute_async_script(
                    "fetch('quorvel.css').then((r) => r.text()).then(arguments[0]);")
                self.assertFalse(MARK in css, "the open page was given the new build's sheet")

                link.set("none")
                if next_open == "new tab":
                    d.switch_to.new_window("tab")
                    d.get(link.url)
                else:
                    d.refresh()
                self.wait_usable(d)
                self.assertEqual(d.execute_script(MARKED), runs_new)

                # Once no open page runs the other build, its copy goes, and
                # only that.
                for handle in d.window_handles[:-1]:
                    d.switch_to.window(handle)
                    d.close()
                d.switch_to.window(d.window_handles[0])
                d.refresh()
                self.wait_usable(d)
                kept = {new if runs_new else old, self.pages, "another-site"}
                WebDriverWait(d, WAIT).until(lambda d: self.caches(d) == kept,
                                             f"the caches are not {kept}")


def main():
    global ARGS
    parser = argparse.ArgumentParser()
    parser.add_argument("--site", required=True)
    parser.add_argument("--fix", required=True)
    ARGS, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0], *rest], verbosity=2)


if __name__ == "__main__":
    main()
