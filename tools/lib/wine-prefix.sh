# How every Wine prefix of the tree is set up: the build trees' shared ones (wine-run), the
# end-to-end scenarios' fresh ones and the screenshots' (through wine-run). Sourced, not run.

# The environment that runs programs in the prefix; a caller's WINEDEBUG and
# WINEDLLOVERRIDES stay.
wine_environment() { # prefix
    export WINEPREFIX=$1 WINELOADER=/usr/lib/wine/wine64 WINEARCH=win64
    export WINEDEBUG="${WINEDEBUG:--all}"
    # Keeps Wine from offering to install Mono and Gecko into a new prefix.
    export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
}

# Makes $WINEPREFIX once, also when several programs start in it at the same time, and links
# the fonts into one made before they were linked.
ensure_wine_prefix() {
    if [ ! -f "$WINEPREFIX/.ready" ]; then
        mkdir -p "$WINEPREFIX"
        (
            flock 9
            [ -f "$WINEPREFIX/.ready" ] || make_wine_prefix
        ) 9>"$WINEPREFIX.lock"
    fi
    [ -e "$WINEPREFIX/drive_c/windows/Fonts/.linked" ] || link_wine_fonts
}

make_wine_prefix() {
    "$WINELOADER" wineboot --init >/dev/null 2>&1
    # A crashing program must fail its test, not wait for a click on Wine's crash dialog.
    "$WINELOADER" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog \
        /t REG_DWORD /d 0 /f >/dev/null 2>&1
    touch "$WINEPREFIX/.ready"
}

# Wine's own fonts ("MS Sans Serif", Tahoma) are found only in the prefix's Fonts folder;
# without them windows show a wider substitute and captions are cut off.
link_wine_fonts() {
    local fonts="$WINEPREFIX/drive_c/windows/Fonts" font
    [ -d "$fonts" ] || return 0
    for font in /usr/share/wine/fonts/*; do
        [ -e "$font" ] && ln -sf "$font" "$fonts/"
    done
    touch "$fonts/.linked"
}
