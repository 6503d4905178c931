"""The landing page: every processor of the fleet with its state, why it is offline, its last read."""

import unittest

import harness
from harness import css, wait


class RoomList(harness.PanelTest):
    rooms = 2
    extra_ports = {"lobby": f"tcp://127.0.0.1:{harness.free_port()}"}  # nobody listens there

    def test_lists_every_room_with_its_state(self):
        listed = {p["name"]: p for p in self.web.api("api/processors")["processors"]}
        self.assertEqual(listed["lobby"]["state"], "offline")
        self.assertEqual(listed["lobby"]["reason"], "connection refused")
        expected = {name: p["state"] for name, p in listed.items()}
        shown = lambda d: {a.get_attribute("data-room"): a.get_attribute("data-state") for a in css(d, "#rooms a.room")}
        # The service's reason, in the page's language.
        for language, refused in (("en-GB", "connection refused"), ("zh-CN", "连接被拒绝")):
            driver = self.browser(language=language)
            driver.get(self.web.url)
            wait(driver, lambda d: shown(d) == expected, harness.START_DEADLINE, f"rooms shown: {shown(driver)}")
            for name, processor in listed.items():
                with self.subTest(room=name, language=language):
                    room = css(driver, f'#rooms a.room[data-room="{name}"]')[0]
                    reason = room.find_element(harness.By.CSS_SELECTOR, ".reason").text
                    last_read = room.find_element(harness.By.CSS_SELECTOR, ".last-read").text
                    self.assertEqual(reason, refused if processor["state"] == "offline" else "")
                    self.assertTrue(last_read.strip(), f"{name} shows no last read (nor that it never was)")

    def test_tapping_a_room_opens_it(self):
        driver = self.browser()
        driver.get(self.web.url)
        wait(driver, lambda d: css(d, '#rooms a.room[data-room="room2"][data-state="connected"]'),
             harness.START_DEADLINE)
        css(driver, '#rooms a.room[data-room="room2"]')[0].click()
        wait(driver, lambda d: css(d, '#room[data-room="room2"]') and css(d, "[data-param]"), harness.START_DEADLINE,
             "room2 did not open")

    def test_language_follows_the_browser_until_chosen(self):
        for language, tab, chosen, chosen_tab in (("zh-CN", "效果", "en", "Effect"), ("en-GB", "Effect", "zh", "效果")):
            with self.subTest(browser=language):
                driver = self.browser(language=language)
                self.open_room(driver, "room1", "effect")
                effect_tab = lambda d: css(d, "button[data-tab=effect]")[0].text.strip()
                self.assertEqual((driver.find_element(harness.By.TAG_NAME, "html").get_attribute("lang"),
                                  effect_tab(driver)), (language[:2], tab))
                css(driver, "button[data-action=lang]")[0].click()
                driver.refresh()  # the choice is remembered
                self.open_room(driver, "room1", "effect")
                wait(driver, lambda d: d.find_element(harness.By.TAG_NAME, "html").get_attribute("lang") == chosen
                     and effect_tab(d) == chosen_tab, message=f"{chosen} not kept")


if __name__ == "__main__":
    unittest.main()
