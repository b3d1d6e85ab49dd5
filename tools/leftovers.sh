#!/bin/bash
# leftovers.sh MARK: fails, naming them, when processes whose environment
# holds VESPERA_TEST_RUN=MARK are still running 15 s from now (a process
# that is ending gets that long). The tests' runner gives every process
# they start that mark.
set -u
marked() {
    grep -lzxF "VESPERA_TEST_RUN=$1" /proc/[0-9]*/environ 2>/dev/null \
        | sed 's|^/proc/||; s|/environ$||' | grep -vx "$$"
}
end=$((SECONDS + 15))
while left=$(marked "$1"); do
    if [ $SECONDS -ge $end ]; then
        echo "FAIL: processes started by the tests outlived them:" >&2
        for pid in $left; do
            echo "  $(ps -o pid=,etime=,args= -p "$pid" 2>/dev/null)" >&2
        done
        exit 1
    fi
    sleep 0.5
done
exit 0
