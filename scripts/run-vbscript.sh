#!/usr/bin/env bash
# run-vbscript.sh LIBRARY SCRIPT: registers the library, runs the script with the platform's script host
# under Wine, and unregisters the library again. Passes when the script ends without error and prints
# its last line ("... done.").
set -uo pipefail
library=$1
script=$2
here=$(dirname "$0")
winpath() { echo "Z:${1//\//\\}"; }

"$here/wine-exec.sh" regsvr32 /s "$(winpath "$library")" || { echo "run-vbscript: registering $library failed" >&2; exit 1; }
out=$(mktemp)
"$here/wine-exec.sh" cscript //nologo "$(winpath "$script")" >"$out" 2>&1
rc=$?
"$here/wine-exec.sh" regsvr32 /s /u "$(winpath "$library")"
cat "$out"
last=$(tr -d '\r' <"$out" | sed '/^$/d' | tail -n 1)
rm -f "$out"
if [ $rc -ne 0 ] || [[ "$last" != *" done." ]]; then
    echo "run-vbscript: the script did not run to its end (exit code $rc)" >&2
    exit 1
fi
