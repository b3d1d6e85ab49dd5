#!/bin/bash
# The settings file on a full disk: a write that does not fit fails, says so,
# and leaves the file as it was, for another program's write and for the
# clock's own at start-up and exit. The config folder is a small tmpfs of its
# own (as root, or as root of a user namespace); skipped where mounting is
# refused.
# Usage: store_on_full_disk.sh path/to/store_writer path/to/vespera
if [ "$(id -u)" != 0 ] && [ -z "${STORE_TEST_IN_NAMESPACE:-}" ]; then
    if unshare --user --map-root-user --mount true 2>/dev/null; then
        STORE_TEST_IN_NAMESPACE=1 exec unshare --user --map-root-user --mount bash "$0" "$@"
    fi
    echo "SKIP: cannot mount a tmpfs here"
    exit 77
fi
. "$(dirname "$0")/session.sh"
WRITER=$1 VESPERA=$2
[ -x "$WRITER" ] && [ -x "$VESPERA" ] || fail "usage: $0 path/to/store_writer path/to/vespera"

CFG=$WORK/config
mkdir -p "$CFG" "$WORK/run" && chmod 700 "$WORK/run"
mount -t tmpfs -o size=64k tmpfs "$CFG" 2>/dev/null || { echo "SKIP: cannot mount a tmpfs here"; exit 77; }
trap 'umount "$CFG" 2>/dev/null; cleanup' EXIT
INI=$CFG/kestrel.ini

# Fills the disk but for about $1 KiB.
fill_disk_but() {
    rm -f "$CFG/filler"
    dd if=/dev/zero of="$CFG/filler" bs=1k count=1000 2>/dev/null
    local size
    size=$(stat -c %s "$CFG/filler")
    [ "$size" -gt $(($1 * 1024)) ] || fail "the disk was not full: $size bytes of filler"
    truncate -s $((size - $1 * 1024)) "$CFG/filler"
}
only_the_file_is_there() {
    [ "$(cd "$CFG" && ls -A | grep -v '^filler$' | grep -v '^kestrel.ini.lock$')" = kestrel.ini ] \
        || fail "$1: more than the settings file in its folder: $(ls -A "$CFG")"
}

# --- Another program's write on a disk without room ------------------------
{
    printf '[pendra]\nstart=2.15\nal=1\nzihou=1\n0=07:00 mo\n\n[other]\n'
    for i in $(seq 1 1500); do echo "their$i=kept $i"; done
} >"$INI"
cp "$INI" "$WORK/before.ini"
fill_disk_but 0
"$WRITER" "$INI" new 1 2>"$WORK/writer.log" && fail "a write on a full disk reported success"
cmp -s "$INI" "$WORK/before.ini" || fail "a write on a full disk changed the file: $(wc -c <"$INI") bytes"
grep -q "cannot save the settings" "$WORK/writer.log" || fail "the failed write said nothing"
only_the_file_is_there "a failed write"
echo "ok: a write on a full disk fails, says why and leaves the file whole"

# Room for a few blocks but not the whole file (about 30 KiB): still nothing
# is cut short.
fill_disk_but 8
"$WRITER" "$INI" new 1 2>/dev/null && fail "a write into too little room reported success"
cmp -s "$INI" "$WORK/before.ini" || fail "a write into too little room changed the file"
only_the_file_is_there "a write into too little room"
echo "ok: a write into too little room leaves the file whole"

# --- The clock starting and closing on the full disk -----------------------
fill_disk_but 0
XDG_CONFIG_HOME=$CFG XDG_RUNTIME_DIR=$WORK/run QT_QPA_PLATFORM=offscreen \
    "$VESPERA" >"$WORK/clock.log" 2>&1 &
CLOCK=$!
PIDS+=($CLOCK)
# It stores its folder at start-up; that write fails and is reported.
wait_for 60 grep -q "cannot save the settings" "$WORK/clock.log" \
    || fail "the clock's start-up write was not reported: $(cat "$WORK/clock.log")"
kill -TERM $CLOCK
wait_gone $CLOCK || fail "the clock did not end"
[ "$(grep -c "cannot save the settings" "$WORK/clock.log")" -ge 2 ] \
    || fail "the clock's closing write was not reported: $(cat "$WORK/clock.log")"
cmp -s "$INI" "$WORK/before.ini" || fail "the clock's exit on a full disk changed the file"
only_the_file_is_there "the clock's writes"
echo "ok: the clock on a full disk keeps the file whole and says so"

# With room again its exit stores its flags and keeps the other keys.
rm -f "$CFG/filler"
XDG_CONFIG_HOME=$CFG XDG_RUNTIME_DIR=$WORK/run QT_QPA_PLATFORM=offscreen \
    "$VESPERA" >"$WORK/clock.log" 2>&1 &
CLOCK=$!
PIDS+=($CLOCK)
wait_for 60 grep -q '^apath=' "$INI" || fail "the clock did not start: $(cat "$WORK/clock.log")"
kill -TERM $CLOCK
wait_gone $CLOCK || fail "the clock did not end"
grep -q '^tfmode=0' "$INI" || fail "the clock's flags were not stored with room again"
grep -q '^their1500=kept 1500' "$INI" && grep -q '^0=07:00 mo' "$INI" \
    || fail "the other keys were lost"
echo "ok: with room again the clock stores its flags and keeps every other key"
