#!/bin/bash
# The clock in its corner under a real window manager, driven by the pointer:
# sliding away and back, [Shift], hide mode, a window moved by another
# program, a panel that reserves space, always on top, and the popup menu.
# With E2E_SCALE=2 the same at 200 %: every distance of the clock doubles.
# Usage: placement_on_x11.sh path/to/vespera [window-manager]
VESPERA=$1
WM=${2:-openbox}
. "$(dirname "$0")/x11_session.sh"
need xdotool xprop xmessage import convert
start_x_session "$WM"

# Where the clock belongs follows the work area, which the window manager's
# own panels may have made smaller than the screen.
read -r WA_X WA_Y WA_W WA_H < <(xprop -root _NET_WORKAREA | cut -d= -f2 | tr -d ',' | awk '{print $1, $2, $3, $4}')
WA_R=$((WA_X + WA_W))
WA_B=$((WA_Y + WA_H))
at() { printf '%+d%+d' "$1" "$2"; }
OUT=$(at $((WA_R - $(px 438))) $((WA_B - $(px 52))))  # bottom-right, out
TUCKED=$(at $((WA_R - $(px 12))) $((WA_B - $(px 52)))) # 12 pixels left of the right edge
TL_OUT=$(at $((WA_X - $(px 3))) $((WA_Y + $(px 3))))
TL_TUCKED=$(at $((WA_X - $(px 418))) $((WA_Y + $(px 3))))
ON_FACE="$((WA_R - $(px 280))) $((WA_B - $(px 30)))"
AWAY="640 400"
IN_ZONE_OFF_FACE="$((WA_R - $(px 420))) $((WA_B - $(px 70)))" # in the corner zone, not on the window

pointer() { xdotool mousemove $1 $2; }
# Moves onto the face in two steps, so the window sees the pointer move over it.
touch_face() { xdotool mousemove $1 $2 sleep 0.1 mousemove $(($1 + 2)) $(($2 + 1)); }
# Lets the clock tick a few times, to show that something does not happen.
let_ticks_pass() { sleep 2.5; }
stored() { grep "^$1=" "$XDG_CONFIG_HOME/kestrel.ini" | cut -d= -f2; }
net_state() { xprop -id "$(clock_window)" _NET_WM_STATE; }

# --- Top-left in hide mode: tucked 418 pixels beyond the left edge ---------
pointer $AWAY
start_clock smode=0 hide=1
wait_for 20 clock_at $TL_TUCKED || fail "$WM: hide mode top-left not at $TL_TUCKED but $(clock_position)"
echo "ok: $WM: tucked top-left at $TL_TUCKED"
# The few pixels still on screen bring it out.
touch_face $WA_X $((WA_Y + $(px 5)))
wait_for 10 clock_at $TL_OUT || fail "$WM: the tucked clock did not come out: $(clock_position)"
pointer $AWAY
wait_for 10 clock_at $TL_TUCKED || fail "$WM: it did not tuck again after the pointer left"
echo "ok: $WM: comes out on approach, tucks again after leaving"
stop_clock
[ "$(stored hide)" = 1 ] || fail "hide mode not stored"

# --- Bottom-right in normal mode --------------------------------------------
start_clock smode=3
wait_for 20 clock_at $OUT || fail "$WM: not at $OUT but $(clock_position)"
W=$(clock_window)
net_state | grep -q _NET_WM_STATE_SKIP_TASKBAR || fail "$WM: shown in the task bar: $(net_state)"
net_state | grep -q _NET_WM_STATE_SKIP_PAGER || fail "$WM: shown in the pager: $(net_state)"
echo "ok: $WM: at $OUT, out of the task bar and pager"

touch_face $ON_FACE
wait_for 10 clock_at $TUCKED || fail "$WM: the pointer on the face did not tuck it: $(clock_position) $(cat "$WORK/clock.log")"
pointer $IN_ZONE_OFF_FACE
let_ticks_pass
clock_at $TUCKED || fail "$WM: it came out while the pointer was still in the corner"
pointer $AWAY
wait_for 10 clock_at $OUT || fail "$WM: it did not come back after the pointer left"
echo "ok: $WM: slides away from the pointer and back after it left"

xdotool keydown shift
touch_face $ON_FACE
let_ticks_pass
clock_at $OUT || { xdotool keyup shift; fail "$WM: it slid away with [Shift] held"; }
# With [Shift] the face can be used: the right button opens the menu.
xdotool click 3
wait_for 10 other_window >/dev/null || { xdotool keyup shift; fail "$WM: no menu on the right button"; }
xdotool keyup shift
sleep 0.5 # let the menu finish painting before the picture is taken
import -window root "$WORK/menu.png" 2>/dev/null
[ -n "${E2E_SHOTS:-}" ] && cp "$WORK/menu.png" "$E2E_SHOTS/menu-$WM.png"
echo "ok: $WM: stays with [Shift] held; the right button opens the menu"

