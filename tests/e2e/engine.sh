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
wait_for() {  # path seconds
  local end=$((SECONDS + $2))
  until [ -e "$1" ] || [ $SECONDS -ge $end ]; do sleep 0.05; done
}
hashes() { (cd "$(mnt "$1")" && find Documents Pictures -type f 2>/dev/null | LC_ALL=C sort | xargs -r sha256sum); }
expect_files() { expect_eq "$1: the user's files untouched" "$(cat "$PREFIX_ROOT/$1.hashes")" "$(hashes "$1")"; }
# Bytes of the file-record table of an unmounted image (NTFS only grows it).
mft_bytes() {
  ntfsinfo -F '$MFT' "$PREFIX_ROOT/$1.img" 2>/dev/null |
    awk -F'[:(]' 'tolower($1) ~ /data size/ { gsub(/[ \t]/, "", $2); if ($2 + 0 > m) m = $2 + 0 } END { print m + 0 }'
}
# The first message box within the given seconds, answered with its last
# button; prints its text on one line, nothing when none came.
next_box() {  # seconds
  local box
  box=$(drv message "$1" 2>/dev/null) || return 0
  drv answer "$(head -n 1 <<<"$box")" "$(tail -n 1 <<<"$box" | sed 's/.*\[\(.*\)\]$/\1/')" 10 | grep . | paste -sd' ' -
}
boxes() { local n; for n in $(seq "$1"); do next_box "$2"; done | paste -sd'|' -; }  # count seconds
told() { echo "$(text VERSION3 "$1")${2:+ $2:\VNL_temp}"; }  # key [letter]
now_ms() { echo $(($(date +%s%N) / 1000000)); }
# Ends the program from the finish page (or the close box), answering the
# boxes closing shows; prints their first lines.
end_program() {  # Command1|close
  local box
  if [ "$1" = close ]; then drv close >/dev/null; else drv click Command1 >/dev/null; fi
  while box=$(next_box 3) && [ -n "$box" ]; do echo "$box"; done
  app_gone || bad "the program ends"
}
in_bin() { ls -A "$XDG_DATA_HOME/Trash/files" 2>/dev/null | paste -sd' ' -; }
rows() { local n cmds=(); for n in $(seq 0 "$(($1 - 1))"); do cmds+=(caption "ReportInfo($n)" /); done; drv1 "${cmds[@]:0:${#cmds[@]}-1}"; }
ws() { local s r=(); for s in "$@"; do r+=("$(text VERSION3 "WORK-STATUS-$s")"); done; (IFS='|' && echo "${r[*]}"); }

setup() {
  app_install
  local n
  for n in "d 64" "e 56" "l 64" "m 64" "h 64" "r 128"; do
    set -- $n
    image_make "$1" "$2" >/dev/null && image_mount "$1" && image_map "$1" "$(mnt "$1")" || bad "image $1"
  done
  for n in d e; do
    plant_user_files "$n"
    plant_markers "$n"
    image_unmount "$n"
    mft_bytes "$n" >"$PREFIX_ROOT/$n.mft"
    expect_eq "control: every deleted marker is on image $n" "3 20 20 3 20 20" "$(markers_left "$n" removed) $(markers_left "$n" kept)"
    image_mount "$n"
  done
  mkdir -p "$(mnt l)/Documents/Letters" "$(mnt m)/Pictures" "$PREFIX_ROOT/vanishing"
  head -c 300000 /dev/urandom >"$(mnt l)/Documents/scan.pdf"
  for n in 1 2 3; do head -c $((n * 600)) /dev/urandom >"$(mnt l)/Documents/note$n.txt"; done
  head -c 900 /dev/urandom >"$(mnt l)/Documents/Letters/letter.txt"
  for n in 1 2 3; do head -c $((n * 40000)) /dev/urandom >"$(mnt m)/Pictures/photo$n.jpg"; done
  for n in d e l m; do hashes "$n" >"$PREFIX_ROOT/$n.hashes"; done
  image_map q "$PREFIX_ROOT/vanishing"
  volume_mount s 64m && image_map s "$(mnt s)"
  # Sticks get few name files, so a run of them is short.
  drive_kind m floppy
  drive_kind r floppy
  wineserver -k
  wineserver -w
}

