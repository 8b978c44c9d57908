# Peak working set while the program removes a work folder of 150,001 name
# files. Wine would take most of an hour to make them, so a native loop
# makes them beforehand, with the names the program gives them, in the
# subfolders of 1,000 that a run makes ("n0", "n1", ...), in a folder of the
# volume that becomes the work folder by a rename once the disk page has
# been passed (a work folder found on the disk page would be removed there,
# not by a run). The run, a quick cleaning with the most name files on a
# volume large enough for all of them, finds it where its work folder goes
# and removes it as a run's leftover, subfolder by held subfolder, before
# it makes its own. Source from engine.sh after the main runs, whose name
# files give the names.

MEMORY_FILES=${MEMORY_FILES:-150001}

measure_memory() {  # letter name
  local mnt out stop pid made t0
  mnt=$(mnt "$2")
  out="$PREFIX_ROOT/memory.tl"
  stop="$PREFIX_ROOT/memory.stop"
  # The names of the main runs' name files, numbered on.
  local sample suffix
  sample=$(awk '$1 == "E" && $3 == "C" && $5 ~ /^bo0-/ { print $5; exit }' "$PREFIX_ROOT"/n.run1.tl 2>/dev/null)
  suffix=${sample#bo0}
  [ -n "$sample" ] || suffix="-$(printf '0123456789%.0s' $(seq 10)).\$\$\$"
  t0=$(now)
  python3 - "$mnt/prep" "$MEMORY_FILES" "$suffix" <<'PY'
import os, sys
folder, count, suffix = sys.argv[1], int(sys.argv[2]), sys.argv[3]
line = b"A" * 901 + b"\r\n"
for i in range(count):
    if i % 1000 == 0:
        os.makedirs(f"{folder}/n{i // 1000}")
    with open(f"{folder}/n{i // 1000}/bo{i}{suffix}", "wb") as f:
        f.write(line)
PY
  made=$(find "$mnt/prep" -type f | wc -l)
  echo "memory: $made name files made natively in $(awk -v a="$t0" -v b="$(now)" 'BEGIN { printf "%.0f", b - a }') s"
  start_run "$1" Option6 Option10
  pid=$(prefix_process Vantrel.exe)
  mv "$mnt/prep" "$mnt/VNL_temp"
  rm -f "$stop"
  python3 "$root/bench/monitor.py" "$mnt" "$mnt/VNL_temp" "$pid" "$out" "$stop" &
  local monitor=$!
  sleep 1
  go
  expect_eq "memory run ends" "visible=1" "$(wait_page 7 3600)"
  touch "$stop"
  wait "$monitor"
  finish
  [ -e "$mnt/VNL_temp" ] && bad "the work folder of $made files was not removed" || ok
  local rss_idle_kb rss_peak_kb removed remove_s
  eval "$(python3 "$root/bench/timeline.py" "$out" | tr ' ' '\n' | grep -E '^(rss_idle_kb|rss_peak_kb|removed|remove_s)=')"
  echo "$rss_idle_kb $rss_peak_kb $removed $remove_s $made" >"$PREFIX_ROOT/memory"
}
