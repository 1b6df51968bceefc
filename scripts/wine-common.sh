# Shared by the Wine scripts: the build's own prefix and the virtual display it runs on.
# Source it with QUILLET_BUILD set to a Windows build tree.
: "${QUILLET_BUILD:?QUILLET_BUILD must name the Windows build tree}"
export WINEPREFIX="${QUILLET_WINEPREFIX:-$QUILLET_BUILD/wineprefix}"
export WINEDEBUG="${QUILLET_WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
session_dir="$QUILLET_BUILD/wine-session"

if [ -x /usr/lib/wine/wine64 ]; then
    export WINELOADER=/usr/lib/wine/wine64
    wine_bin=/usr/lib/wine/wine64
else
    wine_bin=$(command -v wine)
fi

# The display of the running session, or the caller's own when no session runs.
session_display() {
    if [ -f "$session_dir/display" ]; then cat "$session_dir/display"; else echo "${DISPLAY:-}"; fi
}

# Creates the prefix once (needs DISPLAY); later calls return at once.
# With "headless", windows are left unmanaged: on a bare virtual display no window manager answers,
# and Wine would wait two seconds for one each time a window closes.
ensure_prefix() {
    local kind=${1:-desktop}
    local mark="$kind 3"
    if [ "$(cat "$WINEPREFIX/.quillet-ready" 2>/dev/null)" != "$mark" ]; then
        echo "wine: preparing the Wine prefix $WINEPREFIX"
        [ -f "$WINEPREFIX/.quillet-ready" ] || rm -rf "$WINEPREFIX"
        "$wine_bin" wineboot -i </dev/null >/dev/null 2>&1
        local managed=Y
        [ "$kind" = headless ] && managed=N
        "$wine_bin" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d $managed /f </dev/null >/dev/null 2>&1
        # A crashing test program must end at once instead of waiting in the debugger until CTest's timeout.
        # Without a Debugger value Wine still starts its own debugger, which waits; a debugger that cannot
        # start ends the crashed process at once (Auto: no question asked first).
        local aedebug='HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug'
        "$wine_bin" reg add "$aedebug" /v Debugger /d 'C:\windows\system32\no-debugger.exe %ld %ld' /f </dev/null >/dev/null 2>&1
        "$wine_bin" reg add "$aedebug" /v Auto /d 1 /f </dev/null >/dev/null 2>&1
        wineserver -w
        echo "$mark" >"$WINEPREFIX/.quillet-ready"
    fi
}
