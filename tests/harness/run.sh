# A cleaning run through the wizard: select disks, choose the modes, start,
# wait, finish. Source after app.sh.

# The captions of an array of controls, one a line, up to the first missing.
captions() { drv_each caption $(for ((n = 0; n < $2; n++)); do echo "$1($n)"; done) 2>/dev/null; }  # array-name most
# The letters of the disk page's slots, in order.
slot_letters() { captions DiskLabel 12 | tr -d '\n'; }
# The letters stored as selected, in drive order (a pulled stick's stays).
selected() {
  wine_out tests reg query "$settings_key\\DiskSelection" 2>/dev/null |
    awk '$2 == "REG_SZ" && $3 == "YES" { print $1 }' | sort | tr -d '\n'
}

# Selects exactly the given letters among the slots (the store keeps
# choices). Every click on a disk rebuilds the panel's slots, so a click that
# reaches a slot while the last one is still being rebuilt is lost, as a
# fast person's would be; like that person, look at the choice and click again.
select_disks() {  # letters
  local slots have want= n l try cmds
  slots=$(slot_letters)
  for ((n = 0; n < ${#slots}; n++)); do [[ "$1" == *"${slots:n:1}"* ]] && want+=${slots:n:1}; done
  for try in 1 2 3 4; do
    have=$(selected | tr -cd "$slots")
    [ "$have" = "$want" ] && return 0
    [ $try = 4 ] && break
    cmds=()
    for ((n = 0; n < ${#slots}; n++)); do
      l=${slots:n:1}
      [ "${have//[^$l]/}" = "${want//[^$l]/}" ] || cmds+=(click "DiskLabel($n)" /)
    done
    drv "${cmds[@]:0:${#cmds[@]}-1}" >/dev/null
    sleep 0.3
  done
  bad "disks '$want' not selected after three clicks each: '$have'"
}

# From a fresh start to the disk page, whichever page the program opens on.
# Every wait is for what the window shows: on a busy machine the window
# appears before its first page, and Next clicked too early moves nothing.
open_disk_page() {
  local end=$((SECONDS + 60)) pages
  pages=$(drv1 state 'win(1)' / state 'win(2)' | sed 's/ [^|]*//g')
  until [[ "$pages" == *visible=1* ]] || [ $SECONDS -ge $end ]; do
    sleep 0.3
    pages=$(drv1 state 'win(1)' / state 'win(2)' | sed 's/ [^|]*//g')
  done
  if [[ "$pages" == visible=1* ]]; then
    [ -z "${RUN_SHOTS:-}" ] || shot "$RUN_SHOTS" page1
    drv click Command1 >/dev/null
  fi
  [ "$(wait_page 2 30)" = "visible=1" ] || bad "the disk page shows: $(drv message 0 2>&1 | head -n 1)"
  while [ -z "$(drv caption 'DiskLabel(0)' 2>/dev/null)" ] && [ $SECONDS -lt "$end" ]; do sleep 0.3; done
}

# From a fresh start to the review page: see choose_run.
start_run() {  # letters cleaning-option metadata-option [page-4 commands...]
  app_start
  app_window
  open_disk_page
  choose_run "$@"
}
# From the disk page to the review page: disks, cleaning mode, metadata
# option, the first method, and any driver commands for page 4 (ending in
# "/"). With RUN_SHOTS set, each page is captured into that folder of the
# screenshots (pageN.png) once its choices are made.
choose_run() {  # letters cleaning-option metadata-option [page-4 commands...]
  local letters=$1 cleaning=$2 metadata=$3
  shift 3
  select_disks "$letters"
  expect_eq "review shows $letters" "$letters" \
    "$(drv $(snap 2) click Command1 / click "$cleaning" / click "$metadata" / $(snap 3) click Command1 / \
      click Option1 / "$@" $(snap 4) click Command1 / $(snap 5) caption Label18)"
  [ -z "${RUN_SHOTS:-}" ] || keep_shots "$RUN_SHOTS"
}
snap() { [ -z "${RUN_SHOTS:-}" ] || printf 'screenshot C:\\tests\\page%s.bmp / ' "$1"; }
page_shot() { [ -z "${RUN_SHOTS:-}" ] || shot "$RUN_SHOTS" "page$1"; }
# The program's data folder in the prefix, and the run log's newest records.
data_folder() { printf "%s" "$DRIVE_C/users/$(id -un)/AppData/Roaming/VNL"; }
first_log() { head -n "${1:-1}" "$(data_folder)/log.txt" | tr -d '\r'; }
# Field n (from 0) of a log record.
field() { cut -d'|' -f"$(($2 + 1))" <<<"$1"; }
# "ok" when each column of the history is its share of the list (hundredths,
# within a pixel), else the widths and the list's.
history_widths() {
  drv list ListView1 | sed -n 2p | awk -v w="$(drv rect ListView1 | cut -d' ' -f3)" '{ split("7 11 27 9 41", s, " ")
    r = "ok"; for (i = 1; i <= 5; i++) { d = $i - int(w * s[i] / 100); if (d > 1 || d < -1) r = $0 " of " w } print r }'
}
# What the history's tip shows of a log record, its lines joined by "~".
history_tip() {  # record
  local r=$1 i
  i=$(text VERSION3 "WORK-STATUS-$(field "$r" 0)")
  [ "$(field "$r" 0)" != 1 ] || i="$(text VERSION3 NTFS-MODE-REVIEW) $(text VERSION3 "MODE$(field "$r" 8)"), FAT/NTFS: $(text VERSION3 "NTFS-MODE-$(field "$r" 9)")"
  printf 'Disk: %s%s~Started at: %s~Time: %s min~Info: %s' "$(field "$r" 4)" "$([ -z "$(field "$r" 5)" ] || echo "~Label: $(field "$r" 5)")" \
    "$(field "$r" 1)" "$(($(field "$r" 3) / 60))" "$i"
}
# Status and letter of the newest records, newest first: "1|D 0|E".
outcomes() {  # count
  first_log "$1" | awk -F"|" '{ printf "%s%s|%s", (NR > 1 ? " " : ""), $1, $5 }'
}
go() { drv click Command1 >/dev/null; }
finish() {
  drv click Command1 >/dev/null
  app_gone || bad "Finish ends the program"
}
wait_caption() {  # control text seconds
  local end=$((SECONDS + $3))
  while [ "$(drv caption "$1")" != "$2" ] && [ $SECONDS -lt "$end" ]; do sleep 0.3; done
}
