#!/usr/bin/env bash
# The real program's help: the splash's end leaves the help menu open behind the launcher; the
# Dov clock's Help item opens the help page window on the Dov page, which is rendered into the
# window; its Exit brings back the launcher in front of the help menu, whether the menu was open
# or not.
set -euo pipefail

program=${1:?usage: help.sh PATH-TO-vrimclocks}
source "$(dirname "$0")/lib.sh"

start_x
start_program "$program"
# The installation's Dov page, or a small one of ours where the build has none.
[ -s "$folder/Helps/dovHlp.rtf" ] ||
    printf '{\\rtf1\\ansi {\\b Dov} shows the time with two rows of lamps.\\par}' >"$folder/Helps/dovHlp.rtf"

# Top-level windows from the top of the stack down, as the window manager stacks them.
stacking() { xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,//g' | tr ' ' '\n' | tac; }
# Answers whether the window $1 is stacked above the window $2.
above() {
    local a b
    a=$(stacking | grep -n -x "$(printf '0x%x' "$1")" | cut -d: -f1)
    b=$(stacking | grep -n -x "$(printf '0x%x' "$2")" | cut -d: -f1)
    [ -n "$a" ] && [ -n "$b" ] && [ "$a" -lt "$b" ]
}

dismiss_advice
within 50 shown Help || fail "no help menu at the end of the splash"
menu=$(windows_named Help)
launcher=$(windows_named "vRIM's")
above "$launcher" "$menu" || fail "the help menu is in front of the launcher"
[ "$(size_of "$menu")" = "124x312" ] || fail "the help menu is $(size_of "$menu")"
pass "the splash's end: the help menu, and the launcher in front of it"

# The help menu's rows are light yellow.
import -window "$menu" "$work/menu.png"
expect "$work/menu.png" 100 25 "255,255,192" "the first row"

open_from_launcher 110 dov
open_from_menu "$clock" 74 42 1 "Vrim Clocks Help"
page=$dialog
[ "$(size_of "$page")" = "322x429" ] || fail "the help page window is $(size_of "$page")"
sleep 0.5
import -window "$page" "$work/page.png"
# The text box (18,0 299x397) holds the page: dark text on white.
dark=$(convert "$work/page.png" -crop 299x397+18+0 +repage -threshold 50% \
    -format "%[fx:round(w*h*(1-mean))]" info:)
[ "$dark" -gt 200 ] || fail "the page shows only $dark dark pixels"
expect "$work/page.png" 5 200 "255,255,192" "the window's left margin"
pass "the Dov clock's Help item opened its page ($dark dark pixels of text)"

# Exit from the page $1: the launcher and the help menu, the launcher in front of the help menu
# and the active window; the page window is gone.
exit_page() {
    click_at "$1" 190 415 # Exit, at 2280,6000 twips
    within 50 shown "vRIM's" || fail "no launcher after Exit"
    within 50 shown Help || fail "no help menu after Exit"
    within 30 bash -c "! xwininfo -id $1 2>/dev/null | grep -q IsViewable" || fail "the page window stayed"
    sleep 0.5 # whatever the window manager was going to place or focus, it has
    local launcher
    launcher=$(windows_named "vRIM's")
    above "$launcher" "$(windows_named Help)" || fail "the help menu is in front of the launcher after Exit"
    [ "$(xdotool getactivewindow)" = "$launcher" ] ||
        fail "the active window after Exit is \"$(xdotool getactivewindow getwindowname)\", not the launcher"
}
exit_page "$page"
pass "Exit with the help menu open: the launcher in front and active"

# H E L P puts the help menu in the launcher's place; a page opened from the menu's row, which
# closes the menu, leaves neither open: Exit opens both afresh.
click_at "$(windows_named "vRIM's")" 123 140 # H E L P
within 30 not_shown "vRIM's" || fail "the launcher stayed after H E L P"
open_help_page
within 30 not_shown Help || fail "the help menu's row left the menu open"
exit_page "$(windows_named "Vrim Clocks Help")"
pass "Exit with neither open: the launcher in front and active"
