#!/usr/bin/env bash
# Start-up of the editor, from process start to the main window showing the sample file's
# values, against a bare program that imports the same system libraries and opens one window
# with one text box. Both run under Wine with a persistent wineserver, alternated in rounds
# so that drift hits both alike. Each editor start is a first run opened on the sample file.
# It ends the build tree's wineserver when done: run it while no Wine tests of that tree run.
# Usage: bench/marlwick_startup_bench.sh [windows build dir] [rounds]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/tools/lib/common.sh"
build=$(realpath "${1:-$root/build/windows}")
rounds=${2:-10}
marlwick="$build/bin/Marlwick.exe"
[ -f "$marlwick" ] || { echo "No $marlwick: build the windows tree first" >&2; exit 1; }

work=$(mktemp -d)
cleanup() {
    stop_wineserver "$build"
    stop_display
    rm -rf "$work"
}
trap cleanup EXIT

compile() { # output source libraries...
    local output=$1 source=$2
    shift 2
    x86_64-w64-mingw32-g++-posix -Os -static -o "$output" "$source" "$@"
}
compile "$work/bare.exe" "$root/bench/bare_window_program.cpp" -mwindows -ladvapi32 -lcomdlg32 \
    -lshell32 -lcomctl32 -luser32
compile "$work/driver.exe" "$root/bench/startup_driver.cpp" -ladvapi32 -luser32

start_display
start_wineserver "$build"
sample="Z:${root//\//\\}\\examples\\ApplicationSettings.xml"
drive() { "$build/wine-run" "$work/driver.exe" "$@"; }

drive 1 1.2 "$work/bare.exe" >/dev/null # warm both up
drive 1 1.2 "\"$marlwick\" \"$sample\"" >/dev/null
bare_total=0 editor_total=0
for _ in $(seq "$rounds"); do
    bare_total=$(awk -v a="$bare_total" -v b="$(drive 3 1.2 "$work/bare.exe")" 'BEGIN { print a + b }')
    editor_total=$(awk -v a="$editor_total" -v b="$(drive 3 1.2 "\"$marlwick\" \"$sample\"")" \
        'BEGIN { print a + b }')
done
awk -v b="$bare_total" -v e="$editor_total" -v r="$rounds" 'BEGIN {
    printf "bare window program : %.1f ms to a shown value\n", b / r
    printf "Marlwick.exe        : %.1f ms to the sample file shown\n", e / r
    printf "ratio               : %.3f (goal: within 1.3)\n", e / b
}'
