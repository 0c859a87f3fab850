"""The program as a whole: one instance, its end when the mouse goes, and its files."""

import glob
import os
import unittest

import pyatspi

from corvane_e2e import CODE_POLLING_RATE, Program, ProgramTestCase, wait_for

# What the profile file holds for 500 Hz: the rate's name in UTF-16.
NAME_500_HZ = "500HZ".encode("utf-16-le")
# The program saves a change this long after it (seconds), plus a margin for a slow run.
SAVE_DELAY = 10
SAVE_MARGIN = 20


class ProgramLifecycleTest(ProgramTestCase):

    def test_a_second_start_leaves_one_process(self):
        second = Program(self.program.data_dir).start()
        self.addCleanup(second.cleanup)
        wait_for(lambda: not second.running(), what="the second start to end")
        self.assertEqual(second.process.returncode, 0)
        self.assertTrue(self.program.running())
        # The first is still the one that answers.
        self.program.act(self.find(pyatspi.ROLE_RADIO_BUTTON, "500 Hz"))
        self.program.wait_for_command(CODE_POLLING_RATE)

    def test_the_program_ends_when_the_simulated_mouse_is_unplugged(self):
        mouse = self.program.window(pyatspi.ROLE_FILLER, "Simulated mouse")
        cable = self.program.find(mouse, pyatspi.ROLE_CHECK_BOX, "Cable (wired link)")
        self.assertIn(pyatspi.STATE_CHECKED, cable.getState().getStates())
        self.program.act(cable, "toggle")
        wait_for(lambda: not self.program.running(), what="the program to end")
        self.assertEqual(self.program.process.returncode, 0)

    def test_after_the_save_delay_the_profile_file_holds_the_change(self):
        files = glob.glob(os.path.join(self.program.data_dir, "config", "default*.psf"))
        self.assertTrue(files)

        def holding_500_hz():
            holding = []
            for path in files:
                with open(path, "rb") as profile:
                    if NAME_500_HZ in profile.read():
                        holding.append(path)
            return holding

        self.assertEqual(holding_500_hz(), [])
        self.program.act(self.find(pyatspi.ROLE_RADIO_BUTTON, "500 Hz"))
        self.program.wait_for_command(CODE_POLLING_RATE)
        # Sent at once, saved only after the delay.
        self.assertEqual(holding_500_hz(), [])
        saved = wait_for(holding_500_hz, timeout=SAVE_DELAY + SAVE_MARGIN, what="the profile file to be saved")
        # Only the current profile changed, and the program still runs: no exit was needed.
        self.assertEqual(len(saved), 1)
        self.assertTrue(self.program.running())


if __name__ == "__main__":
    unittest.main(verbosity=2, warnings="ignore")
