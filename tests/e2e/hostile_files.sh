#!/usr/bin/env bash
# The real program facing hostile and special files, through the Dov clock. First its skin
# picture claims 30000 x 30000 pixels in 110 KB and its sound file is a link to /dev/zero: it
# says what is wrong with both, one box at a time, and the picture is never decoded. Then its skin
# file is a pipe and its chime a pipe: it opens all the same. Each time it answers its buttons at
# once, no settings file changes, and at the end the program ends with its last window (a pipe
# once held the sound loader and kept it alive).
set -euo pipefail

program=${1:?usage: hostile_files.sh PATH-TO-vrimclocks}
source "$(dirname "$0")/lib.sh"

start_x
start_sound_server
folder="$work/prog"
make_program_folder "$folder" "$program"
mkdir "$folder/Settings"
python3 - "$folder/Skins/bomb.jpg" <<'PY'
import struct, sys, zlib
side = 30000
def chunk(kind, data):
    return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
rows = zlib.compress(bytes((1 + side // 8) * side), 9)
with open(sys.argv[1], 'wb') as out:
    out.write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', side, side, 1, 0, 0, 0, 0))
              + chunk(b'IDAT', rows) + chunk(b'IEND', b''))
PY
printf '%s\r\n' "$folder/Skins/bomb.jpg" >"$folder/Settings/Dovpref.prf"
ln -s /dev/zero "$folder/Settings/Dovspref.prf"
settings() (cd "$folder/Settings" && ls -l --time-style=+%s.%N && find . -type f -exec sha1sum {} +)
before=$(settings)

"$folder/vrimclocks" >"$work/out.log" 2>&1 &
app=$!
pids+=("$app")
dismiss_advice
open_from_launcher 110 dov
# One box at a time, in the order found (the picture, then the sound file): the second shows
# once the first is closed.
one_warning() { [ "$(windows_named "Vrim Clocks" | wc -l)" -eq 1 ]; }
within 50 one_warning || fail "the clock did not say what is wrong with its picture"
sleep 0.5
one_warning || fail "more than one warning box at once"
first=$(windows_named "Vrim Clocks")
xdotool windowfocus --sync "$first" key Return
next_warning() { one_warning && [ "$(windows_named "Vrim Clocks")" != "$first" ]; }
within 50 next_warning || fail "the clock did not say what is wrong with its sound file"
pass "the Dov clock opened and said what is wrong with its picture, then with its sound file"

peak=$(awk '/VmHWM/{print $2}' "/proc/$app/status")
[ "$peak" -lt 300000 ] || fail "the program's memory peaked at $peak KB: the picture was decoded?"
! grep -q "allocation limit" "$work/out.log" || fail "the picture reached the decoder"
pass "the picture was refused unread (memory peak $((peak / 1024)) MB)"

xdotool windowfocus --sync "$(windows_named "Vrim Clocks")" key Return
within 50 not_shown "Vrim Clocks" || fail "the second warning box did not close"
click_at "$clock" 38 43 # Quit: back to the launcher
within 50 shown "vRIM's" || fail "Quit did not bring back the launcher (the clock is frozen?)"
[ "$before" = "$(settings)" ] || fail "the settings folder changed: $before / $(settings)"

# Pipes where files belong: the skin file, and the chime its sound file names.
rm "$folder/Settings/Dovpref.prf" "$folder/Settings/Dovspref.prf"
mkfifo "$folder/Settings/Dovpref.prf" "$folder/Sounds/pipe.wav"
printf '%s\r\n5 min\r\n' "$folder/Sounds/pipe.wav" >"$folder/Settings/Dovspref.prf"
before=$(settings)
open_from_launcher 110 dov
within 50 shown "Vrim Clocks" || fail "nothing said that the skin file is a pipe"
pass "the Dov clock opened and said what is wrong with its skin file, a pipe"

sleep 1 # let the player try the chime's pipe
click_at "$clock" 38 43 # Quit: back to the launcher
within 50 shown "vRIM's" || fail "Quit did not bring back the launcher (the clock is frozen?)"
click_at "$(windows_named "vRIM's")" 90 334 # the Exit bar
within 100 bash -c "! kill -0 $app" || fail "the program kept running after its last window closed"
wait "$app" && status=0 || status=$?
[ "$status" -eq 0 ] || fail "exit status $status"
[ "$before" = "$(settings)" ] || fail "the settings folder changed: $before / $(settings)"
pass "the program ended with its last window, a pipe named as its chime, its settings files as they were"
