#!/usr/bin/env bash
# package.sh [--no-build] [--out FOLDER]: the release. Builds the Windows build (the one the tests run)
# and writes to build/dist: Quillet-<version>-portable.zip, Quillet-<version>-setup.exe and
# Quillet-<version>-sha256.txt. --no-build packages what the build already holds.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"
root=${QUILLET_BUILD_ROOT:-$repo/build}
build=$root/windows
out=$root/dist
do_build=1
while (($#)); do
    case "$1" in
    --no-build) do_build=0 ;;
    --out) out=$2; shift ;;
    *) echo "usage: $0 [--no-build] [--out FOLDER]" >&2; exit 2 ;;
    esac
    shift
done

# The shipped files, in one place. From the build folder: the two deliverables (stripped) and the help files.
required=(Quillet.exe Syslinkage.dll)
helpfiles=(help.hlp help.html)
# Written here: the read-me, the licence and the notices of what the binaries link statically.
documents=(README.txt LICENSE.txt THIRD-PARTY-NOTICES.txt)

fail() { echo "package: $*" >&2; exit 1; }

if ((do_build)); then
    bash scripts/setup.sh
    bash scripts/build.sh windows
fi
bin=$build/bin
for f in "${required[@]}" "${helpfiles[@]}"; do
    [ -f "$bin/$f" ] || fail "$bin/$f is missing; build it first (scripts/build.sh windows)"
done
command -v makensis >/dev/null || fail "makensis is missing; run scripts/setup.sh"
version=$(sed -n 's/^#define QUILLET_VERSION_TEXT L"\(.*\)"$/\1/p' "$build/generated/QuilletVersion.h")
[ -n "$version" ] || fail "no version in $build/generated/QuilletVersion.h"
libpng_licence=$(sed -n 's/^QUILLET_LIBPNG_DIR:PATH=//p' "$build/CMakeCache.txt")/LICENSE
[ -f "$libpng_licence" ] || fail "$libpng_licence is missing; run scripts/setup.sh"
zlib_header=$(sed -n 's/^ZLIB_INCLUDE_DIR:PATH=//p' "$build/CMakeCache.txt")/zlib.h
[ -f "$zlib_header" ] || fail "zlib.h of the linked zlib not found ($zlib_header)"

stage=$out/.stage
rm -rf "$stage"
mkdir -p "$stage/files"
shipped=()
for f in "${required[@]}"; do
    # The debugging information stays in the build; the packages carry the stripped binaries.
    x86_64-w64-mingw32-strip --strip-debug -o "$stage/files/$f" "$bin/$f"
    shipped+=("$f")
done
for f in "${helpfiles[@]}"; do
    cp "$bin/$f" "$stage/files/$f"
    shipped+=("$f")
done
crlf() { sed 's/\r$//; s/$/\r/'; }
sed "s/@VERSION@/$version/g" package/README.txt | crlf >"$stage/files/README.txt"
crlf <LICENSE.txt >"$stage/files/LICENSE.txt"
{
    echo "Quillet.exe and Syslinkage.dll contain parts of the following projects, under these licences."
    echo
    echo "==== libpng (in Quillet.exe) ===="
    echo
    cat "$libpng_licence"
    echo
    echo "==== zlib (in Quillet.exe) ===="
    echo
    # The notice at the head of the linked zlib's own header, up to its authors' addresses.
    sed -n '2,/madler@/p' "$zlib_header" | sed 's/^  //'
    echo
    echo "==== MinGW-w64 runtime and winpthreads (in both) ===="
    echo
    cat package/notices/mingw-w64.txt
} | crlf >"$stage/files/THIRD-PARTY-NOTICES.txt"
shipped+=("${documents[@]}")

mkdir -p "$out"
zip=Quillet-$version-portable.zip
setup=Quillet-$version-setup.exe
sums=Quillet-$version-sha256.txt
rm -f "$out/$zip" "$out/$setup" "$out/$sums"

(cd "$stage/files" && cmake -E tar cf "$out/$zip" --format=zip "${shipped[@]}")

{
    echo '!macro QUILLET_INSTALL_FILES'
    for f in "${shipped[@]}"; do echo "    File \"$stage/files/$f\""; done
    echo '!macroend'
    echo '!macro QUILLET_REMOVE_FILES'
    for f in "${shipped[@]}"; do echo "    Delete \"\$INSTDIR\\$f\""; done
    echo '!macroend'
} >"$stage/files.nsh"
makensis -V2 -NOCD -DVERSION="$version" -DFILES="$stage/files.nsh" -DOUTFILE="$out/$setup" \
    -DICON="$repo/app/Quillet.ico" -DLICENSE="$stage/files/LICENSE.txt" package/Quillet.nsi

(cd "$out" && sha256sum "$zip" "$setup" >"$sums")
rm -rf "$stage"
echo "package: $out"
(cd "$out" && ls -l "$zip" "$setup" "$sums" | awk '{ printf "  %-36s %9d bytes\n", $9, $5 }')
