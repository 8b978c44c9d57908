# A virtual X display for one test run. Source it; display_start picks a free
# display number and exports DISPLAY; display_stop ends it.

display_start() {
  local n
  for n in $(seq 91 120); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
      Xvfb ":$n" -screen 0 1600x1200x24 -nolisten tcp >/dev/null 2>&1 &
      DISPLAY_PID=$!
      export DISPLAY=":$n"
      # Another test may start a display of that number at the same moment:
      # then ours ends, and the socket that appears is not ours.
      for _ in $(seq 50); do
        kill -0 "$DISPLAY_PID" 2>/dev/null || break
        [ -e "/tmp/.X11-unix/X$n" ] && sleep 0.2 && kill -0 "$DISPLAY_PID" 2>/dev/null && return 0
        sleep 0.1
      done
      kill "$DISPLAY_PID" 2>/dev/null
    fi
  done
  echo "display: no virtual display could be started" >&2
  return 1
}

display_stop() {
  [ -n "${DISPLAY_PID:-}" ] && kill "$DISPLAY_PID" 2>/dev/null
  DISPLAY_PID=
}
