#!/usr/bin/env bash
# End-to-end tests of zarn.exe under Wine on a virtual display, driven by real keystrokes.
#   end_to_end.sh ZARN.EXE ZARN-PROBE.EXE WINE-PREFIX WORK-FOLDER
# Starts its own Xvfb on a free display and its own Wine server, and stops both at the end.
# ZARN_SCREENSHOT, when set, names a copy of the screenshot of the window with a result (and
# ZARN_TIP_SCREENSHOT, ZARN_DARK_SCREENSHOT, ZARN_SCREENSHOT_144DPI, ZARN_GERMAN_TIP_SCREENSHOT,
# below, of others).
set -uo pipefail
# Wine reads the probe's arguments and writes its output in the locale's encoding: UTF-8.
export LC_ALL=C.UTF-8

zarn_exe="$(realpath "$1")"
probe_exe="$(realpath "$2")"
prefix="$3"
work="$(realpath -m "$4")"
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/wine-prefix.sh"
. "$here/virtual-display.sh"
. "$here/checks.sh"
. "$here/zarn-driver.sh"

trap 'stop_started; rm -rf "$work/run"' EXIT

# Watches zarn.exe's accessibility events from the probe, as a screen reader does, for 3 s:
# watch_events FILE starts it and waits until it is hooked; events_seen FILE KIND waits for its
# end, shows the events and sets `seen` to those of one kind. Both run in this shell, never in
# $(...): a subshell cannot wait for its parent's child.
watch_events() {
    wine "$probe_exe" events 3 >"$1" 2>/dev/null &
    events_pid=$!
    wait_until grep -q hooked "$1"
}
events_seen() {
    wait "$events_pid"
    tr -d '\r' <"$1" | grep -v '^hooked$' | sed 's/^/     event: /' >&2
    seen="$(tr -d '\r' <"$1" | grep "^$2 " | paste -sd '|')"
}

zarn_virtual_display || { echo "FAIL no virtual display"; exit 1; }
xvfb_pid=$zarn_xvfb_pid

zarn_test_fonts
zarn_wine_prefix "$prefix" x11
rm -rf "$work/run"
mkdir -p "$work/run/plain" "$work/run/unknown" "$work/run/bad" "$work/run/folder/zarn.ini" "$work/run/font" \
         "$work/run/wide"

# --- Typing into the line.
started=$(date +%s.%N)
start_zarn "$work/run/plain"
if ! wait_until main_window_shown; then
    fail "the window is shown"
    exit 1
fi
shown=$(date +%s.%N)
echo "     window shown after $(awk -v a="$started" -v b="$shown" 'BEGIN { printf "%.2f", b - a }') s"

press ZARN 1 space 2 plus
expect "typing 1 2+ gives 3" "2 2|3 " "$(probe line)"
# Undo and redo through every evaluation, key by key, each line checked with its caret.
history_step() {  # history_step EXPECTED-PROBE-LINE KEY...
    local expected="$1"
    shift
    press ZARN "$@"
    wait_until line_is "$expected"
    expect "$* gives [$expected]" "$expected" "$(probe line)"
}
history_step "3 3|12 " 4 asterisk
history_step "2 2|7 " 5 minus
for expected in "4 4|12 5" "3 3|12 " "3 3|3 4" "2 2|3 " "3 3|1 2" "0 0|" "0 0|"; do history_step "$expected" ctrl+z; done
for expected in "3 3|1 2" "2 2|3 " "3 3|3 4" "3 3|12 " "4 4|12 5" "2 2|7 "; do history_step "$expected" ctrl+y; done
history_step "3 3|7 8" 8
history_step "2 2|7 " ctrl+z
history_step "3 3|7 8" ctrl+y
history_step "3 3|15 " plus
history_step "3 3|7 8" ctrl+z
history_step "2 2|7 " ctrl+z
history_step "3 3|63 " 9 asterisk
history_step "3 3|63 " ctrl+y
# The keys the system turns into undo and redo otherwise: Alt+Backspace undoes once.
history_step "3 3|7 9" alt+BackSpace
history_step "3 3|63 " ctrl+shift+z
press ZARN shift+BackSpace

