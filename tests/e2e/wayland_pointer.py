#!/usr/bin/python3
"""Moves a Wayland compositor's own pointer, as a mouse would, for the tests.

xdotool (XTest) moves only Xwayland's idea of the pointer, which no person
can do; these protocols move the compositor's pointer, so windows get
enter, motion and leave from the compositor itself:

    wayland_pointer.py kwin       KWin's org_kde_kwin_fake_input
    wayland_pointer.py wlr WxH    wlroots' zwlr_virtual_pointer_manager_v1,
                                  for a screen of that size

Speaks the wire protocol itself, so that nothing but Python is needed, to
the compositor at $XDG_RUNTIME_DIR/$WAYLAND_DISPLAY. One connection serves
the whole test: a compositor adds a pointer to its seat for each such
client and takes it away when the client goes, and Xwayland loses track of
the pointer with it. Commands on standard input, one a line: "move X Y",
"click BUTTON" (272 left, 273 right); "ok" follows once the compositor has
handled each.
"""
import os
import socket
import struct
import sys
import time

sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
sock.connect(os.path.join(os.environ["XDG_RUNTIME_DIR"], os.environ["WAYLAND_DISPLAY"]))
buf = b""
ids = iter(range(2, 1 << 30))
found = {}


def pack(fmt, *args):
    body = b""
    for f, a in zip(fmt, args):
        if f == "s":
            b = a.encode() + b"\0"
            body += struct.pack("=I", len(b)) + b + b"\0" * (-len(b) % 4)
        else:
            body += struct.pack("=i" if f == "i" else "=I", a)
    return body


def send(obj, op, fmt="", *args):
    body = pack(fmt, *args)
    sock.sendall(struct.pack("=II", obj, (8 + len(body)) << 16 | op) + body)


def roundtrip(registry=None):
    global buf
    done = next(ids)
    send(1, 0, "u", done)  # wl_display.sync
    while True:
        while len(buf) >= 8:
            obj, word = struct.unpack("=II", buf[:8])
            if len(buf) < word >> 16:
                break
            msg, buf = buf[8:word >> 16], buf[word >> 16:]
            op = word & 0xffff
            if obj == 1 and op == 0:
                sys.exit("Wayland protocol error: " + msg[12:].rstrip(b"\0").decode())
            if obj == registry and op == 0:  # wl_registry.global
                name, n = struct.unpack("=II", msg[:8])
                found[msg[8:8 + n - 1].decode()] = name
            if obj == done and op == 0:
                return
        data = sock.recv(65536)
        if not data:
            sys.exit("the compositor closed the connection")
        buf += data


def bind(registry, iface, version):
    if iface not in found:
        sys.exit(f"the compositor does not offer {iface} to this program")
    new = next(ids)
    send(registry, 0, "usuu", found[iface], iface, version, new)
    return new


def ms():
    return int(time.monotonic() * 1000) & 0xFFFFFFFF


class KWinFakeInput:
    def __init__(self, registry):
        self.fake = bind(registry, "org_kde_kwin_fake_input", 4)
        send(self.fake, 0, "ss", "vespera tests", "the end-to-end tests move the pointer")

    def move(self, x, y):  # pointer_motion_absolute, in wl_fixed
        send(self.fake, 9, "ii", x * 256, y * 256)

    def click(self, button):
        send(self.fake, 2, "uu", button, 1)
        send(self.fake, 2, "uu", button, 0)


class WlrVirtualPointer:
    def __init__(self, registry, size):
        self.width, self.height = map(int, size.split("x"))
        manager = bind(registry, "zwlr_virtual_pointer_manager_v1", 1)
        self.pointer = next(ids)
        send(manager, 0, "uu", 0, self.pointer)  # create_virtual_pointer, default seat

    def move(self, x, y):  # motion_absolute, then frame
        send(self.pointer, 1, "uuuuu", ms(), x, y, self.width, self.height)
        send(self.pointer, 4)

    def click(self, button):  # pressed, then released, each a frame
        for state in (1, 0):
            send(self.pointer, 2, "uuu", ms(), button, state)
            send(self.pointer, 4)


def main():
    registry = next(ids)
    send(1, 1, "u", registry)  # wl_display.get_registry
    roundtrip(registry)
    if sys.argv[1:2] == ["kwin"]:
        device = KWinFakeInput(registry)
    elif sys.argv[1:2] == ["wlr"] and len(sys.argv) == 3:
        device = WlrVirtualPointer(registry, sys.argv[2])
    else:
        sys.exit("usage: wayland_pointer.py kwin | wlr WIDTHxHEIGHT")
    roundtrip()
    print("ready", flush=True)
    for line in sys.stdin:
        w = line.split()
        if w[:1] == ["move"] and len(w) == 3:
            device.move(int(w[1]), int(w[2]))
        elif w[:1] == ["click"] and len(w) == 2:
            device.click(int(w[1]))
        else:
            sys.exit("unknown command: " + line)
        roundtrip()
        print("ok", flush=True)


main()
