# Shared by the tools: where the tree is, which Debian packages it needs, Wine and Xvfb.
# Sourced, not run.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
export ROOT

NATIVE_PACKAGES=(cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev)
WINDOWS_PACKAGES=(cmake ninja-build g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    googletest wine64 fonts-wine xvfb x11-utils imagemagick util-linux)

# Installs whatever of the named Debian packages is missing: as root with apt-get, otherwise
# it names them and stops.
require_packages() {
    local missing=() package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing Debian packages: ${missing[*]}" >&2
        echo "Install them with: sudo apt-get install ${missing[*]}" >&2
        exit 1
    fi
    echo "Installing ${missing[*]}" >&2
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

JOBS=$(nproc 2>/dev/null || echo 2)

# Prints a script's usage to stderr: its leading comment from the "Usage:" line on.
show_usage() { # script
    awk '!/^#/ { exit } /^# Usage:/ { shown = 1 } shown { sub(/^# ?/, ""); print }' "$1" >&2
}

# Build trees live in $BUILD_ROOT/<preset>; another BUILD_ROOT keeps a second tree apart.
BUILD_ROOT=$(realpath -m "${BUILD_ROOT:-$ROOT/build}")

build_dir() { # preset
    echo "$BUILD_ROOT/$1"
}

configure_and_build() { # preset [extra cmake arguments...]
    local preset=$1
    shift
    cmake --preset "$preset" -B "$(build_dir "$preset")" "$@" >/dev/null
    cmake --build "$(build_dir "$preset")" -j "$JOBS"
}

run_ctest() { # preset [ctest arguments...]
    local preset=$1
    shift
    ctest --test-dir "$(build_dir "$preset")" --output-on-failure -j "$JOBS" "$@"
}

# Starts an Xvfb display of our own unless one is usable already; the caller stops it with
# stop_display.
XVFB_PID=
start_display() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
        return 0
    fi
    local number
    for number in $(seq 90 120); do
        [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] && continue
        Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        XVFB_PID=$!
        export DISPLAY=":$number"
        local tries
        for tries in $(seq 50); do
            xdpyinfo >/dev/null 2>&1 && return 0
            sleep 0.1
        done
        kill "$XVFB_PID" 2>/dev/null
        XVFB_PID=
    done
    echo "Could not start Xvfb" >&2
    return 1
}

stop_display() {
    [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
    XVFB_PID=
}

# A wineserver that stays up for the build tree's prefix makes each test start in a tenth
# of a second instead of seconds; only that prefix's server is ended afterwards.
start_wineserver() { # build directory
    "$1/wine-run" # creates the prefix once
    # The server that made the prefix ends by itself a few seconds later; a second one
    # cannot start while it runs.
    WINEPREFIX="$1/wineprefix" /usr/lib/wine/wineserver -w
    WINEPREFIX="$1/wineprefix" /usr/lib/wine/wineserver -p
}

stop_wineserver() { # build directory
    WINEPREFIX="$1/wineprefix" /usr/lib/wine/wineserver -k 2>/dev/null || true
}
