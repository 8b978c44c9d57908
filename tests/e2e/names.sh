#!/usr/bin/env bash
# Journey: a full cleaning of an NTFS image with the extra that rewrites the
# folders' deleted names. Two folders that stay (one inside the other) held
# 200 files each with long marked names, and a third of them were deleted:
# afterwards no deleted name is in the raw image (8-bit or UTF-16LE), every
# kept file is byte for byte as it was and every folder's times are too.
# NAMES_EXTRA=off runs the same without the extra and expects names found
# (the control). Prints "N passed, N failed" last.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tests/harness/e2e.sh"
source "$root/tests/harness/markers.sh"
extra=${NAMES_EXTRA:-on}

setup() {
  app_install
  image_make d 64 >/dev/null && image_mount d && image_map d "$(mnt d)" && plant_user_files d || bad "image d"
  local top="$PREFIX_ROOT/mnt/d/Archive" dir i m
  mkdir -p "$top/Letters/Older"
  : >"$PREFIX_ROOT/d.folders"
  for dir in "$top/Letters" "$top/Letters/Older"; do
    for i in $(seq 1 200); do
      m=$(marker FN $((i % 100)))
      echo "kept $i" >"$dir/$m-letter-to-my-lawyer-about-the-house.docx"
      [ $((i % 3)) -ne 0 ] || echo "$m" >>"$PREFIX_ROOT/d.folders"
    done
  done
  sync
  while read -r m; do rm "$top"/Letters/"$m"-* "$top"/Letters/Older/"$m"-* 2>/dev/null; done <"$PREFIX_ROOT/d.folders"
  # Remounted, so that the times read are those the volume holds; read once
  # before, since the first listing after a change moves the access time.
  image_unmount d && image_mount d || bad "remount d"
  archive_state >/dev/null
  archive_state >"$PREFIX_ROOT/d.archive"
  wine_restart
}
# The times (written, accessed) of every folder, asked before anything
# lists them (a listing moves the access time), and the kept files' hashes.
archive_state() {
  (cd "$PREFIX_ROOT/mnt/d" && stat -c '%n %.9Y %.9X' Archive Archive/Letters Archive/Letters/Older Documents \
    Documents/Letters && find Archive -type f -print0 | sort -z | xargs -0 sha256sum)
}

names_run() {
  local t=$SECONDS commands=()
  [ "$extra" = off ] && commands=(click Option1) || commands=(click Check10)
  start_run D Option7 Option8 "${commands[@]}" /
  go
  expect_eq "the run ends completed" "visible=1|1|D" "$(wait_page 7 900)|$(outcomes 1)"
  echo "measured: the cleaning with the extra $extra took $((SECONDS - t)) s; row: $(drv caption 'ReportInfo(0)')"
  finish
  wine_restart
  expect_eq "the kept files and every folder's times are as they were" "$(cat "$PREFIX_ROOT/d.archive")" "$(archive_state)"
  image_unmount d
  local left
  left=$(image_markers "$PREFIX_ROOT/d.img" "$PREFIX_ROOT/d.folders")
  echo "measured: deleted names left in the raw image: $left of $(wc -l <"$PREFIX_ROOT/d.folders")"
  [ "$left" = 0 ] || echo "measured: where: $(image_marker_places "$PREFIX_ROOT/d.img" "$PREFIX_ROOT/d.folders")"
  if [ "$extra" = off ]; then expect_eq "without the extra names are found" 1 $((left > 0)); else
    expect_eq "no deleted name is left in the raw image" 0 "$left"; fi
}

e2e_begin
parts setup names_run
e2e_end
