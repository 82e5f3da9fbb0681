# Sourced by the scripts that drive zarn.exe: their checks and their wait.
#   pass NAME, fail NAME, expect NAME EXPECTED ACTUAL; `failures` counts the failed ones.
#   wait_until COMMAND...   polls every 20 ms, for at most 10 s, until the command succeeds.

failures=0

pass() { echo "ok   $1"; }
fail() { echo "FAIL $1"; failures=$((failures + 1)); }
expect() {
    if [ "$2" = "$3" ]; then pass "$1"; else fail "$1: expected [$2], got [$3]"; fi
}

wait_until() {
    local tries=500
    until "$@" >/dev/null 2>&1; do
        tries=$((tries - 1))
        [ "$tries" -le 0 ] && return 1
        sleep 0.02
    done
}
