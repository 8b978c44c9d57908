#!/usr/bin/env bash
# Journey: a new user's first days, in one prefix with drives of every kind
# (an NTFS image D, a folder E, a stick F, an external disk G, a CD-ROM H, a
# letter whose folder is missing J). The first start in a German locale and
# the language page; the whole wizard with a run that the session's end
# stops; the keyboard; a restart that keeps every choice; sticks plugged in
# and pulled out on the disk page; leftover work folders; other scripts; a
# missing picture; the wizard by keyboard alone, with what a screen reader
# hears; then the wizard, the history and the language page at 144 DPI (the
# history is read at 96 DPI too). Screenshots go to
# build/screenshots/<dpi>/. Prints "N passed, N failed" last.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tests/harness/e2e.sh"

# What each control shows on a screenshot, by the mean colour of its pixels
# that are not the page's light background: the drive pictures are grey
# (disk), orange (stick) and dark blue (external disk), the check mark is
# green; "none" when nothing is drawn. "slots" stands for every slot's picture.
pictures() {  # folder shot control...|slots
  local png="$shots/$1/$2.png" x y w h n
  shift 2
  [ "$1" = slots ] && set -- $(for ((n = 0; n < ${#slots}; n++)); do echo "DiskImage($n)"; done)
  drv_each rect "$@" | while read -r x y w h; do
    /usr/bin/convert "$png" -crop "${w}x${h}+${x}+${y}" -depth 8 txt:- |
      awk -F'[(),]' 'NR > 1 && !($3 > 225 && $4 > 225 && $5 > 225) { r += $3; g += $4; b += $5; n++ }
        END { if (n < 20) { print "none"; exit }; r = r / n / 2.55; g = g / n / 2.55; b = b / n / 2.55
          print (r - b > 30 ? "stick" : g - r > 20 && g - b > 15 ? "mark" : r < 50 && g < 50 && b < 55 ? "external" : \
            r > 50 && g > 50 && b > 50 ? "disk" : "other(" int(r) "," int(g) "," int(b) ")") }'
  done | xargs
}
# Waits up to 10 s until the slots show the given letters; prints the
# letters seen last and keeps them in `slots`.
wait_slots() {  # letters
  local end=$((SECONDS + 10))
  while slots=$(slot_letters) && [ "$slots" != "$1" ] && [ $SECONDS -lt $end ]; do sleep 0.1; done
  echo "$slots"
}
memory='HKLM\SYSTEM\CurrentControlSet\Control\Session Manager\Memory Management'

# Pages 3 to 6 from the disk page with C and D selected: full cleaning,
# metadata mode 3, method 4, the bin emptied; each page captured.
walk_on() {  # dpi
  local s='C:\tests\'
  drv click Command1 / click Option7 / click Option10 / screenshot "${s}page3.bmp" / click Command1 / click Option4 >/dev/null
  [ "$(ticked Check4)" = 1 ] || drv click Check4 >/dev/null
  [ "$1" != 96 ] || expect_eq "page 4: standby box ticked; the paging-file box sets the option, no message, and clears it" \
    "visible=1 enabled=1 checked=1|0x1|0x0" "$(drv state Check5 / click Check6)|$(reg_value "$memory" ClearPageFileAtShutdown)|$(
      drv message 2 >/dev/null 2>&1 && echo box; drv click Check6; reg_value "$memory" ClearPageFileAtShutdown)"
  expect_eq "review shows the choices; the run: page 6, Next hidden ($1)" \
    "CD|$(text INTERFACE OPTION4)|$(text INTERFACE YES)|$(text VERSION3 MODE2), FAT/NTFS: $(text VERSION3 NTFS-MODE-3)|6|visible=0" \
    "$(drv1 screenshot "${s}page4.bmp" / click Command1 / caption Label18 / caption Label20 / caption Label40 / caption Label19 / \
      screenshot "${s}page5.bmp" / click Command1 / screenshot "${s}page6.bmp")|$(page_now)|$(drv state Command1 | cut -d' ' -f1)"
}

# The first start speaks the locale's language; the verb lang shows only
# the secondary window. (Its processes run in the host's locale: the first
# start stores today's date as the prefix writes it, and a process in the
# German locale under this Wine reads it as another day.)
first_start() {
  local t0=$(now_ms)
  LC_ALL=de_DE.UTF-8 app_open 1
  echo "measured: start-up to page 1 under Wine: $(($(now_ms) - t0)) ms"
  expect_eq "a first start in a German locale speaks German, stored; a new account: sound on, standby prevented" \
    "Vantrel 3.07 German|Weiter|German||" "$(drv1 title / caption Command1)|$(setting Settings Language PlaySound PreventStandBy)"
  close_app "close after the first start"
  app_start lang
  german="LangArray($(wait_second >/dev/null; captions LangArray 16 | awk '$0 == "German" { print NR - 1 }'))"
  expect_eq "lang: the secondary window alone; English first, the stored German selected, OK focused; OK ends it, English stored" \
    "Vantrel||English|1|Command3|yes|English" "$(drv title)|$(shown ListView1 2>/dev/null)|$(drv caption 'LangArray(0)')|$(ticked "$german")|$(
      drv focus | cut -d' ' -f2)|$(shot 96 language; drv click 'LangArray(0)' / click Command3 >/dev/null; app_gone && echo yes)|$(setting Settings Language)"
}

# The history at this DPI: columns by their shares, each wide enough for its
# caption (the screenshot shows it), and the newest row, a completed run
# whose label and outcome are longer than their columns, chosen by the
# keyboard, whole in the list's tip; captured with the tip showing.
history_readable() {  # dpi
  local log="$(data_folder)/log.txt" tip
  { printf '1|12/9/2026 1:00:00 AM|12/9/2026 1:02:05 AM|125|D|Photos and documents of 2026|NTFS|123|2|3\r\n'; cat "$log"; } >"$log.new"
  mv "$log.new" "$log"
  tip=$(drv click Check9 / click Check9 / click ListView1 / key DOWN / key UP 10 >/dev/null; drv tooltip ListView1 5 | tr -d '\r' | paste -sd'~' -)
  shot "$1" history-tip
  expect_eq "history at $1 DPI: columns by their shares; the chosen row whole in the tip" \
    "ok|$(history_tip "$(first_log 1)")" "$(history_widths)|$tip"
}

# The whole walk at 96 DPI; the session's end, cancelled, stops the run.
walk_96() {
  local c
  app_open 1
  expect_eq "the next start speaks English; the language link hands over to a process with only the secondary window" \
    "Vantrel 3.07 English|Vantrel" "$(drv title)|$(drv click Label12 >/dev/null; wait_second)"
  drv click "$german" / close >/dev/null
  expect_eq "the close box ends the language page, storing nothing" "yes|English" "$(app_gone && echo yes)|$(setting Settings Language)"
  app_open 1
  expect_eq "Back on page 1 stays" "1" "$(drv screenshot 'C:\tests\page1.bmp' / click Command2; page_now)"
  slots=$(drv click Command1 >/dev/null; slot_letters)
  shot 96 page2-drives
  expect_eq "slots in drive order, no CD-ROM, no unreadable root; their pictures" "CDEFG|disk disk disk stick external" \
    "$slots|$(pictures 96 page2-drives slots)"
  select_disks ""
  expect_eq "Next with no disk refused; a click on a letter or a picture toggles, stored" "yes|D DF D" \
    "$(drv click Command1 >/dev/null; drv answer "$(text INTERFACE PLEASESELECTONEDISK)" OK 10 >/dev/null && echo yes)|$(
      for c in 'DiskLabel(1)' 'DiskImage(3)' 'DiskImage(3)'; do drv click "$c" >/dev/null; echo "$(selected)"; done | xargs)"
  select_disks CD
  shot 96 page2
  expect_eq "the mark on the selected only" "mark mark none" "$(pictures 96 page2 'DiskImageSel(0)' 'DiskImageSel(1)' 'DiskImageSel(2)')"
  walk_on 96
  expect_eq "the close box refused during the run; the session's end agreed, then cancelled: the run stops, the window comes back on the finish page" \
    "$(text VERSION3 STOP-OPERATIONS-FIRST)|1|visible=1|Vantrel 3.07 English|$(text INTERFACE FINISH)" \
    "$(drv close / answer "$(text VERSION3 STOP-OPERATIONS-FIRST)" OK 10)|$(drv end-session 120 cancelled)|$(wait_page 7 120)|$(
      drv1 title / caption Command1 / screenshot 'C:\tests\page7.bmp')"
  keep_shots 96
  # Keyboard: Back from the finish page to the welcome page, Enter is Next,
  # also after the disk page's sweep held Next and Back.
  expect_eq "Back on page 7, Enter, Enter" "1 2 3" "$(for c in 'click Command2' 'key ENTER' 'key ENTER'; do drv $c >/dev/null; page_now; done | xargs)"
  drv click Command2 / click Command2 / click Check7 >/dev/null
  expect_eq "skip welcome stored; Space toggles the focused box, Tab moves on" "YES|0|Command" \
    "$(setting RunSecondWindow Value)|$(drv key SPACE >/dev/null; ticked Check7)|$(drv key SPACE / key TAB / focus | cut -d' ' -f2 | cut -c1-7)"
  close_app "the close box outside a run ends the program"
}