# The disk page deletes what it may of leftover work folders: on L one
# holding a file, a link to the user's documents and one to a document; on
# M one that is itself a link to the user's pictures.
leftovers() {
  local l m
  l=$(mnt l) m=$(mnt m)
  mkdir "$l/VNL_temp"
  echo leftover >"$(name_file l 1)"
  ln -s ../Documents "$l/VNL_temp/docs"
  ln -s ../Documents/note1.txt "$(name_file l 2)"
  ln -s Pictures "$m/VNL_temp"
  app_start
  app_window
  wait_page 1 60 >/dev/null
  drv click Command1 >/dev/null
  local said ol="OLD-FOLDER-NOT-DELETED L" om="OLD-FOLDER-NOT-DELETED M"
  said="$(boxes 4 30)|$(next_box 2)"
  [ "$(there "$l/VNL_temp")" = no ] && ol=OLD-FOLDER-DELETED
  [ "$(there "$m/VNL_temp")" = no ] && om=OLD-FOLDER-DELETED
  expect_eq "leftovers on L and M reported, each outcome told truly, no other box" \
    "$(told OLD-FOLDER-EXISTS L)|$(told $ol)|$(told OLD-FOLDER-EXISTS M)|$(told $om)|" "$said"
  echo "measured: after the disk page L's leftover holds '$(ls -A "$l/VNL_temp" 2>/dev/null | xargs)', M's is a link: $(there "$m/VNL_temp")"
  expect_eq "L: the ordinary file deleted" "no" "$(there "$(name_file l 1)")"
  expect_files l
  expect_files m
  rm -rf "$l/VNL_temp" "$m/VNL_temp"
}

