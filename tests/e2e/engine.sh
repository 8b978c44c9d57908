#!/usr/bin/env bash
# Journey: cleanings on real NTFS images in one prefix. The disk page meets
# leftover work folders holding links or being one. One full cleaning then
# runs over D and E, whose deleted files' markers must be gone from the raw
# images afterwards while the user's files stay byte for byte; over L, paused
# while links appear in its work folder and a second copy of the program
# looks on; over M, whose work folder becomes a link; and over Q, which
# vanishes. A second run fails each of its disks in its own way (pulled out
# in stage 4, filled by another program, a read-only file), with the Recycle
# Bin emptied; the history lists them all; the session ends during a third
# run; a fourth turns the computer off. Prints "N passed, N failed" last.
#
# Links are Linux symbolic links planted from the host. Wine 8 shows one to
# a folder as a folder with the reparse-point attribute but cannot remove it
# as a link, so the program must leave it and say so; one to a file shows as
# a plain file, whose delete by name would delete its target.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tests/harness/e2e.sh"
source "$root/tests/harness/markers.sh"

digits=$(printf '0123456789%.0s' $(seq 10))
name_file() { printf '%s/VNL_temp/bo%s-%s.$$$' "$(mnt "$1")" "$2" "$digits"; }  # disk number
# Where a run puts its name file of that number: in the subfolder of its thousand.
run_name_file() { printf '%s/VNL_temp/n%s/bo%s-%s.$$$' "$(mnt "$1")" "$(($2 / 1000))" "$2" "$digits"; }
wait_for() {  # path seconds
  local end=$((SECONDS + $2))
  until [ -e "$1" ] || [ $SECONDS -ge $end ]; do sleep 0.05; done
}
untouched() { local n; for n in "$@"; do [ "$(cat "$PREFIX_ROOT/$n.hashes")" = "$(user_hashes "$n")" ] && echo -n yes; done; }
in_bin() { ls -A "$XDG_DATA_HOME/Trash/files" 2>/dev/null | xargs; }
to_bin() { echo recoverable >"$DRIVE_C/users/Public/$1" && drv recycle "C:\\users\\Public\\$1" || bad "$1 to the Recycle Bin"; }
rows() { captions ReportInfo "$1" | paste -sd'|' -; }
ws() { local s r=(); for s in "$@"; do r+=("$(text VERSION3 "WORK-STATUS-$s")"); done; (IFS='|' && echo "${r[*]}"); }
# What the program says of a leftover work folder, as it stands now.
leftover() {  # letter
  echo "$(told OLD-FOLDER-EXISTS "$1:\VNL_temp")|$([ "$(there "$(mnt "${1,,}")/VNL_temp")" = no ] && told OLD-FOLDER-DELETED ||
    told OLD-FOLDER-NOT-DELETED "$1:\VNL_temp")"
}

setup() {
  local n
  app_install
  for n in "d 64" "e 56" "l 64" "m 64" "h 64" "r 128"; do
    set -- $n
    image_make "$1" "$2" >/dev/null && image_mount "$1" && image_map "$1" "$(mnt "$1")" && plant_user_files "$1" || bad "image $1"
  done
  for n in d e; do
    plant_markers "$n"
    image_unmount "$n"
    mft_bytes "$n" >"$PREFIX_ROOT/$n.mft"
    expect_eq "control: every deleted marker is on image $n" "3 20 20 3 20 20" "$(markers_left "$n" removed) $(markers_left "$n" kept)"
    image_mount "$n"
  done
  mkdir -p "$PREFIX_ROOT/vanishing" "$DRIVE_C/users/Public"
  image_map q "$PREFIX_ROOT/vanishing"
  volume_mount s 48m && image_map s "$(mnt s)"
  # Sticks get few name files, so a run of them is short.
  drive_kind m floppy
  drive_kind r floppy
  wine_restart
}

