#!/usr/bin/env bash
# Measures the figures of docs/performance.md that need the Windows build:
# executable size, start-up time to the window shown against a minimal Win32
# window built the same way, private memory at rest, idle CPU over a minute,
# and copy-to-converted latency (the end-to-end test's own measurement).
#   scripts/figures.sh            ZELVANE_WINDOWS_BUILD chooses the build dir
set -uo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"
build="${ZELVANE_WINDOWS_BUILD:-build/windows}"
runs="${ZELVANE_STARTUP_RUNS:-20}"

scripts/install-deps.sh >/dev/null || exit 1
cmake --preset windows -B "$build" >/dev/null || exit 1
cmake --build "$build" -j"$(nproc)" --target zelvane minimal_window probe e2e_tests >/dev/null || exit 1

echo "== executable size"
echo "zelvane.exe as built:    $(stat -c %s "$build/zelvane.exe") bytes"
cmake --build "$build" --target release >/dev/null || exit 1
echo "zelvane.exe stripped:    $(stat -c %s "$build/release/zelvane.exe") bytes"
echo "zelvane-1.0.0.zip:       $(stat -c %s "$build/release/zelvane-1.0.0.zip") bytes"
x86_64-w64-mingw32-strip -o "$build/minimal_window.stripped.exe" "$build/bench/win32/minimal_window.exe"
echo "minimal_window stripped: $(stat -c %s "$build/minimal_window.stripped.exe") bytes"

unset ZELVANE_RUN_DIR ZELVANE_USE_DISPLAY
# shellcheck source=scripts/wine-session.sh
source scripts/wine-session.sh
trap wine_session_stop EXIT
wine_session_start || exit 1

# Copies of their own, so Zelvane's Config lands in the session's directory.
programs="$ZELVANE_RUN_DIR/programs"
mkdir -p "$programs"
cp "$build/release/zelvane.exe" "$build/minimal_window.stripped.exe" "$programs/"
zelvane=$(winepath -w "$programs/zelvane.exe" 2>/dev/null)
minimal=$(winepath -w "$programs/minimal_window.stripped.exe" 2>/dev/null)

# CPU seconds (user + system) of a Linux process, from /proc: utime and
# stime are fields 14 and 15, after a command name without spaces.
cpu_seconds() {
    awk -v tick="$(getconf CLK_TCK)" '{ printf "%.2f", ($14 + $15) / tick }' "/proc/$1/stat"
}

# Idle CPU as the host sees it: Zelvane's own process and the wineserver,
# which runs its timer, over a minute after a quiet start.
host_idle_cpu() {
    local exe=$1 seconds=60 pid server zelvane_before server_before
    wine "$exe" >/dev/null 2>&1 &
    sleep 10
    pid=$(pgrep -f 'programs.zelvane\.exe' | head -n 1)
    server=$(pgrep '^wineserver' | head -n 1)
    if [ -z "$pid" ] || [ -z "$server" ]; then
        echo "host: zelvane.exe or the wineserver not found"
        return 1
    fi
    zelvane_before=$(cpu_seconds "$pid")
    server_before=$(cpu_seconds "$server")
    sleep "$seconds"
    awk -v z0="$zelvane_before" -v z1="$(cpu_seconds "$pid")" -v s0="$server_before" \
        -v s1="$(cpu_seconds "$server")" -v t="$seconds" \
        'BEGIN { printf "host: zelvane.exe used %.2f s of CPU in %d s, the wineserver %.2f s\n", z1 - z0, t, s1 - s0 }'
    kill "$pid"
}

echo "== start-up to the window shown ($runs starts each, alternating)"
wine "$build/bench/win32/probe.exe" startup "$runs" "$zelvane" "$minimal"

echo "== at rest, and idle CPU over 60 s"
wine "$build/bench/win32/probe.exe" rest 60 "$zelvane"
host_idle_cpu "$programs/zelvane.exe"
echo "-- the minimal window, for comparison"
wine "$build/bench/win32/probe.exe" rest 10 "$minimal"

echo "== copy to converted link"
wine "$build/tests/e2e/e2e_tests.exe" --gtest_filter='ConversionE2eTest.CopiedLinkIsConvertedAtOnce' |
    grep -E 'converted after|latency|OK|FAILED'
