#!/usr/bin/env bash
# Start-up of the editor, from process start to the main window showing the sample file's
# values, against two floors: a bare program that imports the same system libraries and opens
# one window with one text box (bench/bare_window_program.cpp), and the editor's own window
# tree without its start-up (bench/editor_window_tree_program.cpp), which costs most of the
# time under Wine. All run under Wine with a persistent wineserver, alternated in rounds so
# that drift hits them alike. Each editor start is a first run opened on the sample file.
# Writes the median times in Google Benchmark's JSON shape to standard output, and as text to
# standard error. It ends the build tree's wineserver when done: run it while no Wine tests of
# that tree run.
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

# The three programs by the names their times go by, and their command lines; each program's
# first box shows 1.2 when it is up.
names=(bare_window_program editor_window_tree_program Marlwick.exe)
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

# The middle time of a file, or the mean of the two in the middle.
median_run() { # name file-of-times
    jq -s --arg name "$1" 'sort as $times | length as $count | {
        name: $name,
        real_time: (($times[($count - 1) / 2 | floor] + $times[$count / 2 | floor]) / 2),
        time_unit: "ms"}' "$2"
}
for i in 0 1 2; do
    median_run "${names[i]}" "$work/times.$i"
done | jq -s '{benchmarks: .}' | tee "$work/medians.json"

read -r b t e < <(jq -r '[.benchmarks[].real_time] | @tsv' "$work/medians.json")
{
    printf "bare window program         : %.1f ms to a shown value\n" "$b"
    printf "editor window tree program  : %.1f ms to a shown value\n" "$t"
    printf "Marlwick.exe                : %.1f ms to the sample file shown\n" "$e"
} >&2
