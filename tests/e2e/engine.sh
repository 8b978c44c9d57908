#!/usr/bin/env bash
# End to end on real NTFS volumes: deleted files' markers are put on images,
# the program cleans them through its wizard, and the raw images are searched
# for what survives. Also proves that user files are untouched, the space is
# given back, and that Stop, Pause and a vanished disk end as they should.
# Prints "N passed, N failed" last.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tests/harness/e2e.sh"
source "$root/tests/harness/markers.sh"

# Bytes of the file-record table of an unmounted image (NTFS only grows it).
mft_bytes() {  # name
  ntfsinfo -F '$MFT' "$PREFIX_ROOT/$1.img" 2>/dev/null | awk -F'[:(]' 'tolower($1) ~ /data size/ { gsub(/[ \t]/, "", $2); if ($2 + 0 > max) max = $2 + 0 } END { print max + 0 }'
}

residue_run() {  # name letter metadata-option mode-number
  local name=$1 before used t0
  before=$(free_bytes "$name")
  start_run "$2" Option7 "$3"
  t0=$SECONDS
  go
  wait_caption status "$(text VERSION3 STEP3-TITLE)" 600
  [ "$4" = 1 ] && shot 96 run-filling
  expect_eq "residue run $2 ends" "visible=1" "$(wait_page 7 900)"
  echo "measured: mode 2 run of a 256 MB NTFS disk, metadata mode $4: $((SECONDS - t0)) s"
  expect_eq "disk $2 completed" "1" "$(field "$(first_log)" 0)"
  finish
  expect_eq "user files untouched ($2)" "$(cat "$PREFIX_ROOT/$name.hashes")" "$(user_hashes "$name")"
  [ -e "$PREFIX_ROOT/mnt/$name/VNL_temp" ] && bad "work folder left on $2" || ok
  [ -e "$(data_folder)/temp.xd" ] && bad "template left in the data folder" || ok
  local after files grown
  after=$(free_bytes "$name")
  files=$(( $4 == 1 ? 20001 : 25601 ))
  image_unmount "$name"
  grown=$(( $(mft_bytes "$name") - $(cat "$PREFIX_ROOT/$name.mft") ))
  echo "measured: free space on $2 before $before, after $after bytes: $(( (before - after) / files )) bytes per name file; the file-record table grew by $grown bytes ($(( grown / files )) per name file)"
  # All the space comes back but what the record table keeps, give or take its bitmap.
  [ "$after" -ge $((before - grown - 1048576)) ] && ok || bad "free space on $2 not given back: $before -> $after, table grew $grown"
  residue_check "$name" "$4"
}

# Markers that survive on an unmounted image after a run in the given mode.
# Where the folders went too, no kind may survive. A kept folder's files must
# lose their contents, but their names are only measured: NTFS may keep a
# deleted name in the index of the folder that held it, where no new file
# lands.
residue_check() {  # name mode-number
  local set large small names
  for set in $marker_sets; do
    read -r large small names <<<"$(markers_left "$1" "$set")"
    echo "measured: metadata mode $2, parent folders $set: markers left of large files $large/3, small files $small/20, names $names/20"
    residue_none "$1" "$set" large "$large" "no content of large deleted files survives (mode $2, parents $set)"
    residue_none "$1" "$set" small "$small" "no content of small deleted files survives (mode $2, parents $set)"
    [ "$set" = kept ] || residue_none "$1" "$set" name "$names" "no name of deleted files survives (mode $2, parents $set)"
  done
}
residue_none() {  # name set kind count what
  [ "$4" = 0 ] && ok || bad "$5: $4 left, at $(image_marker_places "$PREFIX_ROOT/$1.img" "$PREFIX_ROOT/$1.$2.$3")"
}

