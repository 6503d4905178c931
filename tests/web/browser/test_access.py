"""On a network address the panel shows nothing of the processors until the venue's token is given."""

import re
import subprocess
import unittest

import harness
from harness import css, wait

TOKEN = "browser-test-token-0123456789"


def network_address():
    """One of this machine's addresses that is not loopback, or None."""
    shown = subprocess.run(["ip", "-4", "-o", "addr", "show", "scope", "global"], capture_output=True, text=True,
                           check=False).stdout
    found = re.findall(r"inet (\d+\.\d+\.\d+\.\d+)/", shown)
    return found[0] if found else None


class TokenNeeded(harness.PanelTest):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.address = network_address()
        if cls.address is None:
            return
        folder = harness.tempfile.mkdtemp(prefix="tonel-token-")
        cls.stack.callback(lambda: subprocess.run(["rm", "-rf", folder], check=False))
        with open(f"{folder}/token", "w") as file:
            file.write(TOKEN + "\n")
        cls.guarded = harness.TonelWeb({"room1": cls.emulators["room1"].address}, f"{cls.address}:0",
                                       f"{folder}/token")
        cls.stack.callback(cls.guarded.stop)

    def setUp(self):
        if self.address is None:
            self.skipTest("this machine has no address but loopback")

    def test_without_the_token_only_the_refusal_then_the_token_gets_in(self):
        driver = self.browser()
        driver.get(self.guarded.url)
        login = lambda d: [e for e in css(d, "#login") if e.is_displayed()]
        wait(driver, lambda d: login(d) or "Sign-in needed" in d.page_source, harness.START_DEADLINE,
             "no login refusal")
        self.assertFalse(css(driver, "#rooms a.room, #room, [data-param]"), "the panel shows processors")
        self.assertNotIn("room1", driver.find_element(harness.By.TAG_NAME, "body").text)
        if login(driver):
            css(driver, "#login input#token")[0].send_keys(TOKEN + "\n")
        else:
            driver.get(f"{self.guarded.url}?token={TOKEN}")
        wait(driver, lambda d: css(d, '#rooms a.room[data-room="room1"]'), harness.START_DEADLINE,
             "the token did not get in")


if __name__ == "__main__":
    unittest.main()
