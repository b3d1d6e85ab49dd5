# Shared by the end-to-end scripts under sway (wlroots) on Wayland: a
# headless sway with its Xwayland, DISPLAY set for the X tools and the
# clock, and sway's own pointer for the checks.
# Source it; then call start_sway_session [WIDTHxHEIGHT]. Where sway cannot
# run, the script ends with 77, the code for a skipped test.
#
# What sway 1.7 does with X11 windows, unlike an X11 window manager:
# - It manages every window that is not override-redirect: fixed-size ones
#   (and dialogs, utilities, toolbars, splashes) float in the middle of the
#   screen, the rest are tiled. Positions asked for, at mapping or later by
#   a configure request, are not honoured; a later one even puts a window
#   that a user's for_window rule had placed back in the middle.
# - _NET_WM_STATE is rewritten with the few states it knows: ABOVE,
#   SKIP_TASKBAR and SKIP_PAGER are dropped. There is no _NET_WORKAREA.
# - An override-redirect window goes exactly where it is put and is drawn
#   above all managed windows; X11 itself picks the window under the pointer
#   by its own stacking, so such a window has to raise itself in X11 too.
# - xdotool (XTest) moves only Xwayland's idea of the pointer;
#   compositor_move moves sway's own, as a mouse would.
. "$(dirname "${BASH_SOURCE[0]}")/x11_session.sh"

skip() {
    echo "SKIP: $*"
    exit 77
}

# sway refuses to run as root; a root test runs it as this user.
SWAY_USER=vesperawlr

start_sway_session() {
    local size=${1:-1280x800}
    command -v sway >/dev/null || skip "sway is not installed"
    command -v Xwayland >/dev/null || skip "Xwayland is not installed"
    need runuser xhost xwininfo xprop swaymsg
    local user me s=$WORK/sway
    me=$(id -un)
    user=$me
    if [ "$(id -u)" = 0 ]; then
        user=$SWAY_USER
        id "$user" >/dev/null 2>&1 \
            || useradd --system --no-create-home --shell /usr/sbin/nologin "$user" \
            || skip "cannot add the user $user to run sway"
        # Its user has to reach its own folder inside ours.
        chmod 711 "$WORK"
    fi
    mkdir -p "$s/run" && chmod 700 "$s/run"
    # sway starts this once Xwayland is up: it lets the test's user in to
    # Xwayland and hands back where everything is.
    cat >"$s/ready" <<EOF
#!/bin/sh
# sway may run this a moment before Xwayland answers.
tries=0
until xhost >/dev/null 2>&1; do
    tries=\$((tries + 1))
    [ \$tries -gt 300 ] && exit 1
    sleep 0.1
done
[ "$user" = "$me" ] || xhost +SI:localuser:$me >/dev/null
printf '%s\n%s\n%s\n' "\$DISPLAY" "\$WAYLAND_DISPLAY" "\$SWAYSOCK" >"$s/where.tmp"
mv "$s/where.tmp" "$s/where"
EOF
    chmod 755 "$s/ready"
    # "xwayland force" starts Xwayland at once, not on the first X client,
    # so that DISPLAY is known before anything runs.
    cat >"$s/config" <<EOF
xwayland force
output HEADLESS-1 resolution $size position 0 0
exec $s/ready
EOF
    chown -R "$user" "$s"
    # No input devices at all: the only pointer is the one compositor_move
    # makes. The pixman renderer needs no GPU and little of the CPU.
    local run=(env -i HOME="$s" PATH=/usr/bin:/bin USER="$user" XDG_RUNTIME_DIR="$s/run"
        WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman
        sh -c 'echo $$ >"$XDG_RUNTIME_DIR/../sway.pid"; exec sway -c "$XDG_RUNTIME_DIR/../config"')
    if [ "$user" = "$me" ]; then
        "${run[@]}" >"$WORK/sway.log" 2>&1 &
    else
        runuser -u "$user" -- "${run[@]}" >"$WORK/sway.log" 2>&1 &
    fi
    local session=$!
    wait_for 30 test -s "$s/sway.pid" || skip "sway did not start: $(tail -n 5 "$WORK/sway.log")"
    PIDS+=("$(cat "$s/sway.pid")" "$session")
    wait_for 60 test -s "$s/where" || skip "sway's Xwayland did not come up: $(tail -n 5 "$WORK/sway.log")"
    export DISPLAY SWAYSOCK
    DISPLAY=$(sed -n 1p "$s/where")
    SWAY_SOCKET=$(sed -n 2p "$s/where")
    SWAYSOCK=$(sed -n 3p "$s/where")
    SWAY_RUNTIME=$s/run
    SWAY_SIZE=$size
    wait_for 30 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' \
        || fail "sway did not take up its place as X11 window manager"

    # The clock is an X11 program: it must not see the Wayland socket.
    export XDG_CONFIG_HOME=$WORK/config XDG_RUNTIME_DIR=$WORK/run LC_ALL=C.UTF-8
    mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
    unset QT_QPA_PLATFORM WAYLAND_DISPLAY XAUTHORITY
}

