#!/usr/bin/env bash
# Journey: a full cleaning of an NTFS image with "DoD 5220.22" and the extra
# that rewrites the folders' deleted names. Two folders that stay (one inside
# the other) held 200 files each with long marked names, a third of them
# deleted. Afterwards no deleted marker, no deleted name (8-bit or UTF-16LE)
# and no run of the fill's digits is in the raw image (the passes overwrote
# them where they lay: 0x00, 0xFF, random); the user's files and every
# folder's times are as they were; the row names the passes and the folders.
# EXTRAS=off runs spaces without the extra, for a control that finds names.
# Prints "N passed, N failed" last.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tests/harness/e2e.sh"
source "$root/tests/harness/markers.sh"

setup() {
  local top="$PREFIX_ROOT/mnt/d/Archive" dir i m
  app_install
  image_make d 64 >/dev/null && image_mount d && image_map d "$(mnt d)" && plant_user_files d || bad "image d"
  plant_markers d
  mkdir -p "$top/Letters/Older"
  for dir in "$top/Letters" "$top/Letters/Older"; do
    for i in $(seq 1 200); do
      m=$(marker FN $((i % 100)))
      echo "kept $i" >"$dir/$m-letter-to-my-lawyer-about-the-house.docx"
      [ $((i % 3)) -ne 0 ] || echo "$m" >>"$PREFIX_ROOT/d.names"
    done
  done
  sync
  while read -r m; do rm -f "$top"/Letters/"$m"-* "$top"/Letters/Older/"$m"-*; done <"$PREFIX_ROOT/d.names"
  # Remounted, so that the times read are those the volume holds; read once
  # before, since the first listing after a change moves the access time.
  image_unmount d && image_mount d || bad "remount d"
  kept_state >/dev/null
  kept_state >"$PREFIX_ROOT/d.kept"
  find "$PREFIX_ROOT/mnt/d" -type d | wc -l >"$PREFIX_ROOT/d.folders"
  wine_restart
}
# The times (written, accessed) of every folder, asked before anything
# lists them, and the hashes of every file that stays.
kept_state() {
  (cd "$PREFIX_ROOT/mnt/d" && stat -c '%n %.9Y %.9X' Archive Archive/Letters Archive/Letters/Older Documents \
    Documents/Letters && find Archive Documents -type f -print0 | sort -z | xargs -0 sha256sum)
}

overwrite_run() {
  local t=$SECONDS left method=Option5 extra="click Check10 /" row
  row="$(text VERSION3 WORK-STATUS-1) - $(text VERSION3 PASSES-DONE) 3 - $(text VERSION3 FOLDERS-REWRITTEN) $(cat "$PREFIX_ROOT/d.folders"), $(
    text VERSION3 FOLDERS-SKIPPED) 0"
  [ "${EXTRAS:-on}" = on ] || { method=Option2 extra="" row=$(text VERSION3 WORK-STATUS-1); }
  start_run D Option7 Option8 click $method / $extra
  go
  expect_eq "the run ends completed, its row naming the passes and the folders" "visible=1|1|D|$row" \
    "$(wait_page 7 900)|$(outcomes 1)|$(drv caption 'ReportInfo(0)')"
  echo "measured: the cleaning took $((SECONDS - t)) s"
  finish
  wine_restart
  expect_eq "the user's files and every folder's times are as they were" "$(cat "$PREFIX_ROOT/d.kept")" "$(kept_state)"
  image_unmount d
  left=$(image_markers "$PREFIX_ROOT/d.img" "$PREFIX_ROOT/d.names")
  [ "$left" = 0 ] || echo "measured: deleted names left at $(image_marker_places "$PREFIX_ROOT/d.img" "$PREFIX_ROOT/d.names")"
  expect_eq "no deleted marker (removed, kept), no deleted name of the kept folders, no run of 200 digits in the raw image" \
    "0 0 0 0 0 0 0 of $(wc -l <"$PREFIX_ROOT/d.names") 0" \
    "$(markers_left d removed) $(markers_left d kept) $left of $(wc -l <"$PREFIX_ROOT/d.names") $(grep -caE '[0-9]{200}' "$PREFIX_ROOT/d.img")"
}

e2e_begin
parts setup overwrite_run
e2e_end
