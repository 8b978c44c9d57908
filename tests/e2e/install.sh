#!/usr/bin/env bash
# End to end: the verbs "install" and "uninstall" of the real program, then
# the release's installer run silently into a folder of the user's choice and
# the uninstall command it leaves, all in one prefix with the reference
# endpoint on 127.0.0.1. The uninstall scripts are read while the "REMOVED"
# box still stands: the registry script is deleted when it closes and the
# batch deletes itself, also when it cannot delete the program. Prints
# "N passed, N failed" last.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tests/harness/e2e.sh"
source "$root/tests/harness/endpoint.sh"

app_dir='C:\Program Files\Vantrel 3'
entry='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantrel 3'
settings='HKCU\Software\VB and VBA Program Settings'

key_exists() { wine_out tests reg query "$1" >/dev/null 2>&1 && echo yes || echo no; }
exists() { [ -e "$1" ] && echo yes || echo no; }
# Waits up to the given seconds for a host path to go; says whether it went.
gone_within() {  # path seconds
  local end=$((SECONDS + $2))
  while [ -e "$1" ] && [ $SECONDS -lt "$end" ]; do sleep 0.5; done
  [ -e "$1" ] && echo "still there" || echo gone
}
verb() {  # verb: runs the program with it and waits for the process to end
  (cd "$DRIVE_C/Program Files/Vantrel 3" && timeout 60 wine "$app_dir\\Vantrel.exe" "$1" >/dev/null 2>&1 </dev/null)
}

# The whole virtual screen, trimmed to what shows: the boxes stand alone,
# without the main window the driver's screenshots are taken of.
screen() {  # name
  mkdir -p "$shots/install"
  import -window root -trim +repage "$shots/install/$1.png" || bad "screenshot $1"
}

check_shortcuts() {  # when [program folder]
  local dir=${2:-$app_dir}
  expect_eq "$1: desktop shortcut" "$dir\\Vantrel.exe||$dir|" \
    "$(drv shortcut "$desktop\\Vantrel 3.lnk" | paste -sd'|')"
  expect_eq "$1: menu shortcut" "$dir\\Vantrel.exe||$dir|" \
    "$(drv shortcut "$menu\\Vantrel 3.lnk" | paste -sd'|')"
  expect_eq "$1: update shortcut" "$dir\\Vantrel.exe|updates|$dir|" \
    "$(drv shortcut "$menu\\$(text SHORTCUTS CHECK-UPD).lnk" | paste -sd'|')"
  expect_eq "$1: one set of shortcuts in the menu folder" \
    "$(text SHORTCUTS CHECK-UPD).lnk|Vantrel 3.lnk|$(text SHORTCUTS TOSITE).url" \
    "$(ls "$menu_host" | LC_ALL=C sort | paste -sd'|')"
  expect_eq "$1: entry's display name" "Vantrel 3.07" "$(reg_value "$entry" DisplayName)"
  expect_eq "$1: entry's command, the installed program quoted" "\"$dir\\Vantrel.exe\" uninstall" \
    "$(reg_value "$entry" UninstallString)"
}

# Runs a command line as it stands, through a batch: Wine would escape the
# quotes of a command handed to "cmd /c" as an argument.
as_batch() {  # name command-line
  printf '%s\r\n' "$2" >"$DRIVE_C/tests/$1.bat"
  printf 'C:\\tests\\%s.bat' "$1"
}

# Answers both questions, reads the scripts while "REMOVED" stands, then
# closes it; the batch then removes the program.
uninstall_answering() {  # keep-settings-answer (Yes/No) [command...]
  local keep=$1
  shift
  (cd "$DRIVE_C/tests" && wine "$@" >/dev/null 2>&1 </dev/null &)
  drv message 60 >/dev/null && screen uninstall-asks
  expect_has "asked first" "$(text UNINSTALL R-U-SURE)" "$(drv answer "$(text UNINSTALL R-U-SURE)" Yes 5)"
  drv message 10 >/dev/null && screen uninstall-settings
  drv answer "$(text UNINSTALL WHAT-ABOUT-SETTINGS | cut -c1-30)" "$keep" 5 >/dev/null ||
    bad "no question about the settings"
  drv message 10 >/dev/null || bad "no REMOVED box"
  screen "uninstall-removed-$keep"
  batch=$(tr -d '\r' <"$temp_host/Uninstall.bat" 2>/dev/null)
  regfile=$(tr -d '\r' <"$temp_host/uninstall.reg" 2>/dev/null)
  expect_has "REMOVED box" "Vantrel $(text UNINSTALL REMOVED)" "$(drv answer "$(text UNINSTALL REMOVED)" OK 5)"
}

