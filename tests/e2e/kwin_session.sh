# Shared by the end-to-end scripts under KDE's KWin on Wayland: a headless
# KWin with its Xwayland, DISPLAY set for the X tools and the clock, and
# KWin's own pointer, screenshots and scripting for the checks.
# Source it; then call start_kwin_session [WIDTHxHEIGHT]. Where KWin cannot
# run, the script ends with 77, the code for a skipped test.
#
# What KWin 5.27 does differently from an X11 window manager, and these
# helpers account for:
# - There is no _NET_WORKAREA until some window reserves space with a strut;
#   until then the clock has to fall back to the screen.
# - xdotool (XTest) moves only Xwayland's idea of the pointer: X clients see
#   it, KWin's own pointer stays where it was. compositor_move moves KWin's
#   pointer as a mouse would; X clients then hear of it only while it is over
#   one of their windows. Once it is away from them, XQueryPointer keeps
#   answering the last position it had over an X window, and a window it
#   left after moving inside it gets no LeaveNotify.
. "$(dirname "${BASH_SOURCE[0]}")/compositor_session.sh"

start_kwin_session() {
    local size=${1:-1280x800} kwin
    kwin=$(command -v kwin_wayland) || skip "KWin (kwin_wayland) is not installed"
    command -v Xwayland >/dev/null || skip "Xwayland is not installed"
    need dbus-run-session xwininfo xprop
    local k=$WORK/kwin
    mkdir -p "$k/bin" "$k/run" "$k/config" "$k/data" "$k/cache"
    chmod 700 "$k/run"
    # Debian's binary carries a file capability, which a container without
    # that capability refuses to exec; a plain copy (cp drops it) runs. KWin's
    # Qt platform plugin loads only into a program named kwin_wayland, so the
    # copy keeps the name.
    cp "$kwin" "$k/bin/kwin_wayland" || skip "cannot copy $kwin"
    # KWin starts this once Xwayland accepts clients; it hands back where
    # they are. KWin's own user is already let in to its Xwayland.
    cat >"$k/ready" <<EOF
#!/bin/sh
printf '%s\n%s\n' "\$DISPLAY" "\$DBUS_SESSION_BUS_ADDRESS" >"$k/where.tmp"
mv "$k/where.tmp" "$k/where"
EOF
    chmod +x "$k/ready"
    # Without --no-lockscreen KWin locks the screen after five idle minutes
    # and then hands all input to a lock screen that is not there. The two
    # permission switches let our own helpers use fake input and
    # screenshots without desktop files naming them.
    (
        cd "$k" || exit 1
        unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM XAUTHORITY
        export XDG_RUNTIME_DIR=$k/run XDG_CONFIG_HOME=$k/config \
            XDG_DATA_HOME=$k/data XDG_CACHE_HOME=$k/cache \
            KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1
        exec dbus-run-session -- sh -c 'echo $$ >kwin.pid; exec "$@"' kwin \
            "$k/bin/kwin_wayland" --virtual --xwayland --width "${size%x*}" --height "${size#*x}" \
            --no-lockscreen --no-global-shortcuts --no-kactivities --socket vespera-kwin "$k/ready"
    ) >"$WORK/kwin.log" 2>&1 &
    wait_for 30 test -s "$k/kwin.pid" || skip "KWin did not start: $(tail -n 5 "$WORK/kwin.log")"
    # Only KWin is ended at cleanup: dbus-run-session then takes its bus
    # down and leaves by itself, which it does not when it is killed too.
    PIDS+=("$(cat "$k/kwin.pid")")
    wait_for 60 test -s "$k/where" || skip "KWin's Xwayland did not come up: $(tail -n 5 "$WORK/kwin.log")"
    export DISPLAY
    DISPLAY=$(sed -n 1p "$k/where")
    KWIN_BUS=$(sed -n 2p "$k/where")
    COMPOSITOR_RUNTIME=$k/run
    COMPOSITOR_SOCKET=vespera-kwin
    wait_for 30 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' \
        || fail "KWin did not take up its place as X11 window manager"

    # The clock is an X11 program: it must not see the Wayland socket.
    export XDG_CONFIG_HOME=$WORK/config XDG_RUNTIME_DIR=$WORK/run LC_ALL=C.UTF-8
    mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
    unset QT_QPA_PLATFORM WAYLAND_DISPLAY XAUTHORITY
}

# KWin's own pointer, through its fake input.
kwin_pointer_start() { compositor_pointer_start kwin; }

# What KWin shows, the whole screen, as a PNG; through its ScreenShot2
# interface on KWin's session bus.
kwin_screenshot() {
    DBUS_SESSION_BUS_ADDRESS=$KWIN_BUS /usr/bin/python3 - "$1" <<'EOF'
import os, struct, sys, threading, zlib
from gi.repository import Gio, GLib

bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
r, w = os.pipe()
data = []
reader = threading.Thread(target=lambda: data.append(os.fdopen(r, "rb").read()))
reader.start()
fds = Gio.UnixFDList.new()
handle = fds.append(w)
os.close(w)
reply, _ = bus.call_with_unix_fd_list_sync(
    "org.kde.KWin", "/org/kde/KWin/ScreenShot2", "org.kde.KWin.ScreenShot2", "CaptureWorkspace",
    GLib.Variant("(a{sv}h)", ({"native-resolution": GLib.Variant("b", True)}, handle)),
    GLib.VariantType("(a{sv})"), Gio.DBusCallFlags.NONE, 30000, fds, None)
del fds  # our copy of the pipe's end, so that the reader sees the end
reader.join(30)
info = reply.unpack()[0]
width, height, stride = info["width"], info["height"], info["stride"]
rows = b""
for y in range(height):  # 32-bit pixels, blue first in memory
    px = data[0][y * stride:y * stride + width * 4]
    row = bytearray(width * 3)
    row[0::3], row[1::3], row[2::3] = px[2::4], px[1::4], px[0::4]
    rows += b"\0" + bytes(row)
def chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
with open(sys.argv[1], "wb") as f:
    f.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))
EOF
}

# Runs a KWin script and prints what it hands to out(), one line each. KWin
# writes a script's print() to its own output, so the lines are fished out of
# its log by a marker, and a last one says the script has finished.
kwin_eval() {
    need gdbus
    local js=$WORK/kwin/eval-$RANDOM.js marker=vespera-$RANDOM
    printf 'function out(s) { print("%s " + s); }\n%s\nprint("%s-end");\n' "$marker" "$1" "$marker" >"$js"
    local call="gdbus call --session -d org.kde.KWin -o /Scripting -m org.kde.kwin.Scripting"
    DBUS_SESSION_BUS_ADDRESS=$KWIN_BUS $call.loadScript "$js" "$marker" >/dev/null || return 1
    DBUS_SESSION_BUS_ADDRESS=$KWIN_BUS $call.start >/dev/null
    wait_for 10 grep -q "js: $marker-end" "$WORK/kwin.log" || fail "KWin did not run the script: $1"
    DBUS_SESSION_BUS_ADDRESS=$KWIN_BUS $call.unloadScript "$marker" >/dev/null
    grep "js: $marker " "$WORK/kwin.log" | sed "s/^js: $marker //"
}
