#!/bin/bash
# The real clock on a real X server with a window manager: its place in the
# bottom-right corner, the digits it shows, a second start, and closing on
# SIGTERM with its settings stored. With E2E_SCALE=2 the same at 200 %: the
# face drawn at twice the size, every copied cell from the design's picture
# twice the size (NAME@2x.vsr).
# Usage: clock_on_x11.sh path/to/vespera
VESPERA=$1
BIN_DIR=$(dirname "$VESPERA")
. "$(dirname "$0")/x11_session.sh"
need xrefresh import compare convert
start_x_session openbox
printf '[pendra]\nsmode=3\nstart=2.15\nsystime=7\n' >"$XDG_CONFIG_HOME/kestrel.ini"

# Started from another folder: it must still find its designs.
(cd / && exec "$VESPERA") >"$WORK/clock.log" 2>&1 &
CLOCK=$!
PIDS+=($CLOCK)

wait_for 60 clock_position >/dev/null || fail "the clock window never appeared: $(cat "$WORK/clock.log")"
# The window manager may place it once more shortly after mapping.
X0=$((1280 - $(px 438))) Y0=$((800 - $(px 52)))
wait_for 20 clock_at +$X0+$Y0 || fail "clock not at +$X0+$Y0: $(clock_position)"
echo "ok: placed at $(clock_position)"

# The last visible row and column are the screen's last; nothing above the face.
shot() { import -window root "$WORK/shot.png" 2>/dev/null; }
pixel() { convert "$WORK/shot.png" -format "%[pixel:p{$1,$2}]" info:; }
# Whether a cell of the screen shows a piece of the design: cell x y w h
# (face pixels), then the piece's x y; at 200 % the piece of the picture
# twice the size.
cell_shows() {
    convert "$WORK/shot.png" -crop "$(px $3)x$(px $4)+$((X0 + $(px $1)))+$((Y0 + $(px $2)))" \
        +repage "$WORK/got.png"
    if [ "$S" = 2 ]; then
        convert "$BIN_DIR/blue@2x.vsr" -crop "$(px $3)x$(px $4)+$(px $5)+$(px $6)" +repage \
            "$WORK/want.png"
    else
        convert "$BIN_DIR/blue.vsr" -crop "$3x$4+$5+$6" +repage "$WORK/want.png"
    fi
    [ "$(compare -metric AE "$WORK/got.png" "$WORK/want.png" null: 2>&1)" = "0" ]
}
digits_match() {
    local before after
    before=$(date +%I%M)
    shot
    after=$(date +%I%M)
    [ "$before" = "$after" ] || return 1 # the minute turned meanwhile: look again
    local h=${before:1:1} mt=${before:2:1} mu=${before:3:1}
    local ok=0 cell
    for cell in "205 $h" "241 $mt" "263 $mu"; do
        set -- $cell
        cell_shows "$1" 11 22 32 $((22 * $2)) 60 || ok=1
    done
    return $ok
}
wait_for 30 digits_match || fail "the face does not show the current time $(date +%I:%M)"
echo "ok: the face shows $(date +%I:%M) from the design picture"
[ "$(pixel 1279 799)" != "$(pixel 1279 600)" ] || fail "the bottom-right pixel is not part of the clock"
[ "$(pixel 1279 $((Y0 - 1)))" = "$(pixel 1279 600)" ] || fail "the clock reaches above its first row"
echo "ok: last visible row and column touch the screen's edge"

# Changed cells are copied straight to the screen; after an expose the window
# must show them still, not an older copy of the face.
quarter() { echo $(( 10#$(date +%S) / 15 )); }
seconds_match() {
    local before after
    before=$(quarter)
    shot
    after=$(quarter)
    [ "$before" = "$after" ] || return 1
    cell_shows 318 5 23 42 $((23 * before)) 92
}
first_quarter=$(quarter)
wait_for 20 bash -c "[ \$(( 10#\$(date +%S) / 15 )) -ne $first_quarter ]"
# Well inside a quarter, so the mark cannot change while we look.
wait_for 20 bash -c '[ $(( 10#$(date +%S) % 15 )) -ge 1 ] && [ $(( 10#$(date +%S) % 15 )) -le 9 ]'
wait_for 3 seconds_match || fail "the seconds mark copied to the screen is wrong"
xrefresh
wait_for 3 seconds_match || fail "after an expose the seconds mark is stale"
echo "ok: the face survives an expose"

# What the ticks copied to the screen equals what a full repaint shows: the
# whole face before and after an expose, within one second.
face_area() { convert "$WORK/$1.png" -crop "$CLOCK_SIZE+$X0+$Y0" +repage "$WORK/$1-face.png"; }
copies_equal_repaint() {
    local second
    second=$(date +%s)
    import -window root "$WORK/copied.png" 2>/dev/null
    xrefresh
    sleep 0.3 # the expose is answered at once; this only lets it land
    import -window root "$WORK/repainted.png" 2>/dev/null
    [ "$(date +%s)" = "$second" ] || return 1 # a tick came between: look again
    face_area copied && face_area repainted
    [ "$(compare -metric AE "$WORK/copied-face.png" "$WORK/repainted-face.png" null: 2>&1)" = "0" ]
}
sleep 2 # a few ticks of copies on top of the first paint
wait_for 20 copies_equal_repaint || fail "the copied cells differ from a full repaint"
echo "ok: the cells copied each second equal a full repaint"

# A second start with "a" ends silently; any other shows the message and ends.
"$VESPERA" a >/dev/null 2>&1 &
SECOND=$!
wait_for 30 sh -c "! kill -0 $SECOND 2>/dev/null" || fail "'vespera a' did not end"
wait $SECOND || fail "'vespera a' failed"
"$VESPERA" AL 0730 x >/dev/null 2>&1 &
THIRD=$!
PIDS+=($THIRD)
wait_for 30 sh -c "xwininfo -root -tree | grep -q '\"Desktop\"'" || fail "no message from a second start"
kill $THIRD
echo "ok: a second start leaves the running clock alone"
kill -0 $CLOCK || fail "the running clock ended"

# SIGTERM closes as the menu does: flags and total stored.
kill -TERM $CLOCK
wait_for 30 sh -c "! kill -0 $CLOCK 2>/dev/null" || fail "the clock ignored SIGTERM"
grep -q '^tfmode=0' "$XDG_CONFIG_HOME/kestrel.ini" || fail "flags not stored on SIGTERM"
grep -q '^systime=[0-9]' "$XDG_CONFIG_HOME/kestrel.ini" || fail "total not stored on SIGTERM"
echo "ok: SIGTERM stores the settings"

# Without its designs the clock says so in a message box instead of showing a broken face.
mkdir -p "$WORK/bare" "$WORK/run2" && chmod 700 "$WORK/run2"
cp "$VESPERA" "$WORK/bare/"
XDG_RUNTIME_DIR=$WORK/run2 "$WORK/bare/vespera" >/dev/null 2>&1 &
BARE=$!
PIDS+=($BARE)
message_shown() { other_window >/dev/null; }
wait_for 30 message_shown || fail "no message about the missing design"
echo "ok: a missing design is reported"