# Another program fills disk R while its free space is being filled, and a
# read-only file appears in S's work folder: both fail with their own status,
# and the run goes on from R to S. R is removable, so it gets few name files
# and its fill is long enough to be paused in.
failures_run() {
  local r="$PREFIX_ROOT/mnt/r" s="$PREFIX_ROOT/mnt/s"
  start_run RS Option7 Option8
  ( until [ -d "$s/VNL_temp" ]; do sleep 0.02; done
    echo locked >"$s/VNL_temp/locked.txt" && chmod 444 "$s/VNL_temp/locked.txt" ) &
  local planter=$!
  go
  wait_caption status "$(text VERSION3 STEP3-TITLE)" 300
  drv click Check2 >/dev/null
  dd if=/dev/zero of="$r/hog" bs=1M 2>/dev/null
  drv click Check2 >/dev/null
  expect_eq "failing run ends" "visible=1" "$(wait_page 7 300)"
  wait "$planter"
  local rr ss
  rr=$(first_log 2 | sed -n 2p)
  ss=$(first_log 2 | sed -n 1p)
  expect_eq "disk filled by another program fails in the fill" "3|R" "$(field "$rr" 0)|$(field "$rr" 4)"
  expect_eq "its report row" "$(text VERSION3 WORK-STATUS-3)" "$(drv caption 'ReportInfo(0)')"
  expect_eq "read-only work file fails the removal" "6|S" "$(field "$ss" 0)|$(field "$ss" 4)"
  expect_eq "its report row" "$(text VERSION3 WORK-STATUS-6)" "$(drv caption 'ReportInfo(1)')"
  shot 96 finish-failures
  # Closing looks for leftovers once more and says it could not delete S's.
  drv click Command1 >/dev/null
  expect_has "leftover reported at close" 'S:\VNL_temp' "$(drv answer "$(text VERSION3 OLD-FOLDER-EXISTS)" OK 20)"
  expect_has "and not claimed deleted" 'S:\VNL_temp' "$(drv answer "$(text VERSION3 OLD-FOLDER-NOT-DELETED)" OK 20)"
  drv wait-gone 30 >/dev/null || bad "Finish ends the program"
  wine_end || bad "the program ends after the leftover messages"
  [ -e "$r/VNL_temp" ] && bad "work files left on the filled disk" || ok
  expect_eq "the read-only file stays" "locked" "$(cat "$s/VNL_temp/locked.txt" 2>&1)"
  # Page 2 of the next start finds the folder and says it could not delete it.
  app_start
  app_window
  open_disk_page
  expect_has "leftover reported" 'S:\VNL_temp' "$(drv answer "$(text VERSION3 OLD-FOLDER-EXISTS)" OK 60)"
  expect_has "again not claimed deleted" 'S:\VNL_temp' "$(drv answer "$(text VERSION3 OLD-FOLDER-NOT-DELETED)" OK 20)"
  drv close >/dev/null
  drv answer "$(text VERSION3 OLD-FOLDER-EXISTS)" OK 20 >/dev/null
  drv answer "$(text VERSION3 OLD-FOLDER-NOT-DELETED)" OK 20 >/dev/null
  drv wait-gone 20 >/dev/null || bad "close after the leftover messages"
  chmod 644 "$s/VNL_temp/locked.txt"
  rm -rf "$r/hog" "$s/VNL_temp"
}

