#!/usr/bin/env python3
"""A stand-in for the desktop portal's Settings interface on the session bus: answers Read of
org.freedesktop.appearance color-scheme with the value given on the command line, wrapped twice as
bookworm's portal does; on SIGUSR1 switches to the second value and signals SettingChanged.
Prints "ready" once it owns the name."""
import signal
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

NAME = "org.freedesktop.portal.Desktop"
PATH = "/org/freedesktop/portal/desktop"
SETTINGS = "org.freedesktop.portal.Settings"


class Settings(dbus.service.Object):
    def __init__(self, bus, scheme):
        super().__init__(bus, PATH)
        self.scheme = scheme

    @dbus.service.method(SETTINGS, in_signature="ss", out_signature="v")
    def Read(self, namespace, key):
        if (namespace, key) != ("org.freedesktop.appearance", "color-scheme"):
            raise dbus.exceptions.DBusException("not found", name="org.freedesktop.portal.Error.NotFound")
        return dbus.UInt32(self.scheme, variant_level=2)

    @dbus.service.signal(SETTINGS, signature="ssv")
    def SettingChanged(self, namespace, key, value):
        pass


def main():
    first, second = int(sys.argv[1]), int(sys.argv[2])
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    settings = Settings(bus, first)
    name = dbus.service.BusName(NAME, bus)  # noqa: F841 (held while running)

    def switch():
        settings.scheme = second
        settings.SettingChanged("org.freedesktop.appearance", "color-scheme", dbus.UInt32(second, variant_level=1))
        return GLib.SOURCE_REMOVE

    GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGUSR1, lambda: switch() or True)
    GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGTERM, lambda: loop.quit() or False)
    loop = GLib.MainLoop()
    print("ready", flush=True)
    loop.run()


if __name__ == "__main__":
    main()
