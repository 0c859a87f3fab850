"""The main window from the keyboard alone, with real key presses from the X server;
the focus is read where a screen reader reads it."""

import unittest

import pyatspi

from corvane_e2e import CODE_KEYS, CODE_POLLING_RATE, PAYLOAD, ProgramTestCase, states_of, wait_for

POLL_500_HZ = 0x02
RIGHT_CLICK = bytes([0x10, 0x02, 0x00])


class KeyboardTest(ProgramTestCase):

    def setUp(self):
        super().setUp()
        self.program.focus_main_window()

    def test_tab_reaches_500_hz_and_space_sends_the_rate(self):
        radio = self.find(pyatspi.ROLE_RADIO_BUTTON, "500 Hz")
        self.program.tab_to(radio)
        before = len(self.program.reports())
        self.program.keys("space")
        sent = self.program.wait_for_command(CODE_POLLING_RATE, before)
        self.assertEqual(sent[0].bytes[PAYLOAD], POLL_500_HZ)
        wait_for(lambda: pyatspi.STATE_CHECKED in states_of(radio), what="500 Hz to show checked")
        # Enter and Escape do not end the main window.
        self.program.keys("Return", "Escape")
        self.assertTrue(self.program.running())
        self.assertIn(pyatspi.STATE_SHOWING, states_of(self.main))

    def test_a_drop_down_opens_with_space_and_its_list_is_chosen_from_with_the_arrows(self):
        drop_down = self.find(pyatspi.ROLE_PUSH_BUTTON, prefix="Button 3: ")
        self.program.tab_to(drop_down)
        self.program.keys("space")
        menu = self.program.window(pyatspi.ROLE_POPUP_MENU)
        right_click = self.program.find(menu, pyatspi.ROLE_MENU_ITEM, "Right Click")
        # Down from nothing lands on the first entry; Right Click is the second.
        self.program.keys("Down", "Down")
        wait_for(lambda: pyatspi.STATE_SELECTED in states_of(right_click), what="Right Click under the keyboard")
        before = len(self.program.reports())
        self.program.keys("Return")
        sent = self.program.wait_for_command(CODE_KEYS, before)
        start = PAYLOAD + 3 * 2
        self.assertEqual(sent[-1].bytes[start:start + 3], RIGHT_CLICK)
        self.find(pyatspi.ROLE_PUSH_BUTTON, "Button 3: Right Click")


if __name__ == "__main__":
    unittest.main(verbosity=2, warnings="ignore")
