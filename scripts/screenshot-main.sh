#!/usr/bin/env bash
# A screenshot of the main clip window with a few clips in it: build/screenshots/main-window.png.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
. "$repo/scripts/stage-common.sh"
stage_begin main_window_stage
ready="$work/ready"
done_file="$work/done"
bash "$repo/scripts/wine-exec.sh" "$root/windows/bin/main_window_stage.exe" "$("$wine_bin" winepath -w "$ready")" \
    "$("$wine_bin" winepath -w "$done_file")" >/dev/null 2>&1 &
stage=$!
for _ in $(seq 1 300); do [ -e "$ready" ] && break; sleep 0.1; done
[ -e "$ready" ] || { echo "screenshot-main: the window did not come up" >&2; exit 1; }
sleep 0.5 # one more paint after the last change
xwd -root -silent -display "$display" | xwdtopnm 2>/dev/null | pnmtopng >"$out/main-window.png"
touch "$done_file"
wait "$stage" || true
echo "screenshot-main: $out/main-window.png"
