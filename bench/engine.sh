#!/usr/bin/env bash
# Speed and memory of the program under Wine, each figure a ratio against a
# plain tool on the same volume in the same run, the median of RUNS runs
# (default 3) and of STARTS starts (default 5), printed with its target:
#   stage 1 name files   the least Win32 program (bench/refnames.c) making
#                        the run's names and sizes in the same subfolders
#                        under the same Wine; the native loop beside it
#   stage 3 fill         dd with 1 MiB blocks, the same bytes, unsynced like
#                        the program's fill, both after the host's cache of
#                        the image has been flushed; and the long lines
#                        that end a fixed disk's fill against the same dd
#   stage 4 removal      the same Win32 program removing them; rm -rf of
#                        the same files beside it
#   20,001 name files    stages 1 and 4 of a quick cleaning of a larger image
#                        against the same Win32 program, and once in one
#                        folder as a run made them before the subfolders
#   start-up             a least Win32 window program, started in turns
#   memory               peak working set above idle while a run removes a
#                        work folder of 150,001 name files
# The volumes are NTFS images mounted with ntfs-3g. Everything is watched
# from outside (the window on the X display, the files on the volume through
# inotify, the process in /proc), so the figures hold whatever the program
# does inside. The machine may be shared: the cores busy during each part
# are printed beside it, so a disturbed run shows as one.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/tests/harness/e2e.sh"
source "$root/bench/startup.sh"
source "$root/bench/memory.sh"
RUNS=${RUNS:-3}
STARTS=${STARTS:-5}
FILL_MB=${FILL_MB:-1024}
# Where the image files lie: "ram" (a tmpfs) or "disk" (beside the prefix).
# On disk the host writes an image's cached pages back once the oldest is
# 30 s old (the kernel's dirty expiry), and then the volume's writes run at
# about half speed until it is done: a fill that lasts longer than that is
# hit, a dd of 15 s is not, so the ratio then measures the host's cache. In
# memory neither is, and the figures are what Wine, ntfs-3g and the program
# cost.
IMAGES_IN=${IMAGES_IN:-ram}
NAMES_MB=${NAMES_MB:-64}
# Large enough that the most name files, 150,000 + 1, are planned for it.
MEMORY_MB=${MEMORY_MB:-1600}
# The case of about 20,000 name files (a quick cleaning plans 20,001 on 200
# MB or more), run BIG_RUNS times; BIG_FLAT=1 adds the Win32 reference in
# one folder, which takes Wine minutes.
BIG_MB=${BIG_MB:-256}
BIG_RUNS=${BIG_RUNS:-1}
BIG_FLAT=${BIG_FLAT:-1}

now() { date +%s.%N; }
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR ? v[int((NR + 1) / 2)] : 0) }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }'; }
per() { awk -v n="$1" -v s="$2" 'BEGIN { printf "%.1f", (s > 0 ? n / s : 0) }'; }
span() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", b - a }'; }
# Writes the host's cached pages of an image to its disk, so that what one
# part left behind is not paid for by the next.
image_flush() {  # name
  python3 -c 'import os, sys; fd = os.open(sys.argv[1], os.O_RDONLY); os.fsync(fd)' "$(image_file "$1")"
}
image_file() {  # name
  if [ "$IMAGES_IN" = ram ]; then printf '%s' "$PREFIX_ROOT/ram/$1.img"; else printf '%s' "$PREFIX_ROOT/$1.img"; fi
}
# An NTFS image mounted with ntfs-3g and mapped as a drive letter from the
# next Wine start; undone with the harness's images.
bench_image() {  # name size-MB letter
  local file dir
  file=$(image_file "$1")
  dir=$(mnt "$1")
  truncate -s "${2}M" "$file"
  mkntfs -F -Q -q -L "$1" "$file" >/dev/null 2>&1 || { echo "bench: mkntfs failed for $file" >&2; return 1; }
  mkdir -p "$dir"
  ntfs-3g "$file" "$dir" || return 1
  IMAGES+=("$dir")
  image_map "$3" "$dir"
}
timed() {  # command... ; prints the seconds it took
  local t0
  t0=$(now)
  "$@"
  span "$t0" "$(now)"
}
# Cores busy, MiB of cache the host wrote back and CPU seconds of the
# volume's ntfs-3g server, while a plain tool ran.
host_between() { python3 "$root/bench/timeline.py" "$PREFIX_ROOT/$f.ref$run.tl" "$1" "$2"; }

