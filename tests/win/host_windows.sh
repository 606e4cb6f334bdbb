#!/bin/sh
# The X display's shown top-level windows, for the Windows tests (which run
# it as a program of the host: Wine hands them no output, so it goes to a file,
# moved into place when whole).
#   host_windows.sh list FILE     one "ID CLASS" line per window
#   host_windows.sh close ID FILE closes the window's program (FILE says done)
case $1 in
  list)
    for w in $(xwininfo -root -children | sed -n 's/^ *\(0x[0-9a-f]*\) .*/\1/p'); do
      xwininfo -id "$w" 2>/dev/null | grep -q 'Map State: IsViewable' || continue
      class=$(xprop -id "$w" WM_CLASS 2>/dev/null | sed -n 's/^WM_CLASS([^)]*) = "\([^"]*\)".*/\1/p')
      echo "$w ${class:--}"
    done >"$2.part"
    mv "$2.part" "$2"
    ;;
  close)
    xdotool windowkill "$2" 2>/dev/null
    echo done >"$3"
    ;;
esac
