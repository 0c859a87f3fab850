"""The program on the session bus: one instance per name, its interface, and corvanectl
asking it instead of opening the mouse. Runs in the private bus of run-in-session.sh."""

import glob
import hashlib
import os
import shutil
import subprocess
import tempfile
import unittest
import xml.etree.ElementTree as ElementTree

import pyatspi
from gi.repository import Gio, GLib

from corvane_e2e import (CODE_DPI_LEVELS, CODE_POLLING_RATE, DEFAULT_TIMEOUT, PAYLOAD, Program,
                         ProgramTestCase, states_of, wait_for)

OBJECT_PATH = "/org/corvane/Corvane"
INTERFACE = "org.corvane.Corvane1"
INVALID_ARGUMENT = "org.corvane.Corvane1.Error.InvalidArgument"
POLL_500_HZ = 0x02
POLL_1000_HZ = 0x01
NAME_500_HZ = "500HZ".encode("utf-16-le")
# The introspection file installed for the interface.
INTERFACE_XML = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "dist", "linux",
                             "org.corvane.Corvane1.xml")
# The program saves a change ten seconds after it; with a margin for a slow run.
SAVE_WAIT = 30


def bus_name(data_dir):
    """The name a run on the simulated mouse with this data folder owns, by the naming rule."""
    canonical = os.path.realpath(data_dir).encode()
    return "org.corvane.Corvane.Sim_" + hashlib.sha256(canonical).hexdigest()[:16]


def corvanectl():
    return os.path.join(os.path.dirname(os.environ["CORVANE_PROGRAM"]), "corvanectl")


class Bus:
    """The test's connection to the private session bus."""

    def __init__(self):
        self.connection = Gio.bus_get_sync(Gio.BusType.SESSION, None)

    def owner_pid(self, name):
        try:
            reply = self.connection.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                                              "GetConnectionUnixProcessID", GLib.Variant("(s)", (name,)),
                                              None, Gio.DBusCallFlags.NONE, -1, None)
        except GLib.Error:
            return None
        return reply.unpack()[0]

    def properties(self, name):
        reply = self.connection.call_sync(name, OBJECT_PATH, "org.freedesktop.DBus.Properties", "GetAll",
                                          GLib.Variant("(s)", (INTERFACE,)), None, Gio.DBusCallFlags.NONE, -1, None)
        return reply.unpack()[0]

    def watch_changes(self, name):
        """Collects the PropertiesChanged signals of the program's object, as they come."""
        changes = []

        def received(_connection, _sender, _path, _interface, _signal, parameters):
            interface, changed, _invalidated = parameters.unpack()
            if interface == INTERFACE:
                changes.append(changed)

        self.connection.signal_subscribe(name, "org.freedesktop.DBus.Properties", "PropertiesChanged", OBJECT_PATH,
                                         None, Gio.DBusSignalFlags.NONE, received)
        return changes


def gdbus_call(name, method, *arguments):
    return subprocess.run(["gdbus", "call", "--session", "--dest", name, "--object-path", OBJECT_PATH,
                           "--method", f"{INTERFACE}.{method}", *arguments],
                          capture_output=True, text=True, timeout=DEFAULT_TIMEOUT)


