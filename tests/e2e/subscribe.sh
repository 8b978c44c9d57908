#!/usr/bin/env bash
# End to end: the secondary window's subscription and computer-information
# pages against the reference endpoint on 127.0.0.1, and the translators'
# check. The endpoint's answer comes from the local part of the address
# (okay, already, error, short, long, silent); what it logged is printed in
# "measured:" lines. Screenshots of both pages at 96 and 144 DPI go to
# build/screenshots/<dpi>/. Prints "N passed, N failed" last.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tests/harness/e2e.sh"
source "$root/tests/harness/endpoint.sh"

# Points the program at a host and port.
point_at() { endpoint_host "127.0.0.1:$1"; }  # port
raw_request() { python3 -c 'import json, sys; print(json.loads(sys.argv[1])["raw"])' "$1"; }
shown() { drv state "$1" | cut -d' ' -f1; }
subscribe() {  # address
  drv type Text1 "$1" >/dev/null
  drv click Command2 >/dev/null
}
# Answers the message that starts like the text of the key; prints its text.
told() {  # section key [seconds]
  drv answer "$(text "$1" "$2" | cut -c1-30)" OK "${3:-20}" 2>&1
}
ended() {  # what
  drv wait-gone 30 >/dev/null && wine_end && ok || bad "$1"
}
requests() { grep -c -- "$1" "$log"; }
# The program's start runs in the background and must not hold the output of
# a command substitution, so it is never called inside one.
start_second() {  # verb
  app_start "$1"
  [ "$(wait_second)" = "Vantrel" ] || bad "$1: the secondary window"
}

