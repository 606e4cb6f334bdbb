# Sourced by the scripts: Wine's locale, a prepared prefix and a display.
# The Chinese locale is given to Wine only (so its ANSI code page is 936);
# the shell keeps its own, which need not be generated.
export WINEDEBUG=${WINEDEBUG:--all}
# No debugger on a crash: a crashed test ends at once instead of hanging the run.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml=;winedbg.exe=d"}
WINE="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/cmake/wine-exec.sh"
WINESERVER=/usr/lib/wine/wineserver64

# The fonts the prefix puts in place of the Windows ones the program and the
# system dialogs ask for: WenQuanYi Micro Hei (outline glyphs with hinting, which
# stay legible at 12-16 px) for SimSun/宋体 and the dialog, menu and caption fonts.
PREFIX_FONTS_VERSION=3
prefix_fonts_reg() {
  local face="WenQuanYi Micro Hei" name
  printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\n'
  for name in SimSun NSimSun 宋体 新宋体 "MS Shell Dlg" "MS Shell Dlg 2" Tahoma "Microsoft YaHei" 微软雅黑; do
    printf '"%s"="%s"\n' "$name" "$face"
  done
}

# wine_prefix DIR [unmanaged]: creates the prefix once, with the CJK font
# standing in for SimSun and the X11 driver leaving window decoration to the
# program. "unmanaged" is for displays without a window manager (Xvfb): Wine
# then does not wait for one when windows are shown and hidden.
wine_prefix() {
  export WINEPREFIX=$1
  local managed=Y
  [ "${2:-}" = unmanaged ] && managed=N
  if [ ! -f "$WINEPREFIX/.tapmira-ready" ]; then
    mkdir -p "$WINEPREFIX"
    "$WINE" wineboot -i >/dev/null 2>&1 || true
    "$WINESERVER" -w
    printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\n"Decorated"="N"\n' > "$WINEPREFIX/x11.reg"
    "$WINE" regedit "$(winepath_of "$WINEPREFIX/x11.reg")" >/dev/null 2>&1
    "$WINESERVER" -w
    touch "$WINEPREFIX/.tapmira-ready"
  fi
  if [ "$(cat "$WINEPREFIX/.tapmira-fonts" 2>/dev/null)" != "$PREFIX_FONTS_VERSION" ]; then
    # Wine's own Marlett (the caption buttons' symbols) is not always found in
    # its data folder; a copy among the prefix's fonts always is.
    local marlett
    for marlett in /usr/share/wine/fonts/marlett.ttf /usr/lib/wine/fonts/marlett.ttf; do
      [ -f "$marlett" ] && cp "$marlett" "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf" && break
    done
    # regedit reads .reg files in the ANSI code page: hand it GBK.
    prefix_fonts_reg | iconv -f UTF-8 -t GBK > "$WINEPREFIX/fonts.reg"
    "$WINE" regedit "$(winepath_of "$WINEPREFIX/fonts.reg")" >/dev/null 2>&1
    "$WINESERVER" -w
    echo "$PREFIX_FONTS_VERSION" > "$WINEPREFIX/.tapmira-fonts"
  fi
  # The device service's SDL backend polls every millisecond: off, in older prefixes too.
  if [ ! -f "$WINEPREFIX/.tapmira-winebus" ]; then
    printf 'REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\winebus]\n"Enable SDL"=dword:00000000\n' > "$WINEPREFIX/winebus.reg"
    "$WINE" regedit "$(winepath_of "$WINEPREFIX/winebus.reg")" >/dev/null 2>&1
    "$WINESERVER" -w
    touch "$WINEPREFIX/.tapmira-winebus"
  fi
  if [ "$(cat "$WINEPREFIX/.tapmira-managed" 2>/dev/null)" != "$managed" ]; then
    printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\n"Managed"="%s"\n' "$managed" > "$WINEPREFIX/managed.reg"
    "$WINE" regedit "$(winepath_of "$WINEPREFIX/managed.reg")" >/dev/null 2>&1
    "$WINESERVER" -w
    echo "$managed" > "$WINEPREFIX/.tapmira-managed"
  fi
}

winepath_of() { echo "Z:${1//\//\\}"; }

# start_xvfb: starts a private Xvfb on a display number the server picks and
# locks itself (-displayfd), so runs started side by side never share one;
# sets DISPLAY and XVFB_PID.
XVFB_PID=
start_xvfb() {
  local out n=
  out=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$out" >/dev/null 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 100); do
    n=$(tr -dc '0-9' < "$out")
    [ -n "$n" ] && [ -e "/tmp/.X11-unix/X$n" ] && break
    n=; sleep 0.1
  done
  rm -f "$out"
  if [ -z "$n" ]; then echo "could not start Xvfb" >&2; return 1; fi
  export DISPLAY=:$n
}
stop_xvfb() { [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null; XVFB_PID=; }