# The disk page deletes what it may of leftover work folders: on L one
# holding a file, a link to the user's documents and one to a letter; on M
# one that is itself a link to the user's documents.
leftovers() {
  local l=$(mnt l) m=$(mnt m) said
  mkdir "$l/VNL_temp"
  echo leftover >"$(name_file l 1)"
  ln -s ../Documents "$l/VNL_temp/docs"
  ln -s ../Documents/Letters/letter1.txt "$(name_file l 2)"
  ln -s Documents "$m/VNL_temp"
  app_open 1
  said="$(drv click Command1 >/dev/null; boxes 4 30)|$(next_box 2)"
  expect_eq "leftovers on L and M reported, each outcome told truly, no other box; the file deleted, the documents untouched" \
    "$(leftover L)|$(leftover M)||no|yesyes" "$said|$(there "$(name_file l 1)")|$(untouched l m)"
  rm -rf "$l/VNL_temp" "$m/VNL_temp"
}

# One full cleaning over D E L M Q in the same process; see the top.
main_run() {
  local l=$(mnt l) a b files box own said r n before after grown set left want_l=6
  for n in d e; do free_bytes "$n" >"$PREFIX_ROOT/$n.free"; done
  to_bin kept.txt
  choose_run DELMQ Option7 Option10
  expect_eq "review: the bin is left alone" "$(text INTERFACE NO)" "$(drv caption Label40)"
  a=$(drv pids)
  export VDRIVER_PID=$a
  own=$(drv query-suspend)
  rm -rf "$PREFIX_ROOT/vanishing"
  go
  expect_eq "during the run the suspend query is refused (on mains)" "$((0x424D5144))" "$(drv query-suspend)"
  wait_for "$(run_name_file l 5)" 180
  drv click Check2 >/dev/null
  sleep 0.5
  files=$(ls "$l/VNL_temp" | wc -l)
  ln -s ../Documents "$l/VNL_temp/docs" && ln -s ../Documents/Letters/letter2.txt "$l/VNL_temp/note"
  expect_eq "A: paused in L's name files" "$(text VERSION3 STEP1-TITLE) $((files + 2))" "$(drv caption status) $(ls "$l/VNL_temp" | wc -l)"

  # B starts beside A without a word; a box before its window is answered,
  # so that it cannot stop the journey.
  unset VDRIVER_PID
  app_start
  for _ in $(seq 120); do b=$(drv pids | grep -vx "$a") && break; box+=$(next_box 0.5); done
  export VDRIVER_PID=$b
  open_disk_page
  expect_eq "B: starts without a word; its disk page says nothing of A's work folder, which keeps its files" "||$((files + 2))" \
    "${box:-}|$(next_box 2)|$(ls "$l/VNL_temp" | wc -l)"
  # A goes on until its template is there (stages 2 and 3 of a small disk
  # last a second or two), paused from the host the moment it appears.
  ( wait_for "$(data_folder)/temp.xd" 120; VDRIVER_PID=$a drv click Check2 >/dev/null ) &
  VDRIVER_PID=$a drv click Check2 >/dev/null
  wait $!
  select_disks M
  expect_eq "B: a sweep again leaves A's template and work folder alone without a word; Next says another cleaning is going \
and stays on the review page; B closes without a word" "|yes|yes|M|$(text VERSION3 ANOTHER-RUN)|5||yes" \
    "$(next_box 2)|$(there "$(data_folder)/temp.xd")|$(there "$(run_name_file l 1)")|$(
      drv click Command1 / click Command1 / click Command1 / caption Label18)|$(go; drv message 10 | head -n 1; shot 96 another-run
      drv answer "$(text VERSION3 ANOTHER-RUN)" OK 10 >/dev/null)|$(page_now)|$(drv close >/dev/null; next_box 2)|$(
      drv wait-gone 30 >/dev/null && echo yes)"
  export VDRIVER_PID=$a
  # M's work folder becomes a link before A reaches it.
  ln -s Documents "$(mnt m)/VNL_temp"
  drv click Check2 >/dev/null

  expect_eq "the run ends" "visible=1" "$(wait_page 7 600)"
  [ "$(there "$l/VNL_temp")" = no ] && want_l=1
  r=$(first_log 3 | tail -n 1) && n=$(($(date -d "$(field "$r" 2)" +%s) - $(date -d "$(field "$r" 1)" +%s)))
  expect_eq "logged and shown: D, E completed; L $want_l, its pause not in its logged time; M (its work folder a link) and Q (vanished) not run; \
the window's own suspend answer again, no countdown, the binned file stays; L: only the links left; no work folder on D, E, no template" \
    "2|Q 2|M $want_l|L 1|E 1|D|$(ws $want_l 2 2)|yes|$own||kept.txt|docs note|no no no" \
    "$(outcomes 5)|$(rows 5 | cut -d'|' -f3-)|$([ "$(field "$r" 3)" -le $((n - 3)) ] && echo yes || echo "$r")|$(drv query-suspend)|$(
      drv caption Label21)|$(in_bin)|$(ls -A "$l/VNL_temp" 2>/dev/null | xargs)|$(there "$(mnt d)/VNL_temp") $(there "$(mnt e)/VNL_temp") $(
      there "$(data_folder)/temp.xd")"
  said="$(drv click Command1 >/dev/null; boxes 4 20)|$(app_gone && echo yes)|$(untouched d e l m)"
  expect_eq "closing reports L's (links) and M's (a link) leftovers, outcomes told truly; Finish ends the program; the user's files untouched on D, E, L, M" \
    "$(leftover L)|$(leftover M)|yes|yesyesyesyes" "$said"
  unset VDRIVER_PID
  rm -rf "$l/VNL_temp" "$(mnt m)/VNL_temp"

  # The residue: markers left in the raw images, and the space given back
  # but for what the file-record table keeps.
  for n in d e; do
    expect_eq "${n^^}: free space back but for the file-record table's growth; no marker left; no deleted file recoverable" \
      "$residue_clean" "$(residue "$n")"
    image_mount "$n"
  done
}

