#!/usr/bin/env bash
# The clocks on a desktop of their own (Xvfb, openbox, a PulseAudio null sink) at faked times: the
# faces they show (to the pixel, as vrim_faces draws them), their chimes, and their pointer controls.
set -euo pipefail

program=${1:?usage: clocks.sh PATH-TO-vrimclocks PATH-TO-vrim_faces}
faces=${2:?usage: clocks.sh PATH-TO-vrimclocks PATH-TO-vrim_faces}
source "$(dirname "$0")/lib.sh"
[ -x "$faces" ] || fail "no $faces: build the vrim_faces target"

start_x
start_sound_server
# A fresh home folder, which the program must leave empty, and a runtime folder as a desktop
# session has (without one the sound library keeps a link to its stand-in under the home folder).
export HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" TZ=UTC VRIM_DAYTIME_SERVER=127.0.0.1:1 \
    QT_LOGGING_RULES="vrim.chime.info=true;vrim.stopwatch.info=true"
mkdir -p "$HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
unset XDG_CONFIG_HOME XDG_CACHE_HOME XDG_DATA_HOME XDG_STATE_HOME

holds() { awk "BEGIN{exit !($1)}"; } # holds "$peak < 0.01"
second() { program_time | cut -d. -f1; }
# Seconds from now to the program's next time of day $1 ("HH:MM:SS"); the clock set on to it.
seconds_until() {
    awk -v t="$(program_time)" -v at="$1" 'BEGIN{split(at, p, ":")
        d = p[1] * 3600 + p[2] * 60 + p[3] - t % 86400; printf "%.3f", d < 0 ? d + 86400 : d}'
}
set_clock_to() { jump_clock "$(seconds_until "$1")"; }
at_place() { [ "$(place_of "$1")" = "$2" ]; }
chimes() { grep -c 'vrim.chime' "$work/out.log" || true; }
# Pixels in which the pictures $1 and $2 differ, colours $3 apart ("0%" for any difference).
differing() { compare -metric AE -fuzz "${3:-0%}" "$1" "$2" null: 2>&1 || true; }
# Whether the picture $1 shows the same in its parts $2 and $3 ("WxH+X+Y").
alike() {
    [ "$(convert "$1" \( -clone 0 -crop "$2" +repage \) \( -clone 0 -crop "$3" +repage \) -delete 0 \
        -compose difference -composite -format '%[fx:maxima]' info:)" = 0 ]
}

# --- Faces

