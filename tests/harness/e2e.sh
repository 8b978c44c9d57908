# Everything an end-to-end journey drives the program with: the throw-away
# prefix, the virtual display, NTFS images, the program and its driver, and
# the wizard's run. Source it with `root` set to the repository.
source "$root/tests/harness/wineprefix.sh"
source "$root/tests/harness/display.sh"
source "$root/tests/harness/ntfs.sh"
source "$root/tests/harness/app.sh"
source "$root/tests/harness/run.sh"

# A journey's own prefix and virtual display, both undone (with any images
# and the endpoint) when the script exits, also on failure; a journey that
# cannot have them ends as one failure.
e2e_begin() {
  journey_start=$SECONDS
  prefix_create || { echo "0 passed, 1 failed"; exit 1; }
  display_start || { echo "0 passed, 1 failed"; exit 1; }
  # Xvfb has no window manager, and Wine waits about 2 s for one whenever a
  # managed window hides (every message box, every close) unless told not to.
  (cd "$DRIVE_C" && wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1)
  trap '[ -z "${endpoint:-}" ] || kill "$endpoint" 2>/dev/null; images_cleanup; display_stop; prefix_destroy' EXIT
  # A signal (the test command's time limit sends TERM) must end the
  # journey through that trap: without this, bash dies with its mounts.
  trap 'exit 143' TERM INT HUP
}
# Runs the journey's parts in turn, each timed.
parts() {  # function...
  local part t
  for part in "$@"; do
    t=$SECONDS
    "$part"
    echo "measured: $part took $((SECONDS - t)) s"
  done
}
# The journey's time and its counts, last.
e2e_end() {
  echo "measured: $(basename "$0" .sh) took $((SECONDS - journey_start)) s"
  summary
}
