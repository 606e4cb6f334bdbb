# Sourced by the scripts: Wine's locale, a prepared prefix and a display.
# The Chinese locale is given to Wine only (so its ANSI code page is 936);
# the shell keeps its own, which need not be generated.
export WINEDEBUG=${WINEDEBUG:--all}
# No debugger on a crash: a crashed test ends at once instead of hanging the run.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml=;winedbg.exe=d"}
WINE="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/cmake/wine-exec.sh"
WINESERVER=/usr/lib/wine/wineserver64

# The fonts the prefix puts in place of the Windows ones the program and the
# system dialogs ask for: "Tapmira Sans" for SimSun/宋体 and the dialog, menu and
# caption fonts. tools/fontgen makes it from Noto Sans CJK SC (fonts-noto-cjk),
# which draws every Pinyin letter with its tone mark (WenQuanYi Micro Hei leaves
# ǎ ǐ ǒ ǔ ǘ ǚ ǜ empty) and stays legible at 12-16 px, with a line as compact as
# the Song faces' (Noto's own is half an em taller and clips the controls),
# and without the layout tables that make Wine's rich edit slow to recolour.
PREFIX_FONT_FILES=${TAPMIRA_BUILD:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build}/native/fonts
PREFIX_FONTS_VERSION=5
prefix_fonts_reg() {
  local face="Tapmira Sans" name
  printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\n'
  for name in SimSun NSimSun 宋体 新宋体 "MS Shell Dlg" "MS Shell Dlg 2" Tahoma "Microsoft YaHei" 微软雅黑; do
    printf '"%s"="%s"\n' "$name" "$face"
  done
}

# Windows' standard colour scheme: Wine's own is paler (its hot-light colour is
# light grey, its highlight a pale blue), so text the program draws in those
# system colours would hardly show.
PREFIX_COLOURS_VERSION=1
prefix_colours_reg() {
  printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Control Panel\\Colors]\n'
  cat <<'COLOURS'
"ActiveBorder"="180 180 180"
"ActiveTitle"="153 180 209"
"AppWorkspace"="171 171 171"
"Background"="0 0 0"
"ButtonAlternateFace"="0 0 0"
"ButtonDkShadow"="105 105 105"
"ButtonFace"="240 240 240"
"ButtonHilight"="255 255 255"
"ButtonLight"="227 227 227"
"ButtonShadow"="160 160 160"
"ButtonText"="0 0 0"
"GradientActiveTitle"="185 209 234"
"GradientInactiveTitle"="215 228 242"
"GrayText"="109 109 109"
"Hilight"="0 120 215"
"HilightText"="255 255 255"
"HotTrackingColor"="0 102 204"
"InactiveBorder"="244 247 252"
"InactiveTitle"="191 205 219"
"InactiveTitleText"="0 0 0"
"InfoText"="0 0 0"
"InfoWindow"="255 255 225"
"Menu"="240 240 240"
"MenuBar"="240 240 240"
"MenuHilight"="0 120 215"
"MenuText"="0 0 0"
"Scrollbar"="200 200 200"
"TitleText"="0 0 0"
"Window"="255 255 255"
"WindowFrame"="100 100 100"
"WindowText"="0 0 0"
COLOURS
}