# Each evaluation announces the new line once: the value change of the input line, an
# editable text (role 42), whose value is the line.
watch_events "$work/run/events-typing"
press ZARN 2 2 space 7 slash
events_seen "$work/run/events-typing" valuechange
expect "typing 22 7/ announces 22 and then (22/7) as the line's value" \
    "valuechange Edit role=42 name=[] value=[22 ]|valuechange Edit role=42 name=[] value=[(22/7) ]" "$seen"
press ZARN shift+BackSpace 2 space  # the line the next checks start from

# Minimised and restored from the keyboard, the window still takes typed keys.
press ZARN alt+space n
if wait_until iconic_is 1; then pass "Alt+Space N minimises the window"; else fail "Alt+Space N minimises the window"; fi
xdotool key --delay 20 alt+space r
if wait_until iconic_is 0; then pass "Alt+Space R restores it"; else fail "Alt+Space R restores it"; fi
xdotool type --delay 20 "3 4+"
wait_until line_is "4 4|2 7 "
expect "keys typed after minimise and restore reach the line" "4 4|2 7 " "$(probe line)"

probe settext "(1/4)"
press ZARN shift+Return
expect "Shift+Enter shows decimals" "5 5|0.25 " "$(probe line)"
press ZARN Return
expect "Enter shows fractions" "6 6|(1/4) " "$(probe line)"

mkdir -p "$work"
import -window "$(visible_window ZARN)" "$work/zarn-window.png" 2>/dev/null
[ -n "${ZARN_SCREENSHOT:-}" ] && cp "$work/zarn-window.png" "$ZARN_SCREENSHOT"

press ZARN shift+BackSpace
expect "Shift+Backspace empties the line" "0 0|" "$(probe line)"

# Wine on X types Backspace's 0x08 under Ctrl, not the DEL Windows types: the key itself counts.
probe settext "12 345"
press ZARN ctrl+BackSpace
wait_until line_is "3 3|12 "
expect "Ctrl+Backspace deletes the word before the caret" "3 3|12 " "$(probe line)"

probe settext "中 1 2"
press ZARN plus
expect "an operator after a double-byte character" "2 2|3 " "$(probe line)"

probe settext "é (1/0)"
press ZARN space
expect "a refused line stays as it was, characters beyond ASCII included" "8 8|é (1/0)" "$(probe line)"
if has_visible_window "Unhandled Exception"; then fail "a refused line shows no box"; else pass "a refused line shows no box"; fi

# Idle: the program waits for messages and uses no processor time.
ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
before=$(ticks "$zarn_pid")
sleep 5
idle=$(( $(ticks "$zarn_pid") - before ))
echo "     idle CPU over 5 s: $idle clock ticks of $(getconf CLK_TCK) per second"
if [ "$idle" -le 10 ]; then pass "idle CPU close to zero"; else fail "idle CPU: $idle ticks in 5 s"; fi

press ZARN Escape
exit_code_of "$zarn_pid"
expect "Escape ends the program with exit code 0" 0 "$exit_code"
zarn_pid=""