# A restart keeps every choice; drives come and go on the disk page, and
# work folders of interrupted runs are deleted where they may be.
restart_and_drives() {
  local l pid a x y w h appdata=$(dirname "$(data_folder)")
  app_open 2
  expect_eq "restart: page 2, kept by a cancelled session end; mode 2, metadata 3, method 4, bin; stored; C and D still selected" \
    "1|2|1 1 1 1|4|3|CD|mark mark" "$(drv end-session 30 cancelled)|$(page_now)|$(ticked Option7 Option10 Option4 Check4)|$(setting SecurityMethod Value)|$(
      setting NTFSMODE VALUE)|$(selected)|$(shot 96 page2-restart; pictures 96 page2-restart 'DiskImageSel(0)' 'DiskImageSel(1)')"
  history_readable 96
  volume_mount k 64m
  drv plug K "$(mnt k)" removable >/dev/null
  expect_eq "a plugged stick gets a slot, can be selected; pulled, its slot goes, its selection stays" "CDEFGK|CDEFG|CDK" \
    "$(wait_slots CDEFGK; drv click 'DiskLabel(5)' / unplug K >/dev/null)|$(wait_slots CDEFG)|$(selected)"
  drv plug K "$(mnt k)" removable >/dev/null
  wait_slots CDEFGK >/dev/null
  shot 96 page2-returned
  expect_eq "back: selected, its picture a stick" "mark stick" "$(pictures 96 page2-returned 'DiskImageSel(5)' 'DiskImage(5)')"
  for l in L M N; do mkdir -p "$(mnt "$l")" && drv plug "$l" "$(mnt "$l")" fixed >/dev/null; done
  wait_slots CDEFGKLMN >/dev/null
  pid=$(app_pids | head -n 1) a=$(awk '{ print $14 + $15 }' "/proc/$pid/stat")
  sleep 3
  echo "measured: idle page 2 with 9 drives: $((($(awk '{ print $14 + $15 }' "/proc/$pid/stat") - a) * 1000 / $(getconf CLK_TCK) / 6)) ms CPU per 500 ms tick"
  # The ninth slot starts a second row inside the window; it can be chosen
  # and tells its disk by a tip.
  read -r x y w h <<<"$(drv click 'DiskImage(8)' / rect 'DiskImage(8)')"
  shot 96 page2-nine
  expect_eq "a ninth drive: inside the window, chosen by a click, its tip names its disk" "CDEFGKLMN yes mark (N:)" \
    "$slots $([ "$x" -ge 0 ] && [ $((x + w)) -le 720 ] && echo yes || echo "no: $x $w") $(pictures 96 page2-nine 'DiskImageSel(8)') $(
      drv click 'DiskImage(8)' >/dev/null; drv tooltip 'DiskLabel(8)' 5 2>&1 | grep -qF '(N:)' && echo '(N:)')"
  shot 96 page2-nine-tip
  drv unplug L / unplug M / unplug N >/dev/null
  wait_slots CDEFGK >/dev/null
  # On C: in the data folder, a thousand files on D, a read-only file on E
  # that must stay, and a file of that name on F that is not a folder.
  mkdir -p "$appdata/VNL_temp" "$(mnt d)/VNL_temp/sub" "$(mnt e)/VNL_temp"
  echo x >"$appdata/VNL_temp/temp.xd"
  (cd "$(mnt d)/VNL_temp" && seq 1 1000 | xargs touch && echo y >sub/fw1)
  echo z >"$(mnt e)/VNL_temp/kept.txt" && chmod 444 "$(mnt e)/VNL_temp/kept.txt"
  echo not a folder >"$(mnt f)/VNL_temp"
  # Any toggle rebuilds the panel, and the rebuild looks for work folders.
  expect_eq "leftovers on C: and D: deleted, E:'s not, F:'s file no folder" \
    "$(told OLD-FOLDER-EXISTS "C:\\users\\$(id -un)\\AppData\\Roaming\\VNL_temp")|$(told OLD-FOLDER-DELETED)|$(
      told OLD-FOLDER-EXISTS 'D:\VNL_temp')|$(told OLD-FOLDER-DELETED)|$(told OLD-FOLDER-EXISTS 'E:\VNL_temp')|$(
      told OLD-FOLDER-NOT-DELETED 'E:\VNL_temp')||no no|z|not a folder" "$(drv click 'DiskLabel(5)' >/dev/null; boxes 6 30)|$(next_box 2)|$(
      there "$appdata/VNL_temp") $(there "$(mnt d)/VNL_temp")|$(cat "$(mnt e)/VNL_temp/kept.txt")|$(cat "$(mnt f)/VNL_temp")"
  rm -rf "$(mnt e)/VNL_temp"
  close_app "close after the leftovers"
}

