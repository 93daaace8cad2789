#!/usr/bin/env bash
# The clocks on a desktop of their own (Xvfb, openbox, a PulseAudio null sink), at faked times:
#  - Dov alone stays silent while its Skin Manager is open across 09:55:00, and takes a new
#    picture through the file chooser: the file says so, the face changes, the home stays empty;
#  - every window opened together: each clock shows, right after opening and to the pixel, the
#    face the program's own face logic draws (tools/faces, vrim_faces; tst_faces proves that
#    logic), and every clock that chimes is heard at 10:05:00;
#  - the clock set back an hour, on across noon, on across midnight and back: every clock shows
#    the face of a window opened at the new time, and no setting sounds a chime;
#  - each design's own pointer controls, with a person's timing, through the window manager.
set -euo pipefail

program=${1:?usage: clocks.sh PATH-TO-vrimclocks PATH-TO-vrim_faces}
faces=${2:?usage: clocks.sh PATH-TO-vrimclocks PATH-TO-vrim_faces}
source "$(dirname "$0")/lib.sh"
[ -x "$faces" ] || fail "no $faces: build the vrim_faces target"

start_x
start_sound_server
# A fresh home folder, which the program must leave empty. A desktop session has a runtime folder;
# without one the sound library keeps a link to its stand-in under the home folder.
export HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset XDG_CONFIG_HOME XDG_CACHE_HOME XDG_DATA_HOME XDG_STATE_HOME
export TZ=UTC QT_LOGGING_RULES="vrim.chime.info=true;vrim.stopwatch.info=true" VRIM_DAYTIME_SERVER=127.0.0.1:1

# Sets the program's clock on to the next time of day $1 ("HH:MM:SS").
set_clock_to() {
    jump_clock "$(awk -v t="$(program_time)" -v at="$1" 'BEGIN{
        split(at, p, ":"); d = p[1] * 3600 + p[2] * 60 + p[3] - t % 86400
        printf "%.3f", d < 0 ? d + 86400 : d }')"
}
# Seconds from now to the program's next time of day $1.
seconds_until() {
    awk -v t="$(program_time)" -v at="$1" 'BEGIN{
        split(at, p, ":"); d = p[1] * 3600 + p[2] * 60 + p[3] - t % 86400
        printf "%.2f", d < -1 ? d + 86400 : d }'
}
# Whether the number $1 lies between $2 and $3.
between() { awk -v v="$1" -v lo="$2" -v hi="$3" 'BEGIN{exit !(v >= lo && v <= hi)}'; }
# When the sound recorded in $1 begins, in seconds from the recording's start.
onset_of() {
    local rest
    rest=$(sox "$1" -n silence 1 0.005 1% stat 2>&1 | awk '/Length \(seconds\)/{print $3}')
    awk -v t="$(soxi -D "$1")" -v r="$rest" 'BEGIN{printf "%.2f", t - r}'
}
gone() { ! viewable "$1"; }
at_place() { [ "$(place_of "$1")" = "$2" ]; }
chimes() { grep -c 'vrim.chime' "$work/out.log" || true; }

# --- The faces the program's own logic draws.