# One run on a disk (cleaning and metadata option), watched from outside;
# the timeline's figures become the caller's variables ($out, $mnt, $stop).
watched_run() {  # letter name cleaning-option metadata-option
  local pid monitor
  image_flush "$2"
  start_run "$1" "$3" "$4"
  pid=$(prefix_process Vantrel.exe)
  rm -f "$stop"
  python3 "$root/bench/monitor.py" "$mnt" "$mnt/VNL_temp" "$pid" "$out" "$stop" &
  monitor=$!
  sleep 1
  go
  expect_eq "run $run ends" "visible=1" "$(wait_page 7 3600)"
  touch "$stop"
  wait "$monitor"
  finish
  [ -e "$mnt/VNL_temp" ] && bad "work folder left after run $run" || ok
  eval "$(python3 "$root/bench/timeline.py" "$out")"
  suffix=$(awk '$1 == "E" && $3 == "C" && $5 ~ /^bo0-/ { print substr($5, 4); exit }' "$out")
}

# A watched run of the program on a disk, then the same watching started for
# the plain tools that follow, so that both pay for it. Sets the caller's
# mnt, out, stop and monitor (and, through the run, its figures).
run_then_watch() {  # letter name cleaning-option metadata-option
  mnt=$(mnt "$2")
  out="$PREFIX_ROOT/$2.run$run.tl"
  stop="$PREFIX_ROOT/stop"
  watched_run "$1" "$2" "$3" "$4"
  rm -f "$stop"
  python3 "$root/bench/monitor.py" "$mnt" "$mnt/VNL_ref" "$$" "$PREFIX_ROOT/$2.ref$run.tl" "$stop" &
  monitor=$!
  sleep 0.5
}

