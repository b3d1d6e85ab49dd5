#!/bin/bash
# The clock on GNOME's own compositor, as someone on a GNOME desktop meets it:
# mutter with Xwayland, and the pointer moved by a virtual mouse of mutter's,
# not warped by xdotool (under Xwayland that moves only X's idea of the
# pointer, which no person can do). There the X server hears of the pointer
# only while it is over an X window: the clock has to come back out, and tuck
# again in hide mode, although X goes on placing the pointer where it last saw
# it, on or next to the face.
# Each part reports its own failure and the script goes on to the next.
# Usage: clock_on_gnome.sh path/to/vespera [path/to/notice_probe]
. "$(dirname "$0")/gnome_session.sh"
need xdotool
[ -x "${1:-}" ] || fail "usage: $0 path/to/vespera"
VESPERA=$1

FAILED=()
# Ends a part, not the script.
part_failed() {
    echo "FAIL: $*"
    FAILED+=("$PART")
    return 1
}

at() { printf '%+d%+d' "$1" "$2"; }
# The corners follow the work area, read as the X11 tests read it.
read_work_area() {
    read -r WA_X WA_Y WA_W WA_H < <(xprop -root _NET_WORKAREA | cut -d= -f2 | tr -d ',' | awk '{print $1, $2, $3, $4}')
    WA_R=$((WA_X + WA_W))
    WA_B=$((WA_Y + WA_H))
    TL_OUT=$(at $((WA_X - 3)) $((WA_Y + 3)))
    TL_TUCKED=$(at $((WA_X - 418)) $((WA_Y + 3)))
}

settings() {
    printf '[pendra]\n%s\n' "$@" >"$XDG_CONFIG_HOME/kestrel.ini"
    give_to_user "$XDG_CONFIG_HOME/kestrel.ini"
}
start_clock() {
    start_as_user "$WORK/clock.log" "$VESPERA"
    CLOCK=$USER_PID
    wait_for 60 clock_position >/dev/null || fail "no clock window: $(cat "$WORK/clock.log")"
    # A window of the clock's under the pointer would let X see it after all.
    if xwininfo -root -tree | grep '"pendra"' | grep -v '"pendra": ()' | grep -qv "${CLOCK_SIZE:-441x129}"; then
        fail "another window of the clock is showing: $(xwininfo -root -tree | grep '"pendra"')"
    fi
}
stop_clock() {
    kill -TERM "$CLOCK"
    wait_gone "$CLOCK" || fail "the clock did not end"
}
# There and a little further, so that what is there sees the pointer move.
point_at() {
    pointer move "$1" "$2"
    pointer rel 2 1
}
where() { echo "the clock is at $(clock_position); X places the pointer at $(x_pointer)"; }

# A session for each part: X's idea of the pointer outlives the clock, and
# where one part left it would decide how the next one starts.
fresh_session() {
    stop_gnome_session
    start_gnome_session "$@"
    start_pointer
    read_work_area
    VESPERA=$(user_path "$VESPERA")
}
MID_X=640 MID_Y=400 # nothing there but the desktop

# --- Normal mode: away from the pointer and back ---------------------------
normal_mode() {
    PART="normal mode"
    fresh_session 1280x800
    # start= says the welcome has been seen: it would open in the middle.
    settings smode=0 start=2.15
    pointer move "$MID_X" "$MID_Y"
    start_clock
    wait_for 20 clock_at "$TL_OUT" || part_failed "not at its top-left place $TL_OUT: $(where)" || return
    echo "ok: at its top-left place $TL_OUT"
    point_at $((WA_X + 100)) $((WA_Y + 30))
    wait_for 10 clock_at "$TL_TUCKED" || part_failed "the pointer on the face did not tuck it: $(where)" || return
    echo "ok: the pointer on the face tucked it to $TL_TUCKED"
    point_at "$MID_X" "$MID_Y"
    wait_for 10 clock_at "$TL_OUT" \
        || part_failed "not back out 10 s after the pointer went to the middle of the screen: $(where)" || return
    echo "ok: back out after the pointer left"
}
normal_mode
stop_clock