# Draws the faces of every clock opened at each second from $1 to $2 and passed second by second
# to $3, into $work/faces-<opening second>/<window>-HHMMSS.png.
draw_faces() {
    local o t args
    for ((o = $1; o <= $2; o++)); do
        args=()
        for ((t = o; t <= $3; t++)); do args+=("$(date -u -d "@$t" +%T)"); done
        rm -rf "$work/faces-$o"
        mkdir -p "$work/faces-$o"
        QT_QPA_PLATFORM=offscreen "$faces" "$folder" "$work/faces-$o" "${args[@]}" >"$work/faces.log" 2>&1 ||
            fail "vrim_faces: $(tail -n 3 "$work/faces.log")"
    done
}
# The fewest pixels in which the clock $1, in the picture $2 of its window, differs from a face
# drawn for a window opened at a second from $3 to $4 and seen at a second from $5 to $6. Perrin
# is compared inside its oval (its picture and minutes), for outside it the screen shows what lies
# below. With $7 "keep", Norvi's afternoon indicator is left out: after the clock is set it keeps
# the half of the day the window was opened in, on purpose. A few pixels of text may differ with
# the font engine; the smallest lamp or marker of another time differs in 60 or more.
fewest_differing() {
    local name=$1 o s face m best=999999 cut=() keep=()
    [ "$name" = Perrin ] && cut=(-crop 60x50+36+40 +repage)
    [ "$name" = norvi ] && [ "${7:-}" = keep ] && keep=(-fill black -draw "rectangle 51,181 60,192")
    convert "$2" "${cut[@]}" "${keep[@]}" "$work/seen.png"
    for ((o = $3; o <= $4; o++)); do
        for ((s = $5 > o ? $5 : o; s <= $6; s++)); do
            face="$work/faces-$o/${name/lum-bo/lumbo}-$(date -u -d "@$s" +%H%M%S).png"
            [ -f "$face" ] || continue
            convert "$face" "${cut[@]}" "${keep[@]}" "$work/drawn.png"
            m=$(compare -metric AE -fuzz 12% "$work/seen.png" "$work/drawn.png" null: 2>&1 || true)
            m=${m%% *}
            [[ $m =~ ^[0-9]+$ ]] && ((m < best)) && best=$m
            ((best > 10)) || break 2
        done
    done
    echo "$best"
}
is_clock() { [[ " ${clocks[*]} " == *" $1 "* ]]; }

# Called by open_every_window as each window opens ($2: the real time before its entry was used).
# A clock shows the face of a window opened in the second of the click or the next, passed on to
# the second of the screenshot; one that is still being painted gets a few more tries. Perrin
# opens at its place, a pixel further left once a new minute has begun.
window_opened() {
    local name=$1 from to before after best attempt id
    is_clock "$name" || return 0
    id=$(windows_named "$name")
    from=$(awk -v t="$2" -v o="$clock_offset" 'BEGIN{printf "%d", t + o}')
    to=$(program_time)
    to=${to%.*}
    for attempt in 1 2 3 4 5 6; do
        before=$(program_time)
        import -window "$id" "$work/window.png"
        after=$(program_time)
        draw_faces "$from" "$to" $((${after%.*} + 1))
        best=$(fewest_differing "$name" "$work/window.png" "$from" "$to" "${before%.*}" $((${after%.*} + 1)))
        ((best > 10)) || break
        sleep 0.3
    done
    echo "  $name, opened: $best pixels unlike a fresh window" >&2
    ((best <= 10)) || fail "$name opened showing $best pixels unlike the face drawn for its time"
    if [ "$name" = Perrin ] && [ "$(place_of "$id")" != 657,406 ]; then
        [ "$(place_of "$id")" = 656,406 ] && ((from / 60 != ${after%.*} / 60)) ||
            fail "Perrin opened at $(place_of "$id"), not 657,406"
    fi
}

# After the clock was set ($1 says how; $2 is the program's time just after): a screenshot of
# every clock at once, each compared with the face of a window opened at the new time.
faces_after_setting() {
    local label=$1 landed=${2%.*} before after name x y w h best
    sleep 1.3
    for name in "${clocks[@]}"; do
        xwininfo -id "$(windows_named "$name")" | awk -v n="$name" '
            /Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
            /Width:/{w=$2} /Height:/{h=$2} END{print n, x, y, w, h}'
    done >"$work/geometry"
    before=$(program_time)
    import -window root "$work/shot.png"
    after=$(program_time)
    draw_faces "$landed" $((landed + 1)) $((${after%.*} + 1))
    while read -r name x y w h; do
        convert "$work/shot.png" -crop "${w}x${h}+$x+$y" +repage "$work/window.png"
        best=$(fewest_differing "$name" "$work/window.png" "$landed" $((landed + 1)) "${before%.*}" $((${after%.*} + 1)) keep)
        echo "  $label: $name differs from a fresh window in $best pixels" >&2
        ((best <= 10)) || fail "$label: $name shows $best pixels unlike a window opened at the new time"
    done <"$work/geometry"
    pass "$label: every clock shows the face of a window opened at the new time"
}

# --- The pointer controls.

