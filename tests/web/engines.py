"""The three browser engines the page is tested in, behind one small interface.

Each adapter starts a fresh browser of its own with a blank profile and offers the same few
operations to the tests: load an address, run a function in the page (arguments and result pass
as JSON), perform W3C WebDriver input actions (the same action lists for every engine), take a
picture of the canvas, change the viewport, and say which console errors the page has shown.

- chromium: Debian's chromium, headless, through chromedriver and Selenium;
- firefox: Debian's firefox-esr, headless, over WebDriver BiDi (a WebSocket, spoken here with
  python3-websocket; no browser is ever downloaded);
- webkit: Debian's WebKitGTK MiniBrowser through WebKitWebDriver and Selenium, on an Xvfb
  display of its own (tests/e2e_harness.py starts it).

open_engine(name) returns an adapter, or raises Unavailable with the reason when the engine is
not installed or cannot be started; the tests turn that into a CTest skip. Chromium and Firefox
also run in a window on a given display (an e2e_harness.Display, with its D-Bus session), with
their accessibility tree open to the desktop's screen reader: open_engine(name, display, start)
opens the page start there with the keyboard in it, as a player who typed its address has.
"""

import itertools
import json
import os
import queue
import re
import shutil
import socket
import subprocess
import sys
import threading
import time

sys.dont_write_bytecode = True  # the source folder stays clean
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
import e2e_harness as h  # noqa: E402

ENGINES = ("chromium", "firefox", "webkit")

# W3C WebDriver key values.
ENTER, TAB, SHIFT, ESCAPE = "\ue007", "\ue004", "\ue008", "\ue00c"

# Collects what the page sends to its console as errors, for engines whose driver does not
# report the console: the test's web server adds this to the page (see LocalSite).
CONSOLE_PROBE = """
(function () {
  'use strict';
  var errors = window.__quintozConsoleErrors = [];
  var error = console.error;
  console.error = function () {
    errors.push(Array.prototype.map.call(arguments, String).join(' '));
    return error.apply(console, arguments);
  };
  window.addEventListener('error', function (e) { errors.push('error: ' + e.message); });
  window.addEventListener('unhandledrejection', function (e) {
    errors.push('unhandled rejection: ' + e.reason);
  });
  document.addEventListener('securitypolicyviolation', function (e) {
    errors.push('blocked by the Content-Security-Policy: ' + e.blockedURI + ' ' +
                e.violatedDirective);
  });
})();
"""


class Unavailable(Exception):
    """The engine cannot be driven on this machine; the message says why."""


class Unsupported(Exception):
    """The engine's driver cannot do this one thing (for example emulate a denser screen)."""


class Engine:
    name = ""
    # Whether the test's web server must add CONSOLE_PROBE to pages for console_errors().
    needs_console_probe = False

    def goto(self, url):
        raise NotImplementedError

    def js(self, body, *args):
        """Runs body as a function's body with args as its arguments; returns its result (a
        promise's value when it returns a promise) through JSON."""
        raise NotImplementedError

    def actions(self, sources):
        """Performs a list of W3C input sources (pointer and key action sequences)."""
        raise NotImplementedError

    def canvas_png(self):
        """A PNG of the game's canvas at the screen's density."""
        raise NotImplementedError

    def set_viewport(self, width, height, density):
        raise Unsupported("changing the viewport's size and density")

    def reset_viewport(self):
        pass

    def console_errors(self):
        raise NotImplementedError

    def screenshot(self, path):
        pass

    def close(self):
        raise NotImplementedError


# ---- Chromium and WebKitGTK through Selenium


class SeleniumEngine(Engine):
    def __init__(self, driver):
        self.d = driver

    def goto(self, url):
        self.d.get(url)

    def js(self, body, *args):
        # The arguments are taken before the promise's executor, whose own arguments are its
        # resolving functions.
        reply = json.loads(self.d.execute_async_script(
            "var args = arguments[0], done = arguments[arguments.length - 1];"
            "new Promise(function (resolve) { resolve((function () {%s}).apply(null, args)); })"
            ".then(function (v) { done(JSON.stringify({value: v ?? null})); },"
            " function (e) { done(JSON.stringify({error: String(e)})); });" % body, list(args)))
        if "error" in reply:
            raise RuntimeError("script failed: %s" % reply["error"])
        return reply["value"]

    def actions(self, sources):
        try:
            self.d.execute("actions", {"actions": sources})
        except Exception as error:  # the driver names what it cannot do in its own words
            if "unsupported" in str(error).lower() or "not implemented" in str(error).lower():
                raise Unsupported(str(error).splitlines()[0]) from error
            raise
        finally:
            try:
                self.d.execute("clearActionState")
            except Exception:
                pass

    def canvas_png(self):
        from selenium.webdriver.common.by import By
        return self.d.find_element(By.TAG_NAME, "canvas").screenshot_as_png

    def screenshot(self, path):
        self.d.save_screenshot(path)


