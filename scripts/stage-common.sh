# Sourced by the screenshot scripts, with repo set. stage_begin TARGET builds the stage program TARGET,
# starts a Wine session of the build and sets display, out (build/screenshots) and work (a scratch folder);
# both the session and the scratch folder end with the script.
stage_begin() {
    root=${QUILLET_BUILD_ROOT:-$repo/build}
    bash "$repo/scripts/setup.sh"
    bash "$repo/scripts/build.sh" windows >/dev/null
    cmake --build "$root/windows" --target "$1" -j"$(nproc)" >/dev/null
    export QUILLET_BUILD="$root/windows"
    . "$repo/scripts/wine-common.sh"
    work=$(mktemp -d)
    trap 'bash "$repo/scripts/wine-session.sh" stop "$root/windows" >/dev/null 2>&1 || true; rm -rf "$work"' EXIT
    bash "$repo/scripts/wine-session.sh" start "$root/windows" >/dev/null
    display=$(session_display)
    out="$root/screenshots"
    mkdir -p "$out"
}

# shoot READY NAME: waits for the stage to make the file READY in the scratch folder, then photographs the
# screen into NAME.png.
shoot() {
    for _ in $(seq 1 600); do [ -e "$work/$1" ] && break; sleep 0.1; done
    [ -e "$work/$1" ] || { echo "$(basename "$0"): the stage never got to $2" >&2; exit 1; }
    sleep 0.5 # one more paint after the last change
    xwd -root -silent -display "$display" | xwdtopnm 2>/dev/null | pnmtopng >"$out/$2.png"
}

# stage_start TARGET: starts the stage program with its four hand-shake files (ready1 done1 ready2 done2).
stage_start() {
    local args=() f
    for f in ready1 done1 ready2 done2; do args+=("$("$wine_bin" winepath -w "$work/$f")"); done
    bash "$repo/scripts/wine-exec.sh" "$root/windows/bin/$1.exe" "${args[@]}" >/dev/null 2>&1 &
    stage=$!
}
