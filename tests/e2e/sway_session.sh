# Shared by the end-to-end scripts under sway (wlroots) on Wayland: a
# headless sway with its Xwayland, DISPLAY set for the X tools and the
# clock, and sway's own pointer for the checks.
# Source it; then call start_sway_session [WIDTHxHEIGHT]. Where sway cannot
# run, the script ends with 77, the code for a skipped test.
#
# What sway 1.7 does with X11 windows, unlike an X11 window manager:
# - It manages every window that is not override-redirect: fixed-size ones
#   (and dialogs, utilities, toolbars, splashes) float in the middle of the
#   screen, the rest are tiled. Positions asked for, at mapping or later by
#   a configure request, are not honoured; a later one even puts a window
#   that a user's for_window rule had placed back in the middle.
# - _NET_WM_STATE is rewritten with the few states it knows: ABOVE,
#   SKIP_TASKBAR and SKIP_PAGER are dropped. There is no _NET_WORKAREA.
# - An override-redirect window goes exactly where it is put and is drawn
#   above all managed windows; X11 itself picks the window under the pointer
#   by its own stacking, so such a window has to raise itself in X11 too.
# - xdotool (XTest) moves only Xwayland's idea of the pointer;
#   compositor_move moves sway's own, as a mouse would.
. "$(dirname "${BASH_SOURCE[0]}")/compositor_session.sh"

# sway refuses to run as root; a root test runs it as this user.
SWAY_USER=vesperawlr

start_sway_session() {
    local size=${1:-1280x800}
    command -v sway >/dev/null || skip "sway is not installed"
    command -v Xwayland >/dev/null || skip "Xwayland is not installed"
    need runuser xhost xwininfo xprop swaymsg
    local user me s=$WORK/sway
    me=$(id -un)
    user=$me
    if [ "$(id -u)" = 0 ]; then
        user=$SWAY_USER
        id "$user" >/dev/null 2>&1 \
            || useradd --system --no-create-home --shell /usr/sbin/nologin "$user" \
            || skip "cannot add the user $user to run sway"
        # Its user has to reach its own folder inside ours.
        chmod 711 "$WORK"
    fi
    mkdir -p "$s/run" && chmod 700 "$s/run"
    # sway starts this once Xwayland is up: it lets the test's user in to
    # Xwayland and hands back where everything is.
    cat >"$s/ready" <<EOF
#!/bin/sh
# sway may run this a moment before Xwayland answers.
tries=0
until xhost >/dev/null 2>&1; do
    tries=\$((tries + 1))
    [ \$tries -gt 300 ] && exit 1
    sleep 0.1
done
[ "$user" = "$me" ] || xhost +SI:localuser:$me >/dev/null
printf '%s\n%s\n%s\n' "\$DISPLAY" "\$WAYLAND_DISPLAY" "\$SWAYSOCK" >"$s/where.tmp"
mv "$s/where.tmp" "$s/where"
EOF
    chmod 755 "$s/ready"
    # "xwayland force" starts Xwayland at once, not on the first X client,
    # so that DISPLAY is known before anything runs.
    cat >"$s/config" <<EOF
xwayland force
output HEADLESS-1 resolution $size position 0 0
exec $s/ready
EOF
    chown -R "$user" "$s"
    # No input devices at all: the only pointer is the one compositor_move
    # makes. The pixman renderer needs no GPU and little of the CPU.
    local run=(env -i HOME="$s" PATH=/usr/bin:/bin USER="$user" XDG_RUNTIME_DIR="$s/run"
        WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman
        sh -c 'echo $$ >"$XDG_RUNTIME_DIR/../sway.pid"; exec sway -c "$XDG_RUNTIME_DIR/../config"')
    if [ "$user" = "$me" ]; then
        "${run[@]}" >"$WORK/sway.log" 2>&1 &
    else
        runuser -u "$user" -- "${run[@]}" >"$WORK/sway.log" 2>&1 &
    fi
    local session=$!
    wait_for 30 test -s "$s/sway.pid" || skip "sway did not start: $(tail -n 5 "$WORK/sway.log")"
    PIDS+=("$(cat "$s/sway.pid")" "$session")
    wait_for 60 test -s "$s/where" || skip "sway's Xwayland did not come up: $(tail -n 5 "$WORK/sway.log")"
    export DISPLAY SWAYSOCK
    DISPLAY=$(sed -n 1p "$s/where")
    COMPOSITOR_SOCKET=$(sed -n 2p "$s/where")
    SWAYSOCK=$(sed -n 3p "$s/where")
    COMPOSITOR_RUNTIME=$s/run
    SWAY_SIZE=$size
    wait_for 30 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' \
        || fail "sway did not take up its place as X11 window manager"

    # The clock is an X11 program: it must not see the Wayland socket.
    export XDG_CONFIG_HOME=$WORK/config XDG_RUNTIME_DIR=$WORK/run LC_ALL=C.UTF-8
    mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
    unset QT_QPA_PLATFORM WAYLAND_DISPLAY XAUTHORITY
}

# sway's own pointer, through the wlroots virtual pointer.
sway_pointer_start() { compositor_pointer_start wlr "$SWAY_SIZE"; }

# What sway shows, the whole screen, as a PNG (grim, through wlroots'
# screencopy).
sway_screenshot() {
    need grim
    XDG_RUNTIME_DIR=$COMPOSITOR_RUNTIME WAYLAND_DISPLAY=$COMPOSITOR_SOCKET grim "$1"
}
