#!/usr/bin/env bash
# Start-up of the editor, from process start to the main window showing the sample file's
# values, against two floors: a bare program that imports the same system libraries and opens
# one window with one text box (bench/bare_window_program.cpp), and the editor's own window
# tree without its start-up (bench/editor_window_tree_program.cpp), which costs most of the
# time under Wine. All run under Wine with a persistent wineserver, alternated in rounds so
# that drift hits them alike. Each editor start is a first run opened on the sample file.
# It ends the build tree's wineserver when done: run it while no Wine tests of that tree run.
# Usage: bench/marlwick_startup_bench.sh [windows build dir] [rounds]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/tools/lib/common.sh"
build=$(realpath "${1:-$root/build/windows}")
rounds=${2:-10}
marlwick="$build/bin/Marlwick.exe"
bare="$build/bench/bare_window_program.exe"
tree="$build/bench/editor_window_tree_program.exe"
driver="$build/bench/startup_driver.exe"
for program in "$marlwick" "$bare" "$tree" "$driver"; do
    [ -f "$program" ] || { echo "No $program: build the windows tree first" >&2; exit 1; }
done

work=$(mktemp -d)
cleanup() {
    stop_wineserver "$build"
    stop_display
    rm -rf "$work"
}
trap cleanup EXIT

start_display
start_wineserver "$build"
sample="Z:${root//\//\\}\\examples\\ApplicationSettings.xml"
drive() { "$build/wine-run" "$driver" "$@"; }

# The three command lines; each program's first box shows 1.2 when it is up.
commands=("$bare" "\"$tree\" 1.2" "\"$marlwick\" \"$sample\"")
for command in "${commands[@]}"; do
    drive 1 1.2 "$command" >/dev/null # warm up
done
# Each round starts with another program, so none always follows the same one; the median
# round counts, since other work on the machine comes in bursts.
for round in $(seq "$rounds"); do
    for offset in 0 1 2; do
        i=$(((round + offset) % 3))
        drive 3 1.2 "${commands[i]}" >>"$work/times.$i"
    done
done
median() { # file of numbers
    sort -n "$1" | awk '{ v[NR] = $1 }
        END { print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
awk -v b="$(median "$work/times.0")" -v t="$(median "$work/times.1")" \
    -v e="$(median "$work/times.2")" 'BEGIN {
    printf "bare window program         : %.1f ms to a shown value\n", b
    printf "editor window tree program  : %.1f ms to a shown value\n", t
    printf "Marlwick.exe                : %.1f ms to the sample file shown\n", e
    printf "ratio one-box window        : %.3f (goal: within 1.3)\n", e / b
    printf "ratio editor window tree    : %.3f (goal: within 1.2)\n", e / t
}'