# One mode-2 run on a disk, then the plain tools on the same volume: dd, the
# native loops, rm -rf, the Win32 reference. Appends "ours reference ratio"
# to the disk's figure files and prints the run's details.
measure_run() {  # letter name
  local mnt out stop monitor suffix f=$2
  run_then_watch "$1" "$f" Option7 Option8
  local dd_s dd_t0 dd_flush_s ddsync_s
  image_flush "$f"
  dd_t0=$(now)
  dd_s=$(timed dd if=/dev/zero of="$mnt/ref.bin" bs=1M count="$fill_file_bytes" iflag=count_bytes status=none)
  local dd_t1
  dd_t1=$(now)
  dd_flush_s=$(timed image_flush "$f")
  rm -f "$mnt/ref.bin"
  image_flush "$f"
  ddsync_s=$(timed dd if=/dev/zero of="$mnt/ref.bin" bs=1M count="$fill_file_bytes" iflag=count_bytes conv=fsync status=none)
  rm -f "$mnt/ref.bin"
  image_flush "$f"

  local names_ref copy_ref lines_ref replayed rm_s rm_n
  names_ref=$(python3 "$root/bench/replay.py" names "$out" "$mnt/VNL_ref" | cut -d' ' -f1)
  read -r copy_ref lines_ref replayed <<<"$(python3 "$root/bench/replay.py" fill "$out" "$mnt/VNL_ref" "$mnt")"
  rm_n=$(ls "$mnt/VNL_ref" | wc -l)
  image_flush "$f"
  rm_s=$(timed rm -rf "$mnt/VNL_ref")
  # The least Win32 program making and removing the same name files under
  # the same Wine, in the same subfolders.
  local win_make win_remove win_removed
  image_flush "$f"
  read -r win_make _ <<<"$(refnames make "$1" "$names" "$suffix" "$name_size")"
  image_flush "$f"
  read -r win_remove win_removed <<<"$(refnames remove "$1" "$names" "$suffix" "$name_size")"
  # The same files removed with the program's own calls per file: what its
  # care about links costs over DeleteFileW.
  local win_itself
  image_flush "$f"
  refnames make "$1" "$names" "$suffix" "$name_size" >/dev/null
  image_flush "$f"
  read -r win_itself _ <<<"$(refnames remove-as-itself "$1" "$names" "$suffix" "$name_size")"
  touch "$stop"
  wait "$monitor"
  image_flush "$f"
  local dd_busy dd_flushed dd_server
  read -r dd_busy dd_flushed dd_server <<<"$(host_between "$dd_t0" "$dd_t1")"

  echo "$(per "$fill_file_bytes" "$fill_s") $(per "$fill_file_bytes" "$dd_s") $(ratio "$dd_s" "$fill_s")" >>"$PREFIX_ROOT/$f.fill"
  # Each: ours, the Win32 reference, ratio to it, ratio to the native loop.
  echo "$(per "$names" "$names_s") $(per "$names" "$win_make") $(ratio "$win_make" "$names_s") $(ratio "$names_ref" "$names_s")" >>"$PREFIX_ROOT/$f.names"
  local ours_rate
  ours_rate=$(per "$removed" "$remove_s")
  echo "$ours_rate $(per "$win_removed" "$win_remove") $(ratio "$ours_rate" "$(per "$win_removed" "$win_remove")") $(ratio "$ours_rate" "$(per "$rm_n" "$rm_s")") $(ratio "$ours_rate" "$(per "$win_removed" "$win_itself")")" >>"$PREFIX_ROOT/$f.removal"
  # The long lines' speed against dd's on the same volume: the end of every
  # fixed disk's fill.
  echo "$(per "$long_bytes" "$long_s") $(per "$fill_file_bytes" "$dd_s") $(ratio "$(per "$long_bytes" "$long_s")" "$(per "$fill_file_bytes" "$dd_s")")" >>"$PREFIX_ROOT/$f.lines"
  echo "$rss_idle_kb $rss_peak_kb" >>"$PREFIX_ROOT/$f.run-memory"
  local mb=1048576
  echo "run $run, disk $1 ($(($(stat -c %s "$(image_file "$f")") >> 20)) MB, $(cat "$PREFIX_ROOT/$f.kind"), image in $IMAGES_IN):"
  echo "  stage 1: $names name files of $name_size bytes in $names_s s; Win32 reference $win_make s; native loop $names_ref s (machine busy $names_busy cores, program $names_prog, ntfs-3g $names_server)"
  echo "  stage 3: $((fill_file_bytes / mb)) MiB in $fill_s s = $(ratio "$dd_s" "$fill_s") of dd's $dd_s s (dd then fsync of the image $dd_flush_s s more; dd conv=fsync $ddsync_s s)"
  echo "    copies: $copy_n of $copy_size bytes, $((copy_bytes / mb)) MiB in $copy_s s (first tenth $copy_first_mbs MB/s, last tenth $copy_last_mbs MB/s); native replay $copy_ref s"
  echo "    lines: fw1 $long_n appends, $((long_bytes / mb)) MiB in $long_s s; fw2 $short_n appends in $short_s s; native replay of both $lines_ref s ($((replayed / mb)) MiB replayed in all)"
  echo "    wait after the fill $wait_s s (not counted); the host wrote back $fill_flushed_mib MiB of its page cache during the fill ($dd_flushed during dd) and held $((dirty_end_kb / 1024)) MiB unwritten at its end"
  echo "    machine busy during the copies $copy_busy cores (program $copy_prog, ntfs-3g $copy_server), during the lines $lines_busy, during dd $dd_busy"
  echo "    CPU seconds of ntfs-3g: the copies $(awk -v c="$copy_server" -v s="$copy_s" 'BEGIN { printf "%.1f", c * s }'), dd $dd_server; of the program in its copies $(awk -v c="$copy_prog" -v s="$copy_s" 'BEGIN { printf "%.1f", c * s }')"
  echo "    long lines $(ratio "$(per "$long_bytes" "$long_s")" "$(per "$fill_file_bytes" "$dd_s")") of dd's speed"
  echo "  stage 4: $removed files in $remove_s s; Win32 reference $win_removed files in $win_remove s, with the program's calls per file $win_itself s; rm -rf of $rm_n files $rm_s s"
  echo "  memory: $rss_idle_kb kB idle, $rss_peak_kb kB peak"
}

