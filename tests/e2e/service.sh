#!/usr/bin/env bash
# Journey: the program and its maker's web endpoint (tools/endpoint.py on
# 127.0.0.1), in one prefix. A crash trace left before start is reported, a
# quick run's finish page opens the update page, the secondary window
# subscribes (the endpoint answers by the address's local part: okay,
# already, error, short, long, silent) and sends the computer's profile,
# the translators' check reports, then the verbs install and uninstall, the
# release's installer and the uninstall command it leaves, also in folders
# whose names the command interpreter would misread and with a program the
# batch may not delete. Screenshots go to build/screenshots/{96,144,install}/.
# Prints "N passed, N failed" last.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tests/harness/e2e.sh"
source "$root/tests/harness/endpoint.sh"

requests() { grep -c -- "$1" "$log"; }
# Types an address into the subscription page and sends it; prints the
# first line of the box that answers, and what the endpoint logged for it.
subscribe() {  # address
  drv type Text1 "$1" / click Command2 >/dev/null
  drv answer "$(text SUBSCRIBER "${2:-WRONG-SERVER-RESPONSE}" | cut -c1-30)" OK 20 2>&1 | head -n 1
}
qk='HKCU\Software\VB and VBA Program Settings\QK\VNL'

crash_report_and_update() {
  # The shared INI file as any user could leave it: the program does not go
  # to its host, and sends its identifier as one value.
  mkdir -p "$DRIVE_C/ProgramData" "$(data_folder)"
  printf '[BRISEN2.2]\r\nENDPOINT-HOST=127.0.0.1:%s\r\nPCID=1&x=1 2\r\n' "$(closed_port)" >"$DRIVE_C/ProgramData/brisen2.2.ini"
  wine_out tests winebrowser "http://127.0.0.1:$endpoint_port/privacy/_from_soft.cgi?scn=VNL&to=measure&country=People's Republic of China&info=x|ver:3.07|A B#1" >/dev/null
  echo "measured: an unencoded page address reaches the endpoint as: $(logged 'to=measure')"
  # A trace with blanks and odd bytes, as a dying process may leave it.
  printf 'x|ver:3.07|DISK REFRESH#1\x01\xe9\r\n' >"$(data_folder)/fileerror.txt"
  app_start
  drv answer "$(text ERRORS SEND-ERROR-REPORT-NOW | cut -c1-40)" Yes 30 >/dev/null && ok || bad "a crash trace is offered at start"
  drv answer "$(text ERRORS RUN-AS-ADMIN | cut -c1-30)" OK 3 >/dev/null 2>&1
  local bugs=$(logged 'to=bugs')
  expect_eq "reported intact; the shared file's identifier one value; trace deleted, record listed" \
    'x|ver:3.07|DISK REFRESH#1\x01\xe9|1&x=1 2||no|yes' \
    "$(query_field "$bugs" info)|$(query_field "$bugs" pcid)|$(query_field "$bugs" x)|$(there "$(data_folder)/fileerror.txt")|$(
      grep -c 'DISK REFRESH#1' "$(data_folder)/was_errors.txt" | sed 's/^1$/yes/')"
  app_window
  close_app "close after the report"
  # The same trace again, reported already: the next start asks nothing.
  printf 'x|ver:3.07|DISK REFRESH#1\x01\xe9\r\n' >"$(data_folder)/fileerror.txt"
  start_run S Option6 Option8
  expect_eq "a reported record is not offered or sent again; the quick run of S ends; the finish page's update link opens the update page; \
the wizard stays; today stored as the last check" "|1|visible=1|?scn=VNL&to=updates&version=3.07&country=|visible=1|$(date +%-m/%-d/%Y)" \
    "$(drv message 1 2>/dev/null)|$(requests 'to=bugs')|$(go; wait_page 7 300)|$(drv click Label43 >/dev/null
      opened '?scn=VNL&to=updates&version=3.07&country=')|$(page_shown 7)|$(setting Settings 'Recent Update')"
  finish
}

