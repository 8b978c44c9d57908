# The reference web endpoint (tools/endpoint.py) on 127.0.0.1 for a test's
# prefix: the program is pointed at it through the machine-wide value
# EndpointHost, and the prefix's browser is a small fetcher that sends the
# address exactly as it was handed over, so the endpoint's log shows what a
# page opened by the program receives. Source after e2e.sh.

# Points the program at a host and port: the value an administrator sets.
endpoint_host() {  # host[:port]
  wine_out tests reg add 'HKLM\Software\Vantrel' /v EndpointHost /d "$1" /f >/dev/null
}

# Starts the endpoint for the rest of the script; call after e2e_begin and
# app_install. Sets `log` (the endpoint's request log) and `endpoint_port`.
endpoint_start() {  # [extra endpoint.py arguments...]
  log="$PREFIX_ROOT/endpoint.log"
  python3 "$root/tools/endpoint.py" --log "$log" --port-file "$PREFIX_ROOT/port" --lifetime 900 "$@" &
  endpoint=$!
  for _ in $(seq 100); do [ -s "$PREFIX_ROOT/port" ] && break; sleep 0.2; done
  endpoint_port=$(cat "$PREFIX_ROOT/port")
  endpoint_host "127.0.0.1:$endpoint_port"

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
}

# A port nobody listens on, standing for a server that cannot be reached.
closed_port() { python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'; }

# Waits up to 30 s for a logged request whose query holds the text.
logged() {  # text
  local end=$((SECONDS + 30))
  until grep -F -- "$1" "$log" >/dev/null 2>&1 || [ $SECONDS -ge $end ]; do sleep 0.5; done
  grep -F -- "$1" "$log" | tail -n 1
}

# The text itself once a request holding it is logged, else nothing.
opened() { logged "$1" | grep -oF -- "$1" | head -n 1; }  # text

# A query field of a logged request, as the endpoint decoded it, with
# control characters as \xNN.
query_field() {  # logged-line key
  python3 -c '
import json, sys
fields = dict(json.loads(sys.argv[1]).get("fields", []))
print("".join(c if " " <= c < "\x7f" else "\\x%02x" % ord(c) for c in fields.get(sys.argv[2], "")))' "$1" "$2"
}