# --- The tip: a refused line stays as it was and a balloon tip below it names the token and
# why; the next key takes the tip away. The keys go on reaching the line while it shows.
# ZARN_TIP_SCREENSHOT, when set, names a copy of the screenshot of the window with its tip.
tip_is() { [ "$(probe tip)" = "$1" ]; }
no_tip() { probe tip >/dev/null; [ $? -eq 1 ]; }
mkdir -p "$work/run/tip"
# A white desktop behind the balloon's rounded corners and its stem, for the screenshot.
display -window root xc:white >/dev/null 2>&1
start_zarn "$work/run/tip"
if wait_until main_window_shown; then
    watch_events "$work/run/events-tip"
    xdotool windowfocus --sync "$(visible_window ZARN)" type --delay 20 "99999999999999999999 "
    too_large_number='"99999999999999999999" is too large or too precise to hold exactly'
    wait_until tip_is "$too_large_number"
    # The refusal changes no line and raises the alert of the tip, named with its message.
    events_seen "$work/run/events-tip" '\(alert\|valuechange\)'
    expect "a refused number raises the alert of its tip, and no value change" \
        "alert tooltips_class32 role=10 name=[$too_large_number] value=[]" "$seen"
    expect "a refused 20-digit number stays in the line" "20 20|99999999999999999999" "$(probe line)"
    expect "a tip names the number and why" "$too_large_number" "$(probe tip)"
    import -window root -crop "$(probe tiparea)" +repage "$work/zarn-tip.png" 2>/dev/null
    [ -n "${ZARN_TIP_SCREENSHOT:-}" ] && cp "$work/zarn-tip.png" "$ZARN_TIP_SCREENSHOT"
    press ZARN shift+BackSpace
    expect "Shift+Backspace empties the line while the tip shows" "0 0|" "$(probe line)"
    if no_tip; then pass "the next key takes the tip away"; else fail "the next key takes the tip away"; fi
    xdotool type --delay 20 "9223372036854775807 1+"
    too_large='"+" gives a result too large or too precise to hold exactly'
    wait_until tip_is "$too_large"
    expect "an overflowing + leaves the line" "21 21|9223372036854775807 1" "$(probe line)"
    expect "its tip names the operator and why" "$too_large" "$(probe tip)"
    # Where the control draws a token after emoji or right-to-left text, the tip points.
    for before in "😀😀😀😀😀😀😀😀😀😀 " "שלום עולם 12 "; do
        probe settext "$before(1/0)"
        press ZARN space
        wait_until tip_is '"(1/0)" has a zero denominator'
        offset="$(probe tipbeside "(1/0)")"
        if [ -n "$offset" ] && [ "$offset" -le 2 ]; then
            pass "the tip points at (1/0) after [$before]: $offset px from its middle"
        else
            fail "the tip points at (1/0) after [$before]: [$offset] px from its middle"
        fi
    done
    press ZARN Escape
    exit_code_of "$zarn_pid"
    expect "Escape with a tip shown ends the program with exit code 0" 0 "$exit_code"
else
    fail "the window for the tip is shown"
fi
zarn_pid=""

# --- Always on top: Alt+Space then T puts the window on top, again takes it away; the line keeps
# its text and the keys. zarn.ini's ontop = yes opens it so. (The check mark is tested in process.)
ontop_is() { [ "$(probe ontop)" = "$1" ]; }
mkdir -p "$work/run/ontop-yes"
printf 'ontop = yes\r\n' > "$work/run/ontop-yes/zarn.ini"
if opened "$work/run/plain" "the window for Alt+Space T is shown"; then
    press ZARN 1 space 2
    expect "a new window is not on top" 0 "$(probe ontop)"
    for expected in 1 0; do
        press ZARN alt+space t
        wait_until ontop_is "$expected"
        expect "Alt+Space T: on top [$expected]" "$expected" "$(probe ontop)"
    done
    press ZARN plus
    expect "the line kept its text and the keys after Alt+Space T" "2 2|3 " "$(probe line)"
    closed
fi
if opened "$work/run/ontop-yes" "the window with ontop = yes is shown"; then
    expect "ontop = yes opens the window on top" 1 "$(probe ontop)"
    closed
fi

# --- remember = yes: moved, widened and put on top, the window is closed and opens again just
# so, from zarn.state beside zarn.ini (written whole: no temporary file stays).
place_is() { [ "$(probe place)" = "$1" ]; }
mkdir -p "$work/run/place"
printf 'remember = yes\r\nhotkey = ctrl+alt+z\r\n' > "$work/run/place/zarn.ini"
if opened "$work/run/place" "the window with remember = yes is shown"; then
    echo "     place at the first start: $(probe place)"
    probe moveto 237 311 640
    wait_until place_is "237 311 640"
    press ZARN alt+space t
    wait_until ontop_is 1
    kept="$(probe place)"
    closed
    echo "     place before closing: $kept"
    expect "zarn.state is written beside zarn.ini, and nothing else" "zarn.ini zarn.state" \
        "$(ls "$work/run/place" | paste -sd ' ')"