subscription_page() {
  start_second subscribe
  drv state ListView1 >/dev/null 2>&1 && bad "subscribe: the main window is shown" || ok
  expect_eq "subscribe: the subscription page" "visible=1" "$(shown Picture1)"
  expect_eq "subscribe: not the profile page" "visible=0" "$(shown Picture5)"
  expect_eq "heading" "$(text SUBSCRIBER GET-FREE-UPDATES)" "$(drv caption Label3)"
  expect_eq "the focus is in the field" "Text1" "$(drv focus | cut -d' ' -f2)"
  drv type Text1 "reader@example.com" >/dev/null
  shot 96 subscribe

  subscribe "a@b.cd"
  expect_has "six characters are too short" "$(text SUBSCRIBER SHORT-EMAIL)" "$(told SUBSCRIBER SHORT-EMAIL 5)"
  subscribe "ab.cdefgh"
  expect_has "no at sign is invalid" "$(text SUBSCRIBER INVALID-EMAIL)" "$(told SUBSCRIBER INVALID-EMAIL 5)"
  expect_eq "nothing sent for a refused address" "0" "$(requests 'email=a@b.cd')"

  subscribe "error@example.com"
  expect_has "[ERROR]: the failure" "$(text SUBSCRIBER WRONG-SERVER-RESPONSE)" \
    "$(told SUBSCRIBER WRONG-SERVER-RESPONSE)"
  echo "measured: [ERROR] request: $(raw_request "$(logged 'email=error@')")"
  expect_eq "[ERROR]: the page stays" "visible=1" "$(shown Picture1)"
  expect_eq "[ERROR]: Subscribe enabled again" "enabled=1" "$(drv state Command2 | cut -d' ' -f2)"
  expect_eq "the address is stored before sending" "error@example.com" "$(setting Settings 'Subscription Email')"

  local local_part
  for local_part in short long; do
    subscribe "$local_part@example.com"
    expect_has "$local_part answer: the failure" "$(text SUBSCRIBER WRONG-SERVER-RESPONSE)" \
      "$(told SUBSCRIBER WRONG-SERVER-RESPONSE)"
    echo "measured: $local_part answer request: $(raw_request "$(logged "email=$local_part@")")"
    expect_eq "$local_part answer: the page stays" "visible=1" "$(shown Picture1)"
  done

  point_at "$(closed_port)"
  subscribe "nobody@example.com"
  expect_has "no server: the failure" "$(text SUBSCRIBER WRONG-SERVER-RESPONSE)" \
    "$(told SUBSCRIBER WRONG-SERVER-RESPONSE)"
  echo "measured: no server: requests logged for nobody@: $(requests 'email=nobody@')"
  point_at "$endpoint_port"

  # A server that never answers: the window keeps answering until the
  # request gives up.
  rm -f "$DRIVE_C/tests/stop"
  (cd "$DRIVE_C/tests" && wine 'C:\tests\vdriver.exe' answer-watch 20 'C:\tests\stop' \
    >"$PREFIX_ROOT/watch.txt" 2>&1 </dev/null) &
  local watch=$!
  subscribe "silent@example.com"
  # The watch ends before the box is answered: Wine stalls a thread that
  # hides a window for a while, which is no fault of the program.
  drv message 30 >/dev/null
  touch "$DRIVE_C/tests/stop"
  wait $watch
  expect_has "silent server: the failure" "$(text SUBSCRIBER WRONG-SERVER-RESPONSE)" \
    "$(told SUBSCRIBER WRONG-SERVER-RESPONSE 5)"
  local longest
  longest=$(tr -d '\r' <"$PREFIX_ROOT/watch.txt" | awk '$1 == "longest-ms" { print int($2) }')
  echo "measured: silent server: the window's answers: $(tr -d '\r' <"$PREFIX_ROOT/watch.txt" | tr '\n' ' ')"
  [ -n "$longest" ] && [ "$longest" -lt 250 ] && ok || bad "silent server: the window froze ($longest ms)"

  subscribe "a+b@example.com"
  expect_has "[OKAY]: the success" "$(text SUBSCRIBER OK-SERVER-RESPONSE)" "$(told SUBSCRIBER OK-SERVER-RESPONSE)"
  local okay
  okay=$(logged 'email=a%2Bb@')
  echo "measured: [OKAY] request: $(raw_request "$okay")"
  echo "measured: the endpoint decoded email=$(query_field "$okay" email) country=$(query_field "$okay" country)"
  expect_eq "the address arrives intact" "a+b@example.com" "$(query_field "$okay" email)"
  expect_eq "[OKAY]: the profile page" "visible=1" "$(shown Picture5)"
  expect_eq "the profile page: the focus on its box" "Check1" "$(drv focus | cut -d' ' -f2)"
  local data
  data=$(ls -d "$DRIVE_C"/users/*/AppData/Roaming | grep -v Public | head -n 1)
  expect_eq "no answer file left" "" "$(ls "$data/brisen-2.2.txt" 2>/dev/null)"
  shot 96 profile

  drv click Check1 >/dev/null
  drv click Command8 >/dev/null
  expect_has "joining thanks" "$(text CIP THANKS)" "$(told CIP THANKS)"
  ended "Command8 ends the program"
  expect_eq "three facts sent" "3" "$(requests 'to=cip')"
  echo "measured: profile requests: $(grep 'to=cip' "$log" | while read -r l; do query_field "$l" info; done | tr '\n' ' ')"
  expect_has "WINOS first" "?scn=VNL&to=cip&version=3.07&country=" "$(logged 'WINOS|')"
  expect_eq "no cip.txt left" "" "$(ls "$data/VNL/cip.txt" 2>/dev/null)"
  expect_eq "CIP stored" "YES" "$(setting Settings CIP)"
}

already_and_declining() {
  start_second subscribe
  expect_eq "the stored address is offered" "a+b@example.com" "$(drv caption Text1)"
  subscribe "already@example.com"
  expect_has "[ALREADY-SUBSCRIBED]" "$(text SUBSCRIBER ALREADY-SERVER-RESPONSE)" \
    "$(told SUBSCRIBER ALREADY-SERVER-RESPONSE)"
  echo "measured: [ALREADY-SUBSCRIBED] request: $(raw_request "$(logged 'email=already@')")"
  expect_eq "[ALREADY-SUBSCRIBED]: the profile page" "visible=1" "$(shown Picture5)"
  expect_eq "the stored choice checks the box" "checked=1" "$(drv state Check1 | cut -d' ' -f3)"
  drv close >/dev/null
  ended "the close box ends the program"

  # At 144 DPI: Esc declines, and Enter saves an unchecked box.
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
  wineserver -k
  wineserver -w
  start_second subscribe
  expect_eq "144 DPI seen" "144" "$(drv dpi)"
  shot 144 subscribe
  drv key ESC >/dev/null
  expect_eq "Esc declines" "visible=1" "$(shown Picture5)"
  shot 144 profile
  drv click Check1 >/dev/null
  drv key ENTER >/dev/null
  ended "Enter saves and ends"
  expect_eq "unchecked: nothing more sent" "3" "$(requests 'to=cip')"
  expect_eq "unchecked: NO stored" "NO" "$(setting Settings CIP)"
}

# The lines of a language's part of the translators' report, without its
# header; "absent" when the report has no header for it.
report_part() {  # report-file NAME
  tr -d '\r' <"$1" | awk -v h="================= $2 =================" '
    $0 == h { found = 1; inside = 1; next }
    inside && $0 == "" { inside = 0 }
    inside { print }
    END { if (!found) print "absent" }'
}

# langaudit with a made-up file that lacks two texts beside the shipped
# translations, which must lack none.
translation_check() {
  local languages="$DRIVE_C/Program Files/Vantrel 3/Languages"
  sed -e '/^COMMAND1=/d' -e 's/^LABEL1=.*/LABEL1=/' "$english" >"$languages/Tester.ini"
  app_start langaudit
  local data report name
  data=$(ls -d "$DRIVE_C"/users/*/AppData/Roaming | grep -v Public | head -n 1)/VNL
  report="$data/temp.txt"
  for _ in $(seq 60); do [ -s "$report" ] && break; sleep 0.5; done
  expect_eq "langaudit: the made-up file's missing texts" \
    "$(printf 'COMMAND1=%s\nLABEL1=%s' "$(text INTERFACE COMMAND1)" "$(text INTERFACE LABEL1)")" \
    "$(report_part "$report" TESTER)"
  for name in "$root"/translations/*.ini; do
    name=$(basename "$name" .ini)
    expect_eq "langaudit: $name lacks nothing" "" "$(report_part "$report" "${name^^}")"
  done
  echo "measured: langaudit's report:"
  tr -d '\r' <"$report"
  wineserver -k
  wineserver -w
}

main() {
  e2e_begin
  app_install
  endpoint_start
  subscription_page
  already_and_declining
  translation_check
  echo "screenshots: $shots"
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}

main "$@"