# --- A resting pointer: the clock comes out under it and stays ------------
resting_pointer() {
    PART="resting pointer"
    fresh_session 1280x800
    settings smode=0 start=2.15
    pointer move "$MID_X" "$MID_Y"
    start_clock
    wait_for 20 clock_at "$TL_OUT" || part_failed "not at $TL_OUT: $(where)" || return
    point_at $((WA_X + 100)) $((WA_Y + 30))
    wait_for 10 clock_at "$TL_TUCKED" || part_failed "the pointer on the face did not tuck it: $(where)" || return
    # The pointer stays where the face was. X lost sight of it when the
    # window slid from under it, so the clock comes back out under it...
    wait_for 10 clock_at "$TL_OUT" || part_failed "not out again under the resting pointer: $(where)" || return
    # ...and does not run from a pointer that does not move.
    sleep 2.5
    clock_at "$TL_OUT" || part_failed "slid away again from a resting pointer: $(where)" || return
    echo "ok: out under a resting pointer, and stays"
    pointer rel 6 0
    wait_for 10 clock_at "$TL_TUCKED" || part_failed "a moving pointer did not tuck it: $(where)" || return
    point_at "$MID_X" "$MID_Y"
    wait_for 20 clock_at "$TL_OUT" || part_failed "not back out after the pointer left: $(where)" || return
    echo "ok: tucks when the pointer moves on, and comes back after it left"
}
resting_pointer
stop_clock

# --- Hide mode: out while the pointer is on it, tucked after ---------------
hide_mode() {
    PART="hide mode"
    fresh_session 1280x800
    settings smode=0 hide=1 start=2.15
    pointer move "$MID_X" "$MID_Y"
    start_clock
    wait_for 20 clock_at "$TL_TUCKED" || part_failed "not tucked at $TL_TUCKED: $(where)" || return
    echo "ok: hide mode: tucked at $TL_TUCKED"
    # The few pixels still on screen.
    point_at "$WA_X" $((WA_Y + 5))
    wait_for 10 clock_at "$TL_OUT" || part_failed "the pointer on the strip did not bring it out: $(where)" || return
    echo "ok: hide mode: out while the pointer is on it"
    point_at "$MID_X" "$MID_Y"
    wait_for 10 clock_at "$TL_TUCKED" \
        || part_failed "not tucked again 10 s after the pointer went to the middle of the screen: $(where)" || return
    echo "ok: hide mode: tucked again after the pointer left"
}
hide_mode
stop_clock

# --- Two monitors ------------------------------------------------------------
# Mutter puts virtual monitors side by side from the left, the first one
# primary; _NET_WORKAREA is the box around both, so part of it lies on no
# monitor: the clock keeps to one monitor, the primary one unless another
# is chosen.
two_monitors() {
    PART="two monitors"
    fresh_session 1280x800 1024x768
    echo "info: two monitors: _NET_WORKAREA $WA_X,$WA_Y ${WA_W}x$WA_H;" \
        "per monitor (mutter's _GTK_WORKAREAS_D0)$(xprop -root _GTK_WORKAREAS_D0 | cut -d= -f2 | tr -s ' ')"
    if command -v xrandr >/dev/null; then
        echo "info: two monitors: RandR$(xrandr --listmonitors | awk 'NR > 1 {printf " %s %s", $4, $3}')"
    fi
    settings smode=3 start=2.15
    pointer move "$MID_X" "$MID_Y"
    start_clock
    local by_primary
    by_primary=$(at $((1280 - 438)) $((800 - 52)))
    wait_for 20 clock_at "$by_primary" \
        || part_failed "bottom-right not on the primary monitor at $by_primary: $(where)" || return
    echo "ok: two monitors: on the primary monitor, not in the box _NET_WORKAREA draws round both"
    stop_clock
    settings smode=3 start=2.15 monitor=XWAYLAND1
    start_clock
    wait_for 20 clock_at "$(at $((WA_R - 438)) $((768 - 52)))" \
        || part_failed "not in the second monitor's corner: $(where)" || return
    echo "ok: two monitors: in the chosen monitor's corner, above its shorter bottom"
    stop_clock

    settings smode=0 start=2.15
    start_clock
    wait_for 20 clock_at "$TL_OUT" || part_failed "not at its top-left place $TL_OUT: $(where)" || return
    point_at $((WA_X + 100)) $((WA_Y + 30))
    wait_for 10 clock_at "$TL_TUCKED" || part_failed "the pointer on the face did not tuck it: $(where)" || return
    # The middle of the second monitor.
    point_at 1792 384
    wait_for 10 clock_at "$TL_OUT" \
        || part_failed "not back out 10 s after the pointer went to the other monitor: $(where)" || return
    echo "ok: two monitors: back out after the pointer went to the other monitor"
}
two_monitors
stop_clock

