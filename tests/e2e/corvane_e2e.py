"""The running program as assistive technology sees it, for the end-to-end tests.

A test starts the real program on the simulated mouse with its own data folder and
traffic log, finds controls in the accessibility tree by role and name, acts on them
through their accessible actions and values, and reads what reached the mouse from the
traffic log. Every wait polls for a condition until a deadline; none is a bare sleep.
"""

import os
import re
import shutil
import signal
import subprocess
import tempfile
import time
import unittest
import warnings

import pyatspi
from gi.repository import Atspi, GLib

# pyatspi calls libatspi functions that newer releases mark deprecated.
warnings.filterwarnings("ignore", category=DeprecationWarning)

DEFAULT_TIMEOUT = 20.0
POLL_INTERVAL = 0.05

# Command reports (id 9): byte 1 is the command code, byte 3 the packet field, bytes
# 5.. the payload.
COMMAND_REPORT = 0x09
CODE_KEYS = 0x01
CODE_DPI_LEVELS = 0x02
CODE_POLLING_RATE = 0x04
PAYLOAD = 5


def pump_events():
    """Lets the accessibility library take in the program's change events: its cache of
    children and states follows them."""
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def wait_for(condition, timeout=DEFAULT_TIMEOUT, what="condition"):
    """Polls condition() until it returns something true; returns that, or fails."""
    deadline = time.monotonic() + timeout
    last_error = None
    while time.monotonic() < deadline:
        pump_events()
        try:
            result = condition()
            if result:
                return result
        except Exception as error:  # the tree changes under us while windows come and go
            last_error = error
        time.sleep(POLL_INTERVAL)
    raise AssertionError(f"timed out waiting for {what}" + (f" (last error: {last_error})" if last_error else ""))


class Report:
    """One line of the traffic log: link, operation and bytes."""

    def __init__(self, line):
        fields = line.split()
        self.time = float(fields[0])
        self.link = fields[1]
        self.operation = fields[2]
        count = int(fields[3])
        self.bytes = bytes(int(value, 16) for value in fields[4:4 + count])
        self.failed = len(fields) > 4 + count and fields[4 + count] == "failed"

    def is_command(self, code):
        return (self.operation == "set-feature" and len(self.bytes) > PAYLOAD
                and self.bytes[0] == COMMAND_REPORT and self.bytes[1] == code)


def read_reports(path):
    if not os.path.exists(path):
        return []
    with open(path, encoding="ascii") as log:
        return [Report(line) for line in log if line.strip()]


def states_of(accessible):
    return set(accessible.getState().getStates())


def is_showing(accessible):
    return pyatspi.STATE_SHOWING in states_of(accessible)


def walk(accessible):
    yield accessible
    for child in accessible:
        if child is not None:
            yield from walk(child)


