#!/usr/bin/env bash
# Clip hotkey to paste under Wine: median of 20 from letting go of Ctrl after Ctrl+1 to the text being in
# the target's edit control (and to it being on the clipboard).
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
root=${QUILLET_BUILD_ROOT:-$repo/build}
bash "$repo/scripts/setup.sh"
bash "$repo/scripts/build.sh" windows >/dev/null
cmake --build "$root/windows" --target hotkey_bench -j2 >/dev/null
trap 'bash "$repo/scripts/wine-session.sh" stop "$root/windows" >/dev/null 2>&1 || true' EXIT
bash "$repo/scripts/wine-session.sh" start "$root/windows" >/dev/null
QUILLET_BUILD="$root/windows" bash "$repo/scripts/wine-exec.sh" "$root/windows/bin/hotkey_bench.exe" 2> >(grep -v '^fixme\|^err:' >&2)
