#!/bin/bash
# The options dialog and the clock on a real X server. Closing the dialog
# shows what was chosen at once (a new design). Closing the clock ends the
# program at once, whatever windows are open: the clock stores its flags,
# and an open options dialog stores nothing, asks nothing and holds nothing
# up; by SIGTERM and from the menu.
# Usage: options_on_x11.sh path/to/vespera
VESPERA=$1
BIN_DIR=$(dirname "$VESPERA")
. "$(dirname "$0")/x11_session.sh"
need xdotool import convert compare
start_x_session openbox

X0=$((1280 - 438)) Y0=$((800 - 52)) # bottom-right, out
stored() { grep "^$1=" "$XDG_CONFIG_HOME/kestrel.ini" | cut -d= -f2; }
# The options dialog from the face's OPTION button (the right-hand layout's,
# at 352,23 55x9); it never slides away here (ah=0).
open_options() {
    xdotool mousemove $((X0 + 379)) $((Y0 + 27)) sleep 0.2 click 1
    wait_for 20 shown_window Option >/dev/null || fail "no options dialog: $(cat "$WORK/clock.log")"
    IFS='x+' read -r _ _ OX OY <<<"$(shown_window Option)"
}
# A control of the dialog, by its place in the dialog in pixels.
click_in_options() { xdotool mousemove $((OX + $1)) $((OY + $2)) sleep 0.2 click 1; }
ALARM_VOLUME_SWITCH="264 297" # "アラーム音量変更"
SECOND_IN_THE_LIST="60 294"   # blue.vss, contrast.vss, forest.vss, ...
OK_BUTTON="456 420"
PROGRAM_SWITCH="261 251"      # the check box before the program's path
PROGRAM_PATH="300 252"
ends_soon() { wait_gone "$CLOCK" 10 || fail "$1: still running 10 s later"; }
flags_stored() {
    [ "$(stored at)" = 1 ] && [ "$(stored ah)" = 0 ] && [ "$(stored tfmode)" = 0 ] \
        || fail "$1: the clock's flags were not stored: $(cat "$XDG_CONFIG_HOME/kestrel.ini")"
}

# A patch of the face's background, below the date: from the design's picture.
shows_design() {
    import -window root "$WORK/shot.png" 2>/dev/null
    convert "$WORK/shot.png" -crop 60x5+$((X0 + 100))+$((Y0 + 46)) +repage "$WORK/got.png"
    convert "$BIN_DIR/$1.vsr" -crop 60x5+100+46 +repage "$WORK/want.png"
    [ "$(compare -metric AE "$WORK/got.png" "$WORK/want.png" null: 2>&1)" = 0 ]
}

start_clock start=2.15 smode=3 ah=0
wait_for 20 clock_at +$X0+$Y0 || fail "not in its corner: $(clock_position)"
wait_for 10 shows_design blue || fail "the face does not show the design blue"
open_options
click_in_options $SECOND_IN_THE_LIST
click_in_options $OK_BUTTON
wait_for 10 sh -c '! xwininfo -root -tree | grep -q "\"Option\""' || fail "the dialog did not close"
wait_for 5 shows_design contrast || fail "the design chosen does not show when the dialog closes"
[ "$(stored skin)" = contrast ] || fail "the design was not stored: skin=$(stored skin)"
echo "ok: a design chosen in the options shows as the dialog closes"
stop_clock

start_clock start=2.15 smode=3 ah=0
wait_for 20 clock_at +$X0+$Y0 || fail "not in its corner: $(clock_position)"
open_options
click_in_options $ALARM_VOLUME_SWITCH
sleep 0.3 # the click lands; nothing here is waited for but the switch
kill -TERM "$CLOCK"
ends_soon "SIGTERM over the options dialog"
[ -z "$(stored vol)" ] || fail "the dialog stored its switch: vol=$(stored vol)"
flags_stored "SIGTERM over the options dialog"
echo "ok: SIGTERM over the options dialog ends at once; only the clock stores"

# A program that does not exist makes the dialog refuse to close; the clock
# ends all the same.
start_clock start=2.15 smode=3 ah=0
open_options
click_in_options $PROGRAM_SWITCH
click_in_options $PROGRAM_PATH
xdotool type --delay 20 "no-such-program-here"
kill -TERM "$CLOCK"
ends_soon "SIGTERM over a dialog that refuses to close"
[ -z "$(stored pgm)" ] || fail "the dialog stored its program: pgm=$(stored pgm)"
flags_stored "SIGTERM over a dialog that refuses to close"
echo "ok: a dialog that refuses to close does not keep the program alive"

# "終了", the last entry of the menu of the face's ▼ button (414,7 16x23).
start_clock start=2.15 smode=3 ah=0
open_options
click_in_options $ALARM_VOLUME_SWITCH
xdotool mousemove $((X0 + 422)) $((Y0 + 18)) sleep 0.2 click 1
wait_for 10 other_window >/dev/null || fail "no menu from the ▼ button"
IFS='x+' read -r MW MH MX MY <<<"$(other_window)"
xdotool mousemove $((MX + MW / 2)) $((MY + MH - 8)) sleep 0.2 click 1
ends_soon "終了 over the options dialog"
[ -z "$(stored vol)" ] || fail "the dialog stored its switch at 終了: vol=$(stored vol)"
flags_stored "終了 over the options dialog"
echo "ok: 終了 over the options dialog ends at once; only the clock stores"

# A second start with a command, as the launcher's actions give it: the
# running clock opens its options, changes its view, and closes; and a
# command with no clock running starts one first.
start_clock start=2.15 smode=3 ah=0
"$VESPERA" --options || fail "vespera --options was refused: exit $?"
wait_for 20 shown_window Option >/dev/null || fail "vespera --options showed no options dialog"
"$VESPERA" --uptime || fail "vespera --uptime was refused"
wait_for 10 sh -c "grep -q '^mmode=1' '$XDG_CONFIG_HOME/kestrel.ini'" \
    || fail "vespera --uptime did not switch the view: $(cat "$XDG_CONFIG_HOME/kestrel.ini")"
"$VESPERA" --quit || fail "vespera --quit was refused"
ends_soon "vespera --quit"
echo "ok: vespera --options, --uptime and --quit reach the running clock"
"$VESPERA" --quit || fail "vespera --quit with no clock running failed"
"$VESPERA" --options >"$WORK/clock.log" 2>&1 &
CLOCK=$!
PIDS+=($CLOCK)
wait_for 30 shown_window Option >/dev/null || fail "vespera --options with no clock showed no dialog"
clock_position >/dev/null || fail "vespera --options with no clock started no clock"
"$VESPERA" --quit || fail "vespera --quit was refused"
ends_soon "vespera --quit after vespera --options"
echo "ok: with no clock running, vespera --options starts one and opens its options"