fi
if opened "$work/run/place" "the window is shown again"; then
    echo "     place after starting again: $(probe place)"
    expect "the window opens where it was closed, as wide" "$kept" "$(probe place)"
    expect "and on top, as it was" 1 "$(probe ontop)"
    # The hotkey, pressed in another window (Wine hears keys only through a window of its own
    # with the X focus), brings ZARN forward with the keyboard on the line; pressed again, it
    # sends ZARN away and the other window has the focus back; a third time brings it back.
    foreground_is() { [ "$(probe foreground)" = "$1" ]; }
    wine "$probe_exe" window Other 30 >"$work/run/other" 2>/dev/null &
    other_pid=$!
    if wait_until has_visible_window Other; then
        xdotool windowfocus --sync "$(visible_window Other)"
        wait_until foreground_is Other
        xdotool key ctrl+alt+z
        wait_until foreground_is ZARN
        expect "ctrl+alt+z brings ZARN to the front from another window" ZARN "$(probe foreground)"
        xdotool type --delay 20 "1 2+"
        wait_until line_is "2 2|3 "
        expect "the keys then go to the line" "2 2|3 " "$(probe line)"
        xdotool key ctrl+alt+z
        wait_until iconic_is 1
        wait_until foreground_is Other
        expect "ctrl+alt+z in front minimises ZARN, the other window in front again" "1 Other" \
            "$(probe iconic) $(probe foreground)"
        xdotool key ctrl+alt+z
        wait_until foreground_is ZARN
        expect "ctrl+alt+z restores ZARN to the front" "0 ZARN" "$(probe iconic) $(probe foreground)"
    else
        fail "the other window is shown"
    fi
    kill "$other_pid" 2>/dev/null; wait "$other_pid" 2>/dev/null
    closed
fi
# A hotkey another program holds: a box says so, and ZARN runs without it.
wine "$probe_exe" window Holder 30 ctrl+alt+z >"$work/run/holder" 2>/dev/null &
holder_pid=$!
start_box() { start_zarn "$1"; wait_until has_visible_window ZARN; }
if wait_until grep -q held "$work/run/holder" && start_box "$work/run/place"; then
    expect "a hotkey in use gives a box naming it" \
        "owner=ZARN|Hotkey in use:||ctrl+alt+z||Another program holds this key; ZARN runs without it." \
        "$(probe box ZARN | paste -sd '|')"
    press ZARN Return
    if wait_until main_window_shown; then pass "ZARN runs after the box"; else fail "ZARN runs after the box"; fi
    closed
else
    fail "the box of a hotkey another program holds is shown"
fi
kill "$holder_pid" 2>/dev/null; wait "$holder_pid" 2>/dev/null

