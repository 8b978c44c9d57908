#!/usr/bin/env bash
# End to end: the real program and the reference web endpoint on 127.0.0.1.
# A crash trace left before start is offered and reported; the finish page's
# update link opens the update page. The host comes from the machine hive,
# never from the shared INI file. Prints "N passed, N failed" last.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tests/harness/e2e.sh"
source "$root/tests/harness/endpoint.sh"

main() {
  e2e_begin
  app_install
  endpoint_start
  # The shared INI file as any user could leave it: the program does not go
  # to its host, and sends its identifier as one value.
  mkdir -p "$DRIVE_C/ProgramData"
  printf '[BRISEN2.2]\r\nENDPOINT-HOST=127.0.0.1:%s\r\nPCID=1&x=1 2\r\n' "$(closed_port)" \
    >"$DRIVE_C/ProgramData/brisen2.2.ini"

  # What an opened page receives of values as they are, for the record.
  wine_out tests winebrowser "http://127.0.0.1:$endpoint_port/privacy/_from_soft.cgi?scn=VNL&to=measure&country=People's Republic of China&info=x|ver:3.07|A B#1" >/dev/null
  echo "measured: an unencoded page address reaches the endpoint as: $(logged 'to=measure')"

  # A trace with blanks and odd bytes, as a dying process may leave it.
  local data
  data=$(ls -d "$DRIVE_C"/users/*/AppData/Roaming | grep -v Public | head -n 1)/VNL
  mkdir -p "$data"
  printf 'x|ver:3.07|DISK REFRESH#1\x01\xe9\r\n' >"$data/fileerror.txt"
  app_start
  expect_has "trace offered at start" "$(text ERRORS SEND-ERROR-REPORT-NOW | cut -c1-40)" \
    "$(drv answer "$(text ERRORS SEND-ERROR-REPORT-NOW | cut -c1-40)" Yes 30)"
  drv answer "$(text ERRORS RUN-AS-ADMIN | cut -c1-30)" OK 3 >/dev/null
  local bugs
  bugs=$(logged 'to=bugs')
  echo "measured: the endpoint logged for the report: $bugs"
  expect_eq "report reaches the endpoint with the record intact" 'x|ver:3.07|DISK REFRESH#1\x01\xe9' \
    "$(query_field "$bugs" info)"
  expect_eq "the planted identifier arrives as one value" "1&x=1 2" "$(query_field "$bugs" pcid)"
  expect_eq "and adds no key" "" "$(query_field "$bugs" x)"
  expect_eq "trace deleted" "no" "$([ -e "$data/fileerror.txt" ] && echo yes || echo no)"
  expect_has "record listed" "DISK REFRESH#1" "$(cat "$data/was_errors.txt" 2>/dev/null)"
  app_window
  drv close >/dev/null
  wine_end

  # The same trace again: reported already, so the next start asks nothing.
  # That start runs a quick cleaning of a small image to the finish page,
  # whose update link opens the update page while the wizard stays.
  printf 'x|ver:3.07|DISK REFRESH#1\x01\xe9\r\n' >"$data/fileerror.txt"
  image_make s 16 >/dev/null && image_mount s && image_map s "$(mnt s)" || bad "image s"
  wineserver -k
  wineserver -w
  start_run S Option6 Option8
  if drv message 1 >/dev/null 2>&1; then bad "a reported record is offered again: $(drv message 1)"; else ok; fi
  expect_eq "and not reported again" "1" "$(grep -c 'to=bugs' "$log")"
  go
  expect_eq "run of S ends" "visible=1" "$(wait_page 7 300)"
  drv click Label43 >/dev/null
  local updates
  updates=$(logged 'to=updates')
  echo "measured: the endpoint logged for the update link: $updates"
  expect_has "the update link opens the update page" "?scn=VNL&to=updates&version=3.07&country=" "$updates"
  expect_eq "the wizard stays on the finish page" "visible=1" "$(page_shown 7)"
  expect_eq "today stored as the last check" "$(setting Settings 'Recent Update')" \
    "$(date +%-m/%-d/%Y)"
  finish

  echo "endpoint log:"
  cat "$log"
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}

main "$@"