# One full cleaning over D E L M Q in the same process; see the top.
main_run() {
  local l a b t0 files said= box pauser free_d free_e own
  l=$(mnt l) free_d=$(free_bytes d) free_e=$(free_bytes e)
  mkdir -p "$DRIVE_C/users/Public/Documents"
  echo "deleted but recoverable" >"$DRIVE_C/users/Public/Documents/kept.txt"
  drv recycle 'C:\users\Public\Documents\kept.txt' || bad "a file goes to the Recycle Bin"
  choose_run DELMQ Option7 Option10
  expect_eq "review: the bin is left alone" "$(text INTERFACE NO)" "$(drv caption Label40)"
  a=$(drv pids)
  export VDRIVER_PID=$a
  own=$(drv query-suspend)
  rm -rf "$PREFIX_ROOT/vanishing"
  t0=$SECONDS
  go
  echo "measured: Wine reports mains status $(drv mains); the window answers the suspend query with $own before the run"
  expect_eq "during the run the suspend query is refused (Wine reports mains)" "$((0x424D5144))" "$(drv query-suspend)"
  wait_for "$(name_file l 5)" 180
  drv click Check2 >/dev/null
  sleep 0.5
  files=$(ls "$l/VNL_temp" | wc -l)
  ln -s ../Documents "$l/VNL_temp/docs" && ln -s ../Documents/note2.txt "$l/VNL_temp/note"
  expect_eq "A: paused in L's name files" "$(text VERSION3 STEP1-TITLE) $((files + 2))" "$(drv caption status) $(ls "$l/VNL_temp" | wc -l)"
  echo "measured: D and E cleaned in $((SECONDS - t0)) s"

  # B starts beside A without a word; a box before its window is answered,
  # so that it cannot stop the journey.
  unset VDRIVER_PID
  app_start
  for _ in $(seq 120); do
    b=$(drv pids | grep -vx "$a") && break
    box=$(next_box 0.5)
    said+=$box
  done
  expect_eq "B: starts without a word while A runs" "" "$said"
  export VDRIVER_PID=$b
  open_disk_page
  expect_eq "B: the disk page says nothing of A's work folder, which keeps its files" "|$((files + 2))" \
    "$(next_box 2)|$(ls "$l/VNL_temp" | wc -l)"
  # A goes on until its template is there (stages 2 and 3 of a small disk
  # last a second or two), paused from the host the moment it appears.
  ( wait_for "$(data_folder)/temp.xd" 120; VDRIVER_PID=$a drv click Check2 >/dev/null ) &
  pauser=$!
  VDRIVER_PID=$a drv click Check2 >/dev/null
  wait "$pauser"
  echo "measured: A paused in '$(VDRIVER_PID=$a drv caption status)', template $(stat -c %s "$(data_folder)/temp.xd" 2>&1) bytes"
  select_disks M
  expect_eq "B: its disk page leaves A's template and work folder alone without a word" "|yes|yes" \
    "$(next_box 2)|$(there "$(data_folder)/temp.xd")|$(there "$(name_file l 1)")"
  expect_eq "B: Next on its review says another cleaning is going" "M|$(text VERSION3 ANOTHER-RUN)" \
    "$(drv click Command1 / click Command1 / click Command1 / caption Label18)|$(go; drv message 10 | head -n 1)"
  shot 96 another-run
  drv answer "$(text VERSION3 ANOTHER-RUN)" OK 10 >/dev/null
  expect_eq "B: stays on the review page" "5" "$(page_now)"
  drv close >/dev/null
  expect_eq "B: closes without a word" "" "$(next_box 2)"
  drv wait-gone 30 >/dev/null || bad "B ends"
  export VDRIVER_PID=$a
  # M's work folder becomes a link before A reaches it.
  ln -s Pictures "$(mnt m)/VNL_temp"
  drv click Check2 >/dev/null

  expect_eq "the run ends" "visible=1" "$(wait_page 7 600)"
  local want_l=6 r n before
  [ "$(there "$l/VNL_temp")" = no ] && want_l=1
  expect_eq "logged: D, E completed; L $want_l; M (work folder a link) and Q (vanished) not run" \
    "2|Q 2|M $want_l|L 1|E 1|D" "$(outcomes 5)"
  expect_eq "report rows of L, M, Q" "$(ws $want_l 2 2)" "$(rows 5 | cut -d'|' -f3-)"
  r=$(first_log 3 | tail -n 1)
  echo "measured: L paused: wall $(($(date -d "$(field "$r" 2)" +%s) - $(date -d "$(field "$r" 1)" +%s))) s, logged $(field "$r" 3) s"
  [ "$(field "$r" 3)" -le $(($(date -d "$(field "$r" 2)" +%s) - $(date -d "$(field "$r" 1)" +%s) - 3)) ] && ok ||
    bad "the pause is not taken off L's time: $r"
  expect_eq "after the run the window's own suspend answer; no countdown; the binned file stays" "$own||kept.txt" \
    "$(drv query-suspend)|$(drv caption Label21)|$(in_bin)"
  expect_eq "L: only the planted links left; no work folder on D, E; no template" "docs note|no no no" \
    "$(ls -A "$l/VNL_temp" 2>/dev/null | xargs)|$(there "$(mnt d)/VNL_temp") $(there "$(mnt e)/VNL_temp") $(there "$(data_folder)/temp.xd")"
  end_program Command1 >/dev/null
  unset VDRIVER_PID
  for n in d e l m; do expect_files "$n"; done
  rm -rf "$l/VNL_temp" "$(mnt m)/VNL_temp"

  # The residue: markers left in the raw images, and the space given back
  # but for what the file-record table keeps.
  local set large small names after grown
  for n in d e; do
    after=$(free_bytes "$n")
    image_unmount "$n"
    grown=$(($(mft_bytes "$n") - $(cat "$PREFIX_ROOT/$n.mft")))
    before=$free_d
    [ "$n" = e ] && before=$free_e
    echo "measured: free space on ${n^^} before $before, after $after bytes; the file-record table grew by $grown bytes"
    [ "$after" -ge $((before - grown - 1048576)) ] && ok || bad "free space on ${n^^} not given back: $before -> $after, table grew $grown"
    for set in $marker_sets; do
      read -r large small names <<<"$(markers_left "$n" "$set")"
      echo "measured: ${n^^}, parent folders $set: markers left of large files $large/3, small files $small/20, names $names/20"
      # A kept folder's index may keep a deleted name where no new file lands.
      [ "$set" = kept ] && names=0
      [ "$large $small $names" = "0 0 0" ] && ok ||
        bad "${n^^}: markers survive ($set): $(image_marker_places "$PREFIX_ROOT/$n.img" "$PREFIX_ROOT/$n.$set."{large,small,name})"
    done
    expect_eq "${n^^}: no deleted file recoverable" 0 "$(recoverable_planted "$n")"
    image_mount "$n"
  done
}

