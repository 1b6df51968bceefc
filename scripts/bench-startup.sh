#!/usr/bin/env bash
# Start-up under Wine: median of 10 (or of the number given) from starting Quillet.exe to its main clip window shown and to a
# tapped clip hotkey pasting, without and with the splash, beside a trivial Win32 program's start.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
root=${QUILLET_BUILD_ROOT:-$repo/build}
bash "$repo/scripts/setup.sh"
bash "$repo/scripts/build.sh" windows >/dev/null
cmake --build "$root/windows" --target startup_bench -j2 >/dev/null
exe="$root/windows/bin/startup_bench.exe"
[[ -f $exe ]] || { echo "bench-startup: $exe was not built" >&2; exit 1; }
trap 'bash "$repo/scripts/wine-session.sh" stop "$root/windows" >/dev/null 2>&1 || true' EXIT
bash "$repo/scripts/wine-session.sh" start "$root/windows" >/dev/null
echo "machine load: $(uptime)"
QUILLET_BUILD="$root/windows" bash "$repo/scripts/wine-exec.sh" "$exe" "${1:-10}" 2> >(grep -v '^fixme\|^err:' >&2)
