"""A macro from the keyboard to the mouse: recorded in the macro manager with real key
presses, put on a button through its function list, sent to the simulated mouse and kept
in the library file.

The X server's test keyboard (xdotool) produces the raw XInput 2 events that the key
capture reads session-wide, so under Xvfb the recorder hears the keys wherever the focus
is. The keys are still typed into the manager with the keyboard focus on it, as a user
types them, so the test holds where the capture sees only the program's own windows.
"""

import os
import re
import unittest

import pyatspi

from corvane_e2e import CODE_KEYS, PAYLOAD, ProgramTestCase, states_of, wait_for, walk

CODE_MACRO_DATA = 0x10
CODE_MACRO_CLEAR = 0x11
MACRO_FUNCTION = 0x90
# The function list's entry and the selection window's title.
MACRO_ENTRY = "Macro"
MACRO_LIST = "Macro List"
# The typed keys: X key names, their virtual-key codes as recorded, and the keyboard
# usages the mouse plays.
TYPED_KEYS = [("1", 0x31, 0x1E), ("2", 0x32, 0x1F), ("3", 0x33, 0x20)]
DELAY_CODE = 0x03
RELEASE_FLAG = 0x80
MAX_EVENT_DELAY = 0x0FFF
KEY_EVENT_CLASS = 3
# MacroData packets: byte 5 counts the packet's event bytes + 1, byte 6 is the slot, the
# event bytes start at byte 7.
MACRO_LENGTH, MACRO_SLOT, MACRO_EVENTS = 5, 6, 7
EVENTS_PER_PACKET = 25
# The button the macro goes on: button 3, third in the key command's order.
BUTTON = 3
BUTTON_WIRE_INDEX = 2


def read_library_macros(path):
    """The macros of a library file by name: (actions as (b0, b1, b2, b3), command count)."""
    with open(path, "rb") as library:
        lines = library.read()[2:].decode("utf-16-le").split("\n")
    macros = {}
    for index, line in enumerate(lines):
        fields = line.strip("\t")
        if not fields.startswith("++++++++MacroItemName="):
            continue
        name = fields.split("=", 1)[1]
        values = [lines[index + k].split("=", 1)[1] for k in range(1, 10)]
        if int(values[1]) != 0:  # a folder
            continue
        action_count, command_count, text = int(values[6]), int(values[7]), values[8]
        actions = [tuple(bytes.fromhex(text[8 * i:8 * i + 8])) for i in range(action_count)]
        macros[name] = (actions, command_count)
    return macros


def expected_actions_match(actions):
    """Whether the saved actions are the typed keys, press and release in turn, with a
    delay of at most 4095 ms between each two."""
    keys = [action for action in actions if action[0] != DELAY_CODE]
    wanted = [(code, flag, 0, 0) for _, code, _ in TYPED_KEYS for flag in (0x00, RELEASE_FLAG)]
    delays_between = all(actions[i][0] == DELAY_CODE for i in range(1, len(actions), 2))
    delay_values = [a[1] << 16 | a[2] << 8 | a[3] for a in actions if a[0] == DELAY_CODE]
    return (keys == wanted and len(actions) == 2 * len(wanted) - 1 and delays_between
            and all(value <= MAX_EVENT_DELAY for value in delay_values))


