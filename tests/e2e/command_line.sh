#!/bin/bash
# The programs' own options, as a user types them in a terminal: --help and
# --version answer and end without a display, without a settings file and
# without a word to a running clock; an unknown option ends with status 2.
# What follows "AL hhmm" belongs to the program it names, dashes and all.
# vesweb --export and --install pass a design through one file, likewise.
# Usage: command_line.sh path/to/bin
BIN=$1
VESPERA=$BIN/vespera
. "$(dirname "$0")/x11_session.sh"
export XDG_CONFIG_HOME=$WORK/config XDG_RUNTIME_DIR=$WORK/run LC_ALL=C.UTF-8
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

# Runs a program with no display at all; its status, output and errors land
# in $RC, $WORK/out and $WORK/err.
run() {
    (unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM; exec "$@") >"$WORK/out" 2>"$WORK/err"
    RC=$?
}
left_alone() {
    local left
    left=$(find "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" -mindepth 1)
    [ -z "$left" ] || fail "$1 left files behind: $left"
}

for p in vespera vesweb vesclean; do
    run "$BIN/$p" --help
    [ $RC -eq 0 ] || fail "$p --help ended with $RC: $(cat "$WORK/err")"
    head -n1 "$WORK/out" | grep -q "^使い方: $p" || fail "$p --help printed: $(cat "$WORK/out")"
    grep -q -- '--version' "$WORK/out" || fail "$p --help does not list --version"
    [ ! -s "$WORK/err" ] || fail "$p --help complained: $(cat "$WORK/err")"
    run "$BIN/$p" -h
    [ $RC -eq 0 ] && head -n1 "$WORK/out" | grep -q "^使い方: $p" || fail "$p -h"
    run env LANGUAGE=en "$BIN/$p" --help
    head -n1 "$WORK/out" | grep -q "^Usage: $p" || fail "$p --help in English printed: $(cat "$WORK/out")"
    run "$BIN/$p" --version
    [ $RC -eq 0 ] && [ "$(cat "$WORK/out")" = "$p 2.15" ] || fail "$p --version: $RC $(cat "$WORK/out")"
    run "$BIN/$p" --frobnicate
    [ $RC -eq 2 ] || fail "$p --frobnicate ended with $RC"
    [ ! -s "$WORK/out" ] && grep -q -- '--frobnicate' "$WORK/err" || fail "$p --frobnicate said: $(cat "$WORK/out" "$WORK/err")"
    run env LANGUAGE=en "$BIN/$p" -q
    grep -q "unknown option: -q" "$WORK/err" || fail "$p -q in English said: $(cat "$WORK/err")"
    left_alone "$p"
done
run "$BIN/vesweb" --no-sandbox --version
[ $RC -eq 0 ] || fail "vesweb --no-sandbox --version ended with $RC"
echo "ok: --help, --version and unknown options, with no display and nothing written"

# A design as one file: exported from the shipped ones, installed beside the
# shipped design of its name, exported again with the same content; a
# damaged file is refused with nothing written. No display, no settings.
export XDG_DATA_HOME=$WORK/data
OWN=$XDG_DATA_HOME/vespera
run "$BIN/vesweb" --export blue "$WORK/blue.vsdesign"
[ $RC -eq 0 ] || fail "--export ended with $RC: $(cat "$WORK/err")"
grep -qx 'vesweb: exported design "blue" to .*blue.vsdesign' "$WORK/out" || fail "--export said: $(cat "$WORK/out")"
[ "$(head -n1 "$WORK/blue.vsdesign")" = "VESPERA-DESIGN 1" ] || fail "--export wrote no design file"
run "$BIN/vesweb" --install "$WORK/blue.vsdesign"
[ $RC -eq 0 ] || fail "--install ended with $RC: $(cat "$WORK/err")"
grep -qx 'vesweb: installed design "blue-2" from .*blue.vsdesign' "$WORK/out" || fail "--install said: $(cat "$WORK/out")"
[ -f "$OWN/blue-2.vss" ] && [ -f "$OWN/blue-2.vsr" ] || fail "--install put no pictures in place: $(ls -A "$OWN")"
run "$BIN/vesweb" --export blue-2 "$WORK/again.vsdesign"
[ $RC -eq 0 ] || fail "--export of the installed design ended with $RC: $(cat "$WORK/err")"
cmp -s <(tail -n +3 "$WORK/blue.vsdesign") <(tail -n +3 "$WORK/again.vsdesign") \
    || fail "the installed design differs from the exported one"