@unittest.skipUnless(shutil.which("gdbus"), "gdbus is not installed")
class SessionBusTest(ProgramTestCase):

    def setUp(self):
        super().setUp()
        self.bus = Bus()
        self.name = bus_name(self.program.data_dir)
        wait_for(lambda: self.bus.owner_pid(self.name) == self.program.process.pid, what="the program's bus name")

    def call(self, method, *arguments):
        run = gdbus_call(self.name, method, *arguments)
        self.assertEqual(run.returncode, 0, run.stderr)

    def test_the_installed_introspection_file_is_what_the_program_exports(self):
        def members(xml):
            interface = [node for node in ElementTree.fromstring(xml).iter("interface")
                         if node.get("name") == INTERFACE][0]
            properties = {(node.get("name"), node.get("type"), node.get("access"))
                          for node in interface.iter("property")}
            methods = {(node.get("name"), tuple((arg.get("type"), arg.get("direction", "in"))
                                                for arg in node.iter("arg")))
                       for node in interface.iter("method")}
            return properties, methods

        reply = self.bus.connection.call_sync(self.name, OBJECT_PATH, "org.freedesktop.DBus.Introspectable",
                                              "Introspect", None, None, Gio.DBusCallFlags.NONE, -1, None)
        with open(INTERFACE_XML, encoding="utf-8") as installed:
            self.assertEqual(members(reply.unpack()[0]), members(installed.read()))

    def test_a_second_start_activates_the_first_and_ends(self):
        # Without a window manager nothing gives the window the keyboard; the restore
        # request brings it forward and activates it.
        self.assertNotIn(pyatspi.STATE_ACTIVE, states_of(self.main))
        # Another spelling of the same folder is the same run.
        second = Program(self.program.data_dir + "/").start()
        self.addCleanup(second.cleanup)
        wait_for(lambda: not second.running(), what="the second start to end")
        self.assertEqual(second.process.returncode, 0, second.printed())
        wait_for(lambda: pyatspi.STATE_ACTIVE in states_of(self.main), what="the main window to come forward")
        self.assertEqual(self.bus.owner_pid(self.name), self.program.process.pid)

    def test_each_method_changes_the_window_and_the_mouse_and_announces_it(self):
        changes = self.bus.watch_changes(self.name)

        mark = len(self.program.reports())
        self.call("SetDpiLevel", "3")
        sent = self.program.wait_for_command(CODE_DPI_LEVELS, mark)
        self.assertEqual(sent[-1].bytes[PAYLOAD], 2)  # 0-based on the wire
        level = self.find(pyatspi.ROLE_RADIO_BUTTON, prefix="DPI level 3 ", showing=False)
        wait_for(lambda: pyatspi.STATE_CHECKED in states_of(level), what="DPI level 3 to show checked")
        wait_for(lambda: any(change.get("DpiLevel") == 3 for change in changes), what="DpiLevel 3 announced")
        dpi = self.bus.properties(self.name)["Dpi"]
        self.assertTrue(level.name.endswith(f" {dpi}"), (level.name, dpi))

        mark = len(self.program.reports())
        self.call("SetPollingRate", "500")
        sent = self.program.wait_for_command(CODE_POLLING_RATE, mark)
        self.assertEqual(sent[-1].bytes[PAYLOAD], POLL_500_HZ)
        rate = self.find(pyatspi.ROLE_RADIO_BUTTON, "500 Hz", showing=False)
        wait_for(lambda: pyatspi.STATE_CHECKED in states_of(rate), what="500 Hz to show checked")
        wait_for(lambda: any(change.get("PollingRate") == 500 for change in changes), what="PollingRate announced")

        # Profile 1 keeps its defaults: the window and the mouse go back to 1000 Hz (its
        # keys are those of profile 0, so no key command is needed).
        mark = len(self.program.reports())
        self.call("SwitchProfile", "1")
        sent = self.program.wait_for_command(CODE_POLLING_RATE, mark)
        self.assertEqual(sent[-1].bytes[PAYLOAD], POLL_1000_HZ)
        wait_for(lambda: pyatspi.STATE_CHECKED in states_of(self.find(pyatspi.ROLE_RADIO_BUTTON, "1000 Hz",
                                                                        showing=False)),
                 what="1000 Hz to show checked")
        wait_for(lambda: any(change.get("Profile") == 1 for change in changes), what="Profile 1 announced")
        properties = self.bus.properties(self.name)
        self.assertEqual((properties["Profile"], properties["PollingRate"]), (1, 1000))

        # Saved as after a click: profile 0 holds 500 Hz in its file.
        def saved():
            for path in glob.glob(os.path.join(self.program.data_dir, "config", "default*.psf")):
                with open(path, "rb") as profile:
                    if NAME_500_HZ in profile.read():
                        return path
            return None
        wait_for(saved, timeout=SAVE_WAIT, what="the profile with 500 Hz to be saved")

    def test_what_the_mouse_reports_is_announced(self):
        changes = self.bus.watch_changes(self.name)
        simulator = self.program.window(pyatspi.ROLE_FILLER, "Simulated mouse")
        battery = self.program.find(simulator, pyatspi.ROLE_SPIN_BUTTON, "Battery level in percent")
        self.program.set_value(battery, 42)
        wait_for(lambda: any(change.get("BatteryLevel") == 42 for change in changes),
                 what="BatteryLevel 42 announced")
        self.assertEqual(self.bus.properties(self.name)["BatteryLevel"], 42)

    def test_a_value_the_window_does_not_offer_is_refused_and_changes_nothing(self):
        before = self.bus.properties(self.name)
        mark = len(self.program.reports())
        for method, value, named in (("SetDpiLevel", "9", "1 to 8"), ("SetDpiLevel", "0", "1 to 8"),
                                     ("SetPollingRate", "300", "1000 Hz"), ("SwitchProfile", "7", "0-based")):
            with self.subTest(method=method, value=value):
                run = gdbus_call(self.name, method, value)
                self.assertNotEqual(run.returncode, 0)
                self.assertIn(INVALID_ARGUMENT, run.stderr)
                self.assertIn(named, run.stderr)
        self.assertEqual(self.bus.properties(self.name), before)
        self.assertEqual(self.program.commands(CODE_DPI_LEVELS, mark) + self.program.commands(CODE_POLLING_RATE, mark),
                         [])

    def test_corvanectl_asks_the_running_program_and_leaves_the_mouse_to_it(self):
        self.call("SetDpiLevel", "3")
        wait_for(lambda: self.bus.properties(self.name)["DpiLevel"] == 3, what="DPI level 3")
        reports_before = len(self.program.reports())
        run = subprocess.run([corvanectl(), "status", "--simulate", "--data-dir", self.program.data_dir],
                             capture_output=True, text=True, timeout=DEFAULT_TIMEOUT)
        self.assertEqual(run.returncode, 0, run.stderr)
        self.assertIn("source: the running program, " + self.name, run.stdout)
        self.assertIn("DPI level: 3\n", run.stdout)
        self.assertIn("link in charge: wired\n", run.stdout)
        # The mouse's own status would name its sensor; the program's has no such property.
        self.assertNotIn("sensor:", run.stdout)

        run = subprocess.run([corvanectl(), "set", "rate", "500", "--simulate", "--data-dir", self.program.data_dir],
                             capture_output=True, text=True, timeout=DEFAULT_TIMEOUT)
        self.assertEqual(run.returncode, 0, run.stderr)
        sent = self.program.wait_for_command(CODE_POLLING_RATE, reports_before)
        self.assertEqual(sent[-1].bytes[PAYLOAD], POLL_500_HZ)

        # A command that opens the mouse refuses while the program drives it.
        run = subprocess.run([corvanectl(), "push", "--simulate", "--data-dir", self.program.data_dir],
                             capture_output=True, text=True, timeout=DEFAULT_TIMEOUT)
        self.assertEqual(run.returncode, 1)
        self.assertIn(self.name, run.stderr)


