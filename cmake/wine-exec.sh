#!/usr/bin/env bash
# Runs a Windows executable under Wine with the project's test environment:
# the Chinese locale is given to Wine only, so its ANSI code page is 936.
# WINEPREFIX and DISPLAY come from the calling script (scripts/test.sh).
export WINEDEBUG=${WINEDEBUG:--all}
# No debugger on a crash: a crashed test ends at once instead of hanging the run.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml=;winedbg.exe=d"}
exec env LC_ALL=zh_CN.UTF-8 LANG=zh_CN.UTF-8 /usr/lib/wine/wine64 "$@"
