#!/usr/bin/env bash
# menu-screenshot-app.sh: pops up the real program's clipboard menu (through its tray icon, as the shell
# does) on the test session's virtual display and saves the screen as build/menu-screenshot.png.
# The end-to-end test of the drawn menus holds the menu open while the picture is taken.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"
root=${QUILLET_BUILD_ROOT:-$repo/build}
bash scripts/setup.sh
QUILLET_BUILD_ROOT=$root bash scripts/build.sh windows

export QUILLET_BUILD="$root/windows"
. scripts/wine-common.sh
bash scripts/wine-session.sh start "$QUILLET_BUILD" >/dev/null
trap 'bash "$repo/scripts/wine-session.sh" stop "$QUILLET_BUILD" >/dev/null 2>&1 || true' EXIT
display=$(session_display)

marks=$(mktemp -d)
export QUILLET_MENU_SHOT_READY="$marks/ready" QUILLET_MENU_SHOT_DONE="$marks/done"
shot="$root/menu-screenshot.png"
rm -f "$shot"
bash scripts/wine-exec.sh "$QUILLET_BUILD/bin/e2e_tests.exe" \
    --gtest_filter=ClipboardMenuTest.MenusAreDrawnWithSideBarAndPictures >"$marks/log" 2>&1 &
driver=$!
for _ in $(seq 1 300); do
    [ -e "$QUILLET_MENU_SHOT_READY" ] && break
    kill -0 "$driver" 2>/dev/null || break
    sleep 0.1
done
if [ -e "$QUILLET_MENU_SHOT_READY" ]; then
    xwd -root -silent -display "$display" | xwdtopnm 2>/dev/null | pnmtopng >"$shot"
fi
touch "$QUILLET_MENU_SHOT_DONE"
status=0
wait "$driver" || status=$?
grep -E '^\[ *(OK|FAILED|SKIPPED) *\]|Skipped|Failure' "$marks/log" | head -20 || true
rm -rf "$marks"
if [ ! -s "$shot" ]; then
    echo "menu-screenshot: the menu never came up" >&2
    exit 1
fi
echo "menu-screenshot: $shot"
exit $status
