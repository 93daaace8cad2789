# Sourced by the end-to-end scripts: a work folder, a desktop of their own and helpers to find windows.

work=$(mktemp -d)
pids=()
cleanup() {
    kill "${pids[@]}" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    [ -s "$work/out.log" ] && { echo "--- the program said:" >&2; head -c 20000 "$work/out.log" >&2; }
    exit 1
}
pass() { echo "ok: $*"; }

# Polls for up to $1 tenths of a second until the rest of the line succeeds.
within() {
    local tenths=$1; shift
    for ((i = 0; i < tenths; i++)); do
        if "$@" >/dev/null 2>&1; then return 0; fi
        sleep 0.1
    done
    return 1
}

viewable() { xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable'; }
gone() { ! viewable "$1"; }
# Waits up to $2 tenths of a second (10 s unless given) for the process $1 to end; status in $status.
await_exit() {
    within "${2:-100}" bash -c "! kill -0 $1" || return 1
    wait "$1" && status=0 || status=$?
}
# Fails unless the process $1 ends with status 0 within $3 tenths (10 s unless given) after $2.
ends_well() {
    await_exit "$1" "${3:-100}" || fail "the program kept running after $2"
    [ "$status" -eq 0 ] || fail "exit status $status after $2"
}
# Viewable top-level windows named $1, one id a line.
windows_named() {
    local id
    for id in $(xdotool search --name "^$1\$" 2>/dev/null); do
        viewable "$id" && echo "$id"
    done
    return 0
}
shown() { [ -n "$(windows_named "$1")" ]; }
not_shown() { [ -z "$(windows_named "$1")" ]; }
size_of() { xwininfo -id "$1" | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w "x" h}'; }
# The window $1's place with its frame around it: the place the program asks for in a move.
frame_place_of() {
    local x y extents left=0 top=0
    IFS=, read -r x y <<<"$(place_of "$1")"
    extents=$(xprop -id "$1" _NET_FRAME_EXTENTS)
    [[ "$extents" != *=* ]] || IFS=', ' read -r left _ top _ <<<"${extents#*= }"
    echo "$((x - left)),$((y - top))"
}
# Whether the pointer is over the window $1 or the frame around it.
pointer_over() {
    local WINDOW X Y SCREEN tree
    eval "$(xdotool getmouselocation --shell)"
    [ "$WINDOW" = "$1" ] && return 0
    tree=$(xwininfo -id "$WINDOW" -tree)
    grep -qi "^ *$(printf '0x%x' "$1") " <<<"$tree"
}
place_of() { xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} END{print x "," y}'; }

# Xvfb on a free display; -noreset, or it resets when its last client leaves and turns some away.
start_x() {
    local xvfb_pid display_number
    exec 3< <(Xvfb -displayfd 1 -screen 0 1280x800x24 -nolisten tcp -noreset 2>/dev/null & echo "pid $!"; wait)
    read -r _ xvfb_pid <&3
    pids+=("$xvfb_pid")
    read -r display_number <&3
    export DISPLAY=":$display_number"
    unset WAYLAND_DISPLAY QT_QPA_PLATFORM
    # No session bus unless a script starts its own: dbus-x11 would launch one into HOME.
    export DBUS_SESSION_BUS_ADDRESS=disabled:
    # Debian's openbox with its shipped settings, as on a user's desktop; ready once it names itself.
    mkdir -p "$work/wm"
    HOME="$work/wm" XDG_CONFIG_HOME="$work/wm" XDG_CACHE_HOME="$work/wm" XDG_DATA_HOME="$work/wm" \
        openbox --sm-disable --config-file /etc/xdg/openbox/rc.xml >"$work/openbox.log" 2>&1 &
    pids+=($!)
    within 100 bash -c "xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'" ||
        fail "openbox did not start: $(cat "$work/openbox.log")"
}

# A person's click, which xdotool's own is not: the pointer rests at $2,$3 in window $1 ("screen":
# on the screen) a moment, then the button $4 (1) is held $press_ms. Double clicks 120 ms apart.
press_ms=70
click_at() { point_at "$1" "$2" "$3" && press_button "${4:-1}"; }
double_click_at() { click_at "$@" && sleep 0.12 && press_button "${4:-1}"; }
press_at() { point_at "$1" "$2" "$3" && xdotool mousedown "${4:-1}"; }
release_button() { xdotool mouseup "${1:-1}"; }
point_at() {
    if [ "$1" = screen ]; then xdotool mousemove "$2" "$3"; else xdotool mousemove --window "$1" "$2" "$3"; fi
    sleep 0.05
}
press_button() {
    xdotool mousedown "$1"
    sleep "$((press_ms / 1000)).$(printf '%03d' $((press_ms % 1000)))"
    xdotool mouseup "$1"
}

# A PulseAudio server of our own with one null sink, "chimes", whose monitor can be recorded.
start_sound_server() {
    export PULSE_RUNTIME_PATH="$work/pulse" PULSE_STATE_PATH="$work/pulse" HOME="$work" \
        PULSE_COOKIE="$work/pulse/cookie" PULSE_SERVER="unix:$work/pulse/native"
    mkdir -p "$PULSE_RUNTIME_PATH"
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
        -L "module-native-protocol-unix auth-anonymous=1 socket=$PULSE_RUNTIME_PATH/native" \
        -L "module-null-sink sink_name=chimes" >"$work/pulse.log" 2>&1 &
    pids+=($!)
    within 100 pactl info || fail "the sound server did not start: $(cat "$work/pulse.log")"
    pactl set-default-sink chimes
}

# A Daytime server on the loopback for Ostran Time, answering with the time of the moment.
start_daytime_now() {
    python3 "$(dirname "${BASH_SOURCE[0]}")/../../tools/daytime-now.py" "$work" >"$work/daytime.log" 2>&1 &
    pids+=($!)
    within 50 test -s "$work/port" || fail "the Daytime server did not start: $(cat "$work/daytime.log")"
    export VRIM_DAYTIME_SERVER="127.0.0.1:$(cat "$work/port")"
}

# A session bus with the accessibility bus beside it; "on" switches it on as a screen reader does.
start_accessibility_bus() {
    dbus-daemon --session --fork --address="unix:dir=$work" --print-address=5 --print-pid=6 \
        5>"$work/bus.address" 6>"$work/bus.pid"
    pids+=("$(cat "$work/bus.pid")")
    export DBUS_SESSION_BUS_ADDRESS
    DBUS_SESSION_BUS_ADDRESS=$(cat "$work/bus.address")
    /usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/atspi.log" 2>&1 &
    pids+=($!)
    within 100 dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress ||
        fail "the accessibility bus did not start: $(cat "$work/atspi.log")"
    [ "${1:-}" != on ] || dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
        org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled variant:boolean:true >/dev/null
}

# Records the null sink into $1 in pieces of 20 ms (pid in $recorder); returns once the first is
# written, for a busy machine's recorder takes a second or more to start and loses what comes first.
start_recording() {
    rm -f "$1"
    parec -d chimes.monitor --latency-msec=20 --file-format=wav "$1" &
    recorder=$!
    pids+=("$recorder")
    within 100 has_sound "$1" || fail "the recorder did not start"
}
has_sound() { [ "$(stat -c %s "$1" 2>/dev/null || echo 0)" -gt 44 ]; }
stop_recording() {
    kill -INT "$recorder"
    wait "$recorder" 2>/dev/null || true
}
peak_of() { sox "$1" -n stat 2>&1 | awk '/Maximum amplitude/{print $3}'; }

# A fresh program folder $1 holding the program $2 and the folders installed beside it.
make_program_folder() {
    local folder=$1 program=$2 sub
    mkdir -p "$folder"
    cp "$program" "$folder/"
    for sub in Skins Sounds Helps; do
        if [ -d "$(dirname "$program")/$sub" ]; then cp -r "$(dirname "$program")/$sub" "$folder/"; fi
    done
}

# Starts the program $1 from a fresh folder ($folder: $3, else $work/prog); pid in $app, output in
# out.log. With $2 ("2026-12-07 10:04:42") its wall clock starts there, the real one plus an offset
# in a file, known to the millisecond however slowly it starts; the monotonic clock stays real.
start_program() {
    folder=${3:-$work/prog}
    make_program_folder "$folder" "$1"
    # libfaketime is preloaded ahead of a sanitizer build's runtime; let that build accept it.
    export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"
    local faked=()
    started=$(date +%s.%N)
    if [ -n "${2:-}" ]; then
        clock_file="$work/clock"
        clock_offset=$(awk -v t="$(date -d "$2" +%s)" -v n="$started" 'BEGIN{printf "%.6f", t - n}')
        write_clock_file
        faked=(LD_PRELOAD="$(ls /usr/lib/*/faketime/libfaketime.so.1 | head -n 1)" FAKETIME_NO_CACHE=1
            FAKETIME_TIMESTAMP_FILE="$clock_file" FAKETIME_DONT_FAKE_MONOTONIC=1)
    fi
    env "${faked[@]}" "$folder/vrimclocks" >"$work/out.log" 2>&1 &
    app=$!
    pids+=("$app")
}
# The offset in seconds, read afresh at every reading of the clock; renamed in whole.
write_clock_file() {
    printf '%+.6f\n' "$clock_offset" >"$clock_file.new"
    mv "$clock_file.new" "$clock_file"
}
# Sets the running program's clock on by $1 seconds, as a user setting the system clock would.
jump_clock() {
    clock_offset=$(awk -v o="$clock_offset" -v j="$1" 'BEGIN{printf "%.6f", o + j}')
    write_clock_file
}
# The program's time now, as seconds since the epoch with a fraction.
program_time() { awk -v o="$clock_offset" -v n="$(date +%s.%N)" 'BEGIN{printf "%.2f", n + o}'; }

# Uses the launcher label at height $1 and waits for the window named $2; its id in $clock.
open_from_launcher() {
    click_at "$(windows_named "vRIM's")" 30 "$1"
    within 50 shown "$2" || fail "the $2 window did not open from the launcher"
    clock=$(windows_named "$2")
}

# Presses for the menu at $2,$3 in window $1, Down $4 times and Return; the window $5's id in $dialog.
open_from_menu() {
    press_at "$1" "$2" "$3" && sleep 0.3 && release_button
    # shellcheck disable=SC2046
    xdotool key $(printf 'Down %.0s' $(seq "$4")) Return
    within 50 shown "$5" || fail "the menu did not open $5"
    dialog=$(windows_named "$5")
}

rgb_at() {
    convert "$1" -format "%[fx:round(255*p{$2,$3}.r)],%[fx:round(255*p{$2,$3}.g)],%[fx:round(255*p{$2,$3}.b)]" info:
}
# Fails unless the screenshot $1 shows the colour $4 ("r,g,b") at $2,$3; $5 says what is there.
expect() { [ "$(rgb_at "$1" "$2" "$3")" = "$4" ] || fail "$5 shows $(rgb_at "$1" "$2" "$3"), not $4"; }

# The advice box: the "Vrim Clocks" window that is not the 450x285 splash.
advice_box() {
    local id
    for id in $(windows_named "Vrim Clocks"); do
        [ "$(size_of "$id")" = "450x285" ] || { echo "$id"; return 0; }
    done
    return 1
}
# Closes the advice box at the end of the splash's countdown and waits for the launcher.
dismiss_advice() {
    within 200 advice_box || fail "no advice box after the countdown"
    xdotool windowfocus --sync "$(advice_box)" key Return
    within 50 shown "vRIM's" || fail "no launcher after closing the advice box"
}

# Opens the launcher, the eight clocks, Gantos running, Ostran Time and the Dov help page together
# (an entry closes the launcher; a help page's Exit brings it back). Set VRIM_DAYTIME_SERVER first.
# A script's window_opened hears each name and the time (date +%s.%N) before its entry was used.
open_every_window() {
    local entry height name since
    shown "vRIM's" || dismiss_advice
    within 50 shown Help || fail "no help menu to come back by"
    for entry in "18 vrimcolor" "49 norvi" "79 lum-bo" "110 dov" "141 Quenz" "171 Mip" \
        "202 Jolvex" "293 Perrin" "233 Ostran Time" "264 Gantos"; do
        read -r height name <<<"$entry"
        xdotool windowraise "$(windows_named "vRIM's")" # the clocks lie over parts of it
        since=$(date +%s.%N)
        open_from_launcher "$height" "$name"
        if declare -F window_opened >/dev/null; then window_opened "$name" "$since"; fi
        within 50 not_shown "vRIM's" || fail "the launcher stayed open after $name"
        if [ "$name" = Gantos ]; then
            sync_caption before # Sincronized Start's caption changes once both watches run
            click_at "$clock" 200 278
            within 30 sync_caption_changed || fail "Sincronized Start did not start the stopwatches"
        fi
        open_help_page
        xdotool windowraise "$(windows_named "Vrim Clocks Help")"
        click_at "$(windows_named "Vrim Clocks Help")" 190 415 # Exit
        within 50 shown "vRIM's" || fail "the help page's Exit brought no launcher"
        within 50 shown Help || fail "the help page's Exit brought no help menu"
        within 50 not_shown "Vrim Clocks Help" || fail "the help page stayed after its Exit"
    done
    open_help_page
    shown "vRIM's" || fail "the launcher went when the last help page opened"
}
clocks=(vrimcolor norvi lum-bo dov Quenz Mip Jolvex Perrin)
# Lays out open_every_window's windows so that none covers a clock: the clocks along the top (Lumbo
# above), the others below, and Perrin, which creeps a pixel left every minute or so, alone.
lay_out_every_window() {
    local x=0 name id w h
    xdotool windowmove --sync "$(windows_named lum-bo)" 0 0
    for name in vrimcolor norvi dov Quenz Mip Jolvex; do
        id=$(windows_named "$name")
        read -r w h < <(size_of "$id" | tr x ' ')
        xdotool windowmove --sync "$id" "$x" 70
        x=$((x + w + 6))
    done
    xdotool windowmove --sync "$(windows_named "vRIM's")" $((1280 - 135)) 0
    xdotool windowmove --sync "$(windows_named "Vrim Clocks Help")" $((1280 - 135 - 330)) 70
    xdotool windowmove --sync "$(windows_named Gantos)" 0 300
    xdotool windowmove --sync "$(windows_named "Ostran Time")" 405 300
    xdotool windowmove --sync "$(windows_named Perrin)" 1040 600
    for id in $(windows_named Help); do xdotool windowmove --sync "$id" 0 420; done
    [ "$x" -le $((1280 - 135 - 330)) ] || fail "the clocks need $x pixels in a row"
}
sync_caption() { import -window "$(windows_named Gantos)" -crop 160x24+120+266 +repage "$work/sync.$1.png"; }
sync_caption_changed() {
    sync_caption after
    [ "$(compare -metric AE "$work/sync.before.png" "$work/sync.after.png" null: 2>&1)" != 0 ]
}
# The help menu's dov row opens the Dov help page.
open_help_page() {
    local menu
    menu=$(windows_named Help)
    [ -n "$menu" ] || fail "no help menu to open a page from"
    xdotool windowraise "$menu"
    click_at "$menu" 8 131
    within 50 shown "Vrim Clocks Help" || fail "the help menu's dov row opened no page"
}

