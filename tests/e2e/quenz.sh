#!/usr/bin/env bash
# The real program at a time of day of our choosing: the Quenz clock, opened from the launcher
# in the afternoon, shows the hour's bar blue, the afternoon dot and the seconds marker of the
# present five seconds; its Skin Manager, opened from the menu strip at its left edge, takes a
# new picture through the file chooser, and the clock then wears it.
set -euo pipefail

program=${1:?usage: quenz.sh PATH-TO-vrimclocks}
source "$(dirname "$0")/lib.sh"

start_x
export HOME="$work/home"
mkdir -p "$HOME"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
folder="$work/prog"
make_program_folder "$folder" "$program"

# The program's clock runs from 15:19:30 at its start; ours tells where it has got to.
fake_start=$(date -u -d "2026-12-07 15:19:30" +%s)
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"
real_start=$(date +%s.%N)
clear_stale_faketime
TZ=UTC FAKETIME_DONT_FAKE_MONOTONIC=1 faketime -f "@2026-12-07 15:19:30" "$folder/vrimclocks" >"$work/out.log" 2>&1 &
pids+=($!)
# The program's seconds past the minute, to a tenth.
program_seconds() {
    awk -v now="$(date +%s.%N)" -v s="$real_start" -v f="$fake_start" \
        'BEGIN{t = f + now - s; printf "%.1f", t - 60 * int(t / 60)}'
}

dismiss_advice
launcher=$(windows_named "vRIM's")
click_at "$launcher" 30 141 # the Quenz label
within 50 shown Quenz || fail "the Quenz clock did not open"
quenz=$(windows_named Quenz)
shown "vRIM's" && fail "the launcher stayed open"
[ "$(size_of "$quenz")" = "158x161" ] || fail "the window is $(size_of "$quenz")"
pass "Quenz opened from the launcher"

# "r,g,b" of a pixel of a screenshot.
rgb() { convert "$1" -format "%[fx:int(255*p{$2}.r+0.5)],%[fx:int(255*p{$2}.g+0.5)],%[fx:int(255*p{$2}.b+0.5)]" info:; }
# The middle of each marker, marker 0 (seconds 5 to 9) first.
markers=(119,21 125,51 117,73 125,93 119,125 73,125 25,125 17,93 25,71 17,49 25,21 73,21)

# Past the first tick's reload and the next multiple of five; then a screenshot taken well
# inside one five-second span, so what it must show is known.
sleep 6
for attempt in 1 2 3 4 5 6; do
    before=$(program_seconds)
    import -window "$quenz" "$work/face.png"
    after=$(program_seconds)
    if awk -v a="$before" -v b="$after" \
        'BEGIN{exit !(int(a / 5) == int(b / 5) && a - 5 * int(a / 5) > 0.4 && b < 59.9)}'; then
        break
    fi
    [ "$attempt" = 6 ] && fail "no screenshot inside one five-second span"
    sleep 1.3
done
second=${before%.*}
lit=$(( second / 5 == 0 ? 11 : second / 5 - 1 ))

[ "$(rgb "$work/face.png" 125,74)" = "0,0,255" ] || fail "the 3 bar shows $(rgb "$work/face.png" 125,74), not blue"
[ "$(rgb "$work/face.png" 133,51)" != "0,0,255" ] || fail "the 2 bar is still blue"
[ "$(rgb "$work/face.png" 72,46)" = "0,0,100" ] || fail "the dot shows $(rgb "$work/face.png" 72,46), not the afternoon's"
pass "15 o'clock: the 3 bar blue, the 2 bar cleared, the afternoon dot"
for i in "${!markers[@]}"; do
    colour=$(rgb "$work/face.png" "${markers[$i]}")
    if [ "$i" = "$lit" ]; then
        [ "$colour" = "205,10,0" ] || fail "at second $before marker $i shows $colour, not the seconds' red"
    elif [ "$i" = 2 ]; then
        [ "$colour" = "0,0,255" ] || fail "the 3 bar's marker shows $colour, not blue"
    else
        [ "$colour" != "205,10,0" ] || fail "at second $before marker $i is lit too"
    fi
done
pass "at second $before the seconds marker $lit alone is lit"

# The menu strip at the left edge opens the menu; its second item is "Skin Manager".
convert "$work/face.png" -crop 18x60+36+50 +repage "$work/skin-before.png"
press_at "$quenz" 2 150
sleep 0.5
release_button
xdotool key Down Down Return
within 50 shown "Quenz Skin Manager" || fail "the Skin Manager did not open"
dialog=$(windows_named "Quenz Skin Manager")

picture="$folder/Skins/Quenz/mistel.jpg"
[ -f "$picture" ] || fail "the installation lacks $picture"
click_at "$dialog" 57 238 # View
within 50 shown Open || fail "no file chooser"
chooser=$(windows_named Open)
xdotool windowfocus --sync "$chooser" type --delay 5 "$picture"
xdotool key Return
within 50 bash -c "! xdotool search --name '^Open\$' >/dev/null" || fail "the chooser stayed open"
click_at "$dialog" 263 238 # Ok
within 50 bash -c "! xwininfo -id $dialog 2>/dev/null | grep -q IsViewable" || fail "the dialog stayed open"
[ "$(head -n 1 "$folder/Settings/Quenzpref.prf")" = "$picture"$'\r' ] ||
    fail "Quenzpref.prf holds $(head -n 1 "$folder/Settings/Quenzpref.prf")"
pass "the Skin Manager saved the new picture in Quenzpref.prf"

sleep 1.2
import -window "$quenz" "$work/after.png"
convert "$work/after.png" -crop 18x60+36+50 +repage "$work/skin-after.png"
changed=$(compare -metric AE -fuzz 10% "$work/skin-before.png" "$work/skin-after.png" null: 2>&1 || true)
[ "${changed%%.*}" -gt 300 ] || fail "the skin between the bars barely changed ($changed of 1080 pixels)"
pass "the Quenz clock wears the new skin ($changed of 1080 pixels changed)"
