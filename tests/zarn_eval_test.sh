#!/usr/bin/env bash
# zarn-eval as a user runs it: output lines, messages on standard error, exit status.
set -u
tool=$1
failures=0
checks=0

# check NAME EXPECTED_STDOUT EXPECTED_STDERR -- command...
check() {
  local name=$1 out=$2 err=$3
  checks=$((checks + 1))
  shift 4
  local actual_out actual_err actual_status
  actual_out=$("$@" 2>/tmp/zarn-eval-test.$$; printf x)
  actual_status=${PIPESTATUS[0]}
  actual_out=${actual_out%x}
  actual_err=$(cat /tmp/zarn-eval-test.$$)
  rm -f /tmp/zarn-eval-test.$$
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

lines=$'1 2 +\n1 3 /\n(1/0)\n3 5 -\n'
check "standard input" $'3\n(1/3)\n\n(-2)\n' "zarn-eval: line 3: frac.parse" -- \
  bash -c 'printf "%s" "$1" | "$0"' "$tool" "$lines"
expect_status "standard input refused" 1 bash -c 'printf "%s" "$1" | "$0"' "$tool" "$lines"

check "overflow" $'\n' "zarn-eval: line 1: frac.overflow" -- \
  "$tool" '4611686018427387904 4611686018427387904 +'
expect_status "overflow" 1 "$tool" '4611686018427387904 4611686018427387904 +'

check "decimal" $'3.14285714\n(-0.5)\n' "" -- "$tool" -d '22 7 /' '1 2 - 2 /'
expect_status "decimal" 0 "$tool" --decimal '22 7 /'

check "cut keeps its space" $'1 \n' "" -- "$tool" '1 0 /'
check "line after options end" $'0\n' "" -- "$tool" -- '-d'
check "carriage return belongs to the line" $'3\n\n' "" -- \
  bash -c 'printf "1 2 +\r\n\r" | "$0"' "$tool"
check "last line without line feed" $'3\n7\n' "" -- bash -c 'printf "1 2 +\n7" | "$0"' "$tool"
check "no input, no output" "" "" -- bash -c '"$0" </dev/null' "$tool"

expect_status "unknown option" 2 "$tool" --frobnicate
expect_status "help" 0 "$tool" --help
"$tool" --help | grep -q 'usage: zarn-eval' || { echo "FAIL help text"; failures=$((failures + 1)); }

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
