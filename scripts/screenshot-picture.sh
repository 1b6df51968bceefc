#!/usr/bin/env bash
# Screenshots of the clip editor in picture mode with a photo-like picture and its scroll bars, and of the
# brightness dialog with its preview: build/screenshots/editor-picture.png and brightness-dialog.png.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
. "$repo/scripts/stage-common.sh"
stage_begin picture_stage
stage_start picture_stage
shoot ready1 editor-picture
touch "$work/done1"
shoot ready2 brightness-dialog
touch "$work/done2"
wait "$stage" || true
echo "screenshot-picture: $out/editor-picture.png $out/brightness-dialog.png"
