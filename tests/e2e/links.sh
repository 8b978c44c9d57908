#!/usr/bin/env bash
# End to end: links in work folders. Work folders lie on disks that other
# people can write to, so a symbolic link may sit in one, or be one. The
# program must remove such a link as a link and leave what it points to
# alone: when it deletes leftover work folders on the disk page, when a run
# meets a work folder that is a link or one that a link appears in, and when
# Windows ends the session during a run. A second copy of the program must
# leave a running copy's work folder alone too, and start no run beside it.
# Prints what it measured, and "N passed, N failed" last.
#
# The links are Linux symbolic links planted from the host on ntfs-3g
# images. Wine 8 shows one that points to a folder as a folder with the
# reparse-point attribute, but every call that opens it, with or without
# FILE_FLAG_OPEN_REPARSE_POINT, reaches the target: RemoveDirectoryW, a
# delete disposition and MoveFileExW act on the target (measured). So under
# Wine the link cannot be removed and the program must leave it and say so;
# the checks ask that what it points to is untouched and that the messages
# and log records tell what happened to the link. A link to a file shows
# under Wine as a plain file, and a delete by name deletes its target; the
# program opens each file it removes and refuses one that resolved to
# another place, so links to files are planted too.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tests/harness/e2e.sh"

gone() { [ ! -e "$1" ] && [ ! -L "$1" ]; }
digits=$(printf '0123456789%.0s' $(seq 10))
name_file() { printf 'bo%s-%s.$$$' "$1" "$digits"; }

# The user's files of each image, kept on the host as made, so every case
# starts from the same files and their hashes: on L a folder of documents
# (one too large to live in its file record, one in a subfolder), on M a
# folder of pictures.
make_user_files() {
  local o="$PREFIX_ROOT/orig" i
  mkdir -p "$o/l/Documents/Letters" "$o/m/Pictures"
  head -c 300000 /dev/urandom >"$o/l/Documents/scan.pdf"
  for i in 1 2 3; do head -c $((i * 600)) /dev/urandom >"$o/l/Documents/note$i.txt"; done
  head -c 900 /dev/urandom >"$o/l/Documents/Letters/letter.txt"
  for i in 1 2 3; do head -c $((i * 40000)) /dev/urandom >"$o/m/Pictures/photo$i.jpg"; done
}
user_hashes() {  # folder
  (cd "$1" && find Documents Pictures -type f 2>/dev/null | LC_ALL=C sort | xargs -r sha256sum)
}
expect_user_files() {  # what name
  local want have
  want=$(user_hashes "$PREFIX_ROOT/orig/$2")
  have=$(user_hashes "$(mnt "$2")")
  if [ -n "$want" ] && [ "$want" == "$have" ]; then ok; else
    bad "$1: changed or missing: $(grep -vxF -f <(printf '%s\n' "$have") <<<"$want" | awk '{ printf "%s ", $2 }')"
  fi
}
# Puts the user's files back as made and removes any work folder, from the host.
restore() {
  local name
  for name in l m; do
    rm -rf "$(mnt $name)/VNL_temp" "$(mnt $name)/Documents" "$(mnt $name)/Pictures"
    cp -a "$PREFIX_ROOT/orig/$name/." "$(mnt $name)/"
  done
  sync
}

