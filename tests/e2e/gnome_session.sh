# Shared by the end-to-end scripts on GNOME: mutter as a headless Wayland
# compositor with Xwayland, on a session bus of its own, all of it run by an
# ordinary user as a desktop session would be, and the clock run by that user.
# Source it; then call start_gnome_session WxH [WxH ...], one size a monitor.
#
# After start_gnome_session:
#   DISPLAY, XAUTHORITY  exported, so xprop, xwininfo and the helpers of
#                        x11_session.sh work from this shell, even as root
#   XDG_CONFIG_HOME      the user's settings folder; what this shell writes
#                        there must be handed over with give_to_user
#   run_as_user CMD...   runs CMD as the user, in the session, in the foreground
#   start_as_user LOG CMD...  the same in the background; USER_PID is its pid,
#                        ended with all it started by stop_gnome_session or
#                        when the script ends
#   user_path FILE       FILE, or a copy of it the user can read
#   start_pointer, pointer CMD...  real pointer input (remote_pointer.py)
#   x_pointer            where X believes the pointer is
. "$(dirname "${BASH_SOURCE[0]}")/x11_session.sh"
E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# Process groups to end. Whatever the session starts (Xwayland, the bus,
# services it activates, the clock's helpers) stays in the group of what we
# started, and most of it is no child of this shell.
USER_GROUPS=()
MUTTER_PID=''
group_gone() { ! kill -0 -- "-$1" 2>/dev/null; }

stop_gnome_session() {
    local g n p keep=()
    # Mutter first, while its bus is still there: it then stops Xwayland and
    # removes its displays' lock files and sockets. Losing the bus first
    # makes it exit on the spot and leave them in /tmp.
    if [ -n "$MUTTER_PID" ]; then
        kill -TERM "$MUTTER_PID" 2>/dev/null
        wait_for 20 sh -c "! kill -0 $MUTTER_PID 2>/dev/null"
    fi
    for g in "${USER_GROUPS[@]}"; do kill -TERM -- "-$g" 2>/dev/null; done
    for g in "${USER_GROUPS[@]}"; do
        wait_for 20 group_gone "$g" || kill -KILL -- "-$g" 2>/dev/null
    done
    # What a killed mutter left, and only that.
    for n in ${X_DISPLAYS:-}; do
        if [ -n "$MUTTER_PID" ] && [ "$(tr -d ' ' 2>/dev/null <"/tmp/.X$n-lock")" = "$MUTTER_PID" ]; then
            rm -f "/tmp/.X$n-lock" "/tmp/.X11-unix/X$n"
        fi
    done
    if [ -n "${POINTER_IN:-}" ]; then
        exec {POINTER_IN}>&- {POINTER_OUT}<&-
        POINTER_IN='' POINTER_OUT=''
    fi
    # Their ids may be reused by the time session.sh's cleanup runs.
    for p in "${PIDS[@]}"; do
        [[ " ${USER_GROUPS[*]} " == *" $p "* ]] || keep+=("$p")
    done
    PIDS=(${keep[@]+"${keep[@]}"})
    USER_GROUPS=() MUTTER_PID='' X_DISPLAYS=''
}
trap 'stop_gnome_session; cleanup' EXIT

# The user the session belongs to. As root, one made for the tests: no one's
# desktop runs as root, and the clock should meet the file permissions a
# desktop user has. Otherwise the one running the test.
E2E_USER=vesperae2e
prepare_user() {
    if [ "$(id -u)" -ne 0 ]; then
        E2E_USER=$(id -un)
        AS_USER=()
        return
    fi
    need setpriv useradd
    # Two tests starting at once may both try to make it.
    id "$E2E_USER" >/dev/null 2>&1 \
        || useradd --system --user-group --no-create-home --home-dir /nonexistent \
            --shell /usr/sbin/nologin "$E2E_USER" >/dev/null 2>&1 \
        || id "$E2E_USER" >/dev/null 2>&1 \
        || { echo "SKIP: cannot make the user $E2E_USER for the GNOME session"; exit 77; }
    AS_USER=(setpriv --reuid="$(id -u "$E2E_USER")" --regid="$(id -g "$E2E_USER")" --init-groups)
}

