"""Firefox driven over WebDriver BiDi, which it speaks itself: Debian has no
geckodriver. A small client over python3-websocket offering the part of
Selenium's WebDriver the page's tests use, under the same names, so one test
suite runs in every engine. Errors are Selenium's exceptions.
"""

import base64
import itertools
import json
import time

import websocket
from selenium.common.exceptions import (ElementClickInterceptedException, JavascriptException,
                                        NoSuchElementException, TimeoutException,
                                        WebDriverException)
from selenium.webdriver.common.by import By

# Selenium's key codes that stay held until the end of a send_keys.
MODIFIERS = {"\ue008", "\ue009", "\ue00a", "\ue03d"}
# Navigations and history visits wait this long for the document; a longer
# wait is the test's own (WebDriverWait).
PAGE_LOAD_SECONDS = 60
WAIT = {"normal": "complete", "eager": "interactive", "none": "none"}


# The oldest Firefox whose WebDriver BiDi has every command these tests send
# (emulation.setLocaleOverride came with it).
NEWEST_BIDI_NEEDED = "Firefox ESR 153"


class BiDiError(WebDriverException):
    pass


class Session:
    """One WebDriver BiDi session on a browser's WebSocket."""

    def __init__(self, url):
        # Firefox refuses a WebSocket with an Origin header.
        self.socket = websocket.create_connection(url, suppress_origin=True,
                                                  timeout=PAGE_LOAD_SECONDS + 30)
        self.ids = itertools.count(1)
        self.events = []
        self.browser = "the browser"
        made = self.command("session.new", {"capabilities": {"alwaysMatch": {
            "acceptInsecureCerts": False, "unhandledPromptBehavior": "dismiss"}}})
        capabilities = made.get("capabilities", {})
        self.browser = f"{capabilities.get('browserName', 'the browser')} {capabilities.get('browserVersion', '')}"

    def command(self, method, params=None):
        number = next(self.ids)
        self.socket.send(json.dumps({"id": number, "method": method, "params": params or {}}))
        while True:
            message = json.loads(self.socket.recv())
            if message.get("type") == "event":
                self.events.append(message)
            elif message.get("id") == number:
                if message.get("type") == "error":
                    needs = ""
                    if message["error"] == "unknown command":
                        # A Debian point release's Firefox ESR may be older.
                        needs = (f" ({self.browser.strip()} lacks it: these tests need "
                                 f"{NEWEST_BIDI_NEEDED} or later)")
                    error = BiDiError(f"{method}: {message['error']}: {message.get('message')}{needs}")
                    error.code = message["error"]
                    raise error
                return message["result"]

    def close(self):
        try:
            self.socket.close()
        except OSError:
            pass


def serialise(value):
    if isinstance(value, Element):
        return {"sharedId": value.shared_id}
    if value is None:
        return {"type": "null"}
    if isinstance(value, bool):
        return {"type": "boolean", "value": value}
    if isinstance(value, (int, float)):
        return {"type": "number", "value": value}
    if isinstance(value, str):
        return {"type": "string", "value": value}
    if isinstance(value, (list, tuple)):
        return {"type": "array", "value": [serialise(v) for v in value]}
    if isinstance(value, dict):
        return {"type": "object", "value": [[k, serialise(v)] for k, v in value.items()]}
    raise TypeError(f"cannot pass {value!r} to the page")


def deserialise(driver, remote):
    kind = remote["type"]
    if kind in ("undefined", "null"):
        return None
    if kind in ("string", "boolean"):
        return remote["value"]
    if kind == "number":
        value = remote["value"]
        if isinstance(value, str):  # NaN, Infinity, -0
            return float(value)
        return value
    if kind in ("array", "set", "nodelist", "htmlcollection"):
        return [deserialise(driver, v) for v in remote.get("value", [])]
    if kind == "object":
        return {k: deserialise(driver, v) for k, v in remote.get("value", [])}
    if kind == "node":
        return Element(driver, remote["sharedId"])
    raise WebDriverException(f"the page returned a {kind}")


class _Finding:
    """Selenium's find_element: the first of find_elements, or its error."""

    def find_element(self, by, value):
        found = self.find_elements(by, value)
        if not found:
            raise NoSuchElementException(f"{by} {value}")
        return found[0]


