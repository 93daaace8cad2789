#!/usr/bin/env bash
# The real program while its system clock is set, with every window open. The Norvi clock is open
# across 10:05:00 with its default "5 min" chime; then the clock is set back an hour, on across
# noon, on across midnight and back across it. After each setting every clock shows, to the
# pixel, the face of a window opened at the time it was set to (the program's own face logic
# draws those, tools/faces); the lamps of the time before are out, and the lamps keep stepping.
# The chime sounded once, at 10:05:00: no setting reached a due time again.
set -euo pipefail

program=${1:?usage: clock_jumps.sh PATH-TO-vrimclocks PATH-TO-vrim_faces}
faces=${2:?usage: clock_jumps.sh PATH-TO-vrimclocks PATH-TO-vrim_faces}
source "$(dirname "$0")/lib.sh"
[ -x "$faces" ] || fail "no $faces: build the vrim_faces target"

start_x
export TZ=UTC QT_LOGGING_RULES="vrim.chime.info=true"
start_program "$program" "2026-12-07 10:04:05"
open_every_window

lay_out_every_window
norvi=$(windows_named norvi)
dov=$(windows_named dov)

# The second the seconds lamps show: red tens cells counted, the one red units cell.
shown_second() {
    local k tens=0 units=""
    for k in 0 1 2 3 4 5; do [ "$(rgb_at "$1" 37 $((82 - 10 * k)))" = "255,0,0" ] && tens=$((tens + 1)); done
    for k in 0 1 2 3 4 5 6 7 8 9; do [ "$(rgb_at "$1" 37 $((186 - 10 * k)))" = "255,0,0" ] && units+="$k "; done
    [ "$(wc -w <<<"$units")" = 1 ] || fail "the seconds units lamps lit: '$units'"
    echo $((10 * tens + units))
}
# Takes a screenshot of Norvi and Dov and fails unless the lamps show the program's second at
# that moment. $1 names the moment.
check_seconds() {
    local before after second
    before=$(program_time)
    import -window "$norvi" "$work/norvi.png"
    import -window "$dov" "$work/dov.png"
    after=$(program_time)
    second=$(shown_second "$work/norvi.png")
    awk -v b="$before" -v a="$after" -v s="$second" 'BEGIN{
        lo = int(b) % 60 - 1; hi = int(a) % 60 + 1; ok = 0
        for (t = lo; t <= hi; t++) if ((t + 60) % 60 == s) ok = 1
        exit !ok }' || fail "$1: the lamps show second $second, the clock read $(date -u -d "@${before%.*}" +%T)"
    echo "$second"
}
chimes() { grep -c 'chime Norvi' "$work/out.log" || true; }
chimed() { [ "$(chimes)" -ge 1 ]; }

# Norvi's hour lamps, by numeral, and two of Dov's hour bars: points inside them.
declare -A lamp=([XII]="46 18" [XI]="20 41" [X]="20 73" [IX]="20 107" [III]="70 107")
declare -A bar=([9]="8 68" [10]="8 44")
# Fails unless lamp $2 of the Norvi screenshot is lit green ("lit") or out ("out", the colour of
# the XII lamp, out from 01:00 to 11:59 and 13:00 to 23:59). $3 says when.
# A pixel of the screenshot $1 at the point "x y" $2.
rgb_of() {
    local px py
    read -r px py <<<"$2"
    rgb_at "$1" "$px" "$py"
}
norvi_lamp() {
    local got out
    got=$(rgb_of "$work/norvi.png" "${lamp[$2]}")
    out=$(rgb_of "$work/norvi.png" "${lamp[XII]}")
    case $1 in
    lit) [ "$got" = "0,255,0" ] || fail "$3: Norvi's $2 lamp shows $got, not lit" ;;
    out) [ "$got" = "$out" ] || fail "$3: Norvi's $2 lamp shows $got, not out ($out)" ;;
    esac
}
# Fails unless Dov's bar for the hour $2 is lit ("lit") or not ("out"); $3 says when.
dov_bar() {
    local got
    got=$(rgb_of "$work/dov.png" "${bar[$2]}")
    case $1 in
    lit) [ "$got" = "0,255,0" ] || fail "$3: Dov's $2 bar shows $got, not lit" ;;
    out) [ "$got" != "0,255,0" ] || fail "$3: Dov's $2 bar is still lit" ;;
    esac
}

