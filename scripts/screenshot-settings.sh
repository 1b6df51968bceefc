#!/usr/bin/env bash
# A screenshot of each page of the settings dialog: build/screenshots/settings-<n>-<page>.png.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
. "$repo/scripts/stage-common.sh"
stage_begin settings_stage
bash "$repo/scripts/wine-exec.sh" "$root/windows/bin/settings_stage.exe" "$("$wine_bin" winepath -w "$work/ready")" \
    "$("$wine_bin" winepath -w "$work/done")" >/dev/null 2>&1 &
stage=$!
pages=(general clip-edit-dialog pasting clipboard-menu hotkeys)
for n in 0 1 2 3 4; do
    for _ in $(seq 1 300); do [ -s "$work/ready$n" ] && break; sleep 0.1; done
    [ -s "$work/ready$n" ] || { echo "screenshot-settings: page $n did not come up" >&2; exit 1; }
    read -r x y w h <"$work/ready$n"
    sleep 0.3 # the last paint of the page reaches the X server
    file="$out/settings-$n-${pages[$n]}.png"
    xwd -root -silent -display "$display" | xwdtopnm 2>/dev/null |
        pnmcut -left "$x" -top "$y" -width "$w" -height "$h" | pnmtopng >"$file"
    echo "screenshot-settings: $file"
    touch "$work/done$n"
done
wait "$stage" || { echo "screenshot-settings: the stage failed" >&2; exit 1; }