# --- The user's locale, which Wine takes from LC_ALL: in a German one the main keyboard's ","
# types "."; in en-US a column pasted with Ctrl+V keeps every value. The probes that wait for the
# window run in its locale too: Wine keeps the locale's settings in the prefix's registry, and a
# program starting in another locale rewrites them, maybe just as zarn.exe reads its separator.
if LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 opened "$work/run/plain" "the window in a German locale is shown"; then
    xdotool windowfocus --sync "$(visible_window ZARN)" type --delay 20 "1,5 2*"
    wait_until line_is "2 2|3 "
    expect "in a German locale, typing 1,5 2* gives 3" "2 2|3 " "$(probe line)"
    # A decimal copied with Ctrl+C has the comma; a number grouped as German writes it is pasted whole.
    press ZARN 2 slash shift+Return Home shift+End ctrl+c
    wait_until eval '[ "$(probe clipboard)" = "1,5 " ]'
    expect "in a German locale, Ctrl+C copies 3 2/ shown as decimals as" "1,5 |0 4|1.5 " \
        "$(probe clipboard)|$(probe line)"
    probe copy "1.234,5"
    press ZARN shift+BackSpace ctrl+v Return
    wait_until line_is "9 9|(2469/2) "
    expect "in a German locale, 1.234,5 pasted and evaluated" "9 9|(2469/2) " "$(probe line)"
    # Its display language too: the tip speaks German and names the number as typed.
    # ZARN_GERMAN_TIP_SCREENSHOT, when set, names a copy of the screenshot of the German tip.
    press ZARN shift+BackSpace
    xdotool type --delay 20 "99999999999999999999 "
    german='„99999999999999999999“ ist zu groß oder zu genau, um exakt gespeichert zu werden'
    wait_until tip_is "$german"
    expect "in a German locale, the tip is German and names the number" "$german" "$(probe tip)"
    import -window root -crop "$(probe tiparea)" +repage "$work/zarn-tip-de.png" 2>/dev/null
    [ -n "${ZARN_GERMAN_TIP_SCREENSHOT:-}" ] && cp "$work/zarn-tip-de.png" "$ZARN_GERMAN_TIP_SCREENSHOT"
    closed
fi
if LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 opened "$work/run/plain" "the window in en-US is shown"; then
    probe copy 10 20 30
    press ZARN ctrl+v
    wait_until line_is "8 8|10 20 30"
    expect "a column 10, 20, 30 (CR LF) pasted with Ctrl+V" "8 8|10 20 30" "$(probe line)"
    closed
fi

# --- theme = dark: the line is dark with light text from the first sight of it. Read in a
# screenshot's client area, below Wine's frame, which is as wide left, right and below: the
# background right of the text, and the text's light pixels (the caret has at most 40).
# ZARN_DARK_SCREENSHOT, when set, names a copy of the screenshot of the dark window.
mkdir -p "$work/run/dark"
printf 'theme = dark\r\n' > "$work/run/dark/zarn.ini"
if opened "$work/run/dark" "the window with theme = dark is shown"; then
    shot="$work/zarn-window-dark.png"
    press ZARN 2 2 space 7 slash shift+Return
    wait_until line_is "11 11|3.14285714 "
    import -window "$(visible_window ZARN)" "$shot" 2>/dev/null
    [ -n "${ZARN_DARK_SCREENSHOT:-}" ] && cp "$shot" "$ZARN_DARK_SCREENSHOT"
    expect "theme = dark paints the line #202020" "srgb(32,32,32)" "$(line_background "$shot")"
    crop_client "$shot"
    light="$(convert "$shot" "${client[@]}" -colorspace Gray -threshold 78% -format '%[fx:round(mean*w*h)]' info:)"
    expect "theme = dark writes light text: $light light pixels, more than 100" 1 "$(( ${light:-0} > 100 ))"
    closed
fi

# --- The keypad with a German layout: its decimal key (KP_Separator there, typing ",") types
# ".". Wine reads the layout when its server starts.
setxkbmap -display "$DISPLAY" de 2>/dev/null
wineserver -k 2>/dev/null; wineserver -w 2>/dev/null
zarn_wine_prefix "$prefix" x11
if opened "$work/run/plain" "the window with a German layout is shown"; then
    press ZARN 1 KP_Separator 5 space 2 KP_Multiply
    wait_until line_is "2 2|3 "
    expect "with a German layout, 1 keypad-decimal 5 2* gives 3" "2 2|3 " "$(probe line)"
    press ZARN comma
    expect "the main keyboard's comma stays a comma" "3 3|3 ," "$(probe line)"
    press ZARN BackSpace 4 KP_Add 6 KP_Subtract 8 KP_Divide 2 KP_Enter
    expect "the keypad's + - / and Enter evaluate as their twins do" "8 8|(1/8) 2 " "$(probe line)"
    closed
fi
setxkbmap -display "$DISPLAY" us 2>/dev/null
wineserver -k 2>/dev/null; wineserver -w 2>/dev/null
zarn_wine_prefix "$prefix" x11