class MacroTest(ProgramTestCase):

    def manager_window(self):
        return self.program.window_holding(pyatspi.ROLE_PUSH_BUTTON, "New")

    @staticmethod
    def record_button(manager, recording):
        """The record button: "Record", and "Stop" and checked while it records."""
        caption = "Stop" if recording else "Record"
        for accessible in walk(manager):
            if accessible.getRole() != pyatspi.ROLE_CHECK_BOX or accessible.name != caption:
                continue
            states = states_of(accessible)
            if pyatspi.STATE_SHOWING in states and (pyatspi.STATE_CHECKED in states) == recording:
                return accessible
        return None

    def new_macro(self, manager, name):
        self.program.act(self.program.find(manager, pyatspi.ROLE_PUSH_BUTTON, "New"))
        prompt = "Enter a macro name:"
        dialog = self.program.window_holding(pyatspi.ROLE_TEXT, prompt)
        field = self.program.find(dialog, pyatspi.ROLE_TEXT, prompt)
        # The dialog opens with the keyboard in its field.
        self.program.focus_window(dialog)
        wait_for(lambda: pyatspi.STATE_FOCUSED in states_of(field), what="the name field to take the keyboard")
        self.program.type_text(name)
        wait_for(lambda: field.queryText().getText(0, -1) == name, what="the name in the field")
        self.program.act(self.program.find(dialog, pyatspi.ROLE_PUSH_BUTTON, "OK"))
        tree = self.program.find(manager, pyatspi.ROLE_TREE, MACRO_LIST)
        return wait_for(lambda: next((row for row in tree if row is not None and row.name == name
                                      and pyatspi.STATE_SELECTED in states_of(row)), None),
                        what=f"the new macro {name!r} selected in the tree")

    def record_keys(self, manager):
        self.program.act(wait_for(lambda: self.record_button(manager, False), what="the record button"))
        wait_for(lambda: self.record_button(manager, True), what="the recording to start")
        self.program.focus_window(manager)
        self.program.keys(*[key for key, _, _ in TYPED_KEYS])
        actions = self.program.find(manager, pyatspi.ROLE_LIST, "Actions")
        wanted = [f"{key} {state}" for key, _, _ in TYPED_KEYS for state in ("pressed", "released")]
        # Every key row, with a delay row between each two.
        wait_for(lambda: [row.name for row in actions if row is not None][::2] == wanted,
                 what=f"the recorded rows {wanted}")
        delays = [row.name for row in actions if row is not None][1::2]
        self.assertTrue(all(re.fullmatch(r"\d+ms", delay) for delay in delays), delays)
        self.program.act(self.record_button(manager, True))
        wait_for(lambda: self.record_button(manager, False), what="the recording to stop")

    def choose_macro_for_button(self, name):
        drop_down = self.find(pyatspi.ROLE_PUSH_BUTTON, prefix=f"Button {BUTTON}: ")
        self.program.act(drop_down)
        menu = self.program.window(pyatspi.ROLE_POPUP_MENU)
        self.program.act(self.program.find(menu, pyatspi.ROLE_MENU_ITEM, MACRO_ENTRY))
        selection = self.program.window_holding(pyatspi.ROLE_TREE, MACRO_LIST)
        tree = self.program.find(selection, pyatspi.ROLE_TREE, MACRO_LIST)
        row = wait_for(lambda: next((row for row in tree if row is not None and row.name == name), None),
                       what=f"{name!r} in the selection window")
        self.program.act(row)
        wait_for(lambda: pyatspi.STATE_SELECTED in states_of(row), what=f"{name!r} selected")
        self.program.act(self.program.find(selection, pyatspi.ROLE_PUSH_BUTTON, "OK"))
        wait_for(lambda: pyatspi.STATE_SHOWING not in states_of(selection), what="the selection window to close")

    def test_a_recorded_macro_put_on_a_button_reaches_the_mouse_and_the_library_file(self):
        name = "Combo"
        self.program.act(self.find(pyatspi.ROLE_PUSH_BUTTON, "Macro Manager"))
        manager = self.manager_window()
        self.new_macro(manager, name)
        self.record_keys(manager)
        self.program.act(self.program.find(manager, pyatspi.ROLE_PUSH_BUTTON, "Close"))
        wait_for(lambda: pyatspi.STATE_SHOWING not in states_of(manager), what="the manager to close")

        # The library file holds the macro as recorded.
        library = os.path.join(self.program.data_dir, "config", "MacroLibraryFile.mlf")
        macros = wait_for(lambda: read_library_macros(library), what="the saved library")
        self.assertIn(name, macros)
        actions, command_count = macros[name]
        self.assertTrue(expected_actions_match(actions), actions)
        self.assertEqual(command_count, 2 * len(TYPED_KEYS))

        before = len(self.program.reports())
        self.choose_macro_for_button(name)
        self.find(pyatspi.ROLE_PUSH_BUTTON, f"Button {BUTTON}: Macro-{name}")

        keys = self.program.wait_for_command(
            CODE_KEYS, before, lambda report: report.bytes[PAYLOAD + 3 * BUTTON_WIRE_INDEX] == MACRO_FUNCTION,
            what="the key command with the macro on the button")
        slot = keys[-1].bytes[PAYLOAD + 3 * BUTTON_WIRE_INDEX + 1] & 0x0F
        self.assertNotEqual(slot, 0)
        # The upload clears the mouse's macros, then sends the macro's packets.
        self.program.wait_for_command(CODE_MACRO_CLEAR, before, what="the macro memory cleared")
        clear = max(i for i, report in enumerate(self.program.reports()) if report.is_command(CODE_MACRO_CLEAR))
        event_bytes = 3 * sum(1 for action in actions if action[0] != DELAY_CODE)
        packet_count = max(1, -(-event_bytes // EVENTS_PER_PACKET))
        packets = wait_for(lambda: [r for r in self.program.commands(CODE_MACRO_DATA, clear) if r.bytes[MACRO_SLOT] == slot]
                           if len(self.program.commands(CODE_MACRO_DATA, clear)) >= packet_count else None,
                           what="the macro's events")
        events = b"".join(p.bytes[MACRO_EVENTS:MACRO_EVENTS + p.bytes[MACRO_LENGTH] - 1] for p in packets)
        # Each key action is one event carrying the delay after it.
        key_actions = [(i, a) for i, a in enumerate(actions) if a[0] != DELAY_CODE]
        usages = {code: usage for _, code, usage in TYPED_KEYS}
        expected = bytearray()
        for index, action in key_actions:
            after = actions[index + 1] if index + 1 < len(actions) else None
            delay = min(after[1] << 16 | after[2] << 8 | after[3], MAX_EVENT_DELAY) if after else 0
            expected += bytes([(action[1] & RELEASE_FLAG) | KEY_EVENT_CLASS << 4 | delay >> 8,
                               delay & 0xFF, usages[action[0]]])
        self.assertEqual(events.hex(" "), bytes(expected).hex(" "))


if __name__ == "__main__":
    unittest.main(verbosity=2, warnings="ignore")
