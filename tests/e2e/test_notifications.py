"""The battery's desktop notifications, as a notification service on the session bus
sees them: the test owns org.freedesktop.Notifications on the private bus of its run,
moves the simulated mouse's battery through its window, and counts the calls."""

import unittest

import pyatspi
from gi.repository import Gio, GLib

from corvane_e2e import ProgramTestCase, pump_events, wait_for

SERVICE = "org.freedesktop.Notifications"
PATH = "/org/freedesktop/Notifications"
INTERFACE_XML = """
<node>
  <interface name="org.freedesktop.Notifications">
    <method name="Notify">
      <arg type="s" direction="in"/><arg type="u" direction="in"/><arg type="s" direction="in"/>
      <arg type="s" direction="in"/><arg type="s" direction="in"/><arg type="as" direction="in"/>
      <arg type="a{sv}" direction="in"/><arg type="i" direction="in"/><arg type="u" direction="out"/>
    </method>
    <method name="GetCapabilities"><arg type="as" direction="out"/></method>
    <method name="GetServerInformation">
      <arg type="s" direction="out"/><arg type="s" direction="out"/>
      <arg type="s" direction="out"/><arg type="s" direction="out"/>
    </method>
    <method name="CloseNotification"><arg type="u" direction="in"/></method>
  </interface>
</node>
"""
REQUEST_NAME_DO_NOT_QUEUE = 4
REQUEST_NAME_PRIMARY_OWNER = 1


class NotificationService:
    """A notification service that records every Notify call and answers it. Calls are
    answered while the test waits (wait_for runs the main context)."""

    def __init__(self):
        self.notes = []
        self.bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
        interface = Gio.DBusNodeInfo.new_for_xml(INTERFACE_XML).interfaces[0]
        self.registration = self.bus.register_object(PATH, interface, self.on_call, None, None)
        reply = self.bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                                   "RequestName", GLib.Variant("(su)", (SERVICE, REQUEST_NAME_DO_NOT_QUEUE)),
                                   GLib.VariantType("(u)"), Gio.DBusCallFlags.NONE, -1, None)
        if reply.unpack()[0] != REQUEST_NAME_PRIMARY_OWNER:
            raise AssertionError(f"{SERVICE} is already taken on this bus")

    def on_call(self, connection, sender, path, interface, method, parameters, invocation):
        if method == "Notify":
            self.notes.append(parameters.unpack())
            invocation.return_value(GLib.Variant("(u)", (len(self.notes),)))
        elif method == "GetCapabilities":
            invocation.return_value(GLib.Variant("(as)", (["body"],)))
        elif method == "GetServerInformation":
            invocation.return_value(GLib.Variant("(ssss)", ("test", "corvane", "1", "1.2")))
        else:
            invocation.return_value(None)

    def close(self):
        self.bus.unregister_object(self.registration)
        self.bus.call_sync("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                           "ReleaseName", GLib.Variant("(s)", (SERVICE,)), GLib.VariantType("(u)"),
                           Gio.DBusCallFlags.NONE, -1, None)


class NotificationTest(ProgramTestCase):

    def setUp(self):
        self.service = NotificationService()
        self.addCleanup(self.service.close)
        super().setUp()

    def battery_shown(self):
        gauge = self.find(pyatspi.ROLE_PROGRESS_BAR, prefix="Battery ")
        return int(gauge.queryValue().currentValue)

    def test_a_battery_falling_past_15_percent_sends_one_notification(self):
        mouse = self.program.window(pyatspi.ROLE_FILLER, "Simulated mouse")
        level = self.program.find(mouse, pyatspi.ROLE_SPIN_BUTTON, "Battery level in percent")
        for percent in (40, 16, 14, 13, 12):
            self.program.set_value(level, percent)
            # Each level has reached the program (its gauge) before the next one is set.
            wait_for(lambda: self.battery_shown() == percent, what=f"the gauge to show {percent} %")
        pump_events()  # a call still on its way is taken in before counting
        self.assertEqual(len(self.service.notes), 1, self.service.notes)
        app_name, replaces, icon, summary, body, actions, hints, timeout = self.service.notes[0]
        self.assertEqual(app_name, "Corvane")
        self.assertEqual(replaces, 0)
        self.assertEqual(summary, "Mouse battery low")
        self.assertIn("14", body)
        self.assertEqual(hints.get("desktop-entry"), "org.corvane.Corvane")
        width, height, stride, alpha, bits, channels, pixels = hints["image-data"]
        self.assertGreater(width, 0)
        self.assertEqual(len(pixels), stride * height)

        # Back above the threshold and below it again: still only one, as the level did
        # not rise past the margin that re-arms it.
        self.program.set_value(level, 16)
        wait_for(lambda: self.battery_shown() == 16, what="the gauge to show 16 %")
        self.program.set_value(level, 15)
        wait_for(lambda: self.battery_shown() == 15, what="the gauge to show 15 %")
        pump_events()
        self.assertEqual(len(self.service.notes), 1, self.service.notes)


if __name__ == "__main__":
    unittest.main()
