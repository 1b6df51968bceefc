#!/usr/bin/env bash
# bench-effects.sh: the picture effects and PNG load/save on one 1920 x 1080 picture, beside ImageMagick
# on the same picture in the same run. Not part of the test run.
#
# Our figures come from bench/bench_effects.cpp, built here with the Windows build's optimisation
# (-O2, and the effects file's vectorising flags), best of 7 runs each. ImageMagick's are whole `convert`
# runs, best of 5: an effect costs (time with 1 + K operations - time with 1) / K, so neither start-up nor
# its first read of the picture counts against it; PNG load and save subtract a run without the file.
# ImageMagick is timed twice: on one thread (as our engine runs) and with its default thread count.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
root=${QUILLET_BUILD_ROOT:-$repo/build}
out="$root/bench"
mkdir -p "$out"

# scripts/setup.sh installs the comparison (Debian's imagemagick package).
convert=/usr/bin/convert  # /usr/local/bin may hold something else under that name
if [ ! -x "$convert" ]; then
    echo "bench-effects: $convert is missing; run scripts/setup.sh first" >&2
    exit 1
fi

g++ -std=c++17 -O2 -ftree-vectorize -fvect-cost-model=dynamic -I"$repo" \
    "$repo/core/modImageEffects.cpp" "$repo/core/MersenneTwister64.cpp" "$repo/core/PngCodec.cpp" "$repo/bench/bench_effects.cpp" -lpng \
    -o "$out/bench_effects"
"$out/bench_effects" "$out" >"$out/ours.txt"
"$convert" "$out/picture.ppm" "$out/picture.mpc"
cd "$out"

# best_ms CMD...: the fastest of 5 runs, in milliseconds (fractional).
best_ms() {
    local best="" start end t
    for _ in 1 2 3 4 5; do
        start=$(date +%s%N)
        "$@" >/dev/null 2>&1
        end=$(date +%s%N)
        t=$((end - start))
        if [ -z "$best" ] || [ "$t" -lt "$best" ]; then best=$t; fi
    done
    awk -v t="$best" 'BEGIN { printf "%.2f", t / 1e6 }'
}

# im_mps K OP...: ImageMagick's megapixels per second for one operation OP (its words), repeated K times.
im_mps() {
    local k=$1
    shift
    local ops=() i one many
    for ((i = 0; i < k; ++i)); do ops+=("$@"); done
    one=$(best_ms "$convert" picture.mpc "$@" null:)
    many=$(best_ms "$convert" picture.mpc "$@" "${ops[@]}" null:)
    awk -v one="$one" -v many="$many" -v k="$k" \
        'BEGIN { per = (many - one) / k; if (per <= 0.05) print "n/a"; else printf "%.1f", 2.0736 / (per / 1000) }'
}

ours() { awk -v k="$1" '$1 == "effect" && $2 == k { print $3 }' ours.txt; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b == "n/a" || b == "-" || b == 0) print "-"; else printf "%.2f", a / b }'; }

# key | K | ImageMagick's nearest equivalent ("-" when there is none). "colors" changes each channel by
# its own factor: -color-matrix with those factors on the diagonal does the same; the one-channel
# -evaluate is the cheapest thing ImageMagick has near it.
effects=(
    "invert|32|-negate"
    "grayscale|1|-colorspace Gray"
    "solarize|32|-solarize 50%"
    "brightness|32|-evaluate add 15.7%"
    "colors|16|-color-matrix 1.5,0,0,0,0.8,0,0,0,1.1"
    "colors|32|-channel R -evaluate multiply 1.5 +channel"
    "ligthen|0|-"
    "sharpen|2|-sharpen 0x1"
    "emboss|2|-emboss 1"
    "soften|2|-blur 1x1"
    "diffuse|2|-spread 2"
)

printf '\nEffects on 1920 x 1080, megapixels per second (ratio = ours / ImageMagick)\n'
printf '%-11s %9s  %-44s %9s %7s %9s %7s\n' effect ours "ImageMagick equivalent" "IM 1 thr" ratio "IM all" ratio
for entry in "${effects[@]}"; do
    IFS='|' read -r key k op <<<"$entry"
    mine=$(ours "$key")
    if [ "$op" = "-" ]; then
        printf '%-11s %9s  %-44s %9s %7s %9s %7s\n' "$key" "$mine" "(none)" - - - -
        continue
    fi
    read -r -a words <<<"$op"
    # "-colorspace Gray" does nothing to a picture already grey, so it is measured once against the bare run.
    if [ "$k" = 1 ]; then
        single() {
            local base with
            base=$(best_ms "$convert" picture.mpc -negate null:)
            with=$(best_ms "$convert" picture.mpc -negate "$@" null:)
            awk -v a="$base" -v b="$with" 'BEGIN { per = b - a; if (per <= 0.05) print "n/a"; else printf "%.1f", 2.0736 / (per / 1000) }'
        }
        one=$(MAGICK_THREAD_LIMIT=1 single "${words[@]}")
        all=$(single "${words[@]}")
    else
        one=$(MAGICK_THREAD_LIMIT=1 im_mps "$k" "${words[@]}")
        all=$(im_mps "$k" "${words[@]}")
    fi
    printf '%-11s %9s  %-44s %9s %7s %9s %7s\n' "$key" "$mine" "$op" "$one" "$(ratio "$mine" "$one")" "$all" \
        "$(ratio "$mine" "$all")"
done

read -r _ _ our_load load_bytes <<<"$(grep '^png load' ours.txt)"
read -r _ _ our_save save_bytes <<<"$(grep '^png save' ours.txt)"
start_ms=$(best_ms "$convert" -size 1x1 xc:black null:)
im_load=$(best_ms "$convert" picture.png null:)
mpc_ms=$(best_ms "$convert" picture.mpc -negate null:)
im_save=$(best_ms "$convert" picture.mpc -negate im-saved.png)
im_bytes=$(stat -c %s im-saved.png)
printf '\nPNG on 1920 x 1080, milliseconds (ratio = ImageMagick / ours: above 1 means we are faster)\n'
awk -v ol="$our_load" -v il="$im_load" -v s="$start_ms" -v os="$our_save" -v is="$im_save" -v m="$mpc_ms" \
    -v ob="$save_bytes" -v ib="$im_bytes" 'BEGIN {
        l = il - s; w = is - m
        printf "load   ours %8.1f   ImageMagick %8.1f   ratio %.2f\n", ol, l, l / ol
        printf "save   ours %8.1f   ImageMagick %8.1f   ratio %.2f   (files: ours %d bytes, ImageMagick %d)\n", os, w, w / os, ob, ib
    }'
