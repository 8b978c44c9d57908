#!/usr/bin/env bash
# Journey: the verb "clean" from the command line, on one NTFS image as D:.
# A wrong word gets a box naming it, exit code 3, and changes nothing. A run
# stopped while it works ends with code 2, no work folder and the free space
# back. A full cleaning ends with code 0, logged as the wizard's run is, and
# leaves no deleted marker in the raw image while the user's files stay.
# The small window is captured as build/screenshots/clean/window.png.
# Prints "N passed, N failed" last.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tests/harness/e2e.sh"
source "$root/tests/harness/markers.sh"

setup() {
  app_install
  image_make d 64 >/dev/null && image_mount d && image_map d "$(mnt d)" && plant_user_files d && plant_markers d || bad "image d"
  image_unmount d
  mft_bytes d >"$PREFIX_ROOT/d.mft"
  expect_eq "control: every deleted marker is on the image" "3 20 20 3 20 20" "$(markers_left d removed) $(markers_left d kept)"
  image_mount d && free_bytes d >"$PREFIX_ROOT/d.free"
  wine_restart
}
# The program with "clean" and the words, in the background; its exit code
# goes to a file.
clean_start() {
  rm -f "$PREFIX_ROOT/exit"
  (cd "$DRIVE_C/Program Files/Vantrel 3" && wine 'C:\Program Files\Vantrel 3\Vantrel.exe' clean "$@" >/dev/null 2>&1 </dev/null
    echo $? >"$PREFIX_ROOT/exit") &
}
exit_code() {  # seconds
  local end=$((SECONDS + $1))
  until [ -s "$PREFIX_ROOT/exit" ] || [ $SECONDS -ge $end ]; do sleep 0.2; done
  cat "$PREFIX_ROOT/exit" 2>/dev/null
}
# Waits until the small window shows one of the stages given by their title
# keys; its controls go by their ids (app/CleanControlIds.h): 4001 the
# stage, 4004 Stop. Each look starts a Wine process, which on a busy machine
# takes longer than a small disk's fill: a stop waits for any working stage.
in_stage() {  # seconds key...
  local end=$((SECONDS + $1)) key now
  shift
  while [ $SECONDS -lt $end ]; do
    now=$(drv caption 4001 2>/dev/null)
    for key in "$@"; do [[ "$now" == *"$(text VERSION3 "$key")"* ]] && return 0; done
    sleep 0.2
  done
  return 1
}

bad_words() {
  clean_start D: quick full
  expect_has "a mode twice: the box names the word" "$(text CLEAN MODE-TWICE) full" "$(next_box 30)"
  expect_eq "exit code 3; no log, no work folder, the free space as it was" "3||no|$(cat "$PREFIX_ROOT/d.free")" \
    "$(exit_code 30)|$(first_log 2>/dev/null)|$(there "$(mnt d)/VNL_temp")|$(free_bytes d)"
}

stopped() {
  clean_start d: full
  app_window
  in_stage 120 STEP1-TITLE STEP2-TITLE STEP3-TITLE
  drv click 4004 >/dev/null
  expect_eq "Stop in a working stage: exit code 2, logged stopped, no work folder, the disk not full" "2|0|D|no|yes" \
    "$(exit_code 120)|$(field "$(first_log)" 0)|$(field "$(first_log)" 4)|$(there "$(mnt d)/VNL_temp")|$(
      [ "$(free_bytes d)" -ge $(($(cat "$PREFIX_ROOT/d.free") - 8388608)) ] && echo yes)"
}

cleaned() {
  clean_start D: full ntfs2
  app_window
  in_stage 120 STEP1-TITLE STEP2-TITLE STEP3-TITLE
  shot clean window
  expect_eq "exit code 0; logged completed with its modes as a wizard run is; no work folder" "0|1|D|2|2|no" \
    "$(exit_code 600)|$(r=$(first_log) && echo "$(field "$r" 0)|$(field "$r" 4)|$(field "$r" 8)|$(field "$r" 9)")|$(
      there "$(mnt d)/VNL_temp")"
  expect_eq "the user's files unchanged" "$(cat "$PREFIX_ROOT/d.hashes")" "$(user_hashes d)"
  expect_eq "free space back but for the file-record table's growth; no marker left; no deleted file recoverable" \
    "$residue_clean" "$(residue d)"
}

e2e_begin
parts setup bad_words stopped cleaned
e2e_end
