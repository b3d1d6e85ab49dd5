# Shared by the scripts that run a Wayland compositor headless with Xwayland
# (kwin_session.sh, sway_session.sh): skipping where it cannot run, the
# window manager's name as X11 programs see it, and the compositor's own
# pointer. Source it; the session sets COMPOSITOR_RUNTIME and
# COMPOSITOR_SOCKET, where its Wayland socket is.
. "$(dirname "${BASH_SOURCE[0]}")/x11_session.sh"

skip() {
    echo "SKIP: $*"
    exit 77
}

# The name the window manager gives itself to X11 programs.
x11_wm_name() {
    local check
    check=$(xprop -root _NET_SUPPORTING_WM_CHECK | awk '{print $NF}')
    xprop -id "$check" _NET_WM_NAME | cut -d'"' -f2
}

# Moves the compositor's own pointer through wayland_pointer.py, which is
# given these arguments ("kwin", or "wlr WxH").
compositor_pointer_start() {
    local line
    coproc COMPOSITOR_POINTER {
        XDG_RUNTIME_DIR=$COMPOSITOR_RUNTIME WAYLAND_DISPLAY=$COMPOSITOR_SOCKET \
            exec /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/wayland_pointer.py" "$@"
    }
    PIDS+=("$COMPOSITOR_POINTER_PID")
    read -r -t 30 line <&"${COMPOSITOR_POINTER[0]}" && [ "$line" = ready ] \
        || fail "no pointer of the compositor's to move"
}
compositor_command() {
    local line
    echo "$*" >&"${COMPOSITOR_POINTER[1]}"
    read -r -t 30 line <&"${COMPOSITOR_POINTER[0]}" && [ "$line" = ok ]
}
compositor_move() { compositor_command move "$1" "$2"; }
compositor_click() { compositor_command click "${1:-272}"; }
