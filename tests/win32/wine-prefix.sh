# Sourced by the Wine test scripts: a private, prepared Wine prefix.
#   zarn_wine_prefix DIR DRIVER   DRIVER is "null" (no X at all) or "x11" (needs DISPLAY)
#   zarn_test_fonts               Wine sees only the fonts the project installs
# Creates DIR once (about 10 s), then starts its server, kept for 15 seconds after the last
# program (so that it is not going away just as the next test starts), and its services, with
# their output sent away so that nothing waits on their inherited pipes.

zarn_wine_env() {
    export WINEPREFIX="$1" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
}

# For the tests: Wine sees only the fonts the project installs, so that what the tests measure of
# text is the same on any machine, whatever fonts it has.
zarn_test_fonts() {
    export FONTCONFIG_FILE="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/fonts.conf"
}

zarn_wine_prefix() {
    local dir driver="$2"
    dir="$(realpath -m "$1")"   # Wine wants an absolute prefix
    zarn_wine_env "$dir"
    mkdir -p "$(dirname "$dir")"
    (
        flock 9
        if [ ! -f "$dir/.zarn-ready-$driver" ]; then
            # Made again once from the start should the first try fail (seen once on a new
            # machine, wineboot ending with 53 and a prefix half made).
            local tries
            for tries in 1 2; do
                rm -rf "$dir"
                wineserver -p5 </dev/null >/dev/null 2>&1 || true
                wine wineboot -i </dev/null >/dev/null 2>&1 && break
                wineserver -k 2>/dev/null; wineserver -w 2>/dev/null
                [ "$tries" -eq 2 ] && return 1
            done
            # Without a window manager Wine would stall 2 s whenever a window closes.
            wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
            # A crash must end the program, not wait in a crash dialog.
            wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
                </dev/null >/dev/null 2>&1
            if [ "$driver" = null ]; then
                wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f </dev/null >/dev/null 2>&1
            fi
            wineserver -w || true
            touch "$dir/.zarn-ready-$driver"
        fi
    ) 9>"$dir.lock"
    # A server started here gets its services and desktop at once, with their output sent away:
    # started by a test instead, they would hold the test's output open (and CTest waiting) for
    # seconds after it ends. Starting a server fails harmlessly when one is already running.
    if wineserver -p15 </dev/null >/dev/null 2>&1; then
        wine wineboot </dev/null >/dev/null 2>&1 || true
    fi
}
