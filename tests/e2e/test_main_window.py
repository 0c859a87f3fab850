"""The main window through the accessibility tree: its sections, and what its controls
send to the simulated mouse when assistive technology presses them."""

import unittest

import pyatspi

from corvane_e2e import (CODE_DPI_LEVELS, CODE_KEYS, CODE_POLLING_RATE, PAYLOAD, ProgramTestCase,
                         states_of, wait_for)

# Function values of the mouse buttons (category 0x10, button bit, 0).
MIDDLE_CLICK = bytes([0x10, 0x04, 0x00])
RIGHT_CLICK = bytes([0x10, 0x02, 0x00])
# Polling codes: 1000 Hz reports every millisecond, 500 Hz every two.
POLL_1000_HZ = 0x01
POLL_500_HZ = 0x02


def key_of_button(report, index):
    """The three function bytes of a button in the key command's payload."""
    start = PAYLOAD + 3 * index
    return report.bytes[start:start + 3]


def dpi_code(report, level):
    """The 16-bit device code of a DPI level in a DPI levels packet (little-endian)."""
    start = PAYLOAD + 2 + 2 * level
    return report.bytes[start] | report.bytes[start + 1] << 8


class MainWindowTest(ProgramTestCase):

    def test_the_window_shows_its_sections_with_their_state(self):
        expanded = {}
        for header in ("DPI", "Lighting", "Pointer", "Polling Rate"):
            button = self.find(pyatspi.ROLE_PUSH_BUTTON, header)
            states = states_of(button)
            self.assertIn(pyatspi.STATE_EXPANDABLE, states, header)
            expanded[header] = pyatspi.STATE_EXPANDED in states
        self.assertEqual(expanded, {"DPI": True, "Lighting": False, "Pointer": False, "Polling Rate": True})
        for name in ("Close", "Minimize", "Profiles", "Macro Manager", "Set DPI level 1"):
            self.find(pyatspi.ROLE_PUSH_BUTTON, name)
        for number in range(1, 7):
            self.find(pyatspi.ROLE_PUSH_BUTTON, prefix=f"Button {number}: ")
        self.find(pyatspi.ROLE_PROGRESS_BAR, prefix="Battery ")
        self.find(pyatspi.ROLE_IMAGE, "Wired")
        rate = self.find(pyatspi.ROLE_RADIO_BUTTON, "1000 Hz")
        self.assertIn(pyatspi.STATE_CHECKED, states_of(rate))

        # Opening the lighting section closes the rate section and hides its radios.
        self.program.act(self.find(pyatspi.ROLE_PUSH_BUTTON, "Lighting"))
        wait_for(lambda: pyatspi.STATE_EXPANDED in states_of(self.find(pyatspi.ROLE_PUSH_BUTTON, "Lighting")),
                 what="the lighting section to open")
        rate_header = self.find(pyatspi.ROLE_PUSH_BUTTON, "Polling Rate")
        wait_for(lambda: pyatspi.STATE_EXPANDED not in states_of(rate_header), what="the rate section to close")
        wait_for(lambda: pyatspi.STATE_SHOWING not in states_of(rate), what="the rate radios to hide")
        self.find(pyatspi.ROLE_PUSH_BUTTON, prefix="Lighting: ")

    def test_choosing_500_hz_writes_the_report_rate_command_with_2(self):
        before = len(self.program.reports())
        radio = self.find(pyatspi.ROLE_RADIO_BUTTON, "500 Hz")
        self.program.act(radio)
        sent = self.program.wait_for_command(CODE_POLLING_RATE, before)
        self.assertEqual(len(sent), 1)
        self.assertEqual(sent[0].bytes[PAYLOAD], POLL_500_HZ)
        wait_for(lambda: pyatspi.STATE_CHECKED in states_of(radio), what="500 Hz to show checked")
        self.assertNotIn(pyatspi.STATE_CHECKED, states_of(self.find(pyatspi.ROLE_RADIO_BUTTON, "1000 Hz")))

    def test_choosing_a_function_for_a_button_writes_the_key_command(self):
        drop_down = self.find(pyatspi.ROLE_PUSH_BUTTON, prefix="Button 3: ")
        self.assertTrue(drop_down.name.endswith("Middle Click"), drop_down.name)
        before = len(self.program.reports())
        self.program.act(drop_down)
        menu = self.program.window(pyatspi.ROLE_POPUP_MENU)
        self.program.act(self.program.find(menu, pyatspi.ROLE_MENU_ITEM, "Right Click"))
        sent = self.program.wait_for_command(CODE_KEYS, before)
        self.assertEqual(key_of_button(sent[-1], 2), RIGHT_CLICK)
        self.find(pyatspi.ROLE_PUSH_BUTTON, "Button 3: Right Click")

    def test_a_profile_switch_from_the_profile_list_writes_keys_and_settings(self):
        # Profile 1 gets 500 Hz and a right click on button 3; profile 2 keeps the defaults.
        mark = len(self.program.reports())
        self.program.act(self.find(pyatspi.ROLE_RADIO_BUTTON, "500 Hz"))
        self.program.wait_for_command(CODE_POLLING_RATE, mark)
        mark = len(self.program.reports())
        self.program.act(self.find(pyatspi.ROLE_PUSH_BUTTON, prefix="Button 3: "))
        menu = self.program.window(pyatspi.ROLE_POPUP_MENU)
        self.program.act(self.program.find(menu, pyatspi.ROLE_MENU_ITEM, "Right Click"))
        self.program.wait_for_command(CODE_KEYS, mark)

        switch = len(self.program.reports())
        self.program.act(self.find(pyatspi.ROLE_PUSH_BUTTON, "Profiles"))
        profiles = self.program.window(pyatspi.ROLE_POPUP_MENU)
        self.program.act(self.program.find(profiles, pyatspi.ROLE_MENU_ITEM, "Profile 2"))

        rate = self.program.wait_for_command(CODE_POLLING_RATE, switch)
        self.assertEqual(rate[-1].bytes[PAYLOAD], POLL_1000_HZ)
        keys = self.program.wait_for_command(CODE_KEYS, switch)
        self.assertEqual(key_of_button(keys[-1], 2), MIDDLE_CLICK)
        self.find(pyatspi.ROLE_PUSH_BUTTON, "Button 3: Middle Click")
        self.assertIn(pyatspi.STATE_CHECKED, states_of(self.find(pyatspi.ROLE_RADIO_BUTTON, "1000 Hz")))

    def test_a_dpi_level_set_through_its_dialog_writes_the_sensors_codes(self):
        # The simulated mouse's sensor (0x3311) codes position p >= 120 as 0x100 + (p - 120).
        position = 140
        expected_code = 0x100 + (position - 120)
        before = len(self.program.reports())
        self.program.act(self.find(pyatspi.ROLE_PUSH_BUTTON, "Set DPI level 2"))
        dialog = self.program.window(pyatspi.ROLE_DIALOG)
        slider = self.program.find(dialog, pyatspi.ROLE_SLIDER, "DPI")
        self.program.set_value(slider, position)
        wait_for(lambda: slider.queryValue().currentValue == position, what="the slider to take the position")
        # The edit box follows the slider: DPI = 50 x 2 (p + 1).
        edit = self.program.find(dialog, pyatspi.ROLE_TEXT, "DPI")
        wait_for(lambda: edit.queryText().getText(0, -1) == str(100 * (position + 1)), what="the DPI in the box")
        self.program.act(self.program.find(dialog, pyatspi.ROLE_PUSH_BUTTON, "OK"))

        packets = wait_for(lambda: [r for r in self.program.commands(CODE_DPI_LEVELS, before)]
                           if len(self.program.commands(CODE_DPI_LEVELS, before)) >= 2 else None,
                           what="both DPI levels packets")
        x_packet, y_packet = packets[-2], packets[-1]
        self.assertEqual((x_packet.bytes[3], y_packet.bytes[3]), (0x02, 0x12))
        self.assertEqual(dpi_code(x_packet, 1), expected_code)
        self.assertEqual(dpi_code(y_packet, 1), expected_code)
        wait_for(lambda: pyatspi.STATE_SHOWING not in states_of(dialog), what="the dialog to close")
        self.find(pyatspi.ROLE_RADIO_BUTTON, f"DPI level 2 {100 * (position + 1)}")


if __name__ == "__main__":
    unittest.main(verbosity=2, warnings="ignore")
