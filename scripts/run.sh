#!/usr/bin/env bash
# Builds Vantrel.exe and starts it under Wine, in a throw-away prefix whose
# drive C: is a size-limited tmpfs and which has no Z: drive, so the
# program can reach none of this machine's own disks.
#
# Without arguments it shows the program's main job on a demo disk: a small
# NTFS image, mapped as D:, that holds deleted files with unique markers and
# a few files of the user's own. A recovery search runs on it before and
# after the program, and the two are printed side by side. With a display
# the user walks the wizard and closes the window; without one the test
# driver walks it on a virtual display, saving every page into
# build/screenshots/demo/.
#
# Arguments go to the program (a verb such as `lang`); a verb's window has
# nothing to do with disks, so that start gets no demo disk.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
bash scripts/setup.sh || exit 1
bash scripts/build.sh || exit 1
source tests/harness/e2e.sh
source tests/harness/markers.sh

say() { echo "run: $*"; }

# Everything made here goes at the end, also on Ctrl+C: the image's mount,
# the virtual display, the prefix with its tmpfs. Without a display of its
# own the run is unattended.
begin() {
  trap 'echo; say "interrupted; removing what this run made${PREFIX_ROOT:+ ($PREFIX_ROOT)}"; exit 130' INT TERM
  prefix_create || exit 1
  # A second Ctrl+C must not cut the clean-up short.
  trap 'trap "" INT TERM; images_cleanup; display_stop; prefix_destroy' EXIT
  attended=yes
  if [ -z "${DISPLAY:-}" ]; then
    attended=no
    display_start || exit 1
    say "no display here; started a virtual one on $DISPLAY"
  fi
  app_install
}

# The demo disk D:, its deleted files planted and searched while unmounted.
make_demo_disk() {
  image_make demo 64 >/dev/null && image_mount demo || { say "cannot make the demo disk"; exit 1; }
  plant_user_files demo
  plant_markers demo
  demo_free_before=$(free_bytes demo)
  image_unmount demo
  demo_before=$(recovery_search)
  image_mount demo && image_map d "$(mnt demo)" || { say "cannot mount the demo disk"; exit 1; }
}

# What a recovery search finds of the deleted files on the unmounted disk:
# markers of names, of small and of large contents in the raw image, and
# the deleted files a recovery tool lists as recoverable.
recovery_search() {
  local set large small names l=0 s=0 n=0
  for set in $marker_sets; do
    read -r large small names <<<"$(markers_left demo "$set")"
    l=$((l + large)) s=$((s + small)) n=$((n + names))
  done
  echo "$n $s $l $(recoverable_planted demo)"
}

# One line per figure of the search: what it is, then its columns.
print_search() {  # "names small large recoverable"...
  local labels=("deleted file names found in the raw image"
    "deleted small files' contents found"
    "deleted large files' contents found"
    "deleted files ntfsundelete lists as recoverable")
  local i col f
  for i in 0 1 2 3; do
    printf '  %-50s' "${labels[$i]}"
    for col in "$@"; do read -ra f <<<"$col"; printf '%8s' "${f[$i]}"; done
    echo
  done
}

# The user walks the wizard on their own display; Wine ends with the last
# window of the prefix (a verb link restarts the program). What Wine says
# meanwhile (no sound card, ...) would only bury the figures.
attended() {
  say "select D: on the disk page and clean it; close the window when you are done"
  prefix_run "Program Files/Vantrel 3" 'C:\Program Files\Vantrel 3\Vantrel.exe' >/dev/null 2>&1 </dev/null || true
  wineserver -w
}

# The test driver walks the wizard: D:, full cleaning, metadata mode 1, the
# random-characters method; every page goes into build/screenshots/demo/.
unattended() {
  local t0 RUN_SHOTS=demo
  say "walking the wizard with the test driver: D:, full cleaning"
  rm -rf "$shots/demo"
  start_run D Option7 Option8
  [ "$failed" -eq 0 ] || { say "the wizard did not go as expected; stopping"; exit 1; }
  t0=$SECONDS
  go
  wait_caption status "$(text VERSION3 STEP1-TITLE)" 60
  sleep 3
  page_shot 6
  if [ "$(wait_page 7 600)" != "visible=1" ]; then
    say "the run did not end within 10 minutes"
    exit 1
  fi
  page_shot 7
  say "D: cleaned in $((SECONDS - t0)) s; the program reports: $(drv caption 'ReportInfo(0)')"
  finish
  say "screenshots: $shots/demo/"
}

# The search again, side by side with the first, and the user's files.
report() {
  local free_after same=yes
  free_after=$(free_bytes demo)
  [ "$(cat "$PREFIX_ROOT/demo.hashes")" = "$(user_hashes demo)" ] || same=NO
  image_unmount demo
  echo
  echo "Recovery search on the demo disk D: (64 MB NTFS image)"
  printf '  %-50s%8s%8s\n' "" before after
  print_search "$demo_before" "$(recovery_search)"
  printf '  %-50s%8s%8s\n' "free space on D: (MB)" $((demo_free_before / 1048576)) $((free_after / 1048576))
  [ "$free_after" -ge "$demo_free_before" ] ||
    echo "  (less free space: NTFS never shrinks its file-record table, which the cleaning's name files grew)"
  echo "  your own files on D: (Documents, $(wc -l <"$PREFIX_ROOT/demo.hashes") files) unchanged: $same"
}

main() {
  local t0=$SECONDS
  begin
  if [ $# -gt 0 ]; then
    say "starting Vantrel.exe $* (no demo disk: a verb start does not clean disks)"
    [ "$attended" = yes ] || say "its window is on a virtual display nobody sees; Ctrl+C ends it"
    prefix_run "Program Files/Vantrel 3" 'C:\Program Files\Vantrel 3\Vantrel.exe' "$@" || true
    wineserver -w
    return
  fi
  make_demo_disk
  echo "Recovery search on the demo disk D: before cleaning"
  print_search "$demo_before"
  if [ "$attended" = yes ]; then attended; else unattended; fi
  report
  say "the demo took $((SECONDS - t0)) s (setup and build not counted)"
}

main "$@"