refnames() {  # make|remove letter count suffix size; prints "seconds files"
  (cd "$DRIVE_C/tests" && wine 'C:\tests\refnames.exe' "$1" "$2:\\VNL_ref" "$3" "$4" "$5" 2>/dev/null) | tr -d '\r'
}

# Stages 1 and 4 with about 20,000 name files: a quick cleaning of a larger
# fixed image, against the Win32 reference in the same subfolders of 1,000
# and, as a run made them before the subfolders, in one folder.
measure_big() {  # letter name
  local mnt out stop monitor suffix f=$2 sub_make sub_remove flat_make flat_remove n
  run_then_watch "$1" "$f" Option6 Option8
  image_flush "$f"
  read -r sub_make _ <<<"$(refnames make "$1" "$names" "$suffix" "$name_size")"
  image_flush "$f"
  read -r sub_remove n <<<"$(refnames remove "$1" "$names" "$suffix" "$name_size")"
  if [ "$BIG_FLAT" = 1 ]; then
    image_flush "$f"
    read -r flat_make _ <<<"$(refnames make "$1" "$names" "$suffix" "$name_size" 0)"
    image_flush "$f"
    read -r flat_remove _ <<<"$(refnames remove "$1" "$names" "$suffix" "$name_size" 0)"
  fi
  touch "$stop"
  wait "$monitor"
  echo "$(per "$names" "$names_s") $(per "$names" "$sub_make") $(ratio "$sub_make" "$names_s") ${flat_make:-0}" >>"$PREFIX_ROOT/$f.names"
  echo "$(per "$removed" "$remove_s") $(per "$n" "$sub_remove") $(ratio "$(per "$removed" "$remove_s")" "$(per "$n" "$sub_remove")") ${flat_remove:-0}" >>"$PREFIX_ROOT/$f.removal"
  echo "big run $run, disk $1 ($(($(stat -c %s "$(image_file "$f")") >> 20)) MB fixed, quick cleaning):"
  echo "  stage 1: $names name files in $names_s s; Win32 reference in subfolders of 1,000 $sub_make s, in one folder ${flat_make:-not run} s (machine busy $names_busy cores)"
  echo "  stage 4: $removed files in $remove_s s; Win32 reference $n files in subfolders $sub_remove s, in one folder ${flat_remove:-not run} s"
}

verdict() {  # value target-kind(min|max) target
  awk -v v="$1" -v k="$2" -v t="$3" 'BEGIN { print ((k == "min" ? v >= t : v < t) ? "MET" : "MISSED") }'
}

report() {  # title file unit target-ratio
  local ours ref r
  ours=$(cut -d' ' -f1 "$PREFIX_ROOT/$2" | median)
  ref=$(cut -d' ' -f2 "$PREFIX_ROOT/$2" | median)
  r=$(cut -d' ' -f3 "$PREFIX_ROOT/$2" | median)
  printf '%-28s ours %10s %-7s reference %10s %-7s ratio %5s  target >= %s  %s\n' \
    "$1" "$ours" "$3" "$ref" "$3" "$r" "$4" "$(verdict "$r" min "$4")"
}

startup_report() {  # condition title
  local f="$PREFIX_ROOT/startup-$1" ours ref
  ours=$(cut -d' ' -f1 "$f" | median)
  ref=$(cut -d' ' -f2 "$f" | median)
  printf '%-28s ours %10s ms      reference %10s ms      ratio %5s  target ours < 500 ms  %s\n' \
    "$2" "$ours" "$ref" "$(ratio "$ours" "$ref")" "$(verdict "$ours" max 500)"
}

