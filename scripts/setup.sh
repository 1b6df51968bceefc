#!/usr/bin/env bash
# Installs what the builds and tests need on Debian 12 and fetches the pinned libpng sources (and the zlib
# sources of the same bundle, which the fuzz build compiles with coverage instrumentation).
# Safe to run again: it only acts on what is missing, so a second run takes a second or two.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
deps="$repo/build/deps"

packages=(
    cmake make g++ googletest libgtest-dev          # native build and its tests
    g++-mingw-w64-x86-64-posix mingw-w64-tools      # Windows cross build, widl
    libz-mingw-w64-dev libpng-dev libwine-dev       # zlib for Windows, libpng headers, Wine's IDL files
    wine wine64 xvfb xauth                          # running and testing under Wine, headless
    x11-apps netpbm                                 # screenshots of the virtual display (xwd, pnmtopng)
    clang libclang-rt-14-dev                        # fuzz targets of the core
    ccache                                          # shared object cache of the builds
    nsis                                            # the release's installer (scripts/package.sh)
    imagemagick                                     # the effects benchmark's comparison (bench-effects.sh)
)
# npm fetches the pinned libpng sources; a machine with its own Node.js keeps it.
command -v npm >/dev/null || packages+=(nodejs npm)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "setup: installing ${missing[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# libpng 1.6.37 as shipped inside the pinned npm package, checked against its registry integrity.
png_pkg="png-img@5.0.1"
png_integrity="sha512-AsN9HL7oDdW5D6g+euoMmcGe6LImj09aaHUuABe+jcFkSQpo+JZ/L24LgV0RJrzfpUs29nLDk2+qpQctrC6Z3g=="
libpng="$deps/libpng"
zlib="$deps/zlib"
if [ ! -f "$libpng/.complete" ] || [ ! -f "$zlib/.complete" ]; then
    echo "setup: fetching $png_pkg"
    rm -rf "$deps/png-img" "$libpng" "$zlib"
    mkdir -p "$deps/png-img"
    (cd "$deps/png-img" && npm pack --silent "$png_pkg" >/dev/null)
    tarball=$(ls "$deps"/png-img/png-img-*.tgz)
    actual="sha512-$(node -e 'const c = require("crypto"), f = require("fs");
        process.stdout.write(c.createHash("sha512").update(f.readFileSync(process.argv[1])).digest("base64"))' "$tarball")"
    if [ "$actual" != "$png_integrity" ]; then
        echo "setup: $tarball does not match the pinned integrity ($actual)" >&2
        exit 1
    fi
    tar -xzf "$tarball" -C "$deps/png-img"
    mkdir -p "$libpng"
    cp "$deps"/png-img/package/third_party/libpng/*.[ch] "$deps"/png-img/package/third_party/libpng/LICENSE "$libpng/"
    # The shipped configuration pins the zlib of its own bundle; 0 lets libpng accept Debian's MinGW zlib.
    sed -i 's/^#define PNG_ZLIB_VERNUM .*/#define PNG_ZLIB_VERNUM 0/' "$libpng/pnglibconf.h"
    grep -q '^#define PNG_ZLIB_VERNUM 0$' "$libpng/pnglibconf.h"
    rm -f "$libpng/pngtest.c"
    touch "$libpng/.complete"
    mkdir -p "$zlib"
    cp "$deps"/png-img/package/third_party/zlib/*.[ch] "$zlib/"
    touch "$zlib/.complete"
fi
