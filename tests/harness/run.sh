# A cleaning run through the wizard: select disks, choose the modes, start,
# wait, finish. Source after app.sh.

# Selects exactly the given letters on page 2 (the store keeps choices).
select_disks() {  # letters
  local n=0 letter want
  while letter=$(drv caption "DiskLabel($n)" 2>/dev/null) && [ -n "$letter" ]; do
    want=
    [[ "$1" == *"$letter"* ]] && want=YES
    choose_disk "$n" "$letter" "$want"
    n=$((n + 1))
  done
}

# Every click on a disk rebuilds the panel's slots, so a click that reaches
# a slot while the last one is still being rebuilt is lost, as a fast
# person's would be; like that person, look at the choice and click again.
choose_disk() {  # slot letter YES-or-empty
  local click end
  for click in 1 2 3; do
    [ "$(setting DiskSelection "$2")" = "$3" ] && return 0
    drv click "DiskLabel($1)" >/dev/null
    end=$((SECONDS + 5))
    until [ "$(setting DiskSelection "$2")" = "$3" ] || [ $SECONDS -ge $end ]; do sleep 0.3; done
  done
  [ "$(setting DiskSelection "$2")" = "$3" ] || bad "disk $2 not chosen as '$3' after three clicks"
}

# From a fresh start to the disk page, whichever page the program opens on.
# Every wait is for what the window shows: on a busy machine the window
# appears before its first page, and Next clicked too early moves nothing.
open_disk_page() {
  local end=$((SECONDS + 60))
  until [ "$(page_shown 1)" = "visible=1" ] || [ "$(page_shown 2)" = "visible=1" ] || [ $SECONDS -ge $end ]; do
    sleep 0.3
  done
  if [ "$(page_shown 1)" = "visible=1" ]; then
    page_shot 1
    drv click Command1 >/dev/null
  fi
  [ "$(wait_page 2 30)" = "visible=1" ] || bad "the disk page shows: $(drv message 0 2>&1 | head -n 1)"
  while [ -z "$(drv caption 'DiskLabel(0)' 2>/dev/null)" ] && [ $SECONDS -lt "$end" ]; do sleep 0.3; done
}

# From a fresh start to the run page: disks, cleaning mode, metadata option.
start_run() {  # letters cleaning-option metadata-option
  app_start
  app_window
  open_disk_page
  select_disks "$1"
  page_shot 2
  drv click Command1 >/dev/null
  drv click "$2" >/dev/null
  drv click "$3" >/dev/null
  page_shot 3
  drv click Command1 >/dev/null
  drv click Option1 >/dev/null
  page_shot 4
  drv click Command1 >/dev/null
  expect_eq "review shows $1" "$1" "$(drv caption Label18)"
  page_shot 5
}
# With RUN_SHOTS set, the walk captures each page it passes, once its choices
# are made, into that folder of the screenshots (pageN.png).
page_shot() { [ -z "${RUN_SHOTS:-}" ] || shot "$RUN_SHOTS" "page$1"; }
# The program's data folder in the prefix, and the run log's newest records.
data_folder() { printf "%s" "$DRIVE_C/users/$(id -un)/AppData/Roaming/VNL"; }
first_log() { head -n "${1:-1}" "$(data_folder)/log.txt" | tr -d '\r'; }
# Field n (from 0) of a log record.
field() { cut -d'|' -f"$(($2 + 1))" <<<"$1"; }
go() { drv click Command1 >/dev/null; }
finish() {
  drv click Command1 >/dev/null
  drv wait-gone 30 >/dev/null || bad "Finish ends the program"
  wine_end || bad "the program ends after Finish"
}
wait_caption() {  # control text seconds
  local end=$((SECONDS + $3))
  while [ "$(drv caption "$1")" != "$2" ] && [ $SECONDS -lt "$end" ]; do sleep 0.3; done
}
