#!/bin/bash
# settings.sh — how the settings file's size costs the programs that share it.
#
# Usage: bash bench/settings.sh [-r N] [SIZE...]
#   -r N   runs per size, the median is reported (default 5)
#   SIZE   numbers of keys of another section in the file (default 2000 16000 100000)
#
# For each size, a private settings file holding the clock's keys and SIZE
# keys of another program:
#   rewrite_ms     one write by another program (build/tests/store_writer): the
#                  lock, a read, a parse, a change and the file replaced
#   clock_start_ms the clock (offscreen) from exec until its start-up write
#                  (its folder) is in the file: every read of start-up included
#   clock_exit_ms  the clock from SIGTERM until it has ended, its closing
#                  write included
# Raw per-run lines go to stderr.
set -u
export LC_ALL=C
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
ROOT=$(dirname "$HERE")
WRITER=$ROOT/build/tests/store_writer
VESPERA=$ROOT/build/bin/vespera
RUNS=5

die() { echo "settings.sh: $*" >&2; exit 1; }
while getopts r:h opt; do
    case $opt in
        r) RUNS=$OPTARG ;;
        *) sed -n '2,6s/^# \{0,1\}//p' "$0" >&2; exit 2 ;;
    esac
done
shift $((OPTIND - 1))
SIZES=("$@")
[ ${#SIZES[@]} -gt 0 ] || SIZES=(2000 16000 100000)
[ -x "$WRITER" ] && [ -x "$VESPERA" ] || die "build first (cmake --build build)"

TMP=$(mktemp -d /tmp/vespera-settings.XXXXXX) || die "no temp dir"
CLOCK=''
trap '[ -n "$CLOCK" ] && kill -KILL $CLOCK 2>/dev/null; rm -rf "$TMP"' EXIT
export XDG_CONFIG_HOME=$TMP/config XDG_RUNTIME_DIR=$TMP/run QT_QPA_PLATFORM=offscreen
mkdir -p "$XDG_CONFIG_HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
INI=$XDG_CONFIG_HOME/kestrel.ini

now_ms() { echo $(($(date +%s%N) / 1000000)); }
median() { sort -n | awk '{v[NR] = $1} END {print NR ? v[int((NR + 1) / 2)] : "NA"}'; }
fresh_file() {
    { printf '[pendra]\nstart=2.15\nal=1\n0=07:00 mo\n\n[other]\n'
      awk -v n="$1" 'BEGIN { for (i = 0; i < n; i++) printf "key%d=value %d\n", i, i }'; } >"$INI"
}
# Polls for at most 120 s.
wait_until() {
    local end=$((SECONDS + 120))
    until "$@"; do
        [ $SECONDS -ge $end ] && return 1
        sleep 0.01
    done
}
stored_folder() { grep -q '^apath=' "$INI"; }
ended() { ! kill -0 "$CLOCK" 2>/dev/null; }

echo "keys rewrite_ms clock_start_ms clock_exit_ms"
for size in "${SIZES[@]}"; do
    : >"$TMP/rewrite" && : >"$TMP/start" && : >"$TMP/exit"
    for _ in $(seq "$RUNS"); do
        fresh_file "$size"
        t=$(now_ms)
        "$WRITER" "$INI" bench 1 || die "the writer failed"
        echo $(($(now_ms) - t)) >>"$TMP/rewrite"

        fresh_file "$size"
        t=$(now_ms)
        "$VESPERA" 2>>"$TMP/clock.log" &
        CLOCK=$!
        wait_until stored_folder || die "the clock did not start: $(tail -n 3 "$TMP/clock.log")"
        echo $(($(now_ms) - t)) >>"$TMP/start"
        t=$(now_ms)
        kill -TERM $CLOCK
        wait_until ended || die "the clock did not end"
        echo $(($(now_ms) - t)) >>"$TMP/exit"
        wait $CLOCK 2>/dev/null
        CLOCK=''
        echo "$size: rewrite $(tail -n1 "$TMP/rewrite") start $(tail -n1 "$TMP/start") exit $(tail -n1 "$TMP/exit")" >&2
    done
    echo "$size $(median <"$TMP/rewrite") $(median <"$TMP/start") $(median <"$TMP/exit")"
done