# One control: the gesture $4 at $2,$3 in the window named $1, then the keys $5 (xdotool's names
# joined by "+", "-" for none), then the check $6 with the rest as its arguments and the window's
# id first. A check's before_ step, where there is one, runs ahead of the gesture.
control() {
    local name=$1 x=$2 y=$3 gesture=$4 keys=$5 check=$6 id
    shift 6
    id=$(windows_named "$name")
    [ -n "$id" ] || fail "no $name window to use at $x,$y"
    if declare -F "before_$check" >/dev/null; then "before_$check" "$id" "$@"; fi
    case $gesture in
    click) click_at "$id" "$x" "$y" ;;
    slow_click) press_ms=150 click_at "$id" "$x" "$y" ;; # a slow hand
    double_click) double_click_at "$id" "$x" "$y" ;;
    slow_double_click) press_ms=150 double_click_at "$id" "$x" "$y" ;;
    menu) # the menu opens as the button goes down and stays open after it comes up
        press_at "$id" "$x" "$y"
        sleep 0.3
        release_button
        ;;
    drag) # a person's small steps, -200,150 in all
        press_at "$id" "$x" "$y"
        for _ in 1 2 3 4 5 6 7 8 9 10; do
            xdotool mousemove_relative -- -20 15
            sleep 0.03
        done
        sleep 0.1
        release_button
        ;;
    *) fail "no gesture $gesture" ;;
    esac
    if [ "$keys" != - ]; then
        sleep 0.5
        xdotool key ${keys//+/ }
    fi
    "$check" "$id" "$@"
    [ "$keys" = - ] && keys=""
    pass "$name, $gesture at $x,$y${keys:+ then $keys}: $check $*"
}

# The window named $2 opens.
shows() { within 50 shown "$2" || fail "no $2 window"; }
# The window closes and the launcher comes back.
back_to_launcher() {
    within 50 shown "vRIM's" || fail "no launcher after closing $(xdotool getwindowname "$1" 2>/dev/null)"
    within 30 gone "$1" || fail "the window stayed open"
}
launcher_gone() { within 50 gone "$1" || fail "the launcher stayed open"; }
# The window named $2 opens and closes on Return.
opens_box() {
    shows "$1" "$2"
    xdotool windowfocus --sync "$(windows_named "$2")" key Return
    within 50 not_shown "$2" || fail "$2 stayed open after Return"
}
closes() { within 50 gone "$1" || fail "the window stayed open"; }

# Norvi's Secs/No Secs: the seconds lamps (the column at x 37) go out and stay out.
seconds_red() { import -window "$1" -crop 1x224+37+0 +repage -depth 8 txt:- | grep -q "#FF0000"; }
before_seconds_out() { within 20 seconds_red "$1" || fail "Norvi shows no second to put out"; }
no_seconds() { ! seconds_red "$1"; }
seconds_out() {
    within 15 no_seconds "$1" || fail "a seconds lamp is still red"
    sleep 1.1
    ! seconds_red "$1" || fail "a seconds lamp is red again"
}

# Vrimcolor's move button: a press and release in place is a drag that went nowhere, after which
# the clock reloads its settings at once, and shows the skin its file now names.
skin_strip() { import -window "$1" -crop 40x14+40+4 +repage "$work/strip.$2.png"; }
strip_changed() { skin_strip "$1" after && [ "$(compare -metric AE "$work/strip.before.png" "$work/strip.after.png" null: 2>&1)" != 0 ]; }
before_reloads_skin() {
    skin_strip "$1" before
    place=$(place_of "$1")
    printf '%s\r\n' "$folder/Skins/Vrim/sunfel.bmp" >"$folder/Settings/vrimcpref.prf"
    sleep 1.5 # no pass may pick the file up before the click
    ! strip_changed "$1" || fail "the skin changed before the move button was clicked"
}
reloads_skin() {
    within 15 strip_changed "$1" || fail "the click did not reload the skin within 1.5 s"
    [ "$(place_of "$1")" = "$place" ] || fail "the click moved the clock to $(place_of "$1")"
}

