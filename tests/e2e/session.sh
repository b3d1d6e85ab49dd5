# Shared by every end-to-end script: a work folder, polling, and cleanup of
# every process the script started. Source it.
set -u
# The whole script on a session bus of its own, which ends with it. Programs
# on an X display with no session bus start one of their own (and an
# accessibility bus with it) that would outlive the test.
if [ -z "${E2E_OWN_BUS:-}" ]; then
    command -v dbus-run-session >/dev/null || { echo "FAIL: dbus-run-session is not installed"; exit 1; }
    E2E_OWN_BUS=1 exec dbus-run-session -- bash "$0" "$@"
fi
# The programs speak Japanese unless the environment asks for English: no
# test inherits a wish for English from the shell that runs it. UTF-8, so
# the tools print the windows' Japanese titles as they are.
unset LANGUAGE LC_MESSAGES
export LC_ALL=C.UTF-8
WORK=$(mktemp -d)
PIDS=()
GROUPS_STARTED=() # process groups: a program with helpers it starts (a session bus and what it activates)
cleanup() {
    for g in "${GROUPS_STARTED[@]}"; do kill -- "-$g" 2>/dev/null; done
    for p in "${PIDS[@]}"; do kill "$p" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

# Polls a command until it succeeds, for at most $1 seconds.
wait_for() {
    local limit=$1; shift
    local end=$((SECONDS + limit))
    until "$@"; do
        [ $SECONDS -ge $end ] && return 1
        sleep 0.2
    done
}

need() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null || fail "$tool is not installed"
    done
}

# Waits until a process has ended.
wait_gone() { wait_for "${2:-30}" sh -c "! kill -0 $1 2>/dev/null"; }
