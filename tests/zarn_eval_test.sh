#!/usr/bin/env bash
# zarn-eval as a user runs it: output lines, messages on standard error, exit status.
#   zarn_eval_test.sh TOOL                 the native tool
#   zarn_eval_test.sh --crlf COMMAND...    the tool COMMAND runs (zarn-eval.exe through Wine): the
#                                          same table, its output lines ending in CR LF
set -u
ini=$(mktemp -d)
trap 'rm -rf "$ini"' EXIT
line_end=$'\n'
program=zarn-eval
if [ "$1" = --crlf ]; then
  shift
  line_end=$'\r\n'
  program=zarn-eval.exe
  printf '#!/bin/sh\nexec %s "$@"\n' "$(printf '%q ' "$@")" >"$ini/run-tool"
  chmod +x "$ini/run-tool"
  set -- "$ini/run-tool"
fi
tool=$1
failures=0
checks=0

# check NAME EXPECTED_STDOUT EXPECTED_STDERR -- command...
# Standard error is given without its last line end. Both are compared byte for byte, each LF of
# the expected text as the tool's line end. Output goes to files: a pipe could be held open by
# services that a Windows program under Wine starts.
check() {
  local name=$1 out=$2 err=$3
  checks=$((checks + 1))
  shift 4
  "$@" >"$ini/out" 2>"$ini/err"
  local actual_out actual_err
  actual_out=$(cat "$ini/out"; printf x)
  actual_out=${actual_out%x}
  actual_err=$(cat "$ini/err"; printf x)
  actual_err=${actual_err%x}
  [ -z "$err" ] || err+=$'\n'
  out=${out//$'\n'/$line_end}
  err=${err//$'\n'/$line_end}
  if [ "$actual_out" != "$out" ] || [ "$actual_err" != "$err" ]; then
    printf 'FAIL %s\n  stdout: %q (expected %q)\n  stderr: %q (expected %q)\n' \
      "$name" "$actual_out" "$out" "$actual_err" "$err"
    failures=$((failures + 1))
  fi
}

# Exit status is checked separately: $(...) hides it.
status_of() { "$@" >/dev/null 2>&1; echo $?; }
expect_status() {
  local name=$1 expected=$2; shift 2
  checks=$((checks + 1))
  local actual; actual=$(status_of "$@")
  [ "$actual" = "$expected" ] || { echo "FAIL $name: exit $actual, expected $expected"; failures=$((failures + 1)); }
}

# A result that cannot be written is a failure, not a success.
expect_status "output to a full disk" 3 bash -c '"$0" "1 2 +" >/dev/full' "$tool"

lines=$'1 2 +\n1 3 /\n(1/0)\n3 5 -\n'
check "standard input" $'3\n(1/3)\n\n(-2)\n' \
  "zarn-eval: line 3, column 1: (1/0): has a zero denominator (frac.parse)" -- \
  bash -c 'printf "%s" "$1" | "$0"' "$tool" "$lines"
expect_status "standard input refused" 1 bash -c 'printf "%s" "$1" | "$0"' "$tool" "$lines"

# A refusal names the line, the byte column of the token as given (blanks before it count), the
# token as written, why, and the exception's identifier.
too_large="is too large or too precise to hold exactly (frac.parse)"
result_too_large="gives a result too large or too precise to hold exactly (frac.overflow)"
check "overflow" $'\n' "zarn-eval: line 1, column 41: +: $result_too_large" -- \
  "$tool" '4611686018427387904 4611686018427387904 +'
expect_status "overflow" 1 "$tool" '4611686018427387904 4611686018427387904 +'
check "columns of refused tokens" $'3\n\n\n' \
  "zarn-eval: line 2, column 5: (5/00): has a zero denominator (frac.parse)
zarn-eval: line 3, column 4: 9223372036854775808: $too_large" -- \
  "$tool" '1 2 +' $'  1 (5/00) +' $'\t1 9223372036854775808'
check "columns count the bytes of UTF-8" $'\n' "zarn-eval: line 1, column 8: (1/0): has a zero denominator (frac.parse)" -- \
  "$tool" '日本 (1/0)'

check "decimal" $'3.14285714\n(-0.5)\n' "" -- "$tool" -d '22 7 /' '1 2 - 2 /'
expect_status "decimal" 0 "$tool" --decimal '22 7 /'

check "cut keeps its space" $'1 \n' "" -- "$tool" '1 0 /'

# Options stand anywhere; after -- every argument is a line; "-" then no letter is a line.
check "option after the line" $'0.33333333\n' "" -- "$tool" '1 3 /' -d
check "line after options end" $'0.33333333\n0\n' "" -- "$tool" -d -- '1 3 /' '-d'
check "lines that begin with a minus" $'(-5)\n0\n0 3\n0 3\n' "" -- "$tool" '5 -' - '- 3' '-3'
try_help="Try 'zarn-eval --help' for more information."
check "unknown option" "" "zarn-eval: unrecognized option '--frobnicate'
$try_help" -- "$tool" '1 2 +' --frobnicate
check "option without its value" "" "zarn-eval: option '--settings' requires an argument
$try_help" -- "$tool" --settings
check "value for an option that takes none" "" "zarn-eval: option '--decimal' doesn't allow an argument
$try_help" -- "$tool" --decimal=yes
version=$(sed -n 's/^project(zarn VERSION \([0-9.]*\).*/\1/p' "$(dirname "$0")/../CMakeLists.txt")
check "version" "zarn-eval $version
" "" -- "$tool" '1 2 +' --version
# Lines in CR LF, a CR elsewhere: the tool reads a line's bytes alone, whatever it takes for its end.
check "carriage returns" $'3\n\n\n' "zarn-eval: line 2, column 2: (1/0): has a zero denominator (frac.parse)" -- \
  bash -c 'printf "1 2 +\r\n\r(1/0)\r\n\r" | "$0"' "$tool"
check "last line without line feed" $'3\n7\n' "" -- bash -c 'printf "1 2 +\n7" | "$0"' "$tool"
check "no input, no output" "" "" -- bash -c '"$0" </dev/null' "$tool"

expect_status "unknown option" 2 "$tool" --frobnicate
expect_status "unknown short option" 2 "$tool" -x
expect_status "help" 0 "$tool" --help
"$tool" --help >"$ini/help"
grep -q "^usage: $program \\[OPTION\\]" "$ini/help" || { echo "FAIL help text names $program"; failures=$((failures + 1)); }

# --settings: a zarn.ini read as the window reads it.
printf 'font = Courier New, 12\nsize = -100\n[font]\n' >"$ini/z.ini"
check "settings" $'face: Courier New\nheight: -16\nwidth: -100\nwarning: [font]\n' "" -- \
  "$tool" --settings "$ini/z.ini"
expect_status "settings" 0 "$tool" --settings "$ini/z.ini"
check "settings at 120 dpi" $'face: Courier New\nheight: -20\nwidth: -100\nwarning: [font]\n' "" -- \
  "$tool" --dpi=120 --settings="$ini/z.ini"
check "missing settings file gives the defaults" $'face: Century\nheight: -28\nwidth: 500\n' "" -- \
  "$tool" --dpi 144 --settings "$ini/missing.ini"
printf 'Colour=red\r\n\r\nFONT=Arial\r\n' >"$ini/warn.ini"
check "empty key warns with an empty key" $'face: Arial\nheight: -18\nwidth: 500\nwarning: colour\nwarning: \n' "" -- \
  "$tool" --settings "$ini/warn.ini"
# The face the window asks for (31 UTF-16 units, never half a character), and keys in full.
printf 'font = %s\xf0\x9f\x98\x80\nfo\0nt\t1 = 12\n' "$(printf '%030d' 0)" >"$ini/cut.ini"
check "face cut, key shown whole" "face: $(printf '%030d' 0)
height: -18
width: 500
warning: fo␀nt␉1
" "" -- "$tool" --settings "$ini/cut.ini"
# A file name, a face and a key beyond ASCII, as they are.
printf 'font = Ménlo 日本\nschlüssel = 1\n' >"$ini/zarn-ä日.ini"
check "settings beyond ASCII" $'face: Ménlo 日本\nheight: -18\nwidth: 500\nwarning: schlüssel\n' "" -- \
  "$tool" --settings "$ini/zarn-ä日.ini"
# The same at a terminal (under Wine, a console): every character shows, whatever the code page.
script -qec "$(printf '%q ' "$tool" --settings "$ini/zarn-ä日.ini")" /dev/null </dev/null >"$ini/terminal" 2>&1
checks=$((checks + 1))
[ "$(sed 's/\x1b\[1C/ /g; s/\x1b\[[0-9;?]*[a-zA-Z]//g' "$ini/terminal" | tr -d '\r')" = $'face: Ménlo 日本\nheight: -18\nwidth: 500\nwarning: schlüssel' ] ||
  { echo "FAIL settings beyond ASCII at a terminal: $(cat -v "$ini/terminal")"; failures=$((failures + 1)); }
# ontop: printed after the width when the file turns it on, and a value that is no choice refused.
printf 'ontop = no\r\nOnTop = YES \r\n[x]\r\n' >"$ini/ontop.ini"
check "on top" $'face: Century\nheight: -18\nwidth: 500\nontop: yes\nwarning: [x]\n' "" -- \
  "$tool" --settings "$ini/ontop.ini"
printf 'ontop = yes\nontop = maybe\n' >"$ini/maybe.ini"
check "ontop neither yes nor no" "" 'zarn-eval: ontop: "maybe" is neither yes nor no' -- \
  "$tool" --settings "$ini/maybe.ini"
expect_status "ontop neither yes nor no" 1 "$tool" --settings "$ini/maybe.ini"
# theme: printed after ontop when the file names light or dark, nothing for auto (a refused value
# is printed as ontop's is). One row per file: its lines, standard output, standard error.
while IFS='|' read -r name lines out err; do
  printf "$lines" >"$ini/theme.ini"
  printf -v out "$out"
  check "theme: $name" "$out" "$err" -- "$tool" --settings "$ini/theme.ini"
done <<'ROWS'
dark after on top|ontop = yes\r\nTheme = DARK \r\n[x]\r\n|face: Century\nheight: -18\nwidth: 500\nontop: yes\ntheme: dark\nwarning: [x]\n|
light, the last line winning|theme = dark\ntheme = light\n|face: Century\nheight: -18\nwidth: 500\ntheme: light\n|
auto prints nothing new|theme = auto\nlanguage = Auto\n|face: Century\nheight: -18\nwidth: 500\n|
then remember and the hotkey, written in one form|hotkey = Shift + CTRL+Z\nremember = yes\ntheme = dark\n|face: Century\nheight: -18\nwidth: 500\ntheme: dark\nremember: yes\nhotkey: ctrl+shift+z\n|
the tag of the texts chosen|language = pt-PT\ntheme = dark\n|face: Century\nheight: -18\nwidth: 500\ntheme: dark\nlanguage: pt-BR\n|
a language without texts|language = nl||zarn-eval: language: "nl" is neither auto nor a language ZARN has texts for (en, de, fr, es, it, pt-BR, ru, pl, tr, ja, zh-CN, ko)
ROWS
# copy: printed last, and only when the file says line.
printf 'copy = locale\nCopy = LINE \n' >"$ini/copy.ini"
check "copy line" $'face: Century\nheight: -18\nwidth: 500\ncopy: line\n' "" -- "$tool" --settings "$ini/copy.ini"
printf 'copy = line\ncopy = locale\n' >"$ini/copy.ini"
check "copy locale" $'face: Century\nheight: -18\nwidth: 500\n' "" -- "$tool" --settings "$ini/copy.ini"
printf '[x]\nsize = 1.5\n' >"$ini/bad.ini"
check "refused size" "" "zarn-eval: conversion 1.5" -- "$tool" --settings "$ini/bad.ini"
expect_status "refused size" 1 "$tool" --settings "$ini/bad.ini"
printf 'size = 99999999999\n' >"$ini/big.ini"
check "overflowing size" "" "zarn-eval: Error: overflow 99999999999" -- "$tool" --settings "$ini/big.ini"
printf 'font = 12l\n' >"$ini/font.ini"
check "refused font size" "" "zarn-eval: conversion 12l not representable as a double" -- \
  "$tool" --settings "$ini/font.ini"
printf 'font = Caf\xe9\n' >"$ini/latin1.ini"
check "invalid UTF-8" "" 'zarn-eval: invalid UTF-8 at byte 3 of "Caf\xE9"' -- "$tool" --settings "$ini/latin1.ini"
expect_status "invalid UTF-8" 1 "$tool" --settings "$ini/latin1.ini"
expect_status "unreadable settings file" 1 "$tool" --settings "$ini"
expect_status "settings without a file" 2 "$tool" --settings
expect_status "dpi without settings" 2 "$tool" --dpi 96 '1 2 +'
expect_status "dpi not a number" 2 "$tool" --settings "$ini/z.ini" --dpi 9x6
expect_status "dpi zero" 2 "$tool" --settings "$ini/z.ini" --dpi 0
expect_status "settings with a line" 2 "$tool" --settings "$ini/z.ini" '1 2 +'

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
