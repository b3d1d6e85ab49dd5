#!/bin/bash
# idle.sh — what a desktop clock costs while it just sits there ticking.
#
# Usage: bash bench/idle.sh [-c [-o DIR]] [-B REV] [-n] [-d SEC] [-r N] [-s N] [-w SEC] [-x DPI] [-k N] [COMMAND...]
#   -c      count instructions per tick instead (callgrind, client and X server)
#   -o DIR  with -c, keep each counted window's callgrind files in DIR
#   -B REV  also measure the clock built from commit REV, as the first command
#   -n      no window manager (as the shared callgrind benchmark runs)
#   -d SEC  length of one idle run (default 60)
#   -r N    idle runs per command (default 3; 1 with -c)
#   -s N    recorded start-ups per command, after one unrecorded warm-up (default 5)
#   -w SEC  settle time between the window showing and an idle run (default 5; 10 with -c)
#   -x DPI  Xft.dpi for the screen, e.g. 192 for 200 % (default: none set, 100 %)
#   -k N    the settings file also holds N keys of another section (default 0),
#           to time a start that reads a large file
#   COMMAND one quoted command line each, e.g. 'xclock -digital -update 1';
#           default: build/bin/vespera of this repository.
#
# Everything runs on a private Xvfb (1280x800x24, first free display from :97)
# with openbox, a private XDG_CONFIG_HOME (a settings file that skips the
# welcome window; after its warm-up start, the file each command left, as it
# is found where it ran before) and a private XDG_RUNTIME_DIR on tmpfs if
# there is one (the clock starts only once per runtime dir). Each command runs
# alone; the commands take turns each round.
#
# One row per command on stdout, medians over the runs:
#   startup_ms          fork/exec until its first top-level window is mapped
#   cpu_ms_per_min      CPU time of the program, all live threads (schedstat)
#   xvfb_cpu_ms_per_min CPU time of the X server meanwhile: the server-side
#                       half of a Qt clock's painting (image uploads, copies to
#                       the screen) is charged to Xvfb, not to the program
#   ctxsw_per_s         voluntary context switches per second, all threads
#   threads             thread count at the end of the run
#   rss_kb pss_kb       resident and proportional set size (smaps_rollup)
# Raw per-run lines go to stderr.
#
# With -c the X server and each command run under callgrind instead, and each
# run counts the instructions of DURATION whole seconds, starting mid-second:
# one row per command of
#   client_ir_per_tick  instructions the program ran per second (per tick of a
#                       1 Hz clock), all threads
#   x_ir_per_tick       instructions the X server ran meanwhile
#   client_vs_first x_vs_first   the change against the first command's row
# A DURATION of 60 holds every second of a minute once, the minute's turn too.
set -u
export LC_ALL=C

HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
ROOT=$(dirname "$HERE")
DURATION=60 RUNS='' STARTS=5 SETTLE='' MAP_TIMEOUT=60 DPI='' KEYS=0 COUNT=0 REV='' KEEP='' NOWM=0
XVFB='' WM='' HELPER='' CHILD='' NAP='' RUNDIR=''

usage() { sed -n '2,18s/^# \{0,1\}//p' "$0" >&2; exit 2; }
die() { echo "idle.sh: $*" >&2; exit 1; }
log() { echo "$*" >&2; }
# Polls a command until it succeeds, for at most $1 seconds.
wait_for() {
    local end=$((SECONDS + $1)); shift
    until "$@"; do
        [ $SECONDS -ge $end ] && return 1
        sleep 0.1
    done
}
alive() { kill -0 "$1" 2>/dev/null; }
running() { [ -n "$CHILD" ] && alive "$CHILD"; }
gone() { ! alive "$1"; }
# A sleep that a signal can cut short, so that cleanup runs at once.
nap() { sleep "$1" & NAP=$!; wait "$NAP"; }

cleanup() {
    local p
    for p in $NAP $CHILD $HELPER $WM $XVFB; do kill -TERM "$p" 2>/dev/null; done
    for p in $CHILD $HELPER $WM $XVFB; do wait_for 5 gone "$p" || kill -KILL "$p" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$TMP" ${RUNDIR:+"$RUNDIR"}
}

start_x() {
    local n=97
    for _ in 1 2 3 4 5; do
        while [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ]; do n=$((n + 1)); done
        # -noreset: the readiness probe's disconnect would otherwise reset the
        # server just as openbox connects.
        # shellcheck disable=SC2086 # VALGRIND is a command line, or nothing
        $XVALGRIND Xvfb :$n -screen 0 1280x800x24 -nolisten tcp -noreset >"$TMP/xvfb.log" 2>&1 &
        XVFB=$!
        if wait_for 60 xdpyinfo -display :$n >/dev/null 2>&1; then
            export DISPLAY=:$n; return 0
        fi
        kill "$XVFB" 2>/dev/null; wait "$XVFB" 2>/dev/null; XVFB=''; n=$((n + 1))
    done
    die "Xvfb did not start: $(tail -n 3 "$TMP/xvfb.log")"
}

wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
start_wm() {
    openbox --sm-disable >"$TMP/openbox.log" 2>&1 &
    WM=$!
    wait_for 20 wm_ready || die "openbox did not come up on $DISPLAY: $(tail -n 2 "$TMP/openbox.log")"
}

start_display() {
    start_x
    [ "$NOWM" = 1 ] || start_wm
    [ -z "$DPI" ] || echo "Xft.dpi: $DPI" | xrdb -merge
}

stop_display() {
    local p
    for p in $WM $XVFB; do kill -TERM "$p" 2>/dev/null; done
    for p in $WM $XVFB; do wait_for 10 gone "$p" || kill -KILL "$p" 2>/dev/null; done
    wait 2>/dev/null
    WM='' XVFB=''
    rm -f "$TMP"/cg.x.*
}

answered() { [ -s "$TMP/map" ] || gone "$HELPER"; }
# Starts command $1 (index $2) through the helper, each time with the same
# settings: those its warm-up start left, as on a desktop where it ran
# before, or else a file that only skips the welcome window. Sets CHILD and
# STARTUP_MS.
launch() {
    if [ -s "$TMP/settings.$2" ]; then
        cp "$TMP/settings.$2" "$XDG_CONFIG_HOME/kestrel.ini"
    else
        { printf '[pendra]\nstart=2.15\n'; cat "$TMP/more-keys"; } >"$XDG_CONFIG_HOME/kestrel.ini"
    fi
    : >"$TMP/map"
    # shellcheck disable=SC2086 # a command line is split into words on purpose
    "$TMP/waitmap" $MAP_TIMEOUT $VALGRIND $1 >"$TMP/map" 2>>"$TMP/programs.log" &
    HELPER=$!
    wait_for $((MAP_TIMEOUT + 10)) answered || log "no answer from waitmap for: $1"
    read -r CHILD STARTUP_MS <"$TMP/map" || { CHILD=''; STARTUP_MS=NA; }
    running || log "'$1' is not running: $(tail -n 2 "$TMP/programs.log")"
}

# SIGTERM, SIGKILL after 5 s; the helper ends with the program.
stop() {
    if [ -n "$CHILD" ] && alive "$CHILD"; then
        kill -TERM "$CHILD"
        wait_for 5 gone "$HELPER" || kill -KILL "$CHILD" 2>/dev/null
    fi
    wait_for 5 gone "$HELPER" || kill -KILL "$HELPER" 2>/dev/null
    wait "$HELPER" 2>/dev/null
    CHILD='' HELPER=''
}