subscription() {
  app_start subscribe
  expect_eq "subscribe: the secondary window alone, its subscription page, not the profile, its heading, the field focused" \
    "Vantrel||visible=1|visible=0|$(text SUBSCRIBER GET-FREE-UPDATES)|Text1" \
    "$(wait_second)|$(shown ListView1 2>/dev/null)|$(shown Picture1)|$(shown Picture5)|$(drv caption Label3)|$(drv focus | cut -d' ' -f2)"
  drv type Text1 "reader@example.com" >/dev/null
  shot 96 subscribe
  expect_eq "too short and at-less addresses refused, nothing sent" "$(text SUBSCRIBER SHORT-EMAIL)|$(text SUBSCRIBER INVALID-EMAIL)|0" \
    "$(subscribe a@b.cd SHORT-EMAIL)|$(subscribe ab.cdefgh INVALID-EMAIL)|$(requests 'email=a@b.cd')"
  local fail=$(text SUBSCRIBER WRONG-SERVER-RESPONSE)
  expect_eq "[ERROR]: failure told, the page stays, Subscribe enabled, the address stored before sending" \
    "$fail|visible=1|enabled=1|error@example.com" "$(subscribe error@example.com)|$(shown Picture1)|$(
      drv state Command2 | cut -d' ' -f2)|$(setting Settings 'Subscription Email')"
  expect_eq "answers one byte short and long: failure told, the page stays; no server: failure told" "$fail|visible=1|$fail|visible=1|$fail" \
    "$(subscribe short@example.com)|$(shown Picture1)|$(subscribe long@example.com)|$(shown Picture1)|$(
      endpoint_host "127.0.0.1:$(closed_port)"; subscribe nobody@example.com)"
  endpoint_host "127.0.0.1:$endpoint_port"
  # A server that never answers: the window keeps answering until the
  # request gives up. The watch ends before the box is answered: Wine stalls
  # a thread that hides a window for a while, which is no fault of the program.
  (cd "$DRIVE_C/tests" && wine 'C:\tests\vdriver.exe' answer-watch 20 'C:\tests\stop' >"$PREFIX_ROOT/watch.txt" 2>&1 </dev/null) &
  local watch=$!
  drv type Text1 silent@example.com / click Command2 / message 30 >/dev/null
  touch "$DRIVE_C/tests/stop"
  wait $watch
  expect_eq "silent server: failure told, the window answered within 250 ms" "$fail|yes" "$(drv answer "$fail" OK 5 | head -n 1)|$(
    tr -d '\r' <"$PREFIX_ROOT/watch.txt" | awk '$1 == "longest-ms" { v = $2 } END { print v != "" && v < 250 ? "yes" : v " ms" }')"
  expect_eq "[OKAY]: success told, the address arrives intact; the profile page, its box focused; no answer file left" \
    "$(text SUBSCRIBER OK-SERVER-RESPONSE)|a+b@example.com|visible=1|Check1|no" "$(subscribe a+b@example.com OK-SERVER-RESPONSE)|$(
      query_field "$(logged 'email=a%2Bb@')" email)|$(shown Picture5)|$(drv focus | cut -d' ' -f2)|$(there "$(dirname "$(data_folder)")/brisen-2.2.txt")"
  shot 96 profile
  expect_eq "joining thanks and ends the program; three facts sent, WINOS first; no cip.txt left; YES stored" "yes|yes|3|yes|no|YES" \
    "$(drv click Check1 / click Command8 / answer "$(text CIP THANKS | cut -c1-30)" OK 20 | grep -qF "$(text CIP THANKS)" && echo yes)|$(
      app_gone && echo yes)|$(requests 'to=cip')|$(grep 'to=cip' "$log" | head -n 1 | grep -q '?scn=VNL&to=cip&version=3.07&country=.*WINOS|' && echo yes)|$(
      there "$(data_folder)/cip.txt")|$(setting Settings CIP)"

  app_start subscribe
  expect_eq "the stored address offered; [ALREADY-SUBSCRIBED]: told; the profile page, the stored choice ticked" \
    "Vantrel|a+b@example.com|$(text SUBSCRIBER ALREADY-SERVER-RESPONSE)|visible=1|1" \
    "$(wait_second)|$(drv caption Text1)|$(subscribe already@example.com ALREADY-SERVER-RESPONSE)|$(shown Picture5)|$(ticked Check1)"
  close_app "the close box ends the program"
  # At 144 DPI: Esc declines, and Enter saves an unticked box.
  set_dpi 144
  app_start subscribe
  expect_eq "144 DPI; Esc declines to the profile page; Enter saves the unticked box and ends: nothing more sent, NO stored" \
    "Vantrel|144|visible=1|yes|3|NO" "$(wait_second)|$(drv dpi)|$(shot 144 subscribe; drv key ESC >/dev/null; shown Picture5)|$(
      shot 144 profile; drv click Check1 / key ENTER >/dev/null; app_gone && echo yes)|$(requests 'to=cip')|$(setting Settings CIP)"
  set_dpi 96
}

