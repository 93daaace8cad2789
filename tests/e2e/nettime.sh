#!/usr/bin/env bash
# The real program in Dublin asks a Daytime server of the script's own, never the internet:
# "Osttrana" opens "Ostran Time", which shows the server's UTC at once (the server keeps the
# connection open after its line), the local time worked out from the zone database (Dublin's data
# calls its winter time the standard one and its summer time "IST") and the PC clock; Close brings
# the launcher back. (Connect and the window's other answers are tst_nettime's.)
set -euo pipefail

program=${1:?usage: nettime.sh PATH-TO-vrimclocks}
source "$(dirname "$0")/lib.sh"

# A Daytime server on the loopback that answers every connection with 6 December 2026 (day 61380
# of the modified Julian date), 12:18:43 UTC in NIST's form and then leaves the connection open,
# and counts the connections in $work/asked.
python3 - "$work" >"$work/server.log" 2>&1 <<'PY' &
import socket, sys
server = socket.create_server(("127.0.0.1", 0))
open(sys.argv[1] + "/port", "w").write(str(server.getsockname()[1]))
peers = []
while True:
    peers.append(server.accept()[0])
    peers[-1].sendall(b"\n61380 26-12-06 12:18:43 00 0 0 608.1 UTC(NIST) * \n")
    open(sys.argv[1] + "/asked", "w").write(str(len(peers)))
PY
pids+=($!)
within 50 test -s "$work/port" || fail "the Daytime server did not start: $(cat "$work/server.log")"
export VRIM_DAYTIME_SERVER="127.0.0.1:$(cat "$work/port")"
export TZ=Europe/Dublin
export QT_LOGGING_RULES="vrim.nettime.info=true"
asked() { cat "$work/asked" 2>/dev/null || echo 0; }

start_x
start_program "$program" "2026-12-06 12:18:40"
dismiss_advice

click_at "$(windows_named "vRIM's")" 30 233 # the Osttrana label
within 50 shown "Ostran Time" || fail "the Ostran Time window did not open"
client=$(windows_named "Ostran Time")
shown "vRIM's" && fail "the launcher stayed open"
[ "$(size_of "$client")" = "360x280" ] || fail "the Ostran Time window is $(size_of "$client")"
pass "Osttrana opens Ostran Time"

# The first query goes out at once and its line is used as it comes (well within the 10 s a
# reply without one may take): UTC as sent, and Dublin's winter time, which is UTC.
shows() { grep -q "$1" "$work/out.log"; }
within 30 shows "UTC 12:18:43 local 12:18:43 PM" || fail "no local time 12:18:43 PM for UTC 12:18:43 within 3 s"
grep -qE "PC 12:1[89]:[0-9]{2} PM status Time from 127.0.0.1:[0-9]+, local time in GMT Standard Time" \
    "$work/out.log" || fail "the PC clock or status is wrong: $(grep status "$work/out.log")"
[ "$(asked)" = 1 ] || fail "the server was asked $(asked) times"
pass "UTC 12:18:43, local 12:18:43 PM and the PC clock shown"

click_at "$client" 320 193 # Close
within 50 shown "vRIM's" || fail "Close did not bring the launcher back"
shown "Ostran Time" && fail "the Ostran Time window stayed open"
pass "Close brings the launcher back"
