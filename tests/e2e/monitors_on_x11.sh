#!/bin/bash
# The clock with two monitors (RandR monitors on one Xvfb screen): on the
# primary one unless another is chosen, tucked at the edge of its own
# monitor, to the primary one while its monitor is gone and back when it
# comes again, and the choice kept.
# Usage: monitors_on_x11.sh path/to/vespera
VESPERA=$1
export E2E_SCREEN=2304x800
. "$(dirname "$0")/x11_session.sh"
need xrandr xdotool
start_x_session openbox
# A 1280x800 primary monitor and a shorter 1024x768 one to its right.
xrandr --setmonitor LEFT 1280/338x800/211+0+0 screen >/dev/null || fail "no RandR monitors here"
add_right() { xrandr --setmonitor RIGHT 1024/271x768/203+1280+0 none >/dev/null; }
add_right || fail "cannot add the second monitor"

at() { printf '%+d%+d' "$1" "$2"; }
ON_PRIMARY=$(at $((1280 - 438)) $((800 - 52)))
ON_RIGHT=$(at $((2304 - 438)) $((768 - 52)))
TUCKED_RIGHT=$(at $((2304 - 12)) $((768 - 52)))
xdotool mousemove 640 300

start_clock start=2.15 smode=3
wait_for 20 clock_at "$ON_PRIMARY" || fail "not on the primary monitor: $(clock_position)"
echo "ok: on the primary monitor by default"
stop_clock

start_clock start=2.15 smode=3 monitor=RIGHT
wait_for 20 clock_at "$ON_RIGHT" || fail "not in the chosen monitor's corner: $(clock_position)"
xdotool mousemove 2000 740 sleep 0.1 mousemove 2002 741
wait_for 10 clock_at "$TUCKED_RIGHT" || fail "not tucked at its monitor's edge: $(clock_position)"
xdotool mousemove 640 300
wait_for 10 clock_at "$ON_RIGHT" || fail "not back out: $(clock_position)"
echo "ok: in the chosen monitor's corner, above its shorter bottom, tucked at its edge"

xrandr --delmonitor RIGHT >/dev/null
wait_for 10 clock_at "$ON_PRIMARY" || fail "not on the primary monitor once its own went: $(clock_position)"
add_right
wait_for 10 clock_at "$ON_RIGHT" || fail "not back on its monitor when it came again: $(clock_position)"
echo "ok: to the primary monitor while its own is gone, and back"
stop_clock
grep -q '^monitor=RIGHT$' "$XDG_CONFIG_HOME/kestrel.ini" || fail "the chosen monitor was not kept"
echo "ok: the choice is kept"