main() {
  e2e_begin
  app_install

  local name set kind control
  for name in d e; do
    image_make "$name" 256 >/dev/null && image_mount "$name" || { bad "image $name"; break; }
    plant_user_files "$name"
    plant_markers "$name"
    image_unmount "$name"
    mft_bytes "$name" >"$PREFIX_ROOT/$name.mft"
    for set in $marker_sets; do
      control=$(for kind in $marker_kinds; do wc -l <"$PREFIX_ROOT/$name.$set.$kind"; done | xargs)
      expect_eq "control: deleted markers (large small name) of set $set are on image $name" "$control" "$(markers_left "$name" "$set")"
    done
    image_mount "$name"
    image_map "$name" "$PREFIX_ROOT/mnt/$name"
  done
  for name in f g h p; do
    image_make "$name" 128 >/dev/null && image_mount "$name" && image_map "$name" "$PREFIX_ROOT/mnt/$name"
  done
  mkdir -p "$PREFIX_ROOT/vanishing"
  image_map q "$PREFIX_ROOT/vanishing"
  image_make r 512 >/dev/null && image_mount r && image_map r "$PREFIX_ROOT/mnt/r" && drive_kind r floppy
  volume_mount s 64m && image_map s "$PREFIX_ROOT/mnt/s"
  wineserver -k
  wineserver -w

  residue_run d D Option8 1
  residue_run e E Option10 3
  # Their letters go, so the remaining disks fit in the panel's seven slots.
  rm -f "$WINEPREFIX/dosdevices/d:" "$WINEPREFIX/dosdevices/e:"

  # Stop during stage 1 of the first of three disks, cleaning mode 2.
  start_run FGH Option7 Option8
  go
  wait_caption status "$(text VERSION3 STEP1-TITLE)" 60
  drv click Command4 >/dev/null
  expect_eq "stopped run ends" "visible=1" "$(wait_page 7 300)"
  shot 96 finish-three-disks
  local i
  for i in 1 2 3; do
    expect_eq "stopped disk $i logged as stopped" "0" "$(field "$(first_log 3 | sed -n "${i}p")" 0)"
  done
  for i in 0 1 2; do
    expect_eq "report row $i" "$(text VERSION3 WORK-STATUS-0)" "$(drv caption "ReportInfo($i)")"
  done
  finish
  for name in f g h; do
    [ -e "$PREFIX_ROOT/mnt/$name/VNL_temp" ] && bad "work folder left on ${name^^} after Stop" || ok
  done

  # A disk that goes away while its work files are being removed, as a
  # stick pulled out: every removal now answers that the path is gone, which
  # is no success, and the run says so.
  start_run H Option6 Option8
  go
  wait_caption status "$(text VERSION3 STEP4-TITLE)" 300
  drv unplug H >/dev/null
  expect_eq "run of the pulled disk ends" "visible=1" "$(wait_page 7 300)"
  local hh
  hh=$(first_log | sed -n 1p)
  expect_eq "the pulled disk is a failed removal" "6|H" "$(field "$hh" 0)|$(field "$hh" 4)"
  expect_eq "its report row" "$(text VERSION3 WORK-STATUS-6)" "$(drv caption 'ReportInfo(0)')"
  echo "measured: work files left on the disk pulled during stage 4: $(ls "$PREFIX_ROOT/mnt/h/VNL_temp" 2>/dev/null | wc -l)"
  finish
  rm -rf "$PREFIX_ROOT/mnt/h/VNL_temp"

  # Pause on one disk, and a disk that vanishes after it was selected.
  start_run PQ Option6 Option8
  rm -rf "$PREFIX_ROOT/vanishing"
  go
  wait_caption status "$(text VERSION3 STEP1-TITLE)" 60
  drv click Check2 >/dev/null
  sleep 4
  drv click Check2 >/dev/null
  expect_eq "paused run ends" "visible=1" "$(wait_page 7 300)"
  local q p
  q=$(first_log 2 | sed -n 1p)
  p=$(first_log 2 | sed -n 2p)
  expect_eq "vanished disk fails preparation" "2|Q" "$(field "$q" 0)|$(field "$q" 4)"
  expect_eq "its report row" "$(text VERSION3 WORK-STATUS-2)" "$(drv caption 'ReportInfo(1)')"
  expect_eq "the paused disk completes" "1" "$(field "$p" 0)"
  local wall logged
  wall=$(( $(date -d "$(field "$p" 2)" +%s) - $(date -d "$(field "$p" 1)" +%s) ))
  logged=$(field "$p" 3)
  echo "measured: paused disk: wall $wall s, logged $logged s"
  [ "$logged" -le $((wall - 3)) ] && ok || bad "pause not taken off: wall $wall, logged $logged"
  finish

  failures_run

  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}

main "$@"
