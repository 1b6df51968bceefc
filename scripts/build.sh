#!/usr/bin/env bash
# build.sh native|windows|all: configures (once) and builds the named build trees.
# CI=true treats warnings as errors.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"
werror=OFF
[ "${CI:-}" = true ] && werror=ON
jobs=$(nproc)

# QUILLET_BUILD_ROOT picks another folder for the build trees (default build/).
root=${QUILLET_BUILD_ROOT:-$repo/build}

# A compiler cache, when there is one, lets several checkouts share their object files.
launcher=()
if command -v ccache >/dev/null; then
    export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(dirname "$repo")}
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

build() {
    cmake --preset "$1" -B "$root/$1" -DQUILLET_WERROR=$werror "${launcher[@]}" >/dev/null
    cmake --build "$root/$1" -j"$jobs"
}

case "${1:-all}" in
native) build native ;;
windows) build windows ;;
all) build native && build windows ;;
*) echo "usage: $0 native|windows|all" >&2; exit 2 ;;
esac
