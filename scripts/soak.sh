#!/usr/bin/env bash
# The soak: builds the Windows preset and runs tests/soak (the real
# zelvane.exe, every option on, 10,000 clipboard changes of every kind while
# options, domains and the tray are worked) in a private Wine session.
#   scripts/soak.sh [--changes N] [--seed S]
# ZELVANE_WINDOWS_BUILD chooses the build directory (default build/windows).
# Prints the figures and exits non-zero when anything did not hold.
set -uo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"
build="${ZELVANE_WINDOWS_BUILD:-build/windows}"

scripts/install-deps.sh || exit 1
cmake --preset windows -B "$build" >/dev/null || exit 1
cmake --build "$build" -j"$(nproc)" --target soak || exit 1

unset ZELVANE_RUN_DIR ZELVANE_USE_DISPLAY
# shellcheck source=scripts/wine-session.sh
source scripts/wine-session.sh
trap wine_session_stop EXIT
wine_session_start || exit 1
wine "$build/tests/soak/soak.exe" "$@"
