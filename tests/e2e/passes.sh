#!/usr/bin/env bash
# Journey: a full cleaning of an NTFS image with "DoD 5220.22". The deleted
# files' markers are gone from the raw image and the user's files stay byte
# for byte, as with every method; and the former free space no longer holds
# a run of the fill's digits (their names are UTF-16 there and never match),
# which the passes overwrote where they lay (0x00, 0xFF, then random bytes).
# The finish row says how many passes were made. Prints "N passed, N failed"
# last.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tests/harness/e2e.sh"
source "$root/tests/harness/markers.sh"

setup() {
  app_install
  image_make d 64 >/dev/null && image_mount d && image_map d "$(mnt d)" && plant_user_files d || bad "image d"
  plant_markers d
  wine_restart
}

dod_run() {
  local t=$SECONDS
  start_run D Option7 Option8 click Option5 /
  go
  expect_eq "the run ends completed, its row naming the passes" \
    "visible=1|1|D|$(text VERSION3 WORK-STATUS-1) - $(text VERSION3 PASSES-DONE) 3" \
    "$(wait_page 7 900)|$(outcomes 1)|$(drv caption 'ReportInfo(0)')"
  echo "measured: the DoD cleaning of a 64 MB image took $((SECONDS - t)) s"
  finish
  wine_restart
  expect_eq "the user's files are untouched" "$(cat "$PREFIX_ROOT/d.hashes")" "$(user_hashes d)"
  image_unmount d
  expect_eq "no deleted marker (removed, kept) and no run of 200 digits left in the raw image" "0 0 0 0 0 0 0" \
    "$(markers_left d removed) $(markers_left d kept) $(grep -caE '[0-9]{200}' "$PREFIX_ROOT/d.img")"
}

e2e_begin
parts setup dod_run
e2e_end
