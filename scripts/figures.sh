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
echo "zelvane.exe stripped:    $(stat -c %s "$build/zelvane.exe") bytes"
echo "zelvane-1.0.0.zip:       $(stat -c %s "$build/zelvane-1.0.0.zip") bytes"
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
cp "$build/zelvane.exe" "$build/minimal_window.stripped.exe" "$programs/"
zelvane=$(winepath -w "$programs/zelvane.exe" 2>/dev/null)
minimal=$(winepath -w "$programs/minimal_window.stripped.exe" 2>/dev/null)

echo "== start-up to the window shown ($runs starts each, alternating)"
wine "$build/bench/win32/probe.exe" startup "$runs" "$zelvane" "$minimal"

echo "== at rest, and idle CPU over 60 s"
wine "$build/bench/win32/probe.exe" rest 60 "$zelvane"
echo "-- the minimal window, for comparison"
wine "$build/bench/win32/probe.exe" rest 10 "$minimal"

echo "== copy to converted link"
wine "$build/tests/e2e/e2e_tests.exe" --gtest_filter='ConversionE2eTest.CopiedLinkIsConvertedAtOnce' |
    grep -E 'converted after|latency|OK|FAILED'