# Answers the first message box shown within the given seconds with OK and
# prints its text on one line; prints nothing when no box came.
next_box() {  # seconds
  local shown
  shown=$(drv message "$1") || return 0
  drv answer "$(head -n 1 <<<"$shown")" OK 10 | tr '\n' ' '
}
# A folder the program was to delete, a link included: "DELETED" only when it
# is gone, otherwise "NOT-DELETED" naming it.
expect_outcome() {  # what host-path windows-path box-text
  if gone "$2"; then expect_box "$1 (gone)" OLD-FOLDER-DELETED "" "$4"
  else expect_box "$1 (still there)" OLD-FOLDER-NOT-DELETED "$3" "$4"; fi
}
what_is() {  # host-path
  if gone "$1"; then echo gone; elif [ -L "$1" ]; then echo "still there as a link"
  else echo "still there holding: $(ls -A "$1" | head -n 5 | tr '\n' ' ')"; fi
}
expect_box() {  # what VERSION3-key folder-or-empty box-text
  local want
  want=$(text VERSION3 "$2")
  if [[ "$4" == "$want"* && "$4" == *"$3"* ]]; then ok; else bad "$1: expected $2 $3, got '${4:-no box}'"; fi
}
# Ends the program from the finish page or a page that closes, answering
# whatever boxes the closing shows; a program that does not end is ended.
close_program() {  # how: finish|close
  if [ "$1" = finish ]; then drv click Command1 >/dev/null; else drv close >/dev/null; fi
  local box n
  for n in 1 2 3 4 5 6; do
    box=$(next_box 3)
    [ -z "$box" ] && break
    echo "box at the end: $box"
  done
  drv wait-gone 30 >/dev/null || bad "the program ends ($1)"
  wine_end || bad "Wine ends after the program ($1)"
}

# A leftover work folder on L holding an ordinary file and a link to the
# user's documents; on M the work folder is itself a link to the user's
# pictures. The disk page deletes what it may of both.
leftovers_on_page2() {
  restore
  local l m
  l=$(mnt l) m=$(mnt m)
  mkdir "$l/VNL_temp"
  echo leftover >"$l/VNL_temp/$(name_file 1)"
  ln -s ../Documents "$l/VNL_temp/docs"
  ln -s ../Documents/note1.txt "$l/VNL_temp/$(name_file 2)"
  ln -s Pictures "$m/VNL_temp"
  app_start
  app_window
  # On a busy machine the window shows before its first page, and Next
  # clicked then moves nothing.
  wait_page 1 60 >/dev/null
  drv click Command1 >/dev/null
  expect_box "L: leftover reported" OLD-FOLDER-EXISTS 'L:\VNL_temp' "$(next_box 30)"
  local l_box m_box
  l_box=$(next_box 60)
  expect_box "M: leftover that is a link reported" OLD-FOLDER-EXISTS 'M:\VNL_temp' "$(next_box 30)"
  m_box=$(next_box 60)
  expect_eq "no other message on the disk page" "" "$(next_box 3)"
  expect_user_files "L: documents behind the link untouched" l
  expect_user_files "M: pictures behind the work folder link untouched" m
  gone "$l/VNL_temp/$(name_file 1)" && ok || bad "L: the ordinary file of the leftover folder is still there"
  expect_outcome "L: the message tells what became of the leftover folder" "$l/VNL_temp" 'L:\VNL_temp' "$l_box"
  expect_outcome "M: the message tells what became of the link" "$m/VNL_temp" 'M:\VNL_temp' "$m_box"
  echo "measured: after the disk page L's leftover folder is $(what_is "$l/VNL_temp"), M's work folder link is $(what_is "$m/VNL_temp")"
  close_program close
}

