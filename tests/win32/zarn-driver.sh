# Sourced by the scripts that drive zarn.exe ($zarn_exe) with the probe ($probe_exe) beside it:
# reading it, starting it, typing into it and closing it.

# A probe that asks a window which no longer answers (a hung or crashing zarn.exe) gives up.
probe() { timeout 5 wine "$probe_exe" "$@" 2>/dev/null | tr -d '\r'; }
visible_window() { xdotool search --onlyvisible --name "^$1\$" | head -1; }
has_visible_window() { [ -n "$(visible_window "$1")" ]; }
main_window_shown() { probe line >/dev/null && has_visible_window ZARN; }
line_is() { [ "$(probe line)" = "$1" ]; }
iconic_is() { [ "$(probe iconic)" = "$1" ]; }

# Waits at most 10 s for the process to end and sets exit_code to its exit code, or "running".
# Runs in this shell, never in $(...): a subshell cannot wait for its parent's child and may
# see a status it does not have.
exit_code_of() {
    local pid="$1" tries=500
    while kill -0 "$pid" 2>/dev/null && [ "$(ps -o stat= -p "$pid" | cut -c1)" != Z ]; do
        tries=$((tries - 1))
        if [ "$tries" -le 0 ]; then exit_code=running; return; fi
        sleep 0.02
    done
    wait "$pid"
    exit_code=$?
}

# Starts zarn.exe in folder $1 (where its zarn.ini is).
start_zarn() {
    (cd "$1" && exec wine "$zarn_exe") </dev/null >/dev/null 2>&1 &
    zarn_pid=$!
}

# opened FOLDER WHAT starts zarn.exe in FOLDER and waits for its window, else fails WHAT;
# closed presses Escape and waits for its exit code.
opened() {
    start_zarn "$1"
    wait_until main_window_shown && return 0
    fail "$2"
    zarn_pid=""
    return 1
}
closed() {
    press ZARN Escape
    exit_code_of "$zarn_pid"
    zarn_pid=""
}

press() {  # press WINDOW-TITLE KEY...
    local window
    window="$(visible_window "$1")"
    shift
    xdotool windowfocus --sync "$window" key --delay 20 "$@"
}

# crop_client SHOT sets `client` to the crop arguments of ZARN's client area in SHOT, a screenshot
# of its window (Wine's frame is as wide left, right and below), and client_width, client_height
# to its size; line_background SHOT prints the colour right of the text in the line.
crop_client() {
    local border
    read -r client_width client_height <<<"$(probe client)"
    border=$(( ($(identify -format %w "$1") - client_width) / 2 ))
    client=(-crop "${client_width}x$client_height+$border+$(( $(identify -format %h "$1") - border - client_height ))"
            +repage)
}

line_background() {
    crop_client "$1"
    convert "$1" "${client[@]}" -format "%[pixel:p{$((client_width - 5)),$((client_height / 2))}]" info:
}
