#!/bin/bash
# The real design browser on a real X server with a window manager: centred,
# one instance, the catalogue we ship; a design applied from the page while
# the clock is closed starts the clock in it, and one applied while the clock
# runs is refused and stores nothing.
# Usage: browser_on_x11.sh path/to/vesweb
VESWEB=$1
. "$(dirname "$0")/x11_session.sh"
need xdotool
start_x_session openbox
export XDG_DATA_HOME=$WORK/data QTWEBENGINE_DISABLE_SANDBOX=1 QT_LOGGING_RULES=vesweb.load=true
printf '[pendra]\nstart=2.15\n' >"$XDG_CONFIG_HOME/kestrel.ini"

(cd / && exec "$VESWEB") >"$WORK/browser.log" 2>&1 &
BROWSER=$!
PIDS+=($BROWSER)
wait_for 120 grep -q "first page shown" "$WORK/browser.log" \
    || fail "no catalogue page: $(tail -n 20 "$WORK/browser.log")"
browser() { xdotool search --onlyvisible --name '^VESPERA$' | head -n1; }
has_browser() { [ -n "$(browser)" ]; }
wait_for 30 has_browser || fail "no window titled VESPERA"
echo "ok: the catalogue is shown"

# Centred: the middle of its client area is the screen's.
read -r cx cy < <(xwininfo -id "$(browser)" | awk '/Absolute upper-left X/ {x=$4}
    /Absolute upper-left Y/ {y=$4} /Width:/ {w=$2} /Height:/ {h=$2}
    END {print x + int(w / 2), y + int(h / 2)}')
[ $((cx - 640)) -ge -1 ] && [ $((cx - 640)) -le 1 ] && [ $((cy - 400)) -ge -1 ] && [ $((cy - 400)) -le 1 ] \
    || fail "not centred: middle at $cx,$cy"
echo "ok: centred ($cx,$cy)"

timeout 60 "$VESWEB" >"$WORK/second.log" 2>&1 || fail "a second start did not end cleanly"
[ "$(xdotool search --onlyvisible --name '^VESPERA$' | wc -l)" = 1 ] || fail "a second window appeared"
echo "ok: a second start ends and leaves one window"

stored_skin() { sed -n 's/^skin=//p' "$XDG_CONFIG_HOME/kestrel.ini"; }
dialog() { xdotool search --onlyvisible --name '^vesweb$' | head -n1; }
has_dialog() { [ -n "$(dialog)" ]; }
dialog_is_not() { [ "$(dialog)" != "$1" ]; }
skin_is() { [ "$(stored_skin)" = "$1" ]; }
has_clock() { [ -n "$(clock_window)" ]; }
# Presses the n-th button of the page (the studio's first, then each design's
# apply button in the order of their names: blue, contrast, forest, lavender,
# matrix, mint, night, ocean, ...), then answers the question with Alt+Y,
# "はい(&Y)" (Enter says no).
apply_design() {
    xdotool windowactivate --sync "$(browser)"
    # Back at the page's top, where the previous press may have scrolled it
    # away from (a click there first could land on a button), then on the
    # page's heading, not a control.
    xdotool key ctrl+Home sleep 0.5
    xdotool mousemove --window "$(browser)" 320 60 click 1
    xdotool key --delay 100 $(printf 'Tab %.0s' $(seq "$1")) Return
    wait_for 30 has_dialog || fail "no question for design $1"
    local question
    question=$(dialog)
    # The question takes no key in its first half second.
    sleep 0.7
    xdotool windowactivate --sync "$question" key alt+y
    wait_for 30 dialog_is_not "$question" || fail "the question stays open"
}

apply_design 8
wait_for 30 skin_is night || fail "the design was not stored: skin=$(stored_skin)"
wait_for 60 has_clock || fail "the clock was not started again"
CLOCK=$(xprop -id "$(clock_window)" _NET_WM_PID | awk '{print $3}')
[ -n "$CLOCK" ] && PIDS+=($CLOCK)
echo "ok: the design is stored and the clock started again"

# The page is not asked again for 5 s after an answer.
sleep 5
apply_design 9
wait_for 30 has_dialog || fail "no refusal while the clock runs"
[ "$(stored_skin)" = night ] || fail "stored while the clock runs: skin=$(stored_skin)"
[ "$(xwininfo -root -tree | grep -c '"pendra".*441x129')" = 1 ] || fail "a second clock was started"
echo "ok: refused while the clock runs"

# As root, the option alone lets the web engine run without its sandbox: the
# engine itself reads only its variable.
if [ "$(id -u)" = 0 ]; then
    kill "$BROWSER"
    wait_gone "$BROWSER" || fail "the design browser did not end"
    (cd / && exec env -u QTWEBENGINE_DISABLE_SANDBOX "$VESWEB" --no-sandbox) >"$WORK/root.log" 2>&1 &
    PIDS+=($!)
    wait_for 120 grep -q "first page shown" "$WORK/root.log" \
        || fail "no catalogue page with --no-sandbox as root: $(tail -n 20 "$WORK/root.log")"
    echo "ok: as root, --no-sandbox is enough"
fi