class Element(_Finding):
    """A node of the page, by its BiDi shared id."""

    def __init__(self, driver, shared_id):
        self.driver = driver
        self.shared_id = shared_id

    def __eq__(self, other):
        return isinstance(other, Element) and other.shared_id == self.shared_id

    def _run(self, body, *args):
        return self.driver.execute_script(body, self, *args)

    def get_attribute(self, name):
        # As Selenium's: the property where there is one, else the attribute.
        return self._run("const e = arguments[0], n = arguments[1];"
                         "if (n === 'value' || n === 'checked' || n === 'selected') {"
                         "  const v = e[n];"
                         "  return typeof v === 'boolean' ? (v ? 'true' : null) : v; }"
                         "return e.getAttribute(n);", name)

    def get_property(self, name):
        return self._run("return arguments[0][arguments[1]];", name)

    def is_selected(self):
        return bool(self._run("return Boolean(arguments[0].checked || arguments[0].selected);"))

    def is_displayed(self):
        return bool(self._run("const r = arguments[0].getBoundingClientRect();"
                              "return r.width > 0 && r.height > 0 &&"
                              " getComputedStyle(arguments[0]).visibility !== 'hidden';"))

    @property
    def text(self):
        return self._run("return arguments[0].innerText;")

    @property
    def rect(self):
        return self._run("const r = arguments[0].getBoundingClientRect();"
                         "return {x: r.x + scrollX, y: r.y + scrollY,"
                         " width: r.width, height: r.height};")

    def find_elements(self, by, value):
        return self.driver._locate(by, value, self)

    def clear(self):
        self._run("const e = arguments[0]; e.focus(); e.value = '';"
                  "e.dispatchEvent(new Event('input', {bubbles: true}));"
                  "e.dispatchEvent(new Event('change', {bubbles: true}));")

    def click(self):
        """At the middle of the element, scrolled into view, as a pointer's
        press; refused, as in WebDriver, where another element is on top."""
        x, y, hit = self._run("""
            const e = arguments[0];
            e.scrollIntoView({block: 'center', inline: 'center'});
            const r = e.getClientRects()[0];
            if (!r) return [0, 0, false];
            const x = r.left + r.width / 2, y = r.top + r.height / 2;
            const top = document.elementFromPoint(x, y);
            const hit = top !== null && (e === top || e.contains(top));
            return [Math.floor(x), Math.floor(y), hit];""")
        if not hit:
            raise ElementClickInterceptedException("another element would receive the click")
        self.driver._actions([{"type": "pointer", "id": "mouse", "actions": [
            {"type": "pointerMove", "x": x, "y": y},
            {"type": "pointerDown", "button": 0},
            {"type": "pointerUp", "button": 0}]}])

    def send_keys(self, *keys):
        self._run("const e = arguments[0];"
                  "if (document.activeElement !== e) {"
                  "  e.focus();"
                  "  if (typeof e.value === 'string' && e.setSelectionRange)"
                  "    try { e.setSelectionRange(e.value.length, e.value.length); } catch (_) {}"
                  "}")
        self.driver._type("".join(keys))


class _SwitchTo:
    def __init__(self, driver):
        self.driver = driver

    @property
    def active_element(self):
        return self.driver.execute_script("return document.activeElement;")

    def new_window(self, kind="tab"):
        made = self.driver.session.command("browsingContext.create", {"type": kind})
        self.driver.context = made["context"]

    def window(self, handle):
        self.driver.session.command("browsingContext.activate", {"context": handle})
        self.driver.context = handle


