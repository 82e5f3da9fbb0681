#!/usr/bin/env bash
# Fails when machine code calls or jumps to a weak symbol that nothing defines, such as
# __cxa_pure_virtual where GCC has compiled a virtual call into "the pure virtual body": on Windows
# such a call lands at an invalid address.
#   no_calls_to_undefined_weak.sh OBJDUMP NM [--expect-found] FILE...   (objects or archives)
# Only relocations of code sections count: a vtable that names __cxa_pure_virtual is data.
# With --expect-found it fails unless such a call is found (the check of the check).
set -euo pipefail
objdump="$1" nm="$2"
shift 2
expect_found=no
[ "${1:-}" = --expect-found ] && { expect_found=yes; shift; }

found=0
for file in "$@"; do
    # Per member of an archive: the weak undefined symbols, then the code relocations against them.
    report="$("$objdump" -r "$file" | awk -v weak="$("$nm" -A "$file" | awk '$(NF-1) == "w" { print $NF }' | sort -u | paste -sd ' ')" '
        BEGIN { n = split(weak, list, " "); for (i = 1; i <= n; i++) undefinedWeak[list[i]] = 1 }
        / file format / { member = $1 }
        /^RELOCATION RECORDS FOR / { section = $4; code = section ~ /^\[\.text/ }
        code && ($NF in undefinedWeak) { print member " " section " " $0 }')"
    if [ -n "$report" ]; then
        echo "$report"
        found=1
    fi
done

if [ "$expect_found" = yes ]; then
    [ "$found" -eq 1 ] && { echo "ok: the call is found"; exit 0; }
    echo "FAIL: no call to an undefined weak symbol found"
    exit 1
fi
[ "$found" -eq 0 ] && { echo "ok: no code calls an undefined weak symbol"; exit 0; }
echo "FAIL: code above calls undefined weak symbols"
exit 1
