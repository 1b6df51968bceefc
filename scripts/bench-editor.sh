#!/usr/bin/env bash
# The clip editor under Wine on a 100,000-character rich-text clip: opening it until shown and ready, and
# the hand-back on OK, beside the same RTF loaded into a bare rich edit in the same run. Median and p95
# of 15 runs (or of the number given). Not part of the test run.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
root=${QUILLET_BUILD_ROOT:-$repo/build}
bash "$repo/scripts/setup.sh"
bash "$repo/scripts/build.sh" windows >/dev/null
cmake --build "$root/windows" --target editor_bench -j2 >/dev/null
exe="$root/windows/bin/editor_bench.exe"
[[ -f $exe ]] || { echo "bench-editor: $exe was not built" >&2; exit 1; }
trap 'bash "$repo/scripts/wine-session.sh" stop "$root/windows" >/dev/null 2>&1 || true' EXIT
bash "$repo/scripts/wine-session.sh" start "$root/windows" >/dev/null
echo "machine load before: $(uptime)"
status=0
QUILLET_BUILD="$root/windows" bash "$repo/scripts/wine-exec.sh" "$exe" "${1:-15}" 2> >(grep -v '^fixme\|^err:' >&2) ||
    status=$?
echo "machine load after:  $(uptime)"
if [ "$status" -ne 0 ]; then
    echo "bench-editor: editor_bench.exe failed with status $status" >&2
    exit "$status"
fi
