"""The window in the page, in a browser: what the browser does differently
from the desktop windows (the document's elements and their
names, the keyboard, the report dialog, the browser's locale, the layouts
for wide and narrow screens, light, dark and forced colours, the page before
its program has started and with scripts off, the page's requests).
What can differ between engines runs in each (QUORVEL_WEB_ENGINE, see
page_session.py); the rest, which drives Chromium's own DevTools, in
Chromium only.

    form1_test.py --site DIR --table control_table.h --fix LOCALE TEXT ...
                  --key KEY --report TITLE HEADING MESSAGE

The fix each locale must show and the report's words are given by the test
command, apart from the code under test.
"""

import argparse
import json
import re
import sys
import unittest
from pathlib import Path

from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
sys.path.insert(0, str(HERE.parent.parent / "shared"))
from fix_model import fix as model_fix  # noqa: E402
from page_session import APPEARANCES, ENGINE, Browser, HoldingSiteServer, PageSession  # noqa: E402
from window_design import pairs, read_table, tab_stops  # noqa: E402

ARGS = None
# The two sights with the same azimuth: their lines never cross.
EQUAL_AZIMUTHS = {"Zn1": "240", "Zn2": "240"}
# The narrow arrangement's targets: a fingertip.
MIN_TARGET = 44
PROGRAM = "quorvel.js"
# WCAG 2 AA: text against its background, and the edge of a box against
# what is around it.
AA_TEXT = 4.5
AA_EDGE = 3.0


def in_every_engine(test):
    """A test of what can differ between engines: it runs in each."""
    test.in_every_engine = True
    return test