class BiDiDriver(_Finding):
    """The Selenium WebDriver calls the tests make, over a BiDi session."""

    def __init__(self, url, page_load="normal"):
        self.session = Session(url)
        self.wait = WAIT[page_load]
        self.context = self.window_handles[0]
        self.switch_to = _SwitchTo(self)
        self.session.command("session.subscribe", {"events": ["log.entryAdded"]})

    @property
    def window_handles(self):
        tree = self.session.command("browsingContext.getTree", {"maxDepth": 0})
        return [c["context"] for c in tree["contexts"]]

    def set_page_load_timeout(self, seconds):
        pass  # every navigation waits PAGE_LOAD_SECONDS at most

    def set_script_timeout(self, seconds):
        pass

    def _call(self, declaration, args, await_promise):
        result = self.session.command("script.callFunction", {
            "functionDeclaration": declaration,
            "arguments": [serialise(a) for a in args],
            "target": {"context": self.context},
            "awaitPromise": await_promise,
            "resultOwnership": "none",
            "serializationOptions": {"maxDomDepth": 0, "maxObjectDepth": 20},
            "userActivation": True})
        if result["type"] == "exception":
            details = result["exceptionDetails"]
            raise JavascriptException(details.get("text", "the page's script failed"))
        return deserialise(self, result["result"])

    def execute_script(self, script, *args):
        return self._call(f"function () {{\n{script}\n}}", args, False)

    def execute_async_script(self, script, *args):
        # As Selenium's: the last argument is the callback that ends the script.
        return self._call("function (...args) { return new Promise((done) => {"
                          f" (function () {{\n{script}\n}}).apply(this, [...args, done]); }}); }}",
                          args, True)

    def get(self, url):
        self.session.command("browsingContext.navigate",
                             {"context": self.context, "url": url, "wait": self.wait})

    def refresh(self):
        self.session.command("browsingContext.reload", {"context": self.context, "wait": self.wait})

    def back(self):
        """As Selenium's: returns once the document gone back to is there
        (loaded again, or whole from the back-forward cache)."""
        left = self.execute_script("return performance.timeOrigin;")
        self.session.command("browsingContext.traverseHistory",
                             {"context": self.context, "delta": -1})
        if self.wait == "none":
            return
        deadline = time.monotonic() + PAGE_LOAD_SECONDS
        while time.monotonic() < deadline:
            try:
                if self.execute_script(
                        "return performance.timeOrigin !== arguments[0] &&"
                        f" ['{self.wait}', 'complete'].includes(document.readyState);", left):
                    return
            except (JavascriptException, BiDiError):
                pass  # between the two documents
            time.sleep(0.05)
        raise TimeoutException("the history visit did not load")

    def close(self):
        self.session.command("browsingContext.close", {"context": self.context})

    @property
    def title(self):
        return self.execute_script("return document.title;")

    @property
    def current_url(self):
        return self.execute_script("return location.href;")

    def find_elements(self, by, value):
        return self._locate(by, value, None)

    def _locate(self, by, value, under):
        if by == By.ID:
            script = ("return (arguments[1] || document)"
                      ".querySelectorAll('#' + CSS.escape(arguments[0]));")
        elif by in (By.CSS_SELECTOR, By.TAG_NAME):
            script = "return (arguments[1] || document).querySelectorAll(arguments[0]);"
        elif by == By.XPATH:
            script = ("const r = document.evaluate(arguments[0], arguments[1] || document, null,"
                      " XPathResult.ORDERED_NODE_SNAPSHOT_TYPE, null);"
                      "const out = []; for (let i = 0; i < r.snapshotLength; ++i)"
                      " out.push(r.snapshotItem(i)); return out;")
        else:
            raise ValueError(f"no locator {by}")
        return self.execute_script(script, value, under)

    def _actions(self, sources):
        self.session.command("input.performActions", {"context": self.context, "actions": sources})
        self.session.command("input.releaseActions", {"context": self.context})

    def _type(self, text):
        actions, held = [], []
        for key in text:
            if key in MODIFIERS:
                actions.append({"type": "keyDown", "value": key})
                held.append(key)
            else:
                actions += [{"type": "keyDown", "value": key}, {"type": "keyUp", "value": key}]
        actions += [{"type": "keyUp", "value": key} for key in reversed(held)]
        self._actions([{"type": "key", "id": "keyboard", "actions": actions}])

    def get_screenshot_as_png(self):
        shot = self.session.command("browsingContext.captureScreenshot", {"context": self.context})
        return base64.b64decode(shot["data"])

    def save_screenshot(self, path):
        with open(path, "wb") as f:
            f.write(self.get_screenshot_as_png())
        return True

    def console_errors(self):
        """The console's errors since the last call, each as its text."""
        self.session.command("session.status")  # brings in the events sent so far
        errors = [e["params"].get("text") or "" for e in self.session.events
                  if e.get("method") == "log.entryAdded" and e["params"].get("level") == "error"]
        self.session.events.clear()
        return errors

    def quit(self):
        try:
            self.session.command("browser.close")
        except (WebDriverException, OSError, websocket.WebSocketException):
            pass
        self.session.close()
