#!/usr/bin/env bash
# Runs one Windows program under Wine in the build's prefix and on the session's virtual display.
# CTest uses it as the cross-compiling emulator; QUILLET_BUILD comes from the test's environment.
set -euo pipefail
if [ -z "${QUILLET_BUILD:-}" ]; then
    # Run by hand: the program's own build tree is the one whose folder holds CMakeCache.txt.
    d=$(cd "$(dirname "$1")" && pwd)
    while [ "$d" != / ] && [ ! -f "$d/CMakeCache.txt" ]; do d=$(dirname "$d"); done
    export QUILLET_BUILD=$d
fi
. "$(dirname "$0")/wine-common.sh"
display=$(session_display)
if [ -z "$display" ]; then
    echo "wine-exec: no X display; start one with scripts/wine-session.sh start $QUILLET_BUILD" >&2
    exit 2
fi
export DISPLAY=$display
exec "$wine_bin" "$@"
