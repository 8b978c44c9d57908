#!/usr/bin/env bash
# Speed and memory of a cleaning run on one NTFS volume, against plain tools
# on the same volume in the same run. Each figure is the median of several
# runs (RUNS, default 3). The volume is a 1 GB NTFS image that Wine reports
# as removable, so stage 1 writes few name files and the fill dominates.
# Prints one line per figure with its target.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/tests/harness/wineprefix.sh"
source "$root/tests/harness/display.sh"
source "$root/tests/harness/ntfs.sh"
source "$root/tests/harness/app.sh"
source "$root/tests/harness/run.sh"
RUNS=${RUNS:-3}

now() { date +%s.%N; }
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }'; }
digit_block() {
  sed -n '/kDigitBlock\[\] =/,/;/p' "$root/engine/NameFiles.cpp" | grep -o 'L"[0-9]*"' | tr -d 'L"' | tr -d '\n'
}

# One mode-2 run, watched from outside; then the plain tools on the same
# volume with the same amounts. Appends "ours reference" pairs to files.
measure_run() {
  local mnt="$PREFIX_ROOT/mnt/b" out="$PREFIX_ROOT/timeline" stop="$PREFIX_ROOT/stop"
  start_run B Option7 Option8
  local pid
  pid=$(pgrep -f 'Vantrel.exe' | head -n 1)
  rm -f "$stop"
  python3 "$root/bench/monitor.py" "$mnt" "$mnt/VNL_temp" "$pid" "$out" "$stop" &
  local monitor=$!
  sleep 1
  go
  wait_page 7 900 >/dev/null
  touch "$stop"
  wait "$monitor"
  finish
  local names names_s fill_bytes fill_s removed remove_s rss_idle_kb rss_peak_kb
  eval "$(python3 "$root/bench/timeline.py" "$out")"
  # The same watching while the reference tools work, so both pay for it.
  rm -f "$stop"
  python3 "$root/bench/monitor.py" "$mnt" "$mnt/ref" "$$" /dev/null "$stop" &
  monitor=$!

  local t0 t1 block
  t0=$(now)
  dd if=/dev/zero of="$mnt/ref.bin" bs=1M count=$((fill_bytes >> 20)) status=none
  t1=$(now)
  echo "$(awk -v b="$fill_bytes" -v s="$fill_s" 'BEGIN { print b / s }') $(awk -v b="$(((fill_bytes >> 20) << 20))" -v a="$t0" -v z="$t1" 'BEGIN { print b / (z - a) }')" >>"$PREFIX_ROOT/fill"
  rm -f "$mnt/ref.bin"

  block=$(digit_block)
  mkdir -p "$mnt/ref"
  t0=$(now)
  python3 - "$mnt/ref" "$names" "$block" <<'PY'
import sys
folder, count, block = sys.argv[1], int(sys.argv[2]), sys.argv[3]
line = b"A" * 901 + b"\r\n"
for i in range(count):
    with open(f"{folder}/bo{i}-{block}.$$$", "wb") as f:
        f.write(line)
PY
  t1=$(now)
  echo "$(ratio "$names" "$names_s") $(awk -v n="$names" -v a="$t0" -v z="$t1" 'BEGIN { print n / (z - a) }')" >>"$PREFIX_ROOT/names"
  # The same number of files again, now with the fill's share of the bytes
  # (less a margin for what the name files took), for rm -rf to delete.
  python3 - "$mnt/ref" "$names" "$((removed - names))" "$((fill_bytes - (64 << 20)))" <<'PY'
import sys
folder, names, big, total = sys.argv[1], int(sys.argv[2]), int(sys.argv[3]), int(sys.argv[4])
each = total // max(big, 1)
chunk = b"\0" * (1 << 20)
for i in range(big):
    with open(f"{folder}/fill{i}", "wb") as f:
        left = each
        while left > 0:
            f.write(chunk[:min(left, len(chunk))])
            left -= len(chunk)
PY
  sync
  t0=$(now)
  rm -rf "$mnt/ref"
  t1=$(now)
  echo "$(ratio "$removed" "$remove_s") $(awk -v n="$removed" -v a="$t0" -v z="$t1" 'BEGIN { print n / (z - a) }')" >>"$PREFIX_ROOT/removal"
  touch "$stop"
  wait "$monitor"
  echo "$rss_idle_kb $rss_peak_kb" >>"$PREFIX_ROOT/memory"
  echo "run: $names name files in $names_s s, $fill_bytes bytes filled in $fill_s s, $removed files removed in $remove_s s, memory $rss_idle_kb kB idle, $rss_peak_kb kB peak"
}

# Stop while filling: milliseconds until stage 3's icon changes.
measure_stop() {
  start_run B Option7 Option8
  go
  wait_caption status "$(text VERSION3 STEP3-TITLE)" 300
  sleep 1
  drv click-watch Command4 'StepImage(2)' 10 >>"$PREFIX_ROOT/stop-ms"
  wait_page 7 300 >/dev/null
  finish
}

report() {  # title file target-text
  local ours ref
  ours=$(cut -d' ' -f1 "$PREFIX_ROOT/$2" | median)
  ref=$(cut -d' ' -f2 "$PREFIX_ROOT/$2" | median)
  echo "$1: ours $ours/s, reference $ref/s, ratio $(ratio "$ours" "$ref") (target $3)"
}

main() {
  prefix_create || exit 1
  display_start || exit 1
  trap 'images_cleanup; display_stop; prefix_destroy' EXIT
  app_install
  image_make b 1024 >/dev/null && image_mount b && image_map B "$PREFIX_ROOT/mnt/b" && drive_kind B floppy
  wineserver -k
  wineserver -w
  local i
  for i in $(seq "$RUNS"); do measure_run; done
  for i in $(seq "$RUNS"); do measure_stop; done
  echo "--- medians of $RUNS runs on a 1 GB NTFS image (ntfs-3g) under Wine"
  report "stage 3 fill, bytes" fill "at least 0.9 of dd with 1 MiB blocks"
  report "stage 1 name files" names "at least 0.5 of a native loop"
  report "stage 4 deletions" removal "at least 0.5 of rm -rf"
  echo "Stop while filling until the stage's icon changes: $(median <"$PREFIX_ROOT/stop-ms") ms (target under 1000 ms)"
  echo "peak working set above idle: $(awk '{ print $2 - $1 }' "$PREFIX_ROOT/memory" | median) kB (target under 65536 kB)"
  [ "$failed" -eq 0 ] || echo "note: $failed wizard checks failed on the way"
}

main "$@"