# Other scripts speak on the first two pages; the background picture is required.
languages() {
  local language app="$DRIVE_C/Program Files/Vantrel 3"
  set_setting RunSecondWindow Value ""
  for language in Russian Greek Japanese Chinese; do
    set_setting Settings Language "$language"
    app_open 1
    expect_eq "$language: title, welcome, disk page, Next" "Vantrel 3.07 $language|$(translated "$language" INTERFACE LABEL1)|$(
      translated "$language" INTERFACE LABEL3)|$(translated "$language" INTERFACE COMMAND1)" \
      "$(drv1 title / caption Label1 / screenshot "C:\\tests\\welcome-$language.bmp" / click Command1 / caption Label3 / \
        caption Command1 / screenshot "C:\\tests\\disks-$language.bmp")"
    close_app "close after the $language start"
  done
  keep_shots 96
  set_setting Settings Language English
  mv "$app/program-back.jpg" "$app/program-back.away"
  app_start
  expect_eq "a missing background picture is told and the program ends" "No background image! Reinstall program!|yes" \
    "$(drv answer 'No background image!' OK 60 | grep -oF 'No background image! Reinstall program!')|$(app_gone && echo yes)"
  mv "$app/program-back.away" "$app/program-back.jpg"
}

# The keyboard alone, from page 1 to the finish page with a quick cleaning
# of D: Tab into the disk panel, Space drops C, Right goes on to D, Tab
# lands on the chosen full mode, Up takes the quick one, Enter is Next.
# What a screen reader hears of the slots, a step and the report row, read
# through oleacc.
keyboard_only() {
  local names
  key_focus() { drv key "$@" / focus | cut -d' ' -f2; }
  app_open 1
  expect_eq "keys: Enter, Tab into the panel, Space drops C there, Right to D, Enter, Tab to full, Up: quick" \
    "2|DiskImage(0)|DiskImage(0)|D|DiskImage(1)|3|Option7|Option6|1" "$(drv key ENTER >/dev/null; page_now)|$(key_focus TAB)|$(
      key_focus SPACE)|$(selected)|$(key_focus RIGHT; shot 96 page2-keyboard)|$(drv key ENTER >/dev/null; page_now)|$(
      key_focus TAB)|$(key_focus UP)|$(ticked Option6)"
  names=$(drv1 name 'DiskImage(0)' / name 'DiskImage(1)')
  echo "measured: the slots' names through oleacc: $names"
  [[ "$names" == "C:, "*", not selected|D:, "*", NTFS, $(text VERSION3 DISK-TIP-FREE) "*", $(text VERSION3 DISK-SELECTED)" ]] &&
    ok || bad "the slots' names: $names"
  expect_eq "Enter to the review, Enter runs D; the finish page; a step's and the row's names" \
    "D|visible=1|$(text VERSION3 STEP1-TITLE), $(text VERSION3 STEP-DONE)|D:, $(text VERSION3 WORK-STATUS-1)" \
    "$(drv key ENTER 2 / caption Label18)|$(drv key ENTER >/dev/null; wait_page 7 120)|$(drv1 name 'StepImage(0)' / name 'ReportImage(0)')"
  drv key ENTER >/dev/null
  closed "Enter on the finish page ends the program"
  set_setting DiskSelection C YES  # as the walk at 144 DPI wants it
}

