#!/usr/bin/env bash
# The Windows download as a user gets it: made twice by tools/release, from two fresh build
# folders; then unpacked and run under Wine on a virtual display.
#   release_test.sh ZARN-PROBE.EXE WINE-PREFIX WORK-FOLDER STAND-IN-DIR STAND-IN-PREFIX WINE-DLL-DIR
# ZARN-PROBE.EXE, the prefixes and the stand-ins for Windows come from the windows preset's build
# (tools/test builds it first).
set -uo pipefail

here="$(cd "$(dirname "$0")" && pwd)"
root="$(dirname "$here")"
probe_exe="$(realpath "$1")"
prefix="$2"
work="$(realpath -m "$3")"
. "$here/win32/wine-prefix.sh"
. "$here/win32/virtual-display.sh"
. "$here/win32/checks.sh"

trap stop_started EXIT

check() {  # check NAME COMMAND...: passes when the command succeeds
    local name="$1"
    shift
    if "$@" >/dev/null 2>&1; then pass "$name"; else fail "$name"; fi
}

version="$(sed -n 's/^project(zarn VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")"
name="zarn-$version"
zip="$name-win64.zip"

# --- Made twice, from two fresh build folders: the same bytes.
rm -rf "$work"
mkdir -p "$work"
for run in first second; do
    if ! "$root/tools/release" "$work/$run" >"$work/$run.log" 2>&1; then
        cat "$work/$run.log"
        fail "tools/release ($run run)"
        exit 1
    fi
done
check "the two zips are the same bytes" cmp "$work/first/$zip" "$work/second/$zip"
check "the checksum file verifies" sh -c "cd '$work/first' && sha256sum -c --status '$zip.sha256'"
expect "the zip holds exactly the four files, both programs among them" \
    "$name/README.txt|$name/zarn-eval.exe|$name/zarn.exe|$name/zarn.ini.example" \
    "$(unzip -Z1 "$work/first/$zip" | sort | paste -sd '|')"

unzip -q "$work/first/$zip" -d "$work/unpacked"
folder="$work/unpacked/$name"
for text in README.txt zarn.ini.example; do
    expect "every line of $text ends in CR LF" 0 "$(grep -cv $'\r$' "$folder/$text")"
done

# The version from CMakeLists.txt, wherever a user or maintainer reads one.
check "README.txt names version $version" grep -qx $'ZARN '"$version"$'\r' "$folder/README.txt"
check "zarn.exe's version resource says $version" sh -c "strings -el '$folder/zarn.exe' | grep -qx '$version'"
check "zarn.exe's manifest says $version.0" grep -qaF "version=\"$version.0\"" "$folder/zarn.exe"
check "README.md names $zip" grep -q "$zip" "$root/README.md"
check "CHANGELOG.md has a section for $version" grep -q "^## \[$version\] - " "$root/CHANGELOG.md"

# --- The unpacked zarn-eval.exe: a console program that needs nothing beyond KERNEL32 and msvcrt.
expect "zarn-eval.exe imports only KERNEL32 and msvcrt" "KERNEL32.dll|msvcrt.dll" \
    "$(x86_64-w64-mingw32-objdump -p "$folder/zarn-eval.exe" | sed -n 's/^\s*DLL Name: //p' | sort | paste -sd '|')"

# --- The unpacked zarn.exe, started in its own folder with the example as its zarn.ini.
probe() { wine "$probe_exe" "$@" 2>/dev/null | tr -d '\r'; }
visible() { [ -n "$(xdotool search --onlyvisible --name "$1")" ]; }
main_window_shown() { probe line >/dev/null && visible '^ZARN$'; }
exited() { ! kill -0 "$1" 2>/dev/null || [ "$(ps -o stat= -p "$1" | cut -c1)" = Z ]; }

zarn_virtual_display || { fail "no virtual display"; exit 1; }
xvfb_pid=$zarn_xvfb_pid
zarn_test_fonts
zarn_wine_prefix "$prefix" x11

(cd "$folder" && wine ./zarn-eval.exe "22 7/") </dev/null >"$work/zarn-eval.out" 2>/dev/null
expect "the unpacked zarn-eval.exe evaluates 22 7/" $'(22/7)\r' "$(cat "$work/zarn-eval.out")"

cp "$folder/zarn.ini.example" "$folder/zarn.ini"
(cd "$folder" && exec wine ./zarn.exe) </dev/null >/dev/null 2>&1 &
zarn_pid=$!
# A box would come before the main window: look as soon as either is there.
wait_until visible '^(ZARN|Unhandled Exception)$'
boxes="$(probe box ZARN; probe box "Unhandled Exception")"
expect "no box comes before the window" "" "$boxes"
if [ -z "$boxes" ] && wait_until main_window_shown; then
    expect "the example's width is applied" \
        "$(sed -n 's/^size = //p' "$folder/zarn.ini.example" | tr -d '\r')" "$(probe client | cut -d' ' -f1)"
    window="$(xdotool search --onlyvisible --name '^ZARN$' | head -1)"
    xdotool windowfocus --sync "$window" type --delay 20 "1 2+"
    expect "typing 1 2+ gives 3" "3 " "$(probe line | cut -d'|' -f2-)"
    xdotool windowfocus --sync "$window" key Escape
    if wait_until exited "$zarn_pid"; then wait "$zarn_pid"; code=$?; else code=running; fi
    expect "Escape ends it with exit code 0" 0 "$code"
    zarn_pid=""
else
    fail "the unpacked zarn.exe shows its window"
fi

# --- The unpacked zarn.exe where Windows 10 and 11 answer what Wine cannot (the stand-ins).
if "$here/win32/stand_in/end_to_end.sh" "$folder/zarn.exe" "$probe_exe" "$5" "$work/stand-in" "$4" "$6"; then
    pass "the unpacked zarn.exe under the stand-ins for Windows"
else
    fail "the unpacked zarn.exe under the stand-ins for Windows"
fi

echo "$failures failed"
[ "$failures" -eq 0 ]
