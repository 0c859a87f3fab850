"""The program as a whole: one instance, its end when the mouse goes, and its files."""

import glob
import hashlib
import os
import shutil
import signal
import subprocess
import tempfile
import time
import unittest

import pyatspi

from corvane_e2e import CODE_POLLING_RATE, DEFAULT_TIMEOUT, Program, ProgramTestCase, states_of, wait_for

# What the profile file holds for 500 Hz: the rate's name in UTF-16.
NAME_500_HZ = "500HZ".encode("utf-16-le")
# The program saves a change this long after it (seconds), plus a margin for a slow run.
SAVE_DELAY = 10
SAVE_MARGIN = 20
# How long after the change the run is ended: well inside the save delay.
END_AFTER_CHANGE = 2


def profiles_holding_500_hz(data_dir):
    holding = []
    for path in glob.glob(os.path.join(data_dir, "config", "default*.psf")):
        with open(path, "rb") as profile:
            if NAME_500_HZ in profile.read():
                holding.append(path)
    return holding


class PrivateDisplay:
    """An X server of the test's own, which the test can take away from the program."""

    def __init__(self):
        read_end, write_end = os.pipe()
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-noreset", "-screen", "0", "1920x1200x24", "-nolisten", "tcp"],
            pass_fds=(write_end,), stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as numbers:
            self.name = ":" + numbers.readline().strip()

    def take_away(self):
        if self.server.poll() is None:
            self.server.terminate()
            self.server.wait(timeout=DEFAULT_TIMEOUT)


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


def bus_name_owned(name):
    """Whether the name has an owner on the session bus."""
    run = subprocess.run(["gdbus", "call", "--session", "--dest", "org.freedesktop.DBus", "--object-path",
                          "/org/freedesktop/DBus", "--method", "org.freedesktop.DBus.NameHasOwner", name],
                         capture_output=True, text=True, timeout=DEFAULT_TIMEOUT)
    return run.stdout.strip() == "(true,)"


class ProgramEndTest(unittest.TestCase):
    """The run ends from outside two seconds after a change, long before the save delay:
    the change is in the files, and the instance's name is free again."""

    def run_and_end(self, end, expected_code):
        # Any file the instance left would land in folders of the test's own, where what is
        # left behind can be seen; on the bus it leaves none.
        runtime = tempfile.mkdtemp(prefix="corvane-e2e-runtime-")
        temporary = tempfile.mkdtemp(prefix="corvane-e2e-tmp-")
        self.addCleanup(shutil.rmtree, runtime, True)
        self.addCleanup(shutil.rmtree, temporary, True)
        environment = dict(os.environ, XDG_RUNTIME_DIR=runtime, TMPDIR=temporary)
        display = None
        if end == "display":
            display = PrivateDisplay()
            self.addCleanup(display.take_away)
            environment["DISPLAY"] = display.name
        program = Program(environment=environment).start()
        self.addCleanup(program.cleanup)

        def instance_files():
            return [name for folder in (runtime, temporary) for name in os.listdir(folder)
                    if name.startswith("corvane-")]

        main = program.main_window()
        program.wait_until_connected()
        name = "org.corvane.Corvane.Sim_" + hashlib.sha256(os.path.realpath(program.data_dir).encode()).hexdigest()[:16]
        self.assertTrue(bus_name_owned(name))
        program.act(program.find(main, pyatspi.ROLE_RADIO_BUTTON, "500 Hz"))
        program.wait_for_command(CODE_POLLING_RATE)
        time.sleep(END_AFTER_CHANGE)
        self.assertEqual(profiles_holding_500_hz(program.data_dir), [], "saved before the delay")

        if end == "display":
            display.take_away()
        else:
            program.process.send_signal(end)
        wait_for(lambda: not program.running(), what="the program to end")
        self.assertEqual(program.process.returncode, expected_code, program.printed())
        self.assertEqual(len(profiles_holding_500_hz(program.data_dir)), 1)
        self.assertEqual(instance_files(), [])
        self.assertFalse(bus_name_owned(name))
        self.assertFalse(os.path.exists(os.path.join(program.data_dir, "config", "unsent-changes")))

        # The next start shows the change, and the mouse's first report does not undo it.
        again = Program(data_dir=program.data_dir,
                        environment=dict(os.environ, XDG_RUNTIME_DIR=runtime, TMPDIR=temporary)).start()
        self.addCleanup(again.cleanup)
        rate = again.find(again.main_window(), pyatspi.ROLE_RADIO_BUTTON, "500 Hz")
        again.wait_until_connected()
        wait_for(lambda: pyatspi.STATE_CHECKED in states_of(rate), what="500 Hz checked at the next start")
        time.sleep(END_AFTER_CHANGE)
        self.assertIn(pyatspi.STATE_CHECKED, states_of(rate))
        again.stop()
        self.assertEqual(len(profiles_holding_500_hz(program.data_dir)), 1)

    def test_every_end_from_outside_keeps_the_change(self):
        # Qt's display plugin ends the process with status 1 when the display goes.
        for end, expected_code in ((signal.SIGTERM, 0), (signal.SIGHUP, 0), ("display", 1)):
            with self.subTest(end=getattr(end, "name", end)):
                self.run_and_end(end, expected_code)


class CommandLineTest(unittest.TestCase):
    """Arguments the program refuses before it takes its instance: at once, with status 2."""

    def test_arguments_naming_nothing_usable_are_refused(self):
        folder = tempfile.mkdtemp(prefix="corvane-e2e-args-")
        self.addCleanup(shutil.rmtree, folder, True)
        fifo = os.path.join(folder, "fifo")
        os.mkfifo(fifo)
        program = os.environ["CORVANE_PROGRAM"]
        for arguments, named in ((["--data-dir", ""], "--data-dir"),
                                 (["--simulate", "--data-dir", folder, "--hid-log", fifo], fifo)):
            with self.subTest(arguments=arguments):
                run = subprocess.run([program, *arguments], capture_output=True, text=True, timeout=DEFAULT_TIMEOUT)
                self.assertEqual(run.returncode, 2, run.stderr)
                self.assertIn(named, run.stderr)
                self.assertFalse(os.path.exists(os.path.join(folder, "config")))


if __name__ == "__main__":
    unittest.main(verbosity=2, warnings="ignore")