# --- A zarn.ini with an unknown key: the warning box comes before the window.
printf 'font = Courier New\r\n[font]\r\n' > "$work/run/unknown/zarn.ini"
start_zarn "$work/run/unknown"
if wait_until has_visible_window ZARN; then
    expect "the warning box comes before the window is shown" 0 "$(probe visible)"
    expect "the warning box names the key, owned by the main window" \
        "owner=ZARN|Unknown key:||[font]" "$(probe box ZARN | paste -sd '|')"
    press ZARN Return
    if wait_until main_window_shown; then pass "the window is shown after the box"; else fail "the window is shown after the box"; fi
    press ZARN Escape
    exit_code_of "$zarn_pid"
    expect "exit code 0 after a warning" 0 "$exit_code"
else
    fail "the warning box is shown"
fi
zarn_pid=""

# --- Asked to close while the warning box is up (as taskkill without /f asks): once the box is
# closed the program ends, exit code 0, without showing its window.
mkdir -p "$work/run/close"
printf '[x]\r\n' > "$work/run/close/zarn.ini"
start_zarn "$work/run/close"
if wait_until has_visible_window ZARN; then
    probe close
    press ZARN Return
    exit_code_of "$zarn_pid"
    expect "a close asked for during the warning box ends the program with exit code 0" 0 "$exit_code"
else
    fail "the warning box before a close is shown"
fi
zarn_pid=""

# --- A quit message another program posts, with a code of its own, ends ZARN with exit code 0.
if opened "$work/run/plain" "the window for a posted quit message is shown"; then
    probe quit 7
    exit_code_of "$zarn_pid"
    expect "WM_QUIT with 7 from another program ends ZARN with exit code 0" 0 "$exit_code"
    zarn_pid=""
fi

# --- Refused zarn.ini values and an unreadable zarn.ini end in the last-resort box, exit code 0.
last_resort() {  # last_resort NAME FOLDER EXPECTED-TEXT-PREFIX
    start_zarn "$2"
    if wait_until has_visible_window "Unhandled Exception"; then
        local shown_text
        shown_text="$(probe box "Unhandled Exception" | paste -sd '|')"
        case "$shown_text" in
            "owner=none|$3"*) pass "$1: box with [$shown_text]" ;;
            *) fail "$1: box with [$shown_text]" ;;
        esac
        press "Unhandled Exception" Return
        exit_code_of "$zarn_pid"
        expect "$1: exit code 0" 0 "$exit_code"
    else
        fail "$1: the box is shown"
    fi
    zarn_pid=""
}
printf 'size = 1.5\n' > "$work/run/bad/zarn.ini"
last_resort "size = 1.5" "$work/run/bad" "conversion 1.5"
last_resort "zarn.ini is a folder" "$work/run/folder" "zarn.ini: "
mkdir -p "$work/run/ontop"
printf 'ontop = 中\n' > "$work/run/ontop/zarn.ini"
last_resort "a message beyond the code page" "$work/run/ontop" 'ontop: "中" is neither yes nor no'

# --- A face name beyond ASCII is the face asked for: Wine, told that "Grüne Mono" is DejaVu Sans
# Mono, draws the line in it, as wide as DejaVu Sans Mono and narrower than the fallback face.
fonts='HKCU\Software\Wine\Fonts\Replacements'
wine reg add "$fonts" /v "Grüne Mono" /d "DejaVu Sans Mono" /f </dev/null >/dev/null 2>&1
mkdir -p "$work/run/face"
printf 'font = Grüne Mono, 30\r\n' > "$work/run/face/zarn.ini"
if opened "$work/run/face" "the window with a face beyond ASCII is shown"; then
    monospace="$(probe width 'DejaVu Sans Mono' -40 MMMMMMMMMM)"
    if [ "$monospace" != "$(probe width 'No Such Face' -40 MMMMMMMMMM)" ]; then
        expect "a UTF-8 face name reaches the font" "$monospace" "$(probe drawnwidth MMMMMMMMMM)"
    else
        fail "the substitute face is told apart from the fallback"
    fi
    closed
