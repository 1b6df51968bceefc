#!/usr/bin/env bash
# Screenshots of the clip editor in its two text modes: plain text with a few lines, and rich text with
# bold, italic, colours, a bullet list and a centred title: build/screenshots/editor-plain-text.png and
# editor-rich-text.png.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
. "$repo/scripts/stage-common.sh"
stage_begin editor_text_stage
stage_start editor_text_stage
shoot ready1 editor-plain-text
touch "$work/done1"
shoot ready2 editor-rich-text
touch "$work/done2"
wait "$stage" || true
echo "screenshot-editor-text: $out/editor-plain-text.png $out/editor-rich-text.png"