# Jolvex's Seconds Display > Led: a blinking LED at 47,14 instead of the seconds bar, whose column
# (x 33) the hour bars then fill as they fill x 15.
led_at() { rgb_at "$1" 47 14; }
led_lit() {
    import -window "$1" "$work/jolvex.png"
    case $(led_at "$work/jolvex.png") in "0,255,0" | "255,0,10") ;; *) return 1 ;; esac
    convert "$work/jolvex.png" -crop 1x37+15+6 +repage "$work/hours.png"
    convert "$work/jolvex.png" -crop 1x37+33+6 +repage "$work/seconds.png"
    [ "$(compare -metric AE "$work/hours.png" "$work/seconds.png" null: 2>&1)" = 0 ]
}
led_changed() { led_lit "$1" && [ "$(led_at "$work/jolvex.png")" != "$led" ]; }
before_led_blinks() {
    import -window "$1" "$work/jolvex.png"
    ! led_lit "$1" || fail "an LED shows in bar mode"
}
led_blinks() {
    within 20 led_lit "$1" || fail "no LED, or the hour bars do not fill the seconds' column"
    led=$(led_at "$work/jolvex.png")
    within 25 led_changed "$1" || fail "the LED stayed $led"
}

# Lumbo's preff-ferendz: a colour typed into Qt's colour chooser (Alt+H selects its HTML field)
# shows on the running clock's window at once, its bar keeps lumbi.prf's; Zeive writes the file.
before_chosen_colour_shows() { xdotool windowmove --sync "$1" 100 300; } # off the clock
chosen_colour_shows() {
    shows "$1" "Select Color"
    xdotool windowfocus --sync "$(windows_named "Select Color")"
    sleep 0.3
    xdotool key alt+h
    sleep 0.2
    xdotool type "#fafa00"
    xdotool key Return
    within 50 not_shown "Select Color" || fail "the colour chooser stayed open"
    sleep 0.3
    import -window "$(windows_named lum-bo)" "$work/lumbo.png"
    expect "$work/lumbo.png" 300 60 "250,250,0" "Lumbo's window after choosing #fafa00"
    expect "$work/lumbo.png" 6 50 "36,78,100" "Lumbo's bar after choosing an outer colour"
}
lumbi_saved() {
    closes "$1"
    [ "$(od -c <"$folder/Settings/lumbi.prf")" = "$(printf ' 6573604 \r\n 64250 \r\n 0 \r\n 1 \r\n' | od -c)" ] ||
        fail "lumbi.prf holds $(od -c <"$folder/Settings/lumbi.prf")"
}

# Mip's move button: a drag moves the window by just the pointer's way, with no jump when the
# window manager takes over past the drag distance.
before_moved_by() { place=$(place_of "$1"); }
moved_by() {
    local x y
    IFS=, read -r x y <<<"$place"
    within 30 at_place "$1" "$((x + $2)),$((y + $3))" ||
        fail "a drag by $2,$3 moved the window from $place to $(place_of "$1")"
    sleep 1 # the window manager's move is over
}

# Perrin: inside its rectangle but outside the oval, a click reaches the window below.
before_reaches_below() {
    read -r px py <<<"$(place_of "$1" | tr , ' ')"
    point_at screen $((px + $2)) $((py + $3))
    sleep 0.2
    ! pointer_over "$1" || fail "at $2,$3 the pointer is over Perrin"
}
reaches_below() {
    within 20 grep -q "root:($((px + $2)),$((py + $3)))" "$work/below.log" ||
        fail "the window below got no click at $2,$3: $(grep -c ButtonPress "$work/below.log") clicks"
    [ "$(place_of "$1")" = "$px,$py" ] || fail "a click outside the oval moved Perrin"
    point_at "$1" 66 100
    sleep 0.2
    pointer_over "$1" || fail "inside the oval the pointer is not over Perrin"
}

