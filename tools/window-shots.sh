#!/usr/bin/env bash
# Screenshots of every window of the program, one PNG each, with the wall clock frozen: two runs
# of one build give the same pictures to the pixel, so two builds can be compared window by
# window (tools/compare-shots.sh). The first pass, at 10:04:05, takes the splash, the advice box,
# the launcher, the eight clocks, Gantos, Ostran Time, the help menu, a help page, each Skin
# Manager, Lumbo's preferences and the about box; the second, at 15:47:33, a fresh start, takes
# the windows that are open together again (the clocks above all). Files are named
# HHMMSS-WINDOW.png after the frozen time and the window's title. It takes five minutes or so.
# Left out: the splash's little animated clock, and the windows that only show a moment or a
# state of a monotonic timer (Mip Numbers, the help samples, a running stopwatch).
#
#   tools/window-shots.sh build-dev/vrimclocks /tmp/shots
set -euo pipefail

program=$(realpath "${1:?usage: window-shots.sh PATH-TO-vrimclocks OUT-DIR}")
out=${2:?usage: window-shots.sh PATH-TO-vrimclocks OUT-DIR}
mkdir -p "$out"
out=$(realpath "$out")
# shellcheck source=SCRIPTDIR/../tests/e2e/lib.sh
source "$(dirname "$0")/../tests/e2e/lib.sh"
export TZ=UTC
# libfaketime is preloaded ahead of a sanitizer build's runtime; let that build accept it.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"

# A Daytime server of our own on a fixed port (the status line names it), answering with the
# frozen time in NIST's form, so that Ostran Time shows the same reply every run.
daytime_port=13013
python3 - "$work" "$daytime_port" >"$work/server.log" 2>&1 <<'PY' &
import datetime, socket, sys
work, port = sys.argv[1], int(sys.argv[2])
server = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
server.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
server.bind(("127.0.0.1", port))
server.listen(5)
open(work + "/listening", "w").close()
peers = []
while True:
    peer, _ = server.accept()
    now = datetime.datetime.strptime(open(work + "/clock").read().strip(), "%Y-%m-%d %H:%M:%S")
    mjd = (now.date() - datetime.date(1858, 11, 17)).days
    peer.sendall(b"\n%d %s 00 0 0 608.1 UTC(NIST) * \n" % (mjd, now.strftime("%y-%m-%d %H:%M:%S").encode()))
    peers.append(peer)  # left open, as NIST's servers do
PY
pids+=($!)
within 50 test -e "$work/listening" || fail "no Daytime server on port $daytime_port: $(cat "$work/server.log")"
export VRIM_DAYTIME_SERVER="127.0.0.1:$daytime_port"