# A run over L and M, quick cleaning: M's work folder becomes a link after
# the disk page, and a link to the user's documents appears in L's work
# folder while its name files are being written.
links_during_run() {
  restore
  local l m planted="$PREFIX_ROOT/planted" t0
  l=$(mnt l) m=$(mnt m)
  rm -f "$planted"
  start_run LM Option6 Option8
  ln -s Pictures "$m/VNL_temp"
  ( for _ in $(seq 3000); do
      if [ -e "$l/VNL_temp/$(name_file 5)" ]; then
        ln -s ../Documents "$l/VNL_temp/docs" && ln -s ../Documents/note2.txt "$l/VNL_temp/note" &&
          echo planted >"$planted"
        break
      fi
      sleep 0.1
    done ) &
  local planter=$!
  t0=$SECONDS
  go
  expect_eq "run over L and M ends" "visible=1" "$(wait_page 7 600)"
  echo "measured: quick run of L (64 MB NTFS) and M: $((SECONDS - t0)) s"
  wait "$planter"
  [ -e "$planted" ] && ok || bad "the links were not planted in L's work folder during its first stage"
  local mm
  mm=$(first_log 2 | sed -n 1p)
  expect_eq "M, whose work folder is a link, is not run" "2|M" "$(field "$mm" 0)|$(field "$mm" 4)"
  expect_user_files "M: pictures behind the work folder link untouched by the run" m
  expect_user_files "L: documents behind the planted link untouched by the run" l
  local left ll
  left=$(ls -A "$l/VNL_temp" 2>/dev/null | grep -vx -e docs -e note | wc -l)
  expect_eq "L: nothing but the planted links left in the work folder" "0" "$left"
  # Completed only when the work folder is gone; a folder kept by the link
  # is a failed removal.
  ll=$(first_log 2 | sed -n 2p)
  if gone "$l/VNL_temp"; then expect_eq "L: logged completed, its work folder gone" "1|L" "$(field "$ll" 0)|$(field "$ll" 4)"
  else expect_eq "L: logged as a failed removal, its work folder kept by the link" "6|L" "$(field "$ll" 0)|$(field "$ll" 4)"; fi
  echo "measured: after the run L's work folder is $(what_is "$l/VNL_temp"), M's work folder link is $(what_is "$m/VNL_temp")"
  close_program finish
}

# Two copies on one computer. A runs a full cleaning of L, paused while B
# looks: first in its name files, then while its template is there (paused
# from the host the moment the template appears, since stages 2 and 3 of a
# small disk last a second or two). B starts without a word, its disk page
# leaves A's work folder and template alone without a word, and Next on its
# review page says that another cleaning is going: B stays there, closes
# without a word and logs nothing. The driver tells the copies apart by
# their process ids.
two_copies() {
  restore
  local l a b t0 records box said= files
  l=$(mnt l)
  records=$(cat "$(data_folder)/log.txt" 2>/dev/null | wc -l)
  start_run L Option7 Option8
  a=$(drv pids)
  export VDRIVER_PID=$a
  t0=$SECONDS
  go
  for _ in $(seq 1200); do [ -e "$l/VNL_temp/$(name_file 5)" ] && break; sleep 0.1; done
  drv click Check2 >/dev/null  # Pause
  sleep 0.5
  files=$(ls "$l/VNL_temp" | wc -l)
  sleep 1
  expect_eq "A: paused in its name files" "$(text VERSION3 STEP1-TITLE) $files" "$(drv caption status) $(ls "$l/VNL_temp" | wc -l)"
  unset VDRIVER_PID
  app_start
  # A box before B's window is answered with its last button, so that it
  # cannot stop the case.
  for _ in $(seq 120); do
    b=$(drv pids | grep -vx "$a") && break
    box=$(drv message 0.5) || continue
    said+="$(head -n 1 <<<"$box") "
    drv answer "$(head -n 1 <<<"$box")" "$(tail -n 1 <<<"$box" | sed 's/.*\[\(.*\)\]$/\1/')" 10 >/dev/null
  done
  expect_eq "B: starts without a word while A runs" "" "$said"
  [ -n "$b" ] || { bad "B shows no window"; return; }
  export VDRIVER_PID=$b
  open_disk_page
  expect_eq "B: the disk page says nothing of A's work folder" "" "$(next_box 5)"
  expect_eq "L: A's work folder keeps its name files" "$files" "$(ls "$l/VNL_temp" | wc -l)"
  ( for _ in $(seq 6000); do [ -e "$(data_folder)/temp.xd" ] && break; sleep 0.02; done
    VDRIVER_PID=$a drv click Check2 >/dev/null ) &
  local pauser=$!
  VDRIVER_PID=$a drv click Check2 >/dev/null
  wait "$pauser"
  echo "measured: A paused $((SECONDS - t0)) s after its start, in '$(VDRIVER_PID=$a drv caption status)', template $(stat -c %s "$(data_folder)/temp.xd" 2>&1) bytes"
  [ -e "$(data_folder)/temp.xd" ] && ok || bad "A's template gone before B's disk page could look (A paused too late)"
  # Each click on a slot rebuilds the panel and looks for leftovers again.
  select_disks M
  expect_eq "B: the disk page says nothing of A's template" "" "$(next_box 5)"
  [ -e "$(data_folder)/temp.xd" ] && ok || bad "A's template lost to B's disk page"
  [ -e "$l/VNL_temp/$(name_file 1)" ] && ok || bad "L: A's work folder lost its name files to B's disk page"
  for _ in 3 4 5; do drv click Command1 >/dev/null; done
  expect_eq "B: review shows M" "M" "$(drv caption Label18)"
  go
  box=$(drv message 10 | head -n 1)
  expect_eq "B: Next says another cleaning is going" "$(text VERSION3 ANOTHER-RUN)" "$box"
  shot 96 another-run
  drv answer "$box" OK 10 >/dev/null
  expect_eq "B: stays on the review page" "visible=1 visible=0" "$(page_shown 5) $(page_shown 6)"
  VDRIVER_PID=$a drv click Check2 >/dev/null
  drv close >/dev/null
  expect_eq "B: closes without a word" "" "$(next_box 3)"
  drv wait-gone 30 >/dev/null || bad "B ends"
  export VDRIVER_PID=$a
  expect_eq "A's run ends" "visible=1" "$(wait_page 7 600)"
  echo "measured: two copies, A's full cleaning of L (64 MB NTFS) with B beside it: $((SECONDS - t0)) s"
  expect_eq "A alone logged: L completed" "$((records + 1)) 1|L" \
    "$(wc -l <"$(data_folder)/log.txt") $(field "$(first_log)" 0)|$(field "$(first_log)" 4)"
  gone "$l/VNL_temp" && ok || bad "L: A's work folder left: $(what_is "$l/VNL_temp")"
  [ -e "$(data_folder)/temp.xd" ] && bad "A's template left" || ok
  close_program finish
  unset VDRIVER_PID
}

