#!/usr/bin/env bash
# End to end: the real program and the reference web endpoint
# (tools/endpoint.py) on 127.0.0.1. The program is pointed at it through the
# module INI's ENDPOINT-HOST; the prefix's browser is a small fetcher that
# sends the address exactly as it was handed over, so the endpoint's log
# shows what a page opened by the program receives. A crash trace left
# before start is offered and reported; the finish page's update link opens
# the update page. Prints "N passed, N failed" last.
set -u
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tests/harness/e2e.sh"

# Waits up to 30 s for a logged request whose query holds the text.
logged() {  # text
  local end=$((SECONDS + 30))
  until grep -F -- "$1" "$log" >/dev/null 2>&1 || [ $SECONDS -ge $end ]; do sleep 0.5; done
  grep -F -- "$1" "$log" | tail -n 1
}

# A query field of a logged request, as the endpoint decoded it, with
# control characters as \xNN.
query_field() {  # logged-line key
  python3 -c '
import json, sys
fields = dict(json.loads(sys.argv[1]).get("fields", []))
print("".join(c if " " <= c < "\x7f" else "\\x%02x" % ord(c) for c in fields.get(sys.argv[2], "")))' "$1" "$2"
}
# A value of the program's settings whose name may hold blanks.
stored() {  # section value-name
  wine_out tests reg query "HKCU\\Software\\VB and VBA Program Settings\\VNL\\$1" /v "$2" |
    sed -n "s/^ *$2 *REG_SZ *//p"
}

main() {
  e2e_begin
  log="$PREFIX_ROOT/endpoint.log"
  python3 "$root/tools/endpoint.py" --log "$log" --port-file "$PREFIX_ROOT/port" --lifetime 300 & endpoint=$!
  trap 'kill $endpoint 2>/dev/null; images_cleanup; display_stop; prefix_destroy' EXIT
  app_install
  for _ in $(seq 100); do [ -s "$PREFIX_ROOT/port" ] && break; sleep 0.2; done
  printf '[BRISEN2.2]\r\nENDPOINT-HOST=127.0.0.1:%s\r\n' "$(cat "$PREFIX_ROOT/port")" \
    >"$DRIVE_C/ProgramData/brisen2.2.ini"

  # Wine opens http addresses with winebrowser, which starts the first
  # program of this list with the address as its one argument.
  cat >"$PREFIX_ROOT/fetch-url" <<'PY'
#!/usr/bin/env python3
import socket, sys, urllib.parse
url = sys.argv[1].encode("latin-1", "replace")
rest = url.split(b"://", 1)[1]
hostport, _, path = rest.partition(b"/")
host, _, port = hostport.partition(b":")
s = socket.create_connection((host.decode(), int(port or 80)), timeout=10)
s.sendall(b"GET /" + path + b" HTTP/1.0\r\nUser-Agent: fetch-url\r\n\r\n")
s.recv(4096)
PY
  chmod +x "$PREFIX_ROOT/fetch-url"
  wine_out tests reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d "$PREFIX_ROOT/fetch-url" /f >/dev/null

  # What an opened page receives of values as they are, for the record.
  wine_out tests winebrowser "http://127.0.0.1:$(cat "$PREFIX_ROOT/port")/privacy/_from_soft.cgi?scn=VNL&to=measure&country=People's Republic of China&info=x|ver:3.07|A B#1" >/dev/null
  echo "measured: an unencoded page address reaches the endpoint as: $(logged 'to=measure')"

  # A trace with blanks and odd bytes, as a dying process may leave it.
  local data
  data=$(ls -d "$DRIVE_C"/users/*/AppData/Roaming | grep -v Public | head -n 1)/VNL
  mkdir -p "$data"
  printf 'x|ver:3.07|DISK REFRESH#1\x01\xe9\r\n' >"$data/fileerror.txt"
  app_start
  expect_has "trace offered at start" "$(text ERRORS SEND-ERROR-REPORT-NOW | cut -c1-40)" \
    "$(drv answer "$(text ERRORS SEND-ERROR-REPORT-NOW | cut -c1-40)" Yes 30)"
  drv answer "$(text ERRORS RUN-AS-ADMIN | cut -c1-30)" OK 3 >/dev/null
  local bugs
  bugs=$(logged 'to=bugs')
  echo "measured: the endpoint logged for the report: $bugs"
  expect_eq "report reaches the endpoint with the record intact" 'x|ver:3.07|DISK REFRESH#1\x01\xe9' \
    "$(query_field "$bugs" info)"
  expect_eq "trace deleted" "no" "$([ -e "$data/fileerror.txt" ] && echo yes || echo no)"
  expect_has "record listed" "DISK REFRESH#1" "$(cat "$data/was_errors.txt" 2>/dev/null)"
  app_window
  drv close >/dev/null
  wine_end

  # The same trace again: reported already, so the next start asks nothing.
  # That start runs a quick cleaning of a small image to the finish page,
  # whose update link opens the update page while the wizard stays.
  printf 'x|ver:3.07|DISK REFRESH#1\x01\xe9\r\n' >"$data/fileerror.txt"
  image_make s 16 >/dev/null && image_mount s && image_map s "$(mnt s)" || bad "image s"
  wineserver -k
  wineserver -w
  start_run S Option6 Option8
  if drv message 1 >/dev/null 2>&1; then bad "a reported record is offered again: $(drv message 1)"; else ok; fi
  expect_eq "and not reported again" "1" "$(grep -c 'to=bugs' "$log")"
  go
  expect_eq "run of S ends" "visible=1" "$(wait_page 7 300)"
  drv click Label43 >/dev/null
  local updates
  updates=$(logged 'to=updates')
  echo "measured: the endpoint logged for the update link: $updates"
  expect_has "the update link opens the update page" "?scn=VNL&to=updates&version=3.07&country=" "$updates"
  expect_eq "the wizard stays on the finish page" "visible=1" "$(page_shown 7)"
  expect_eq "today stored as the last check" "$(stored Settings 'Recent Update')" \
    "$(date +%-m/%-d/%Y)"
  finish

  echo "endpoint log:"
  cat "$log"
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}

main "$@"
