#!/bin/bash
# browser.sh — how fast the design browser shows its catalogue, and what the
# whole browser costs in memory (the web engine's renderer is a grandchild).
#
# Usage: bash bench/browser.sh [-s N] [-w SEC] [VESWEB]
#   -s N    recorded starts, after one unrecorded warm-up (default 5)
#   -w SEC  settle time after the page is shown, before memory is read (default 5)
#   VESWEB  the program (default: build/bin/vesweb of this repository)
#
# Each start runs on a private Xvfb with openbox, with private settings, data
# and runtime folders, against the catalogue the browser serves itself.
# One row on stdout, medians over the starts:
#   page_ms        start until the first catalogue page has loaded
#   tree_pss_kb    proportional set size of the browser and all its descendants
#   tree_rss_kb    the same as resident set size (counts shared pages again)
#   processes      how many processes the tree holds
# Raw per-start lines go to stderr.
set -u
export LC_ALL=C

HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
STARTS=5 SETTLE=5
while getopts s:w: opt; do
    case $opt in
    s) STARTS=$OPTARG ;;
    w) SETTLE=$OPTARG ;;
    *) sed -n '2,10s/^# \{0,1\}//p' "$0" >&2; exit 2 ;;
    esac
done
shift $((OPTIND - 1))
VESWEB=${1:-$(dirname "$HERE")/build/bin/vesweb}
[ -x "$VESWEB" ] || { echo "browser.sh: $VESWEB is not built" >&2; exit 1; }

TMP=$(mktemp -d)
XVFB='' WM='' CHILD=''
cleanup() {
    for p in $CHILD $WM $XVFB; do kill "$p" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$TMP"
}
trap cleanup EXIT
wait_for() {
    local end=$((SECONDS + $1)); shift
    until "$@"; do
        [ $SECONDS -ge $end ] && return 1
        sleep 0.05
    done
}

exec 3>"$TMP/display"
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset >"$TMP/xvfb.log" 2>&1 &
XVFB=$!
wait_for 30 test -s "$TMP/display" || { echo "browser.sh: Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(head -n1 "$TMP/display")
openbox --sm-disable >/dev/null 2>&1 &
WM=$!
export QTWEBENGINE_DISABLE_SANDBOX=1 QT_LOGGING_RULES=vesweb.load=true

# The pids of a process and all its descendants.
tree() {
    local p=$1
    echo "$p"
    for c in $(cat /proc/"$p"/task/*/children 2>/dev/null); do tree "$c"; done
}
# Sums one field of smaps_rollup over the tree.
tree_sum() {
    local field=$1 total=0 p kb
    for p in $(tree "$CHILD"); do
        kb=$(awk -v f="$field:" '$1 == f {print $2}' /proc/"$p"/smaps_rollup 2>/dev/null)
        total=$((total + ${kb:-0}))
    done
    echo $total
}
median() { sort -n | awk '{v[NR] = $1} END {print (NR ? v[int((NR + 1) / 2)] : "NA")}'; }

one_start() {
    local run=$TMP/run$1
    mkdir -p "$run/config" "$run/data" "$run/rt" && chmod 700 "$run/rt"
    printf '[pendra]\nstart=2.15\n' >"$run/config/kestrel.ini"
    local t0=$EPOCHREALTIME
    XDG_CONFIG_HOME=$run/config XDG_DATA_HOME=$run/data XDG_RUNTIME_DIR=$run/rt \
        HOME=$run "$VESWEB" 2>"$run/log" >/dev/null &
    CHILD=$!
    if ! wait_for 120 grep -q "first page shown" "$run/log"; then
        echo "start $1: no page within 120 s" >&2
        kill "$CHILD"; wait "$CHILD" 2>/dev/null; CHILD=''
        return
    fi
    local t1=$EPOCHREALTIME
    sleep "$SETTLE"
    local ms pss rss n
    ms=$(awk -v a="$t0" -v b="$t1" 'BEGIN {printf "%d", (b - a) * 1000}')
    pss=$(tree_sum Pss) rss=$(tree_sum Rss) n=$(tree "$CHILD" | wc -l)
    echo "start $1: page_ms=$ms tree_pss_kb=$pss tree_rss_kb=$rss processes=$n" >&2
    [ "$1" -gt 0 ] && echo "$ms $pss $rss $n" >>"$TMP/rows"
    kill "$CHILD"; wait "$CHILD" 2>/dev/null; CHILD=''
}

for i in $(seq 0 "$STARTS"); do one_start "$i"; done
[ -s "$TMP/rows" ] || { echo "browser.sh: no start was recorded" >&2; exit 1; }
printf '%-8s %-12s %-12s %s\n' page_ms tree_pss_kb tree_rss_kb processes
printf '%-8s %-12s %-12s %s\n' "$(cut -d' ' -f1 "$TMP/rows" | median)" \
    "$(cut -d' ' -f2 "$TMP/rows" | median)" "$(cut -d' ' -f3 "$TMP/rows" | median)" \
    "$(cut -d' ' -f4 "$TMP/rows" | median)"
