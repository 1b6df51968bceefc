#!/usr/bin/env bash
# menu-screenshot.sh: photographs an open owner-drawn popup of Syslinkage (side bar, pictures, a check
# mark, titled separators, one item selected) on a virtual display and saves it as
# <build root>/menu-screenshot.png. Uses the Windows build tree and its Wine prefix.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"
root=${QUILLET_BUILD_ROOT:-$repo/build}
bash scripts/build.sh windows >/dev/null

export QUILLET_BUILD="$root/windows"
. scripts/wine-common.sh
work=$(mktemp -d)
cp "$QUILLET_BUILD/bin/MenuDemo.exe" "$QUILLET_BUILD/bin/Syslinkage.dll" "$work/"
bash scripts/wine-session.sh start "$QUILLET_BUILD" >/dev/null
export DISPLAY=$(session_display)
stop() {
    touch "$work/done"
    [ -n "${demo:-}" ] && timeout 10 tail --pid="$demo" -f /dev/null || true
    bash "$repo/scripts/wine-session.sh" stop "$QUILLET_BUILD"
    rm -rf "$work"
}
trap stop EXIT

"$wine_bin" "$work/MenuDemo.exe" </dev/null >/dev/null 2>&1 &
demo=$!
# The demo says when its popup is open and painted.
for _ in $(seq 1 300); do
    [ -e "$work/ready" ] && break
    kill -0 "$demo" 2>/dev/null || break
    sleep 0.1
done
if [ ! -e "$work/ready" ]; then
    echo "menu-screenshot: the demo did not open its popup" >&2
    exit 1
fi
shot="$root/menu-screenshot.png"
# The demo saves its corner of the screen with the popup's own painted surface laid over it (the virtual
# display may show a popup before its first painting reaches it); the display's picture is kept beside it.
bmptopnm "$work/shot.bmp" 2>/dev/null | pnmtopng >"$shot"
xwd -root -silent -display "$DISPLAY" | xwdtopnm 2>/dev/null | pnmcut -left 0 -top 0 -width 420 -height 330 |
    pnmtopng >"$root/menu-screenshot-display.png"
echo "menu-screenshot: $shot"