# Starts the program from a fresh program folder (default settings) with its wall clock frozen
# at $1; the monotonic clock stays real, so its timers run.
start_frozen() {
    stamp=$(date -d "$1" +%H%M%S)
    printf '%s\n' "$1" >"$work/clock"
    folder="$work/prog"
    rm -rf "$folder"
    make_program_folder "$folder" "$program"
    local preload
    preload=$(find /usr/lib/*/faketime -name libfaketime.so.1 | head -n 1)
    LD_PRELOAD="$preload" FAKETIME_TIMESTAMP_FILE="$work/clock" \
        FAKETIME_NO_CACHE=1 FAKETIME_DONT_FAKE_MONOTONIC=1 "$folder/vrimclocks" >"$work/out.log" 2>&1 &
    app=$!
    pids+=("$app")
}
stop_program() {
    kill "$app"
    wait "$app" 2>/dev/null || true
}

# The window $1 into $out/$stamp-$2.png, once it has settled: taken again until two takes agree.
# $3, when given, is a rectangle "x0,y0 x1,y1" left out (painted black) of every take.
shoot() {
    local file="$out/$stamp-$2.png" tries
    take() {
        import -window "$1" "$2"
        [ -z "${3:-}" ] || mogrify -fill black -draw "rectangle $3" "$2"
    }
    take "$1" "$work/take.png" "${3:-}"
    for ((tries = 0; tries < 30; tries++)); do
        sleep 0.2
        take "$1" "$file" "${3:-}"
        [ "$(compare -metric AE "$work/take.png" "$file" null: 2>&1)" = 0 ] && { echo "$stamp-$2"; return; }
        mv "$file" "$work/take.png"
    done
    fail "the $2 window never settled"
}
# A window's title as a file name: "Dov Skin Manager" -> Dov-Skin-Manager, "vRIM's" -> vRIMs.
file_name() { tr ' ' - <<<"$1" | tr -cd 'A-Za-z0-9_.-'; }
shoot_named() {
    local id
    id=$(windows_named "$1" | head -n 1)
    [ -n "$id" ] || fail "no $1 window to take"
    shoot "$id" "$(file_name "$1")"
}

# Every window open_every_window opens, laid out apart, and then the help menu that the help
# page's Exit brings back. Gantos's stopwatches are stopped and reset first: a running count
# depends on how long the script took.
shoot_open_windows() {
    local name
    open_every_window
    lay_out_every_window
    xdotool windowraise "$(windows_named Gantos)"
    for name in Stop Reset; do
        sync_caption before
        click_at "$(windows_named Gantos)" 200 278 # Sincronized Stop, then Reset
        within 30 sync_caption_changed || fail "Gantos's Sincronized $name did nothing"
    done
    xdotool mousemove 1000 780 # where no window lies, so that nothing shows a hover
    for name in "vRIM's" "${clocks[@]}" Gantos "Ostran Time" "Vrim Clocks Help"; do
        shoot_named "$name"
    done
    click_at "$(windows_named "Vrim Clocks Help")" 190 415 # Exit
    within 50 shown Help || fail "the help page's Exit brought no help menu"
    xdotool windowmove --sync "$(windows_named Help)" 815 70 # where the page was
    xdotool mousemove 1000 780
    shoot_named Help
}

# Opens a dialog from the keyboard of the clock $1 (the Menu key, then $2 times Down and Return;
# no Downs for Lumbo, whose Menu key opens its preferences), waits for the window named $3,
# moves it where no clock lies, takes it and closes it with Escape.
shoot_dialog() {
    local clock keys=(Menu) dialog
    clock=$(windows_named "$1")
    for ((i = 0; i < $2; i++)); do keys+=(Down); done
    [ "$2" = 0 ] || keys+=(Return)
    xdotool windowactivate --sync "$clock"
    xdotool key "${keys[@]}"
    within 50 shown "$3" || fail "$1's menu did not open $3"
    dialog=$(windows_named "$3")
    xdotool windowmove --sync "$dialog" 420 300
    xdotool mousemove 1000 780
    shoot "$dialog" "$(file_name "$3")"
    xdotool windowactivate --sync "$dialog" key Escape
    within 50 not_shown "$3" || fail "Escape did not close $3"
}

start_x

start_frozen "2026-12-07 10:04:05"
# The splash at the end of its countdown, beside the advice box.
advice_up() { [ -n "$(windows_named "Vrim Clocks" | sed -n 2p)" ]; }
within 200 advice_up || fail "no advice box after the countdown"
for id in $(windows_named "Vrim Clocks"); do
    if [ "$(size_of "$id")" = 450x285 ]; then splash=$id; else advice=$id; fi
done
xdotool windowmove --sync "$advice" 0 0 # off the splash, which it opened over
xdotool mousemove 1000 780
shoot "$advice" advice
# The splash's little clock sweeps by the monotonic clock, never twice alike: left out.
shoot "$splash" splash "330,60 439,169"
dismiss_advice
shoot_open_windows
while IFS='|' read -r clock downs dialog; do
    shoot_dialog "$clock" "$downs" "$dialog"
done <<ROWS
dov|2|Dov Skin Manager
norvi|2|norvi Skin Manager
Quenz|2|Quenz Skin Manager
vrimcolor|2|Vrim Skin Manager
Mip|2|Mip Skin Manager
Jolvex|1|Jolvex Skin Manager
lum-bo|0|preff-ferendz
dov|4|About Vrim Clocks
ROWS
stop_program

start_frozen "2026-12-07 15:47:33"
dismiss_advice
shoot_open_windows
stop_program
