#!/usr/bin/env bash
# Writes the .def file of a stand-in DLL: the exports it answers itself, and every other named
# export of Wine's DLL forwarded to the copy of it, <name>_wine.dll.
#   exports.sh OBJDUMP WINE-DLL NAME OUT.def EXPORT=OWN-FUNCTION...
set -euo pipefail
objdump="$1" wine_dll="$2" name="$3" out="$4"
shift 4
declare -A own
for pair in "$@"; do own[${pair%%=*}]=${pair#*=}; done
{
    echo "LIBRARY $name.dll"
    echo "EXPORTS"
    for export in "${!own[@]}"; do echo "    $export = ${own[$export]}"; done
    "$objdump" -p "$wine_dll" | sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/s/^\s*\[ *[0-9]*\] //p' |
        while read -r export; do
            [ -n "${own[$export]:-}" ] || echo "    $export = ${name}_wine.$export"
        done
} >"$out.new"
mv "$out.new" "$out"
