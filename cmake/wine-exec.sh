#!/usr/bin/env bash
# Runs a Windows executable under Wine with the project's test environment.
# WINEPREFIX and DISPLAY come from scripts/test.sh (a throw-away prefix and Xvfb).
export LC_ALL=zh_CN.UTF-8 LANG=zh_CN.UTF-8
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
exec /usr/lib/wine/wine64 "$@"
