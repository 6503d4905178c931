#!/usr/bin/python3
"""The browser panel's figures, in headless Chromium against tonel-web and a virtual processor on loopback.

first paint: a room page (#/room1/microphone) loaded in a fresh Chromium (cold cache), five times;
  Chromium's own paint timing (first-contentful-paint) and the moment its first control appeared
  (a MutationObserver installed before the page's scripts), both from the navigation's start.
drag to frame: the pointer held on the microphone's main level and moved 60 times by a fixed step,
  60 ms apart; each frame is timed from the page's input event that first gave its value
  (performance.timeOrigin + event.timeStamp, the wall clock when Chromium made the event) to the
  arrival of the processor's "< FRAME" line on the emulator's stdout (time.time() on the thread
  reading it). Both clocks are this machine's; WebDriver's own round trip is not in the figure.

Usage: bench/bench_panel.py   (TONEL_BUILD_DIR names the build, else ./build)
"""

import contextlib
import os
import statistics
import sys
import unittest

sys.dont_write_bytecode = True  # nothing left behind in the source tree
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "web", "browser"))
import harness  # noqa: E402
from selenium.webdriver.common.action_chains import ActionChains  # noqa: E402

RUNS = 5
MOVES = 60
LEVEL = "mic.main_level"
GAP = 0.06  # s between moves: a finger's pace, each move its own frame
RECORD_INPUTS = """
window.__inputs = [];
arguments[0].addEventListener('input', (e) => window.__inputs.push([performance.timeOrigin + e.timeStamp,
                                                                    Number(e.target.value)]));
"""
MARK_CONTROLS = """
new MutationObserver((_, observer) => {
  if (document.querySelector('[data-param]')) { window.__controlsAt = performance.now(); observer.disconnect(); }
}).observe(document, {childList: true, subtree: true});
"""


def first_paint(url):
    paints, controls = [], []
    for _ in range(RUNS):
        driver = harness.chrome(harness.TABLET)
        try:
            driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": MARK_CONTROLS})
            driver.get(url + "#/room1/microphone")
            harness.wait(driver, lambda d: d.execute_script(
                "return window.__controlsAt !== undefined && "
                "performance.getEntriesByName('first-contentful-paint').length > 0"), harness.START_DEADLINE)
            paints.append(driver.execute_script(
                "return performance.getEntriesByName('first-contentful-paint')[0].startTime"))
            controls.append(driver.execute_script("return window.__controlsAt"))
        finally:
            driver.quit()
    return paints, controls


def drag_to_frame(url, emulator, catalog):
    driver = harness.chrome(harness.TABLET)
    try:
        driver.get(url + "#/room1/microphone")
        selector = f'input[type=range][data-param="{LEVEL}"]'
        harness.wait(driver, lambda d: harness.css(d, '#room-status[data-state="connected"]')
                     and harness.usable(d, selector), harness.START_DEADLINE)
        slider = harness.first_usable(unittest.TestCase(), driver, selector)
        driver.execute_script(RECORD_INPUTS, slider)
        low, high = int(slider.get_attribute("min")), int(slider.get_attribute("max"))
        step = max(2, round(slider.size["width"] / (high - low) * 1.5))  # a new value at every move
        prefix = catalog.entries[LEVEL]["command"].split("%")[0]
        emulator.lines.drain()
        drag = ActionChains(driver, duration=0).move_to_element_with_offset(slider, -slider.size["width"] // 2 + 2, 0)
        drag.click_and_hold().pause(GAP)
        for i in range(MOVES):
            drag.move_by_offset(step if (i // 15) % 2 == 0 else -step, 0).pause(GAP)
        drag.release().perform()
        inputs = driver.execute_script("return window.__inputs")
        frames = []
        while not frames or frames[-1][1] != inputs[-1][1] or frames[-1][0] < inputs[-1][0]:
            at, frame = emulator.frame(lambda f: f.startswith(prefix), what="the last move's frame")
            frames.append((at * 1000, int(frame[len(prefix):-1])))
        return pair(inputs, frames), len(inputs)
    finally:
        driver.quit()


def pair(inputs, frames):
    """For each frame, the time since the first input event that gave its value (after the last paired)."""
    latencies, next_input = [], 0
    for at, value in frames:
        for i in range(next_input, len(inputs)):
            if inputs[i][1] == value and inputs[i][0] <= at:
                latencies.append(at - inputs[i][0])
                next_input = i + 1
                break
    return latencies


def percentile(values, share):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(round(share * (len(ordered) - 1))))]


def main():
    with contextlib.ExitStack() as stack:
        emulator = harness.Emulator()
        stack.callback(emulator.stop)
        web = harness.TonelWeb({"room1": emulator.address})
        stack.callback(web.stop)
        web.wait_connected(["room1"])
        paints, controls = first_paint(web.url)
        print(f"first contentful paint, ms: median {statistics.median(paints):.1f} "
              f"(runs {', '.join(f'{p:.1f}' for p in paints)}); target <= 300")
        print(f"first control shown, ms: median {statistics.median(controls):.1f} "
              f"(runs {', '.join(f'{c:.1f}' for c in controls)})")
        latencies, moves = drag_to_frame(web.url, emulator, harness.Catalog())
        print(f"slider drag to frame, ms over {len(latencies)} frames of {moves} input events: median {statistics.median(latencies):.1f}, "
              f"p95 {percentile(latencies, 0.95):.1f}, max {max(latencies):.1f}; target p95 <= 50")
    with open("/proc/cpuinfo") as info:
        cpu = next(line.split(":", 1)[1].strip() for line in info if line.startswith("model name"))
    print(f"{cpu}, {os.cpu_count()} cores, load average {os.getloadavg()[0]:.1f} (other work shares the machine)")


if __name__ == "__main__":
    main()
