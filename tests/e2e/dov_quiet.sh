#!/usr/bin/env bash
# The real program: while the Dov clock's Skin Manager is open, the clock stays silent. The
# dialog is opened a few seconds before the due minute 10:05 and kept open past it; the null
# sink records nothing until the dialog's own Test plays its sound.
set -euo pipefail

program=${1:?usage: dov_quiet.sh PATH-TO-vrimclocks}
source "$(dirname "$0")/lib.sh"

start_x
start_sound_server

folder="$work/prog"
make_program_folder "$folder" "$program"
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"
# The program's clock starts at 10:04:42 and runs in real time, so 10:05:00 is 18 s after start.
started=$(date +%s.%N)
FAKETIME_DONT_FAKE_MONOTONIC=1 faketime -f "@2026-12-07 10:04:42" "$folder/vrimclocks" >"$work/out.log" 2>&1 &
pids+=($!)
seconds_to() { awk -v s="$started" -v n="$(date +%s.%N)" -v at="$1" 'BEGIN{printf "%.2f", at - (n - s)}'; }

dismiss_advice
xdotool mousemove --window "$(windows_named "vRIM's")" 30 110 mousedown 1 mouseup 1
within 50 shown dov || fail "the Dov clock did not open"
dov=$(windows_named dov)
sleep 0.3
xdotool mousemove --window "$dov" 74 42 mousedown 1
sleep 0.3
xdotool mouseup 1 key Down Return
within 50 shown "Dov Skin Manager" || fail "the Skin Manager did not open"
dialog=$(windows_named "Dov Skin Manager")
start_recording "$work/open.wav"
left=$(seconds_to 18)
awk -v l="$left" 'BEGIN{exit !(l > 0.5)}' ||
    fail "the dialog opened too late to span 10:05:00 (${left}s before it); the test proves nothing"
pass "the Skin Manager is open ${left}s before 10:05:00"

sleep "$(awk -v l="$left" 'BEGIN{printf "%.2f", l + 4}')" # past the due moment, the chime's length
stop_recording
peak=$(peak_of "$work/open.wav")
awk -v p="$peak" 'BEGIN{exit !(p < 0.01)}' || fail "the clock chimed over its Skin Manager (peak $peak)"
pass "nothing was heard while the dialog was open across 10:05:00 (peak $peak)"

# The recording itself works: the dialog's own Test is heard.
start_recording "$work/test.wav"
xdotool mousemove --window "$dialog" 363 54 click 1 # Test
sleep 3
stop_recording
peak=$(peak_of "$work/test.wav")
awk -v p="$peak" 'BEGIN{exit !(p > 0.05)}' || fail "the dialog's Test was not heard (peak $peak)"
pass "the dialog's Test is heard (peak $peak)"
