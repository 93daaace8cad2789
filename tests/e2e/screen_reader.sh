#!/usr/bin/env bash
# The real program as a screen reader user meets it, through the desktop's accessibility bus:
# Dov is opened from the launcher with the keyboard alone, its time is read from the
# accessibility tree, the Menu key and Shift+F10 open its menu, Escape closes a dialog, and every
# control a user can press in every window has a name.
set -euo pipefail

program=${1:?usage: screen_reader.sh PATH-TO-vrimclocks}
source "$(dirname "$0")/lib.sh"
reader() { /usr/bin/python3 "$(dirname "$0")/a11y.py" "$@"; }

start_x
start_accessibility_bus on
start_program "$program" "2026-12-07 10:37:00"
dismiss_advice
within 100 reader focus || fail "the program is not on the accessibility bus"

# Tab along the launcher's entries until the reader says Dov's has the focus (the first entry
# has it when the window is activated; Dov's is the fourth).
xdotool windowfocus --sync "$(windows_named "vRIM's")"
tabs=0
until [ "$(reader focus)" = "push button: Dov" ]; do
    ((++tabs <= 12)) || fail "Tab never reaches Dov's bar; the focus is on '$(reader focus)'"
    xdotool key Tab
done
xdotool key Return
within 50 shown dov || fail "Enter on Dov's bar did not open the clock"
pass "Tab reaches Dov's bar ($tabs presses) and Enter opens the clock"

# The program's clock runs on from 10:37:00; the face says the minute it has reached, read
# between two readings of that clock.
program_minute() {
    awk -v s="$started" -v n="$(date +%s.%N)" \
        'BEGIN{t = 10*3600 + 37*60 + int(n - s); printf "%02d:%02d", t/3600, (t%3600)/60}'
}
sleep 1
before=$(program_minute)
heard=$(reader time dov)
after=$(program_minute)
[ "$heard" = "$before" ] || [ "$heard" = "$after" ] ||
    fail "Dov's time reads '$heard' on the accessibility bus, not $before"
pass "Dov's time reads $heard"
[ "$(reader focus)" = "label: $heard" ] || fail "the opened clock's focus is on '$(reader focus)', not its time"
pass "the opened clock's focus is on its time, which a reader says first"
onTop=$(reader state dov onTop)
grep -qw checked <<<"$onTop" || fail "Dov's onTop button is not checked: $onTop"
grep -qx "light green" <<<"$onTop" || fail "Dov's onTop button does not say its colour: $onTop"
pass "Dov's onTop button is a checked check box, light green"

# An open menu is not in the tree: a reader hears of it when Down focuses its first item.
reader keys Menu Down >"$work/menu" || fail "the Menu key did not open Dov's menu"
grep -qx "Skin Manager" "$work/menu" || fail "Dov's menu reads: $(cat "$work/menu")"
grep -qx Quit "$work/menu" || fail "Dov's menu reads: $(cat "$work/menu")"
! grep -qx unnamed "$work/menu" || fail "an item of Dov's menu has no name: $(cat "$work/menu")"
reader unnamed || fail "a control of Dov has no name"
xdotool key Escape
reader keys shift+F10 Down >"$work/menu" || fail "Shift+F10 did not open Dov's menu"
grep -qx Quit "$work/menu" || fail "Dov's menu from Shift+F10 reads: $(cat "$work/menu")"
pass "the Menu key and Shift+F10 open Dov's menu, and every item has a name"

# Skin Manager is the second item; Escape closes the dialog.
xdotool key Escape key Menu Down Down Return
within 50 shown "Dov Skin Manager" || fail "the menu did not open the Skin Manager from the keyboard"
reader unnamed || fail "a control of Dov's Skin Manager has no name"
xdotool windowfocus --sync "$(windows_named "Dov Skin Manager")" key Escape
within 50 not_shown "Dov Skin Manager" || fail "Escape did not close the Skin Manager"
pass "the Skin Manager's controls have names and Escape closes it"

# Back to the launcher, then every other window it opens, and back again each time: by the
# window's own way out, pressed through the reader or with the keyboard.
back() {
    local title=$1 entry=$2
    case $entry in
    Dov | Vrim | norvi | lumbo) reader press "$title" Quit ;;
    Mip) reader press "$title" Exit ;;
    Osttrana) reader press "$title" Close ;;
    Help) reader press "$title" Back ;;
    Perrin) xdotool windowfocus --sync "$(windows_named "$title")" key ctrl+w ;; # the close shortcut
    *) xdotool windowfocus --sync "$(windows_named "$title")" key Menu Up Return ;; # Quit, Exit: last
    esac
    within 50 shown "vRIM's" || fail "no way back to the launcher from $entry"
    within 50 not_shown "$title" || fail "$entry's window stayed open"
}
back dov Dov
for entry in Vrim:vrimcolor norvi:norvi lumbo:lum-bo Quenz:Quenz Mip:Mip jolvex:Jolvex Perrin:Perrin \
    "Osttrana:Ostran Time" Ganto:Gantos Help:Help; do
    title=${entry#*:} entry=${entry%%:*}
    reader press "vRIM's" "$entry"
    within 50 shown "$title" || fail "the launcher's $entry did not open its window"
    reader unnamed || fail "a control of $title has no name"
    back "$title" "$entry"
done
pass "every control of every window has a name"
