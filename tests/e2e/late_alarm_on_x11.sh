#!/bin/bash
# An alarm whose minute the clock never saw: the clock runs on a wall clock
# of its own (libfaketime), which jumps forward over the alarm's minute, as
# after a suspend or a clock set forward. The notice comes, late.
# Usage: late_alarm_on_x11.sh path/to/vespera
. "$(dirname "$0")/x11_session.sh"
need xdotool import
FAKETIME_LIB=/usr/lib/x86_64-linux-gnu/faketime/libfaketimeMT.so.1
[ -e "$FAKETIME_LIB" ] || fail "libfaketime is not installed"
[ -x "${1:-}" ] || fail "usage: $0 path/to/vespera"
start_x_session

# Only the clock's wall clock is moved; its timers run on the real one.
echo "+0" >"$WORK/faketime"
cat >"$WORK/vespera" <<WRAPPER
#!/bin/sh
exec env LD_PRELOAD=$FAKETIME_LIB FAKETIME_TIMESTAMP_FILE=$WORK/faketime FAKETIME_NO_CACHE=1 \
    DONT_FAKE_MONOTONIC=1 "$1" "\$@"
WRAPPER
chmod +x "$WORK/vespera"
VESPERA=$WORK/vespera

notice() { shown_window "アラーム" >/dev/null; }
alarm=$(date -d '+20 min' +%H:%M:00)
start_clock start=2.15 al=1 "0=$alarm"
sleep 2.5 # a few ticks, to show that nothing rings before its time
notice && fail "a notice before the alarm's time"
echo "+40m" >"$WORK/faketime" # 20 minutes past the alarm
wait_for 20 notice || fail "no notice for the alarm of $alarm skipped over: $(cat "$WORK/clock.log")"
[ -n "${E2E_SHOTS:-}" ] && import -window root "$E2E_SHOTS/late-notice.png"
echo "ok: an alarm minute jumped over rings late"
stop_clock