# langaudit beside a made-up file that lacks two texts: the shipped
# translations must lack none.
translations() {
  local report="$(data_folder)/temp.txt" name
  sed -e '/^COMMAND1=/d' -e 's/^LABEL1=.*/LABEL1=/' "$english" >"$DRIVE_C/Program Files/Vantrel 3/Languages/Tester.ini"
  app_start langaudit
  for _ in $(seq 60); do [ -s "$report" ] && break; sleep 0.5; done
  part() {
    tr -d '\r' <"$report" | awk -v h="================= $1 =================" '
      $0 == h { found = 1; inside = 1; next } inside && $0 == "" { inside = 0 } inside { print } END { if (!found) print "absent" }'
  }
  expect_eq "langaudit: the made-up file's missing texts, and none of the shipped translations" \
    "$(printf 'COMMAND1=%s\nLABEL1=%s' "$(text INTERFACE COMMAND1)" "$(text INTERFACE LABEL1)")|" "$(part TESTER)|$(
      for name in "$root"/translations/*.ini; do name=$(basename "$name" .ini); [ -z "$(part "${name^^}")" ] || echo -n "$name "; done)"
  rm -f "$DRIVE_C/Program Files/Vantrel 3/Languages/Tester.ini"
  app_gone
}

app_dir='C:\Program Files\Vantrel 3'
entry='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantrel 3'
desktop='C:\users\Public\Desktop'
menu='C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Vantrel 3'
key_exists() { wine_out tests reg query "$1" >/dev/null 2>&1 && echo yes || echo no; }
program_in() { mkdir -p "$1" && cp -r "$root/build/win/dist"/. "$1"/; }  # host-folder
# The shortcuts and the entry, for the program in that folder.
shortcuts() {
  drv shortcut "$desktop\\Vantrel 3.lnk" / shortcut "$menu\\Vantrel 3.lnk" / \
    shortcut "$menu\\$(text SHORTCUTS CHECK-UPD).lnk" | paste -sd'|' -
  ls "$DRIVE_C/ProgramData/Microsoft/Windows/Start Menu/Programs/Vantrel 3" | LC_ALL=C sort | paste -sd'|' -
  reg_value "$entry" DisplayName UninstallString
}
shortcuts_for() {  # folder
  printf '%s\n' "$1\\Vantrel.exe||$1||$1\\Vantrel.exe||$1||$1\\Vantrel.exe|updates|$1|" \
    "$(text SHORTCUTS CHECK-UPD).lnk|Vantrel 3.lnk|$(text SHORTCUTS TOSITE).url" "Vantrel 3.07|\"$1\\Vantrel.exe\" uninstall"
}
# Runs an uninstall command, answers both questions and reads the batch and
# the registry script while "REMOVED" stands (both delete themselves).
uninstall() {  # keep-settings(Yes|No) screenshot-prefix-or-empty command...
  local keep=$1 screens=$2
  shift 2
  (cd "$DRIVE_C/tests" && wine "$@" >/dev/null 2>&1 </dev/null &)
  drv message 60 >/dev/null && [ -n "$screens" ] && import -window root -trim +repage "$shots/install/$screens-asks.png"
  drv answer "$(text UNINSTALL R-U-SURE)" Yes 5 >/dev/null || bad "asked first"
  drv answer "$(text UNINSTALL WHAT-ABOUT-SETTINGS | cut -c1-30)" "$keep" 5 >/dev/null || bad "no question about the settings"
  drv message 10 >/dev/null && [ -n "$screens" ] && import -window root -trim +repage "$shots/install/$screens-removed.png"
  batch=$(tr -d '\r' <"$temp_host/Uninstall.bat" 2>/dev/null | paste -sd'|' -)
  regfile=$(tr -d '\r' <"$temp_host/uninstall.reg" 2>/dev/null | paste -sd'|' -)
  expect_has "REMOVED" "Vantrel $(text UNINSTALL REMOVED)" "$(drv answer "$(text UNINSTALL REMOVED)" OK 5)"
}

install_uninstall() {
  local program="$DRIVE_C/Program Files/Vantrel 3" temp
  local menu_host="$DRIVE_C/ProgramData/Microsoft/Windows/Start Menu/Programs/Vantrel 3"
  mkdir -p "$shots/install"
  # Wine's own processes keep the current folder of the program that started
  # them, and a current folder cannot be removed: the first is started here.
  wine_restart
  temp=$(wine_out tests cmd /c 'echo %TEMP%')
  temp_host="$DRIVE_C/$(tr '\\' / <<<"${temp#C:\\}")"
  verb() { (cd "$program" && timeout 60 wine "$app_dir\\Vantrel.exe" "$1" >/dev/null 2>&1 </dev/null); }
  verb install
  expect_eq "install: the install page opened; shortcuts, web link, entry, month and year" \
    "?scn=VNL&to=install&version=3.07&|$(shortcuts_for "$app_dir")|URL=http://127.0.0.1:$endpoint_port/privacy/_from_soft.cgi?scn=VNL&to=site&version=3.07&|$(date +%-m)|$(date +%Y)" \
    "$(opened '?scn=VNL&to=install&version=3.07&')|$(shortcuts)|$(tr -d '\r' <"$menu_host/$(text SHORTCUTS TOSITE).url" | grep -o 'URL=.*&version=3.07&')|$(
      reg_value "$qk" Reload-Month)|$(reg_value "$qk" Reload-Year)"
  touch "$menu_host/Old shortcut.lnk"
  verb install
  expect_eq "a second install opens the reinstall page and leaves one set of shortcuts" "?scn=VNL&to=reinstall&|$(shortcuts_for "$app_dir")" \
    "$(opened '?scn=VNL&to=reinstall&')|$(shortcuts)"

  # Wine's cmd runs the batch: its taskkill finds no process left and Del
  # deletes at the first try.
  uninstall Yes uninstall "$app_dir\\Vantrel.exe" uninstall
  expect_eq "settings kept: the batch and registry script, the uninstall page; program folder, batch, script, shortcuts, menu folder, entry gone; the rest kept" \
    "@Echo off|Set tries=0|Goto S|:W|Set /A tries+=1|If %tries% GEQ 30 Goto E|ping -n 2 127.0.0.1 >nul|:S|taskkill /F /IM vantrel.exe|Del \"$app_dir\\Vantrel.exe\"|If Exist \"$app_dir\\Vantrel.exe\" Goto W|Del \"$desktop\\Vantrel 3.lnk\"|rmdir /S /Q \"$menu\"|rmdir /S /Q \"$app_dir\"|:E|Del \"$temp\\Uninstall.bat\"#REGEDIT4|[-${entry/HKLM/HKEY_LOCAL_MACHINE}]|?scn=VNL&to=uninstall&|no no no no no no|yes yes $(date +%-m)" \
    "$batch#$regfile|$(opened '?scn=VNL&to=uninstall&')|$(there "$program" 30) $(
      there "$temp_host/Uninstall.bat" 10) $(there "$temp_host/uninstall.reg") $(there "$DRIVE_C/users/Public/Desktop/Vantrel 3.lnk") $(
      there "$menu_host") $(key_exists "$entry")|$(key_exists "$settings_key") $(there "$(data_folder)") $(reg_value "$qk" Reload-Month)"

  # The release's installer, silent, into a folder of the user's choice
  # (/D= stands for the folder page), then the command it leaves in the
  # entry; this time the settings go too.
  local chosen='C:\Other Apps\Vantrel' chosen_host="$DRIVE_C/Other Apps/Vantrel" setup
  setup=$(ls "$root"/build/release/Vantrel-*-setup.exe 2>/dev/null | head -n 1)
  if [ -z "$setup" ] || [ "$root/build/win/dist/Vantrel.exe" -nt "$setup" ]; then
    bash "$root/scripts/release.sh" >"$PREFIX_ROOT/release.log" 2>&1 || { tail "$PREFIX_ROOT/release.log"; bad "release"; }
    setup=$(ls "$root"/build/release/Vantrel-*-setup.exe | head -n 1)
  fi
  cp "$setup" "$DRIVE_C/tests/setup.exe"
  # Through a batch: Wine would escape the quotes of a command handed to "cmd /c".
  printf 'C:\\tests\\setup.exe /S /D=%s\r\n' "$chosen" >"$DRIVE_C/tests/setup.bat"
  (cd "$DRIVE_C/tests" && timeout 120 wine cmd /c 'C:\tests\setup.bat' >/dev/null 2>&1 </dev/null)
  local rc=$?
  expect_eq "installer: ended, the shipped files in the chosen folder, its shortcuts, no entry of its own" \
    "0|$(cd "$root/build/win/dist" && find . | sort | paste -sd'|')|$(shortcuts_for "$chosen")|Vantrel 3" \
    "$rc|$(cd "$chosen_host" 2>/dev/null && find . | sort | paste -sd'|')|$(shortcuts)|$(
      wine_out tests reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' | grep -i vantrel | sed 's/.*\\//' | paste -sd'|')"
  printf '%s\r\n' "$(reg_value "$entry" UninstallString)" >"$DRIVE_C/tests/entry.bat"
  uninstall No "" cmd /c 'C:\tests\entry.bat'
  expect_eq "the batch and the script remove the settings too; program folder, entry, settings, data folder gone; the folder above and the install date stay" \
    "yes|REGEDIT4|[-HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\VNL]|[-${entry/HKLM/HKEY_LOCAL_MACHINE}]|no yes no no no yes" \
    "$(grep -qF "Goto W|rmdir /S /Q \"C:\\users\\$(id -un)\\AppData\\Roaming\\VNL\"|Del" <<<"$batch" && echo yes)|$regfile|$(there "$chosen_host" 30) $(
      there "$DRIVE_C/Other Apps") $(key_exists "$entry") $(key_exists "$settings_key") $(there "$(data_folder)") $(key_exists "$qk")"

  # A folder whose name the command interpreter would read as a variable and
  # as its operators, were they not doubled or quoted, and as another letter,
  # were the batch not in the OEM code page; a file of the user's beside the
  # program makes the folder not the program's alone: only the program goes.
  local odd="$DRIVE_C/Apps/100%Pure & ^Café"
  program_in "$odd"
  echo mine >"$odd/notes.txt"
  uninstall Yes "" 'C:\Apps\100%Pure & ^Café\Vantrel.exe' uninstall
  expect_eq "odd folder: the percent sign doubled, not removed whole; the batch ends, the program goes, the rest stays" \
    "yes no|no no yes mine" "$(grep -qF 'Del "C:\Apps\100%%Pure & ^Caf' <<<"$batch" && echo yes) $(
      grep -qF 'rmdir /S /Q "C:\Apps' <<<"$batch" && echo yes || echo no)|$(there "$temp_host/Uninstall.bat" 30) $(
      there "$odd/Vantrel.exe") $(there "$odd/Languages/English.ini") $(cat "$odd/notes.txt")"

  # A program the batch may not delete (read-only: Del leaves such a file, on
  # Windows as under Wine): the batch gives up after its 30 tries a second
  # apart and deletes itself, instead of killing every later copy for ever.
  local stuck="$DRIVE_C/Stuck/Vantrel 3" began
  program_in "$stuck"
  chmod a-w "$stuck/Vantrel.exe"
  uninstall Yes "" 'C:\Stuck\Vantrel 3\Vantrel.exe' uninstall
  began=$SECONDS
  expect_eq "read-only program: the batch gives up after 25-60 s of tries and deletes itself; the program and its folder stay" \
    "no yes yes yes" "$(there "$temp_host/Uninstall.bat" 90) $(t=$((SECONDS - began)); [ $t -ge 25 ] && [ $t -le 60 ] && echo yes ||
      echo "$t s") $(there "$stuck/Vantrel.exe") $(there "$stuck/Languages/English.ini")"
}

e2e_begin
app_install
image_make s 16 >/dev/null && image_mount s && image_map s "$(mnt s)" || bad "image s"
endpoint_start
parts crash_report_and_update subscription translations install_uninstall
sed 's/^/endpoint log: /' "$log"
e2e_end