# The faces of every clock opened at each second $1..$2, passed on to $3: faces-<opened>/<window>-HHMMSS.png.
draw_faces() {
    local o t args
    for ((o = $1; o <= $2; o++)); do
        args=()
        for ((t = o; t <= $3; t++)); do args+=("$(date -u -d "@$t" +%T)"); done
        rm -rf "$work/faces-$o" && mkdir "$work/faces-$o"
        QT_QPA_PLATFORM=offscreen "$faces" "$folder" "$work/faces-$o" "${args[@]}" >"$work/faces.log" 2>&1 ||
            fail "vrim_faces: $(tail -n 3 "$work/faces.log")"
    done
}
# Whether the clocks named $4... each show now the face of a window opened at a second $2..$3. The font
# engine may change a few pixels of text; another time's lamp changes 25 or more. Perrin is compared
# inside its oval. With $1 "keep", Norvi's afternoon lamp is left out: it keeps its opening's half day.
faces_shown() {
    local keep=$1 from=$2 to=$3 name id crop before after o s face m best cut edit
    shift 3
    for name; do
        id=$(windows_named "$name")
        echo "$name $(size_of "$id")+$(place_of "$id" | tr , +)"
    done >"$work/geometry"
    before=$(second)
    import -window root "$work/shot.png"
    after=$(($(second) + 1))
    draw_faces "$from" "$to" "$after"
    while read -r name crop; do
        cut=() edit=() best=999999
        [ "$name" = Perrin ] && cut=(-crop 60x50+36+40 +repage)
        [ "$name$keep" = norvikeep ] && edit=(-fill black -draw "rectangle 51,181 60,192")
        convert "$work/shot.png" -crop "$crop" +repage "${cut[@]}" "${edit[@]}" "$work/seen.png"
        for ((o = from; o <= to && best > 10; o++)); do
            for ((s = before > o ? before : o; s <= after && best > 10; s++)); do
                face="$work/faces-$o/${name/lum-bo/lumbo}-$(date -u -d "@$s" +%H%M%S).png"
                [ -f "$face" ] || continue
                convert "$face" "${cut[@]}" "${edit[@]}" "$work/drawn.png"
                m=$(differing "$work/seen.png" "$work/drawn.png" 12%)
                [[ ${m%% *} =~ ^[0-9]+$ ]] && ((${m%% *} < best)) && best=${m%% *}
            done
        done
        ((best <= 10)) || { echo "$name shows $best pixels unlike its face" >"$work/unlike" && return 1; }
    done <"$work/geometry"
}
# Called by open_every_window as each window shows ($2: the real time before its entry was used):
# a clock shows the face of a window opened since the click. Perrin opens at its place, a pixel
# further left once a new minute has begun.
window_opened() {
    [[ " ${clocks[*]} " == *" $1 "* ]] || return 0
    local from to
    from=$(awk -v t="$2" -v o="$clock_offset" 'BEGIN{printf "%d", t + o}') to=$(second)
    within 30 faces_shown - "$from" "$to" "$1" || fail "as it opened, $(cat "$work/unlike")"
    [ "$1" != Perrin ] || at_place "$(windows_named Perrin)" 657,406 ||
        { at_place "$(windows_named Perrin)" 656,406 && ((from / 60 < $(second) / 60)); } ||
        fail "Perrin opened at $(place_of "$(windows_named Perrin)"), not 657,406"
}
faces_after_setting() {
    local landed
    landed=$(second)
    sleep 1.3
    faces_shown keep "$landed" $((landed + 1)) "${clocks[@]}" || fail "$1: $(cat "$work/unlike")"
    pass "$1: every clock shows the face of a window opened at the new time"
}

# --- Pointer controls

