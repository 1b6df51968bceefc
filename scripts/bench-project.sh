#!/usr/bin/env bash
# Project save and load speed against a plain file copy, under Wine.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
root=${QUILLET_BUILD_ROOT:-$repo/build}
bash "$repo/scripts/setup.sh"
bash "$repo/scripts/build.sh" windows >/dev/null
cmake --build "$root/windows" --target project_bench -j"$(nproc)" >/dev/null
trap 'bash "$repo/scripts/wine-session.sh" stop "$root/windows" >/dev/null 2>&1 || true' EXIT
bash "$repo/scripts/wine-session.sh" start "$root/windows" >/dev/null
program="$root/windows/bin/project_bench.exe"
if [ ! -f "$program" ]; then
    echo "bench-project: $program was not built" >&2
    exit 1
fi
uptime
status=0
QUILLET_BUILD="$root/windows" bash "$repo/scripts/wine-exec.sh" "$program" || status=$?
if [ "$status" -ne 0 ]; then
    echo "bench-project: project_bench.exe failed with status $status" >&2
    exit "$status"
fi
