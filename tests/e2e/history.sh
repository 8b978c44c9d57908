#!/usr/bin/env bash
# End to end: the run history on the disk page. Two real runs on small NTFS
# images, one that completes and one stopped with Stop, are listed on page 2
# newest first with their outcomes; "show completed runs only" keeps the
# completed one; the clear label deletes the log and hides the history area.
# A long history (LONG_LOG records) is refreshed within the quarter second
# the window may take to answer. Screenshots go to build/screenshots/96/.
# Prints "N passed, N failed" last.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tests/harness/e2e.sh"

LONG_LOG=${LONG_LOG:-5000}

area_state() {  # prints "list title line clear" visibility, e.g. "1 1 1 1"
  local c
  for c in ListView1 Label29 Line1 Label22; do drv state "$c" | cut -d' ' -f1 | cut -d= -f2; done | xargs
}

# The row the list should show for a log record.
expected_row() {  # record
  local r=$1 info
  if [ "$(field "$r" 0)" = 1 ]; then
    info="$(text VERSION3 NTFS-MODE-REVIEW) $(text VERSION3 "MODE$(field "$r" 8)"), FAT/NTFS: $(text VERSION3 "NTFS-MODE-$(field "$r" 9)")"
  else
    info=$(text VERSION3 "WORK-STATUS-$(field "$r" 0)")
  fi
  printf '%s\t%s\t%s\t%s\t%s' "$(field "$r" 4)" "$(field "$r" 5)" "$(field "$r" 1)" "$(( $(field "$r" 3) / 60 )) min" "$info"
}

# Each column's width against its share of the list's width (3, 10, 22,
# 10, 50 hundredths), within a pixel of rounding.
check_widths() {  # widths-line
  local list_width shares=(3 10 22 10 50) widths i want
  list_width=$(drv rect ListView1 | cut -d' ' -f3)
  read -r -a widths <<<"$1"
  expect_eq "five columns" 5 "${#widths[@]}"
  for i in 0 1 2 3 4; do
    want=$((list_width * shares[i] / 100))
    [ $(( ${widths[i]:-0} - want )) -le 1 ] && [ $(( want - ${widths[i]:-0} )) -le 1 ] && ok ||
      bad "column $((i + 1)) width: ${widths[i]:-none} px, its share of $list_width px is $want"
  done
}

main() {
  e2e_begin
  app_install
  local t0=$SECONDS
  # H is a small removable disk: few name files, so its run completes
  # quickly. I is a fixed disk with thousands of them, long enough to stop.
  image_make h 32 >/dev/null && image_mount h && image_map h "$(mnt h)" && drive_kind h floppy || bad "image h"
  image_make i 64 >/dev/null && image_mount i && image_map i "$(mnt i)" || bad "image i"
  wineserver -k
  wineserver -w

  start_run H Option6 Option8
  go
  expect_eq "completed run ends" "visible=1" "$(wait_page 7 300)"
  expect_eq "H logged as completed" "1|H" "$(field "$(first_log)" 0)|$(field "$(first_log)" 4)"
  finish

  start_run I Option6 Option8
  go
  wait_caption status "$(text VERSION3 STEP1-TITLE)" 60
  drv click Command4 >/dev/null
  expect_eq "stopped run ends" "visible=1" "$(wait_page 7 300)"
  expect_eq "I logged as stopped" "0|I" "$(field "$(first_log)" 0)|$(field "$(first_log)" 4)"
  # Back on the finished page leads to the welcome page, Next to the disk page.
  drv click Command2 >/dev/null
  drv click Command1 >/dev/null
  expect_eq "disk page shown" "visible=1" "$(page_shown 2)"

  local list rows
  list=$(drv list ListView1)
  expect_eq "column captions" "$(printf 'Disk\tLabel\tStarted at\tTime\tInfo')" "$(sed -n 1p <<<"$list")"
  check_widths "$(sed -n 2p <<<"$list")"
  rows=$(sed -n '3,$p' <<<"$list")
  expect_eq "two rows, newest first" "$(expected_row "$(first_log 2 | sed -n 1p)")
$(expected_row "$(first_log 2 | sed -n 2p)")" "$rows"
  expect_has "stopped run's info" "$(text VERSION3 WORK-STATUS-0)" "$(sed -n 1p <<<"$rows")"
  expect_has "completed run's info" "$(text VERSION3 MODE1), FAT/NTFS: $(text VERSION3 NTFS-MODE-1)" "$(sed -n 2p <<<"$rows")"
  expect_eq "history area shown" "1 1 1 1" "$(area_state)"
  expect_eq "history title" "$(text VERSION3 STATISTICS)" "$(drv caption Label29)"
  shot 96 history-two-runs

  drv click Check9 >/dev/null
  expect_eq "filter stored" "YES" "$(setting Settings SHOWGOODONLY)"
  expect_eq "filter keeps the completed run" "$(expected_row "$(first_log 2 | sed -n 2p)")" \
    "$(drv list ListView1 | sed -n '3,$p')"
  shot 96 history-completed-only
  drv click Check9 >/dev/null
  expect_eq "filter off: both again" 2 "$(drv list ListView1 | sed -n '3,$p' | wc -l)"

  # A long history: how long the window takes to show the filtered list.
  local n
  for n in $(seq 1 "$LONG_LOG"); do
    printf '%d|12/1/2026 10:00:00 AM|12/1/2026 10:05:00 AM|300|E|Vol|NTFS|1|2|3\r\n' $((n % 2))
  done >"$(data_folder)/log.txt"
  local on off
  on=$(drv click-watch Check9 ListView1 30)
  off=$(drv click-watch Check9 ListView1 30)
  echo "measured: Check9 on a log of $LONG_LOG records: list redrawn after $on ms, and off again after $off ms"
  [ "${on:-9999}" -le 250 ] && [ "${off:-9999}" -le 250 ] && ok || bad "refresh of a long history took $on / $off ms"
  expect_eq "long log listed whole" "$LONG_LOG" "$(drv list ListView1 | sed -n '3,$p' | wc -l)"

  drv click Label22 >/dev/null
  [ -e "$(data_folder)/log.txt" ] && bad "the log is still there after clearing" || ok
  drv message 2 >/dev/null 2>&1 && bad "clearing asked a question" || ok
  expect_eq "history area hidden" "0 0 0 0" "$(area_state)"
  expect_eq "filter box stays" "visible=1" "$(drv state Check9 | cut -d' ' -f1)"
  shot 96 history-cleared
  drv close >/dev/null
  drv wait-gone 20 >/dev/null && ok || bad "close after clearing"
  echo "measured: history end to end (images, two runs, page 2): $((SECONDS - t0)) s"

  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}

main "$@"
