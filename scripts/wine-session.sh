#!/usr/bin/env bash
# Source this file to get a private Wine prefix and X display for one run:
#   source scripts/wine-session.sh && wine_session_start && ... ; wine_session_stop
# It starts the prefix's server cold with no pipes attached (a cold start hands
# our stdout to long-lived Wine processes, and whoever reads that output would
# wait for ever), keeps one small GUI program alive so Wine's desktop process is
# never started by a captured test, and points Wine's browser launcher at a
# script that records every URL it is asked to open.

: "${ZELVANE_RUN_DIR:=$(mktemp -d /tmp/zelvane-run.XXXXXX)}"
export ZELVANE_RUN_DIR
export WINEPREFIX="$ZELVANE_RUN_DIR/prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export ZELVANE_OPENED_URLS="$ZELVANE_RUN_DIR/opened-urls.txt"

wine_session_pick_display() {
    local n
    for n in $(seq 91 140); do
        if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
            echo ":$n"
            return
        fi
    done
    echo ":141"
}

wine_session_start() {
    if [ -z "${ZELVANE_USE_DISPLAY:-}" ]; then
        DISPLAY=$(wine_session_pick_display)
        export DISPLAY
        Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
        echo $! > "$ZELVANE_RUN_DIR/xvfb.pid"
        for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${DISPLAY#:}" ] && break; sleep 0.1; done
    fi
    mkdir -p "$WINEPREFIX"
    wineboot -i </dev/null >/dev/null 2>&1
    wineserver -p </dev/null >/dev/null 2>&1
    wine cmd /c exit </dev/null >/dev/null 2>&1

    local browser="$ZELVANE_RUN_DIR/fake-browser.sh"
    printf '#!/bin/sh\nprintf "%%s\\n" "$1" >> "%s"\n' "$ZELVANE_OPENED_URLS" > "$browser"
    chmod +x "$browser"
    : > "$ZELVANE_OPENED_URLS"
    wine reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /t REG_SZ /d "$browser" /f \
        </dev/null >/dev/null 2>&1

    # Keeps Wine's desktop process alive for the whole run.
    wine notepad.exe </dev/null >/dev/null 2>&1 &
    echo $! > "$ZELVANE_RUN_DIR/keepalive.pid"
    sleep 2
}

wine_session_stop() {
    wineserver -k </dev/null >/dev/null 2>&1 || true
    [ -f "$ZELVANE_RUN_DIR/keepalive.pid" ] && kill "$(cat "$ZELVANE_RUN_DIR/keepalive.pid")" 2>/dev/null
    [ -f "$ZELVANE_RUN_DIR/xvfb.pid" ] && kill "$(cat "$ZELVANE_RUN_DIR/xvfb.pid")" 2>/dev/null
    [ -n "${ZELVANE_KEEP_RUN_DIR:-}" ] || rm -rf "$ZELVANE_RUN_DIR"
    return 0
}