# H pulled out in stage 4, R filled by another program while its free space
# is being filled (paused from the host at its first template copy), a
# read-only file in S's work folder; the bin emptied first.
failures_run() {
  local r s watcher planter
  r=$(mnt r) s=$(mnt s)
  echo "deleted but recoverable" >"$DRIVE_C/users/Public/Documents/gone.txt"
  drv recycle 'C:\users\Public\Documents\gone.txt' || bad "a file goes to the Recycle Bin"
  start_run HRS Option7 Option8 click Check4 /
  expect_eq "review: the bin is emptied" "$(text INTERFACE YES)" "$(drv caption Label40)"
  ( until [ -d "$s/VNL_temp" ] || [ -e "$PREFIX_ROOT/stop" ]; do sleep 0.02; done
    echo locked >"$s/VNL_temp/locked.txt" && chmod 444 "$s/VNL_temp/locked.txt" ) &
  planter=$!
  ( until compgen -G "$r/VNL_temp/000-ws1-*" >/dev/null || [ -e "$PREFIX_ROOT/stop" ]; do sleep 0.02; done
    drv click Check2 >/dev/null && touch "$PREFIX_ROOT/r-paused" ) &
  watcher=$!
  go
  wait_caption status "$(text VERSION3 STEP4-TITLE)" 120
  drv unplug H >/dev/null
  echo "measured: pulled H in stage 4 with $(ls "$(mnt h)/VNL_temp" 2>/dev/null | wc -l) work files"
  wait_for "$PREFIX_ROOT/r-paused" 120
  if [ -e "$PREFIX_ROOT/r-paused" ]; then
    shot 96 run-filling
    dd if=/dev/zero of="$r/hog" bs=1M 2>/dev/null
    drv click Check2 >/dev/null
  else bad "R not paused at its first template copy"; fi
  expect_eq "the failing run ends" "visible=1" "$(wait_page 7 300)"
  touch "$PREFIX_ROOT/stop"
  wait "$planter" "$watcher"
  expect_eq "logged: S a failed removal, R a failed fill, H (pulled) a failed removal" "6|S 3|R 6|H" "$(outcomes 3)"
  expect_eq "their report rows" "$(ws 6 3 6)" "$(rows 3)"
  expect_eq "the Recycle Bin emptied; no work files on R; S's read-only file stays" "|no|locked" \
    "$(in_bin)|$(there "$r/VNL_temp")|$(cat "$s/VNL_temp/locked.txt" 2>&1)"
  shot 96 finish-failures
  expect_eq "closing reports S's leftover and does not claim it deleted" \
    "$(told OLD-FOLDER-EXISTS S)|$(told OLD-FOLDER-NOT-DELETED S)" "$(end_program Command1 | paste -sd'|' -)"
  rm -f "$r/hog"
}