before=$(ls -A "$OWN")
printf 'VESPERA-DESIGN 1\nname ../evil\nend\n' >"$WORK/evil.vsdesign"
head -c 3000 "$WORK/blue.vsdesign" >"$WORK/cut.vsdesign"
for bad in evil cut; do
    run "$BIN/vesweb" --install "$WORK/$bad.vsdesign"
    [ $RC -ne 0 ] || fail "the $bad design file was installed"
    grep -q "^vesweb: cannot install .*$bad.vsdesign: ..*" "$WORK/err" || fail "the $bad file was refused with: $(cat "$WORK/err")"
done
[ "$(ls -A "$OWN")" = "$before" ] || fail "a refused file left: $(ls -A "$OWN")"
for wrong in "--export blue" "--install" "--export blue a b" "--install a b"; do
    run "$BIN/vesweb" $wrong
    [ $RC -eq 2 ] && [ -s "$WORK/err" ] || fail "vesweb $wrong ended with $RC: $(cat "$WORK/err")"
done
# A design file handed over by a file manager is no option; the browser then
# finds no display, which is all this can see of it here.
ulimit -c 0
run env LANGUAGE=en QT_QPA_PLATFORM=xcb timeout 20 "$BIN/vesweb" "$WORK/blue.vsdesign"
[ $RC -ne 2 ] && ! grep -q "unknown option" "$WORK/err" || fail "vesweb FILE was refused: $(cat "$WORK/err")"
left_alone "vesweb --export and --install"
echo "ok: a design exported and installed as one file, a damaged one refused"

# A running clock is not disturbed by --help, and the program of an alarm
# keeps its own options: that command line is the clock's usual one.
start_x_session openbox
start_clock start=2.15 # no welcome: any other window would be ours to explain
before=$(md5sum <"$XDG_CONFIG_HOME/kestrel.ini")
"$VESPERA" --help >"$WORK/out" 2>&1 || fail "--help beside a running clock ended with $?"
grep -q "^使い方: vespera" "$WORK/out" || fail "--help beside a running clock printed: $(cat "$WORK/out")"
[ "$(md5sum <"$XDG_CONFIG_HOME/kestrel.ini")" = "$before" ] || fail "--help changed the settings"
[ -z "$(other_window)" ] || fail "--help showed a window: $(other_window)"
kill -0 "$CLOCK" || fail "the clock ended"
"$BIN/vesweb" --install "$WORK/blue.vsdesign" >"$WORK/out" 2>&1 || fail "--install beside a running clock: $(cat "$WORK/out")"
grep -q 'installed design "blue-3"' "$WORK/out" || fail "--install beside a running clock said: $(cat "$WORK/out")"
[ "$(md5sum <"$XDG_CONFIG_HOME/kestrel.ini")" = "$before" ] || fail "--install changed the settings"
[ -z "$(other_window)" ] || fail "--install showed a window: $(other_window)"
kill -0 "$CLOCK" || fail "the clock ended"

"$VESPERA" AL 0730 /bin/echo --help >"$WORK/second.log" 2>&1 &
SECOND=$!
PIDS+=($SECOND)
wait_for 30 other_window >/dev/null || fail "a second start with AL showed no message: $(cat "$WORK/second.log")"
! grep -q "使い方" "$WORK/second.log" || fail "the alarm program's --help was taken for the clock's"
kill "$SECOND"
echo "ok: a running clock is left alone by --help and --install; AL passes the program's options on"