class Form1PageTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.controls, cls.caption, cls.client_width = read_table(ARGS.table)
        cls.session = PageSession(ARGS.site)
        cls.server, cls.browser = cls.session.__enter__()
        if ENGINE == "chromium":
            cls.browser.driver.execute_cdp_cmd("Network.enable", {})

    @classmethod
    def tearDownClass(cls):
        cls.session.__exit__(None, None, None)

    @property
    def driver(self):
        # A browser that changes its language or appearance may restart.
        return self.browser.driver

    def setUp(self):
        if ENGINE != "chromium" and not getattr(getattr(self, self._testMethodName),
                                                "in_every_engine", False):
            self.skipTest("the same in every engine: runs in Chromium")
        self.open(locale="en-US")

    def open(self, locale="en-US", width=1000, height=700, appearance="light", program=True):
        """The page; with program False (Chromium only), only its HTML and
        style sheet: the program is refused (past the service worker, which
        would fetch it)."""
        self.browser.set_locale(locale)
        self.browser.set_appearance(appearance)
        if ENGINE == "chromium":
            self.driver.execute_cdp_cmd("Network.setBypassServiceWorker", {"bypass": not program})
            self.driver.execute_cdp_cmd("Network.setBlockedURLs",
                                        {"urls": [] if program else [f"*/{PROGRAM}*"]})
        self.browser.viewport(width, height)
        # Each open starts from the starting window, not from the one the
        # test before left: the record is cleared from another page of the
        # site, which does not write it back as it goes.
        self.driver.get(self.server.url + "quorvel.css")
        self.driver.execute_script("localStorage.clear()")
        if program:
            self.browser.open(self.server.url)
        else:
            self.driver.get(self.server.url)
            WebDriverWait(self.driver, 30).until(
                lambda d: d.execute_script("return document.readyState === 'complete'"))
            self.assertFalse(self.attached())

    def attached(self):
        return self.driver.execute_script(
            "return !document.getElementById('Command1').hasAttribute('aria-disabled')")

    def element(self, name):
        return self.driver.find_element(By.ID, name)

    def focused(self):
        return self.driver.execute_script("return document.activeElement.id")

    def values(self):
        """Every entry box's text and every option button's state."""
        return self.driver.execute_script(
            "return [...document.querySelectorAll('.client input')]"
            ".map(e => [e.id, e.type === 'radio' ? e.checked : e.value]);")

    def set_text(self, name, text):
        box = self.element(name)
        box.clear()
        box.send_keys(text)

    def report_open(self):
        return self.driver.execute_script(
            "const d = document.querySelector('dialog'); return d !== null && d.open;")

    def test_starts_with_the_tables_texts_and_choices_and_the_focus_in_time1(self):
        # The page's own HTML holds them before the program has started.
        for program in (False, True):
            self.open(program=program)
            for c in self.controls:
                with self.subTest(program=program, control=c.name):
                    e = self.element(c.name)
                    if c.kind == "TextBox":
                        self.assertEqual(e.get_attribute("value"), c.text)
                    elif c.kind == "OptionButton":
                        self.assertEqual(e.is_selected(), c.extra == "Selected")
                    elif c.kind in ("Label", "CommandButton") and c.text is not None:
                        self.assertEqual(e.get_property("textContent"), c.text)
            with self.subTest(program=program):
                self.assertEqual(self.element("FixLL").get_attribute("value"), "")
                self.assertEqual(self.element("FixLL").get_property("readOnly"), True)
                self.assertEqual(self.focused(), "Time1")
                self.assertEqual(self.driver.title, self.caption)
                self.assertEqual(self.driver.find_element(By.TAG_NAME, "h1").text, self.caption)

    @in_every_engine
    def test_what_is_typed_before_the_program_starts_stays_and_is_what_the_click_reads(self):
        typed = {"Zn1": "350", "speed": "12.5", "Time1": "0:58"}
        chosen = {"Frame5": "Option2", "Frame1": "A1_A"}
        by_name = {c.name: c for c in self.controls}
        meaning = {"Option2": {"North1": False}, "A1_A": {"A1_A": True}}
        server = HoldingSiteServer(ARGS.site, PROGRAM).start()
        self.addCleanup(server.stop)
        # A browser that does not wait for the held program to load: the
        # page's DOMContentLoaded waits for it.
        browser = Browser(page_load="none")
        self.addCleanup(browser.close)
        self.browser = browser
        self.driver.get(server.url)
        WebDriverWait(self.driver, 30).until(
            lambda d: d.execute_script("return document.readyState === 'interactive'"))
        for name, text in typed.items():
            self.set_text(name, text)
        for frame, button in chosen.items():
            self.assertEqual(by_name[button].container, frame)
            self.element(button).find_element(By.XPATH, "..").click()
        # Until the program is there, the button does nothing at all.
        self.element("Command1").click()
        self.assertEqual(self.element("FixLL").get_attribute("value"), "")
        self.assertFalse(self.report_open())
        before = self.values()
        self.assertFalse(self.attached())

        server.release()
        browser.wait_ready()
        self.assertEqual(self.values(), before)
        self.element("Command1").click()
        changes = dict(typed)
        for button in chosen.values():
            changes.update(meaning[button])
        self.assertEqual(self.element("FixLL").get_attribute("value"), model_fix(**changes)[0])

    def test_without_scripts_or_webassembly_the_window_shows_and_says_calculating_needs_them(self):
        # Each way the program cannot run: what it takes away, and how.
        for lacking, off, on in (
                ("scripts", ("Emulation.setScriptExecutionDisabled", {"value": True}),
                 lambda _: ("Emulation.setScriptExecutionDisabled", {"value": False})),
                ("WebAssembly", ("Page.addScriptToEvaluateOnNewDocument",
                                 {"source": "delete globalThis.WebAssembly;"}),
                 lambda added: ("Page.removeScriptToEvaluateOnNewDocument", added))):
            with self.subTest(lacking=lacking):
                undo = on(self.driver.execute_cdp_cmd(*off))
                try:
                    self.driver.get(self.server.url)
                    WebDriverWait(self.driver, 30).until(lambda d: d.find_elements(
                        By.CSS_SELECTOR, "p.noscript"))
                    # One line, however many parts of the page find they cannot run.
                    lines = self.driver.find_elements(By.CSS_SELECTOR, "p.noscript")
                    self.assertEqual(len(lines), 1)
                    line = lines[0]
                    self.assertTrue(line.is_displayed())
                    self.assertRegex(line.text, r"^Calculating .*needs JavaScript and WebAssembly\.$")
                    self.assertFalse(self.attached())
                    for c in self.controls:
                        if c.kind not in ("Frame", "BorderedFrame"):
                            e = self.element(c.name)
                            shown = e.find_element(By.XPATH, "..") if c.kind == "OptionButton" else e
                            self.assertTrue(shown.is_displayed(), c.name)
                finally:
                    self.driver.execute_cdp_cmd(*undo)

    @in_every_engine
    def test_starting_entries_give_the_fix_in_the_browsers_notation(self):
        for locale, fix in ARGS.fix:
            with self.subTest(locale=locale):
                self.open(locale=locale)
                self.element("Command1").click()
                self.assertEqual(self.element("FixLL").get_attribute("value"), fix)

    @in_every_engine
    def test_browsers_without_a_base64_decoder_calculate_too(self):
        # Older browsers have no Uint8Array.fromBase64: the program's bytes
        # come through the page's own decoding instead.
        hidden = self.browser.add_script_before_page("delete Uint8Array.fromBase64;")
        try:
            self.open()
            self.assertFalse(self.driver.execute_script("return 'fromBase64' in Uint8Array"))
            self.element("Command1").click()
            self.assertEqual(self.element("FixLL").get_attribute("value"), dict(ARGS.fix)["en-US"])
        finally:
            self.browser.remove_script_before_page(hidden)

    @in_every_engine
    def test_opening_and_calculating_leave_no_error_in_the_console(self):
        # An error here is a part of the page this engine refused or lacks:
        # its policy, its service worker, its program.
        self.browser.console_errors()
        self.open()
        self.element("Command1").click()
        self.assertEqual(self.element("FixLL").get_attribute("value"), dict(ARGS.fix)["en-US"])
        self.assertEqual(self.browser.console_errors(), [])

    @in_every_engine
    def test_an_entry_longer_than_a_line_is_read_whole(self):
        # Past the first room the program makes for a control's text; cut
        # short, it would read 0.
        speed = "0" * 80 + "12.5"
        self.set_text("speed", speed)
        self.element("Command1").click()
        self.assertEqual(self.element("FixLL").get_attribute("value"), model_fix(speed=speed)[0])

    @in_every_engine
    def test_each_pair_keeps_one_button_selected(self):
        for frame, buttons in pairs(self.controls).items():
            with self.subTest(pair=frame):
                was = [b.name for b in buttons if b.extra == "Selected"][0]
                other = [b.name for b in buttons if b.name != was][0]
                before = dict(self.values())
                # The label around the radio button takes the click, as a
                # finger on its letter would.
                self.element(other).find_element(By.XPATH, "..").click()
                after = dict(self.values())
                self.assertTrue(after[other])
                self.assertFalse(after[was])
                changed = {k for k in after if after[k] != before[k]}
                self.assertEqual(changed, {was, other})

    @in_every_engine
    def test_error_report_is_dismissed_by_keyboard_and_leaves_the_window_as_it_was(self):
        for dismiss in ("Enter", "Escape", "OK button"):
            with self.subTest(dismissed_by=dismiss):
                self.open()
                self.element("Command1").click()
                for name, text in EQUAL_AZIMUTHS.items():
                    self.set_text(name, text)
                before = self.values()
                self.element("Command1").click()

                self.assertTrue(self.report_open())
                dialog = self.driver.find_element(By.TAG_NAME, "dialog")
                title, heading, message = ARGS.report
                self.assertEqual(dialog.find_element(By.TAG_NAME, "h2").text, title)
                text = dialog.find_element(By.TAG_NAME, "p").get_property("textContent")
                self.assertEqual([line for line in text.split("\n") if line], [heading, message])
                self.assertEqual(self.driver.switch_to.active_element.text, "OK")
                # Modal: the window behind takes no click.
                with self.assertRaises(Exception):
                    self.element("Command1").click()

                if dismiss == "OK button":
                    dialog.find_element(By.TAG_NAME, "button").click()
                else:
                    self.driver.switch_to.active_element.send_keys(getattr(Keys, dismiss.upper()))
                self.assertFalse(self.report_open())
                self.assertEqual(self.focused(), "Command1")
                self.assertEqual(self.values(), before)
                # The next failed click reports again, in the same dialog.
                self.element("Command1").click()
                self.assertTrue(self.report_open())
                self.assertEqual(len(self.driver.find_elements(By.TAG_NAME, "dialog")), 1)

    def test_tab_and_shift_tab_follow_the_tab_index_with_one_stop_per_pair(self):
        stops = tab_stops(self.controls)
        seen = [self.focused()]
        for _ in stops[1:]:
            self.driver.switch_to.active_element.send_keys(Keys.TAB)
            seen.append(self.focused())
        self.assertEqual(seen, stops)
        back = [self.focused()]
        for _ in stops[1:]:
            self.driver.switch_to.active_element.send_keys(Keys.SHIFT, Keys.TAB)
            back.append(self.focused())
        self.assertEqual(back, stops[::-1])

    def test_arrow_keys_choose_within_a_pair(self):
        stops = tab_stops(self.controls)
        for frame, buttons in pairs(self.controls).items():
            with self.subTest(pair=frame):
                self.open()
                was = [b.name for b in buttons if b.extra == "Selected"][0]
                other = [b.name for b in buttons if b.name != was][0]
                self.element(was).send_keys(Keys.ARROW_DOWN)
                self.assertEqual(self.focused(), other)
                self.assertTrue(self.element(other).is_selected())
                self.assertFalse(self.element(was).is_selected())
                # The pair is still one stop: Tab leaves it.
                self.driver.switch_to.active_element.send_keys(Keys.TAB)
                self.assertEqual(self.focused(), stops[stops.index(was) + 1])

    def test_only_command1_answers_enter_and_space(self):
        fix = dict(ARGS.fix)["en-US"]
        for name, key, runs in (("Zn2", Keys.ENTER, False), ("Time1", Keys.ENTER, False),
                                ("Command1", Keys.ENTER, True), ("Command1", Keys.SPACE, True)):
            with self.subTest(control=name, key=repr(key)):
                self.open()
                if name != "Command1":
                    self.set_text(name, self.element(name).get_attribute("value") + "0")
                before = self.values()
                self.element(name).send_keys(key)
                self.assertEqual(self.element("FixLL").get_attribute("value"), fix if runs else "")
                # Nothing submitted or reloaded: what was typed is still there.
                after = self.values()
                after_without_fix = [v for v in after if v[0] != "FixLL"]
                self.assertEqual(after_without_fix, [v for v in before if v[0] != "FixLL"])

    def test_entry_boxes_and_option_buttons_have_the_tables_accessible_names(self):
        for c in self.controls:
            if c.kind in ("TextBox", "OptionButton") and c.accessible_name:
                with self.subTest(control=c.name):
                    self.assertEqual(self.element(c.name).accessible_name, c.accessible_name)

    def test_each_pair_is_a_named_radio_group(self):
        for frame, buttons in pairs(self.controls).items():
            with self.subTest(pair=frame):
                group = self.element(buttons[0].name).find_element(
                    By.XPATH, "ancestor::*[@role='radiogroup'][1]")
                self.assertEqual(group.aria_role, "radiogroup")
                for b in buttons:
                    self.assertIn(b.name, [e.get_attribute("id") for e in
                                           group.find_elements(By.CSS_SELECTOR, "input")])
                name = group.accessible_name
                self.assertTrue(name)
                for b in buttons:
                    self.assertTrue(b.accessible_name.startswith(name + " "))

    def control_boxes(self):
        """Each control's box in CSS pixels from the window's client corner,
        with its computed font weight and size; a radio button's is its label's."""
        return self.driver.execute_script("""
            const client = document.querySelector('.client').getBoundingClientRect();
            const boxes = {};
            for (const e of document.querySelectorAll('.client [id]')) {
                const shown = e.type === 'radio' ? e.parentElement : e;
                const r = shown.getBoundingClientRect();
                const style = getComputedStyle(shown);
                boxes[e.id] = [r.left - client.left, r.top - client.top, r.width, r.height,
                               style.fontWeight, parseFloat(style.fontSize),
                               style.display !== 'none' && r.width > 0];
            }
            return boxes;""")

    def test_wide_screens_show_the_designed_layout_scaled_up_to_twice(self):
        by_name = {c.name: c for c in self.controls}
        for (appearance, program), width, scale in (
                (case, *size)
                for case in (("light", True), ("light", False), ("dark", True),
                             ("forced colours", True))
                for size in ((self.client_width, 1), (self.client_width * 3 // 2, 1.5),
                             (self.client_width * 2, 2), (self.client_width * 3, 2))):
            with self.subTest(appearance=appearance, program=program, width=width):
                self.open(width=width, height=900, appearance=appearance, program=program)
                boxes = self.control_boxes()
                self.assertEqual(self.driver.execute_script(
                    "return document.scrollingElement.scrollWidth"), width)
                for c in self.controls:
                    left, top = c.left, c.top
                    if c.container:
                        left += by_name[c.container].left
                        top += by_name[c.container].top
                    want = [v // 15 * scale for v in (left, top, c.width, c.height)]
                    got = boxes[c.name]
                    for what, w, g in zip(("left", "top", "width", "height"), want, got):
                        self.assertAlmostEqual(g, w, delta=0.5, msg=f"{c.name} {what}")
                    self.assertEqual(got[4], "700" if c.bold else "400", f"{c.name} weight")
                    self.assertAlmostEqual(got[5], 11 * scale, delta=0.01, msg=c.name)

    def test_a_phone_held_upright_gets_one_column_in_tab_order(self):
        for appearance in APPEARANCES:
            with self.subTest(appearance=appearance):
                self.check_one_column(appearance)

    def check_one_column(self, appearance):
        self.open(width=390, height=844, appearance=appearance)
        width = self.driver.execute_script("return document.documentElement.clientWidth")
        self.assertEqual(self.driver.execute_script(
            "return document.scrollingElement.scrollWidth"), width)
        boxes = self.control_boxes()
        for c in self.controls:
            left, top, w, h, _, _, shown = boxes[c.name]
            if not shown:
                continue
            with self.subTest(control=c.name):
                self.assertGreaterEqual(left, 0)
                self.assertLessEqual(left + w, width)
                if c.kind in ("OptionButton", "CommandButton"):
                    self.assertGreaterEqual(h, MIN_TARGET)
        # The stops run down the page in tab order, each entry box on the
        # row of its heading, which shows its accessible name.
        stops = tab_stops(self.controls)
        tops = [boxes[name][1] for name in stops]
        self.assertEqual(tops, sorted(tops))
        for c in self.controls:
            if c.kind == "TextBox":
                with self.subTest(heading_of=c.name):
                    heading = self.driver.find_element(By.CSS_SELECTOR, f"label[for='{c.name}']")
                    self.assertEqual(heading.text, c.accessible_name)
                    box = self.element(c.name).rect
                    self.assertLess(heading.rect["x"] + heading.rect["width"], box["x"])
                    self.assertLess(heading.rect["y"], box["y"] + box["height"])
                    self.assertGreater(heading.rect["y"] + heading.rect["height"], box["y"])

    @in_every_engine
    def test_every_control_is_readable_in_each_appearance(self):
        """Text at AA contrast against what shows behind it, and the edges of
        the entry boxes and the bordered frames against the window."""
        shown = [c for c in self.controls if c.kind != "Frame"]
        for appearance in APPEARANCES:
            if appearance not in self.browser.appearances:
                with self.subTest(appearance=appearance):
                    self.skipTest(f"{self.browser.title} has no {appearance}")
                continue
            for width in (self.client_width, 390):
                self.open(width=width, appearance=appearance)
                self.element("Command1").click()
                colours = json.loads(self.driver.execute_script(COLOURS, [c.name for c in shown]))
                for c in shown:
                    with self.subTest(appearance=appearance, width=width, control=c.name):
                        text, backs, edge, visible = colours[c.name]
                        # The one column leaves out the grid's headings.
                        if width == self.client_width:
                            self.assertTrue(visible)
                        elif not visible:
                            continue
                        if c.kind != "BorderedFrame":
                            self.assertGreaterEqual(contrast(text, backs), AA_TEXT)
                        if c.kind in ("TextBox", "BorderedFrame"):
                            self.assertGreaterEqual(contrast(edge, backs[1:]), AA_EDGE)
                with self.subTest(appearance=appearance, width=width, control="caption"):
                    text, backs, _, _ = colours["caption"]
                    self.assertGreaterEqual(contrast(text, backs), AA_TEXT)

    @in_every_engine
    def test_a_tap_on_a_phone_shows_its_fix(self):
        self.open(width=390, height=844)
        button = self.element("Command1")
        self.driver.execute_script("arguments[0].scrollIntoView()", button)
        # Tapped once the scroll has been painted, where the navigator sees the
        # button (a loaded WebKitGTK otherwise clicks where it stood before).
        self.driver.execute_async_script(
            "requestAnimationFrame(() => requestAnimationFrame(arguments[0]));")
        self.assertTrue(self.in_view("Command1"))
        self.assertFalse(self.in_view("FixLL"))
        button.click()
        self.assertEqual(self.element("FixLL").get_property("value"), dict(ARGS.fix)["en-US"])
        # Scrolled at the next frame.
        WebDriverWait(self.driver, 10).until(lambda d: self.in_view("FixLL"))

    def in_view(self, name):
        return self.driver.execute_script(
            "const r = arguments[0].getBoundingClientRect();"
            "return r.top >= 0 && r.bottom <= window.innerHeight;", self.element(name))

    def test_the_page_asks_for_nothing_but_its_own_files_and_keeps_only_its_window(self):
        self.driver.get_log("performance")
        self.driver.get_log("browser")
        self.open()
        self.element("Command1").click()
        urls = [json.loads(e["message"])["message"]["params"]["request"]["url"]
                for e in self.driver.get_log("performance")
                if '"Network.requestWillBeSent"' in e["message"]]
        self.assertTrue(urls)
        for url in urls:
            self.assertTrue(url.startswith(self.server.url), url)
        # Anything the page's policy refused would be an error here.
        errors = [e for e in self.driver.get_log("browser") if e["level"] == "SEVERE"]
        self.assertEqual(errors, [])
        # Its window's one record, and no cookie or other store.
        self.assertEqual(self.driver.execute_script(
            "return [document.cookie, Object.keys(localStorage), sessionStorage.length]"),
            ["", [ARGS.key], 0])
        self.assertEqual(self.driver.execute_async_script(
            "indexedDB.databases().then(arguments[0])"), [])


# For each control: the colour of its text, the background colours from it
# out to the page's, the colour of its edge (a frame's is drawn by ::before)
# and whether it shows. A radio button's text is its caption beside it.
COLOURS = """
const style = (e, pseudo) => getComputedStyle(e, pseudo);
const describe = (shown, text, edge) => {
    const backs = [];
    for (let e = text; e; e = e.parentElement) backs.push(style(e).backgroundColor);
    const r = shown.getBoundingClientRect();
    return [style(text).color, backs, edge, r.width > 0 && r.height > 0 &&
            style(shown).visibility === 'visible' && style(shown).opacity === '1'];
};
const caption = document.querySelector('.caption');
const out = {caption: describe(caption, caption, null)};
for (const name of arguments[0]) {
    const e = document.getElementById(name);
    const shown = e.type === 'radio' ? e.parentElement : e;
    const text = e.type === 'radio' ? e.nextElementSibling : e;
    const edge = e.classList.contains('bordered') ? style(e, '::before').borderTopColor
                                                  : style(e).borderTopColor;
    out[name] = describe(shown, text, edge);
}
return JSON.stringify(out);
"""


def parse_colour(css):
    """[r, g, b, alpha], 0..1, from rgb(), rgba() or color(srgb ...)."""
    numbers = [float(n) for n in re.findall(r"[\d.]+", css)]
    if css.startswith("color(srgb"):
        return (numbers + [1.0])[:4]
    return [n / 255 for n in numbers[:3]] + (numbers[3:] or [1.0])


def luminance(rgb):
    def linear(c):
        return c / 12.92 if c <= 0.04045 else ((c + 0.055) / 1.055) ** 2.4
    r, g, b = (linear(c) for c in rgb)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def over(css, under):
    """A colour laid over an opaque one."""
    r, g, b, a = parse_colour(css)
    return [t * a + u * (1 - a) for t, u in zip((r, g, b), under)]


def contrast(front, backs):
    """WCAG contrast of a colour over the backgrounds behind it, nearest
    first, each laid over the ones further out."""
    under = [1.0, 1.0, 1.0]
    for back in reversed(backs):
        under = over(back, under)
    lighter, darker = sorted((luminance(over(front, under)), luminance(under)), reverse=True)
    return (lighter + 0.05) / (darker + 0.05)


def main():
    global ARGS
    parser = argparse.ArgumentParser()
    parser.add_argument("--site", required=True)
    parser.add_argument("--table", required=True)
    parser.add_argument("--fix", nargs=2, action="append", required=True,
                        metavar=("LOCALE", "TEXT"))
    parser.add_argument("--key", required=True, help="the kept window's localStorage key")
    parser.add_argument("--report", nargs=3, required=True,
                        metavar=("TITLE", "HEADING", "MESSAGE"))
    ARGS, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0], *rest], verbosity=2)


if __name__ == "__main__":
    main()
