# Sourced by the scripts that drive zarn.exe: their checks, their wait and their clean-up.
#   pass NAME, fail NAME, expect NAME EXPECTED ACTUAL; `failures` counts the failed ones.
#   wait_until COMMAND...   polls every 20 ms, for at most 10 s, until the command succeeds.
#   stop_started            stops what the script started: zarn_pid, the Wine server, xvfb_pid.

failures=0
xvfb_pid=""
zarn_pid=""

pass() { echo "ok   $1"; }
fail() { echo "FAIL $1"; failures=$((failures + 1)); }
expect() {
    if [ "$2" = "$3" ]; then pass "$1"; else fail "$1: expected [$2], got [$3]"; fi
}

wait_until() {
    local deadline=$((SECONDS + 10))
    until "$@" >/dev/null 2>&1; do
        [ "$SECONDS" -ge "$deadline" ] && return 1
        sleep 0.02
    done
}

stop_started() {
    [ -n "$zarn_pid" ] && kill "$zarn_pid" 2>/dev/null
    [ -n "${WINEPREFIX:-}" ] && { wineserver -k 2>/dev/null; wineserver -w 2>/dev/null; }
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    return 0
}