# The gesture $4 at $2,$3 in the window named $1, the keys $5 ("+" between, "-" for none), then the
# check $6 with the window's id and the rest; a check's before_ step comes ahead of the gesture.
control() {
    local name=$1 x=$2 y=$3 gesture=$4 keys=$5 check=$6 id
    shift 6
    id=$(windows_named "$name")
    [ -n "$id" ] || fail "no $name window to use at $x,$y"
    if declare -F "before_$check" >/dev/null; then "before_$check" "$id" "$@"; fi
    [[ $gesture == slow_* ]] && local press_ms=150 && gesture=${gesture#slow_} # a slow hand
    case $gesture in
    click) click_at "$id" "$x" "$y" ;;
    double_click) double_click_at "$id" "$x" "$y" ;;
    menu) press_at "$id" "$x" "$y" && sleep 0.3 && release_button ;; # it opens as the button goes down
    drag) # -200,150 in a person's small steps
        press_at "$id" "$x" "$y"
        for _ in 1 2 3 4 5 6 7 8 9 10; do xdotool mousemove_relative -- -20 15 sleep 0.03; done
        sleep 0.1 && release_button
        ;;
    esac
    # shellcheck disable=SC2086
    [ "$keys" = - ] || { sleep 0.5 && xdotool key ${keys//+/ }; }
    "$check" "$id" "$@"
    pass "$name: $gesture at $x,$y, keys $keys: $check $*"
}
shows() { within 50 shown "$2" || fail "no $2 window"; }
closes() { within 50 gone "$1" || fail "$(xdotool getwindowname "$1") stayed open"; }
back_to_launcher() { within 50 shown "vRIM's" || fail "no launcher" && closes "$1"; }
# The box named $2 opens and closes on Return.
opens_box() {
    shows "$1" "$2"
    xdotool windowfocus --sync "$(windows_named "$2")" key Return
    within 50 not_shown "$2" || fail "$2 stayed open after Return"
}
before_heard() { start_recording "$work/heard.wav"; }
heard() { sleep 2.5 && stop_recording && holds "$(peak_of "$work/heard.wav") > 0.05" || fail "not heard"; }

# Norvi's Secs/No Secs: the seconds lamps (x 37) go out and stay out.
seconds_red() { import -window "$1" -crop 1x224+37+0 -depth 8 txt:- | grep -q "#FF0000"; }
no_seconds() { ! seconds_red "$1"; }
before_seconds_out() { within 20 seconds_red "$1" || fail "Norvi shows no second to put out"; }
seconds_out() { within 15 no_seconds "$1" && sleep 1.1 && no_seconds "$1" || fail "a seconds lamp is red"; }

# Vrimcolor's move button clicked in place: a drag that went nowhere, after which it reloads its
# settings at once and wears the skin its file now names, staying put.
strip() { import -window "$1" -crop 40x14+40+4 +repage "$work/strip.$2.png"; }
new_skin() { strip "$1" after && [ "$(differing "$work/strip.before.png" "$work/strip.after.png")" != 0 ]; }
before_reloads_skin() {
    strip "$1" before && place=$(place_of "$1")
    printf '%s\r\n' "$folder/Skins/Vrim/sunfel.bmp" >"$folder/Settings/vrimcpref.prf"
    sleep 1.5 && ! new_skin "$1" || fail "the skin changed before the move button was clicked"
}
reloads_skin() { within 15 new_skin "$1" && at_place "$1" "$place" || fail "no new skin, or it moved"; }

# Jolvex's Seconds Display > Led: a blinking LED at 47,14; the hour bars fill the seconds' column
# (x 33) as they fill x 15.
led_lit() {
    import -window "$1" "$work/jolvex.png"
    led=$(rgb_at "$work/jolvex.png" 47 14)
    [[ $led == 0,255,0 || $led == 255,0,10 ]] && alike "$work/jolvex.png" 1x37+15+6 1x37+33+6
}
blinked() { led_lit "$1" && [ "$led" != "$first" ]; }
led_blinks() {
    within 20 led_lit "$1" || fail "no LED, or the hour bars do not fill the seconds' column"
    local first=$led
    within 25 blinked "$1" || fail "the LED stayed $first"
}

# Lumbo's preff-ferendz: a colour typed into Qt's colour chooser (Alt+H selects its HTML field)
# shows on the running clock's window at once, its bar keeps lumbi.prf's; Zeive writes the file.
before_colour_shows() { xdotool windowmove --sync "$1" 100 300; } # off the clock
yellow() { import -window "$(windows_named lum-bo)" "$work/lumbo.png" && [ "$(rgb_at "$work/lumbo.png" 300 60)" = 250,250,0 ]; }
colour_shows() {
    shows "$1" "Select Color"
    xdotool windowfocus --sync "$(windows_named "Select Color")" sleep 0.3 key alt+h sleep 0.2 type "#fafa00"
    xdotool key Return
    within 50 not_shown "Select Color" || fail "the colour chooser stayed open"
    within 20 yellow || fail "Lumbo's window does not show #fafa00"
    expect "$work/lumbo.png" 6 50 "36,78,100" "Lumbo's bar after choosing an outer colour"
}
lumbi_saved() {
    closes "$1"
    [ "$(od -c <"$folder/Settings/lumbi.prf")" = \
        "$(printf ' 6573604 \r\n 64250 \r\n 0 \r\n 1 \r\n' | od -c)" ] || fail "lumbi.prf is not as chosen"
}

# A drag by Mip's move button moves it by just the pointer's way (no jump when the window manager
# takes over past the drag distance).
before_moved_by() { place=$(place_of "$1"); }
moved_by() {
    within 30 at_place "$1" "$((${place%,*} + $2)),$((${place#*,} + $3))" ||
        fail "a drag by $2,$3 moved the window from $place to $(place_of "$1")"
    sleep 1 # the window manager's move is over
}

# Inside Perrin's rectangle but outside the oval a click reaches the window below; inside the
# oval the pointer is over Perrin.
before_reaches_below() {
    place=$(place_of "$1")
    point_at "$1" "$2" "$3" && sleep 0.2
    ! pointer_over "$1" || fail "at $2,$3 the pointer is over Perrin"
}
reaches_below() {
    within 20 grep -q "root:($((${place%,*} + $2)),$((${place#*,} + $3)))" "$work/below.log" ||
        fail "the window below got no click at $2,$3"
    at_place "$1" "$place" || fail "a click outside the oval moved Perrin"
    point_at "$1" 66 100 && sleep 0.2
    pointer_over "$1" || fail "inside the oval the pointer is not over Perrin"
}

# Gantos logs what it shows as it changes; field $2 of such a line $1 is its quoted texts in order:
# clock, button, started, stopped, hours, minutes and seconds of each column, the synchronised button.
field() { grep -o "'[^']*'" <<<"$1" | sed -n "${2}p" | tr -d "'"; }
said() { tail -n +"$mark" "$work/out.log" | grep -q "'$1'"; }
before_says() { mark=$(($(wc -l <"$work/out.log") + 1)); }
says() { within 30 said "$2" || fail "the synchronised button did not turn to $2"; }
# Started a little before midnight; while the stopwatches run the clock is set on 1 s eight times.
before_run_while_set() { before_says && set_clock_to 23:59:56 && run_from=$(date +%s.%N); }
run_while_set() {
    says "$1" "Sincronized Stop"
    for _ in 1 2 3 4 5 6 7 8; do sleep 0.6 && jump_clock 1; done
}
# Both counted alike the time that really went by (a slow click may cost a second); their stamps,
# across midnight, are the time of day: the count and the eight seconds set on apart. On the screen
# both seconds boxes look the same, and show a number.
before_counted_real_time() { before_says; }
counted_real_time() {
    local s started stopped counted really dark
    says "$1" "Sincronized Reset"
    really=$(awk -v a="$run_from" -v b="$(date +%s.%N)" 'BEGIN{print b - a}')
    s=$(grep 'vrim.stopwatch' "$work/out.log" | tail -n 1)
    started=$(field "$s" 3) stopped=$(field "$s" 4) counted=$(field "$s" 7)
    [ "$started$stopped$counted" = "$(field "$s" 10)$(field "$s" 11)$(field "$s" 14)" ] || fail "unlike: $s"
    [[ $started =~ ^23:59:5[0-9]\ \ $ && $stopped =~ ^00:00:[0-9]{2}\ \ $ ]] || fail "the stamps of: $s"
    [ "$(field "$s" 5)$(field "$s" 6)" = 00 ] || fail "hours and minutes of a short run: $s"
    holds "$counted >= $really - 1.5 && $counted < $really + 1.05" || fail "counted $counted s in $really s"
    holds "(${stopped:6:2} + 60 - ${started:6:2}) % 60 - $counted >= 6" &&
        holds "(${stopped:6:2} + 60 - ${started:6:2}) % 60 - $counted <= 10" || fail "counted $counted s: $s"
    import -window "$1" "$work/ganto.png"
    alike "$work/ganto.png" 123x22+72+192 123x22+267+192 || fail "the seconds boxes differ"
    dark=$(convert "$work/ganto.png" -crop 123x22+72+192 -threshold 50% -format "%[fx:w*h*(1-mean)]" info:)
    holds "$dark > 10" || fail "no number in the seconds box"
}
# About moves Gantos to 7000 twips from the left and opens its box at 1100, 2500 twips (its inside).
before_about_placed() { place=$(frame_place_of "$1"); }
about_placed() {
    shows "$1" "About Vrim Clocks"
    local box
    box=$(windows_named "About Vrim Clocks")
    [ "$(frame_place_of "$1")" = "467,${place#*,}" ] || fail "About moved Gantos to $(frame_place_of "$1")"
    [ "$(frame_place_of "$box")" = 73,167 ] || at_place "$box" 73,167 || fail "the box at $(place_of "$box")"
    opens_box "$1" "About Vrim Clocks"
}

# ================================================================================================
start_program "$program" "2026-12-07 09:52:00"
dismiss_advice
open_from_launcher 110 dov
dov=$clock
sleep 0.5 && import -window "$dov" "$work/dov.before.png"
control dov 74 42 menu Down+Down+Return shows "Dov Skin Manager" # Preferences > Skin Manager

# Its Skin Manager open across 09:55:00: the null sink records nothing, until the dialog's Test.
start_recording "$work/quiet.wav"
set_clock_to 09:54:58
sleep "$(seconds_until 09:55:04)" # past the due moment, the chime's length
stop_recording
holds "$(peak_of "$work/quiet.wav") < 0.01" || fail "the clock chimed over its Skin Manager"
control "Dov Skin Manager" 363 54 click - heard # Test
pass "silent while its Skin Manager was open across 09:55:00"

# A new picture through the file chooser, saved: the clock wears it.
picture="$folder/Skins/Vrim/nochistar.jpg"
control "Dov Skin Manager" 57 238 click - shows Open # View
xdotool windowfocus --sync "$(windows_named Open)" type --delay 5 "$picture"
xdotool key Return
within 50 not_shown Open || fail "the chooser stayed open"
control "Dov Skin Manager" 263 238 click - closes # Ok
[ "$(head -n 1 "$folder/Settings/Dovpref.prf")" = "$picture"$'\r' ] ||
    fail "Dovpref.prf: $(cat "$folder/Settings/Dovpref.prf")"
new_face() {
    import -window "$dov" "$work/dov.after.png"
    changed=$(differing "$work/dov.before.png" "$work/dov.after.png" 10%)
    [ "${changed%%.*}" -gt 3000 ]
}
within 30 new_face || fail "the face barely changed ($changed pixels)"
pass "the Skin Manager saved the new picture; the clock wears it ($changed pixels changed)"
control dov 38 43 click - back_to_launcher # Quit

# ================================================================================================
# Every window open, each clock compared as it opens (window_opened), then laid out side by side;
# out of the due minute first, for Dov chimes at any second of it, even as it opens.
set_clock_to 09:56:00
open_every_window
lay_out_every_window

# Every clock that chimes by default ("5 min") is heard at 10:05:00, where the recording has it.
start_recording "$work/chime.wav"
set_clock_to 10:04:57
due=$(seconds_until 10:05:00)
sleep "$(awk -v d="$due" 'BEGIN{print d + 3.5}')" # through most of the chime
stop_recording
# Where the sound begins: the length a silence detector trims off.
rest=$(sox "$work/chime.wav" -n silence 1 0.005 1% stat 2>&1 | awk '/Length \(seconds\)/{print $3}')
onset=$(awk -v t="$(soxi -D "$work/chime.wav")" -v r="$rest" 'BEGIN{printf "%.2f", t - r}')
holds "$(peak_of "$work/chime.wav") > 0.05 && $onset > $due - 0.5 && $onset < $due + 1" ||
    fail "the chime began ${onset}s after recording started, not at 10:05:00 (${due}s)"
chimed=$(grep -o 'chime [A-Za-z]* 2026-12-07 10:05:00' "$work/out.log" | cut -d' ' -f2 | sort | xargs)
[ "$chimed" = "Dov Jolvex Mip Norvi Quenz Vrimcolor" ] || fail "at 10:05:00 chimed: $chimed"
chimed=$(chimes)
pass "six clocks chimed at 10:05:00: heard ${onset}s after recording started, due at ${due}s"

# The clock set back an hour, on across noon, on across midnight and back across it.
jump_clock -3600
faces_after_setting "set back an hour"
jump_clock $((6 * 3600 + 26 * 60)) # about 15:31
faces_after_setting "set on across noon"
jump_clock $((8 * 3600 + 20 * 60)) # about 23:51
sleep 1
set_clock_to 00:10:00
faces_after_setting "set on across midnight"
jump_clock -1800 # about 23:40
faces_after_setting "set back across midnight"
[ "$(chimes)" = "$chimed" ] || fail "setting the clock sounded chimes: $(grep chime "$work/out.log")"
pass "no setting of the clock sounded a chime"

# Perrin creeps left at each new minute, 5.833 twips at a time, from where it was put (here by the
# window manager, as by the user): the first new minute leaves it on its pixel, the second moves it.
perrin=$(windows_named Perrin)
xdotool windowmove --sync "$perrin" 1030 590
set_clock_to "$(date -u -d "@$(second)" +%H:%M):59"
sleep 1.5
at_place "$perrin" 1030,590 || fail "at the first new minute Perrin went to $(place_of "$perrin")"
set_clock_to "$(date -u -d "@$(second)" +%H:%M):59"
within 30 at_place "$perrin" 1029,590 || fail "at the second new minute Perrin is at $(place_of "$perrin")"
pass "Perrin crept from where it was put"

# A window below Perrin that writes down the clicks it gets, its inside over all of Perrin's place.
xev -name below -geometry 280x240+990+560 -event button >"$work/below.log" 2>&1 &
pids+=($!)
within 50 shown below || fail "the window below did not open"
xdotool windowraise "$perrin"

# Each design's own controls; the launcher's Exit closes it, so that a clock's Quit is seen to bring it back.
#       window               x   y   gesture           keys                             check
control norvi                30  221 click             -                                seconds_out # Secs/No Secs
control vrimcolor            26  19  slow_click        -                                reloads_skin # move button
control Jolvex               64  24  menu              Down+Down+Down+Down+Right+Return led_blinks # Led
control Quenz                2   150 menu              Down+Down+Return                 shows "Quenz Skin Manager"
control "Quenz Skin Manager" 363 238 click             -                                closes # Cancel
control lum-bo               589 61  click             -                                shows preff-ferendz # Pref
control preff-ferendz        62  26  click             -                                colour_shows # Out lumbo
control preff-ferendz        62  102 click             -                                lumbi_saved # Zeive
control Mip                  43  125 drag              -                                moved_by -200 150
control Mip                  43  125 double_click      Down+Down+Down+Down+Return       opens_box "About Vrim Clocks"
control Perrin               140 100 click             -                                reaches_below 140 100
control Perrin               200 180 click             -                                reaches_below 200 180
control Perrin               4   4   click             -                                reaches_below 4 4 # a hole
control "vRIM's"             30  334 click             -                                closes # Exit
control Mip                  43  125 slow_double_click Down+Down+Down+Down+Down+Return  back_to_launcher # Quit
control "vRIM's"             30  334 click             -                                closes
control Perrin               44  45  slow_double_click -                                back_to_launcher # hot spot
control Gantos               200 278 click             -                                says "Sincronized Reset"
control Gantos               200 278 click             -                                says "Sincronized Start"
control Gantos               200 278 click             -                                run_while_set
control Gantos               200 278 click             -                                counted_real_time
control "vRIM's"             30  334 click             -                                closes
control Gantos               20  20  menu              Down+Down+Return                 about_placed # About
control Gantos               20  20  menu              Down+Down+Down+Return            back_to_launcher # Exit

[ -z "$(ls -A "$HOME")" ] || fail "the program wrote into the home folder: $(ls -A "$HOME")"
pass "the home folder is still empty"
