#!/bin/bash
# The real sound path: a private PulseAudio server with a null sink, the
# alarm notice playing into it at two volume levels, and the sound energy
# read back from the sink's monitor. Exits 77 (skipped) only when no sound
# server can be started here.
# Usage: sound_on_pulse.sh path/to/notice_probe folder-with-sounds
PROBE=$1
SOUNDS=$2
. "$(dirname "$0")/session.sh"
skip() { echo "SKIP: $*"; exit 77; }

command -v pulseaudio >/dev/null || skip "pulseaudio is not installed"
command -v parec >/dev/null || skip "parec (pulseaudio-utils) is not installed"
export XDG_RUNTIME_DIR=$WORK/run XDG_CONFIG_HOME=$WORK/config HOME=$WORK
mkdir -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME" && chmod 700 "$XDG_RUNTIME_DIR"
pulseaudio -n --daemonize=no --exit-idle-time=-1 --log-target=stderr \
    --load="module-null-sink sink_name=vtest" --load="module-native-protocol-unix" \
    >"$WORK/pulse.log" 2>&1 &
PIDS+=($!)
wait_for 20 pactl info >/dev/null 2>&1 || skip "no sound server could be started: $(tail -3 "$WORK/pulse.log")"
pactl set-default-sink vtest

# Mean square of the samples the sink received while the notice was open.
energy_at_level() {
    printf '[pendra]\nvol=1\nvolg=%s\n' "$1" >"$XDG_CONFIG_HOME/kestrel.ini"
    parec --device=vtest.monitor --format=s16le --channels=1 --rate=22050 >"$WORK/$1.raw" &
    local rec=$!
    QT_QPA_PLATFORM=offscreen "$PROBE" "$SOUNDS" 3 >"$WORK/probe.log" 2>&1 \
        || fail "the notice did not run: $(cat "$WORK/probe.log")"
    kill $rec
    wait $rec 2>/dev/null
    od -An -v -t d2 "$WORK/$1.raw" | awk '{for (i = 1; i <= NF; i++) {s += $i * $i; n++}}
        END {printf "%d\n", n ? s / n : 0}'
}

loud=$(energy_at_level 255)
quiet=$(energy_at_level 64)
echo "energy at level 255: $loud, at level 64: $quiet"
[ "$loud" -gt 100000 ] || fail "no sound came out at level 255"
[ "$quiet" -gt 0 ] || fail "no sound came out at level 64"
[ $((quiet * 4)) -lt "$loud" ] || fail "level 64 was not clearly quieter than level 255"
echo "ok: the notice sounds, and a lower level gives less sound"

# Without a sound server the alarm cannot be heard: said once on stderr
# however often it rings (the notice says it too).
printf '[pendra]\n' >"$XDG_CONFIG_HOME/kestrel.ini"
PULSE_SERVER=unix:$WORK/no-such-server QT_QPA_PLATFORM=offscreen "$PROBE" "$SOUNDS" 6 \
    >"$WORK/silent.log" 2>&1 || fail "the notice did not run without a server: $(cat "$WORK/silent.log")"
said=$(grep -c 'the sounds cannot be heard: no audio device' "$WORK/silent.log")
[ "$said" = 1 ] || fail "without a sound server, said $said times: $(cat "$WORK/silent.log")"
echo "ok: without a sound server the silence is said, once"
