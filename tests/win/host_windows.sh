#!/bin/sh
# The X display's shown top-level windows, for the Windows tests (which run
# it in the host's shell).
#   host_windows.sh list      one "ID CLASS" line per window
#   host_windows.sh close ID  closes the window's program
case $1 in
  list)
    for w in $(xwininfo -root -children | sed -n 's/^ *\(0x[0-9a-f]*\) .*/\1/p'); do
      xwininfo -id "$w" 2>/dev/null | grep -q 'Map State: IsViewable' || continue
      class=$(xprop -id "$w" WM_CLASS 2>/dev/null | sed -n 's/^WM_CLASS([^)]*) = "\([^"]*\)".*/\1/p')
      echo "$w ${class:--}"
    done
    ;;
  close)
    xdotool windowkill "$2" 2>/dev/null
    ;;
esac
