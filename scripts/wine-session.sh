#!/usr/bin/env bash
# Source this file to get a private Wine prefix and X display for one run:
#   source scripts/wine-session.sh && wine_session_start && ... ; wine_session_stop
# It starts the prefix's server cold with no pipes attached (a cold start hands
# our stdout to long-lived Wine processes, and whoever reads that output would
# wait for ever), keeps one small GUI program alive so Wine's desktop process is
# never started by a captured test, and points Wine's browser launcher at a
# script that records every URL it is asked to open.
#
# Settings read from the environment:
#   ZELVANE_RUN_DIR       where the prefix and the session's files live
#                         (a new temporary directory when unset)
#   ZELVANE_USE_DISPLAY   non-empty: use $DISPLAY instead of a private Xvfb
#   ZELVANE_KEEP_RUN_DIR  non-empty: wine_session_stop keeps ZELVANE_RUN_DIR

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

# A private X server; sets DISPLAY. Fails when the server does not come up.
wine_session_start_xvfb() {
    DISPLAY=$(wine_session_pick_display)
    export DISPLAY
    mkdir -p "$ZELVANE_RUN_DIR"
    Xvfb "$DISPLAY" -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    echo $! > "$ZELVANE_RUN_DIR/xvfb.pid"
    for _ in $(seq 100); do
        [ -e "/tmp/.X11-unix/X${DISPLAY#:}" ] && return 0
        sleep 0.1
    done
    echo "wine-session: Xvfb did not start on $DISPLAY" >&2
    return 1
}

# Wine's dialog fonts have no Chinese glyphs; link them to the CJK font that
# install-deps.sh installs, as a Chinese Windows does with its own fonts.
wine_session_link_cjk_font() {
    local face
    for face in "Tahoma" "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif"; do
        wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
            /v "$face" /t REG_MULTI_SZ /d "wqy-microhei.ttc,WenQuanYi Micro Hei" /f \
            </dev/null >/dev/null 2>&1 || true
    done
}

# Creates the prefix on first use, then starts its server and services with
# no pipes attached.
wine_session_boot_prefix() {
    mkdir -p "$WINEPREFIX"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        wineboot -i </dev/null >/dev/null 2>&1 || {
            echo "wine-session: wineboot failed for $WINEPREFIX" >&2
            return 1
        }
        wine_session_link_cjk_font
    fi
    wineserver -p </dev/null >/dev/null 2>&1 || true
    wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}

# Every URL the shell is asked to open is appended to $ZELVANE_OPENED_URLS.
wine_session_fake_browser() {
    local browser="$ZELVANE_RUN_DIR/fake-browser.sh"
    printf '#!/bin/sh\nprintf "%%s\\n" "$1" >> "%s"\n' "$ZELVANE_OPENED_URLS" > "$browser"
    chmod +x "$browser"
    : > "$ZELVANE_OPENED_URLS"
    wine reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /t REG_SZ /d "$browser" /f \
        </dev/null >/dev/null 2>&1
}

# Keeps Wine's desktop process alive for the whole run.
wine_session_keepalive() {
    wine notepad.exe </dev/null >/dev/null 2>&1 &
    echo $! > "$ZELVANE_RUN_DIR/keepalive.pid"
    sleep 2
}

wine_session_start() {
    if [ -z "${ZELVANE_USE_DISPLAY:-}" ]; then
        wine_session_start_xvfb || return 1
    fi
    wine_session_boot_prefix || return 1
    wine_session_fake_browser
    wine_session_keepalive
}

wine_session_stop() {
    local pidfile
    if [ -d "$WINEPREFIX" ]; then wineserver -k </dev/null >/dev/null 2>&1 || true; fi
    for pidfile in "$ZELVANE_RUN_DIR/keepalive.pid" "$ZELVANE_RUN_DIR/xvfb.pid"; do
        if [ -f "$pidfile" ]; then
            kill "$(cat "$pidfile")" 2>/dev/null || true
            rm -f "$pidfile"
        fi
    done
    [ -n "${ZELVANE_KEEP_RUN_DIR:-}" ] || rm -rf "$ZELVANE_RUN_DIR"
    return 0
}