main() {
  e2e_begin
  app_install
  endpoint_start
  local user_dir data_host
  user_dir=$(ls -d "$DRIVE_C"/users/*/AppData/Roaming | grep -v Public | head -n 1)
  user_dir=${user_dir%/AppData/Roaming}
  data_host="$user_dir/AppData/Roaming/VNL"
  # The user's temporary folder as the program finds it, and on the host.
  temp=$(wine_out tests cmd /c 'echo %TEMP%')
  temp_host="$DRIVE_C/$(tr '\\' / <<<"${temp#C:\\}")"
  desktop='C:\users\Public\Desktop'
  menu='C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Vantrel 3'
  menu_host="$DRIVE_C/ProgramData/Microsoft/Windows/Start Menu/Programs/Vantrel 3"
  local program_host="$DRIVE_C/Program Files/Vantrel 3"

  # First installation, then a second over a stale shortcut.
  verb install
  expect_has "first installation opens the install page" "?scn=VNL&to=install&version=3.07&" "$(logged 'to=install&')"
  check_shortcuts "first install"
  expect_has "web link" "URL=http://127.0.0.1:$endpoint_port/privacy/_from_soft.cgi?scn=VNL&to=site&version=3.07&" \
    "$(tr -d '\r' <"$menu_host/$(text SHORTCUTS TOSITE).url")"
  expect_eq "install month" "$(date +%-m)" "$(reg_value "$settings\\QK\\VNL" Reload-Month)"
  expect_eq "install year" "$(date +%Y)" "$(reg_value "$settings\\QK\\VNL" Reload-Year)"
  touch "$menu_host/Old shortcut.lnk"
  verb install
  expect_has "second installation opens the reinstall page" "&to=reinstall&" "$(logged 'to=reinstall')"
  check_shortcuts "second install"

  # Uninstall, keeping the settings. Wine's cmd runs the batch: its
  # taskkill finds no process left and Del deletes at the first try.
  uninstall_answering Yes "$app_dir\\Vantrel.exe" uninstall
  expect_eq "batch without the settings line" \
    "@Echo off|Set tries=0|Goto S|:W|Set /A tries+=1|If %tries% GEQ 30 Goto E|ping -n 2 127.0.0.1 >nul|:S|taskkill /F /IM vantrel.exe|Del \"$app_dir\\Vantrel.exe\"|If Exist \"$app_dir\\Vantrel.exe\" Goto W|Del \"$desktop\\Vantrel 3.lnk\"|rmdir /S /Q \"$menu\"|rmdir /S /Q \"$app_dir\"|:E|Del \"$temp\\Uninstall.bat\"" \
    "$(paste -sd'|' <<<"$batch")"
  expect_eq "registry script without the settings line" "REGEDIT4|[-${entry/HKLM/HKEY_LOCAL_MACHINE}]" \
    "$(paste -sd'|' <<<"$regfile")"
  expect_has "uninstall page opened" "&to=uninstall&" "$(logged 'to=uninstall')"
  expect_eq "program folder removed by the batch" gone "$(gone_within "$program_host" 30)"
  expect_eq "batch deleted itself" gone "$(gone_within "$temp_host/Uninstall.bat" 10)"
  expect_eq "registry script deleted" no "$(exists "$temp_host/uninstall.reg")"
  expect_eq "desktop shortcut removed" no "$(exists "$DRIVE_C/users/Public/Desktop/Vantrel 3.lnk")"
  expect_eq "menu folder removed" no "$(exists "$menu_host")"
  expect_eq "entry removed by regedit" no "$(key_exists "$entry")"
  expect_eq "settings kept" yes "$(key_exists "$settings\\VNL")"
  expect_eq "data folder kept" yes "$(exists "$data_host")"
  expect_eq "install date kept" "$(date +%-m)" "$(reg_value "$settings\\QK\\VNL" Reload-Month)"

  # The release's installer, silent, into a folder of the user's choice
  # (/D= stands for the folder page), then the command it leaves in the
  # entry; this time the settings go too.
  local chosen='C:\Other Apps\Vantrel' chosen_host="$DRIVE_C/Other Apps/Vantrel"
  local setup
  setup=$(ls "$root"/build/release/Vantrel-*-setup.exe 2>/dev/null | head -n 1)
  if [ -z "$setup" ] || [ "$root/build/win/dist/Vantrel.exe" -nt "$setup" ]; then
    bash "$root/scripts/release.sh" >"$PREFIX_ROOT/release.log" 2>&1 || { tail "$PREFIX_ROOT/release.log"; bad "release"; }
    setup=$(ls "$root"/build/release/Vantrel-*-setup.exe | head -n 1)
  fi
  cp "$setup" "$DRIVE_C/tests/setup.exe"
  (cd "$DRIVE_C/tests" && timeout 120 wine cmd /c "$(as_batch setup "C:\tests\setup.exe /S /D=$chosen")" \
    >/dev/null 2>&1 </dev/null)
  expect_eq "installer: setup ended" 0 "$?"
  expect_eq "installer: program folder" "$(cd "$root/build/win/dist" && find . | sort | paste -sd'|')" \
    "$(cd "$chosen_host" 2>/dev/null && find . | sort | paste -sd'|')"
  check_shortcuts "installer" "$chosen"
  expect_eq "installer: no entry of its own, only the program's" "Vantrel 3" \
    "$(wine_out tests reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' | grep -i vantrel |
      sed 's/.*\\//' | paste -sd'|')"
  uninstall_answering No cmd /c "$(as_batch entry "$(reg_value "$entry" UninstallString)")"
  expect_has "batch with the settings line" "Goto W|rmdir /S /Q \"C:\\users\\$(basename "$user_dir")\\AppData\\Roaming\\VNL\"|Del" \
    "$(paste -sd'|' <<<"$batch")"
  expect_eq "registry script with the settings line" \
    "REGEDIT4|[-HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\VNL]|[-${entry/HKLM/HKEY_LOCAL_MACHINE}]" \
    "$(paste -sd'|' <<<"$regfile")"
  expect_eq "installer: program folder removed" gone "$(gone_within "$chosen_host" 30)"
  expect_eq "installer: the folder it was chosen in stays" yes "$(exists "$DRIVE_C/Other Apps")"
  expect_eq "installer: entry removed" no "$(key_exists "$entry")"
  expect_eq "settings removed" no "$(key_exists "$settings\\VNL")"
  expect_eq "data folder removed" no "$(exists "$data_host")"
  expect_eq "install date kept for the next installation" yes "$(key_exists "$settings\\QK\\VNL")"

  # A folder whose name the command interpreter would read as a variable
  # and as its operators, were they not doubled or quoted, and as another
  # letter, were the batch not in the OEM code page (Wine's cmd, too,
  # reads "é" written in the ANSI code page as another letter):
  # the batch must still delete the executable there (and end, which
  # proves its loop did not spin). A file of the user's beside the program
  # makes the folder not the program's alone: only the executable goes.
  local odd="$DRIVE_C/Apps/100%Pure & ^Café"
  mkdir -p "$odd"
  cp -r "$root/build/win/dist"/. "$odd"/
  echo mine >"$odd/notes.txt"
  uninstall_answering Yes 'C:\Apps\100%Pure & ^Café\Vantrel.exe' uninstall
  expect_has "batch with the doubled percent sign" 'Del "C:\Apps\100%%Pure & ^Caf' "$batch"
  expect_eq "odd folder: not to be removed whole" "" "$(grep 'rmdir /S /Q "C:\\Apps' <<<"$batch")"
  expect_eq "odd folder: batch ended" gone "$(gone_within "$temp_host/Uninstall.bat" 30)"
  expect_eq "odd folder: executable deleted" no "$(exists "$odd/Vantrel.exe")"
  expect_eq "odd folder: the rest stays" yes "$(exists "$odd/Languages/English.ini")"
  expect_eq "odd folder: the user's file stays" mine "$(cat "$odd/notes.txt" 2>/dev/null)"

  # An executable the batch may not delete (read-only: Del leaves such a
  # file, on Windows as under Wine): the batch gives up after its 30 tries a
  # second apart and deletes itself, instead of looping, and killing every
  # later copy of the program, for ever.
  local stuck="$DRIVE_C/Stuck/Vantrel 3"
  mkdir -p "$stuck"
  cp -r "$root/build/win/dist"/. "$stuck"/
  chmod a-w "$stuck/Vantrel.exe"
  uninstall_answering Yes 'C:\Stuck\Vantrel 3\Vantrel.exe' uninstall
  local began=$SECONDS
  expect_eq "stuck: batch gave up and deleted itself" gone "$(gone_within "$temp_host/Uninstall.bat" 90)"
  local took=$((SECONDS - began))
  echo "measured: the batch gave up on a read-only executable after $took s"
  expect_eq "stuck: it waited between its tries (25-60 s)" yes "$([ $took -ge 25 ] && [ $took -le 60 ] && echo yes)"
  expect_eq "stuck: executable still there" yes "$(exists "$stuck/Vantrel.exe")"
  expect_eq "stuck: its folder stays with it" yes "$(exists "$stuck/Languages/English.ini")"

  echo "endpoint log:"
  cat "$log"
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}

main "$@"
