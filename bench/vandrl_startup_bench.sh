#!/usr/bin/env bash
# Start-up of the eject tool's one-shot mode, "Vandrl.exe Q:" (a drive that does not exist),
# against a bare Windows program importing the same system libraries, in one run under Wine
# with a persistent wineserver; then the resident copy's working set after its trim. Writes the
# mean times in Google Benchmark's JSON shape to standard output, and as text with the working
# set to standard error. It ends the build tree's wineserver when done, so run it while no Wine
# tests of that tree run.
# Usage: bench/vandrl_startup_bench.sh [windows build dir] [runs]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:-$root/build/windows}")
runs=${2:-30}
vandrl="$build/bin/Vandrl.exe"
bare="$build/bench/bare_win32_program.exe"
for program in "$vandrl" "$bare"; do
    [ -f "$program" ] || { echo "No $program: build the windows tree first" >&2; exit 1; }
done

export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
loader=/usr/lib/wine/wine64
cleanup() {
    [ -n "${resident:-}" ] && kill "$resident" 2>/dev/null
    /usr/lib/wine/wineserver -k 2>/dev/null || true
}
trap cleanup EXIT

"$build/wine-run"
/usr/lib/wine/wineserver -p 2>/dev/null || true # may already be up

now_ns() { date +%s%N; }
run_us() { # program arguments...
    local start end
    start=$(now_ns)
    "$loader" "$@" >/dev/null 2>&1 </dev/null
    end=$(now_ns)
    echo $(((end - start) / 1000))
}

# Warm both up, then alternate so that drift hits both alike.
run_us "$bare" >/dev/null
run_us "$vandrl" Q: >/dev/null
bare_total=0 vandrl_total=0
for _ in $(seq "$runs"); do
    bare_total=$((bare_total + $(run_us "$bare")))
    vandrl_total=$((vandrl_total + $(run_us "$vandrl" Q:)))
done
jq -n --argjson runs "$runs" --argjson bare "$bare_total" --argjson vandrl "$vandrl_total" '{
    benchmarks: [
        {name: "bare_win32_program", real_time: ($bare / $runs), time_unit: "us"},
        {name: "Vandrl.exe", real_time: ($vandrl / $runs), time_unit: "us"}
    ]}'
{
    echo "bare program   : $((bare_total / runs)) us per start ($runs runs)"
    echo "Vandrl.exe Q:  : $((vandrl_total / runs)) us per start"
} >&2

# The resident copy: started without arguments, it trims its working set after creating its
# window. Its display is whatever $DISPLAY is (a virtual one under tools/test).
if [ -n "${DISPLAY:-}" ]; then
    "$loader" "$vandrl" >/dev/null 2>&1 </dev/null &
    resident=$!
    sleep 3
    pid=$(pgrep -n -f 'Vandrl.exe$' || true)
    if [ -n "$pid" ]; then
        grep -E 'VmRSS|VmHWM' "/proc/$pid/status" | sed 's/^/resident copy  : /' >&2
    fi
fi
