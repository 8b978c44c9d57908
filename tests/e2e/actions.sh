#!/usr/bin/env bash
# End to end: what the program asks of the system around a run, under Wine.
# The paging-file option goes into the prefix's registry; a file deleted to
# the Recycle Bin stays after a run without the bin option and is gone after
# one with it; during a run the window refuses a suspend query when Wine
# says the computer is on mains; after a run with "turn off" ticked the
# finish page counts down and the shutdown request goes out. Screenshots go
# to build/screenshots/actions/. Prints what it measured, and
# "N passed, N failed" last.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tests/harness/e2e.sh"

memory_key='HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\Memory Management'
paging_value() {
  wine_out tests reg query "$memory_key" /v ClearPageFileAtShutdown |
    awk '$1 == "ClearPageFileAtShutdown" { print $3 }'
}
# Under Wine the Recycle Bin is the XDG trash of the test's home.
in_bin() { ls "$XDG_DATA_HOME/Trash/files" 2>/dev/null | grep -cx "$1"; }
bin_count() { ls -A "$XDG_DATA_HOME/Trash/files" 2>/dev/null | wc -l; }
denied=$((0x424D5144))

# Page 4: the paging-file box writes 1 and 0; the standby box is offered.
paging_file_option() {
  app_start
  app_window
  drv click Command1 >/dev/null
  select_disks S
  drv click Command1 >/dev/null
  drv click Command1 >/dev/null
  expect_eq "page 4" "visible=1" "$(page_shown 4)"
  expect_eq "standby box offered and ticked" "visible=1 enabled=1 checked=1" "$(drv state Check5)"
  drv click Check6 >/dev/null
  if drv message 2 >/dev/null 2>&1; then bad "a message for an administrator: $(drv message 1)"; else ok; fi
  expect_eq "ticked: the option is set" "0x1" "$(paging_value)"
  shot actions page4
  drv click Check6 >/dev/null
  expect_eq "unticked: the option is cleared" "0x0" "$(paging_value)"
  drv close >/dev/null
  drv wait-gone 30 >/dev/null || bad "the program ends from page 4"
  wine_end
}

# A file of the user's, deleted to the Recycle Bin as Explorer does.
bin_a_file() {  # name
  mkdir -p "$DRIVE_C/users/Public/Documents"
  echo "deleted but recoverable" >"$DRIVE_C/users/Public/Documents/$1"
  drv recycle "C:\\users\\Public\\Documents\\$1" || bad "the file $1 went to the Recycle Bin"
  expect_eq "$1 is in the Recycle Bin" "1" "$(in_bin "$1")"
}

# A quick run of S without the bin option: the bin keeps its file. During
# the run the window answers a suspend query as the mains status says.
run_keeps_the_bin() {
  bin_a_file kept.txt
  start_run S Option6 Option8
  expect_eq "review: the bin is left alone" "$(text INTERFACE NO)" "$(drv caption Label40)"
  local own mains answer after
  own=$(drv query-suspend)
  go
  mains=$(drv mains)
  answer=$(drv query-suspend)
  echo "measured: Wine reports mains status $mains; the window answered the suspend query with $own before the run, $answer during it"
  if [ "$mains" = 1 ]; then expect_eq "suspend refused on mains" "$denied" "$answer"
  else expect_eq "suspend passed on to the window's own procedure off mains" "$own" "$answer"; fi
  expect_eq "run of S ends" "visible=1" "$(wait_page 7 300)"
  after=$(drv query-suspend)
  expect_eq "after the run the window's own answer again" "$own" "$after"
  expect_eq "no countdown without turn off" "" "$(drv caption Label21)"
  expect_eq "the binned file stays" "1" "$(in_bin kept.txt)"
  finish
}

# With the bin option and "turn off when done": the bin is emptied before the
# disk, the finish page counts down, and the shutdown request goes out.
run_empties_the_bin_and_turns_off() {
  bin_a_file gone.txt
  wine_out tests reg add 'HKCU\Software\VB and VBA Program Settings\VNL\EmptyBin' /v Value /d YES /f >/dev/null
  start_run S Option6 Option8
  expect_eq "review: the bin is emptied" "$(text INTERFACE YES)" "$(drv caption Label40)"
  go
  drv click Check1 >/dev/null
  expect_eq "run of S ends" "visible=1" "$(wait_page 7 300)"
  expect_eq "the Recycle Bin is empty" "0" "$(bin_count)"
  local t0=$SECONDS
  wait_caption Label21 "$(text INTERFACE YOURPCTURNOFF1) 20 $(text INTERFACE SECONDS)" 5
  expect_eq "the countdown starts at 20" "$(text INTERFACE YOURPCTURNOFF1) 20 $(text INTERFACE SECONDS)" \
    "$(drv caption Label21)"
  wait_caption Label21 "$(text INTERFACE YOURPCTURNOFF1) 15 $(text INTERFACE SECONDS)" 10
  shot actions countdown
  expect_eq "the countdown goes on" "$(text INTERFACE YOURPCTURNOFF1) 15 $(text INTERFACE SECONDS)" \
    "$(drv caption Label21)"
  # What Wine makes of the forced request: it runs wineboot to end every
  # program of the prefix and stop its server (the host is untouched).
  local seen="$PREFIX_ROOT/session-end"
  ( for _ in $(seq 400); do pgrep -af 'wineboot' | grep -v pgrep >>"$seen"; sleep 0.1; done ) &
  local watcher=$!
  if drv wait-gone 40 >/dev/null; then
    ok
    echo "measured: the program ended $((SECONDS - t0)) s after the countdown began, as Wine ended the prefix's session"
  else
    bad "the shutdown request did not end the session: Label21 shows '$(drv caption Label21)'"
  fi
  kill "$watcher" 2>/dev/null
  wait "$watcher" 2>/dev/null
  echo "measured: Wine started for the request: $(sed 's/^[0-9]* //' "$seen" 2>/dev/null | sort -u | tr '\n' ';')"
  wineserver -w
}

main() {
  e2e_begin
  local t0=$SECONDS
  app_install
  image_make s 32 >/dev/null && image_mount s && image_map s "$(mnt s)" ||
    { bad "image s"; echo "$passed passed, $failed failed"; exit 1; }
  wineserver -k
  wineserver -w

  paging_file_option
  run_keeps_the_bin
  run_empties_the_bin_and_turns_off

  echo "measured: actions.sh ran $((SECONDS - t0)) s after its prefix was made"
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}

main "$@"
