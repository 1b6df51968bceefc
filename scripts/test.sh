#!/usr/bin/env bash
# The test command: sets up the machine, builds both builds and runs every test (native core tests with
# sanitizers, Windows tests and end-to-end tests under Wine) in one CTest run with one summary.
# Extra arguments go to CTest, for example: scripts/test.sh -L e2e
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"

root=${QUILLET_BUILD_ROOT:-$repo/build}

bash scripts/setup.sh
bash scripts/build.sh all

# One test tree over both builds, so CTest reports them together.
cat >"$root/CTestTestfile.cmake" <<'TESTS'
subdirs("native")
subdirs("windows")
TESTS

# The Wine fixture ends its X server and wineserver itself; this covers an interrupted run.
trap 'bash "$repo/scripts/wine-session.sh" stop "$root/windows" >/dev/null 2>&1 || true' EXIT
cd "$root"
ctest --output-on-failure --timeout 900 -j"$(nproc)" "$@"