# --- Corners, always on top, a panel --------------------------------------
corner_place() {
    case $1 in
    0) at $((WA_X - 3)) $((WA_Y + 3)) ;;
    1) at $((WA_X - 3)) $((WA_B - 52)) ;;
    2) at $((WA_R - 438)) $((WA_Y + 3)) ;;
    3) at $((WA_R - 438)) $((WA_B - 52)) ;;
    esac
}
net_state() { xprop -id "$(clock_window)" _NET_WM_STATE; }
# Over the clock's menu button (the right-hand layout's, at 414,7 16x23).
MENU_BUTTON="$((WA_R - 438 + 422)) $((WA_B - 52 + 18))"
click_menu_middle() {
    local g w h x y
    g=$(other_window) || return 1
    MENU_AT=$g
    IFS='x+' read -r w h x y <<<"$g"
    local mx=$((x + w / 2 - 2)) my=$((y + h / 2))
    point_at $mx $my
    # Xwayland hears of the move a moment later; a click before then lands
    # where the pointer was (point_at ends one step right and down).
    wait_for 5 pointer_seen_at $((mx + 2)) $((my + 1)) || true
    pointer click 1
}
pointer_seen_at() { [ "$(x_pointer)" = "$1 $2" ]; }
corners_and_stacking() {
    PART="corners and stacking"
    fresh_session 1280x800
    pointer move "$MID_X" "$MID_Y"
    local corner
    for corner in 0 1 2 3; do
        settings smode=$corner start=2.15
        start_clock
        wait_for 20 clock_at "$(corner_place $corner)" \
            || part_failed "corner $corner not at $(corner_place $corner): $(where)" || return
        stop_clock
    done
    echo "ok: in each of the four corners"

    # It never slides away here (ah=0), so its menu button can be clicked.
    settings smode=3 ah=0 start=2.15
    start_clock
    wait_for 20 clock_at "$(corner_place 3)" || part_failed "not in its corner: $(where)" || return
    net_state | grep -q _NET_WM_STATE_ABOVE || part_failed "not above other windows: $(net_state)" || return
    MENU_BUTTON="$((WA_R - 438 + 422)) $((WA_B - 52 + 18))"
    point_at $MENU_BUTTON
    pointer click 1
    wait_for 10 other_window >/dev/null || part_failed "no menu from its button: $(where)" || return
    # The third of its five entries: "常に手前".
    click_menu_middle
    wait_for 10 sh -c "! xprop -id $(clock_window) _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE" \
        || part_failed "always on top did not go off: $(net_state)" || return
    wait_for 10 menu_gone || part_failed "the menu stayed after a click on its entry" || return
    point_at $MENU_BUTTON
    pointer click 1
    wait_for 10 other_window >/dev/null || part_failed "no menu the second time" || return
    click_menu_middle
    wait_for 10 sh -c "xprop -id $(clock_window) _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE" \
        || part_failed "always on top did not come back: $(net_state)" || return
    clock_at "$(corner_place 3)" || part_failed "the menu moved it: $(where)" || return
    echo "ok: always on top goes off and on from the menu"

    # A panel along the bottom: the clock moves above it at once, and back.
    add_bottom_panel 1280 40 800
    wait_for 10 clock_at "$(at $((WA_R - 438)) $((WA_B - 40 - 52)))" \
        || part_failed "not above the panel: $(where); work area $(xprop -root _NET_WORKAREA)" || return
    remove_panel
    wait_for 10 clock_at "$(corner_place 3)" || part_failed "not back once the panel went: $(where)" || return
    echo "ok: a panel's strut moves the clock above it and back"
}
corners_and_stacking
stop_clock

