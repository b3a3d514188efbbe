#!/usr/bin/env bash
# Lets the current WINEPREFIX draw Chinese text with the faces Windows dialogs
# use: Wine links a CJK font behind them only for a CJK locale, so without
# this the captions of the main window come out as boxes. Run it once per
# prefix, after wineboot. Needs fonts-wqy-microhei.
set -eu
link='wqy-microhei.ttc,WenQuanYi Micro Hei'
key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink'
for face in 'Tahoma' 'MS Shell Dlg' 'MS Shell Dlg 2' 'Microsoft Sans Serif' 'Arial' 'Times New Roman' \
    'Segoe UI'; do
    wine reg add "$key" /v "$face" /t REG_MULTI_SZ /d "$link" /f </dev/null >/dev/null 2>&1
done
