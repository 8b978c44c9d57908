# Driving the real program in a test prefix: install it with the driver,
# start it, read what it shows and stores, capture screenshots, and count
# checks. Source after wineprefix.sh and display.sh; set `root` first.

shots="$root/build/screenshots"
english="$root/dist/Languages/English.ini"

passed=0
failed=0
ok() { passed=$((passed + 1)); }
# A failed check, with the screen as it was (build/screenshots/failed/).
bad() {
  failed=$((failed + 1))
  echo "FAILED: $*"
  mkdir -p "$shots/failed" && import -window root "$shots/failed/$(basename "$0" .sh)-$failed.png" 2>/dev/null
}
expect_eq() {  # what expected actual
  if [ "$2" == "$3" ]; then ok; else bad "$1: expected '$2', got '$3'"; fi
}
expect_has() {  # what needle haystack
  case "$3" in *"$2"*) ok ;; *) bad "$1: '$2' not in '$3'" ;; esac
}
# The last line of a journey, the one the test command counts.
summary() { echo "$passed passed, $failed failed"; [ "$failed" -eq 0 ]; }

# An English text as the program shows it.
text() { ini_text "$english" "$@"; }  # section key
# A translated text as the program shows it (the driver prints UTF-8, as the
# translations' sources are written).
translated() { ini_text "$root/translations/$1.ini" "$2" "$3"; }  # language section key
ini_text() {  # file section key
  awk -v s="[$2]" -v k="$3" -F= '
    { sub(/\r$/, "") }
    /^\[/ { in_s = ($0 == s); next }
    in_s && $1 == k { sub(/^[^=]*=/, ""); print; exit }' "$1"
}

# Wine's own helper processes may inherit a pipe and hold it open long after
# the call ends, so the output of each call goes through a file instead, one
# per shell process, since a journey's helpers drive the program beside it.
wine_out() {  # folder-under-C command...
  local out="$PREFIX_ROOT/wine.$BASHPID"
  (cd "$DRIVE_C/$1" && shift && wine "$@" >"$out" 2>"$out.err" </dev/null)
  local rc=$?
  tr -d '\r' <"$out"
  tr -d '\r' <"$out.err" >&2
  rm -f "$out" "$out.err"
  return $rc
}
# The driver; several commands go in one call separated by "/", and a Wine
# process start costs about 0.2 s, so a journey groups what it can.
drv() { wine_out tests 'C:\tests\vdriver.exe' "$@"; }
# Each line of the driver's answer, joined by "|".
drv1() { drv "$@" | paste -sd'|' -; }
# Whether a control shows: "visible=1" or "visible=0".
shown() { drv state "$1" | cut -d' ' -f1; }
page_shown() { shown "win($1)"; }
# The number of the wizard's page that shows (none when the window does not).
page_now() {
  drv state 'win(1)' / state 'win(2)' / state 'win(3)' / state 'win(4)' / state 'win(5)' / state 'win(6)' / \
    state 'win(7)' 2>/dev/null | awk '/^visible=1/ { print NR; exit }'
}
# The first message box within the given seconds, answered with its last
# button; prints its text on one line, nothing when none came.
next_box() {  # seconds
  local box
  box=$(drv message "$1" 2>/dev/null) || return 0
  drv answer "$(head -n 1 <<<"$box")" "$(tail -n 1 <<<"$box" | sed 's/.*\[\(.*\)\]$/\1/')" 10 | grep . | paste -sd' ' -
}
boxes() { local n; for n in $(seq "$1"); do next_box "$2"; done | paste -sd'|' -; }  # count seconds-each
now_ms() { echo $(($(date +%s%N) / 1000000)); }
# A box's text as the program words it: a text and the folder it names.
told() { echo "$(text VERSION3 "$1")${2:+ $2}"; }  # key [folder]
# Whether a host path is there, a dangling link too: "yes" or "no"; when
# given seconds, after waiting up to that long for it to go.
there() {  # path [seconds]
  local end=$((SECONDS + ${2:-0}))
  while { [ -e "$1" ] || [ -L "$1" ]; } && [ $SECONDS -lt $end ]; do sleep 0.5; done
  { [ -e "$1" ] || [ -L "$1" ]; } && echo yes || echo no
}
# Waits up to the given seconds for a page; prints its state as page_shown does.
wait_page() {  # page seconds
  local end=$((SECONDS + $2))
  while [ "$(page_shown "$1")" != "visible=1" ] && [ $SECONDS -lt "$end" ]; do sleep 0.5; done
  page_shown "$1"
}
# Whether the check boxes or option buttons are ticked: "1 0 ...".
ticked() { drv_each state "$@" | sed 's/.*checked=//' | paste -sd' ' -; }  # control...
# One driver command for each control, in one call.
drv_each() {  # command control...
  local c cmds=() cmd=$1
  shift
  for c in "$@"; do cmds+=("$cmd" "$c" /); done
  drv "${cmds[@]:0:${#cmds[@]}-1}"
}
# Values of the prefix's registry (numbers as 0x...), joined by "|", each empty when it
# or its key is missing; a name may hold blanks.
reg_value() {  # key value-name...
  local out n v=()
  out=$(wine_out tests reg query "$1" 2>/dev/null)
  shift
  for n in "$@"; do v+=("$(sed -n "s/^ *$n *REG_[A-Z_]* *//p" <<<"$out")"); done
  (IFS='|' && echo "${v[*]}")
}
# Values of the program's settings.
settings_key='HKCU\Software\VB and VBA Program Settings\VNL'
setting() { local s=$1; shift; reg_value "$settings_key\\$s" "$@"; }  # section value-name...
set_setting() { wine_out tests reg add "$settings_key\\$1" /v "$2" /d "$3" /f >/dev/null; }  # section name data
# Ends the prefix's Wine, so that the next start sees new settings and drives.
wine_restart() { wineserver -k; wineserver -w; }
# The screen's DPI for the next Wine start (Wine is ended here).
set_dpi() {  # dpi
  wine_out tests reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null
  wine_restart
}

app_start() {
  (cd "$DRIVE_C/Program Files/Vantrel 3" && wine 'C:\Program Files\Vantrel 3\Vantrel.exe' "$@" \
    >/dev/null 2>&1 </dev/null &)
}
app_window() { drv wait-window "Vantrel" 60 >/dev/null; }
# Starts the program and waits for its window, and for a page when given.
app_open() {  # [page] [arguments...]
  local page=
  [[ "${1:-}" =~ ^[1-7]$ ]] && page=$1 && shift
  app_start "$@"
  app_window
  [ -z "$page" ] || wait_page "$page" 60 >/dev/null
}
# The Linux ids of the program's processes in this prefix: other prefixes
# on the machine run theirs.
app_pids() {
  local p
  for p in $(pgrep -f 'Vantrel\.exe'); do
    grep -qzx "WINEPREFIX=$WINEPREFIX" "/proc/$p/environ" 2>/dev/null && echo "$p"
  done
}
# Waits until the program's window and processes are gone. Wine itself may
# linger: waiting for it would cost seconds at every close.
app_gone() {  # [seconds]
  local end=$((SECONDS + ${1:-30}))
  drv wait-gone "${1:-30}" >/dev/null || return 1
  while [ -n "$(app_pids)" ]; do [ $SECONDS -lt $end ] || return 1; sleep 0.2; done
}
closed() { app_gone && ok || bad "$1"; }  # what
close_app() { drv close >/dev/null; closed "$1"; }  # what
# Waits until the only window of the program is the secondary one, titled
# "Vantrel" alone; prints the title seen last.
wait_second() {
  local end=$((SECONDS + 60)) title=
  while [ $SECONDS -lt "$end" ]; do
    title=$(drv title 2>/dev/null)
    [ "$title" = "Vantrel" ] && break
    sleep 0.5
  done
  printf "%s" "$title"
}
# Screenshots taken by the driver as C:\tests\<name>.bmp, kept as
# build/screenshots/<folder>/<name>.png.
keep_shots() {  # folder
  local bmp
  mkdir -p "$shots/$1"
  for bmp in "$DRIVE_C"/tests/*.bmp; do
    [ -e "$bmp" ] || continue
    /usr/bin/convert "$bmp" "$shots/$1/$(basename "$bmp" .bmp).png" && rm -f "$bmp"
  done
}
shot() {  # folder name
  drv screenshot "C:\\tests\\$2.bmp" >/dev/null && keep_shots "$1"
}

app_install() {
  prefix_install "$root/build/win/dist" "Program Files/Vantrel 3" >/dev/null
  mkdir -p "$DRIVE_C/tests"
  cp "$root/build/win/vdriver.exe" "$DRIVE_C/tests/"
}
