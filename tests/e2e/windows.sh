#!/usr/bin/env bash
# The real program's own windows on one desktop, from its first start to its end; a part a "# ---" heading.
set -euo pipefail

program=${1:?usage: windows.sh PATH-TO-vrimclocks}
source "$(dirname "$0")/lib.sh"
reader() { /usr/bin/python3 "$(dirname "$0")/a11y.py" "$@"; }

# --- No display at all, then one that cannot be opened.
for display in "" ":97531"; do
    err=$(env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY="$display" "$program" 2>&1 >/dev/null) &&
        fail "started with DISPLAY='$display' it exited 0"
    [ "$(printf '%s\n' "$err" | wc -l)" -eq 1 ] || fail "DISPLAY='$display' printed: $err"
    grep -q "needs a graphical display" <<<"$err" || fail "unclear message: $err"
done
pass "without a display: one line, non-zero exit"

# A Daytime server: 6 December 2026 12:18:43 UTC as NIST words it, the connection left open and counted.
python3 - "$work" >"$work/server.log" 2>&1 <<'PY' &
import socket, sys
server = socket.create_server(("127.0.0.1", 0))
open(sys.argv[1] + "/port", "w").write(str(server.getsockname()[1]))
peers = []
while True:
    peers.append(server.accept()[0])
    peers[-1].sendall(b"\n61380 26-12-06 12:18:43 00 0 0 608.1 UTC(NIST) * \n")
    open(sys.argv[1] + "/asked", "w").write(str(len(peers)))
PY
pids+=($!)
within 50 test -s "$work/port" || fail "the Daytime server did not start: $(cat "$work/server.log")"
export VRIM_DAYTIME_SERVER="127.0.0.1:$(cat "$work/port")" TZ=Europe/Dublin XDG_RUNTIME_DIR="$work/runtime" \
    QT_LOGGING_RULES="vrim.nettime.info=true"
mkdir -m 700 "$XDG_RUNTIME_DIR"
start_x
start_sound_server
start_accessibility_bus on

# --- A first start that cannot make its settings folder: the splash, which needs none, then a
# message that says why; on Return everything closes and the program ends with a failure.
make_program_folder "$work/blocked" "$program"
echo "not a folder" >"$work/blocked/Settings"
"$work/blocked/vrimclocks" >"$work/out.log" 2>&1 &
pids+=($!)
not_splash() {
    local id
    for id in $(windows_named "Vrim Clocks"); do [ "$(size_of "$id")" = "450x285" ] || echo "$id"; done
}
has_message() { [ -n "$(not_splash)" ]; }
within 100 has_message || fail "no message about the settings folder"
box=$(not_splash | head -n 1)
xdotool windowfocus --sync "$box" key Return
await_exit "${pids[-1]}" || fail "the program kept running after the failed set-up"
[ "$status" -ne 0 ] || fail "a failed first start exited 0"
[ "$(cat "$work/blocked/Settings")" = "not a folder" ] || fail "the file in the settings folder's place changed"
pass "failed first start: message, non-zero exit, the way left as it was"

# --- The first start in a fresh program folder, in Dublin's winter (UTC).
start_program "$program" "2026-12-06 12:18:40" "$work/Vrim Clocks"
first=$app
within 100 shown "Vrim Clocks" || fail "no splash appeared"
splash=$(windows_named "Vrim Clocks" | head -n 1)
[ "$(size_of "$splash")" = "450x285" ] || fail "splash is $(size_of "$splash")"
count=$(find "$folder/Settings" -maxdepth 1 -type f -name '*.prf' | wc -l)
[ "$count" -eq 13 ] || fail "Settings holds $count files when the splash shows"
pass "first start wrote 13 settings files and shows the splash"

# The advice box comes on the tenth tick, twelve seconds in; the launcher once it is closed.
within 200 advice_box || fail "no advice box after the countdown"
shown "vRIM's" && fail "the launcher came before the box was closed"
dismiss_advice
launcher=$(windows_named "vRIM's")
within 30 gone "$splash" || fail "the splash stayed"