# The help menu's files open with viewers the set-up brings: the pictures with
# the desktop's own (winebrowser hands them to xdg-open, which finds
# ImageMagick's), the tutorial (RTF) with Wine's WordPad, and the video with
# ffplay (ffmpeg) through play-video.sh, which wine_prefix copies into the prefix.
PREFIX_OPENERS_VERSION=2
PREFIX_VIDEO_PLAYER=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/play-video.sh
prefix_openers_reg() {
  printf 'REGEDIT4\n'
  opener jpg '"C:\windows\system32\winebrowser.exe" "%1"'
  opener doc '"C:\Program Files\Windows NT\Accessories\wordpad.exe" "%1"'
  opener mp4 "\"$1\" \"%1\""
}
# opener TYPE COMMAND: files of .TYPE open with COMMAND.
opener() {
  printf '\n[HKEY_CLASSES_ROOT\\.%s]\n@="tapmira.%sfile"\n' "$1" "$1"
  printf '\n[HKEY_CLASSES_ROOT\\tapmira.%sfile\\shell\\open\\command]\n@=%s\n' "$1" "$(reg_text "$2")"
}
# reg_text TEXT: TEXT as a string of a .reg file.
reg_text() {
  local text=${1//\\/\\\\}
  printf '"%s"' "${text//\"/\\\"}"
}

# 软件更新 opens the update page with the desktop's browser (winebrowser hands
# it to xdg-open). Without a browser xdg-open fails after Wine has told the
# program that the page opened; there the prefix has no program for web
# addresses, so the program is told and says that it cannot open the page.
# Wine's own set-up brings winebrowser back when Wine is updated: the step's
# version names Wine's.
PREFIX_BROWSER_VERSION=1
desktop_has_browser() {
  [ -n "${BROWSER:-}" ] || command -v x-www-browser >/dev/null ||
    [ -n "$(xdg-settings get default-web-browser 2>/dev/null)" ]
}
prefix_browser_reg() {
  local scheme
  printf 'REGEDIT4\n'
  for scheme in http https; do
    if [ "$1" = yes ]; then
      printf '\n[HKEY_CLASSES_ROOT\\%s\\shell\\open\\command]\n@=%s\n' "$scheme" \
        "$(reg_text '"C:\windows\system32\winebrowser.exe" "%1"')"
    else
      printf '\n[-HKEY_CLASSES_ROOT\\%s\\shell]\n' "$scheme"
    fi
  done
}

# Sound: Wine probes its audio drivers at every start, and where the machine
# has no sound device ALSA answers with a screenful of errors. There the prefix
# loads no audio driver (the program then runs silently); once a device is
# there, the next preparation turns the drivers back on. TAPMIRA_AUDIO=on or
# off decides instead of the machine.
PREFIX_AUDIO_VERSION=1
host_has_sound() {
  grep -qE '^ *[0-9]+ \[' /proc/asound/cards 2>/dev/null || [ -n "${PULSE_SERVER:-}" ] ||
    [ -S "${XDG_RUNTIME_DIR:-/run/user/$(id -u)}/pulse/native" ]
}
prefix_audio_reg() {
  printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Wine\\Drivers]\n'
  if [ "$1" = on ]; then printf '"Audio"=-\n'; else printf '"Audio"=""\n'; fi
}

# wine_prefix DIR [unmanaged]: creates the prefix once, with the X11 driver
# leaving window decoration to the program, and brings it (new or existing)
# up to the fonts, colours, file openers, browser and sound above. "unmanaged" is for displays without a window manager (Xvfb): Wine
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
  # Wine's own Marlett (the caption buttons' symbols) is not always found in
  # its data folder; a copy among the prefix's fonts always is.
  local marlett fonts="$WINEPREFIX/drive_c/windows/Fonts"
  for marlett in /usr/share/wine/fonts/marlett.ttf /usr/lib/wine/fonts/marlett.ttf; do
    [ -f "$fonts/marlett.ttf" ] && break
    [ -f "$marlett" ] && cp "$marlett" "$fonts/marlett.ttf" && break
  done
  local file
  for file in "$PREFIX_FONT_FILES"/*.otf; do
    if [ ! -f "$file" ]; then echo "wine_prefix: no fonts in $PREFIX_FONT_FILES (build first)" >&2; break; fi
    cmp -s "$file" "$fonts/$(basename "$file")" || cp "$file" "$fonts/"
  done
  prefix_step fonts "$PREFIX_FONTS_VERSION" prefix_fonts_reg
  prefix_step colours "$PREFIX_COLOURS_VERSION" prefix_colours_reg
  local player="$WINEPREFIX/tapmira-play-video.sh"
  cmp -s "$PREFIX_VIDEO_PLAYER" "$player" || cp "$PREFIX_VIDEO_PLAYER" "$player"
  prefix_step openers "$PREFIX_OPENERS_VERSION $player" prefix_openers_reg "$player"
  local browser=no audio=${TAPMIRA_AUDIO:-}
  desktop_has_browser && browser=yes
  prefix_step browser "$PREFIX_BROWSER_VERSION $browser $(/usr/lib/wine/wine64 --version)" prefix_browser_reg "$browser"
  if [ -z "$audio" ]; then audio=off; host_has_sound && audio=on; fi
  prefix_step audio "$PREFIX_AUDIO_VERSION $audio" prefix_audio_reg "$audio"
  # The device service's SDL backend polls every millisecond: off.
  prefix_step winebus 1 printf 'REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Services\\winebus]\n"Enable SDL"=dword:00000000\n'
  prefix_step managed "$managed" printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\n"Managed"="%s"\n' "$managed"
}

# prefix_step NAME VERSION COMMAND...: imports the registry text that COMMAND
# prints into the prefix, in new and existing prefixes alike, unless this
# VERSION of the step is there already.
prefix_step() {
  local name=$1 version=$2
  shift 2
  [ "$(cat "$WINEPREFIX/.tapmira-$name" 2>/dev/null)" = "$version" ] && return 0
  # regedit reads .reg files in the ANSI code page: hand it GBK.
  "$@" | iconv -f UTF-8 -t GBK > "$WINEPREFIX/$name.reg"
  "$WINE" regedit "$(winepath_of "$WINEPREFIX/$name.reg")" >/dev/null 2>&1
  "$WINESERVER" -w
  echo "$version" > "$WINEPREFIX/.tapmira-$name"
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
