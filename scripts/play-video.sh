#!/bin/sh
# The Wine prefix's player for .mp4 files (wine-env.sh copies it into the
# prefix): Wine hands over the file's Windows path; ffplay gets it as a Unix
# path, through the prefix's drive links.
prefix=$(dirname "$0")
drive=$(printf '%s' "$1" | cut -c1 | tr 'A-Z' 'a-z')
rest=$(printf '%s' "$1" | cut -c3- | tr '\\' /)
root=$(readlink -f "$prefix/dosdevices/$drive:")
exec ffplay -hide_banner -loglevel quiet "${root%/}$rest" </dev/null >/dev/null 2>&1
