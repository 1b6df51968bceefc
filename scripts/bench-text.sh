#!/usr/bin/env bash
# bench-text.sh: builds the text transform benchmark optimised and without sanitizers (its own tree,
# build/bench) and prints each transform's throughput on a 1 MB text beside a plain copy's.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
root=${QUILLET_BUILD_ROOT:-$repo/build}
cmake -S "$repo" -B "$root/bench" -DCMAKE_BUILD_TYPE=Release -DQUILLET_SANITIZE=OFF >/dev/null
cmake --build "$root/bench" --target text_bench -j"$(nproc)" >/dev/null
"$root/bench/bench/text_bench"
