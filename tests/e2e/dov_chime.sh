#!/usr/bin/env bash
# The real program at a time of day of our choosing: the Dov clock, opened from the launcher
# a few seconds before 10:05 with its default "5 min" interval, sounds its chime at 10:05 (recorded from
# a PulseAudio null sink), and shows the 10 o'clock bar lit.
set -euo pipefail

program=${1:?usage: dov_chime.sh PATH-TO-vrimclocks}
source "$(dirname "$0")/lib.sh"

# --- An X server and a sound server of our own.
start_x

start_sound_server

# --- A fresh program folder, started so that the splash ends well before 10:05, with room for
# a slow (sanitizer) build on a busy machine.
start_program "$program" "2026-12-07 10:04:35"
dismiss_advice

# Record from the moment the Dov entry is used; the chime is due at 10:05:00, this far on.
start_recording "$work/chime.wav"
due=$(awk -v t="$(program_time)" -v d="$(date -u -d '2026-12-07 10:05:00' +%s)" 'BEGIN{printf "%.2f", d - t}')
open_from_launcher 110 dov
dov=$clock
shown "vRIM's" && fail "the launcher stayed open"
awk -v d="$due" 'BEGIN{exit !(d > 2)}' || fail "Dov opened only ${due}s before 10:05: the machine is too slow"
pass "Dov opened from the launcher, ${due}s before 10:05"

# The 10 o'clock bar, in the window's left column, is lit green.
sleep 0.5
import -window "$dov" "$work/dov.png"
colour=$(convert "$work/dov.png" -format '%[pixel:p{3,44}]' info:)
case "$colour" in
    "srgb(0,255,0)"|"lime") pass "the current hour's bar is lit ($colour)" ;;
    *) fail "the 10 o'clock bar shows $colour" ;;
esac

sleep "$(awk -v d="$due" 'BEGIN{print d + 3.5}')" # past 10:05:00 and through most of the chime
stop_recording
[ -s "$work/chime.wav" ] || fail "nothing was recorded"
peak=$(peak_of "$work/chime.wav")
awk -v p="$peak" 'BEGIN{exit !(p > 0.05)}' || fail "the recording is silent (peak $peak)"
# Where the sound begins: the length trimmed off by a silence detector. The recorder and the
# sound server each add a little delay; the recorder also starts late on a busy machine.
total=$(soxi -D "$work/chime.wav")
rest=$(sox "$work/chime.wav" -n silence 1 0.005 1% stat 2>&1 | awk '/Length \(seconds\)/{print $3}')
onset=$(awk -v t="$total" -v r="$rest" 'BEGIN{printf "%.2f", t - r}')
awk -v o="$onset" -v d="$due" 'BEGIN{exit !(o > d - 1.2 && o < d + 1.0)}' ||
    fail "the chime began ${onset}s after recording started, not at 10:05:00 (${due}s)"
pass "the chime sounded at 10:05:00: ${onset}s after recording started, due at ${due}s (peak $peak)"
