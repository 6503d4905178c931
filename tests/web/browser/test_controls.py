"""On every page, one control of each kind operated as a user would, and the exact frame it sends."""

import unittest

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys

import harness
from harness import PAGES, choice_other_than_current, choose, first_usable


class EveryKindOnEveryPage(harness.PanelTest):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.web.api("api/processors/room1/mode", "POST", b'{"mode": "full"}')  # every control enabled

    def setUp(self):
        self.driver = self.browser()
        self.emulator = self.emulators["room1"]
        self.values = {e["name"]: e["values"] for e in self.web.api("api/parameters")}

    def sends(self, name, raw):
        """The next frame at the processor is exactly the one setting `name` to `raw`."""
        expected = self.catalog.frame(name, raw, self.before)
        self.assertEqual(self.emulator.next_setting(), expected, f"{name} -> {raw}")

    def slider_by_keys(self):
        slider = first_usable(self, self.driver, "input[type=range][data-param]")
        name, raw = slider.get_attribute("data-param"), int(slider.get_property("value"))
        up = raw < int(slider.get_attribute("max"))
        slider.send_keys(Keys.ARROW_RIGHT if up else Keys.ARROW_LEFT)
        self.sends(name, raw + 1 if up else raw - 1)

    def slider_by_pointer(self):
        slider = first_usable(self, self.driver, "input[type=range][data-param]")
        name, start = slider.get_attribute("data-param"), int(slider.get_property("value"))
        low, high = int(slider.get_attribute("min")), int(slider.get_attribute("max"))
        width = slider.size["width"]
        # Pressed beside the thumb, dragged on to a quarter of the way from the far end: the value follows.
        side = -1 if start - low > (high - low) / 2 else 1
        ActionChains(self.driver).move_to_element_with_offset(slider, side * width // 8, 0).click_and_hold() \
            .move_by_offset(side * width // 16, 0).move_by_offset(side * width // 16, 0).release().perform()
        final = int(slider.get_property("value"))
        share = (final - low) / (high - low)
        self.assertAlmostEqual(share, 0.5 + side * 0.25, delta=0.08, msg=f"{name} did not follow the pointer")
        expected = self.catalog.frame(name, final, self.before)
        self.emulator.expect(expected)  # the moves before it may have sent frames of their own

    def choice(self):
        element = first_usable(self, self.driver, 'select[data-param]:not([data-param$=".type"]):not('
                               '[data-param="global.effect_program"]), div[role=radiogroup][data-param]'
                               ':not([data-param$=".type"]):not([data-param="global.effect_program"])')
        raw, target = choice_other_than_current(element)
        choose(element, target)
        self.sends(element.get_attribute("data-param"), raw)

    def step_buttons(self):
        up = first_usable(self, self.driver, "button[data-step=up][data-for]")
        name = up.get_attribute("data-for")
        raw = self.before[name]
        if raw >= self.values[name][-1]["raw"]:
            up = first_usable(self, self.driver, f'button[data-step=down][data-for="{name}"]')
            up.click()
            return self.sends(name, raw - 1)
        up.click()
        self.sends(name, raw + 1)

    def typed_frequency(self):
        field = first_usable(self, self.driver, 'input[type=text][data-param$=".freq"]')
        name = field.get_attribute("data-param")
        raw = self.before[name] + (10 if self.before[name] < 100 else -10)
        step = next(v for v in self.values[name] if v["raw"] == raw)
        field.send_keys(Keys.CONTROL, "a")
        field.send_keys(str(step["value"]), Keys.ENTER)  # in plain hertz: shown afterwards as the panel writes it
        self.sends(name, raw)
        harness.wait(self.driver, lambda d: field.get_property("value") == step["input"],
                     message=f"{name} shows {field.get_property('value')!r}, not {step['input']!r}")

    def band_type(self):
        element = first_usable(self, self.driver, 'select[data-param$=".type"], div[role=radiogroup][data-param$=".type"]')
        raw, target = choice_other_than_current(element)
        choose(element, target)
        self.sends(element.get_attribute("data-param"), raw)

    def test_each_kind_sends_its_exact_frame(self):
        kinds = (self.slider_by_keys, self.slider_by_pointer, self.choice, self.step_buttons, self.typed_frequency,
                 self.band_type)
        for page in PAGES:
            self.open_room(self.driver, "room1", page)
            for kind in kinds:
                with self.subTest(page=page, kind=kind.__name__):
                    self.before = self.web.raws("room1")
                    self.emulator.lines.drain()
                    kind()

    def test_actions_send_their_frames(self):
        self.open_room(self.driver, "room1", "system")
        table = (("button[data-mode=easy]", "(01O0)"), ("button[data-mode=full]", "(01O1)"),
                 ("button[data-action=store]", "(01S)"), ("button[data-action=read]", "(01Q)"))
        for selector, frame in table:
            with self.subTest(action=selector):
                self.emulator.lines.drain()
                first_usable(self, self.driver, selector).click()
                self.assertEqual(self.emulator.frame(lambda f: f != "(01hello)")[1], frame)
                if "data-mode" in selector:
                    harness.wait(self.driver, lambda d: harness.css(d, selector + "[aria-pressed=true]"),
                                 message=f"{selector} not shown pressed")


if __name__ == "__main__":
    unittest.main()
