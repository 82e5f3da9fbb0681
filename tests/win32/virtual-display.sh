# Sourced by the scripts that drive zarn.exe: a virtual display of their own.
#   zarn_virtual_display   starts Xvfb on a display number it finds free itself, exports DISPLAY
#                          and sets zarn_xvfb_pid; returns 1 when no display could be started.
# Xvfb takes the number (-displayfd) by creating its lock file, so tests that start at the same
# moment never share a display.

zarn_virtual_display() {
    local number_file tries
    zarn_xvfb_pid=""
    number_file="$(mktemp)"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
    zarn_xvfb_pid=$!
    for tries in $(seq 500); do   # at most 10 s
        if [ -s "$number_file" ]; then
            export DISPLAY=":$(tr -dc '0-9' <"$number_file")"
            rm -f "$number_file"
            xdpyinfo >/dev/null 2>&1 && return 0
            break
        fi
        kill -0 "$zarn_xvfb_pid" 2>/dev/null || break
        sleep 0.02
    done
    rm -f "$number_file"
    kill "$zarn_xvfb_pid" 2>/dev/null
    zarn_xvfb_pid=""
    return 1
}
