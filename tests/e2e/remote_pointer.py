#!/usr/bin/python3
"""Real pointer input for a headless GNOME session, for the end-to-end tests.

xdotool cannot move the pointer of a Wayland compositor: under Xwayland it
only warps the X server's idea of it, which mutter ignores (and which makes
an X client believe things no person could make happen). Mutter's remote
desktop interface injects events through a virtual input device, as a mouse
would, so windows get enter, motion and leave from the compositor itself.

Mutter ends a remote desktop session when the D-Bus connection that made it
goes away, so this stays running for the whole test and takes one command a
line on standard input:

    move X Y                  to X,Y, in the pixels X clients see
    rel DX DY                 relative motion, in the same pixels
    button N press|release    N = 1 left, 2 middle, 3 right
    click N                   press and release
    key KEYSYM press|release  KEYSYM: a number (0xffe1) or shift/control/alt
    ping                      nothing
    quit

Keys go to the window with the keyboard focus; X clients hear of them, and
of held modifiers, only while an X window has it.

Each command is answered by one line, "ok" or "error: ...", once mutter has
replied to it. Mutter hands the events on to its input thread after
replying, so "ok" means accepted, not yet seen by the windows: poll for the
effect.

Without a screen cast stream there is no absolute motion, so "move" first
pushes the pointer to the top-left corner of the layout, then over to the
target's monitor along the top edge, then to the target. The layout comes
from mutter's DisplayConfig: in its physical layout mode (the default) a
relative motion is multiplied by the scale of the monitor it happens on, so
it is divided by that here. "move" expects monitors side by side along the
top edge, as mutter lays out its virtual monitors, and refuses a target on
no monitor. "rel" divides by the scale of the monitor where the pointer
should be after the last moves; mutter stops the pointer at the edge of the
monitor it is on.
"""
import sys
import time

import gi

gi.require_version("Gio", "2.0")
from gi.repository import Gio, GLib  # noqa: E402

BUS_NAME = "org.gnome.Mutter.RemoteDesktop"
PATH = "/org/gnome/Mutter/RemoteDesktop"
SESSION_IFACE = "org.gnome.Mutter.RemoteDesktop.Session"
DISPLAY_CONFIG = "org.gnome.Mutter.DisplayConfig"
TIMEOUT_MS = 30000
LAYOUT_LOGICAL = 1

# evdev codes, as mutter expects them for buttons.
BUTTONS = {1: 0x110, 2: 0x112, 3: 0x111}
KEYSYMS = {"shift": 0xFFE1, "control": 0xFFE3, "alt": 0xFFE9}
# Far enough to reach a monitor's corner from anywhere on it.
FAR = -100000.0
MAX_MONITORS = 4


class Monitor:
    def __init__(self, x, y, width, height, factor):
        self.x, self.y, self.width, self.height = x, y, width, height
        # What mutter multiplies a relative motion on this monitor by.
        self.factor = factor

    def holds(self, x, y):
        return self.x <= x < self.x + self.width and self.y <= y < self.y + self.height


