#!/usr/bin/env bash
# fuzz.sh TARGET [SECONDS]: builds TARGET with clang and libFuzzer (build/fuzz) and fuzzes it for
# SECONDS (default 60), starting from its seed corpus. New inputs collect in build/fuzz/corpus/TARGET;
# crashes are written to build/fuzz/ as crash-*. Worth adding to fuzz/corpus/TARGET when small and new.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
target=${1:?usage: fuzz.sh TARGET [SECONDS]}
seconds=${2:-60}
bash "$repo/scripts/setup.sh"
build="$repo/build/fuzz"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# libpng and zlib come from the pinned sources of build/deps (cmake/FuzzLibpng.cmake), instrumented too.
cmake -S "$repo" -B "$build" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUILLET_FUZZ=ON "${launcher[@]}" >/dev/null
cmake --build "$build" --target "$target" -j"$(nproc)"
mkdir -p "$build/corpus/$target"
cd "$build"
"./fuzz/$target" -max_total_time="$seconds" -artifact_prefix="$build/" "$build/corpus/$target" "$repo/fuzz/corpus/$target"
