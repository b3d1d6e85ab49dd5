#!/bin/bash
# The clock behind the X screen saver: it stops its ticks and wakes almost
# never, an alarm due meanwhile still rings on its minute, and when the
# screen saver goes the ticks come back. The clock's wall clock is its own
# (libfaketime) so that the alarm comes soon: 70 s after the start.
# Usage: saver_on_x11.sh path/to/vespera
. "$(dirname "$0")/x11_session.sh"
need xset
FAKETIME_LIB=/usr/lib/x86_64-linux-gnu/faketime/libfaketimeMT.so.1
[ -e "$FAKETIME_LIB" ] || fail "libfaketime is not installed"
[ -x "${1:-}" ] || fail "usage: $0 path/to/vespera"
start_x_session

cat >"$WORK/vespera" <<WRAPPER
#!/bin/sh
exec env LD_PRELOAD=$FAKETIME_LIB FAKETIME="@2026-12-07 07:28:50" DONT_FAKE_MONOTONIC=1 "$1" "\$@"
WRAPPER
chmod +x "$WORK/vespera"
VESPERA=$WORK/vespera

# Times the process went to sleep of its own accord, all of its threads.
wakeups() { cat /proc/"$CLOCK"/task/*/status 2>/dev/null | awk '/^voluntary_ctxt_switches/ { n += $2 } END { print n }'; }
notice() { shown_window "アラーム" >/dev/null; }

started=$(date +%s)
start_clock start=2.15 al=1 zihou=0 "0=07:30:00*"
CLOCK=$(pgrep -P "$CLOCK" -x vespera || echo "$CLOCK") # the program, not the wrapper
xset s activate
sleep 1
before=$(wakeups)
sleep 45
woke=$(($(wakeups) - before))
[ "$woke" -le 2 ] || fail "the clock woke $woke times in 45 s behind the screen saver"
echo "ok: behind the screen saver the clock woke $woke times in 45 s"

wait_for 60 notice || fail "no notice for the alarm due behind the screen saver: $(cat "$WORK/clock.log")"
late=$(($(date +%s) - started - 70))
[ "$late" -le 3 ] || fail "the alarm rang $late s after its minute"
echo "ok: the alarm due behind the screen saver rang on its minute ($late s)"

xset s reset
sleep 1
before=$(wakeups)
sleep 3
[ $(($(wakeups) - before)) -ge 2 ] || fail "the ticks did not come back with the screen"
echo "ok: the ticks come back with the screen"
stop_clock
