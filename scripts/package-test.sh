#!/usr/bin/env bash
# package-test.sh BUILD_DIR: the release packages' test (CTest label "package"). Makes the packages from
# the build's binaries with scripts/package.sh, checks their checksums, and in a fresh Wine prefix of its
# own, on a virtual display of its own, unpacks the zip and runs the driver package_tests.exe, which
# installs, starts, ends and uninstalls. Everything it starts is ended when it ends.
set -euo pipefail
scripts=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
work=$build/package-test

rm -rf "$work"
mkdir -p "$work"
QUILLET_BUILD_ROOT=$(dirname "$build") bash "$scripts/package.sh" --no-build --out "$work/dist" >/dev/null
cd "$work/dist"
sha256sum --quiet -c Quillet-*-sha256.txt
zip=$(ls Quillet-*-portable.zip)
setup=$(ls Quillet-*-setup.exe)
version=${zip#Quillet-}
version=${version%-portable.zip}

trap 'bash "$scripts/wine-session.sh" stop "$work" >/dev/null 2>&1 || true' EXIT
bash "$scripts/wine-session.sh" start "$work"

portable=$work/wineprefix/drive_c/Portable/Quillet
mkdir -p "$portable"
(cd "$portable" && cmake -E tar xf "$work/dist/$zip")
files=$(cmake -E tar tf "$work/dist/$zip" | paste -sd ';')

windows_path() { echo "Z:${1//\//\\}"; }
export QUILLET_SETUP=$(windows_path "$work/dist/$setup")
export QUILLET_PORTABLE='C:\Portable\Quillet\'
export QUILLET_PACKAGE_FILES=$files
export QUILLET_VERSION=$version
QUILLET_BUILD=$work bash "$scripts/wine-exec.sh" "$build/bin/package_tests.exe" --gtest_color=no
