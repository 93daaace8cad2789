#!/usr/bin/env bash
# The real program in a fresh program folder on a real X server: the first start lays out the
# settings, the splash counts down, and the launcher follows the advice box. Also: without a
# display the program says so in one line and fails.
set -euo pipefail

program=${1:?usage: startup.sh PATH-TO-vrimclocks}
source "$(dirname "$0")/lib.sh"

# --- No display at all, then one that cannot be opened.
for display in "" ":97531"; do
    set +e
    err=$(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY="$display" "$program" 2>&1 >/dev/null)
    status=$?
    set -e
    [ "$status" -ne 0 ] || fail "started with DISPLAY='$display' it exited 0"
    [ "$(printf '%s\n' "$err" | wc -l)" -eq 1 ] || fail "DISPLAY='$display' printed: $err"
    grep -q "needs a graphical display" <<<"$err" || fail "unclear message: $err"
done
pass "without a display: one line, non-zero exit"

start_x

# --- A first start that cannot make its settings folder says why and ends without a splash.
blocked="$work/blocked"
mkdir -p "$blocked"
cp "$program" "$blocked/"
echo "not a folder" >"$blocked/Settings"
"$blocked/vrimclocks" >"$work/out.log" 2>&1 &
app_pid=$!
pids+=("$app_pid")
within 100 shown "Vrim Clocks" || fail "no message about the settings folder"
box=$(windows_named "Vrim Clocks" | head -n 1)
[ "$(size_of "$box")" != "450x285" ] || fail "the splash came up although set-up failed"
xdotool windowfocus --sync "$box" key Return
within 50 bash -c "! kill -0 $app_pid" || fail "the program kept running after the failed set-up"
wait "$app_pid" && status=0 || status=$?
[ "$status" -ne 0 ] || fail "a failed first start exited 0"
pass "failed first start: message, no splash, non-zero exit"

# --- A fresh program folder beside its installation files.
folder="$work/Vrim Clocks"
make_program_folder "$folder" "$program"
"$folder/vrimclocks" >"$work/out.log" 2>&1 &
app_pid=$!
pids+=("$app_pid")
within 100 shown "Vrim Clocks" || fail "no splash appeared"
splash=$(windows_named "Vrim Clocks" | head -n 1)
[ "$(size_of "$splash")" = "450x285" ] || fail "splash is $(size_of "$splash")"
count=$(find "$folder/Settings" -maxdepth 1 -type f -name '*.prf' | wc -l)
[ "$count" -eq 13 ] || fail "Settings holds $count files when the splash shows"
grep -q $'^5 min\r$' "$folder/Settings/Dovspref.prf" || fail "Dovspref.prf lacks its interval line"
pass "first start wrote 13 settings files and shows the splash"

# The advice box comes on the tenth tick, twelve seconds in.
advice_open() { [ "$(windows_named "Vrim Clocks" | wc -l)" -ge 2 ]; }
within 200 advice_open || fail "no advice box after the countdown"
box=$(windows_named "Vrim Clocks" | grep -v "^$splash\$" | head -n 1)
shown "vRIM's" && fail "the launcher came before the box was closed"
pass "advice box shown"

xdotool windowfocus --sync "$box" key Return
within 50 shown "vRIM's" || fail "no launcher after closing the box"
launcher=$(windows_named "vRIM's")
within 30 bash -c "! xwininfo -id $splash 2>/dev/null | grep -q IsViewable" || fail "the splash stayed"
[ "$(size_of "$launcher")" = "131x362" ] || fail "launcher is $(size_of "$launcher")"
pass "launcher shown, splash gone"

# The Exit bar closes everything and ends the program.
click_at "$launcher" 90 334
within 50 bash -c "! kill -0 $app_pid" || fail "the program kept running after Exit"
wait "$app_pid" && status=0 || status=$?
[ "$status" -eq 0 ] || fail "exit status $status after Exit"
pass "Exit ends the program"

# --- Asked to end from outside: by the session at logout (SIGTERM) while the advice box waits,
# by Ctrl+C (SIGINT) or its closed terminal (SIGHUP) while the splash counts down. It ends at
# once with status 0 and leaves its settings files as they were.
settings() { (cd "$folder/Settings" && sha256sum -- *); }
for request in TERM:advice INT:splash HUP:splash; do
    signal=${request%:*}
    "$folder/vrimclocks" >"$work/out.log" 2>&1 &
    app_pid=$!
    pids+=("$app_pid")
    within 100 shown "Vrim Clocks" || fail "no splash before SIG$signal"
    [ "${request#*:}" = splash ] || within 200 advice_open || fail "no advice box before SIG$signal"
    before=$(settings)
    kill -"$signal" "$app_pid"
    within 20 bash -c "! kill -0 $app_pid" || fail "SIG$signal at the ${request#*:} did not end the program"
    wait "$app_pid" && status=0 || status=$?
    [ "$status" -eq 0 ] || fail "exit status $status after SIG$signal at the ${request#*:}"
    [ "$(settings)" = "$before" ] || fail "SIG$signal at the ${request#*:} changed the settings files"
    within 20 not_shown "Vrim Clocks" || fail "a window stayed after SIG$signal"
done
pass "SIGTERM, SIGINT and SIGHUP end it at once with status 0, the settings files whole"