# Acts from the host the moment a condition holds; gives up when the stop
# file appears.
when() {  # condition action
  ( until eval "$1" || [ -e "$stop" ]; do sleep 0.02; done
    [ -e "$stop" ] || eval "$2" ) &
  helpers+=($!)
}

# H pulled out in stage 4, R filled by another program while its free space
# is being filled, a read-only file in S's work folder; the bin emptied
# first. H and R are paused from the host at those moments: H in the wait
# of 5 s that ends its fill (the pause then holds at stage 4's first file:
# a click takes longer than H's whole removal on a busy machine), R at its
# first template copy.
failures_run() {
  local r=$(mnt r) s=$(mnt s) said stop="$PREFIX_ROOT/stop" paused="$PREFIX_ROOT/r-paused" helpers=()
  to_bin gone.txt
  start_run HRS Option7 Option8 click Check4 /
  when '[ -d "$s/VNL_temp" ]' 'echo locked >"$s/VNL_temp/locked.txt" && chmod 444 "$s/VNL_temp/locked.txt"'
  when '[ "$(drv caption status)" = "$(text INTERFACE WAITINGTOCOMPLETE)" ]' \
    'drv click Check2 >/dev/null && touch "$PREFIX_ROOT/h-paused"'
  when 'compgen -G "$r/VNL_temp/c0/000-ws1-*" >/dev/null' 'drv click Check2 >/dev/null && touch "$paused"'
  go
  wait_for "$PREFIX_ROOT/h-paused" 120
  drv unplug H / click Check2 >/dev/null
  wait_for "$paused" 120
  [ -e "$paused" ] || bad "R not paused at its first template copy"
  dd if=/dev/zero of="$r/hog" bs=1M 2>/dev/null
  [ -e "$paused" ] && drv click Check2 >/dev/null
  expect_eq "the failing run ends" "visible=1" "$(wait_page 7 300)"
  touch "$stop"
  wait "${helpers[@]}"
  expect_eq "logged and shown: S and H (pulled) failed removals, R a failed fill; the Recycle Bin emptied; no work files on R; S's read-only file stays" \
    "6|S 3|R 6|H|$(ws 6 3 6)||no|locked" "$(outcomes 3)|$(rows 3)|$(in_bin)|$(there "$r/VNL_temp")|$(cat "$s/VNL_temp/locked.txt" 2>&1)"
  said="$(drv click Command1 >/dev/null; boxes 2 20)|$(app_gone && echo yes)"
  expect_eq "closing reports S's leftover and does not claim it deleted; Finish ends the program" "$(leftover S)|yes" "$said"
  rm -f "$r/hog"
}