# The faces: a screenshot of every clock a moment after the clock was set ($1 names the
# setting, $2 is the program's time just after it), each compared with the face of a window
# opened at the second the next pass came in (that second or the next) and run on to the
# screenshot. A few pixels of text may differ with the font engine; the smallest lamp or marker
# of another time differs in 60 or more.
faces_match() {
    local label=$1 landed=${2%.*} before after o t args name x y w h best m s crop keep
    sleep 1.3
    for name in "${clocks[@]}"; do
        xwininfo -id "$(windows_named "$name")" | awk -v n="$name" '
            /Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4}
            /Width:/{w=$2} /Height:/{h=$2} END{print n, x, y, w, h}'
    done >"$work/geometry"
    before=$(program_time)
    import -window root "$work/shot.png"
    after=$(program_time)
    before=${before%.*} after=${after%.*}
    for o in "$landed" $((landed + 1)); do
        args=()
        for ((t = o; t <= after + 1; t++)); do args+=("$(date -u -d "@$t" +%T)"); done
        mkdir -p "$work/faces-$o"
        QT_QPA_PLATFORM=offscreen "$faces" "$folder" "$work/faces-$o" "${args[@]}" >"$work/faces.log" 2>&1 ||
            fail "vrim_faces: $(tail -n 3 "$work/faces.log")"
    done
    while read -r name x y w h; do
        # Perrin creeps a pixel at a new minute: its picture and minutes, inside the oval.
        crop="${w}x${h}+$x+$y"
        [ "$name" = Perrin ] && crop="60x50+$((x + 36))+$((y + 40))"
        # Norvi's afternoon indicator tells the half of the day it was opened in, on purpose.
        keep=()
        [ "$name" = norvi ] && keep=(-fill black -draw "rectangle 51,181 60,192")
        convert "$work/shot.png" -crop "$crop" +repage "${keep[@]}" "$work/window.png"
        best=999999
        for o in "$landed" $((landed + 1)); do
            for ((s = before; s <= after + 1; s++)); do
                ((s >= o)) || continue
                face="$work/faces-$o/${name/lum-bo/lumbo}-$(date -u -d "@$s" +%H%M%S).png"
                [ -f "$face" ] || continue
                if [ "$name" = Perrin ]; then
                    convert "$face" -crop 60x50+36+40 +repage "$work/drawn.png"
                else
                    convert "$face" "${keep[@]}" "$work/drawn.png"
                fi
                m=$(compare -metric AE -fuzz 12% "$work/window.png" "$work/drawn.png" null: 2>&1 || true)
                m=${m%% *}
                [[ $m =~ ^[0-9]+$ ]] && ((m < best)) && best=$m
            done
        done
        echo "  $label: $name differs from a fresh window in $best pixels" >&2
        ((best <= 10)) || fail "$label: $name shows $best pixels unlike a window opened at the new time"
    done <"$work/geometry"
    pass "$label: every clock shows the face of a window opened at the new time"
}

within 600 chimed || fail "no chime at 10:05:00"
grep -q 'chime Norvi 2026-12-07 10:05:00' "$work/out.log" || fail "the chime: $(grep 'chime' "$work/out.log")"
sleep 1.5
check_seconds "at 10:05" >/dev/null
norvi_lamp lit X "at 10:05"
dov_bar lit 10 "at 10:05"
pass "the chime sounded at 10:05:00; the lamps show hour X and the second"

jump_clock -3600
faces_match "set back an hour" "$(program_time)"
first=$(check_seconds "after setting the clock back an hour")
norvi_lamp lit IX "set back an hour"
norvi_lamp out X "set back an hour"
dov_bar lit 9 "set back an hour"
dov_bar out 10 "set back an hour"
sleep 1.1
[ "$(check_seconds "a second later")" != "$first" ] || fail "the lamps stopped at second $first"
pass "set back an hour: hour IX is lit, X is out, and the lamps step on from second $first"

jump_clock $((6 * 3600 + 26 * 60)) # about 15:31
faces_match "set on across noon" "$(program_time)"
check_seconds "set on across noon" >/dev/null
norvi_lamp lit III "set on across noon"
for numeral in IX X XI; do norvi_lamp out $numeral "set on across noon"; done
dov_bar out 9 "set on across noon"

jump_clock $((8 * 3600 + 20 * 60)) # about 23:51
sleep 1
now=$(date -u -d "@$(program_time)" +%s)
jump_clock $((86400 - now % 86400 + 600)) # about 00:10 the next day
faces_match "set on across midnight" "$(program_time)"
jump_clock -1800 # about 23:40
faces_match "set back across midnight" "$(program_time)"

[ "$(chimes)" = 1 ] || fail "the chime sounded $(chimes) times: $(grep 'chime' "$work/out.log")"
pass "one chime in all"
