#!/usr/bin/env bash
# Prepares a fresh Wine prefix (WINEPREFIX) for the tests and for looking at the windows.
set -euo pipefail
run="$(dirname "$0")/wine-run.sh"
mkdir -p "$WINEPREFIX"
# One server and Wine's own services for the whole run, started here with their output
# discarded: otherwise each test would start them and wait for them to end.
"$run" --server -p </dev/null >/dev/null 2>&1
"$run" wineboot --init </dev/null >/dev/null 2>&1
# Windows placed by Wine itself: without a window manager, a managed window that hides
# waits two seconds for one to answer.
"$run" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
# The dialog font and the message box font with Japanese glyphs (IPA fonts).
"$run" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes' \
    /v "MS UI Gothic" /d "IPAPGothic" /f >/dev/null 2>&1
"$run" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
    /v "Tahoma" /t REG_MULTI_SZ /d "ipag.ttf,IPAGothic" /f >/dev/null 2>&1
