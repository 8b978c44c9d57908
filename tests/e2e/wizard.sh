#!/usr/bin/env bash
# End to end: the real Vantrel.exe under Wine on a virtual display, driven
# from outside by vdriver as a person would. Walks the seven pages, checks
# what the user sees and what is stored, restarts, and repeats the walk at
# 144 DPI. Screenshots go to build/screenshots/<dpi>/. Prints
# "N passed, N failed" last.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tests/harness/e2e.sh"

# Walks pages 1 to 7 with disk C:, checking each page, capturing each.
walk() {  # dpi
  local dpi=$1
  expect_eq "page 1 shown ($dpi)" "visible=1" "$(page_shown 1)"
  shot "$dpi" page1
  drv click Command2 >/dev/null
  expect_eq "Back on page 1 stays ($dpi)" "visible=1" "$(page_shown 1)"
  drv click Command1 >/dev/null
  expect_eq "page 2 after Next ($dpi)" "visible=1" "$(page_shown 2)"
  # A disk selected in an earlier walk is unselected first.
  [ "$(setting DiskSelection C)" = "YES" ] && drv click 'DiskLabel(0)' >/dev/null
  drv click Command1 >/dev/null
  expect_has "no disk: refused ($dpi)" "$(text INTERFACE PLEASESELECTONEDISK)" \
    "$(drv answer "$(text INTERFACE PLEASESELECTONEDISK)" OK 10)"
  expect_eq "still page 2 ($dpi)" "visible=1" "$(page_shown 2)"
  drv click 'DiskLabel(0)' >/dev/null
  expect_eq "disk C stored as selected ($dpi)" "YES" "$(setting DiskSelection C)"
  shot "$dpi" page2
  drv click Command1 >/dev/null
  expect_eq "page 3 ($dpi)" "visible=1" "$(page_shown 3)"
  drv click Option7 >/dev/null
  drv click Option10 >/dev/null
  shot "$dpi" page3
  drv click Command1 >/dev/null
  expect_eq "page 4 ($dpi)" "visible=1" "$(page_shown 4)"
  drv click Option4 >/dev/null
  [ "$(drv state Check4 | cut -d' ' -f3)" = "checked=1" ] || drv click Check4 >/dev/null
  shot "$dpi" page4
  drv click Command1 >/dev/null
  expect_eq "page 5 ($dpi)" "visible=1" "$(page_shown 5)"
  expect_eq "review: disks ($dpi)" "C" "$(drv caption Label18)"
  expect_eq "review: method ($dpi)" "$(text INTERFACE OPTION4)" "$(drv caption Label20)"
  expect_eq "review: bin ($dpi)" "$(text INTERFACE YES)" "$(drv caption Label40)"
  expect_eq "review: modes ($dpi)" "$(text VERSION3 MODE2), FAT/NTFS: $(text VERSION3 NTFS-MODE-3)" \
    "$(drv caption Label19)"
  shot "$dpi" page5
  drv click Command1 >/dev/null
  expect_eq "page 6 ($dpi)" "visible=1" "$(page_shown 6)"
  expect_eq "Next hidden during the run ($dpi)" "visible=0" "$(drv state Command1 | cut -d' ' -f1)"
  shot "$dpi" page6
  drv close >/dev/null
  expect_has "close refused during the run ($dpi)" "$(text VERSION3 STOP-OPERATIONS-FIRST)" \
    "$(drv answer "$(text VERSION3 STOP-OPERATIONS-FIRST)" OK 10)"
  expect_eq "window stays ($dpi)" "visible=1" "$(page_shown 6)"
  if [ "$dpi" = 96 ]; then
    # Windows asks to end the session, then goes on (another program
    # refused): the run stops as if by Stop, and the window comes back.
    expect_eq "session end agreed during the run" "1" "$(drv end-session 120 cancelled)"
    expect_eq "window back after the cancelled session end" "Vantrel 3.07 English" "$(drv title)"
  else
    drv click Command4 >/dev/null
  fi
  # The stopped disk still has its work files removed and its report row added.
  expect_eq "page 7 after Stop ($dpi)" "visible=1" "$(wait_page 7 120)"
  expect_eq "Finish caption ($dpi)" "$(text INTERFACE FINISH)" "$(drv caption Command1)"
  shot "$dpi" page7
}

