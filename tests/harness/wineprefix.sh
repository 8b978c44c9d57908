# A throw-away Wine prefix for one test run: its own folder under a temporary
# directory, drive C: on a size-limited tmpfs so nothing the program writes
# can fill the host's disk, and no Z: drive, so the host's files are out of
# reach. Source this file; call prefix_create, then prefix_destroy (also set
# as an EXIT trap by prefix_create).
#
# After prefix_create: PREFIX_ROOT (the temporary directory), WINEPREFIX,
# DRIVE_C (the host path of C:), HOME and XDG_DATA_HOME inside PREFIX_ROOT.

PREFIX_C_SIZE=${PREFIX_C_SIZE:-3g}

prefix_create() {
  PREFIX_ROOT=$(mktemp -d /tmp/vantrel-prefix.XXXXXX)
  export WINEPREFIX="$PREFIX_ROOT/prefix"
  export HOME="$PREFIX_ROOT/home"
  export XDG_DATA_HOME="$HOME/.local/share"
  export WINEDEBUG=-all
  # No Gecko or Mono installers: the program needs neither.
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  export WINEARCH=win64
  DRIVE_C="$WINEPREFIX/drive_c"
  mkdir -p "$DRIVE_C" "$XDG_DATA_HOME"
  trap prefix_destroy EXIT
  if ! mount -t tmpfs -o "size=$PREFIX_C_SIZE" tmpfs "$DRIVE_C"; then
    echo "wineprefix: cannot mount a tmpfs for drive C: (root is needed); refusing to go on" >&2
    return 1
  fi
  wineboot -i >"$PREFIX_ROOT/wineboot.log" 2>&1
  wineserver -w
  rm -f "$WINEPREFIX/dosdevices/z:"
  if [ -e "$WINEPREFIX/dosdevices/z:" ]; then
    echo "wineprefix: drive Z: is still mapped; refusing to go on" >&2
    return 1
  fi
  prefix_cjk_fonts
}

# Buttons, check boxes and message boxes keep the system's dialog font, for
# which Windows links in a Chinese, Japanese or Korean font when a text needs
# one. Wine looks those fonts up by their Windows names, so they are pointed
# at the one installed font that holds all three scripts.
prefix_cjk_fonts() {
  local font
  {
    printf 'REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
    for font in "MS UI Gothic" SimSun Gulim PMingLiU; do
      printf '"%s"="WenQuanYi Micro Hei"\r\n' "$font"
    done
  } >"$DRIVE_C/cjk-fonts.reg"
  (cd "$DRIVE_C" && wine regedit /S 'C:\cjk-fonts.reg' >/dev/null 2>&1)
  rm -f "$DRIVE_C/cjk-fonts.reg"
}

# Copies a folder into the prefix; prints its Windows path.
prefix_install() {  # host-folder windows-subfolder-under-C
  local target="$DRIVE_C/$2"
  mkdir -p "$target"
  cp -r "$1"/. "$target"/
  printf 'C:\\%s' "${2//\//\\}"
}

# Runs a Windows program of the prefix from its own folder (Wine needs the
# working folder on a mapped drive). Returns the program's exit code.
prefix_run() {  # windows-folder-under-C exe [args...]
  local folder=$1 exe=$2
  shift 2
  (cd "$DRIVE_C/$folder" && wine "$exe" "$@")
}

# Waits for the prefix's Wine to end once the program's window has gone. A
# program still waiting for an answer (a box shown after its window closed)
# would keep it forever, so after a minute it is ended and 1 is returned.
wine_end() {
  timeout 60 wineserver -w && return 0
  echo "wineprefix: Wine did not end within 60 s of the program's window; ending it" >&2
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  return 1
}

prefix_destroy() {
  [ -n "${PREFIX_ROOT:-}" ] || return 0
  cd /
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  if mountpoint -q "$DRIVE_C" 2>/dev/null; then
    umount "$DRIVE_C" || umount -l "$DRIVE_C"
  fi
  rm -rf "$PREFIX_ROOT"
  PREFIX_ROOT=
}
