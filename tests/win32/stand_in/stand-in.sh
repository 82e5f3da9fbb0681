# Sourced by the scripts that run zarn.exe under the stand-ins for Windows (windows_stand_in.cpp).
#   zarn_stand_ins STAND-IN-DIR WINE-DLL-DIR   puts them in $WINEPREFIX's system folder, each
#       beside a copy of Wine's own DLL, <name>_wine.dll, marked as not Wine's so that Wine loads
#       that file rather than its builtin; and has Wine give zarn.exe, and no other program, the
#       stand-ins and the version of Windows 10 (build 19043), which they play.
#   zarn_app_mode dark|light   sets the app mode Windows answers through them.

zarn_stand_ins() {
    local system32="$WINEPREFIX/drive_c/windows/system32" app='HKCU\Software\Wine\AppDefaults\zarn.exe' name
    for dll in "$1"/*.dll; do
        name="$(basename "$dll" .dll)"
        cp "$dll" "$system32/$name.dll"
        cp "$2/$name.dll" "$system32/${name}_wine.dll"
        printf 'Native copy     ' | dd of="$system32/${name}_wine.dll" bs=1 seek=64 conv=notrunc status=none
        wine reg add "$app\\DllOverrides" /v "$name" /d native /f </dev/null >/dev/null 2>&1
    done
    wine reg add "$app" /v Version /d win10 /f </dev/null >/dev/null 2>&1
}

zarn_app_mode() {
    wine reg add 'HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize' /v AppsUseLightTheme \
        /t REG_DWORD /d "$([ "$1" = dark ] && echo 0 || echo 1)" /f </dev/null >/dev/null 2>&1
}