# Gantos: what the window shows, read back from its controls, is a log line whenever it changes;
# field $2 of such a line $1 is the quoted texts in order (clock, button, then started, stopped,
# hours, minutes and seconds for each column, then the synchronised button).
field() { grep -o "'[^']*'" <<<"$1" | sed -n "${2}p" | tr -d "'"; }
said_since() { tail -n +"$mark" "$work/out.log" | grep -q "$1"; }
before_says() { mark=$(($(wc -l <"$work/out.log") + 1)); }
says() { within 30 said_since "'$2'" || fail "the synchronised button did not turn to $2"; }
state() { grep 'vrim.stopwatch' "$work/out.log" | tail -n 1; }
# Both stopwatches stopped together, and their seconds boxes look the same and show a number.
before_stopped_alike() { before_says; }
stopped_alike() {
    local s differ dark
    says "$1" "Sincronized Reset"
    s=$(state)
    [ "$(field "$s" 3)" = "$(field "$s" 10)" ] && [ "$(field "$s" 7)" = "$(field "$s" 14)" ] ||
        fail "the two stopwatches differ: $s"
    import -window "$1" "$work/ganto.png"
    convert "$work/ganto.png" -crop 123x22+72+192 +repage "$work/left.png"
    convert "$work/ganto.png" -crop 123x22+267+192 +repage "$work/right.png"
    differ=$(compare -metric AE "$work/left.png" "$work/right.png" null: 2>&1 || true)
    [ "$differ" = 0 ] || fail "the seconds boxes differ in $differ pixels"
    dark=$(convert "$work/left.png" -threshold 50% -format "%[fx:round(w*h*(1-mean))]" info:)
    [ "$dark" -gt 10 ] || fail "the seconds box shows no number"
}
# Started a little before midnight; while they run the clock is set on 1 s eight times.
before_run_while_set() {
    before_says
    set_clock_to 23:59:56
    run_from=$(date +%s.%N)
}
run_while_set() {
    says "$1" "Sincronized Stop"
    for _ in 1 2 3 4 5 6 7 8; do
        sleep 0.6
        jump_clock 1
    done
}
# The count is the time that really went by: under the whole time between the clicks plus one,
# and a slow click may cost a second at the start. The stamps, across midnight, are the time of
# day: their distance is the count and the eight seconds the clock was set on.
before_counted_real_time() { before_says; }
counted_real_time() {
    local s column started stopped counted span really
    says "$1" "Sincronized Reset"
    really=$(awk -v a="$run_from" -v b="$(date +%s.%N)" 'BEGIN{printf "%.1f", b - a}')
    s=$(state)
    echo "  $s" >&2
    for column in 0 7; do
        started=$(field "$s" $((column + 3)))
        stopped=$(field "$s" $((column + 4)))
        counted=$(field "$s" $((column + 7)))
        [[ $started =~ ^23:59:5[0-9]\ \ $ && $stopped =~ ^00:00:[0-9]{2}\ \ $ ]] ||
            fail "column $column ran from '$started' to '$stopped', not across midnight"
        span=$(((10#${stopped:6:2} + 60 - 10#${started:6:2}) % 60))
        awk -v c="$counted" -v r="$really" 'BEGIN{exit !(c >= r - 1.5 && c < r + 1.05)}' ||
            fail "column $column counted $counted s in $really s while the clock was set on 8 s"
        between $((span - counted)) 6 10 || fail "column $column counted $counted s between $started and $stopped"
        [ "$(field "$s" $((column + 5)))" = 0 ] && [ "$(field "$s" $((column + 6)))" = 0 ] ||
            fail "hours and minutes of a short run: $s"
    done
    [ "$(field "$s" 7)" = "$(field "$s" 14)" ] || fail "the two stopwatches differ: $s"
}
# About: Gantos moves to 7000 twips from the left at its height, the about box opens at 1100,
# 2500 twips. A window placed before it is first shown is placed by its inside: the frame goes
# around it.
before_about_placed() { place=$(frame_place_of "$1"); }
about_placed() {
    shows "$1" "About Vrim Clocks"
    local box
    box=$(windows_named "About Vrim Clocks")
    [ "$(frame_place_of "$1")" = "467,${place#*,}" ] || fail "Gantos went from $place to $(frame_place_of "$1") after About"
    [ "$(frame_place_of "$box")" = 73,167 ] || [ "$(place_of "$box")" = 73,167 ] ||
        fail "the about box is at $(frame_place_of "$box")"
    xdotool windowfocus --sync "$box" key Return
    within 50 not_shown "About Vrim Clocks" || fail "OK did not close the about box"
}

# ============================================================================================
# Dov alone, from 09:52.
start_program "$program" "2026-12-07 09:52:00"
dismiss_advice
open_from_launcher 110 dov
dov=$clock
sleep 0.5
import -window "$dov" "$work/dov.before.png"
control dov 74 42 menu Down+Down+Return shows "Dov Skin Manager"
dialog=$(windows_named "Dov Skin Manager")

# Its Skin Manager open across 09:55:00: the null sink records nothing until the dialog's Test.
start_recording "$work/quiet.wav"
set_clock_to 09:54:58
sleep "$(seconds_until 09:55:04)" # past the due moment, the chime's length
stop_recording
peak=$(peak_of "$work/quiet.wav")
awk -v p="$peak" 'BEGIN{exit !(p < 0.01)}' || fail "the clock chimed over its Skin Manager (peak $peak)"
start_recording "$work/test.wav"
click_at "$dialog" 363 54 # Test
sleep 2.5
stop_recording
test_peak=$(peak_of "$work/test.wav")
awk -v p="$test_peak" 'BEGIN{exit !(p > 0.05)}' || fail "the dialog's Test was not heard (peak $test_peak)"
pass "silent while the Skin Manager was open across 09:55:00 (peak $peak); its Test heard (peak $test_peak)"

# A new picture through the file chooser, saved: the clock wears it.
picture="$folder/Skins/Vrim/nochistar.jpg"
control "Dov Skin Manager" 57 238 click - shows Open # View
xdotool windowfocus --sync "$(windows_named Open)" type --delay 5 "$picture"
xdotool key Return
within 50 not_shown Open || fail "the chooser stayed open"
control "Dov Skin Manager" 263 238 click - closes # Ok
[ "$(head -n 1 "$folder/Settings/Dovpref.prf")" = "$picture"$'\r' ] ||
    fail "Dovpref.prf holds $(head -n 1 "$folder/Settings/Dovpref.prf")"
dov_changed() {
    import -window "$dov" "$work/dov.after.png"
    changed=$(compare -metric AE -fuzz 10% "$work/dov.before.png" "$work/dov.after.png" null: 2>&1 || true)
    [ "${changed%%.*}" -gt 3000 ]
}
within 30 dov_changed || fail "the face barely changed ($changed pixels)"
pass "the Skin Manager saved the new picture; the clock wears it ($changed pixels changed)"
control dov 38 43 click - back_to_launcher # Quit

# ============================================================================================
# Every window open, each clock compared as it opens (window_opened), then laid out side by side;
# past the due minute first, for Dov chimes at any second of it, even as it opens.
set_clock_to 09:56:00
open_every_window
lay_out_every_window

# Every clock that chimes by default ("5 min") is heard at 10:05:00, where the recording has it.
start_recording "$work/chime.wav"
set_clock_to 10:04:57
due=$(seconds_until 10:05:00)
sleep "$(awk -v d="$due" 'BEGIN{print d + 3.5}')" # past 10:05:00 and through most of the chime
stop_recording
peak=$(peak_of "$work/chime.wav")
awk -v p="$peak" 'BEGIN{exit !(p > 0.05)}' || fail "the recording is silent (peak $peak)"
# The program's pass, its player and the sound server each add a little delay.
onset=$(onset_of "$work/chime.wav")
between "$onset" "$(awk -v d="$due" 'BEGIN{print d - 0.5}')" "$(awk -v d="$due" 'BEGIN{print d + 1}')" ||
    fail "the chime began ${onset}s after recording started, not at 10:05:00 (${due}s)"
for design in Vrimcolor Norvi Dov Quenz Mip Jolvex; do
    grep -q "chime $design 2026-12-07 10:05:00" "$work/out.log" || fail "$design did not chime: $(grep chime "$work/out.log")"
done
[ "$(grep -c 'vrim.chime.*10:05:00' "$work/out.log")" = 6 ] || fail "chimes: $(grep chime "$work/out.log")"
chimed=$(chimes)
pass "six clocks chimed at 10:05:00: heard ${onset}s after recording started, due at ${due}s (peak $peak)"

# ============================================================================================
# The clock set back an hour, on across noon, on across midnight and back across it.
jump_clock -3600
faces_after_setting "set back an hour" "$(program_time)"
jump_clock $((6 * 3600 + 26 * 60)) # about 15:31
faces_after_setting "set on across noon" "$(program_time)"
jump_clock $((8 * 3600 + 20 * 60)) # about 23:51
sleep 1
set_clock_to 00:10:00
faces_after_setting "set on across midnight" "$(program_time)"
jump_clock -1800 # about 23:40
faces_after_setting "set back across midnight" "$(program_time)"
[ "$(chimes)" = "$chimed" ] || fail "setting the clock sounded chimes: $(grep chime "$work/out.log")"
pass "no setting of the clock sounded a chime"

# ============================================================================================
# Perrin creeps left at each new minute, 5.833 twips at a time, from where it was put (here by
# the window manager, as by the user): the first new minute leaves it on its pixel, the second
# reaches the next one to the left.
perrin=$(windows_named Perrin)
xdotool windowmove --sync "$perrin" 1030 590
new_minute() { (($(date -u -d "@$(program_time | cut -d. -f1)" +%M) != $1)); }
minute=$(date -u -d "@$(program_time | cut -d. -f1)" +%M)
set_clock_to "$(date -u -d "@$(program_time | cut -d. -f1)" +%H:%M):59"
within 30 new_minute "$minute" || fail "no new minute"
sleep 0.5
[ "$(place_of "$perrin")" = 1030,590 ] || fail "at the first new minute Perrin went to $(place_of "$perrin")"
minute=$(date -u -d "@$(program_time | cut -d. -f1)" +%M)
set_clock_to "$(date -u -d "@$(program_time | cut -d. -f1)" +%H:%M):59"
within 30 at_place "$perrin" 1029,590 || fail "at the second new minute Perrin is at $(place_of "$perrin")"
pass "Perrin crept from where it was put: 1030,590, then 1029,590"

# A window below Perrin that writes down the clicks it gets, its inside over all of Perrin's place.
xev -name below -geometry 280x240+990+560 -event button >"$work/below.log" 2>&1 &
pids+=($!)
within 50 shown below || fail "the window below did not open"
xdotool windowraise "$perrin"

# Each design's own pointer controls; the launcher's Exit label closes the launcher, so that a
# clock's Quit can be seen to bring it back.
while read -r row; do
    [[ -z $row || $row == \#* ]] && continue
    eval "control $row"
done <<'EOF'
#  window            x    y    gesture            keys                         check
   norvi             30   221  click              -                            seconds_out                 # Secs/No Secs
   vrimcolor         26   19   slow_click         -                            reloads_skin                # the move button
   Jolvex            64   24   menu               Down+Down+Down+Down+Right+Return  led_blinks        # Seconds Display > Led
   Quenz             2    150  menu               Down+Down+Return             shows "Quenz Skin Manager"  # the menu strip
   "Quenz Skin Manager" 363 238 click             -                            closes                      # Cancel
   lum-bo            589  61   click              -                            shows preff-ferendz         # Pref
   preff-ferendz     62   26   click              -                            chosen_colour_shows         # Out lumbo
   preff-ferendz     62   102  click              -                            lumbi_saved                 # Zeive
   Mip               43   125  drag               -                            moved_by -200 150           # the move button
   Mip               43   125  double_click       Down+Down+Down+Down+Return   opens_box "About Vrim Clocks"
   Perrin            140  100  click              -                            reaches_below 140 100
   Perrin            200  180  click              -                            reaches_below 200 180
   Perrin            4    4    click              -                            reaches_below 4 4           # the hole at the oval's top left
   "vRIM's"          30   334  click              -                            launcher_gone               # Exit
   Mip               43   125  slow_double_click  Down+Down+Down+Down+Down+Return  back_to_launcher     # Quit
   "vRIM's"          30   334  click              -                            launcher_gone
   Perrin            44   45   slow_double_click  -                            back_to_launcher            # the hot spot
   Gantos            200  278  click              -                            stopped_alike               # Sincronized Stop
   Gantos            200  278  click              -                            says "Sincronized Start"    # Sincronized Reset
   Gantos            200  278  click              -                            run_while_set               # Sincronized Start
   Gantos            200  278  click              -                            counted_real_time           # Sincronized Stop
   "vRIM's"          30   334  click              -                            launcher_gone
   Gantos            20   20   menu               Down+Down+Return             about_placed                # About
   Gantos            20   20   menu               Down+Down+Down+Return        back_to_launcher            # Exit
EOF

written=$(cd "$HOME" && find . -mindepth 1 | head -n 5)
[ -z "$written" ] || fail "the program wrote into the home folder: $(echo $written)"
pass "the home folder is still empty"
