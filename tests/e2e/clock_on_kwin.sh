#!/bin/bash
# The clock under KDE Plasma's compositor, KWin, headless with Xwayland, the
# pointer moved through KWin's fake input as a mouse would move it: its place
# in the corners, always on top, a panel, sliding away and back, a resting
# pointer and hide mode. As under GNOME, X hears of the pointer only over X
# windows, and KWin tells no X window that the pointer left it when it left
# by moving.
# Usage: clock_on_kwin.sh path/to/vespera
. "$(dirname "$0")/kwin_session.sh"
need xdotool xmessage
[ -x "${1:-}" ] || fail "usage: $0 path/to/vespera"
VESPERA=$1
start_kwin_session 1280x800
kwin_pointer_start

at() { printf '%+d%+d' "$1" "$2"; }
OUT_TL=$(at -3 3) TUCKED_TL=$(at -418 3)
OUT_BR=$(at 842 748) TUCKED_BR=$(at 1268 748)
MID="640 400"
where() { echo "the clock is at $(clock_position); X places the pointer at $(xdotool getmouselocation)"; }
# There and a pixel further, so that what is there sees the pointer move.
point_at() { compositor_move "$1" "$2" && compositor_move $(($1 + 1)) "$2"; }

compositor_move $MID
start_clock start=2.15 smode=3
wait_for 20 clock_at "$OUT_BR" || fail "not at $OUT_BR: $(where)"
xprop -id "$(clock_window)" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE || fail "not above other windows"
echo "ok: KWin: bottom-right at $OUT_BR, above other windows"

# KWin publishes a work area only once some window reserves space.
add_bottom_panel 1280 40 800
wait_for 10 clock_at "$(at 842 708)" || fail "not above the panel: $(where)"
remove_panel
wait_for 10 clock_at "$OUT_BR" || fail "not back at the edge once the panel went: $(where)"
echo "ok: KWin: a panel's strut moves the clock above it and back"

# Where the panel was, KWin may still hand the first moves to the window that
# has just gone; a hand goes on moving until the clock answers.
nudge=0
moving_on_face() {
    nudge=$((1 - nudge))
    compositor_move $((1000 + nudge)) 770 && clock_at "$TUCKED_BR"
}
wait_for 10 moving_on_face || fail "the pointer on the face did not tuck it: $(where)"
# The pointer rests where the face was: the clock comes back out under it,
# and stays while the pointer does not move.
wait_for 10 clock_at "$OUT_BR" || fail "not out again under the resting pointer: $(where)"
sleep 2.5
clock_at "$OUT_BR" || fail "slid away from a resting pointer: $(where)"
echo "ok: KWin: slides away from the pointer, comes back under it at rest"
point_at 1010 770
wait_for 10 clock_at "$TUCKED_BR" || fail "a moving pointer did not tuck it: $(where)"
point_at $MID
wait_for 20 clock_at "$OUT_BR" || fail "not back out after the pointer went away: $(where)"
echo "ok: KWin: back out after the pointer went to the middle of the screen"
stop_clock

start_clock start=2.15 smode=0 hide=1
wait_for 20 clock_at "$TUCKED_TL" || fail "hide mode: not tucked at $TUCKED_TL: $(where)"
point_at 1 6
wait_for 10 clock_at "$OUT_TL" || fail "hide mode: the strip did not bring it out: $(where)"
point_at $MID
wait_for 10 clock_at "$TUCKED_TL" || fail "hide mode: not tucked again after the pointer left: $(where)"
echo "ok: KWin: hide mode comes out on the strip and tucks after the pointer left"
stop_clock