# Top-level windows from the top of the window manager's stack down.
stacking() { xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,//g' | tr ' ' '\n' | tac; }
hex() { printf '0x%x' "$1"; }
# Fails unless the window $1 (what: $3) is transient for the window $2.
transient_for() {
    xprop -id "$1" WM_TRANSIENT_FOR | grep -q "# $(hex "$2")\$" ||
        fail "$3 is not transient for its window: $(xprop -id "$1" WM_TRANSIENT_FOR)"
}
above() { [ "$(stacking | grep -x -e "$(hex "$1")" -e "$(hex "$2")" | head -n 1)" = "$(hex "$1")" ]; }
within 50 shown Help || fail "no help menu at the end of the splash"
menu=$(windows_named Help)
above "$launcher" "$menu" || fail "the help menu is in front of the launcher"
import -window "$menu" "$work/menu.png"
expect "$work/menu.png" 100 25 "255,255,192" "the help menu's first row"
pass "the splash's end: the advice box, then the launcher in front of the light yellow help menu"

# --- Ostran Time asks our server once and uses its open-ended line at once (not after 10 s): the
# local time by the zone database, which calls Dublin's winter time the standard one.
open_from_launcher 233 "Ostran Time"
shown "vRIM's" && fail "the launcher stayed open beside Ostran Time"
within 30 grep -q "UTC 12:18:43 local 12:18:43 PM" "$work/out.log" || fail "no local time 12:18:43 PM for UTC 12:18:43 within 3 s"
grep -qE "PC 12:1[89]:[0-9]{2} PM status Time from 127.0.0.1:[0-9]+, local time in GMT Standard Time" \
    "$work/out.log" || fail "the PC clock or status is wrong: $(grep status "$work/out.log")"
[ "$(cat "$work/asked")" = 1 ] || fail "the server was asked $(cat "$work/asked") times"
click_at "$clock" 320 193 # Close
within 50 shown "vRIM's" || fail "Close did not bring the launcher back"
pass "Ostran Time shows UTC 12:18:43, local 12:18:43 PM and the PC clock; Close brings the launcher back"

# --- Dov's Help item opens the Dov help page (the build's, or a small one of ours).
[ -s "$folder/Helps/dovHlp.rtf" ] ||
    printf '{\\rtf1\\ansi {\\b Dov} shows the time with two rows of lamps.\\par}' >"$folder/Helps/dovHlp.rtf"
open_from_launcher 110 dov
dov=$clock
open_from_menu "$dov" 74 42 1 "Vrim Clocks Help"
sleep 0.5
import -window "$dialog" "$work/page.png"
dark=$(convert "$work/page.png" -crop 299x397+18+0 +repage -threshold 50% \
    -format "%[fx:round(w*h*(1-mean))]" info:)
[ "$dark" -gt 200 ] || fail "the page shows only $dark dark pixels"
expect "$work/page.png" 5 200 "255,255,192" "the window's left margin"
pass "the Dov clock's Help item opened its page ($dark dark pixels of text)"

# Exit from the page $1 brings the help menu and the launcher, in front and active.
exit_page() {
    click_at "$1" 190 415 # Exit
    within 50 shown "vRIM's" || fail "no launcher after Exit"
    within 50 shown Help || fail "no help menu after Exit"
    within 30 gone "$1" || fail "the page window stayed"
    sleep 0.5 # for the window manager's placing and focus
    launcher=$(windows_named "vRIM's")
    above "$launcher" "$(windows_named Help)" || fail "the help menu is in front of the launcher after Exit"
    [ "$(xdotool getactivewindow)" = "$launcher" ] ||
        fail "the active window after Exit is \"$(xdotool getactivewindow getwindowname)\", not the launcher"
}
exit_page "$dialog"
# H E L P puts the help menu in the launcher's place; its row closes it: Exit opens both afresh.
click_at "$launcher" 123 140 # H E L P
within 30 not_shown "vRIM's" || fail "the launcher stayed after H E L P"
open_help_page
within 30 not_shown Help || fail "the help menu's row left the menu open"
exit_page "$(windows_named "Vrim Clocks Help")"
pass "Exit with the help menu open or with neither: the launcher in front and active"

# --- One running copy: with Lumbo open (the dialogs' cover), a second start brings the launcher forward.
click_at "$dov" 38 43 # Quit
within 50 gone "$dov" || fail "Dov's Quit left it open"
open_from_launcher 79 lum-bo
lumbo=$clock
# How many launchers, Lumbo clocks and splashes show.
census() { local name; for name in "vRIM's" lum-bo "Vrim Clocks"; do windows_named "$name" | wc -l; done | xargs; }
for nth in second third; do
    timeout 15 "$folder/vrimclocks" >"$work/second.log" 2>&1 ||
        fail "the $nth start exited $? (124: did not end): $(cat "$work/second.log")"
    within 50 shown "vRIM's" || fail "the running copy's launcher did not come forward"
    kill -0 "$first" || fail "the first copy ended"
    [ "$(census)" = "1 1 0" ] || fail "launchers, Lumbos and splashes after the $nth start: $(census)"
done
pass "a second start brought the launcher forward and exited 0; another, with it up, changed nothing"

# --- Dov's skin picture claims 30000 x 30000 pixels in 110 KB, its sound file is /dev/zero: it
# says so, one box at a time (the picture first), decodes nothing, and changes no settings file.
python3 - "$folder/Skins/bomb.jpg" <<'PY'
import struct, sys, zlib
def chunk(kind, data):
    return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
head, rows = struct.pack('>IIBBBBB', 30000, 30000, 1, 0, 0, 0, 0), zlib.compress(bytes(3751 * 30000), 9)
open(sys.argv[1], 'wb').write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', head) + chunk(b'IDAT', rows) + chunk(b'IEND', b''))
PY
cp "$folder/Settings/Dovpref.prf" "$folder/Settings/Dovspref.prf" "$work/"
printf '%s\r\n' "$folder/Skins/bomb.jpg" >"$folder/Settings/Dovpref.prf"
ln -sf /dev/zero "$folder/Settings/Dovspref.prf"
settings() (cd "$folder/Settings" && ls -l --time-style=+%s.%N && find . -type f -exec sha1sum {} +)
before=$(settings)
open_from_launcher 110 dov
one_warning() { [ "$(windows_named "Vrim Clocks" | wc -l)" -eq 1 ]; }
within 50 one_warning || fail "the clock did not say what is wrong with its picture"
sleep 0.5
one_warning || fail "more than one warning box at once"
box=$(windows_named "Vrim Clocks")
transient_for "$box" "$clock" "the first warning box"
xdotool windowfocus --sync "$box" key Return
next_warning() { one_warning && [ "$(windows_named "Vrim Clocks")" != "$box" ]; }
within 50 next_warning || fail "the clock did not say what is wrong with its sound file"
transient_for "$(windows_named "Vrim Clocks")" "$clock" "the second warning box, which waited"
peak=$(awk '/VmHWM/{print $2}' "/proc/$first/status")
[ "$peak" -lt 300000 ] || fail "the program's memory peaked at $peak KB: the picture was decoded?"
! grep -q "allocation limit" "$work/out.log" || fail "the picture reached the decoder"
xdotool windowfocus --sync "$(windows_named "Vrim Clocks")" key Return
within 50 not_shown "Vrim Clocks" || fail "the second warning box did not close"
click_at "$clock" 38 43 # Quit: back to the launcher
within 50 shown "vRIM's" || fail "Quit did not bring back the launcher (the clock is frozen?)"
[ "$before" = "$(settings)" ] || fail "the settings folder changed: $before / $(settings)"
pass "Dov said what is wrong with its picture, then its sound file; the picture refused unread (memory peak $((peak / 1024)) MB)"

# --- Every dialog opens above every on-top window, transient for its window; a click through Lumbo lands.
cp "$work/Dovpref.prf" "$folder/Settings/" # its own skin again; the sound file still /dev/zero
open_from_launcher 110 dov
dov=$clock
# Fails unless no on-top window lies above the window $1 (what: $2), transient for the window $3.
expect_in_front() {
    local id above=""
    for id in $(stacking | sed "/^$(hex "$1")\$/,\$d"); do
        xprop -id "$id" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE && above+=" $(xprop -id "$id" WM_NAME)"
    done
    [ -z "$above" ] || fail "on-top windows lie above $2:$above"
    transient_for "$1" "$3" "$2"
}
# Lays on-top Lumbo over the point $2,$3 of the window $1 (negative: from the far edge), clicks there.
click_through_lumbo() {
    local x y w h
    IFS=, read -r x y <<<"$(place_of "$1")"
    IFS=x read -r w h <<<"$(size_of "$1")"
    x=$((x + ($2 < 0 ? w : 0) + $2)) y=$((y + ($3 < 0 ? h : 0) + $3))
    xdotool windowmove --sync "$lumbo" $((x - 300)) $((y - 30))
    sleep 0.3
    click_at screen "$x" "$y"
}
within 50 shown "Vrim Clocks" || fail "no warning about Dov's sound settings file"
# Rows: what, how to open it ("-": open), its window's name, the window it came from, its closing button.
sm='$(windows_named "Dov Skin Manager")'
prefs='$(windows_named preff-ferendz)'
open_lumbo_prefs() { click_at "$lumbo" 589 61 && within 50 shown preff-ferendz; } # Pref
while IFS='|' read -r what opening name from x y; do
    [ "$opening" = - ] || eval "$opening"
    within 50 shown "$name" || fail "no $what"
    dialog=$(windows_named "$name" | head -n 1)
    sleep 0.5
    expect_in_front "$dialog" "$what" "$(eval echo "$from")"
    click_through_lumbo "$dialog" "$x" "$y"
    within 50 gone "$dialog" || fail "the click on $what's button did not land"
    pass "$what opened above every on-top clock, and a click on its button landed"
done <<ROWS
Dov's warning about its damaged sound file|-|Vrim Clocks|\$dov|-51|-23
the Skin Manager's warning about the same file|open_from_menu "\$dov" 74 42 2 "Dov Skin Manager"|Vrim Clocks|$sm|-51|-23
the Skin Manager's file chooser|click_at "$sm" 57 238|Open|$sm|-52|-23
the Skin Manager|-|Dov Skin Manager|\$dov|363|238
the help page|open_from_menu "\$dov" 74 42 1 "Vrim Clocks Help"|Vrim Clocks Help|\$dov|190|415
the about box|open_from_menu "\$dov" 74 42 4 "About Vrim Clocks"|About Vrim Clocks|\$dov|325|186
Lumbo's colour chooser|open_lumbo_prefs; click_at "$prefs" 62 26|Select Color|$prefs|-51|-23
Lumbo's preferences|-|preff-ferendz|\$lumbo|62|102
ROWS
reader press lum-bo Quit
reader press dov Quit
within 50 shown "vRIM's" || fail "no launcher after the clocks' Quit"
rm "$folder/Settings/Dovspref.prf"
cp "$work/Dovspref.prf" "$folder/Settings/"

# --- A screen reader: Tab along the launcher until it says Dov's entry has the focus, Enter.
within 100 reader focus || fail "the program is not on the accessibility bus"
xdotool windowfocus --sync "$(windows_named "vRIM's")"
tabs=0
until [ "$(reader focus)" = "push button: Dov" ]; do
    ((++tabs <= 12)) || fail "Tab never reaches Dov's bar; the focus is on '$(reader focus)'"
    xdotool key Tab
done
xdotool key Return
within 50 shown dov || fail "Enter on Dov's bar did not open the clock"

# The face says the program's minute, read between two readings of it.
program_minute() { date -d "@$(program_time)" +%H:%M; }
sleep 1
before=$(program_minute)
heard=$(reader time dov)
after=$(program_minute)
[ "$heard" = "$before" ] || [ "$heard" = "$after" ] ||
    fail "Dov's time reads '$heard' on the accessibility bus, not $before"
[ "$(reader focus)" = "label: $heard" ] || fail "the opened clock's focus is on '$(reader focus)', not its time"
onTop=$(reader state dov onTop)
grep -qw checked <<<"$onTop" || fail "Dov's onTop button is not checked: $onTop"
grep -qx "light green" <<<"$onTop" || fail "Dov's onTop button does not say its colour: $onTop"
pass "Tab reaches Dov's bar ($tabs presses), Enter opens it, the focus on its time $heard; onTop checked, light green"

# An open menu is not in the tree: the reader hears of it when Down focuses its first item.
reader keys Menu Down >"$work/menu" || fail "the Menu key did not open Dov's menu"
grep -qx "Skin Manager" "$work/menu" && grep -qx Quit "$work/menu" || fail "Dov's menu reads: $(cat "$work/menu")"
! grep -qx unnamed "$work/menu" || fail "an item of Dov's menu has no name: $(cat "$work/menu")"
reader unnamed || fail "a control of Dov has no name"
xdotool key Escape
reader keys shift+F10 Down >"$work/menu" || fail "Shift+F10 did not open Dov's menu"
grep -qx Quit "$work/menu" || fail "Dov's menu from Shift+F10 reads: $(cat "$work/menu")"

xdotool key Escape sleep 0.3 key Menu sleep 0.3 key Down Down Return # at a person's pace
within 50 shown "Dov Skin Manager" || fail "the menu did not open the Skin Manager from the keyboard"
reader unnamed || fail "a control of Dov's Skin Manager has no name"
xdotool windowfocus --sync "$(windows_named "Dov Skin Manager")" key Escape
within 50 not_shown "Dov Skin Manager" || fail "Escape did not close the Skin Manager"
pass "the Menu key and Shift+F10 open Dov's menu, every item named; Escape closes the Skin Manager"

# Back to the launcher from every window it opens, by the window's own way out: the reader or keys.
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

# --- Pipes for Dov's skin file and chime: it opens all the same, and the Exit bar ends the program
# (a pipe once held the sound loader and kept it alive), its settings files as they were.
rm "$folder/Settings/Dovpref.prf" "$folder/Settings/Dovspref.prf"
mkfifo "$folder/Settings/Dovpref.prf" "$folder/Sounds/pipe.wav"
printf '%s\r\n5 min\r\n' "$folder/Sounds/pipe.wav" >"$folder/Settings/Dovspref.prf"
before=$(settings)
open_from_launcher 110 dov
within 50 shown "Vrim Clocks" || fail "nothing said that the skin file is a pipe"
sleep 1 # let the player try the chime's pipe
click_at "$clock" 38 43 # Quit: back to the launcher
within 50 shown "vRIM's" || fail "Quit did not bring back the launcher (the clock is frozen?)"
click_at "$(windows_named "vRIM's")" 90 334 # the Exit bar
ends_well "$first" Exit
[ "$before" = "$(settings)" ] || fail "the settings folder changed: $before / $(settings)"
pass "Dov opened with pipes for its files, and the Exit bar ended the program"

# --- SIGTERM (logout) at the advice box, SIGINT and SIGHUP at the splash: it ends at once, status 0.
for request in TERM:advice INT:splash HUP:splash; do
    signal=${request%:*}
    "$folder/vrimclocks" >"$work/out.log" 2>&1 &
    pids+=($!)
    within 100 shown "Vrim Clocks" || fail "no splash before SIG$signal"
    [ "${request#*:}" = splash ] || within 200 advice_box || fail "no advice box before SIG$signal"
    before=$(settings)
    kill -"$signal" "${pids[-1]}"
    ends_well "${pids[-1]}" "SIG$signal at the ${request#*:}" 20
    [ "$(settings)" = "$before" ] || fail "SIG$signal at the ${request#*:} changed the settings files"
    within 20 not_shown "Vrim Clocks" || fail "a window stayed after SIG$signal"
done
pass "SIGTERM, SIGINT and SIGHUP end it at once with status 0, the settings files whole"

# --- A killed copy's socket left behind turns no start away; two starts at once make one copy.
"$folder/vrimclocks" >"$work/out.log" 2>&1 &
pids+=($!)
within 100 shown "Vrim Clocks" || fail "no splash at the next start"
kill -KILL "${pids[-1]}"
within 50 not_shown "Vrim Clocks" || fail "the killed copy's splash stayed"
"$folder/vrimclocks" >"$work/a.log" 2>&1 &
a=$!
"$folder/vrimclocks" >"$work/b.log" 2>&1 &
b=$!
pids+=("$a" "$b")
within 150 shown "Vrim Clocks" || fail "no splash after the killed copy: $(cat "$work/a.log" "$work/b.log")"
one_ended() { ! kill -0 "$a" || ! kill -0 "$b"; }
within 150 one_ended || fail "both starts kept running"
kill -0 "$a" && ended=$b || ended=$a
await_exit "$ended" && [ "$status" -eq 0 ] || fail "the start that handed over exited $status"
kill -0 "$a" || kill -0 "$b" || fail "neither start kept running"
[ "$(windows_named "Vrim Clocks" | wc -l)" -eq 1 ] || fail "more than one splash"
pass "after a killed copy, two starts at once made one copy"

# --- Every later start puts the last splash up through the X server before Qt is up. Held at
# Qt's platform plug-in (strace delays its opening), the screen shows it in the splash's place,
# the clock's hand at twelve; let go, Qt's splash opens over it and it is gone. A start that
# only brings a running copy forward shows no picture at all.
plugin=$(find /usr/lib -path '*/qt6/plugins/platforms/libqxcb.so' -print -quit)
[ -n "$plugin" ] || fail "no Qt xcb plug-in to hold a start at"
held_start() { # delay in µs; the start's pid in $held
    strace -o /dev/null -e trace=openat -e inject=openat:delay_enter="$1" -P "$plugin" \
        "$folder/vrimclocks" >"$work/held.log" 2>&1 &
    held=$!
    pids+=("$held")
}
# Viewable windows of ours without a name: the early picture.
early_pictures() {
    local id
    for id in $(xdotool search --onlyvisible --class '^Vrim Clocks$' 2>/dev/null); do
        [ -n "$(xdotool getwindowname "$id" 2>/dev/null)" ] || echo "$id"
    done
    return 0
}
has_early_picture() { [ -n "$(early_pictures)" ]; }
no_early_picture() { [ -z "$(early_pictures)" ]; }
# The picture kept for the next start, as a PNG: 56 bytes of header, then 450 x 285 RGB32 rows.
kept="$folder/Splash.kept"
[ -s "$kept" ] || fail "no splash kept beside Settings"
tail -c +57 "$kept" | convert -size 450x285 -depth 8 bgra:- -alpha off "$work/kept.png"
expect "$work/kept.png" 385 95 "40,40,60" "the kept splash's clock hand, at twelve as at the first paint,"
splash=$(windows_named "Vrim Clocks" | head -n 1)
import -window "$splash" "$work/splash-now.png"
# Alike but for the turning clock and the countdown, which moved on since the first paint.
still() { convert "$1" -fill black -draw "rectangle 330,60 439,169" -draw "rectangle 190,250 212,272" "$2"; }
still "$work/kept.png" "$work/kept-still.png"
still "$work/splash-now.png" "$work/splash-still.png"
differ=$(compare -metric AE "$work/kept-still.png" "$work/splash-still.png" null: 2>&1) || true
[ "$differ" = 0 ] || fail "the kept splash differs from the splash on the screen in $differ pixels"
splash_at=$(place_of "$splash")

kill -0 "$a" && running=$a || running=$b
held_start 1500000
within 12 has_early_picture && fail "a picture showed beside the running copy's splash"
await_exit "$held" 100 && [ "$status" -eq 0 ] || fail "a start beside the running copy did not hand over"
[ "$(windows_named "Vrim Clocks" | wc -l)" -eq 1 ] || fail "a second splash beside the running copy's"
kill -TERM "$running"
ends_well "$running" "SIGTERM"

held_start 3000000
within 25 has_early_picture || fail "no picture before Qt was up"
picture=$(early_pictures | head -n 1)
[ "$(place_of "$picture")" = "$splash_at" ] || fail "the picture shows at $(place_of "$picture"), the splash at $splash_at"
import -window root -crop "450x285+${splash_at/,/+}" +repage "$work/early.png"
differ=$(compare -metric AE "$work/kept.png" "$work/early.png" null: 2>&1) || true
[ "$differ" = 0 ] || fail "the early picture differs from the kept splash in $differ pixels"
within 150 shown "Vrim Clocks" || fail "no splash once Qt was up: $(cat "$work/held.log")"
within 10 no_early_picture || fail "the early picture stayed under the splash"
pass "a later start showed the kept splash in its place before Qt was up, then Qt's; beside a running copy, none"

# --- A kept splash cut short (a full disk, a crash of the file system): that start shows none,
# starts as ever, and keeps the splash whole again.
kill -TERM "$(pgrep -P "$held")"
ends_well "$held" "SIGTERM" # strace ends as its program did
size=$(stat -c %s "$kept")
kept_whole() { [ "$(stat -c %s "$kept")" = "$size" ]; }
truncate -s 100000 "$kept"
held_start 1500000
within 12 has_early_picture && fail "a picture showed from a kept file cut short"
within 150 shown "Vrim Clocks" || fail "no splash after a kept file cut short: $(cat "$work/held.log")"
within 30 kept_whole || fail "the kept splash is $(stat -c %s "$kept") bytes, not $size"
pass "a kept splash cut short: no early picture, the start as ever, the splash kept whole again"
