"""Virtual processors, tonel-web and headless Chromium for the browser panel's tests.

Programs come from TONEL_BUILD_DIR (or TONEL_WEB / TONEL_EMULATOR / TONELCTL one by one); the panel
from TONEL_PANEL_DIR, else the source tree's web/panel. Every wait has a deadline; everything
started is ended by the ExitStack that started it, whatever the test did.
"""

import contextlib
import json
import os
import queue
import re
import socket
import subprocess
import tempfile
import threading
import time
import unittest
import urllib.request

from selenium import webdriver
from selenium.webdriver.chrome.service import Service as ChromeService
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import Select, WebDriverWait

SOURCE = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", "..", ".."))
BUILD = os.environ.get("TONEL_BUILD_DIR", os.path.join(SOURCE, "build"))
PROGRAMS = {"TONEL_WEB": "web/server/tonel-web", "TONEL_EMULATOR": "emulator/tonel-emulator",
            "TONELCTL": "tools/tonelctl/tonelctl"}
PANEL_DIR = os.environ.get("TONEL_PANEL_DIR", os.path.join(SOURCE, "web", "panel"))
PHONE = (390, 844)
TABLET = (1024, 768)
PAGES = ("effect", "microphone", "music", "system")
START_DEADLINE = 10.0
FRAME_DEADLINE = 5.0


def program(variable):
    return os.environ.get(variable) or os.path.join(BUILD, PROGRAMS[variable])


class Lines:
    """A child's stdout, one line at a time, read on a thread so that every wait has a deadline."""

    def __init__(self, stream):
        self._queue = queue.Queue()
        self.seen = []
        thread = threading.Thread(target=self._pump, args=(stream,), daemon=True)
        thread.start()

    def _pump(self, stream):
        for line in iter(stream.readline, ""):
            self._queue.put((time.time(), line.rstrip("\n")))  # wall clock, as a page's timestamps
        self._queue.put((time.time(), None))

    def next(self, deadline):
        """(arrival time, line) or None when the deadline (time.monotonic()) passes first."""
        remaining = deadline - time.monotonic()
        try:
            item = self._queue.get(timeout=max(remaining, 0)) if remaining > 0 else self._queue.get_nowait()
        except queue.Empty:
            return None
        if item[1] is None:
            self._queue.put(item)  # the end stays visible to the next reader
            return None
        self.seen.append(item[1])
        return item

    def drain(self):
        while self.next(0) is not None:
            pass

    def wait_for(self, predicate, timeout=FRAME_DEADLINE, what="a line"):
        deadline = time.monotonic() + timeout
        start = len(self.seen)
        while True:
            item = self.next(deadline)
            if item is None:
                raise AssertionError(f"no {what} within {timeout} s; got {self.seen[start:][-12:]}")
            if predicate(item[1]):
                return item