# The next start reports S's leftover again; the history lists every run;
# the session ends during a run of L.
history_and_session_end() {
  app_start
  app_window
  open_disk_page
  expect_eq "the next start's disk page reports S's leftover, not deleted" \
    "$(told OLD-FOLDER-EXISTS S)|$(told OLD-FOLDER-NOT-DELETED S)" "$(boxes 2 30)"
  chmod 644 "$(mnt s)/VNL_temp/locked.txt" && rm -rf "$(mnt s)/VNL_temp"

  local list r i want=()
  list=$(drv list ListView1)
  expect_eq "history: columns, each as wide as its share of the list (3, 10, 22, 10, 50 hundredths)" \
    "$(printf 'Disk\tLabel\tStarted at\tTime\tInfo')|ok" "$(sed -n 1p <<<"$list")|$(sed -n 2p <<<"$list" |
      awk -v w="$(drv rect ListView1 | cut -d' ' -f3)" '{ split("3 10 22 10 50", s, " "); r = "ok"
        for (i = 1; i <= 5; i++) { d = $i - int(w * s[i] / 100); if (d > 1 || d < -1) r = "off: " $0 " of " w } print r }')"
  while IFS= read -r r; do
    if [ "$(field "$r" 0)" = 1 ]; then
      i="$(text VERSION3 NTFS-MODE-REVIEW) $(text VERSION3 "MODE$(field "$r" 8)"), FAT/NTFS: $(text VERSION3 "NTFS-MODE-$(field "$r" 9)")"
    else i=$(text VERSION3 "WORK-STATUS-$(field "$r" 0)"); fi
    want+=("$(printf '%s\t%s\t%s\t%s\t%s' "$(field "$r" 4)" "$(field "$r" 5)" "$(field "$r" 1)" "$(($(field "$r" 3) / 60)) min" "$i")")
  done <<<"$(first_log 8)"
  expect_eq "history: every run, newest first, as logged" "$(printf '%s\n' "${want[@]}")" "$(sed -n '3,$p' <<<"$list")"
  expect_eq "history: area and title shown" "1 1 1 1 $(text VERSION3 STATISTICS)" \
    "$(drv state ListView1 / state Label29 / state Line1 / state Label22 | cut -c9 | xargs) $(drv caption Label29)"
  shot 96 history
  drv click Check9 >/dev/null
  expect_eq "completed runs only: stored, D and E listed" "YES|E D" \
    "$(setting Settings SHOWGOODONLY)|$(drv list ListView1 | sed -n '3,$p' | cut -f1 | xargs)"
  drv click Check9 >/dev/null
  local n on off
  for n in $(seq 1 5000); do
    printf '%d|12/1/2026 10:00:00 AM|12/1/2026 10:05:00 AM|300|E|Vol|NTFS|1|2|3\r\n' $((n % 2))
  done >"$(data_folder)/log.txt"
  on=$(drv click-watch Check9 ListView1 30) off=$(drv click-watch Check9 ListView1 30)
  echo "measured: Check9 on a log of 5000 records: list redrawn after $on ms, and off again after $off ms"
  [ "${on:-9999}" -le 250 ] && [ "${off:-9999}" -le 250 ] && ok || bad "refresh of a long history took $on / $off ms"
  expect_eq "the long log listed whole" 5000 "$(drv list ListView1 | sed -n '3,$p' | wc -l)"
  drv click Label22 >/dev/null
  expect_eq "clear: the log deleted without a question; the area hidden, the filter box stays" "no||0 0 0 0 1" \
    "$(there "$(data_folder)/log.txt")|$(next_box 2)|$(drv state ListView1 / state Label29 / state Line1 / state Label22 / state Check9 | cut -c9 | xargs)"

  local l answer t0
  l=$(mnt l)
  choose_run L Option6 Option8
  go
  wait_for "$(name_file l 50)" 120
  expect_eq "stage 1 under way when the session ends" "$(text VERSION3 STEP1-TITLE)" "$(drv caption status)"
  t0=$(now_ms)
  answer=$(drv end-session 300 2>&1)
  echo "measured: the program answered the session's end after $(($(now_ms) - t0)) ms"
  expect_eq "it agrees, its work folder already gone" "yes no" \
    "$([[ "$answer" =~ ^[1-9][0-9]*$ ]] && echo yes || echo "no: $answer") $(there "$l/VNL_temp")"
  app_gone 90 && ok || bad "the program ends after the session's end"
  echo "measured: the program ended $(($(now_ms) - t0)) ms after the session's end began"
  expect_eq "no work folder left after the session's end" no "$(there "$l/VNL_temp")"
  wineserver -k
  wineserver -w
}

# With "turn off" the finish page counts down, and the shutdown request ends
# every program of the prefix (Wine runs wineboot; the host is untouched).
turn_off() {
  local t0 say="$(text INTERFACE YOURPCTURNOFF1)" sec="$(text INTERFACE SECONDS)"
  start_run M Option6 Option8
  drv click Command1 / click Check1 >/dev/null
  expect_eq "the run of M ends" "visible=1" "$(wait_page 7 300)"
  t0=$SECONDS
  wait_caption Label21 "$say 20 $sec" 5
  expect_eq "the countdown starts at 20" "$say 20 $sec" "$(drv caption Label21)"
  wait_caption Label21 "$say 15 $sec" 10
  shot 96 countdown
  expect_eq "and goes on" "$say 15 $sec" "$(drv caption Label21)"
  drv wait-gone 40 >/dev/null && ok || bad "the shutdown request did not end the program: '$(drv caption Label21)'"
  echo "measured: the program ended $((SECONDS - t0)) s after the countdown began, as Wine ended the prefix's session"
}

e2e_begin
parts setup leftovers main_run failures_run history_and_session_end turn_off
e2e_end
