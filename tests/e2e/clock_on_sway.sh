#!/bin/bash
# The clock under sway (wlroots), headless with Xwayland. Its window manager
# floats every fixed-size window in the middle of the screen and ignores the
# positions asked for, so the clock goes past it: in its corner all the same,
# above the other windows, sliding away from sway's own pointer and back.
# Usage: clock_on_sway.sh path/to/vespera
. "$(dirname "$0")/sway_session.sh"
need xdotool
[ -x "${1:-}" ] || fail "usage: $0 path/to/vespera"
VESPERA=$1
start_sway_session 1280x800
sway_pointer_start

at() { printf '%+d%+d' "$1" "$2"; }
where() { echo "the clock is at $(clock_position); X places the pointer at $(xdotool getmouselocation)"; }
point_at() { compositor_move "$1" "$2" && compositor_move $(($1 + 1)) "$2"; }

compositor_move 640 400
start_clock start=2.15 smode=3
wait_for 20 clock_at "$(at 842 748)" || fail "not in the bottom-right corner: $(where)"
grep -q 'wlroots' "$WORK/clock.log" || fail "nothing said on stderr about going past the window manager"
echo "ok: sway: in the bottom-right corner, and says why on stderr"

# A window that sway manages, mapped later, does not take the clock's place
# on top, for the eye or for the pointer.
xmessage -geometry 1280x800+0+0 -name cover cover >/dev/null 2>&1 &
PIDS+=($!)
wait_for 20 sh -c 'xdotool search --class Xmessage >/dev/null' || fail "no other window"
point_at 1000 770
wait_for 10 clock_at "$(at 1268 748)" || fail "the pointer on the face did not tuck it: $(where)"
point_at 640 400
wait_for 20 clock_at "$(at 842 748)" || fail "not back out after the pointer left: $(where)"
echo "ok: sway: slides away from the pointer over another window, and back"
stop_clock