class Emulator:
    """tonel-emulator listening on loopback; `frames` has every frame it receives."""

    def __init__(self, port=0):
        self.process = subprocess.Popen([program("TONEL_EMULATOR"), "--listen", f"127.0.0.1:{port}"],
                                        stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        self.lines = Lines(self.process.stdout)
        first = self.lines.next(time.monotonic() + START_DEADLINE)
        if first is None:
            self.stop()
            raise AssertionError(f"tonel-emulator printed no address: {self.process.stderr.read()}")
        self.address = first[1]
        self.port = int(self.address.rsplit(":", 1)[1])

    def frame(self, predicate, timeout=FRAME_DEADLINE, what="frame"):
        """The next received frame (without "< ") that satisfies predicate, with its arrival time."""
        at, line = self.lines.wait_for(lambda l: l.startswith("< ") and predicate(l[2:]), timeout, what)
        return at, line[2:]

    def next_setting(self, timeout=FRAME_DEADLINE):
        """The next parameter frame: the service's own reads and greetings are not the panel's."""
        return self.frame(lambda f: not re.fullmatch(r"\(01(Q|hello|bye)\)", f), timeout, "parameter frame")[1]

    def expect(self, frame, timeout=FRAME_DEADLINE):
        return self.frame(lambda f: f == frame, timeout, repr(frame))[0]

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(5)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait(5)


class TonelWeb:
    def __init__(self, ports, listen="127.0.0.1:0", token_file=None):
        command = [program("TONEL_WEB"), "--listen", listen, "--panel-dir", PANEL_DIR]
        for name, address in ports.items():
            command += ["--port", f"{name}={address}"]
        if token_file:
            command += ["--token-file", token_file]
        self.process = subprocess.Popen(command, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        first = Lines(self.process.stdout).next(time.monotonic() + START_DEADLINE)
        match = first and re.search(r"(http://\S+/)", first[1])
        if not match:
            self.stop()
            raise AssertionError(f"tonel-web did not start: {self.process.stderr.read()}")
        self.url = match.group(1)

    def api(self, path, method="GET", body=None, token=None, raw=False):
        request = urllib.request.Request(self.url + path.lstrip("/"), method=method, data=body,
                                         headers={"Content-Type": "application/json"} if body else {})
        if token:
            request.add_header("Authorization", "Bearer " + token)
        with urllib.request.urlopen(request, timeout=5) as answer:
            data = answer.read()
        return data if raw else json.loads(data)

    def processor(self, name):
        return self.api(f"api/processors/{name}")

    def raws(self, name):
        return {p["name"]: p["raw"] for p in self.processor(name)["parameters"]}

    def wait_connected(self, names, timeout=START_DEADLINE):
        deadline = time.monotonic() + timeout
        while True:  # polled: the service says nothing on its stdout when a line comes up
            states = {p["name"]: p["state"] for p in self.api("api/processors")["processors"]}
            if all(states.get(n) == "connected" for n in names):
                return
            if time.monotonic() > deadline:
                raise AssertionError(f"processors not connected within {timeout} s: {states}")
            time.sleep(0.05)

    def stop(self):
        Emulator.stop(self)


class Catalog:
    """Each parameter's command form (tonelctl names --json), to compute the exact frame expected."""

    def __init__(self):
        entries = json.loads(subprocess.run([program("TONELCTL"), "names", "--json"], check=True,
                                            capture_output=True, text=True, timeout=30).stdout)
        self.entries = {e["name"]: e for e in entries}

    def frame(self, name, raw, raws):
        """The frame setting `name` to `raw` while the other bytes are `raws` (name -> raw)."""
        template = self.entries[name]["command"]
        if "/" in template or ".." in template:  # (01O0)/(01O1), (01T0)..(01T3), (01CE)/(01CD)
            return f"(01T{raw})" if ".." in template else re.findall(r"\(01\w+\)", template)[raw]
        if template.count("%") == 4:  # a band: type, frequency, gain and Q together
            prefix = name.rsplit(".", 1)[0]
            values = {**raws, name: raw}
            fields = [values[f"{prefix}.{part}"] for part in ("type", "freq", "gain", "q")]
            return template % tuple(fields)
        return template % raw


def chrome(size=TABLET, download_dir=None, mobile=False, language="zh-CN"):
    options = webdriver.ChromeOptions()
    options.binary_location = os.environ.get("CHROMIUM", "/usr/bin/chromium")
    for argument in ("--headless=new", "--no-sandbox", "--disable-dev-shm-usage", "--disable-gpu",
                     "--hide-scrollbars", f"--window-size={size[0]},{size[1]}", f"--lang={language}"):
        options.add_argument(argument)
    prefs = {"intl.accept_languages": language}
    if download_dir:
        prefs.update({"download.default_directory": download_dir, "download.prompt_for_download": False})
    options.add_experimental_option("prefs", prefs)
    service = ChromeService(executable_path=os.environ.get("CHROMEDRIVER", "/usr/bin/chromedriver"))
    driver = webdriver.Chrome(options=options, service=service)
    # The viewport exactly the size asked for, as a phone's or a tablet's screen has it.
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                           {"width": size[0], "height": size[1], "deviceScaleFactor": 1, "mobile": mobile})
    if download_dir:
        driver.execute_cdp_cmd("Browser.setDownloadBehavior", {"behavior": "allow", "downloadPath": download_dir})
    return driver


def wait(driver, condition, timeout=FRAME_DEADLINE, message=""):
    return WebDriverWait(driver, timeout, poll_frequency=0.02).until(condition, message)


def css(driver, selector):
    return driver.find_elements(By.CSS_SELECTOR, selector)


class PanelTest(unittest.TestCase):
    """A test class's rig: `rooms` virtual processors named room1.., one tonel-web, browsers on demand."""

    rooms = 1
    extra_ports = {}  # name -> address of processors that are not there

    @classmethod
    def setUpClass(cls):
        cls.stack = contextlib.ExitStack()
        try:
            cls.emulators = {}
            for i in range(cls.rooms):
                emulator = Emulator()
                cls.stack.callback(emulator.stop)
                cls.emulators[f"room{i + 1}"] = emulator
            cls.web = TonelWeb({**{n: e.address for n, e in cls.emulators.items()}, **cls.extra_ports})
            cls.stack.callback(cls.web.stop)
            cls.web.wait_connected(cls.emulators)
            cls.catalog = Catalog()
        except BaseException:
            cls.stack.close()
            raise

    @classmethod
    def tearDownClass(cls):
        cls.stack.close()

    def browser(self, size=TABLET, **options):
        driver = chrome(size, **options)
        self.addCleanup(driver.quit)
        return driver

    def open_room(self, driver, room, page):
        driver.get(f"{self.web.url}#/{room}/{page}")
        wait(driver, lambda d: css(d, f'#room[data-room="{room}"]') and css(d, '#room-status[data-state="connected"]')
             and css(d, f'button[data-tab="{page}"][aria-selected="true"]') and css(d, "[data-param]"),
             START_DEADLINE, f"{room}/{page} did not open connected")


def temporary_folder(test):
    folder = tempfile.mkdtemp(prefix="tonel-browser-")
    test.addCleanup(lambda: subprocess.run(["rm", "-rf", folder], check=False))
    return folder


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


# The first control matching a selector that a finger could use now: shown, enabled, on screen.
_USABLE = """
const usable = e => e.getClientRects().length > 0 && getComputedStyle(e).visibility !== 'hidden'
    && !e.matches(':disabled') && !e.querySelector('button:disabled') && !e.closest('.offline');
return [...document.querySelectorAll(arguments[0])].filter(usable);
"""


def usable(driver, selector):
    return driver.execute_script(_USABLE, selector)


def first_usable(test, driver, selector):
    found = usable(driver, selector)
    test.assertTrue(found, f"no usable {selector}")
    driver.execute_script("arguments[0].scrollIntoView({block: 'center'})", found[0])
    return found[0]


def choice_other_than_current(element):
    """(raw, option or button) of a choice that is not the one shown now."""
    if element.tag_name == "select":
        current = element.get_property("value")
        options = [o for o in element.find_elements(By.TAG_NAME, "option") if o.get_property("value") != current]
        return int(options[0].get_property("value")), options[0]
    buttons = [b for b in element.find_elements(By.CSS_SELECTOR, "button[data-value]")
               if b.get_attribute("aria-pressed") != "true"]
    return int(buttons[0].get_attribute("data-value")), buttons[0]


def choose(element, target):
    """Picks `target` (from choice_other_than_current) as a user would."""
    if element.tag_name == "select":
        Select(element).select_by_value(target.get_property("value"))
    else:
        target.click()
