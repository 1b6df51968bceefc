#!/usr/bin/env bash
# The clip editor's picture side under Wine: each effect from its button in the real editor to the
# repainted picture beside the engine alone on the same 1920 x 1080 pixels, and the paste of a 1080p
# clipboard bitmap. Median of RUNS runs (argument, default 5). Not part of the test run.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
root=${QUILLET_BUILD_ROOT:-$repo/build}
bash "$repo/scripts/setup.sh"
bash "$repo/scripts/build.sh" windows >/dev/null
cmake --build "$root/windows" --target picture_bench -j"$(nproc)" >/dev/null
trap 'bash "$repo/scripts/wine-session.sh" stop "$root/windows" >/dev/null 2>&1 || true' EXIT
bash "$repo/scripts/wine-session.sh" start "$root/windows" >/dev/null
echo "Machine load (1, 5, 15 minutes): $(cut -d' ' -f1-3 /proc/loadavg)"
QUILLET_BUILD="$root/windows" bash "$repo/scripts/wine-exec.sh" "$root/windows/bin/picture_bench.exe" "$@"
