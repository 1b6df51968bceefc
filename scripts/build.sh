#!/usr/bin/env bash
# build.sh native|windows|all: configures (once) and builds the named build trees.
# CI=true treats warnings as errors.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"
werror=OFF
[ "${CI:-}" = true ] && werror=ON
jobs=$(nproc)

build() {
    cmake --preset "$1" -DQUILLET_WERROR=$werror >/dev/null
    cmake --build --preset "$1" -j"$jobs"
}

case "${1:-all}" in
native) build native ;;
windows) build windows ;;
all) build native && build windows ;;
*) echo "usage: $0 native|windows|all" >&2; exit 2 ;;
esac