main() {
  prefix_create || exit 1
  display_start || exit 1
  trap 'images_cleanup; display_stop; prefix_destroy' EXIT
  app_install
  x86_64-w64-mingw32-gcc -municode -O2 -static -o "$DRIVE_C/tests/refnames.exe" "$root/bench/refnames.c" ||
    { echo "bench: the Win32 reference could not be built" >&2; exit 1; }
  # The fill on a removable disk: few name files, one template of 5 MB, so
  # the copies are most of the run as on a large disk. Stage 1 and 4 on a
  # small fixed disk: about 2,500 name files (the run stops 50 MB above a
  # full disk), in seconds; 20,001 on the larger one, in about a minute.
  if [ "$IMAGES_IN" = ram ]; then
    mkdir -p "$PREFIX_ROOT/ram"
    mount -t tmpfs -o "size=$((FILL_MB + NAMES_MB + BIG_MB + MEMORY_MB + 64))m" tmpfs "$PREFIX_ROOT/ram" || exit 1
  fi
  bench_image f "$FILL_MB" F && drive_kind F floppy || exit 1
  echo removable >"$PREFIX_ROOT/f.kind"
  bench_image n "$NAMES_MB" N || exit 1
  echo fixed >"$PREFIX_ROOT/n.kind"
  bench_image b "$BIG_MB" W || exit 1
  # 150,001 name files of 903 bytes take a cluster and a file record each: about 800 MB.
  bench_image m "$MEMORY_MB" M || exit 1
  # Unmounted after the images that lie in it.
  [ "$IMAGES_IN" = ram ] && IMAGES+=("$PREFIX_ROOT/ram")
  wineserver -k
  wineserver -w

  local t0=$SECONDS
  measure_startup
  echo "start-up: $((SECONDS - t0)) s"
  for run in $(seq "$BIG_RUNS"); do
    t0=$SECONDS
    measure_big W b
    echo "  ($((SECONDS - t0)) s)"
  done
  for run in $(seq "$RUNS"); do
    t0=$SECONDS
    measure_run F f
    measure_run N n
    echo "  ($((SECONDS - t0)) s)"
  done
  t0=$SECONDS
  measure_memory M m
  local idle peak removed remove_s made
  read -r idle peak removed remove_s made <"$PREFIX_ROOT/memory"
  echo "memory run: $removed of $made files removed in $remove_s s, $idle kB idle, $peak kB peak ($((SECONDS - t0)) s)"

  echo "--- medians of $RUNS runs ($FILL_MB MB removable NTFS image for the fill, $NAMES_MB MB fixed one for stages 1 and 4, images in $IMAGES_IN) and of $STARTS starts; ntfs-3g under Wine"
  echo "(fill ratio of each run: $(cut -d' ' -f3 "$PREFIX_ROOT/f.fill" | xargs))"
  report "stage 1 name files" n.names files/s 0.9
  echo "  (against the native loop: $(cut -d' ' -f4 "$PREFIX_ROOT/n.names" | median))"
  report "stage 3 fill" f.fill bytes/s 0.95
  report "fixed disk's long lines" n.lines bytes/s 0.95
  report "stage 4 removal" n.removal files/s 0.9
  echo "  (against rm -rf: $(cut -d' ' -f4 "$PREFIX_ROOT/n.removal" | median); against the Win32 program making the program's calls per file: $(cut -d' ' -f5 "$PREFIX_ROOT/n.removal" | median))"
  report "stage 1, 20,001 name files" b.names files/s 0.9
  report "stage 4, 20,001 name files" b.removal files/s 0.9
  echo "  (the Win32 reference in one folder: making $(cut -d' ' -f4 "$PREFIX_ROOT/b.names" | median) s, removing $(cut -d' ' -f4 "$PREFIX_ROOT/b.removal" | median) s)"
  startup_report cold "start-up, Wine not running"
  startup_report warm "start-up, Wine running"
  local above=$((peak - idle))
  printf '%-28s ours %10s kB above idle (%s kB idle, %s kB peak)        target < 32768 kB  %s\n' \
    "memory, 150,001 files" "$above" "$idle" "$peak" "$(verdict "$above" max 32768)"
  echo "(memory above idle in the main runs: $(awk '{ print $2 - $1 }' "$PREFIX_ROOT/n.run-memory" | median) kB)"
  [ "$failed" -eq 0 ] || echo "note: $failed checks failed on the way"
}

main "$@"