class Chromium(SeleniumEngine):
    name = "chromium"
    BROWSER = "/usr/bin/chromium"
    DRIVER = "/usr/bin/chromedriver"

    def __init__(self, display=None, language=None):
        try:
            from selenium import webdriver
            from selenium.webdriver.chrome.service import Service
        except ImportError:
            raise Unavailable("python3-selenium is not installed")
        for program in (self.BROWSER, self.DRIVER):
            if not os.access(program, os.X_OK):
                raise Unavailable("%s is not installed" % program)
        self.profile = h.private_folder()
        options = webdriver.ChromeOptions()
        options.binary_location = self.BROWSER
        # On a display Chromium opens its accessibility tree to the screen reader: it would
        # find the reader on the accessibility bus too, and is told outright.
        view = ("--force-renderer-accessibility",) if display else ("--headless",)
        for arg in view + ("--no-sandbox", "--disable-gpu", "--disable-quic",
                           "--no-first-run", "--disable-background-networking",
                           "--disable-component-update", "--disable-sync",
                           "--user-data-dir=" + self.profile, "--force-device-scale-factor=1",
                           "--window-size=900,640"):
            options.add_argument(arg)
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        if language:
            # A browser set to that language (its preference, as the settings page writes it).
            options.add_argument("--lang=" + language.split(",")[0])
            options.add_experimental_option("prefs", {"intl.accept_languages": language})
        service = Service(self.DRIVER, env=display.env if display else None)
        super().__init__(webdriver.Chrome(service=service, options=options))

    def cdp(self, command, params=None):
        return self.d.execute_cdp_cmd(command, params or {})

    def set_viewport(self, width, height, density):
        self.cdp("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": height, "deviceScaleFactor": density, "mobile": False})
        # Headless Chromium draws a frame, and so tells the page about the new density, only
        # when something asks for one: a screenshot does.
        self.d.get_screenshot_as_png()

    def reset_viewport(self):
        self.cdp("Emulation.clearDeviceMetricsOverride")

    def console_errors(self):
        return [e["message"] for e in self.d.get_log("browser") if e["level"] == "SEVERE"]

    def close(self):
        try:
            self.d.quit()
        finally:
            shutil.rmtree(self.profile, ignore_errors=True)


class WebKit(SeleniumEngine):
    name = "webkit"
    DRIVER = "/usr/bin/WebKitWebDriver"
    needs_console_probe = True

    def __init__(self, screen=(1280, 1024), window=(900, 700)):
        try:
            from selenium import webdriver
            from selenium.webdriver.webkitgtk.options import Options
        except ImportError:
            raise Unavailable("python3-selenium is not installed")
        if not os.access(self.DRIVER, os.X_OK):
            raise Unavailable("%s is not installed (Debian package webkit2gtk-driver)"
                              % self.DRIVER)
        browsers = sorted(p for p in (os.path.join(d, "MiniBrowser") for d in
                                      _webkit_folders()) if os.access(p, os.X_OK))
        if not browsers:
            raise Unavailable("WebKitGTK's MiniBrowser is not installed (Debian package "
                              "webkit2gtk-driver brings it)")
        try:
            self.xvfb = h.Display(screen="%dx%dx24" % screen)
        except h.Failure as why:
            raise Unavailable(str(why))
        # The web process's bubblewrap sandbox needs user namespaces, which a build root (a
        # chroot, a container) may not offer; the browser only ever loads the test's own pages.
        env = dict(self.xvfb.env, GDK_BACKEND="x11",
                   WEBKIT_DISABLE_COMPOSITING_MODE="1", GTK_A11Y="none", NO_AT_BRIDGE="1",
                   WEBKIT_DISABLE_SANDBOX_THIS_IS_DANGEROUS="1")
        env.pop("WAYLAND_DISPLAY", None)
        options = Options()
        options.binary_location = browsers[-1]
        options.add_argument("--automation")
        # The driver runs on the X server of its own, so it is started here with that display.
        with socket.socket() as probe:
            probe.bind(("127.0.0.1", 0))
            port = probe.getsockname()[1]
        # QUINTOZ_WEBKIT_LOG names a file for the driver's and the browser's messages.
        with open(os.environ.get("QUINTOZ_WEBKIT_LOG", os.devnull), "w") as log:
            self.service = subprocess.Popen(
                [self.DRIVER, "--port=%d" % port, "--host=127.0.0.1"], env=env,
                stdout=subprocess.DEVNULL, stderr=log)
        try:
            wait_for_port(port, h.DEADLINE)
            driver = webdriver.Remote(command_executor="http://127.0.0.1:%d" % port,
                                      options=options)
        except Exception as error:
            self._stop()
            raise Unavailable("WebKitWebDriver did not start MiniBrowser: %s"
                              % (str(error).splitlines() or ["no reason given"])[0])
        super().__init__(driver)
        self.d.set_window_rect(0, 0, *window)

    def canvas_png(self):
        # WebKitWebDriver's screenshots wait for a composited frame that MiniBrowser on Xvfb
        # never reports, and hang; the canvas's own picture is what the game drew.
        import base64
        url = self.js("return document.querySelector('canvas').toDataURL('image/png')")
        return base64.b64decode(url.split(",", 1)[1])

    def screenshot(self, path):
        pass

    def set_viewport(self, width, height, density):
        if density != 1:
            raise Unsupported("WebKitWebDriver cannot emulate a denser screen")
        self.d.set_window_rect(0, 0, width, height)

    def reset_viewport(self):
        self.d.set_window_rect(0, 0, 900, 700)

    def console_errors(self):
        errors = self.js("return window.__quintozConsoleErrors || null")
        if errors is None:
            raise Unsupported("the page has no console probe")
        return errors

    def _stop(self):
        stop_process(self.service)
        self.xvfb.close()

    def close(self):
        try:
            self.d.quit()
        finally:
            self._stop()