# Windows ends the session while L's name files are being written: the
# program removes its work folder before it agrees, then ends.
session_end_during_run() {
  restore
  local l answer t0
  l=$(mnt l)
  start_run L Option6 Option8
  go
  for _ in $(seq 1200); do [ -e "$l/VNL_temp/$(name_file 50)" ] && break; sleep 0.1; done
  expect_eq "stage 1 under way when the session ends" "$(text VERSION3 STEP1-TITLE)" "$(drv caption status)"
  t0=$(date +%s%N)
  answer=$(drv end-session 300 2>&1)
  echo "measured: the program answered the session's end after $((($(date +%s%N) - t0) / 1000000)) ms"
  [[ "$answer" =~ ^[0-9]+$ && "$answer" != 0 ]] && ok || bad "the program agrees to the session's end: answer '$answer'"
  gone "$l/VNL_temp" && ok || bad "L: work folder still there when the program agreed: $(ls "$l/VNL_temp" 2>/dev/null | wc -l) entries"
  if drv wait-gone 60 >/dev/null && timeout 30 wineserver -w; then ok; else bad "the program ends within 90 s of the session's end"; fi
  echo "measured: the program ended $((($(date +%s%N) - t0) / 1000000)) ms after the session's end began"
  wineserver -k >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1
  gone "$l/VNL_temp" && ok || bad "L: work folder left after the session ended: $(ls "$l/VNL_temp" 2>/dev/null | wc -l) entries"
}

main() {
  e2e_begin
  local t0=$SECONDS
  app_install
  make_user_files
  local name
  for name in l m; do
    image_make "$name" 64 >/dev/null && image_mount "$name" && image_map "$name" "$(mnt "$name")" ||
      { bad "image $name"; echo "$passed passed, $failed failed"; exit 1; }
  done
  # M is a stick: few name files, so a run of it that should not happen is short.
  drive_kind m floppy
  wineserver -k
  wineserver -w

  leftovers_on_page2
  links_during_run
  two_copies
  session_end_during_run

  echo "measured: links.sh ran $((SECONDS - t0)) s after its prefix was made"
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}

main "$@"