# The third of the menu's five entries is "常に手前": a click in the middle
# of the menu switches it off, and again on.
click_menu_middle() {
    local g w h x y
    g=$(other_window) || return 1
    MENU_AT=$g
    IFS='x+' read -r w h x y <<<"$g"
    xdotool mousemove $((x + w / 2)) $((y + h / 2)) sleep 0.2 click 1
}
net_state | grep -q _NET_WM_STATE_ABOVE || fail "$WM: not above other windows: $(net_state)"
click_menu_middle || fail "$WM: the menu went away"
wait_for 10 sh -c "! xprop -id $W _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE" \
    || fail "$WM: always on top did not go off: $(net_state)"
clock_at $OUT || fail "$WM: switching always on top moved the window: $(clock_position)"
wait_for 10 menu_gone || fail "$WM: the menu stayed after a click on its entry"
xdotool keydown shift
touch_face $ON_FACE
xdotool click 3 keyup shift
wait_for 10 other_window >/dev/null || fail "$WM: no menu the second time"
click_menu_middle || fail "$WM: the menu went away"
wait_for 10 sh -c "xprop -id $W _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE" \
    || fail "$WM: always on top did not come back: $(net_state)"
[ "$(clock_window)" = "$W" ] || fail "$WM: the window was recreated"
# Still cut to its shape: a corner of its rectangle left of the rounded end
# shows the same desktop as the pixel just left of the window.
import -window root "$WORK/after.png" 2>/dev/null
shape_x=$((WA_R - $(px 438))) shape_y=$((WA_B - $(px 52) + $(px 2)))
inside=$(convert "$WORK/after.png" -format "%[pixel:p{$((shape_x + 2)),$shape_y}]" info:)
outside=$(convert "$WORK/after.png" -format "%[pixel:p{$((shape_x - 1)),$shape_y}]" info:)
[ "$inside" = "$outside" ] || fail "$WM: the window lost its shape: $inside, desktop $outside"
echo "ok: $WM: always on top goes off and on, in _NET_WM_STATE"
pointer $AWAY

# Moved by another program: back in its corner at the next tick.
xdotool windowmove "$W" 300 200
wait_for 10 clock_at $OUT || fail "$WM: it did not return after being moved: $(clock_position)"
echo "ok: $WM: a window moved from outside returns to its corner"

# A panel reserving 40 rows at the bottom: the clock moves above it at once.
add_bottom_panel 1280 40 800
wait_for 10 clock_at "$(at $((WA_R - $(px 438))) $((760 - $(px 52))))" \
    || fail "$WM: not above the panel: $(clock_position)"
remove_panel
wait_for 10 clock_at $OUT || fail "$WM: not back at the edge once the panel went: $(clock_position)"
echo "ok: $WM: a panel's strut moves the clock above it and back"

stop_clock
[ "$(stored at)" = 1 ] && [ "$(stored ah)" = 1 ] && [ "$(stored hide)" = 0 ] \
    || fail "check marks not stored: at=$(stored at) ah=$(stored ah) hide=$(stored hide)"
echo "ok: $WM: check marks stored at exit"

# The options dialog opens with all of its frame in the work area, the title
# bar too, even where it is larger than the screen (at 200 % on 1280x800) and
# must shrink and scroll.
frame_in_work_area() {
    local id x y w h l r t b
    id=$(xwininfo -root -tree | grep '"Option"' | awk '{print $1}' | head -n1)
    [ -n "$id" ] || return 1
    read -r x y w h < <(xwininfo -id "$id" | awk '/Absolute upper-left X/{x=$NF} /Absolute upper-left Y/{y=$NF}
        /Width:/{w=$NF} /Height:/{h=$NF} END{print x, y, w, h}')
    read -r l r t b < <(xprop -id "$id" _NET_FRAME_EXTENTS | cut -d= -f2 | tr -d ',')
    [ -n "$b" ] || return 1 # not framed yet
    FRAME="$((w + l + r))x$((h + t + b))+$((x - l))+$((y - t))"
    [ $((x - l)) -ge $WA_X ] && [ $((y - t)) -ge $WA_Y ] \
        && [ $((x + w + r)) -le $WA_R ] && [ $((y + h + b)) -le $WA_B ]
}
start_clock start=2.15 smode=3 ah=0
"$VESPERA" --options || fail "$WM: vespera --options was refused"
wait_for 20 shown_window Option >/dev/null || fail "$WM: no options dialog"
wait_for 10 frame_in_work_area \
    || fail "$WM: the options dialog's frame $FRAME leaves the work area ${WA_W}x${WA_H}+$WA_X+$WA_Y"
echo "ok: $WM: the options dialog's frame, title bar and all, is in the work area"
stop_clock