# Hands files this shell wrote over to the user.
give_to_user() { [ ${#AS_USER[@]} -eq 0 ] || chown -R "$E2E_USER:" "$@"; }

run_as_user() { "${AS_USER[@]}" env -i "${USER_ENV[@]}" "$@"; }

# setsid does not fork here (a background job of a script leads no group),
# so $! is the command itself, and the leader of a group of its own.
start_as_user() {
    local log=$1
    shift
    setsid "${AS_USER[@]}" env -i "${USER_ENV[@]}" "$@" >"$log" 2>&1 &
    USER_PID=$!
    PIDS+=("$USER_PID")
    USER_GROUPS+=("$USER_PID")
}

# A path to FILE that the user can read. A build tree under root's home is
# out of its reach: then FILE's folder (its files only, as the clock's data
# files sit beside it) is copied into the work folder.
user_path() {
    local file=$1 copy
    if run_as_user test -r "$file"; then
        echo "$file"
        return
    fi
    copy=$(mktemp -d "$WORK/copy.XXXXXX")
    find "$(dirname "$file")" -maxdepth 1 -type f -exec cp -p -t "$copy" {} +
    chmod 755 "$copy"
    give_to_user "$copy"
    echo "$copy/$(basename "$file")"
}

start_gnome_session() {
    [ $# -gt 0 ] || set -- 1280x800
    need mutter Xwayland dbus-run-session xprop xwininfo setsid
    prepare_user
    local home=$WORK/home run monitors=() size
    for size in "$@"; do monitors+=(--virtual-monitor "$size"); done
    # The user has to get through to its folders in here.
    chmod 711 "$WORK"
    export XDG_CONFIG_HOME=$WORK/config
    mkdir -p "$home" "$XDG_CONFIG_HOME"
    # A runtime folder for each session, as mutter's sockets and cookie go there.
    run=$(mktemp -d "$WORK/run.XXXXXX")
    give_to_user "$home" "$XDG_CONFIG_HOME" "$run"
    USER_ENV=(PATH=/usr/local/bin:/usr/bin:/bin HOME="$home" USER="$E2E_USER" LOGNAME="$E2E_USER"
        LC_ALL=C.UTF-8 XDG_RUNTIME_DIR="$run" XDG_CONFIG_HOME="$XDG_CONFIG_HOME"
        XDG_CACHE_HOME="$home/.cache" XDG_DATA_HOME="$home/.local/share"
        XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=GNOME)

    # The bus listens in the runtime folder, not in /tmp as Debian's
    # session.conf would have it, so nothing is left behind if it is killed.
    cat >"$run/bus.conf" <<EOF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:path=$run/bus</listen>
  <auth>EXTERNAL</auth>
  <standard_session_servicedirs/>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
EOF
    give_to_user "$run/bus.conf"

    # Mutter runs its command once Xwayland is up, with DISPLAY, XAUTHORITY,
    # WAYLAND_DISPLAY and the bus in its environment: that is how we learn
    # them. It takes the first two free display numbers (the second for its
    # own services), and ends when the command does. Started this way it
    # starts Xwayland at once, not on demand.
    # shellcheck disable=SC2016 # $PPID and $1 are the command's own
    start_as_user "$run/mutter.log" dbus-run-session --config-file="$run/bus.conf" -- \
        mutter --headless --wayland "${monitors[@]}" -- \
        sh -c '{ env; echo "MUTTER_PID=$PPID"; } >"$1.part" && mv "$1.part" "$1" && exec sleep infinity' \
        sh "$run/session.env"
    MUTTER_LOG=$run/mutter.log
    wait_for 60 test -s "$run/session.env" || fail "mutter did not start: $(cat "$MUTTER_LOG")"
    MUTTER_PID=$(sed -n 's/^MUTTER_PID=//p' "$run/session.env")
    X_DISPLAYS=$(sed -n 's/^\(DISPLAY\|GNOME_SETUP_DISPLAY\)=:\([0-9]*\).*/\2/p' "$run/session.env")
    local name value
    for name in DISPLAY XAUTHORITY WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS; do
        value=$(sed -n "s/^$name=//p" "$run/session.env")
        [ -n "$value" ] || fail "mutter gave its command no $name: $(cat "$MUTTER_LOG")"
        USER_ENV+=("$name=$value")
    done
    # Xwayland lets in whoever has the cookie, and root can read it.
    DISPLAY=$(sed -n 's/^DISPLAY=//p' "$run/session.env")
    XAUTHORITY=$(sed -n 's/^XAUTHORITY=//p' "$run/session.env")
    export DISPLAY XAUTHORITY
    unset QT_QPA_PLATFORM

    # Ready once mutter manages the X screen and it spans every monitor,
    # side by side from the left as mutter lays virtual monitors out.
    local width=0 height=0 w h
    for size in "$@"; do
        w=${size%%x*} h=${size#*x} h=${h%%@*}
        width=$((width + w))
        [ "$h" -gt "$height" ] && height=$h
    done
    wait_for 60 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' \
        || fail "no window manager on $DISPLAY: $(cat "$MUTTER_LOG")"
    wait_for 30 sh -c "xwininfo -root | grep -q 'geometry ${width}x${height}+'" \
        || fail "the X screen is $(xwininfo -root | sed -n 's/.*-geometry //p'), not ${width}x${height}"
    POINTER_RUN=$run
}

# Real pointer input, through the one remote desktop session that
# remote_pointer.py holds until the session stops.
start_pointer() {
    local script reply
    # Debian's python3, which has the GObject bindings, not one earlier on PATH.
    /usr/bin/python3 -c 'import gi' 2>/dev/null || fail "python3-gi is not installed"
    script=$(user_path "$E2E_DIR/remote_pointer.py")
    mkfifo -m 600 "$POINTER_RUN/pointer.in" "$POINTER_RUN/pointer.out"
    # Opening a fifo waits for the other end: the helper opens its input
    # first, then its output, and so does this shell, so neither waits forever.
    setsid "${AS_USER[@]}" env -i "${USER_ENV[@]}" /usr/bin/python3 "$script" \
        <"$POINTER_RUN/pointer.in" >"$POINTER_RUN/pointer.out" 2>"$POINTER_RUN/pointer.log" &
    PIDS+=($!)
    USER_GROUPS+=($!)
    exec {POINTER_IN}>"$POINTER_RUN/pointer.in" {POINTER_OUT}<"$POINTER_RUN/pointer.out"
    read -r -t 60 reply <&"$POINTER_OUT"
    [ "$reply" = ready ] || fail "no remote desktop session: $reply $(cat "$POINTER_RUN/pointer.log")"
}

# pointer move X Y | rel DX DY | button N press|release | click N | key K press|release
pointer() {
    local reply
    echo "$*" >&"$POINTER_IN"
    read -r -t 30 reply <&"$POINTER_OUT"
    [ "$reply" = ok ] || fail "pointer $*: ${reply:-no answer} $(cat "$POINTER_RUN/pointer.log")"
}

# Where X believes the pointer is, "X Y", as a client asking X would learn.
# Over anything that is not an X window X is not told, and keeps the last
# place it saw.
x_pointer() { run_as_user xdotool getmouselocation | awk '{sub("x:", "", $1); sub("y:", "", $2); print $1, $2}'; }
