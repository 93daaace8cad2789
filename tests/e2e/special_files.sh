#!/usr/bin/env bash
# The real program with pipes where files belong: the Dov clock's skin file is a pipe, and its
# sound file names a pipe as the chime. The clock still opens (with its default skin, after
# saying what is wrong with the file), and the program still ends when its last window closes.
set -euo pipefail

program=${1:?usage: special_files.sh PATH-TO-vrimclocks}
source "$(dirname "$0")/lib.sh"

start_x
start_sound_server
folder="$work/prog"
make_program_folder "$folder" "$program"
mkdir "$folder/Settings"
mkfifo "$folder/Settings/Dovpref.prf" "$folder/Sounds/pipe.wav"
printf '%s\r\n5 min\r\n' "$folder/Sounds/pipe.wav" >"$folder/Settings/Dovspref.prf"

"$folder/vrimclocks" >"$work/out.log" 2>&1 &
app=$!
pids+=("$app")
dismiss_advice
open_from_launcher 110 dov # with a pipe for its skin file
dov=$clock
within 50 shown "Vrim Clocks" || fail "nothing said that the skin file is a pipe"
pass "the Dov clock opened and said what is wrong with its skin file"

sleep 1 # let the player try the chime's pipe
click_at "$dov" 38 43 # Quit: back to the launcher
within 50 shown "vRIM's" || fail "Quit did not bring back the launcher (the clock is frozen?)"
click_at "$(windows_named "vRIM's")" 90 334 # the Exit bar
within 100 bash -c "! kill -0 $app" || fail "the program kept running after its last window closed"
wait "$app" && status=0 || status=$?
[ "$status" -eq 0 ] || fail "exit status $status"
pass "the program ended with its last window, a pipe named as its chime"
