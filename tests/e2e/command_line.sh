#!/bin/bash
# The programs' own options, as a user types them in a terminal: --help and
# --version answer and end without a display, without a settings file and
# without a word to a running clock; an unknown option ends with status 2.
# What follows "AL hhmm" belongs to the program it names, dashes and all.
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

"$VESPERA" AL 0730 /bin/echo --help >"$WORK/second.log" 2>&1 &
SECOND=$!
PIDS+=($SECOND)
wait_for 30 other_window >/dev/null || fail "a second start with AL showed no message: $(cat "$WORK/second.log")"
! grep -q "使い方" "$WORK/second.log" || fail "the alarm program's --help was taken for the clock's"
kill "$SECOND"
echo "ok: a running clock is left alone; AL passes the program's options on"
