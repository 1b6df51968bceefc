#!/usr/bin/env bash
# Paste soak under Wine: ROUNDS pastes (default 1000) spread over the four ways a clip is pasted, with a
# second foreign window now and then taking the front; latency percentiles per way beside the driver's
# own Ctrl+V, and counts of lost, misdirected and doubled pastes. Exits non-zero when any went wrong.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
root=${QUILLET_BUILD_ROOT:-$repo/build}
rounds=${1:-1000}
bash "$repo/scripts/setup.sh"
bash "$repo/scripts/build.sh" windows >/dev/null
cmake --build "$root/windows" --target paste_soak -j2 >/dev/null
exe="$root/windows/bin/paste_soak.exe"
[[ -f $exe ]] || { echo "bench-paste-soak: $exe was not built" >&2; exit 1; }
trap 'bash "$repo/scripts/wine-session.sh" stop "$root/windows" >/dev/null 2>&1 || true' EXIT
bash "$repo/scripts/wine-session.sh" start "$root/windows" >/dev/null
echo "machine load: $(uptime)"
QUILLET_BUILD="$root/windows" bash "$repo/scripts/wine-exec.sh" "$exe" "$rounds" 2> >(grep -v '^fixme\|^err:' >&2)
