#!/usr/bin/python3
"""The browser panel's figures, in headless Chromium against tonel-web and a virtual processor on loopback.

first paint: a room page (#/room1/microphone) loaded in a fresh Chromium (cold cache), five times;
  Chromium's own paint timing (first-contentful-paint) and the moment its first control appeared
  (a MutationObserver installed before the page's scripts), both from the navigation's start.
drag to frame: the pointer held on the microphone's main level and moved 60 times by a fixed step;
  each move is timed from just before WebDriver dispatches it to the arrival of the processor's
  "< FRAME" line on the emulator's stdout (stamped by the thread reading it), so the figure
  includes WebDriver's own round trip and is an upper bound of the panel's and the service's part.

Usage: bench/bench_panel.py   (TONEL_BUILD_DIR names the build, else ./build)
"""

import contextlib
import os
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "web", "browser"))
import harness  # noqa: E402
from selenium.webdriver.common.action_chains import ActionChains  # noqa: E402

RUNS = 5
MOVES = 60
LEVEL = "mic.main_level"
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
        harness.wait(driver, lambda d: harness.css(d, '#room-status[data-state="connected"]')
                     and harness.usable(d, f'input[type=range][data-param="{LEVEL}"]'), harness.START_DEADLINE)
        slider = harness.usable(driver, f'input[type=range][data-param="{LEVEL}"]')[0]
        low, high = int(slider.get_attribute("min")), int(slider.get_attribute("max"))
        step = max(2, int(slider.size["width"] / (high - low) * 1.5))  # at least one value per move
        prefix = catalog.entries[LEVEL]["command"].split("%")[0]
        ActionChains(driver).move_to_element_with_offset(slider, -slider.size["width"] // 2 + 2, 0) \
            .click_and_hold().perform()
        emulator.frame(lambda f: f.startswith(prefix), what="the press's frame")
        latencies, direction = [], 1
        for i in range(MOVES):
            if i and i % 20 == 0:
                direction = -direction
            emulator.lines.drain()
            started = time.monotonic()
            ActionChains(driver).move_by_offset(direction * step, 0).perform()
            arrived, _ = emulator.frame(lambda f: f.startswith(prefix), what=f"move {i}'s frame")
            latencies.append((arrived - started) * 1000)
        ActionChains(driver).release().perform()
        return latencies
    finally:
        driver.quit()


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
        latencies = drag_to_frame(web.url, emulator, harness.Catalog())
        print(f"slider drag to frame, ms over {len(latencies)} moves: median {statistics.median(latencies):.1f}, "
              f"p95 {percentile(latencies, 0.95):.1f}, max {max(latencies):.1f}; target p95 <= 50")
    with open("/proc/cpuinfo") as info:
        print(next(line.split(":", 1)[1].strip() for line in info if line.startswith("model name")))


if __name__ == "__main__":
    main()
