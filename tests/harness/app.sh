# Driving the real program in a test prefix: install it with the driver,
# start it, read what it shows and stores, capture screenshots, and count
# checks. Source after wineprefix.sh and display.sh; set `root` first.

shots="$root/build/screenshots"
english="$root/dist/Languages/English.ini"

passed=0
failed=0
ok() { passed=$((passed + 1)); }
bad() { failed=$((failed + 1)); echo "FAILED: $*"; }
expect_eq() {  # what expected actual
  if [ "$2" == "$3" ]; then ok; else bad "$1: expected '$2', got '$3'"; fi
}
expect_has() {  # what needle haystack
  case "$3" in *"$2"*) ok ;; *) bad "$1: '$2' not in '$3'" ;; esac
}

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
# the call ends, so the output of each call goes through a file instead.
wine_out() {  # folder-under-C command...
  local out="$PREFIX_ROOT/wine.out"
  (cd "$DRIVE_C/$1" && shift && wine "$@" >"$out" 2>&1 </dev/null)
  local rc=$?
  tr -d '\r' <"$out"
  return $rc
}
drv() { wine_out tests 'C:\tests\vdriver.exe' "$@"; }
page_shown() { drv state "win($1)" | cut -d' ' -f1; }
# Waits up to the given seconds for a page; prints its state as page_shown does.
wait_page() {  # page seconds
  local end=$((SECONDS + $2))
  while [ "$(page_shown "$1")" != "visible=1" ] && [ $SECONDS -lt "$end" ]; do sleep 0.5; done
  page_shown "$1"
}
# A string value of the prefix's registry, empty when it or its key is
# missing; its name may hold blanks.
reg_value() {  # key value-name
  wine_out tests reg query "$1" /v "$2" 2>/dev/null | sed -n "s/^ *$2 *REG_SZ *//p"
}
# A value of the program's settings.
setting() { reg_value "HKCU\\Software\\VB and VBA Program Settings\\VNL\\$1" "$2"; }  # section value-name

app_start() {
  (cd "$DRIVE_C/Program Files/Vantrel 3" && wine 'C:\Program Files\Vantrel 3\Vantrel.exe' "$@" \
    >/dev/null 2>&1 </dev/null &)
}
app_window() { drv wait-window "Vantrel" 60 >/dev/null; }
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
shot() {  # dpi name
  mkdir -p "$shots/$1"
  drv screenshot "C:\\tests\\$2.bmp" >/dev/null && /usr/bin/convert "$DRIVE_C/tests/$2.bmp" "$shots/$1/$2.png" &&
    rm -f "$DRIVE_C/tests/$2.bmp"
}

app_install() {
  prefix_install "$root/build/win/dist" "Program Files/Vantrel 3" >/dev/null
  mkdir -p "$DRIVE_C/tests"
  cp "$root/build/win/vdriver.exe" "$DRIVE_C/tests/"
}
