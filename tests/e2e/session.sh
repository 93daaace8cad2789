#!/usr/bin/env bash
# The program and the desktop session: clocks reopened where left, start with the desktop, the tray.
set -euo pipefail
program=${1:?usage: session.sh PATH-TO-vrimclocks}
source "$(dirname "$0")/lib.sh"
start_x
export XDG_CONFIG_HOME="$work/config" XDG_STATE_HOME="$work/state"
options="$XDG_CONFIG_HOME/vrimclocks/vrimclocks.conf"
mkdir -p "$(dirname "$options")"
printf '[Session]\nreopen=true\n' >"$options"
folder="$work/prog"
make_program_folder "$folder" "$program"
preload=$(ls /usr/lib/*/faketime/libfaketime.so.1 | head -n 1)
# A start with timers ten times faster, the splash over in about a second, up to the launcher.
start_again() {
    LD_PRELOAD="$preload" FAKETIME="+0 x10" FAKETIME_NO_CACHE=1 "$folder/vrimclocks" >>"$work/out.log" 2>&1 &
    app=$!
    pids+=("$app")
    dismiss_advice
}
ended() { ! kill -0 "$app" 2>/dev/null; }
end_by() {
    kill -"$1" "$app"
    within 50 ended || fail "SIG$1 did not end the program"
}
on_top() { xprop -id "$1" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE; }
# A second start brings the launcher back.
launcher_again() {
    "$folder/vrimclocks" >>"$work/out.log" 2>&1
    within 50 shown "vRIM's" || fail "a second start brought no launcher"
}

start_again
open_from_launcher 110 dov
dov=$clock
launcher_again
open_from_launcher 141 Quenz
quenz=$clock
# Dov dragged by its Move button with a person's hand, then released from staying on top.
IFS=, read -r x0 y0 <<<"$(place_of "$dov")"
xdotool windowraise "$dov"
press_at "$dov" 76 94
for step in 1 2 3 4 5 6; do xdotool mousemove_relative -- 20 15; sleep 0.05; done
release_button
within 30 bash -c "[ \"\$(xwininfo -id $dov | awk '/Absolute upper-left X/{print \$4}')\" = $((x0 + 120)) ]" ||
    fail "Dov did not follow the drag: at $(place_of "$dov"), dragged from $x0,$y0 by 120,90"
dragged=$(place_of "$dov")
quenz_place=$(place_of "$quenz")
on_top "$dov" || fail "Dov did not open on top"
click_at "$dov" 36 94
within 30 bash -c "! xprop -id $dov _NET_WM_STATE | grep -q ABOVE" || fail "Dov's on-top button did not release it"
sleep 1 # the record follows a moment after
pass "Dov dragged to $dragged and released from the top; Quenz at $quenz_place"

# The Exit bar ends the program; the next start brings both back.
launcher_again
click_at "$(windows_named "vRIM's")" 70 334 # the Exit bar, right of its label
within 50 ended || fail "the Exit bar did not end the program"
reopened() { # what the start after an ending shows: $1 names the ending
    start_again
    within 50 shown dov || fail "after $1, Dov did not reopen: $(cat "$XDG_STATE_HOME/vrimclocks/open-windows")"
    within 50 shown Quenz || fail "after $1, Quenz did not reopen"
    dov=$(windows_named dov) quenz=$(windows_named Quenz)
    [ "$(place_of "$dov")" = "$dragged" ] || fail "after $1, Dov reopened at $(place_of "$dov"), not $dragged"
    [ "$(place_of "$quenz")" = "$quenz_place" ] || fail "after $1, Quenz reopened at $(place_of "$quenz")"
    ! on_top "$dov" || fail "after $1, Dov is on top again"
    on_top "$quenz" || fail "after $1, Quenz is not on top"
    pass "after $1 both reopened at their places, Dov not on top, Quenz on top"
}
reopened "the Exit bar"

# The windows that the end of a desktop session (SIGTERM) takes down are not counted as closed.
end_by TERM
reopened "SIGTERM"
end_by KILL
reopened "kill -9"

end_by TERM
printf '[Session]\nreopen=false\n' >"$options"
start_again
sleep 1
not_shown dov && not_shown Quenz || fail "with reopen=false a clock reopened"
pass "with the option off, no clock reopens"

# "Start with the desktop": the 10th item of the launcher's menu, below the eight clocks.
choose_autostart() {
    click_at "$(windows_named "vRIM's")" 60 200 3
    sleep 0.5
    xdotool key Down Down Down Down Down Down Down Down Down Return
}
choose_autostart
within 30 bash -c "ls '$XDG_CONFIG_HOME'/autostart/*.desktop" || fail "no autostart entry was written"
entry=$(ls "$XDG_CONFIG_HOME"/autostart/*.desktop)
desktop-file-validate "$entry" || fail "the autostart entry is not valid: $(cat "$entry")"
grep -qx "Exec=$folder/vrimclocks" "$entry" || fail "the autostart entry starts $(grep Exec= "$entry")"
within 30 grep -qx 'autostart=true' "$options" || fail "the options file says $(cat "$options")"
choose_autostart
within 30 bash -c "[ ! -e '$entry' ]" || fail "unchecking left the autostart entry"
within 30 grep -qx 'autostart=false' "$options" || fail "the options file says $(cat "$options")"
pass "Start with the desktop wrote a valid entry that starts this program; unchecking removed it"

# A tray (Debian's trayer) started after the program, as a panel may be at login, gets its icon.
end_by TERM
start_again
trayer --edge bottom --align right --widthtype pixel --width 200 --heighttype pixel --height 32 \
    >"$work/trayer.log" 2>&1 &
pids+=($!)
icon() {
    xwininfo -root -tree | awk '/\("vrimclocks" "Vrim Clocks"\)/ { split($(NF-1), size, "x"); if (size[1] + 0 < 64 && size[1] + 0 > 8) print $1 }' | grep .
}
within 50 icon || fail "no icon in the tray: $(xwininfo -root -tree | grep -i -E 'trayer|panel|Vrim')"
tray_icon=$(icon)
open_from_launcher 110 dov
within 50 not_shown "vRIM's" || fail "the launcher stayed open with Dov"
click_at "$tray_icon" 8 8
within 50 shown "vRIM's" || fail "a click on the tray icon did not bring the launcher back"
click_at "$tray_icon" 8 8 3
sleep 0.5
xdotool key Up Up Return # the last item but one: About
within 50 shown "About Vrim Clocks" || fail "the tray icon's menu did not open About"
pass "the icon sits in the tray, a click on it brings the launcher back, and its menu is the program's"
# Shift+F10 on the launcher opens the menu too; its last item, Exit, ends the program.
xdotool windowfocus --sync "$(windows_named "vRIM's")" key shift+F10
sleep 0.5
xdotool key Up Return
within 50 ended || fail "Shift+F10 and the menu's Exit did not end the program"
pass "Shift+F10 opens the menu; its Exit ends the program"
