"""What others change appears within a second; a processor that goes away greys the page and comes back."""

import json
import unittest
import urllib.request

from selenium.webdriver.common.keys import Keys

import harness
from harness import css, first_usable, wait

FOLLOW_DEADLINE = 1.0
OFFLINE_DEADLINE = 3.0


class Live(harness.PanelTest):
    rooms = 2

    def patch(self, room, body):
        request = urllib.request.Request(f"{self.web.url}api/processors/{room}/parameters", method="PATCH",
                                         data=json.dumps(body).encode(), headers={"Content-Type": "application/json"})
        urllib.request.urlopen(request, timeout=5).read()

    def test_a_change_made_elsewhere_appears_within_a_second(self):
        first, second = self.browser(), self.browser()
        for driver in (first, second):
            self.open_room(driver, "room1", "microphone")
        level = 'input[type=range][data-param="mic.main_level"]'
        shows = lambda raw: lambda d: css(d, level)[0].get_property("value") == str(raw)
        raw = self.web.raws("room1")["mic.main_level"]
        sources = {"another browser": lambda: first_usable(self, first, level).send_keys(Keys.ARROW_LEFT),
                   "a script": lambda: self.patch("room1", {"mic.main_level": raw - 2})}
        for expected, (source, change) in zip((raw - 1, raw - 2), sources.items()):
            with self.subTest(source=source):
                change()
                wait(second, shows(expected), FOLLOW_DEADLINE, f"{source}'s change not shown within 1 s")

    def test_a_processor_that_goes_away_greys_the_page_and_returns(self):
        driver = self.browser()
        self.open_room(driver, "room2", "music")
        emulator = self.emulators["room2"]
        emulator.stop()
        wait(driver, lambda d: css(d, '#room-status[data-state="offline"]') and css(d, "#room.offline"),
             OFFLINE_DEADLINE, "not shown offline within 3 s")
        self.assertTrue(css(driver, "#room-status")[0].text.strip(), "offline without a reason")
        self.assertFalse(harness.usable(driver, "[data-param]"), "controls still usable while offline")
        restarted = harness.Emulator(emulator.port)
        self.addCleanup(restarted.stop)
        self.emulators["room2"] = restarted
        wait(driver, lambda d: css(d, '#room-status[data-state="connected"]') and not css(d, "#room.offline"),
             harness.START_DEADLINE, "did not come back")
        self.assertTrue(harness.usable(driver, "[data-param]"), "controls not usable again")


if __name__ == "__main__":
    unittest.main()
