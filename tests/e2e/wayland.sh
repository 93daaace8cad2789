#!/usr/bin/env bash
# The real program on a Wayland compositor (a headless Weston) and under its XWayland: it starts,
# its splash is mapped, and a second start hands over to it there too. Skipped without Weston.
set -euo pipefail

program=${1:?usage: wayland.sh PATH-TO-vrimclocks}
source "$(dirname "$0")/lib.sh"

command -v weston >/dev/null || { echo "skipped: weston is not installed"; exit 77; }
[ -n "$(find /usr/lib -path '*qt6/plugins/platforms/libqwayland-generic.so' -print -quit 2>/dev/null)" ] ||
    { echo "skipped: Qt's Wayland platform (qt6-wayland) is not installed"; exit 77; }

export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
xwayland=()
command -v Xwayland >/dev/null && xwayland=(--xwayland)
weston --backend=headless-backend.so --socket=vrim-wayland --width=1280 --height=800 --idle-time=0 \
    "${xwayland[@]}" --log="$work/weston.log" >/dev/null 2>&1 &
pids+=($!)
within 100 test -S "$XDG_RUNTIME_DIR/vrim-wayland" || fail "weston did not start: $(cat "$work/weston.log")"

# --- Wayland itself. The client's protocol log shows what the compositor was asked to map.
unset DISPLAY
folder="$work/wayland"
make_program_folder "$folder" "$program"
on_wayland() { WAYLAND_DISPLAY=vrim-wayland QT_QPA_PLATFORM=wayland "$@"; }
on_wayland env WAYLAND_DEBUG=client "$folder/vrimclocks" >"$work/out.log" 2>"$work/protocol.log" &
first=$!
pids+=("$first")
mapped() { grep -q 'set_title("Vrim Clocks")' "$work/protocol.log" && grep -q 'attach(wl_buffer' "$work/protocol.log"; }
within 150 mapped || fail "no splash was mapped on Wayland: $(grep -v '^\[' "$work/protocol.log" | head -20)"
on_wayland "$folder/vrimclocks" >"$work/second.log" 2>&1 && status=0 || status=$?
[ "$status" -eq 0 ] || fail "a second start on Wayland exited $status: $(cat "$work/second.log")"
kill -0 "$first" || fail "the first copy on Wayland ended"
pass "on Wayland: splash mapped, a second start handed over"
kill "$first"

# --- XWayland: the X server Weston starts on demand, with its own window manager.
if [ ${#xwayland[@]} -eq 0 ]; then
    echo "XWayland part skipped: Xwayland is not installed"
    exit 0
fi
display=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$work/weston.log" | head -n 1)
[ -n "$display" ] || fail "weston started no X server: $(cat "$work/weston.log")"
export DISPLAY=$display
folder="$work/xwayland"
make_program_folder "$folder" "$program"
env -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$folder/vrimclocks" >"$work/out.log" 2>&1 &
pids+=($!)
within 150 shown "Vrim Clocks" || fail "no splash under XWayland"
pass "under XWayland: splash shown"
