#!/usr/bin/env bash
# The real program: the Dov clock's Skin Manager, opened from its menu, takes a new picture
# through the file chooser and saves it; the clock then shows the new skin. The program keeps
# nothing outside its own folder: a fresh home folder stays empty.
set -euo pipefail

program=${1:?usage: dov_skin.sh PATH-TO-vrimclocks}
source "$(dirname "$0")/lib.sh"

start_x
export HOME="$work/home"
mkdir -p "$HOME"
unset XDG_CONFIG_HOME XDG_CACHE_HOME XDG_DATA_HOME XDG_STATE_HOME
# A desktop session has a runtime folder; without one the sound library keeps a link to its
# stand-in under the home folder.
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
start_program "$program"
dismiss_advice
open_from_launcher 110 dov
dov=$clock
sleep 0.5
import -window "$dov" "$work/before.png"

# "Preferences" answers the left button going down; "Skin Manager" is its second item.
open_from_menu "$dov" 74 42 2 "Dov Skin Manager"

picture="$folder/Skins/Vrim/nochistar.jpg"
[ -f "$picture" ] || fail "the installation lacks $picture"
click_at "$dialog" 57 238 # View
within 50 shown Open || fail "no file chooser"
chooser=$(windows_named Open)
xdotool windowfocus --sync "$chooser" type --delay 5 "$picture"
xdotool key Return
within 50 bash -c "! xdotool search --name '^Open\$' >/dev/null" || fail "the chooser stayed open"
click_at "$dialog" 263 238 # Ok
within 50 bash -c "! xwininfo -id $dialog 2>/dev/null | grep -q IsViewable" || fail "the dialog stayed open"
[ "$(head -n 1 "$folder/Settings/Dovpref.prf")" = "$picture"$'\r' ] ||
    fail "Dovpref.prf holds $(head -n 1 "$folder/Settings/Dovpref.prf")"
pass "the Skin Manager saved the new picture"

sleep 1.2
import -window "$dov" "$work/after.png"
changed=$(compare -metric AE -fuzz 10% "$work/before.png" "$work/after.png" null: 2>&1 || true)
[ "${changed%%.*}" -gt 3000 ] || fail "the face barely changed ($changed pixels)"
pass "the Dov clock shows the new skin ($changed pixels changed)"

written=$(cd "$HOME" && find . -mindepth 1 | head -n 5)
[ -z "$written" ] || fail "the program wrote into the home folder: $(echo $written)"
pass "the home folder is still empty"
