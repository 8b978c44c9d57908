#!/usr/bin/env bash
# Installs what building and testing need, quietly, and only what is missing.
set -euo pipefail
# fonts-wqy-microhei: one small font with Chinese, Japanese and Korean
# glyphs, through which Wine draws the texts of those language files.
# clang and libclang-rt-14-dev: the sanitizer build and its fuzz targets
# (libFuzzer and the sanitizers' runtimes).
packages=(cmake make g++ googletest libgtest-dev g++-mingw-w64-x86-64 wine wine64 xvfb ntfs-3g imagemagick python3 procps locales nsis zip
  fonts-wqy-microhei clang libclang-rt-14-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
# The end-to-end tests start the program in a German locale, which Wine
# takes from the host's locale, so the host must have it.
if ! locale -a 2>/dev/null | grep -qix 'de_DE.utf8'; then
  echo "setup: generating the locale de_DE.UTF-8"
  localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