# --- Other windows: the welcome, a notice over a full-screen window, the
# design browser -------------------------------------------------------------
# Its middle within a few pixels of the work area's.
centred() {
    local g w h x y
    g=$(shown_window "$1") || return 1
    IFS='x+' read -r w h x y <<<"$g"
    local dx=$((x + w / 2 - (WA_X + WA_R) / 2)) dy=$((y + h / 2 - (WA_Y + WA_B) / 2))
    [ ${dx#-} -le 4 ] && [ ${dy#-} -le 4 ]
}
other_windows() {
    PART="other windows"
    fresh_session 1280x800
    pointer move "$MID_X" $((WA_B - 10))
    settings smode=3 # no start=: the welcome window greets
    start_as_user "$WORK/clock.log" "$VESPERA"
    CLOCK=$USER_PID
    wait_for 60 shown_window VESPERA >/dev/null || part_failed "no welcome window" || return
    wait_for 10 centred VESPERA || part_failed "the welcome is not centred: $(shown_window VESPERA)" || return
    echo "ok: the welcome window is centred"
    stop_clock

    # A full-screen window, then an alarm notice: the notice comes above it.
    xmessage -name fullscreen fullscreen >/dev/null 2>&1 &
    PIDS+=($!)
    wait_for 20 sh -c 'xdotool search --class Xmessage >/dev/null' || part_failed "no window to fill the screen" || return
    wmctrl -x -r fullscreen.Xmessage -b add,fullscreen
    wait_for 10 sh -c "xwininfo -id $(xdotool search --class Xmessage | head -n1) | grep -q 'Width: 1280'" \
        || part_failed "the window did not fill the screen" || return
    start_as_user "$WORK/notice.log" "$(user_path "$NOTICE_PROBE")" "$(dirname "$VESPERA")" 20
    local probe=$USER_PID
    wait_for 20 shown_window "アラーム" >/dev/null || part_failed "no alarm notice: $(cat "$WORK/notice.log")" || return
    notice_on_top() {
        local top
        top=$(xprop -root _NET_CLIENT_LIST_STACKING | awk -F', ' '{print $NF}')
        xprop -id "$top" WM_NAME | grep -q 'アラーム'
    }
    wait_for 10 notice_on_top || part_failed "the notice is not above the full-screen window: $(xprop -root _NET_CLIENT_LIST_STACKING)" || return
    echo "ok: the alarm notice comes above a full-screen window"
    kill "$probe" 2>/dev/null

    # The web engine keeps its shared memory in /dev/shm; a chroot may have
    # a bare one the user cannot write to, where it stops at once.
    if ! run_as_user test -w /dev/shm; then
        echo "skip: the design browser: /dev/shm is not writable for $E2E_USER here"
        return
    fi
    start_as_user "$WORK/vesweb.log" env QTWEBENGINE_DISABLE_SANDBOX=1 "$(user_path "$VESWEB")"
    wait_for 60 shown_window VESPERA >/dev/null || part_failed "no design browser: $(cat "$WORK/vesweb.log")" || return
    wait_for 10 centred VESPERA || part_failed "the design browser is not centred: $(shown_window VESPERA)" || return
    echo "ok: the design browser opens, centred"
}
# --- The way in where [Shift] does not reach the clock: the launcher's
# actions, which are commands to the running clock --------------------------
way_in() {
    PART="way in"
    fresh_session 1280x800
    settings start=2.15
    start_clock
    run_as_user "$VESPERA" --options || part_failed "vespera --options was refused" || return
    wait_for 30 shown_window Option >/dev/null || part_failed "vespera --options showed no options dialog" || return
    run_as_user "$VESPERA" --quit || part_failed "vespera --quit was refused" || return
    wait_gone "$CLOCK" 10 || part_failed "vespera --quit did not close the clock" || return
    echo "ok: the launcher's commands reach the clock (options, quit)"
}
way_in

NOTICE_PROBE=${2:-}
VESWEB=$(dirname "$VESPERA")/vesweb
if [ -x "$NOTICE_PROBE" ]; then
    other_windows
else
    echo "skip: other windows: no notice probe given"
fi

[ ${#FAILED[@]} -eq 0 ] || { echo "FAILED: ${FAILED[*]}"; exit 1; }
echo "ok: the clock on GNOME"