# Per process: CPU ns and voluntary switches summed over live threads.
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{s += $1} END {print s + 0}'; }
switches() { cat /proc/"$1"/task/*/status 2>/dev/null | awk '/^voluntary_ctxt_switches/ {s += $2} END {print s + 0}'; }
rollup() { awk -v k="$2:" '$1 == k {print $2}' /proc/"$1"/smaps_rollup 2>/dev/null; }

# One idle run of command $2 (index $1); appends a row to $TMP/idle.$1.
idle_run() {
    launch "$2" "$1"
    running || { stop; return; }
    nap "$SETTLE"
    local c0 x0 s0 t0 c1 x1 s1 t1
    c0=$(cpu_ns "$CHILD") x0=$(cpu_ns "$XVFB") s0=$(switches "$CHILD") t0=$(date +%s%N)
    nap "$DURATION"
    c1=$(cpu_ns "$CHILD") x1=$(cpu_ns "$XVFB") s1=$(switches "$CHILD") t1=$(date +%s%N)
    if alive "$CHILD"; then
        local row
        row=$(awk -v c=$((c1 - c0)) -v x=$((x1 - x0)) -v s=$((s1 - s0)) -v t=$((t1 - t0)) \
            'BEGIN {printf "%.1f %.1f %.2f", c / t * 60000, x / t * 60000, s / (t / 1e9)}')
        row="$row $(find /proc/"$CHILD"/task -mindepth 1 -maxdepth 1 | wc -l)"
        row="$row $(rollup "$CHILD" Rss) $(rollup "$CHILD" Pss)"
        echo "$row" >>"$TMP/idle.$1"
        log "idle  #$1 $row  ($2)"
    else
        log "idle  #$1 ended during the run  ($2)"
    fi
    stop
}

# The instructions callgrind counted in its last dump for process $1 ($2: client or x).
dumped_ir() {
    local last
    last=$(find "$TMP" -maxdepth 1 -name "cg.$2.$1.*" | sort -V | tail -n 1)
    [ -n "$last" ] && awk '/^(totals|summary):/ {print $2; exit}' "$last"
}

# One counted run of command $2 (index $1); appends a row to $TMP/count.$1.
count_run() {
    launch "$2" "$1"
    running || { stop; return; }
    nap "$SETTLE"
    # Start half-way through a second, so that exactly DURATION ticks fall in.
    nap "$(awk -v n="$(date +%N)" 'BEGIN {d = (1.5e9 - n) / 1e9; if (d > 1) d -= 1; printf "%.3f", d}')"
    if ! callgrind_control -z "$CHILD" >/dev/null || ! callgrind_control -z "$XVFB" >/dev/null; then
        log "callgrind_control could not zero the counters"
    fi
    nap "$DURATION"
    callgrind_control -d "$CHILD" >/dev/null; callgrind_control -d "$XVFB" >/dev/null
    local c x
    c=$(dumped_ir "$CHILD" client) x=$(dumped_ir "$XVFB" x)
    if [ -n "$c" ] && [ -n "$x" ] && alive "$CHILD"; then
        local row
        row=$(awk -v c="$c" -v x="$x" -v d="$DURATION" 'BEGIN {printf "%.0f %.0f", c / d, x / d}')
        echo "$row" >>"$TMP/count.$1"
        log "count #$1 $row  ($2)"
        if [ -n "$KEEP" ]; then
            local n
            n=$(wc -l <"$TMP/count.$1")
            cp "$(find "$TMP" -maxdepth 1 -name "cg.client.$CHILD.*" | sort -V | tail -n 1)" \
                "$KEEP/client.$1.$n"
            cp "$(find "$TMP" -maxdepth 1 -name "cg.x.$XVFB.*" | sort -V | tail -n 1)" \
                "$KEEP/x.$1.$n"
        fi
    else
        log "count #$1 no counts  ($2)"
    fi
    stop
    rm -f "$TMP"/cg.client.*
}

start_run() { # $1 index, $2 command, $3 "warm-up" or empty to record
    launch "$2" "$1"
    log "start #$1 $STARTUP_MS ms${3:+ ($3)}  ($2)"
    [ -z "$3" ] && [ "$STARTUP_MS" != NA ] && echo "$STARTUP_MS" >>"$TMP/start.$1"
    stop
    if [ -n "$3" ]; then
        cp "$XDG_CONFIG_HOME/kestrel.ini" "$TMP/settings.$1"
    fi
}

median() { # of the numbers in column $1 of file $2
    [ -s "$2" ] || { echo NA; return; }
    awk -v k="$1" '{print $k}' "$2" | sort -n | awk '{a[NR] = $1}
        END {m = NR % 2 ? a[(NR + 1) / 2] : (a[NR / 2] + a[NR / 2 + 1]) / 2; print m}'
}

report() {
    local i col
    printf '%s %s %s %s %s %s %s %s\n' startup_ms cpu_ms_per_min xvfb_cpu_ms_per_min \
        ctxsw_per_s threads rss_kb pss_kb command
    for i in "${!COMMANDS[@]}"; do
        printf '%s' "$(median 1 "$TMP/start.$i")"
        for col in 1 2 3 4 5 6; do printf ' %s' "$(median $col "$TMP/idle.$i")"; done
        printf ' %s\n' "${COMMANDS[$i]}"
    done
}

count_report() {
    local i c x c0='' x0=''
    printf '%s %s %s %s %s\n' client_ir_per_tick x_ir_per_tick client_vs_first x_vs_first command
    for i in "${!COMMANDS[@]}"; do
        c=$(median 1 "$TMP/count.$i") x=$(median 2 "$TMP/count.$i")
        [ "$i" = 0 ] && c0=$c x0=$x
        printf '%s %s %s %s %s\n' "$c" "$x" "$(change "$c" "$c0")" "$(change "$x" "$x0")" \
            "${COMMANDS[$i]}"
    done
}
change() { # of $1 against $2, in per cent
    case "$1$2" in
        *NA*) echo NA ;;
        *) awk -v a="$1" -v b="$2" 'BEGIN {if (b == 0) print "NA"; else printf "%+.1f%%", (a - b) / b * 100}' ;;
    esac
}

# The clock as built from commit $1, in a folder of its own under /tmp kept
# for the next run; prints the program's path.
built_at() {
    local hash dir
    hash=$(git -C "$ROOT" rev-parse --short=12 "$1^{commit}") || die "no commit $1"
    dir=/tmp/vespera-bench-$hash
    if [ ! -x "$dir/build/bin/vespera" ]; then
        log "building vespera at $hash in $dir (a few minutes)"
        rm -rf "$dir/src"
        mkdir -p "$dir/src" || die "cannot make $dir"
        git -C "$ROOT" archive "$hash" | tar -x -C "$dir/src" || die "cannot unpack $hash"
        { cmake -S "$dir/src" -B "$dir/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
            && cmake --build "$dir/build" -j2 --target vespera; } >"$dir/build.log" 2>&1 \
            || die "building $hash failed: see $dir/build.log"
    fi
    echo "$dir/build/bin/vespera"
}

while getopts co:B:nd:r:s:w:x:k:h opt; do
    case $opt in
        c) COUNT=1 ;; o) KEEP=$OPTARG ;; B) REV=$OPTARG ;; n) NOWM=1 ;;
        d) DURATION=$OPTARG ;; r) RUNS=$OPTARG ;; s) STARTS=$OPTARG ;; w) SETTLE=$OPTARG ;;
        x) DPI=$OPTARG ;;
        k) KEYS=$OPTARG ;;
        *) usage ;;
    esac
done
shift $((OPTIND - 1))
COMMANDS=("$@")
[ ${#COMMANDS[@]} -gt 0 ] || COMMANDS=("$ROOT/build/bin/vespera")
if [ -n "$REV" ]; then
    earlier=$(built_at "$REV") || exit 1
    COMMANDS=("$earlier" "${COMMANDS[@]}")
fi
TOOLS='Xvfb openbox xprop xdpyinfo cc'
VALGRIND='' XVALGRIND=''
if [ "$COUNT" = 1 ]; then
    TOOLS="$TOOLS valgrind callgrind_control"
    : "${RUNS:=1}" "${SETTLE:=10}"
    MAP_TIMEOUT=180 # everything runs some fifty times slower under valgrind
else
    : "${RUNS:=3}" "${SETTLE:=5}"
fi
if [ -n "$KEEP" ]; then
    mkdir -p "$KEEP" || die "cannot make $KEEP"
    KEEP=$(cd "$KEEP" && pwd)
fi
for tool in $TOOLS; do
    command -v "$tool" >/dev/null || die "$tool is not installed"
done

TMP=$(mktemp -d /tmp/vespera-idle.XXXXXX) || die "no temp dir"
trap cleanup EXIT
trap 'exit 130' INT TERM
cc -O2 -o "$TMP/waitmap" "$HERE/waitmap.c" -lX11 || die "cannot build waitmap"
awk -v n="$KEYS" 'BEGIN { if (n > 0) print "\n[other]"; for (i = 0; i < n; i++) printf "key%d=value %d\n", i, i }' \
    >"$TMP/more-keys"
if [ "$COUNT" = 1 ]; then
    # No per-instruction data: the totals are all that is read, and cheaper.
    VALGRIND="valgrind --tool=callgrind --dump-instr=no --vgdb=yes --callgrind-out-file=$TMP/cg.client.%p"
    XVALGRIND="valgrind --tool=callgrind --dump-instr=no --vgdb=yes --callgrind-out-file=$TMP/cg.x.%p"
fi
# The runtime dir on tmpfs where there is one, as /run/user/UID is on a
# desktop: the clock's single-instance lock is synced to it at every start.
RUN_BASE=$TMP
[ -d /dev/shm ] && [ -w /dev/shm ] && RUN_BASE=/dev/shm
export XDG_CONFIG_HOME=$TMP/config
RUNDIR=$(mktemp -d "$RUN_BASE/vespera-idle-run.XXXXXX") || die "no runtime dir"
export XDG_RUNTIME_DIR=$RUNDIR
mkdir -p "$XDG_CONFIG_HOME"
# No session bus: where a login session would have one there is nothing.
export DBUS_SESSION_BUS_ADDRESS=unix:path=$XDG_RUNTIME_DIR/bus
unset QT_QPA_PLATFORM
[ -z "$DPI" ] || command -v xrdb >/dev/null || die "xrdb is not installed"

if [ "$COUNT" = 1 ]; then
    # A server of its own for each run: what one program leaves in it (a
    # window, a grown table) would be charged to the next.
    for round in $(seq 1 "$RUNS"); do
        for i in "${!COMMANDS[@]}"; do
            start_display
            count_run "$i" "${COMMANDS[$i]}"
            stop_display
        done
    done
    count_report
    exit 0
fi
start_display
for round in $(seq 0 "$STARTS"); do
    label=''; [ "$round" = 0 ] && label=warm-up
    for i in "${!COMMANDS[@]}"; do start_run "$i" "${COMMANDS[$i]}" "$label"; done
done
for round in $(seq 1 "$RUNS"); do
    for i in "${!COMMANDS[@]}"; do idle_run "$i" "${COMMANDS[$i]}"; done
done
report
