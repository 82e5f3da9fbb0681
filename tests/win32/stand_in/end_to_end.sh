#!/usr/bin/env bash
# zarn.exe where Windows 10 and 11 answer what Wine 8 cannot: the app mode through UISettings,
# the dark title bar, the annotations for screen readers and UI Automation's notifications, played
# by the stand-ins (windows_stand_in.cpp) in a Wine prefix of their own, on a virtual display.
#   end_to_end.sh ZARN.EXE ZARN-PROBE.EXE WINE-PREFIX WORK-FOLDER STAND-IN-DIR WINE-DLL-DIR
set -uo pipefail
export LC_ALL=C.UTF-8

zarn_exe="$(realpath "$1")"
probe_exe="$(realpath "$2")"
prefix="$3"
work="$(realpath -m "$4")"
here="$(cd "$(dirname "$0")/.." && pwd)"
. "$here/wine-prefix.sh"
. "$here/virtual-display.sh"
. "$here/checks.sh"
. "$here/zarn-driver.sh"
. "$here/stand_in/stand-in.sh"

trap 'stop_started; rm -rf "$work"' EXIT

zarn_virtual_display || { echo "FAIL no virtual display"; exit 1; }
xvfb_pid=$zarn_xvfb_pid
zarn_test_fonts
zarn_wine_prefix "$prefix" x11
zarn_stand_ins "$5" "$6"
rm -rf "$work"
mkdir -p "$work/auto" "$work/light"
printf 'theme = light\r\n' >"$work/light/zarn.ini"
export ZARN_STAND_IN_LOG="Z:$work/calls.log"
calls() { tr -d '\r' <"$work/calls.log" 2>/dev/null | grep "$@"; }
background() {
    import -window "$(visible_window ZARN)" "$work/shot.png" 2>/dev/null
    line_background "$work/shot.png"
}
dark='srgb(32,32,32)'
light='srgb(255,255,255)'

# --- theme = auto with Windows set to dark apps: a dark line and a dark title bar from the start.
zarn_app_mode dark
if opened "$work/auto" "the window under dark apps is shown"; then
    expect "theme = auto under dark apps paints the line #202020" "$dark" "$(background)"
    expect "the title bar is made dark before the window is shown" "DwmSetWindowAttribute ZARN 19 1" \
        "$(calls -m1 DwmSetWindowAttribute)"

    # A refusal: the tip's alert level is annotated and UI Automation told its words.
    press ZARN 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 9 space
    reason='"99999999999999999999" is too large or too precise to hold exactly'
    wait_until calls -q "^UiaRaiseNotificationEvent 3 "
    expect "the refusal is a UI Automation notification in the tip's words, processed \"all\"" \
        "UiaRaiseNotificationEvent 3 2 ZARN.Tip $reason" "$(calls "^UiaRaiseNotificationEvent 3 ")"
    expect "the tip's window is annotated as a high alert" "SetHwndProp tooltips_class32 state 268435456" \
        "$(calls "^SetHwndProp tooltips_class32")"

    # Windows switched to light apps while the window is open, its tip shown: both follow at once.
    zarn_app_mode light
    probe settingchange ImmersiveColorSet
    wait_until calls -q "DwmSetWindowAttribute ZARN 19 0"
    expect "a live switch to light apps repaints the line light" "$light" "$(background)"
    expect "and makes the title bar light" 1 "$(calls -c "DwmSetWindowAttribute ZARN 19 0")"
    import -window root -crop "$(probe tiparea)" +repage "$work/tip.png" 2>/dev/null
    read -r width height <<<"$(identify -format '%w %h' "$work/tip.png")"
    expect "and the tip shown, light below its text" "$light" \
        "$(convert "$work/tip.png" -format "%[pixel:p{$((width / 2)),$((height - 8))}]" info:)"
    # The next key takes the tip away, and its alert level with it.
    press ZARN BackSpace
    wait_until calls -q "^ClearHwndProps tooltips_class32"
    expect "the hidden tip's alert level is cleared" "ClearHwndProps tooltips_class32 state" \
        "$(calls "^ClearHwndProps tooltips_class32")"
    closed
    expect "it ends with exit code 0" 0 "$exit_code"
fi

# --- theme = light under dark apps: light, and Windows is not asked.
zarn_app_mode dark
: >"$work/calls.log"
if opened "$work/light" "the window with theme = light is shown"; then
    expect "theme = light under dark apps paints the line light" "$light" "$(background)"
    expect "and Windows is not asked for its app mode" "" "$(calls RoActivateInstance)"
    closed
fi

echo "$failures failed"
[ "$failures" -eq 0 ]
