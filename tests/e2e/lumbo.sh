#!/usr/bin/env bash
# The real program at 13:45 of our choosing: the Lumbo clock, opened from its launcher entry
# "lumbo", lights hour 1, the tens square of 4, the units panel of 5 and the afternoon square, in
# lumbi.prf's colours. Its Pref button opens "preff-ferendz"; "Out lumbo" opens Qt's colour
# chooser, a colour typed there turns the clock's window that colour at once, and "Zeive" writes
# it to lumbi.prf and closes the dialog.
set -euo pipefail

program=${1:?usage: lumbo.sh PATH-TO-vrimclocks}
source "$(dirname "$0")/lib.sh"

start_x
# The program's clock starts at 13:45:03 and runs in real time: the minute lasts long enough
# for the splash's countdown and a slow (sanitizer) build.
start_program "$program" "2026-12-07 13:45:03"
program_seconds() { awk -v s="$started" -v n="$(date +%s.%N)" 'BEGIN{printf "%d", 3 + (n - s)}'; }

dismiss_advice
# The "lumbo" label: its bar's top is at 1010 twips (67 pixels), the bar 25 pixels high.
open_from_launcher 79 lum-bo
lumbo=$clock
shown "vRIM's" && fail "the launcher stayed open"
[ "$(size_of "$lumbo")" = "600x65" ] || fail "the Lumbo window is $(size_of "$lumbo")"
pass "Lumbo opened from the launcher"

sleep 1.2
import -window "$lumbo" "$work/face.png"
[ "$(program_seconds)" -lt 58 ] || fail "the minute ran out before the screenshot"
# Panel i starts at x 12 + 48 i; its hour button takes its top left, its square its top right.
expect "$work/face.png" 15 11 "0,255,0" "hour button 1"
expect "$work/face.png" 543 11 "$(rgb_at "$work/face.png" 15 30)" "hour button 12 (unlit, as a panel)"
expect "$work/face.png" 196 12 "255,0,0" "the tens square of 4"
expect "$work/face.png" 148 12 "$(rgb_at "$work/face.png" 15 30)" "the tens square of 3 (unlit)"
expect "$work/face.png" 224 30 "0,0,255" "the units panel of 5"
expect "$work/face.png" 580 12 "105,105,100" "the afternoon square"
expect "$work/face.png" 6 50 "36,78,100" "the bar (6573604)"
expect "$work/face.png" 300 60 "30,65,83" "the window (5456158)"
pass "13:45: hour 1, tens 4, units 5, afternoon, in lumbi.prf's colours"

# Pref hangs from the bottom edge at 582,58.
click_at "$lumbo" 589 61
within 50 shown preff-ferendz || fail "Pref did not open preff-ferendz"
prefs=$(windows_named preff-ferendz)
# Out of the clock's way: without a window manager it opens at the screen's corner.
xdotool windowmove --sync "$prefs" 100 300
click_at "$prefs" 62 26 # Out lumbo
within 50 shown "Select Color" || fail "Out lumbo opened no colour chooser"
chooser=$(windows_named "Select Color")
xdotool windowfocus --sync "$chooser"
sleep 0.3
# Its HTML field (Alt+H selects what it holds), a colour typed in, and Return for OK.
xdotool key alt+h
sleep 0.2
xdotool type "#fafa00"
xdotool key Return
within 50 bash -c "! xwininfo -id $chooser 2>/dev/null | grep -q IsViewable" || fail "the colour chooser stayed open"
sleep 0.3
import -window "$lumbo" "$work/chosen.png"
expect "$work/chosen.png" 300 60 "250,250,0" "the window after choosing #fafa00"
expect "$work/chosen.png" 6 50 "36,78,100" "the bar after choosing an outer colour"
pass "the chosen outer colour shows on the running clock at once"

click_at "$prefs" 62 102 # Zeive
within 50 bash -c "! xwininfo -id $prefs 2>/dev/null | grep -q IsViewable" || fail "Zeive left the dialog open"
expected=$(printf ' 6573604 \r\n 64250 \r\n 0 \r\n 1 \r\n' | od -c)
actual=$(od -c <"$folder/Settings/lumbi.prf")
[ "$actual" = "$expected" ] || fail "lumbi.prf holds $actual"
pass "Zeive closed the dialog and wrote lumbi.prf: 6573604, 64250, 0, 1"
