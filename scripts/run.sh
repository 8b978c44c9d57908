#!/usr/bin/env bash
# Builds Vantrel.exe and starts it under Wine, in a throw-away prefix whose
# drive C: is a size-limited tmpfs and which has no Z: drive, so the
# program can reach none of this machine's own disks. Without a display it
# starts a virtual one.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
bash scripts/setup.sh
bash scripts/build.sh
source tests/harness/wineprefix.sh
prefix_create
app=$(prefix_install "$root/build/win/dist" "Program Files/Vantrel 3")
if [ -z "${DISPLAY:-}" ]; then
  export DISPLAY=:${VANTREL_DISPLAY:-77}
  Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  trap 'kill $xvfb 2>/dev/null; prefix_destroy' EXIT
  sleep 1
  echo "run: no display here; started a virtual one on $DISPLAY"
fi
echo "run: starting $app\\Vantrel.exe"
prefix_run "Program Files/Vantrel 3" "$app\\Vantrel.exe" "$@" || true
