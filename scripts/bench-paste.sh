#!/usr/bin/env bash
# Copy-click to paste under Wine: median of 20 from a click on a row's copy button to the text being in
# the target's edit control, beside the driver pasting the same text itself.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
root=${QUILLET_BUILD_ROOT:-$repo/build}
bash "$repo/scripts/setup.sh"
bash "$repo/scripts/build.sh" windows >/dev/null
cmake --build "$root/windows" --target paste_bench -j2 >/dev/null
exe="$root/windows/bin/paste_bench.exe"
[[ -f $exe ]] || { echo "bench-paste: $exe was not built" >&2; exit 1; }
trap 'bash "$repo/scripts/wine-session.sh" stop "$root/windows" >/dev/null 2>&1 || true' EXIT
bash "$repo/scripts/wine-session.sh" start "$root/windows" >/dev/null
echo "machine load: $(uptime)"
QUILLET_BUILD="$root/windows" bash "$repo/scripts/wine-exec.sh" "$exe" 2> >(grep -v '^fixme\|^err:' >&2)
