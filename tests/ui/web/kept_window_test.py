"""The window kept on the device, in each engine: after the browser
has ended and started again, a reload, or a history visit that loads the
page again, the window is the one the navigator left, whole, or the
starting window, never a mix; a record that does not fit this window, or
storage refused, gives the page as it always was.

    kept_window_test.py --site DIR --table control_table.h --key KEY --limit CHARACTERS

KEY is the record's localStorage key and CHARACTERS the longest record
kept, from ui/web/kept_window.h. Every expected fix is worked out by the
tests' own model. The browser operations are WebDriver's and Browser's
(page_session.py); where an engine cannot do one (WebKitGTK keeps no
profile across a restart, runs no script before the page's and reads no
console), that case is skipped or left unchecked there.
"""

import argparse
import json
import sys
import unittest
from pathlib import Path

from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
sys.path.insert(0, str(HERE.parent.parent / "shared"))
from fix_model import START, fix as model_fix  # noqa: E402
from page_session import Browser, HoldingSiteServer, SiteServer  # noqa: E402
from window_design import pairs, read_table  # noqa: E402

ARGS = None


def console_errors(browser):
    """The errors the console has shown since last asked, but for the icon
    the browser asks for on the page away, which has none; None where the
    engine's WebDriver cannot read the console (the window is still checked
    there)."""
    try:
        errors = browser.console_errors()
    except unittest.SkipTest:
        return None
    return [e for e in errors if "favicon.ico" not in e]


# Another page of the same site, to go to and come back from.
AWAY = "quorvel.css"
# The window's 19 values: each text box's text, and the selected button of
# each pair under the pair's name.
WINDOW = """
const values = {};
for (const e of document.querySelectorAll('.client input')) {
    if (e.type !== 'radio') values[e.id] = e.value;
    else if (e.checked) values[e.name] = e.id;
}
return values;"""
# A sight where every entry differs from the starting window; every pair is
# flipped too.
TEXTS = {"Time1": "3:33:33", "Time2": "5:10", "Lat1": "21.5", "Long1": "111.25",
         "Lat2": "21.45", "Long2": "111.4", "course": "45", "speed": "7", "Zn1": "310",
         "Zn2": "200", "A1": "8", "A2": "12.5"}
FLIPPED = {button: not selected for button, selected in START.items()
           if isinstance(selected, bool)}
# Other ways Storage is refused, played by a script before the page: as
# Safari's private browsing or blocked storage do (the object itself, or
# every use of it), and a full one.
REFUSED = "throw new DOMException('The operation is insecure.', 'SecurityError');"
REFUSALS = {
    "localStorage refused": "Object.defineProperty(window, 'localStorage', {get() { %s }});"
                            % REFUSED,
    "every read and write refused": "Storage.prototype.getItem = function () { %s };"
                                    "Storage.prototype.setItem = function () { %s };"
                                    % (REFUSED, REFUSED),
    "storage full": "Storage.prototype.setItem = function () {"
                    " throw new DOMException('full', 'QuotaExceededError'); };",
}


def restart(browser, url):
    browser.restart()
    browser.driver.get(url)


def reload(browser, url):
    browser.driver.refresh()


def history_visit(browser, url):
    browser.driver.get(url + AWAY)
    browser.driver.back()


LEAVINGS = {
    "the browser ended and started again": restart,
    "a reload": reload,
    "a history visit without the back-forward cache": history_visit,
}