# The next start reports S's leftover again; the history lists every run;
# the session ends during a run of L.
history_and_session_end() {
  local list r i want=() n on off area='state ListView1 / state Label29 / state Line1 / state Label22 / state Check9'
  app_open
  open_disk_page
  expect_eq "the next start's disk page reports S's leftover, not deleted" "$(leftover S)" "$(boxes 2 30)"
  chmod 644 "$(mnt s)/VNL_temp/locked.txt" && rm -rf "$(mnt s)/VNL_temp"
  while IFS= read -r r; do
    i=$(text VERSION3 "WORK-STATUS-$(field "$r" 0)")
    [ "$(field "$r" 0)" != 1 ] || i="$(text VERSION3 NTFS-MODE-REVIEW) $(text VERSION3 "MODE$(field "$r" 8)"), FAT/NTFS: $(text VERSION3 "NTFS-MODE-$(field "$r" 9)")"
    want+=("$(printf '%s\t%s\t%s\t%s\t%s' "$(field "$r" 4)" "$(field "$r" 5)" "$(field "$r" 1)" "$(($(field "$r" 3) / 60)) min" "$i")")
  done <<<"$(first_log 8)"
  list=$(drv list ListView1)
  expect_eq "history: columns and widths, every run newest first as logged, area and title shown" \
    "$(printf 'Disk\tLabel\tStarted at\tTime\tInfo')|ok|$(printf '%s\n' "${want[@]}")|1 1 1 1 1 $(text VERSION3 STATISTICS)" \
    "$(sed -n 1p <<<"$list")|$(history_widths)|$(sed -n '3,$p' <<<"$list")|$(drv $area | cut -c9 | xargs) $(drv caption Label29)"
  shot 96 history
  expect_eq "completed runs only: stored, D and E listed" "YES|E D" \
    "$(drv click Check9 >/dev/null; setting Settings SHOWGOODONLY)|$(drv list ListView1 / click Check9 | sed -n '3,$p' | cut -f1 | xargs)"
  seq 1 5000 | awk '{ printf "%d|12/1/2026 10:00:00 AM|12/1/2026 10:05:00 AM|300|E|Vol|NTFS|1|2|3\r\n", $1 % 2 }' >"$(data_folder)/log.txt"
  on=$(drv click-watch Check9 ListView1 30) off=$(drv click-watch Check9 ListView1 30)
  expect_eq "a long history redrawn within 250 ms each way, listed whole" "yes|5000" \
    "$([ "${on:-999}" -le 250 ] && [ "${off:-999}" -le 250 ] && echo yes || echo "$on, $off ms")|$(drv list ListView1 | sed -n '3,$p' | wc -l)"
  expect_eq "clear: the log deleted without a question; the area hidden, the filter box stays" "no||0 0 0 0 1" \
    "$(drv click Label22 >/dev/null; there "$(data_folder)/log.txt")|$(next_box 2)|$(drv $area | cut -c9 | xargs)"

  choose_run L Option6 Option8
  go
  wait_for "$(run_name_file l 50)" 120
  expect_eq "the session ends in stage 1: the program agrees, its work folder already gone; it ends, leaving none" \
    "$(text VERSION3 STEP1-TITLE) yes no yes no" "$(drv caption status) $(drv end-session 300 2>&1 | sed -E 's/^[1-9][0-9]*$/yes/') $(
      there "$(mnt l)/VNL_temp") $(app_gone 90 && echo yes) $(there "$(mnt l)/VNL_temp")"
  wine_restart
}

# With "turn off" the finish page counts down, and the shutdown request ends
# every program of the prefix (Wine runs wineboot; the host is untouched).
turn_off() {
  local say="$(text INTERFACE YOURPCTURNOFF1)" sec="$(text INTERFACE SECONDS)"
  start_run M Option6 Option8
  drv click Command1 / click Check1 >/dev/null
  expect_eq "the run of M ends; the countdown starts at 20 and goes on; the shutdown request ends the program" \
    "visible=1|$say 20 $sec|$say 15 $sec|yes" "$(wait_page 7 300)|$(wait_caption Label21 "$say 20 $sec" 5; drv caption Label21)|$(
      wait_caption Label21 "$say 15 $sec" 10; shot 96 countdown; drv caption Label21)|$(drv wait-gone 40 >/dev/null && echo yes)"
}

e2e_begin
parts setup leftovers main_run failures_run history_and_session_end turn_off
e2e_end