# At 144 DPI the walk, Stop ending its run, then the language page, whose
# Enter presses OK.
at_144() {
  set_dpi 144
  app_open 1
  slots=$(drv screenshot 'C:\tests\page1.bmp' / click Command1 >/dev/null; slot_letters)
  shot 144 page2
  expect_eq "144 DPI: seen; slots, the stick kept across Wine's restart, pictures" "144|CDEFGK|disk disk disk stick external stick" \
    "$(drv dpi)|$slots|$(pictures 144 page2 slots)"
  walk_on 144
  drv click Command4 >/dev/null
  expect_eq "Stop: both disks logged and shown stopped, no work folder left on C or D" \
    "visible=1|0|D 0|C|$(text VERSION3 WORK-STATUS-0)|$(text VERSION3 WORK-STATUS-0)|no no" \
    "$(wait_page 7 120)|$(outcomes 2)|$(drv1 caption 'ReportInfo(0)' / caption 'ReportInfo(1)' / screenshot 'C:\tests\page7.bmp')|$(
      there "$(dirname "$(data_folder)")/VNL_temp") $(there "$(mnt d)/VNL_temp")"
  keep_shots 144
  finish
  app_open 1
  drv click Command1 >/dev/null
  history_readable 144
  close_app "close after the history at 144 DPI"
  app_start lang
  expect_eq "144 DPI: the language page, no warning about the display; Enter presses OK: the program ends, German stored" "Vantrel||yes|German" \
    "$(wait_second)|$(drv message 2 2>/dev/null)|$(shot 144 language; drv click "$german" / key ENTER >/dev/null; app_gone && echo yes)|$(setting Settings Language)"
}

# The German locale comes from the install script, which makes it when missing.
locale -a 2>/dev/null | grep -qix de_DE.utf8 || bash "$root/scripts/setup.sh" || { echo "0 passed, 1 failed"; exit 1; }
e2e_begin
app_install
image_make d 16 >/dev/null && image_mount d && image_map D "$(mnt d)"
mkdir -p "$(mnt e)" "$(mnt h)" && image_map E "$(mnt e)"
volume_mount f 64m && image_map F "$(mnt f)" && drive_kind F floppy
volume_mount g 40g && image_map G "$(mnt g)" && drive_kind G floppy
image_map H "$(mnt h)" && drive_kind H cdrom
image_map J "$PREFIX_ROOT/no-such-folder"
wine_restart
parts first_start walk_96 restart_and_drives languages keyboard_only at_144
e2e_end
