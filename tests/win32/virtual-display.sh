# Sourced by the scripts that drive zarn.exe: a virtual display of their own.
#   zarn_virtual_display   starts Xvfb on a free display number, exports DISPLAY and sets
#                          zarn_xvfb_pid; returns 1 when no display could be started.

zarn_virtual_display() {
    local display tries
    zarn_xvfb_pid=""
    for display in $(seq 90 190); do
        [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ] && continue
        Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
        zarn_xvfb_pid=$!
        export DISPLAY=":$display"
        for tries in $(seq 500); do   # at most 10 s
            xdpyinfo >/dev/null 2>&1 && return 0
            kill -0 "$zarn_xvfb_pid" 2>/dev/null || break
            sleep 0.02
        done
        kill "$zarn_xvfb_pid" 2>/dev/null
        zarn_xvfb_pid=""
    done
    return 1
}