@unittest.skipUnless(shutil.which("gdbus"), "gdbus is not installed")
class StartsAtOnceTest(unittest.TestCase):

    def test_a_start_that_cannot_reach_the_owner_of_the_name_says_why_and_fails(self):
        data_dir = tempfile.mkdtemp(prefix="corvane-e2e-owned-")
        self.addCleanup(shutil.rmtree, data_dir, True)
        # Something else holds the name and exports no such object.
        squatter = Gio.bus_get_sync(Gio.BusType.SESSION, None)
        reply = squatter.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                                   "RequestName", GLib.Variant("(su)", (bus_name(data_dir), 4)), None,
                                   Gio.DBusCallFlags.NONE, -1, None)
        self.assertEqual(reply.unpack()[0], 1)  # the primary owner
        start = Program(data_dir)
        self.addCleanup(start.cleanup)
        start.start()
        wait_for(lambda: not start.running(), what="the start to end")
        self.assertEqual(start.process.returncode, 1)
        self.assertIn(bus_name(data_dir) + " is running but did not take the restore request", start.printed())
        self.assertEqual(start.reports(), [])

    def test_five_starts_at_once_leave_one(self):
        data_dir = tempfile.mkdtemp(prefix="corvane-e2e-five-")
        self.addCleanup(shutil.rmtree, data_dir, True)
        starts = [Program(data_dir) for _ in range(5)]
        for start in starts:
            self.addCleanup(start.cleanup)
        for start in starts:
            start.start()
        wait_for(lambda: sum(start.running() for start in starts) == 1, timeout=60,
                 what="all but one start to end")
        running = [start for start in starts if start.running()]
        for start in starts:
            if start not in running:
                self.assertEqual(start.process.returncode, 0, start.printed())
        self.assertEqual(Bus().owner_pid(bus_name(data_dir)), running[0].process.pid)


class WithoutABusTest(unittest.TestCase):
    """Where there is no session bus, a lock and a socket in the private runtime folder keep
    to one instance, and a later start still brings the window."""

    def test_a_second_start_without_a_bus_ends_and_the_first_runs_on(self):
        runtime = tempfile.mkdtemp(prefix="corvane-e2e-runtime-")
        self.addCleanup(shutil.rmtree, runtime, True)
        os.chmod(runtime, 0o700)
        environment = dict(os.environ, DBUS_SESSION_BUS_ADDRESS="unix:path=" + os.path.join(runtime, "no-bus"),
                           XDG_RUNTIME_DIR=runtime)
        first = Program(environment=environment).start()
        self.addCleanup(first.cleanup)
        # Without the bus there is no accessibility bus either: the traffic log tells.
        first.wait_until_connected()
        files = sorted(os.listdir(runtime))
        key = f"corvane-{os.getuid()}-" + bus_name(first.data_dir).rsplit(".", 1)[1]
        self.assertEqual([name for name in files if name.startswith(key)], [key + ".lock", key + ".socket"])

        second = Program(first.data_dir, environment=environment).start()
        self.addCleanup(second.cleanup)
        wait_for(lambda: not second.running(), what="the second start to end")
        self.assertEqual(second.process.returncode, 0, second.printed())
        self.assertTrue(first.running())
        first.stop()
        self.assertEqual([name for name in os.listdir(runtime) if name.startswith(key)], [])


if __name__ == "__main__":
    unittest.main(verbosity=2, warnings="ignore")