fi
wine reg delete "$fonts" /v "Grüne Mono" /f </dev/null >/dev/null 2>&1

# --- Font and width from a zarn.ini saved as UTF-8 with a byte-order mark: no warning box, and
# the client area is the configured width and one "X" high.
printf '\xEF\xBB\xBFfont = Courier New, 30\r\nsize = 321\r\n' > "$work/run/font/zarn.ini"
start_zarn "$work/run/font"
if wait_until main_window_shown; then
    expect "a byte-order mark before the first key shows no box" 2 "$(probe box ZARN >/dev/null; echo $?)"
    expect "font and width from zarn.ini" "321 $(probe xheight 'Courier New' -40)" "$(probe client)"
    press ZARN Escape
    exit_code_of "$zarn_pid"
else
    fail "the window with zarn.ini's font is shown"
fi
zarn_pid=""

# --- The widest width there is: the window is as wide as the system lets it be.
printf 'size = 2147483647\r\n' > "$work/run/wide/zarn.ini"
start_zarn "$work/run/wide"
if wait_until main_window_shown; then
    expect "size = 2147483647 gives the widest client area" "$(probe widest)" "$(probe client | cut -d' ' -f1)"
    press ZARN Escape
    exit_code_of "$zarn_pid"
else
    fail "the window with the widest size is shown"
fi
zarn_pid=""

# --- At 144 dpi (150 %): the font is made for that resolution, the default 14 points a height
# of -28, and the window is one line of it high. Wine reads the resolution from the prefix's
# registry as a program starts; the value goes again afterwards, back to 96 dpi.
# ZARN_SCREENSHOT_144DPI, when set, names a copy of the screenshot of the window at 144 dpi.
desktop='HKCU\Control Panel\Desktop'
wine reg add "$desktop" /v LogPixels /t REG_DWORD /d 144 /f </dev/null >/dev/null 2>&1
start_zarn "$work/run/plain"
if wait_until main_window_shown; then
    # Fonts are the process's own, so the probe measures one of its own: an "X" of Century at
    # -28 is as high as the client area only if the window's font is that one.
    expect "at 144 dpi the client area is 500 wide and one X of Century at -28 high" \
        "500 $(probe xheight Century -28)" "$(probe client)"
    press ZARN 2 2 space 7 slash shift+Return
    expect "at 144 dpi typing 22 7/ and Shift+Enter gives decimals" "11 11|3.14285714 " "$(probe line)"
    import -window "$(visible_window ZARN)" "$work/zarn-window-144dpi.png" 2>/dev/null
    [ -n "${ZARN_SCREENSHOT_144DPI:-}" ] && cp "$work/zarn-window-144dpi.png" "$ZARN_SCREENSHOT_144DPI"
    press ZARN Escape
    exit_code_of "$zarn_pid"
    expect "at 144 dpi Escape ends the program with exit code 0" 0 "$exit_code"
else
    fail "the window at 144 dpi is shown"
fi
zarn_pid=""
wine reg delete "$desktop" /v LogPixels /f </dev/null >/dev/null 2>&1

# --- Faults inside the guarded entry: the box with the fault's name, exit code 0.
fault() {  # fault KIND MESSAGE
    (cd "$work/run" && exec wine "$probe_exe" fault "$1") </dev/null >/dev/null 2>&1 &
    zarn_pid=$!
    if wait_until has_visible_window "Unhandled Exception"; then
        expect "fault $1: box" "owner=none|$2" "$(probe box "Unhandled Exception" | paste -sd '|')"
        press "Unhandled Exception" Return
        exit_code_of "$zarn_pid"
        expect "fault $1: exit code 0" 0 "$exit_code"
    else
        fail "fault $1: the box is shown"
    fi
    zarn_pid=""
}
fault access "Access Violation"
fault divide "Integer Divide by Zero"
fault stack "Stack Overflow"
fault access-in-window "Access Violation"

echo "$failures failed"
[ "$failures" -eq 0 ]
