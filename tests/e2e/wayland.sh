#!/usr/bin/env bash
# The real program on a Wayland compositor (a headless Weston): its splash is mapped, and a second
# start hands over to it. Skipped without Weston.
set -euo pipefail

program=${1:?usage: wayland.sh PATH-TO-vrimclocks}
source "$(dirname "$0")/lib.sh"

command -v weston >/dev/null || { echo "skipped: weston is not installed"; exit 77; }
[ -n "$(find /usr/lib -path '*qt6/plugins/platforms/libqwayland-generic.so' -print -quit 2>/dev/null)" ] ||
    { echo "skipped: Qt's Wayland platform (qt6-wayland) is not installed"; exit 77; }

export XDG_RUNTIME_DIR="$work/runtime" WAYLAND_DISPLAY=vrim-wayland QT_QPA_PLATFORM=wayland
mkdir -m 700 "$XDG_RUNTIME_DIR"
weston --backend=headless-backend.so --socket=vrim-wayland --width=1280 --height=800 --idle-time=0 \
    --log="$work/weston.log" >/dev/null 2>&1 &
pids+=($!)
within 100 test -S "$XDG_RUNTIME_DIR/vrim-wayland" || fail "weston did not start: $(cat "$work/weston.log")"

# The client's protocol log shows what the compositor was asked to map.
unset DISPLAY
make_program_folder "$work/prog" "$program"
WAYLAND_DEBUG=client "$work/prog/vrimclocks" >"$work/out.log" 2>"$work/protocol.log" &
first=$!
pids+=("$first")
mapped() { grep -q 'set_title("Vrim Clocks")' "$work/protocol.log" && grep -q 'attach(wl_buffer' "$work/protocol.log"; }
within 150 mapped || fail "no splash was mapped on Wayland: $(grep -v '^\[' "$work/protocol.log" | head -20)"
"$work/prog/vrimclocks" >"$work/second.log" 2>&1 ||
    fail "a second start on Wayland exited $?: $(cat "$work/second.log")"
kill -0 "$first" || fail "the first copy on Wayland ended"
pass "on Wayland: splash mapped, a second start handed over"
