#!/usr/bin/env bash
# The run command: sets up the machine, builds Quillet and starts it under Wine from its own program
# folder (build/run/Quillet, kept between runs like an installation).
# With no X display it starts a virtual one, takes a screenshot once Quillet is up and says where it is;
# Quillet then keeps running until Ctrl+C (or for N seconds with --for N), and everything is ended.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"
seconds=""
[ "${1:-}" = "--for" ] && seconds=${2:?--for needs a number of seconds}

bash scripts/setup.sh
bash scripts/build.sh windows

export QUILLET_BUILD="$repo/build/windows"
. scripts/wine-common.sh
program="$repo/build/run/Quillet"
mkdir -p "$program"
# The help files travel with the program.
cp build/windows/bin/Quillet.exe build/windows/bin/Syslinkage.dll build/windows/bin/help.hlp \
    build/windows/bin/help.html "$program/"

if [ -n "${DISPLAY:-}" ] && xwd -root -silent -display "$DISPLAY" >/dev/null 2>&1; then
    # A desktop of its own with a window manager: a prefix of its own with managed windows.
    export WINEPREFIX="$repo/build/run/wineprefix"
    ensure_prefix desktop
    echo "run: starting Quillet from $program"
    exec "$wine_bin" "$program/Quillet.exe"
fi

# Headless: a virtual display of our own, ended with everything else on exit.
bash scripts/wine-session.sh start "$QUILLET_BUILD"
export DISPLAY=$(session_display)
stop() {
    # Asked politely first, as the system asks a program to end; then the session goes.
    "$wine_bin" taskkill /im Quillet.exe >/dev/null 2>&1 || true
    for _ in $(seq 1 50); do pgrep -f 'Quillet\.exe' >/dev/null || break; sleep 0.1; done
    bash "$repo/scripts/wine-session.sh" stop "$QUILLET_BUILD"
}
trap stop EXIT
trap 'exit 130' INT TERM

(cd "$program" && exec "$wine_bin" "$program/Quillet.exe" </dev/null >/dev/null 2>&1) &
quillet=$!
# Up when its process runs and the wineserver has had it start (its windows created).
for _ in $(seq 1 200); do
    pgrep -f 'Quillet\.exe' >/dev/null && break
    sleep 0.1
done
if ! pgrep -f 'Quillet\.exe' >/dev/null; then
    echo "run: Quillet did not start" >&2
    exit 1
fi
sleep 2 # let its first windows paint before the picture is taken
shot="$repo/build/run/screenshot.png"
xwd -root -silent -display "$DISPLAY" | xwdtopnm 2>/dev/null | pnmtopng >"$shot"
echo "run: Quillet is running (process $(pgrep -f 'Quillet\.exe' | head -1)) on virtual display $DISPLAY"
echo "run: screenshot of the screen: $shot"
if [ -n "$seconds" ]; then
    echo "run: ending after $seconds seconds"
    timeout "$seconds" tail --pid="$quillet" -f /dev/null || true
else
    echo "run: press Ctrl+C to end Quillet"
    wait "$quillet" || true
fi
