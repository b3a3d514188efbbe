#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test:
#   1. the portable code's unit tests, natively with AddressSanitizer and UBSan;
#   2. the Windows build: unit, adapter and end-to-end tests under Wine, with
#      a private Xvfb display and Wine prefix that are removed afterwards;
#   3. a short fuzzing run, when scripts/fuzz-smoke.sh is there.
# Exits non-zero when any step fails. Build directories default to the
# presets' (build/native, build/windows); ZELVANE_NATIVE_BUILD and
# ZELVANE_WINDOWS_BUILD choose others.
set -uo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"

native_dir="${ZELVANE_NATIVE_BUILD:-build/native}"
windows_dir="${ZELVANE_WINDOWS_BUILD:-build/windows}"
jobs=$(nproc)

summary=()
failed=0
session_started=

cleanup() {
    if [ -n "$session_started" ]; then
        wine_session_stop
        session_started=
    fi
}
trap cleanup EXIT
trap 'echo "test: interrupted" >&2; exit 130' INT TERM

# step NAME COMMAND...: runs the command, records how it went and how long.
step() {
    local name=$1 started status
    shift
    printf '\n=== %s\n' "$name"
    started=$SECONDS
    "$@"
    status=$?
    if [ "$status" -eq 0 ]; then
        summary+=("PASS  $name ($((SECONDS - started)) s)")
    else
        summary+=("FAIL  $name ($((SECONDS - started)) s, exit $status)")
        failed=1
    fi
    return "$status"
}

skip() {
    summary+=("SKIP  $1 ($2)")
    printf '\n=== %s: skipped, %s\n' "$1" "$2"
}

print_summary() {
    printf '\n=== Summary\n'
    printf '  %s\n' "${summary[@]}"
    if [ "$failed" -eq 0 ]; then
        echo "All steps passed."
    else
        echo "Some steps FAILED."
    fi
}

run_wine_tests() {
    # Always a fresh prefix and a private display, whatever the caller set.
    unset ZELVANE_RUN_DIR ZELVANE_USE_DISPLAY
    # shellcheck source=scripts/wine-session.sh
    source scripts/wine-session.sh
    session_started=1
    wine_session_start || return 1
    ctest --test-dir "$windows_dir" --output-on-failure --no-tests=error --timeout 300
}

if ! step "install packages" scripts/install-deps.sh; then
    print_summary
    exit 1
fi

if step "native: configure" cmake --preset native -B "$native_dir" &&
    step "native: build" cmake --build "$native_dir" -j"$jobs"; then
    step "native: unit tests (ASan, UBSan)" \
        ctest --test-dir "$native_dir" --output-on-failure --no-tests=error --timeout 300
else
    skip "native: unit tests (ASan, UBSan)" "the native build failed"
fi

if step "windows: configure" cmake --preset windows -B "$windows_dir" &&
    step "windows: build" cmake --build "$windows_dir" -j"$jobs"; then
    step "windows: unit, adapter and end-to-end tests under Wine" run_wine_tests
    cleanup
else
    skip "windows: tests under Wine" "the Windows build failed"
fi

if [ -x scripts/fuzz-smoke.sh ]; then
    step "fuzzing smoke run" scripts/fuzz-smoke.sh
else
    skip "fuzzing smoke run" "scripts/fuzz-smoke.sh is not there yet"
fi

print_summary
exit "$failed"
