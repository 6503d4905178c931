"""Download gives the processor's image as ROOM.cfg; upload asks first, then sends the whole image."""

import os
import unittest

import harness
from harness import css, wait

LEVEL_OFFSET = 59  # mic.main_level


def upload_frame(image):
    return "(01P376" + image.hex().upper() + ")"


class Files(harness.PanelTest):
    def setUp(self):
        self.folder = harness.temporary_folder(self)
        self.driver = self.browser(download_dir=self.folder)
        self.open_room(self.driver, "room1", "system")

    def test_download_equals_the_processors_image(self):
        css(self.driver, "button[data-action=download]")[0].click()
        path = os.path.join(self.folder, "room1.cfg")
        wait(self.driver, lambda d: os.path.exists(path) and os.path.getsize(path) == 188, harness.START_DEADLINE,
             f"no room1.cfg in {os.listdir(self.folder)}")
        with open(path, "rb") as saved:
            self.assertEqual(saved.read(), self.web.api("api/processors/room1/image.cfg", raw=True))

    def test_upload_asks_and_sends_the_p_frame_only_when_confirmed(self):
        image = bytearray(self.web.api("api/processors/room1/image.cfg", raw=True))
        emulator = self.emulators["room1"]
        emulator.lines.drain()
        for level, answer in ((image[LEVEL_OFFSET] - 3, "cancel"), (image[LEVEL_OFFSET] - 5, "confirm")):
            image[LEVEL_OFFSET] = level
            path = os.path.join(self.folder, f"{answer}.cfg")
            with open(path, "wb") as file:
                file.write(image)
            css(self.driver, "input[type=file][data-action=upload]")[0].send_keys(path)
            wait(self.driver, lambda d: css(d, "dialog#confirm[open]"), message="no confirmation")
            self.assertIn("room1", css(self.driver, "dialog#confirm")[0].text)
            css(self.driver, f"dialog#confirm button[data-action={answer}]")[0].click()
        # The cancelled file sent nothing: the first thing after it is the confirmed one.
        self.assertEqual(emulator.next_setting(), upload_frame(image))
        wait(self.driver, lambda d: self.web.api("api/processors/room1/image.cfg", raw=True) == bytes(image),
             message="the service's image is not the uploaded file")


if __name__ == "__main__":
    unittest.main()
