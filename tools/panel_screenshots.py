#!/usr/bin/python3
"""Writes the README's pictures of the browser panel: the room list and the four pages of a room, on a
phone (390×844) and a tablet (1024×768), against virtual processors, as docs/web-PAGE-SIZE.png.

Usage: tools/panel_screenshots.py [OUTPUT_FOLDER]   (TONEL_BUILD_DIR names the build, else ./build)
"""

import contextlib
import json
import os
import sys
import urllib.request

sys.dont_write_bytecode = True  # nothing left behind in the source tree
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "web", "browser"))
import harness  # noqa: E402

# Something worth looking at: the full set of controls, shaped bands, the crossovers on.
DEMO = {"global.control_mode": "raw:1", "effect1.eq1.type": "raw:4", "effect1.eq1.freq": "raw:30",
        "effect1.eq1.gain": "raw:32", "mic.eq2.freq": "raw:50", "mic.eq2.gain": "raw:18",
        "mic.eq3.type": "raw:5", "mic.eq3.freq": "raw:85", "music.eq2.freq": "raw:45", "music.eq2.gain": "raw:34",
        "music.eq4.freq": "raw:90", "music.eq4.gain": "raw:14", "room.eq3.freq": "raw:40", "room.eq3.gain": "raw:30",
        "room.eq5.freq": "raw:80", "room.eq5.gain": "raw:18", "sub.high_pass": "raw:8"}
SIZES = {"phone": harness.PHONE, "tablet": harness.TABLET}


def main():
    output = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(harness.SOURCE, "docs"))
    with contextlib.ExitStack() as stack:
        rooms = {}
        for name in ("room01", "room02"):
            rooms[name] = harness.Emulator()
            stack.callback(rooms[name].stop)
        ports = {name: e.address for name, e in rooms.items()}
        web = harness.TonelWeb({**ports, "lobby": f"tcp://127.0.0.1:{harness.free_port()}"})
        stack.callback(web.stop)
        web.wait_connected(rooms)
        request = urllib.request.Request(web.url + "api/processors/room01/parameters", method="PATCH",
                                         data=json.dumps(DEMO).encode(), headers={"Content-Type": "application/json"})
        urllib.request.urlopen(request, timeout=5).read()
        for size, viewport in SIZES.items():
            driver = harness.chrome(viewport, mobile=size == "phone")
            stack.callback(driver.quit)
            driver.get(web.url)
            harness.wait(driver, lambda d: len(harness.css(d, "#rooms a.room[data-state=offline]")) == 1
                         and len(harness.css(d, "#rooms a.room[data-state=connected]")) == 2, harness.START_DEADLINE)
            shoot(driver, os.path.join(output, f"web-rooms-{size}.png"))
            for page in harness.PAGES:
                driver.get(f"{web.url}#/room01/{page}")
                harness.wait(driver, lambda d: harness.css(d, '#room-status[data-state="connected"]')
                             and harness.css(d, f'button[data-tab="{page}"][aria-selected="true"]')
                             and harness.css(d, "svg.eq-graph path"), harness.START_DEADLINE, f"{page} not drawn")
                shoot(driver, os.path.join(output, f"web-{page}-{size}.png"))


def shoot(driver, path):
    driver.execute_script("document.activeElement && document.activeElement.blur(); window.scrollTo(0, 0)")
    driver.save_screenshot(path)
    print(path)


if __name__ == "__main__":
    main()