main() {
  e2e_begin
  app_install

  local t0 t1
  t0=$(date +%s%N)
  app_start
  app_window
  t1=$(date +%s%N)
  echo "measured: start-up to window under Wine: $(( (t1 - t0) / 1000000 )) ms"
  expect_eq "title" "Vantrel 3.07 English" "$(drv title)"
  expect_eq "new account: sound on" "" "$(setting Settings PlaySound)"
  expect_eq "new account: standby prevented, on every version" "" "$(setting Settings PreventStandBy)"
  walk 96
  # Keyboard: Back from the finish page to the welcome page, then Enter is Next.
  drv click Command2 >/dev/null
  expect_eq "Back on page 7 goes to page 1" "visible=1" "$(page_shown 1)"
  drv key ENTER >/dev/null
  expect_eq "Enter presses Next" "visible=1" "$(page_shown 2)"
  # The disk page's sweep held Next and Back (the focused one too); keys
  # still reach them afterwards.
  drv key ENTER >/dev/null
  expect_eq "Enter again after the disk page's sweep" "visible=1" "$(page_shown 3)"
  drv click Command2 >/dev/null
  drv click Command2 >/dev/null
  drv click Check7 >/dev/null
  expect_eq "Skip welcome stored" "YES" "$(setting RunSecondWindow Value)"
  drv key SPACE >/dev/null
  expect_eq "Space toggles the focused box" "checked=0" "$(drv state Check7 | cut -d' ' -f3)"
  drv key SPACE >/dev/null
  drv key TAB >/dev/null
  expect_has "Tab moves on from the box" "Command" "$(drv focus)"
  # Close box outside a run: accepted.
  drv close >/dev/null
  drv wait-gone 20 >/dev/null && ok || bad "close box outside a run ends the program"

  # Choices survive a restart.
  app_start
  app_window
  expect_eq "restart: starts on page 2" "visible=1" "$(page_shown 2)"
  expect_eq "session end agreed outside a run" "1" "$(drv end-session 30 cancelled)"
  expect_eq "cancelled session end: window back on page 2" "visible=1" "$(page_shown 2)"
  expect_eq "restart: mode 2" "checked=1" "$(drv state Option7 | cut -d' ' -f3)"
  expect_eq "restart: metadata mode 3" "checked=1" "$(drv state Option10 | cut -d' ' -f3)"
  expect_eq "restart: method 4" "checked=1" "$(drv state Option4 | cut -d' ' -f3)"
  expect_eq "restart: bin" "checked=1" "$(drv state Check4 | cut -d' ' -f3)"
  expect_eq "stored method" "4" "$(setting SecurityMethod Value)"
  expect_eq "stored metadata mode" "3" "$(setting NTFSMODE VALUE)"
  drv close >/dev/null
  drv wait-gone 20 >/dev/null || bad "second close"

  # The background picture is required.
  local app="$DRIVE_C/Program Files/Vantrel 3"
  mv "$app/program-back.jpg" "$app/program-back.away"
  app_start
  expect_has "missing background" "No background image! Reinstall program!" \
    "$(drv answer 'No background image!' OK 60)"
  drv wait-gone 20 >/dev/null && ok || bad "missing background ends the program"
  mv "$app/program-back.away" "$app/program-back.jpg"

  # The same walk at 144 DPI, from the welcome page.
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\VB and VBA Program Settings\VNL\RunSecondWindow' /v Value /d '' /f >/dev/null 2>&1
  wineserver -k
  wineserver -w
  app_start
  app_window
  expect_eq "144 DPI seen by the program's screen" "144" "$(drv dpi)"
  walk 144
  drv click Command1 >/dev/null
  drv wait-gone 20 >/dev/null && ok || bad "Finish ends the program"

  echo "screenshots: $shots"
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}

main "$@"