class Pointer:
    def __init__(self, bus):
        self.bus = bus
        self.closed = False
        self.where = None  # where the pointer should be, once moved
        reply = bus.call_sync(BUS_NAME, PATH, BUS_NAME, "CreateSession", None,
                              GLib.VariantType("(o)"), Gio.DBusCallFlags.NONE,
                              TIMEOUT_MS, None)
        self.session = reply.unpack()[0]
        bus.signal_subscribe(BUS_NAME, SESSION_IFACE, "Closed", self.session,
                             None, Gio.DBusSignalFlags.NONE, self._on_closed)
        self._call("Start")

    def _on_closed(self, *_):
        self.closed = True

    def _call(self, method, args=None):
        self.bus.call_sync(BUS_NAME, self.session, SESSION_IFACE, method, args,
                           None, Gio.DBusCallFlags.NONE, TIMEOUT_MS, None)

    def _motion(self, dx, dy):
        self._call("NotifyPointerMotionRelative", GLib.Variant("(dd)", (dx, dy)))

    def monitors(self):
        reply = self.bus.call_sync(DISPLAY_CONFIG, "/org/gnome/Mutter/DisplayConfig",
                                   DISPLAY_CONFIG, "GetCurrentState", None, None,
                                   Gio.DBusCallFlags.NONE, TIMEOUT_MS, None)
        _, physical, logical, properties = reply.unpack()
        logical_layout = properties.get("layout-mode") == LAYOUT_LOGICAL
        sizes = {}
        for (connector, *_), modes, _ in physical:
            for _, width, height, _, _, _, mode_properties in modes:
                if mode_properties.get("is-current"):
                    sizes[connector] = (width, height)
        result = []
        for x, y, scale, transform, _, members, _ in logical:
            width, height = sizes[members[0][0]]
            if transform % 2:  # turned by 90 or 270 degrees
                width, height = height, width
            if logical_layout:
                result.append(Monitor(x, y, round(width / scale), round(height / scale), 1.0))
            else:
                result.append(Monitor(x, y, width, height, scale))
        return result

    def _on(self, monitors, x, y):
        for m in monitors:
            if m.holds(x, y):
                return m
        raise ValueError(f"{x:g},{y:g} is on no monitor")

    def move(self, x, y):
        monitors = self.monitors()
        target = self._on(monitors, x, y)
        # Mutter keeps the pointer on the monitor it is on when a motion
        # would end outside every monitor, so a push towards the top-left
        # stops at that monitor's corner. A step left (or up) from there is
        # on the neighbour, and the next push reaches its corner: enough of
        # these rounds and the pointer is at 0,0 from any monitor.
        for _ in range(MAX_MONITORS):
            for step in ((FAR, FAR), (-1, 0), (FAR, FAR), (0, -1)):
                self._motion(*step)
        self._motion(FAR, FAR)
        # Then along the top edge from monitor to monitor, each time pushed
        # against its right edge and one step over: a motion that crosses
        # monitors of different scales lands wrong in mutter 43, a step from
        # the last pixel lands on the first one of the next.
        here = self._on(monitors, 0, 0)
        while here is not target:
            if here.x + here.width > x:
                raise ValueError(f"{x:g},{y:g} is below no monitor along the top edge")
            self._motion(-FAR, 0)
            self._motion(1, 0)
            here = self._on(monitors, here.x + here.width, 0)
        self._motion((x - here.x) / here.factor, y / here.factor)
        self.where = (x, y)

    def rel(self, dx, dy):
        factor = 1.0
        if self.where is not None:
            factor = self._on(self.monitors(), *self.where).factor
            self.where = (self.where[0] + dx, self.where[1] + dy)
        self._motion(dx / factor, dy / factor)

    def button(self, n, pressed):
        self._call("NotifyPointerButton", GLib.Variant("(ib)", (BUTTONS[n], pressed)))

    def key(self, keysym, pressed):
        self._call("NotifyKeyboardKeysym", GLib.Variant("(ub)", (keysym, pressed)))

    def ping(self):
        self.bus.call_sync(BUS_NAME, PATH, "org.freedesktop.DBus.Peer", "Ping",
                           None, None, Gio.DBusCallFlags.NONE, TIMEOUT_MS, None)

    def stop(self):
        if not self.closed:
            try:
                self._call("Stop")
            except GLib.Error:
                pass


def keysym(word):
    if word.lower() in KEYSYMS:
        return KEYSYMS[word.lower()]
    try:
        return int(word, 0)
    except ValueError:
        raise ValueError(f"a keysym number or one of {', '.join(KEYSYMS)}, not {word!r}") from None


def button(word):
    if int(word) not in BUTTONS:
        raise ValueError(f"button 1, 2 or 3, not {word!r}")
    return int(word)


def state(word):
    if word not in ("press", "release"):
        raise ValueError(f"press or release, not {word!r}")
    return word == "press"


def run(pointer, words):
    cmd, args = words[0], words[1:]
    if cmd == "move" and len(args) == 2:
        pointer.move(float(args[0]), float(args[1]))
    elif cmd == "rel" and len(args) == 2:
        pointer.rel(float(args[0]), float(args[1]))
    elif cmd == "button" and len(args) == 2:
        pointer.button(button(args[0]), state(args[1]))
    elif cmd == "click" and len(args) == 1:
        pointer.button(button(args[0]), True)
        pointer.button(button(args[0]), False)
    elif cmd == "key" and len(args) == 2:
        pointer.key(keysym(args[0]), state(args[1]))
    elif cmd == "ping" and not args:
        pass
    else:
        raise ValueError(f"unknown command {' '.join(words)!r}")
    # One more round trip, so that "ok" also follows whatever mutter was
    # sent before, not only the last call.
    pointer.ping()


def connect(wait):
    # Mutter takes its bus names a moment after it starts.
    deadline = time.monotonic() + wait
    while True:
        try:
            return Pointer(Gio.bus_get_sync(Gio.BusType.SESSION, None))
        except GLib.Error as e:
            unknown = Gio.DBusError.is_remote_error(e) and Gio.DBusError.get_remote_error(e) in (
                "org.freedesktop.DBus.Error.ServiceUnknown",
                "org.freedesktop.DBus.Error.NameHasNoOwner")
            if not unknown or time.monotonic() > deadline:
                raise
            time.sleep(0.2)


def main():
    try:
        pointer = connect(wait=30)
    except GLib.Error as e:
        print(f"error: no remote desktop session: {e.message}", flush=True)
        return 1
    print("ready", flush=True)

    context = GLib.MainContext.default()
    for line in sys.stdin:
        words = line.split()
        if not words:
            continue
        if words[0] == "quit":
            break
        # Lets a Closed signal be seen before going on.
        while context.pending():
            context.iteration(False)
        if pointer.closed:
            print("error: mutter closed the remote desktop session", flush=True)
            return 1
        try:
            run(pointer, words)
            print("ok", flush=True)
        except (ValueError, GLib.Error) as e:
            print(f"error: {getattr(e, 'message', e)}", flush=True)
    pointer.stop()
    return 0


if __name__ == "__main__":
    sys.exit(main())