class KeptWindowTest(unittest.TestCase):
    maxDiff = None

    @classmethod
    def setUpClass(cls):
        controls, _, _ = read_table(ARGS.table)
        groups = pairs(controls)
        cls.starting = {c.name: c.text for c in controls if c.kind == "TextBox"}
        cls.starting.update({frame: [b.name for b in buttons if b.extra == "Selected"][0]
                             for frame, buttons in groups.items()})
        cls.flips = {frame: [b.name for b in buttons if b.extra != "Selected"][0]
                     for frame, buttons in groups.items()}
        cls.server = SiteServer(ARGS.site).start()

    @classmethod
    def tearDownClass(cls):
        cls.server.stop()

    def browser(self, **options):
        browser = Browser(back_forward_cache=False, **options)
        self.addCleanup(browser.close)
        browser.set_locale("en-US")
        return browser

    def window(self, browser):
        return browser.driver.execute_script(WINDOW)

    def stored(self, browser):
        text = browser.driver.execute_script(
            "return localStorage.getItem(arguments[0])", ARGS.key)
        return text and json.loads(text)

    def type_window(self, browser, texts, choices):
        """Typed and chosen as a navigator does, then Calculate Fix."""
        d = browser.driver
        for name, text in texts.items():
            box = d.find_element(By.ID, name)
            box.clear()
            box.send_keys(text)
        for button in choices:
            d.find_element(By.CSS_SELECTOR, f"label[for='{button}']").click()

    def left_window(self, browser):
        """The sight above typed in, every pair flipped, and its fix."""
        self.type_window(browser, TEXTS, self.flips.values())
        browser.driver.find_element(By.ID, "Command1").click()
        left = dict(TEXTS, **self.flips, FixLL=model_fix(**TEXTS, **FLIPPED)[0])
        self.assertEqual(self.window(browser), left)
        return left

    def test_the_window_comes_back_whole_after_the_page_was_ended(self):
        for leaving, leave in LEAVINGS.items():
            with self.subTest(leaving=leaving):
                browser = self.browser()
                browser.open(self.server.url)
                self.type_window(browser, TEXTS, self.flips.values())
                typed = self.stored(browser)
                left = self.left_window(browser)
                fixed = self.stored(browser)
                leave(browser, self.server.url)
                browser.wait_ready()
                self.assertEqual(self.window(browser), left)
                # Kept already as it changed, typed and then with its fix: a
                # phone may end the page with no event at all.
                self.assertEqual([typed, fixed], [dict(left, FixLL=""), left])

    def test_a_record_that_does_not_fit_this_window_gives_the_starting_window(self):
        key, limit = ARGS.key, ARGS.limit
        # What stands in the page's storage as it opens again, and whether it
        # is this window's record.
        def rows(kept):
            text = json.dumps(kept)
            yield "not JSON", text[:-1], False
            yield "a field less", json.dumps({k: kept[k] for k in list(kept)[1:]}), False
            yield "a field more", json.dumps(dict(kept, Frame8=kept["Frame7"])), False
            renamed = {("Time3" if k == "Time1" else k): v for k, v in kept.items()}
            yield "a field of another name", json.dumps(renamed), False
            yield "a number for a text", json.dumps(dict(kept, speed=7)), False
            yield "null for a text", json.dumps(dict(kept, FixLL=None)), False
            yield "a choice of no button of the pair", json.dumps(dict(kept, Frame5="North2")), False
            yield "a list", json.dumps(list(kept.values())), False
            yield "null", "null", False
            for length, fits in ((limit, True), (limit + 1, False)):
                padded = dict(kept, A1=kept["A1"] + " " * (length - len(text)))
                yield f"{length} characters", json.dumps(padded), fits

        browser = self.browser()
        browser.open(self.server.url)
        kept = self.left_window(browser)
        for what, text, fits in rows(kept):
            with self.subTest(record=what):
                browser.open(self.server.url)
                self.left_window(browser)
                console_errors(browser)
                # Put there while the page is away, where it cannot write.
                browser.driver.get(self.server.url + AWAY)
                self.assertEqual(browser.driver.execute_script(
                    "return Object.keys(localStorage)"), [key])
                browser.driver.execute_script(
                    "localStorage.setItem(arguments[0], arguments[1])", key, text)
                browser.driver.back()
                browser.wait_ready()
                self.assertEqual(self.window(browser),
                                 json.loads(text) if fits else self.starting)
                self.assertIn(console_errors(browser), ([], None))

    def test_a_window_past_the_bound_comes_back_as_its_last_record_that_fitted(self):
        browser = self.browser()
        browser.open(self.server.url)
        left = self.left_window(browser)
        browser.driver.execute_script("""
            const box = document.getElementById('Zn2');
            box.value = 'x'.repeat(arguments[0]);
            box.dispatchEvent(new Event('input', {bubbles: true}));""", ARGS.limit)
        browser.driver.refresh()
        browser.wait_ready()
        self.assertEqual(self.window(browser), left)

    def test_with_storage_refused_the_page_calculates_and_opens_as_it_starts(self):
        for refusal, source in (("site data blocked in the browser's settings", None),
                                *REFUSALS.items()):
            with self.subTest(refusal=refusal):
                browser = self.browser(storage=source is not None)
                if source is not None:
                    browser.add_script_before_page(source)
                browser.open(self.server.url)
                self.assertTrue(browser.driver.execute_script(
                    "try { localStorage.setItem('x', ''); return false; }"
                    " catch (refused) { return true; }"), "storage is not refused")
                self.left_window(browser)
                history_visit(browser, self.server.url)
                browser.wait_ready()
                self.assertEqual(self.window(browser), self.starting)
                browser.driver.find_element(By.ID, "Command1").click()
                self.assertEqual(self.window(browser)["FixLL"], model_fix()[0])
                self.assertIn(console_errors(browser), ([], None))

    def test_what_is_typed_before_the_program_attaches_is_kept_over_the_record(self):
        typed = {"Zn1": "350", "speed": "12.5"}
        chosen = {"Frame5": "Option2"}
        server = HoldingSiteServer(ARGS.site, "quorvel.js").start()
        self.addCleanup(server.stop)
        browser = self.browser(page_load="none")
        d = browser.driver
        d.get(server.url)
        WebDriverWait(d, 30).until(
            lambda d: d.execute_script("return document.readyState === 'interactive'"))
        # A whole record of another window, left there earlier.
        record = dict(TEXTS, **self.flips, FixLL=model_fix(**TEXTS, **FLIPPED)[0])
        d.execute_script("localStorage.setItem(arguments[0], arguments[1])",
                         ARGS.key, json.dumps(record))
        self.type_window(browser, typed, chosen.values())
        standing = dict(self.starting, **typed, **chosen)
        self.assertEqual(self.window(browser), standing)

        server.release()
        browser.wait_ready()
        self.assertEqual(self.window(browser), standing)
        d.find_element(By.ID, "Command1").click()
        standing["FixLL"] = model_fix(**typed, North1=False)[0]
        self.assertEqual(self.window(browser), standing)
        # And it is what is kept now.
        d.execute_script("window.before = true")
        d.refresh()
        WebDriverWait(d, 30).until(lambda d: d.execute_script("return !window.before"))
        browser.wait_ready()
        self.assertEqual(self.window(browser), standing)


def main():
    global ARGS
    parser = argparse.ArgumentParser()
    parser.add_argument("--site", required=True)
    parser.add_argument("--table", required=True)
    parser.add_argument("--key", required=True)
    parser.add_argument("--limit", required=True, type=int)
    ARGS, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0], *rest], verbosity=2)


if __name__ == "__main__":
    main()
