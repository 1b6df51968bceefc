#!/usr/bin/env bash
# wine-session.sh start|stop BUILD_DIR
# start: creates the build's Wine prefix once, starts a virtual X server and a persistent wineserver.
# stop:  ends that wineserver and the X server it started, so nothing keeps running after the tests.
set -euo pipefail
action=$1
export QUILLET_BUILD=$(cd "$2" && pwd)
. "$(dirname "$0")/wine-common.sh"

start_xvfb() {
    local n
    for n in $(seq 91 160); do
        [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        local pid=$!
        for _ in $(seq 1 100); do
            if [ -e "/tmp/.X11-unix/X$n" ]; then
                echo "$pid" >"$session_dir/xvfb.pid"
                echo ":$n" >"$session_dir/display"
                return 0
            fi
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.05
        done
        kill "$pid" 2>/dev/null || true
    done
    echo "wine-session: could not start Xvfb" >&2
    return 1
}

stop_session() {
    WINEPREFIX="$WINEPREFIX" wineserver -k 2>/dev/null || true
    WINEPREFIX="$WINEPREFIX" wineserver -w 2>/dev/null || true
    if [ -f "$session_dir/xvfb.pid" ]; then
        kill "$(cat "$session_dir/xvfb.pid")" 2>/dev/null || true
    fi
    rm -rf "$session_dir"
}

case "$action" in
start)
    stop_session
    mkdir -p "$session_dir"
    start_xvfb
    export DISPLAY=$(cat "$session_dir/display")
    ensure_prefix headless
    # Persistent, so each test program starts against a warm server.
    wineserver -p </dev/null >/dev/null 2>&1
    # Boot the prefix's own processes (services, desktop) now, detached from any test's output pipes,
    # so CTest never waits on a helper process that inherited a test's stdout.
    "$wine_bin" cmd /c exit </dev/null >/dev/null 2>&1 || true
    echo "wine-session: display $DISPLAY, prefix $WINEPREFIX"
    ;;
stop)
    stop_session
    ;;
*)
    echo "usage: $0 start|stop BUILD_DIR" >&2
    exit 2
    ;;
esac
