#!/usr/bin/env bash
# End to end: the language. A first start in a German locale with a German
# file installed speaks German; the verb "lang" shows only the secondary
# window, whose choice the next start speaks; the language link on the
# welcome page hands over to a second process; Russian, Greek, Japanese and
# Chinese speak on the first two pages. Screenshots of the language page at
# 96 and 144 DPI and of those pages go to build/screenshots/<dpi>/. Prints
# "N passed, N failed" last.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tests/harness/e2e.sh"

checked() { drv state "$1" | cut -d' ' -f3; }
# The program's own start runs in the background and must not hold the
# output of a command substitution, so it is never called inside one.
start_and_wait() { app_start "$@"; app_window; }
closed() {  # what
  drv wait-gone 30 >/dev/null && wine_end && ok || bad "$1"
}

# The index of a language's button on the language page.
lang_button() {  # language
  local n=0 caption
  while caption=$(drv caption "LangArray($n)" 2>/dev/null); do
    [ "$caption" = "$1" ] && { printf "%s" "$n"; return 0; }
    n=$((n + 1))
  done
  printf "none"
}

main() {
  # The German locale comes from the install script, which generates it when missing.
  bash "$root/scripts/setup.sh" || { echo "0 passed, 1 failed"; exit 1; }
  e2e_begin
  app_install

  # First start with the country Germany: German, stored.
  LC_ALL=de_DE.UTF-8 start_and_wait
  expect_eq "German locale: first start" "Vantrel 3.07 German" "$(drv title)"
  expect_eq "German stored" "German" "$(setting Settings Language)"
  expect_eq "German caption" "Weiter" "$(drv caption Command1)"
  drv close >/dev/null
  closed "close after the German start"

  # "lang": the secondary window alone, German selected, its flag shown.
  app_start lang
  expect_eq "lang: the secondary window" "Vantrel" "$(wait_second)"
  drv state ListView1 >/dev/null 2>&1 && bad "lang: the main window is shown" || ok
  expect_eq "lang: English" "English" "$(drv caption 'LangArray(0)')"
  local german
  german=$(lang_button German)
  expect_eq "lang: German selected" "checked=1" "$(checked "LangArray($german)")"
  expect_eq "lang: OK has the focus" "Command3" "$(drv focus | cut -d' ' -f2)"
  shot 96 language
  drv click 'LangArray(0)' >/dev/null
  drv click Command3 >/dev/null
  closed "OK ends the process"
  expect_eq "English stored by OK" "English" "$(setting Settings Language)"
  start_and_wait
  expect_eq "the next start speaks English" "Vantrel 3.07 English" "$(drv title)"

  # The language link hands over to a second process and the first ends.
  drv click Label12 >/dev/null
  expect_eq "Label12: the secondary window" "Vantrel" "$(wait_second)"
  drv click "LangArray($german)" >/dev/null
  drv key ENTER >/dev/null
  closed "Enter presses OK"
  expect_eq "German stored by Enter" "German" "$(setting Settings Language)"
  start_and_wait
  expect_eq "the next start speaks German" "Vantrel 3.07 German" "$(drv title)"
  drv close >/dev/null
  closed "close after the German start"

  # At 144 DPI: no warning about the display, and the page scales.
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
  wineserver -k
  wineserver -w
  app_start lang
  expect_eq "144 DPI: the secondary window" "Vantrel" "$(wait_second)"
  expect_eq "144 DPI seen" "144" "$(drv dpi)"
  drv message 2 >/dev/null && bad "144 DPI: a message about the display" || ok
  shot 144 language
  drv close >/dev/null
  closed "the close box ends the secondary window"
  expect_eq "the close box stores nothing" "German" "$(setting Settings Language)"

  # Other scripts at 96 DPI: the stored language speaks on the welcome page
  # and the disk page, in the window's title, labels and buttons.
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 96 /f >/dev/null 2>&1
  wineserver -k
  wineserver -w
  local language
  for language in Russian Greek Japanese Chinese; do
    wine_out tests reg add 'HKCU\Software\VB and VBA Program Settings\VNL\Settings' /v Language /d "$language" \
      /f >/dev/null
    start_and_wait
    expect_eq "$language: title" "Vantrel 3.07 $language" "$(drv title)"
    expect_eq "$language: welcome" "$(translated "$language" INTERFACE LABEL1)" "$(drv caption Label1)"
    shot 96 "welcome-$language"
    open_disk_page
    expect_eq "$language: disk page" "$(translated "$language" INTERFACE LABEL3)" "$(drv caption Label3)"
    expect_eq "$language: Next" "$(translated "$language" INTERFACE COMMAND1)" "$(drv caption Command1)"
    shot 96 "disks-$language"
    drv close >/dev/null
    closed "close after the $language start"
  done

  echo "screenshots: $shots"
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}

main "$@"