class Program:
    """One run of the program with its data folder, traffic log and accessible tree."""

    def __init__(self, data_dir=None, environment=None):
        self.environment = environment  # the process's environment; None: this one's
        self.owns_data = data_dir is None
        self.data_dir = data_dir or tempfile.mkdtemp(prefix="corvane-e2e-")
        self.hid_log = os.path.join(self.data_dir, "traffic.log")
        self.process = None
        self.output = None

    def start(self):
        program = os.environ["CORVANE_PROGRAM"]
        self.output = open(os.path.join(self.data_dir, f"output-{time.monotonic_ns()}.txt"), "w+")
        self.process = subprocess.Popen(
            [program, "--simulate", "--hid-log", self.hid_log, "--data-dir", self.data_dir],
            stdout=self.output, stderr=subprocess.STDOUT, env=self.environment)
        return self

    def running(self):
        return self.process is not None and self.process.poll() is None

    def stop(self):
        if self.running():
            self.process.send_signal(signal.SIGTERM)
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()

    def cleanup(self):
        self.stop()
        if self.output:
            self.output.close()
        if self.owns_data:
            shutil.rmtree(self.data_dir, ignore_errors=True)

    def printed(self):
        self.output.flush()
        self.output.seek(0)
        return self.output.read()

    # The accessible tree ------------------------------------------------------------

    def application(self):
        def find():
            desktop = pyatspi.Registry.getDesktop(0)
            for app in desktop:
                if app is None or app.get_process_id() != self.process.pid:
                    continue
                # Read the tree afresh each time: a cached copy taken while the program
                # was still building its windows would not show them.
                app.set_cache_mask(Atspi.Cache.NONE)
                app.clear_cache()
                if app.childCount > 0:
                    return app
            return None
        try:
            return wait_for(find, what="the program in the accessibility registry")
        except AssertionError as error:
            # Whether it still runs and what it printed tell a slow start from a failed one.
            state = "running" if self.running() else f"ended with {self.process.returncode}"
            raise AssertionError(f"{error}; the program is {state}, its output: {self.printed()!r}") from None

    def windows(self):
        return [window for window in self.application() if window is not None]

    def window(self, role, name=None, timeout=DEFAULT_TIMEOUT):
        """A shown top-level window of the program with this role (and name)."""
        def find():
            for window in self.windows():
                if window.getRole() == role and (name is None or window.name == name) and is_showing(window):
                    return window
            return None
        return wait_for(find, timeout, f"a window {pyatspi.Role(role)} {name or ''}".strip())

    def main_window(self):
        return self.window(pyatspi.ROLE_FRAME, "Gaming Mouse")

    def window_holding(self, role, name, window_role=pyatspi.ROLE_DIALOG, timeout=DEFAULT_TIMEOUT):
        """The shown top-level window that holds a shown control with this role and name: the
        program's windows share one title, so a window is told by what it shows."""
        def find():
            for window in self.windows():
                if window.getRole() != window_role or not is_showing(window):
                    continue
                for accessible in walk(window):
                    if accessible.getRole() == role and accessible.name == name and is_showing(accessible):
                        return window
            return None
        return wait_for(find, timeout, f"a window holding a {pyatspi.Role(role)} named {name!r}")

    def find(self, root, role, name=None, prefix=None, showing=True, timeout=DEFAULT_TIMEOUT):
        """The first control under root with the role and the exact name or name prefix."""
        def match():
            for accessible in walk(root):
                if accessible.getRole() != role:
                    continue
                if name is not None and accessible.name != name:
                    continue
                if prefix is not None and not accessible.name.startswith(prefix):
                    continue
                if showing and not is_showing(accessible):
                    continue
                return accessible
            return None
        label = name if name is not None else f"{prefix}..."
        return wait_for(match, timeout, f"a {pyatspi.Role(role)} named {label!r}")

    @staticmethod
    def act(accessible, action="press"):
        actions = accessible.queryAction()
        # The bridge reports the names as the user reads them ("Press"); the match is
        # on the word.
        names = [actions.getName(i).lower().replace(" ", "") for i in range(actions.nActions)]
        wanted = action.lower().replace(" ", "")
        if wanted not in names:
            raise AssertionError(f"{accessible.name!r} has no action {action!r}, only {names}")
        if not actions.doAction(names.index(wanted)):
            raise AssertionError(f"{accessible.name!r} refused the action {action!r}")

    @staticmethod
    def set_value(accessible, value):
        accessible.queryValue().currentValue = value

    # What reached the mouse ----------------------------------------------------------

    def reports(self):
        return read_reports(self.hid_log)

    def commands(self, code, since=0):
        return [report for report in self.reports()[since:] if report.is_command(code)]

    def wait_for_command(self, code, since=0, predicate=lambda report: True, what=None):
        return wait_for(lambda: [r for r in self.commands(code, since) if predicate(r)],
                        what=what or f"command 0x{code:02X} in the traffic log")

    # The keyboard, as the X server delivers it ---------------------------------------

    def x_windows(self):
        return subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(self.process.pid),
                               "--name", "^Gaming Mouse$"], capture_output=True, text=True).stdout.split()

    def focus_main_window(self):
        """Gives the main window the keyboard, as clicking into it would."""
        windows = wait_for(self.x_windows, what="the main window's X window")
        subprocess.run(["xdotool", "windowfocus", "--sync", windows[0]], check=True)

    def focus_window(self, window):
        """Gives an accessible top-level window the keyboard. The program's windows share
        one title, so its X window is the shown one at the same place and size."""
        def x_window():
            extents = window.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            wanted = (extents.x, extents.y, extents.width, extents.height)
            for candidate in self.x_windows():
                shape = subprocess.run(["xdotool", "getwindowgeometry", "--shell", candidate],
                                       capture_output=True, text=True).stdout
                values = dict(line.split("=", 1) for line in shape.split() if "=" in line)
                if tuple(int(values.get(key, -1)) for key in ("X", "Y", "WIDTH", "HEIGHT")) == wanted:
                    return candidate
            return None
        target = wait_for(x_window, what=f"the X window of {window.name!r}")
        subprocess.run(["xdotool", "windowfocus", "--sync", target], check=True)
        wait_for(lambda: pyatspi.STATE_ACTIVE in states_of(window), what="the window to take the keyboard")

    @staticmethod
    def keys(*names):
        """Types keys (X key names: Tab, space, Down, Return) into the focused window."""
        subprocess.run(["xdotool", "key", "--delay", "20", *names], check=True)

    @staticmethod
    def type_text(text):
        """Types text into the focused window, one real key press per character."""
        subprocess.run(["xdotool", "type", "--delay", "20", text], check=True)

    def tab_to(self, accessible, limit=120):
        """Presses Tab until the control reports the keyboard focus."""
        for _ in range(limit):
            pump_events()
            if pyatspi.STATE_FOCUSED in states_of(accessible):
                return
            self.keys("Tab")
        raise AssertionError(f"Tab never reached {accessible.name!r}")

    def wait_until_connected(self):
        """The program has found the mouse: its first read is in the log."""
        wait_for(lambda: len(self.reports()) > 0, what="the first exchange with the mouse")


class ProgramTestCase(unittest.TestCase):
    """A test with one fresh program started on the simulated mouse."""

    def setUp(self):
        self.program = Program().start()
        self.addCleanup(self.program.cleanup)
        self.main = self.program.main_window()
        self.program.wait_until_connected()

    def find(self, role, name=None, prefix=None, root=None, **options):
        return self.program.find(root or self.main, role, name=name, prefix=prefix, **options)
