#!/usr/bin/env bash
# End to end: the disk page with extra drives in the test prefix (an NTFS
# image, folders, small volumes that Wine reports as removable, a CD-ROM).
# Checks the slots and their icons on screen, the selection and its store
# across a restart, drives plugged in and pulled out while the page is
# shown, and the removal of work folders left by interrupted runs. Prints
# what it measured, and "N passed, N failed" last.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tests/harness/e2e.sh"

captions() {
  local n=0 c all=""
  while c=$(drv caption "DiskLabel($n)" 2>/dev/null); do all+=$c; n=$((n + 1)); done
  printf "%s" "$all"
}
now_ms() { echo $(($(date +%s%N) / 1000000)); }
# Polls until the slot captions are the given ones; prints the milliseconds.
wait_captions() {  # captions seconds
  local t0 end
  t0=$(now_ms)
  end=$((t0 + $2 * 1000))
  while [ "$(captions)" != "$1" ] && [ "$(now_ms)" -lt "$end" ]; do sleep 0.1; done
  echo $(($(now_ms) - t0))
}

# What kind of picture a control shows on the last screenshot, by the mean
# colour of the pixels that are not the page's light background: the drive
# pictures are grey (disk), orange (stick) and dark blue (external disk);
# the check mark is green; "none" when nothing is drawn.
picture_of() {  # dpi shot control
  local x y w h
  read -r x y w h <<<"$(drv rect "$3")"
  /usr/bin/convert "$shots/$1/$2.png" -crop "${w}x${h}+${x}+${y}" -depth 8 txt:- |
    awk -F'[(),]' 'NR > 1 && !($3 > 225 && $4 > 225 && $5 > 225) { r += $3; g += $4; b += $5; n++ }
      END {
        if (n < 20) { print "none"; exit }
        r = int(100 * r / n / 255); g = int(100 * g / n / 255); b = int(100 * b / n / 255)
        if (r - b > 30) print "stick"
        else if (g - r > 20 && g - b > 15) print "mark"
        else if (r < 50 && g < 50 && b < 55) print "external"
        else if (r > 50 && g > 50 && b > 50) print "disk"
        else print "other(" r "," g "," b ")" }'
}
check_pictures() {  # dpi shot expected-pictures...
  local dpi=$1 name=$2 n=0 want
  shift 2
  for want in "$@"; do
    expect_eq "picture of slot $n ($dpi)" "$want" "$(picture_of "$dpi" "$name" "DiskImage($n)")"
    n=$((n + 1))
  done
}

to_page2() {
  app_start
  app_window
  [ "$(page_shown 2)" = "visible=1" ] || drv click Command1 >/dev/null
  expect_eq "page 2 shown" "visible=1" "$(page_shown 2)"
}

