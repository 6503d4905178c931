"""A band's handle on the EQ graph dragged: right raises the frequency, up the gain, as the finger moves."""

import re
import unittest

from selenium.webdriver.common.action_chains import ActionChains

import harness
from harness import css

BAND = "mic.eq3"
STEP = (15, -10)


def centre(driver, element):
    """Where an element's centre is in its graph, in CSS pixels from the graph's corner."""
    box, graph = driver.execute_script("return [arguments[0].getBoundingClientRect(), "
                                       "arguments[0].closest('svg').getBoundingClientRect()]", element)
    return box["x"] + box["width"] / 2 - graph["x"], box["y"] + box["height"] / 2 - graph["y"]


class GraphDrag(harness.PanelTest):
    def test_dragging_a_handle_moves_frequency_and_gain(self):
        # Away from the other bands, which all start at 1 kHz and 0 dB, under the handle.
        self.web.api("api/processors/room1/parameters", "PATCH",
                     f'{{"{BAND}.freq": "raw:40", "{BAND}.gain": "raw:16"}}'.encode())
        driver = self.browser()
        self.open_room(driver, "room1", "microphone")
        handle = css(driver, f'svg.eq-graph [data-band="{BAND}"]')
        self.assertTrue(handle, f"no handle for {BAND}")
        before = self.web.raws("room1")
        emulator = self.emulators["room1"]
        emulator.lines.drain()
        band = re.escape(self.catalog.entries[f"{BAND}.freq"]["command"].split("%")[0])
        dot = handle[0].find_element(harness.By.CSS_SELECTOR, ".dot")
        start = centre(driver, dot)
        drag = ActionChains(driver).click_and_hold(dot)
        for _ in range(4):
            drag.move_by_offset(STEP[0], STEP[1])
        drag.release().perform()
        # The frames as sent while dragging: type, frequency, gain, Q of this band.
        fields = []
        while not fields or fields[-1] != [before[f"{BAND}.type"], *self.read_back()[1:3], before[f"{BAND}.q"]]:
            frame = emulator.frame(lambda f: re.match(band, f) is not None, what=f"{BAND} frame")[1]
            fields.append([int(frame[i:i + 3]) for i in range(10, 22, 3)])
        final = fields[-1]
        self.assertGreater(final[1], before[f"{BAND}.freq"], "frequency did not rise")
        self.assertGreater(final[2], before[f"{BAND}.gain"], "gain did not rise")
        for earlier, later in zip(fields, fields[1:]):
            self.assertTrue(later[1] >= earlier[1] and later[2] >= earlier[2], f"went back while dragging: {fields}")
        # Drawn afresh from the service's image, the handle is where the finger let go (within a step).
        driver.refresh()
        self.open_room(driver, "room1", "microphone")
        released = (start[0] + 4 * STEP[0], start[1] + 4 * STEP[1])
        handle_at = lambda d: centre(d, css(d, f'svg.eq-graph [data-band="{BAND}"] .dot')[0])
        harness.wait(driver, lambda d: max(abs(a - b) for a, b in zip(handle_at(d), released)) <= 8,
                     message=f"handle at {handle_at(driver)}, let go at {released}")

    def read_back(self):
        raws = self.web.raws("room1")
        return [raws[f"{BAND}.{part}"] for part in ("type", "freq", "gain", "q")]


if __name__ == "__main__":
    unittest.main()