def stop_process(process):
    """Ends a program this module started, and waits for it."""
    process.terminate()
    try:
        process.wait(10)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


def wait_for_port(port, seconds):
    def listening():
        try:
            with socket.create_connection(("127.0.0.1", port), timeout=1):
                return True
        except OSError:
            return False
    try:
        h.wait_until("a program listening on port %d" % port, listening, seconds)
    except h.Failure as why:
        raise Unavailable(str(why))


def _webkit_folders():
    """Where Debian's WebKitGTK keeps its programs (webkit2gtk-4.1, or webkitgtk-6.0 in newer
    releases), under /usr/lib or /usr/lib/ARCH."""
    ours = lambda name: name.startswith(("webkit2gtk-", "webkitgtk-"))
    for root in ("/usr/lib", "/usr/libexec"):
        for folder in sorted(os.listdir(root)) if os.path.isdir(root) else []:
            path = os.path.join(root, folder)
            if ours(folder):
                yield path
            elif os.path.isdir(path) and not os.path.islink(path):
                try:
                    yield from (os.path.join(path, f) for f in os.listdir(path) if ours(f))
                except OSError:
                    pass


# ---- Firefox over WebDriver BiDi


class Firefox(Engine):
    name = "firefox"
    BROWSER = "/usr/bin/firefox-esr"
    PREFS = {
        "browser.shell.checkDefaultBrowser": False,
        "browser.startup.homepage_override.mstone": "ignore",
        "browser.aboutwelcome.enabled": False,
        "datareporting.policy.dataSubmissionEnabled": False,
        "toolkit.telemetry.reportingpolicy.firstRun": False,
        "app.update.disabledForTesting": True,
        "extensions.update.enabled": False,
        "browser.safebrowsing.update.enabled": False,
        "network.captive-portal-service.enabled": False,
        "network.connectivity-service.enabled": False,
        "layout.css.devPixelsPerPx": "1.0",
        # No bar about data reporting, which a screen reader would read out mid-game.
        "datareporting.policy.dataSubmissionPolicyBypassNotification": True,
    }

    def __init__(self, display=None, start="about:blank"):
        try:
            import websocket
        except ImportError:
            raise Unavailable("python3-websocket is not installed")
        if not os.access(self.BROWSER, os.X_OK):
            raise Unavailable("%s is not installed (Debian package firefox-esr)" % self.BROWSER)
        self.profile = h.private_folder()
        with open(os.path.join(self.profile, "user.js"), "w") as prefs:
            for key, value in self.PREFS.items():
                prefs.write("user_pref(%s, %s);\n" % (json.dumps(key), json.dumps(value)))
        if display:
            # Firefox opens its accessibility tree when the accessibility bus says a screen
            # reader is on, as Orca tells it when it starts; GNOME_ACCESSIBILITY says so
            # outright, whichever starts first.
            env = dict(display.env, MOZ_CRASHREPORTER_DISABLE="1", GNOME_ACCESSIBILITY="1")
            view = []
        else:
            env = dict(os.environ, MOZ_HEADLESS="1", MOZ_CRASHREPORTER_DISABLE="1")
            view = ["--headless"]
        self.process = subprocess.Popen(
            [self.BROWSER] + view + ["--no-remote", "--remote-debugging-port=0",
                                     "--profile", self.profile, "--window-size=900,640",
                                     start],
            stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, env=env, text=True)
        address = self._listening_address()
        self.ws = websocket.create_connection(address + "/session", timeout=60,
                                              suppress_origin=True)
        self.ids = itertools.count(1)
        self.errors = []
        self.replies = {}
        self.send("session.new", {"capabilities": {"alwaysMatch": {
            "acceptInsecureCerts": True, "unhandledPromptBehavior": {"default": "ignore"}}}})
        self.send("session.subscribe", {"events": ["log.entryAdded"]})
        tree = self.send("browsingContext.getTree", {"maxDepth": 0})
        self.context = tree["contexts"][0]["context"]
        self.send("browsingContext.setViewport", {"context": self.context,
                                                  "viewport": {"width": 900, "height": 640}})

    def _listening_address(self):
        lines = queue.Queue()

        def read():
            for line in self.process.stderr:
                lines.put(line)
            lines.put(None)

        threading.Thread(target=read, daemon=True).start()
        end = time.monotonic() + 60
        while time.monotonic() < end:
            try:
                line = lines.get(timeout=end - time.monotonic())
            except queue.Empty:
                break
            if line is None:
                break
            found = re.search(r"WebDriver BiDi listening on (ws://\S+)", line)
            if found:
                return found.group(1)
        self._stop()
        raise Unavailable("firefox-esr did not offer WebDriver BiDi within a minute")

    def send(self, method, params):
        """Sends one BiDi command and waits for its answer, keeping the events that come."""
        number = next(self.ids)
        self.ws.send(json.dumps({"id": number, "method": method, "params": params}))
        while True:
            message = json.loads(self.ws.recv())
            if message.get("type") == "event":
                if message["method"] == "log.entryAdded" and message["params"].get(
                        "level") == "error":
                    self.errors.append(message["params"].get("text", ""))
                continue
            if message.get("id") != number:
                continue
            if message.get("type") == "error":
                text = "%s: %s" % (message.get("error"), message.get("message"))
                if message.get("error") == "unsupported operation":
                    raise Unsupported(text)
                raise RuntimeError("%s failed: %s" % (method, text))
            return message["result"]

    def goto(self, url):
        self.send("browsingContext.navigate", {"context": self.context, "url": url,
                                               "wait": "complete"})

    def js(self, body, *args):
        source = ("Promise.resolve((function () {%s}).apply(null, %s)).then(function (v) {"
                  " return JSON.stringify(v ?? null); })" % (body, json.dumps(list(args))))
        result = self.send("script.evaluate", {"expression": source, "awaitPromise": True,
                                               "target": {"context": self.context}})
        if result.get("type") == "exception":
            raise RuntimeError("script failed: %s" % result["exceptionDetails"].get("text"))
        return json.loads(result["result"]["value"])

    def actions(self, sources):
        try:
            self.send("input.performActions", {"context": self.context, "actions": sources})
        finally:
            self.send("input.releaseActions", {"context": self.context})

    def canvas_png(self):
        import base64
        found = self.send("script.evaluate", {
            "expression": "document.querySelector('canvas')", "awaitPromise": False,
            "resultOwnership": "root", "target": {"context": self.context}})
        node = found["result"]
        shot = self.send("browsingContext.captureScreenshot", {
            "context": self.context, "clip": {"type": "element",
                                              "element": {"sharedId": node["sharedId"]}}})
        return base64.b64decode(shot["data"])

    def set_viewport(self, width, height, density):
        self.send("browsingContext.setViewport", {
            "context": self.context, "viewport": {"width": width, "height": height},
            "devicePixelRatio": density})

    def reset_viewport(self):
        self.set_viewport(900, 640, 1)

    def console_errors(self):
        # A harmless command collects the events that arrived since the last one.
        self.send("browsingContext.getTree", {"maxDepth": 0})
        return list(self.errors)

    def screenshot(self, path):
        import base64
        shot = self.send("browsingContext.captureScreenshot", {"context": self.context})
        with open(path, "wb") as f:
            f.write(base64.b64decode(shot["data"]))

    def _stop(self):
        stop_process(self.process)
        shutil.rmtree(self.profile, ignore_errors=True)

    def close(self):
        try:
            self.send("session.end", {})
        except Exception:
            pass
        try:
            self.ws.close()
        finally:
            self._stop()


def open_engine(name, display=None, start=None, language=None):
    if language:
        return Chromium(display, language)
    if not display:
        return {"chromium": Chromium, "firefox": Firefox, "webkit": WebKit}[name]()
    if name == "firefox":
        # A page Firefox opens later leaves the keyboard in its address bar.
        return Firefox(display, start)
    if name != "chromium":
        raise Unsupported("%s in a window on a display of the test's own" % name)
    engine = Chromium(display)  # its driver gives the keyboard to the page it opens
    engine.goto(start)
    return engine
