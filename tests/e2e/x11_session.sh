# Shared by the end-to-end scripts on X11: a private X server with a window
# manager, a clean settings folder, and where the clock's window is.
# Source it; then call start_x_session [window-manager].
. "$(dirname "${BASH_SOURCE[0]}")/session.sh"

# The screen's scale: E2E_SCALE=2 asks Qt for 200 % through Xft.dpi, as a
# desktop set to 200 % does. S multiplies the clock's own pixels.
S=${E2E_SCALE:-1}
px() { echo $(($1 * S)); }
CLOCK_SIZE="$(px 441)x$(px 129)"

# Xvfb at 1280x800 (or E2E_SCREEN) on the first free display, the window
# manager on it, and a settings folder of our own. Japanese titles need a
# UTF-8 locale.
start_x_session() {
    local wm=${1:-openbox}
    need Xvfb xwininfo "$wm"
    exec 3>"$WORK/display"
    Xvfb -displayfd 3 -screen 0 "${E2E_SCREEN:-1280x800}x24" -br -nolisten tcp >"$WORK/xvfb.log" 2>&1 &
    PIDS+=($!)
    wait_for 30 test -s "$WORK/display" || fail "Xvfb did not start"
    export DISPLAY=:$(head -n1 "$WORK/display")
    case $wm in
    xfwm4 | metacity)
        # These read their settings over a session bus.
        need dbus-run-session
        local options=--compositor=off
        [ "$wm" = metacity ] && options=--no-composite
        # In a process group of its own, ended whole: the bus and what it
        # starts (xfwm4's settings daemon) would outlive the window manager.
        # Without the accessibility bridge, whose launcher leaves the group.
        NO_AT_BRIDGE=1 setsid dbus-run-session -- "$wm" $options >"$WORK/wm.log" 2>&1 &
        GROUPS_STARTED+=($!)
        ;;
    *) "$wm" >"$WORK/wm.log" 2>&1 & ;;
    esac
    PIDS+=($!)
    wait_for 30 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' \
        || fail "$wm did not start: $(cat "$WORK/wm.log")"

    if [ "$S" != 1 ]; then
        need xrdb
        echo "Xft.dpi: $((96 * S))" | xrdb -merge
    fi

    export XDG_CONFIG_HOME=$WORK/config XDG_RUNTIME_DIR=$WORK/run LC_ALL=C.UTF-8
    mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
    unset QT_QPA_PLATFORM
}

# The clock's window: the one of its size among the windows titled "pendra".
clock_window() { xwininfo -root -tree | grep "\"pendra\".*$CLOCK_SIZE" | awk '{print $1}' | head -n1; }
# The first shown window titled $1 (and not of the size $2): WxH+X+Y.
shown_window() {
    local id
    for id in $(xwininfo -root -tree | grep "\"$1\"" | grep -v "${2:-^$}" | awk '{print $1}'); do
        xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable' || continue
        xwininfo -id "$id" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
            /^  Width/ {w=$2} /^  Height/ {h=$2} END {printf "%dx%d+%d+%d\n", w, h, x, y}'
        return 0
    done
    return 1
}
# Another shown window of the clock, such as its menu or a message.
other_window() { shown_window pendra "$CLOCK_SIZE"; }
# A menu that is closing may still be shown: wait for the one last seen at
# MENU_AT (WxH+X+Y) to go before the next is opened, or that one's place is
# read from the old.
menu_gone() { [ "$(other_window)" != "$MENU_AT" ]; }

# Starts $VESPERA with a settings file of these lines and waits for its
# window; CLOCK is its pid.
start_clock() {
    printf '[pendra]\n' >"$XDG_CONFIG_HOME/kestrel.ini"
    [ $# -eq 0 ] || printf '%s\n' "$@" >>"$XDG_CONFIG_HOME/kestrel.ini"
    "$VESPERA" >"$WORK/clock.log" 2>&1 &
    CLOCK=$!
    PIDS+=($CLOCK)
    wait_for 60 clock_position >/dev/null || fail "no clock window: $(cat "$WORK/clock.log")"
}
stop_clock() {
    kill -TERM "$CLOCK"
    wait_gone "$CLOCK" || fail "the clock did not end"
}

# A panel along the bottom of a screen $1 pixels wide, reserving $2 rows
# above a bottom edge at $3, as a task bar does; PANEL is its pid.
add_bottom_panel() {
    local width=$1 rows=$2 bottom=$3 p
    xmessage -geometry "${width}x$rows+0+$((bottom - rows))" -name panel panel >/dev/null 2>&1 &
    PANEL=$!
    PIDS+=($PANEL)
    wait_for 20 sh -c 'xdotool search --class Xmessage >/dev/null' || fail "no panel window"
    p=$(xdotool search --class Xmessage | head -n1)
    xprop -id "$p" -f _NET_WM_STRUT_PARTIAL 32c \
        -set _NET_WM_STRUT_PARTIAL "0,0,0,$rows,0,0,0,0,0,0,0,$((width - 1))"
    xprop -id "$p" -f _NET_WM_STRUT 32c -set _NET_WM_STRUT "0,0,0,$rows"
}
remove_panel() {
    kill "$PANEL"
    wait_for 10 sh -c '! xdotool search --class Xmessage >/dev/null' || fail "the panel stayed"
}
# Where it is on the screen, as +X+Y.
clock_position() {
    local w
    w=$(clock_window)
    [ -n "$w" ] || return 1
    xwininfo -id "$w" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
        END {printf "%+d%+d\n", x, y}'
}
clock_at() { [ "$(clock_position)" = "$1" ]; }