# The name the window manager gives itself to X11 clients: "wlroots wm" here.
x11_wm_name() {
    local check
    check=$(xprop -root _NET_SUPPORTING_WM_CHECK | awk '{print $NF}')
    xprop -id "$check" _NET_WM_NAME | cut -d'"' -f2
}

# Moves sway's own pointer, as a mouse does, through the wlroots
# virtual-pointer protocol. One connection serves the whole test: the seat
# has a pointer only while a virtual one exists, and Xwayland loses track of
# the pointer each time it goes.
compositor_pointer_start() {
    cat >"$WORK/virtual_pointer.py" <<'EOF'
# Speaks the Wayland wire protocol itself, so that nothing but Python is
# needed. Commands on standard input, one a line: "move X Y", "click BUTTON"
# (272 left, 273 right); "ok" follows once sway has handled each.
# Argument: the size of the screen, WIDTHxHEIGHT, for absolute motion.
import os, socket, struct, sys, time

sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
sock.connect(os.path.join(os.environ["XDG_RUNTIME_DIR"], os.environ["WAYLAND_DISPLAY"]))
width, height = map(int, sys.argv[1].split("x"))
buf = b""
ids = iter(range(2, 1 << 30))
found = {}

def send(obj, op, *args):
    body = b"".join(struct.pack("=I", a) for a in args)
    sock.sendall(struct.pack("=II", obj, (8 + len(body)) << 16 | op) + body)

def bind(registry, iface, version, new):
    b = iface.encode() + b"\0"
    body = struct.pack("=II", found[iface], len(b)) + b + b"\0" * (-len(b) % 4) + struct.pack("=II", version, new)
    sock.sendall(struct.pack("=II", registry, (8 + len(body)) << 16 | 0) + body)

def roundtrip(registry=None):
    global buf
    done = next(ids)
    send(1, 0, done)  # wl_display.sync
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
            sys.exit("sway closed the connection")
        buf += data

registry = next(ids)
send(1, 1, registry)  # wl_display.get_registry
roundtrip(registry)
if "zwlr_virtual_pointer_manager_v1" not in found:
    sys.exit("sway offers no virtual pointer")
manager, pointer = next(ids), next(ids)
bind(registry, "zwlr_virtual_pointer_manager_v1", 1, manager)
send(manager, 0, 0, pointer)  # create_virtual_pointer, on the default seat
roundtrip()
print("ready", flush=True)
ms = lambda: int(time.monotonic() * 1000) & 0xffffffff
for line in sys.stdin:
    w = line.split()
    if w[0] == "move":  # motion_absolute, then frame
        send(pointer, 1, ms(), int(w[1]), int(w[2]), width, height)
        send(pointer, 4)
    elif w[0] == "click":  # button pressed, then released, each a frame
        for state in (1, 0):
            send(pointer, 2, ms(), int(w[1]), state)
            send(pointer, 4)
    else:
        sys.exit("unknown command: " + line)
    roundtrip()
    print("ok", flush=True)
EOF
    local line
    coproc COMPOSITOR_POINTER {
        XDG_RUNTIME_DIR=$SWAY_RUNTIME WAYLAND_DISPLAY=$SWAY_SOCKET exec /usr/bin/python3 "$WORK/virtual_pointer.py" "$SWAY_SIZE"
    }
    PIDS+=("$COMPOSITOR_POINTER_PID")
    read -r -t 30 line <&"${COMPOSITOR_POINTER[0]}" && [ "$line" = ready ] \
        || fail "no virtual pointer from sway"
}
compositor_command() {
    local line
    echo "$*" >&"${COMPOSITOR_POINTER[1]}"
    read -r -t 30 line <&"${COMPOSITOR_POINTER[0]}" && [ "$line" = ok ]
}
compositor_move() { compositor_command move "$1" "$2"; }
compositor_click() { compositor_command click "${1:-272}"; }

# What sway shows, the whole screen, as a PNG (grim, through wlroots'
# screencopy).
sway_screenshot() {
    need grim
    XDG_RUNTIME_DIR=$SWAY_RUNTIME WAYLAND_DISPLAY=$SWAY_SOCKET grim "$1"
}
