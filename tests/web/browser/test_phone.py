"""On a phone (390×844) and a tablet (1024×768): nothing wider than the screen, nothing smaller than a finger,
on every page."""

import unittest

import harness
from harness import PAGES, PHONE

FINGER = 40
CONTROLS = ("#rooms a.room, [data-param]:not([role=radiogroup]), [role=radiogroup] button, button[data-tab], button[data-action], "
            "button[data-mode], button[data-step], input[type=file][data-action]")
_TOO_SMALL = """
const shown = e => e.getClientRects().length > 0 && getComputedStyle(e).visibility !== 'hidden'
    && getComputedStyle(e).opacity !== '0';
return [...document.querySelectorAll(arguments[0])].filter(shown)
    .filter(e => e.getBoundingClientRect().height < arguments[1])
    .map(e => (e.dataset.param || e.dataset.tab || e.dataset.action || e.dataset.mode || e.dataset.step || e.dataset.room || e.tagName)
              + ' ' + Math.round(e.getBoundingClientRect().height) + 'px');
"""


class Phone(harness.PanelTest):
    def test_every_page_fits_and_every_control_is_finger_sized(self):
        for size in (PHONE, harness.TABLET):
            driver = self.browser(size, mobile=size == PHONE)
            for page in ("rooms",) + PAGES:
                with self.subTest(size=size, page=page):
                    self.check(driver, size, page)

    def check(self, driver, size, page):
        if page == "rooms":
            driver.get(self.web.url)
            harness.wait(driver, lambda d: harness.css(d, "#rooms a.room"), harness.START_DEADLINE)
        else:
            self.open_room(driver, "room1", page)
        width = driver.execute_script("return document.scrollingElement.scrollWidth")
        self.assertLessEqual(width, size[0], "the page scrolls sideways")
        self.assertEqual(driver.execute_script(_TOO_SMALL, CONTROLS, FINGER), [])


if __name__ == "__main__":
    unittest.main()