main() {
  e2e_begin
  app_install

  image_make DiskD 128 >/dev/null && image_mount DiskD && image_map D "$(mnt DiskD)"
  mkdir -p "$(mnt e)" && image_map E "$(mnt e)"
  volume_mount f 64m && image_map F "$(mnt f)" && drive_kind F floppy
  volume_mount g 40g && image_map G "$(mnt g)" && drive_kind G floppy
  mkdir -p "$(mnt h)" && image_map H "$(mnt h)" && drive_kind H cdrom
  image_map J "$PREFIX_ROOT/no-such-folder"
  wineserver -k
  wineserver -w

  to_page2
  expect_eq "slots in drive order; no CD-ROM, no unreadable root" "CDEFG" "$(captions)"
  shot 96 page2-drives
  check_pictures 96 page2-drives disk disk disk stick external

  # A click on the letter or the picture toggles; the mark follows the store.
  [ "$(setting DiskSelection C)" = "YES" ] && drv click 'DiskLabel(0)' >/dev/null
  drv click 'DiskLabel(1)' >/dev/null
  expect_eq "D selected by its letter" "YES" "$(setting DiskSelection D)"
  drv click 'DiskImage(3)' >/dev/null
  expect_eq "F selected by its picture" "YES" "$(setting DiskSelection F)"
  drv click 'DiskImage(3)' >/dev/null
  expect_eq "F unselected again" "" "$(setting DiskSelection F)"
  shot 96 page2-selected
  expect_eq "D shows the mark" "mark" "$(picture_of 96 page2-selected 'DiskImageSel(1)')"
  expect_eq "C shows none" "none" "$(picture_of 96 page2-selected 'DiskImageSel(0)')"
  drv click Command1 >/dev/null
  drv click Command1 >/dev/null
  drv click Command1 >/dev/null
  expect_eq "review page" "visible=1" "$(page_shown 5)"
  expect_eq "review lists the selection" "D" "$(drv caption Label18)"
  drv close >/dev/null
  drv wait-gone 20 >/dev/null && ok || bad "close outside a run"

  to_page2
  expect_eq "restart: D still stored" "YES" "$(setting DiskSelection D)"
  shot 96 page2-restart
  expect_eq "restart: D shows the mark" "mark" "$(picture_of 96 page2-restart 'DiskImageSel(1)')"

  # A stick plugged in while the page is shown, selected, pulled out, and
  # back under the same letter.
  volume_mount k 64m
  drv plug K "$(mnt k)" removable >/dev/null
  echo "measured: plugged drive's slot shown after $(wait_captions CDEFGK 10) ms under Wine (from the plug request)"
  expect_eq "plugged stick gets a slot" "CDEFGK" "$(captions)"
  drv click 'DiskLabel(5)' >/dev/null
  expect_eq "stick selected" "YES" "$(setting DiskSelection K)"
  drv unplug K >/dev/null
  echo "measured: pulled drive's slot gone after $(wait_captions CDEFG 10) ms under Wine"
  expect_eq "pulled stick loses its slot" "CDEFG" "$(captions)"
  expect_eq "its selection is kept" "YES" "$(setting DiskSelection K)"
  drv plug K "$(mnt k)" removable >/dev/null
  wait_captions CDEFGK 10 >/dev/null
  shot 96 page2-returned
  expect_eq "returned stick is selected" "mark" "$(picture_of 96 page2-returned 'DiskImageSel(5)')"
  check_pictures 96 page2-returned disk disk disk stick external stick

  # What the refresher costs per tick with 8 listed drives and nothing changing.
  local l
  for l in L M; do mkdir -p "$(mnt "$l")" && drv plug "$l" "$(mnt "$l")" fixed >/dev/null; done
  wait_captions CDEFGKLM 10 >/dev/null
  expect_eq "8 slots" "CDEFGKLM" "$(captions)"
  local pid a b
  pid=$(pgrep -f 'Vantrel.exe' | head -n 1)
  a=$(awk '{ print $14 + $15 }' "/proc/$pid/stat")
  sleep 10
  b=$(awk '{ print $14 + $15 }' "/proc/$pid/stat")
  echo "measured: idle page 2 with 8 drives: $(((b - a) * 1000 / $(getconf CLK_TCK) / 20)) ms CPU per 500 ms tick under Wine"
  shot 96 page2-eight

  # A ninth drive: the eighth and ninth slots start a second row inside the
  # window, each can be chosen, and each tells its disk by a tip.
  mkdir -p "$(mnt n)" && drv plug N "$(mnt n)" fixed >/dev/null
  wait_captions CDEFGKLMN 10 >/dev/null
  expect_eq "9 slots" "CDEFGKLMN" "$(captions)"
  local x y w h
  read -r x y w h <<<"$(drv rect 'DiskImage(8)')"
  expect_eq "ninth slot inside the window" "yes" "$([ "$x" -ge 0 ] && [ $((x + w)) -le 720 ] && echo yes || echo "no: $x $w")"
  drv click 'DiskImage(8)' >/dev/null
  shot 96 page2-nine
  expect_eq "ninth slot chosen by a click" "mark" "$(picture_of 96 page2-nine 'DiskImageSel(8)')"
  expect_has "tip of the ninth slot names its disk" "(N:)" "$(drv tooltip 'DiskLabel(8)' 5 2>&1)"
  shot 96 page2-nine-tip
  drv click 'DiskImage(8)' >/dev/null
  for l in L M N; do drv unplug "$l" >/dev/null; done
  wait_captions CDEFGK 10 >/dev/null

  # Work folders left by interrupted runs: on the Windows drive in the
  # application-data folder, thousands of files on D, a read-only file on E
  # that must stay, and a file of that name on F that is not a folder.
  local appdata="$DRIVE_C/users/$(id -un)/AppData/Roaming"
  mkdir -p "$appdata/VNL_temp" "$(mnt DiskD)/VNL_temp/sub" "$(mnt e)/VNL_temp"
  echo x >"$appdata/VNL_temp/temp.xd"
  (cd "$(mnt DiskD)/VNL_temp" && seq 1 3000 | xargs touch && echo y >sub/fw1)
  echo z >"$(mnt e)/VNL_temp/kept.txt" && chmod 444 "$(mnt e)/VNL_temp/kept.txt"
  echo not a folder >"$(mnt f)/VNL_temp"
  local exists deleted kept t0
  exists=$(text VERSION3 OLD-FOLDER-EXISTS)
  deleted=$(text VERSION3 OLD-FOLDER-DELETED)
  kept=$(text VERSION3 OLD-FOLDER-NOT-DELETED)
  # Any toggle rebuilds the panel, and the rebuild looks for work folders.
  drv click 'DiskLabel(5)' >/dev/null
  t0=$(now_ms)
  expect_has "C: reported" 'C:\users' "$(drv answer "$exists" OK 20)"
  expect_has "C: deleted" "$deleted" "$(drv answer "$deleted" OK 20)"
  expect_has "D: reported" 'D:\VNL_temp' "$(drv answer "$exists" OK 20)"
  expect_has "D: deleted" "$deleted" "$(drv answer "$deleted" OK 60)"
  echo "measured: leftover folder with 3001 files on the NTFS image reported and deleted in $(($(now_ms) - t0)) ms (both boxes answered)"
  expect_has "E: reported" 'E:\VNL_temp' "$(drv answer "$exists" OK 20)"
  expect_has "E: not claimed deleted" 'E:\VNL_temp' "$(drv answer "$kept" OK 20)"
  if drv message 3 >/dev/null 2>&1; then bad "a file named like the work folder gives a message"; else ok; fi
  [ ! -e "$appdata/VNL_temp" ] && ok || bad "C: leftover folder still there"
  [ ! -e "$(mnt DiskD)/VNL_temp" ] && ok || bad "D: leftover folder still there"
  expect_eq "E: the read-only file stays" "z" "$(cat "$(mnt e)/VNL_temp/kept.txt" 2>&1)"
  expect_eq "F: the file stays" "not a folder" "$(cat "$(mnt f)/VNL_temp" 2>&1)"
  rm -rf "$(mnt e)/VNL_temp"

  # Page 2 with several drives at 144 DPI.
  drv close >/dev/null
  drv wait-gone 20 >/dev/null || bad "close before 144 DPI"
  wine_out tests reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null
  wineserver -k
  wineserver -w
  to_page2
  expect_eq "144 DPI seen by the program's screen" "144" "$(drv dpi)"
  # The plugged stick stays mapped across Wine's restart, as it would on Windows.
  expect_eq "slots at 144 DPI" "CDEFGK" "$(captions)"
  shot 144 page2-drives
  check_pictures 144 page2-drives disk disk disk stick external stick
  drv close >/dev/null
  drv wait-gone 20 >/dev/null || bad "last close"

  echo "screenshots: $shots"
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}

main "$@"
