#!/usr/bin/env bash
# The real program: while the Dov clock's Skin Manager is open, the clock stays silent. The
# dialog is opened a few seconds before the due minute 10:05 and kept open past it; the null
# sink records nothing until the dialog's own Test plays its sound.
set -euo pipefail

program=${1:?usage: dov_quiet.sh PATH-TO-vrimclocks}
source "$(dirname "$0")/lib.sh"

start_x
start_sound_server

# The program's clock starts at 10:04:42 and runs in real time, so 10:05:00 is 18 s after start.
started=$(date +%s.%N)
start_program "$program" "2026-12-07 10:04:42"
seconds_to() { awk -v s="$started" -v n="$(date +%s.%N)" -v at="$1" 'BEGIN{printf "%.2f", at - (n - s)}'; }

dismiss_advice
open_from_launcher 110 dov
sleep 0.3
open_from_menu "$clock" 74 42 2 "Dov Skin Manager"
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
click_at "$dialog" 363 54 # Test
sleep 3
stop_recording
peak=$(peak_of "$work/test.wav")
awk -v p="$peak" 'BEGIN{exit !(p > 0.05)}' || fail "the dialog's Test was not heard (peak $peak)"
pass "the dialog's Test is heard (peak $peak)"
