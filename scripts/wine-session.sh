#!/usr/bin/env bash
# Source this file to get a private Wine prefix and X display for one run:
#   source scripts/wine-session.sh && wine_session_start && ... ; wine_session_stop
# It starts the prefix's server cold with no pipes attached (a cold start hands
# our stdout to long-lived Wine processes, and whoever reads that output would
# wait for ever), keeps one small GUI program alive so Wine's desktop process is
# never started by a captured test, and points Wine's browser launcher at a
# script that records every URL it is asked to open. Every window opens in a
# 1024x768 Wine virtual desktop, and Chinese text renders in every control.
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

# A REG_MULTI_SZ value in a REGEDIT4 file: the strings' bytes, each string
# ending in a zero byte, the list ending in another.
wine_session_reg_multi_sz() {
    local item hex=""
    for item in "$@"; do
        hex+=$(printf '%s' "$item" | od -An -tx1 -v)
        hex+=" 00"
    done
    hex+=" 00"
    # shellcheck disable=SC2086 # word splitting joins the bytes with commas
    printf 'hex(7):%s' "$(printf '%s\n' $hex | paste -sd, -)"
}

# Wine's GUI fonts have no Chinese glyphs: link the faces it uses for dialogs,
# controls and edit boxes to the CJK font that install-deps.sh installs, as a
# Chinese Windows does with its own fonts, and let the usual Chinese font
# names stand for it. Marlett draws the title bar's buttons.
wine_session_cjk_font_settings() {
    local link face
    link=$(wine_session_reg_multi_sz "wqy-microhei.ttc,WenQuanYi Micro Hei")
    echo '[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink]'
    for face in "Liberation Sans" "Tahoma" "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif" "Arial"; do
        printf '"%s"=%s\n' "$face" "$link"
    done
    echo
    echo '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]'
    for face in "SimSun" "NSimSun" "Microsoft YaHei" "SimHei" "MS UI Gothic" "MS Gothic" "MingLiU" "PMingLiU"; do
        printf '"%s"="WenQuanYi Micro Hei"\n' "$face"
    done
    echo
}

wine_session_copy_marlett() {
    local fonts="$WINEPREFIX/drive_c/windows/Fonts"
    local marlett=/usr/share/wine/fonts/marlett.ttf
    if [ -f "$marlett" ] && [ ! -e "$fonts/marlett.ttf" ]; then
        mkdir -p "$fonts" && cp "$marlett" "$fonts/"
    fi
}

# Imports the registry settings that the functions named in the arguments
# print, with one regedit call (each Wine start costs a moment).
wine_session_import_settings() {
    local file="$ZELVANE_RUN_DIR/settings.reg" settings
    {
        echo "REGEDIT4"
        echo
        for settings in "$@"; do "$settings"; done
    } > "$file"
    wine regedit /S "$(winepath -w "$file" 2>/dev/null)" </dev/null >/dev/null 2>&1 || {
        echo "wine-session: importing $file failed" >&2
        return 1
    }
}

# Creates the prefix on first use, then starts its server and services with
# no pipes attached and imports the font settings and whatever the functions
# named in the arguments print for the registry.
wine_session_boot_prefix() {
    mkdir -p "$WINEPREFIX"
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        wineboot -i </dev/null >/dev/null 2>&1 || {
            echo "wine-session: wineboot failed for $WINEPREFIX" >&2
            return 1
        }
    fi
    wine_session_copy_marlett
    wineserver -p </dev/null >/dev/null 2>&1 || true
    # Every time, so that a kept prefix gets settings added since it was made.
    wine_session_import_settings wine_session_cjk_font_settings "$@"
}

# Every URL the shell is asked to open is appended to $ZELVANE_OPENED_URLS.
wine_session_make_fake_browser() {
    local browser="$ZELVANE_RUN_DIR/fake-browser.sh"
    printf '#!/bin/sh\nprintf "%%s\\n" "$1" >> "%s"\n' "$ZELVANE_OPENED_URLS" > "$browser"
    chmod +x "$browser"
    : > "$ZELVANE_OPENED_URLS"
}

wine_session_fake_browser_settings() {
    echo '[HKEY_CURRENT_USER\Software\Wine\WineBrowser]'
    printf '"Browsers"="%s"\n\n' "$ZELVANE_RUN_DIR/fake-browser.sh"
}

# Every window opens inside one Wine virtual desktop of the screen's size.
# Without a window manager Wine waits up to two seconds for one each time a
# top-level window is hidden or destroyed; inside the desktop it need not.
wine_session_virtual_desktop_settings() {
    echo '[HKEY_CURRENT_USER\Software\Wine\Explorer]'
    echo '"Desktop"="Default"'
    echo
    echo '[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]'
    echo '"Default"="1024x768"'
    echo
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
    wine_session_make_fake_browser
    wine_session_boot_prefix wine_session_fake_browser_settings wine_session_virtual_desktop_settings ||
        return 1
    # The desktop process that booting started has no virtual desktop; the
    # next one reads the setting.
    wineserver -k </dev/null >/dev/null 2>&1 || true
    wineserver -p </dev/null >/dev/null 2>&1 || true
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
