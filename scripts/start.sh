#!/usr/bin/env bash
# Installs what is missing, builds zelvane.exe and starts it under Wine.
#
# With a working X display ($DISPLAY) Zelvane opens there and keeps running
# after this script ends; end it from its tray menu or by closing its window.
# Without one it runs in a Wine virtual desktop on a private Xvfb display, a
# screenshot is saved and its path printed, and Zelvane is stopped again, as
# nobody could use it there. ZELVANE_KEEP_RUNNING=1 leaves it running on that
# display instead (the script prints the DISPLAY to reach it with).
#
# The Wine prefix lives in build/zelvane-run/prefix and is kept between runs;
# Zelvane keeps its settings in build/windows/Config beside the executable.
set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$repo"

build_dir="${ZELVANE_WINDOWS_BUILD:-build/windows}"
exe="$repo/$build_dir/zelvane.exe"
screenshot="$repo/build/zelvane-screenshot.png"
log="$repo/build/zelvane-wine.log"

say() { printf 'start: %s\n' "$*"; }
die() { printf 'start: %s\n' "$*" >&2; exit 1; }

scripts/install-deps.sh

say "building zelvane.exe in $build_dir"
cmake --preset windows -B "$build_dir" >/dev/null ||
    die "configuring the Windows build failed"
cmake --build "$build_dir" -j"$(nproc)" --target zelvane ||
    die "building zelvane.exe failed (see the compiler output above)"
[ -f "$exe" ] || die "the build did not produce $exe"

export ZELVANE_RUN_DIR="$repo/build/zelvane-run"
export ZELVANE_KEEP_RUN_DIR=1
# shellcheck source=scripts/wine-session.sh
source scripts/wine-session.sh

display_works() {
    [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1
}

if display_works; then
    say "starting Zelvane on display $DISPLAY"
    wine_session_boot_prefix
    # Its own session, so closing this terminal does not end it.
    (cd "$(dirname "$exe")" && setsid wine "$(winepath -w "$exe" 2>/dev/null)" </dev/null >"$log" 2>&1 &)
    sleep 5
    say "Zelvane is running; Wine's messages go to $log"
    exit 0
fi

say "no usable X display: running Zelvane on a private Xvfb display"
stop_session() { [ -n "${ZELVANE_KEEP_RUNNING:-}" ] || wine_session_stop; }
trap stop_session EXIT
wine_session_start_xvfb
wine_session_boot_prefix
windows_exe=$(winepath -w "$exe" 2>/dev/null)
# Wine shows each Windows process with its command line as the process name.
zelvane_running() { ps -eo args= | grep -Fxq "$windows_exe"; }
(cd "$(dirname "$exe")" &&
    setsid wine explorer /desktop=zelvane,1024x768 "$windows_exe" </dev/null >"$log" 2>&1 &)
for _ in $(seq 20); do zelvane_running && break; sleep 0.5; done
sleep 5  # let the window finish drawing
zelvane_running || die "Zelvane is not running a few seconds after its start; Wine's messages are in $log"

import -display "$DISPLAY" -window root "$screenshot" || die "taking the screenshot failed"
say "screenshot saved to $screenshot"
if [ -n "${ZELVANE_KEEP_RUNNING:-}" ]; then
    say "Zelvane keeps running on DISPLAY=$DISPLAY (WINEPREFIX=$WINEPREFIX)"
else
    say "Zelvane stopped (ZELVANE_KEEP_RUNNING=1 leaves it running)"
fi
