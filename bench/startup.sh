# Start-up to a painted window, watched on the X display from outside (see
# painted.py), for the program and for a least Win32 program built here,
# started in turns so both meet the same load. Two conditions of a warm
# prefix: Wine not running (every start brings up Wine's own services, as
# the first program after a log-in does), and Wine already running (a
# resident console program keeps them up, as Windows itself is up).
# Source from engine.sh; appends "program reference" lines of painted
# milliseconds to $PREFIX_ROOT/startup-cold and startup-warm.

# The given Windows program's Linux process in this prefix, if it runs.
prefix_process() {  # exe-name
  local p
  for p in $(pgrep -f "$1"); do
    { tr "\0" "\n" <"/proc/$p/environ"; } 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && { echo "$p"; return 0; }
  done
  return 1
}

# Waits until the program of that name has ended in this prefix.
process_gone() {  # exe-name seconds
  local end=$((SECONDS + $2))
  while prefix_process "$1" >/dev/null && [ $SECONDS -lt "$end" ]; do sleep 0.1; done
}

painted_ms() {  # title-prefix windows-folder-under-C exe
  python3 "$root/bench/painted.py" "$1" 2.5 60 "$DRIVE_C/$2" wine "$3" | cut -d' ' -f2
}

start_once() {  # cold|warm|warmup
  local ours ref=0
  ours=$(painted_ms Vantrel "Program Files/Vantrel 3" 'C:\Program Files\Vantrel 3\Vantrel.exe')
  drv close >/dev/null
  process_gone Vantrel.exe 30
  [ "$1" != warm ] && wine_end
  if [ -e "$DRIVE_C/tests/refwindow.exe" ]; then
    ref=$(painted_ms "Bench reference" tests 'C:\tests\refwindow.exe')
    process_gone refwindow.exe 30
    [ "$1" != warm ] && wine_end
  fi
  echo "${ours:-0} ${ref:-0}" >>"$PREFIX_ROOT/startup-$1"
}

measure_startup() {
  x86_64-w64-mingw32-gcc -municode -mwindows -O2 -static -o "$DRIVE_C/tests/refwindow.exe" \
    "$root/bench/refwindow.c" 2>/dev/null || echo "startup: no reference program could be built"
  # The first start warms the prefix and the host's file cache; not counted.
  start_once warmup
  local i
  for i in $(seq "$STARTS"); do start_once cold; done
  mkfifo "$PREFIX_ROOT/hold"
  (cd "$DRIVE_C" && exec wine cmd.exe <"$PREFIX_ROOT/hold" >/dev/null 2>&1) &
  local holder=$!
  sleep 100000 >"$PREFIX_ROOT/hold" &
  local sleeper=$!
  sleep 3
  for i in $(seq "$STARTS"); do start_once warm; done
  kill "$sleeper"
  wait "$holder"
  wine_end
}
