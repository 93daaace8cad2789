# Shared by the end-to-end scripts: a work folder, an X server of their own, a fresh program
# folder, and small helpers to wait for and find windows. Sourced, not run.

work=$(mktemp -d)
pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
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
# Waits up to $2 tenths of a second (10 s unless given) for the process $1 to end; its exit
# status goes to $status.
await_exit() {
    within "${2:-100}" bash -c "! kill -0 $1" || return 1
    wait "$1" && status=0 || status=$?
}
# Fails unless the process $1 ends within $3 tenths of a second (10 s unless given) with status 0;
# $2 says what asked it to end.
ends_well() {
    await_exit "$1" "${3:-100}" || fail "the program kept running after $2"
    [ "$status" -eq 0 ] || fail "exit status $status after $2"
}
# Viewable top-level windows with the given name, one id a line.
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
# Where the window $1 is with the window manager's frame around it (its own place when it has
# none): the place the program asks for when it moves a framed window.
frame_place_of() {
    local x y extents left=0 top=0
    IFS=, read -r x y <<<"$(place_of "$1")"
    extents=$(xprop -id "$1" _NET_FRAME_EXTENTS)
    [[ "$extents" != *=* ]] || IFS=', ' read -r left _ top _ <<<"${extents#*= }"
    echo "$((x - left)),$((y - top))"
}
# Whether the pointer is over the window $1: the window under it is $1 or the window manager's
# frame around it.
pointer_over() {
    local WINDOW X Y SCREEN tree
    eval "$(xdotool getmouselocation --shell)"
    [ "$WINDOW" = "$1" ] && return 0
    tree=$(xwininfo -id "$WINDOW" -tree)
    grep -qi "^ *$(printf '0x%x' "$1") " <<<"$tree"
}
# Where the window $1's top left is on the screen, "x,y".
place_of() { xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} END{print x "," y}'; }

# Starts Xvfb on a free display and points DISPLAY at it. -noreset: otherwise the server resets
# whenever its last client leaves and turns some new connections away meanwhile.
start_x() {
    local xvfb_pid display_number
    exec 3< <(Xvfb -displayfd 1 -screen 0 1280x800x24 -nolisten tcp -noreset 2>/dev/null & echo "pid $!"; wait)
    read -r _ xvfb_pid <&3
    pids+=("$xvfb_pid")
    read -r display_number <&3
    export DISPLAY=":$display_number"
    unset WAYLAND_DISPLAY QT_QPA_PLATFORM
    # No session bus unless a script starts its own (start_accessibility_bus): with none named, a
    # machine that has dbus-x11 would launch one for the program and leave its files in HOME.
    export DBUS_SESSION_BUS_ADDRESS=disabled:
    start_window_manager
}

# Debian's openbox with its shipped settings, as on a user's desktop: it takes the pointer for
# a move, frames and places the windows, and keeps "above" windows over the others. Its own
# files go to the work folder. Ready once it names itself on the root window.
start_window_manager() {
    mkdir -p "$work/wm"
    HOME="$work/wm" XDG_CONFIG_HOME="$work/wm" XDG_CACHE_HOME="$work/wm" XDG_DATA_HOME="$work/wm" \
        openbox --sm-disable --config-file /etc/xdg/openbox/rc.xml >"$work/openbox.log" 2>&1 &
    pids+=($!)
    within 100 window_manager_ready || fail "openbox did not start: $(cat "$work/openbox.log")"
}
window_manager_ready() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }

# A person's click, which xdotool's own is not: the pointer goes to $2,$3 in window $1 (on the
# screen when $1 is "screen") and rests there a moment, the button ($4, 1 unless given) is held
# $press_ms (70 ms unless a caller says otherwise: "press_ms=150 click_at ..." for a slow hand).
# double_click_at clicks twice, 120 ms apart.
press_ms=70
click_at() { point_at "$1" "$2" "$3" && press_button "${4:-1}"; }
double_click_at() { click_at "$@" && sleep 0.12 && press_button "${4:-1}"; }
# The button goes down at $2,$3 in window $1 and stays down until release_button.
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
# Its clients share a cookie in its folder, as a desktop's do in the home folder.
start_sound_server() {
    export PULSE_RUNTIME_PATH="$work/pulse" PULSE_STATE_PATH="$work/pulse" HOME="$work" \
        PULSE_COOKIE="$work/pulse/cookie"
    mkdir -p "$PULSE_RUNTIME_PATH"
    export PULSE_SERVER="unix:$PULSE_RUNTIME_PATH/native"
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
        -L "module-native-protocol-unix auth-anonymous=1 socket=$PULSE_RUNTIME_PATH/native" \
        -L "module-null-sink sink_name=chimes" >"$work/pulse.log" 2>&1 &
    pids+=($!)
    within 100 pactl info || fail "the sound server did not start: $(cat "$work/pulse.log")"
    pactl set-default-sink chimes
}

# A session bus of our own with the desktop's accessibility bus beside it, as a screen reader's
# desktop has them; with "on", accessibility is switched on the way a screen reader does it.
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
    if [ "${1:-}" = on ]; then
        dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
            org.freedesktop.DBus.Properties.Set string:org.a11y.Status string:IsEnabled variant:boolean:true \
            >/dev/null
    fi
}

# Records the null sink into $1 in the background; its pid goes to $recorder. The recording has
# begun when this returns, its first sound written: on a busy machine the recorder takes a second
# or more to start, and much of what comes before its first piece is lost. Pieces of 20 ms, so
# that the recording keeps time and little is lost when it stops.
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
# The loudest sample of a recording, 0 to 1.
peak_of() { sox "$1" -n stat 2>&1 | awk '/Maximum amplitude/{print $3}'; }

# A fresh program folder $1 holding the program $2 and the installation folders beside it.
make_program_folder() {
    local folder=$1 program=$2 sub
    mkdir -p "$folder"
    cp "$program" "$folder/"
    for sub in Skins Sounds Helps modules; do
        if [ -d "$(dirname "$program")/$sub" ]; then cp -r "$(dirname "$program")/$sub" "$folder/"; fi
    done
}

# Starts the program $1 from a fresh program folder ($folder: $3, else $work/prog), at the time
# of day $2 when given ("2026-12-07 10:04:42": the wall clock starts there and runs on; the
# monotonic clock stays real, so timers keep their pace). Its output goes to $work/out.log, its
# pid to $app, the moment it started (date +%s.%N) to $started. The faked clock is the real one
# plus an offset kept in a file, so the program's time is known to the millisecond however slowly
# it starts, and jump_clock can set it while it runs, as a user setting the system clock would.
start_program() {
    folder=${3:-$work/prog}
    make_program_folder "$folder" "$1"
    # libfaketime is preloaded ahead of a sanitizer build's runtime; let that build accept it.
    export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"
    local faked=()
    started=$(date +%s.%N) # when the program's clock read $2
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
# The file holds the clock's offset from the real time in seconds ("-3600.25"), which
# libfaketime reads afresh at every reading of the clock. Written whole and then renamed, so
# that no reading sees half a file.
write_clock_file() {
    printf '%+.6f\n' "$clock_offset" >"$clock_file.new"
    mv "$clock_file.new" "$clock_file"
}
# Sets the running program's clock on by $1 seconds (back when negative).
jump_clock() {
    clock_offset=$(awk -v o="$clock_offset" -v j="$1" 'BEGIN{printf "%.6f", o + j}')
    write_clock_file
}
# The program's time now, as seconds since the epoch with a fraction.
program_time() { awk -v o="$clock_offset" -v n="$(date +%s.%N)" 'BEGIN{printf "%.2f", n + o}'; }

# Uses the launcher label at height $1 (pixels) and waits for the window named $2; its id goes
# to $clock.
open_from_launcher() {
    click_at "$(windows_named "vRIM's")" 30 "$1"
    within 50 shown "$2" || fail "the $2 window did not open from the launcher"
    clock=$(windows_named "$2")
}

# Opens a menu by pressing the left button at $2,$3 in window $1, presses Down $4 times (the
# first lands on the first item that can be chosen) and Return, and waits for the window named
# $5; its id goes to $dialog.
open_from_menu() {
    local downs=""
    for ((i = 0; i < $4; i++)); do downs+=" Down"; done
    press_at "$1" "$2" "$3" && sleep 0.3 && release_button
    # shellcheck disable=SC2086
    xdotool key $downs Return
    within 50 shown "$5" || fail "the menu did not open $5"
    dialog=$(windows_named "$5")
}

# A pixel of the screenshot $1 at $2,$3 as "r,g,b".
rgb_at() {
    convert "$1" -format "%[fx:round(255*p{$2,$3}.r)],%[fx:round(255*p{$2,$3}.g)],%[fx:round(255*p{$2,$3}.b)]" info:
}
# Fails unless the screenshot $1 shows the colour $4 ("r,g,b") at $2,$3; $5 says what is there.
expect() { [ "$(rgb_at "$1" "$2" "$3")" = "$4" ] || fail "$5 shows $(rgb_at "$1" "$2" "$3"), not $4"; }

# Closes the advice box at the end of the splash's countdown (the box is the "Vrim Clocks"
# window that is not the 450x285 splash), then waits for the launcher.
dismiss_advice() {
    advice_box() {
        local id
        for id in $(windows_named "Vrim Clocks"); do
            [ "$(size_of "$id")" = "450x285" ] || { echo "$id"; return 0; }
        done
        return 1
    }
    within 200 advice_box || fail "no advice box after the countdown"
    xdotool windowfocus --sync "$(advice_box)" key Return
    within 50 shown "vRIM's" || fail "no launcher after closing the advice box"
}

# With the program started by start_program, opens every window together: the launcher, the
# eight clocks, Gantos with both stopwatches running, Ostran Time and the Dov help page. Opening
# a window from the launcher closes the launcher but leaves the help menu (open at the splash's
# end); a help page opened from that menu and left by its Exit brings back both, ready for the
# next entry; at the end a last page opened from the menu stays, beside the launcher. Windows are
# raised before each click, for the clocks opened so far lie over parts of the launcher and the
# help menu. Set VRIM_DAYTIME_SERVER before start_program to keep Ostran Time's query at home.
# A script that defines window_opened has it called as each window shows, with the window's name
# and the real time (date +%s.%N) before its entry was used.
open_every_window() {
    local entry height name since
    shown "vRIM's" || dismiss_advice
    within 50 shown Help || fail "no help menu to come back by"
    for entry in "18 vrimcolor" "49 norvi" "79 lum-bo" "110 dov" "141 Quenz" "171 Mip" \
        "202 Jolvex" "293 Perrin" "233 Ostran Time" "264 Gantos"; do
        read -r height name <<<"$entry"
        xdotool windowraise "$(windows_named "vRIM's")"
        since=$(date +%s.%N)
        open_from_launcher "$height" "$name"
        if declare -F window_opened >/dev/null; then window_opened "$name" "$since"; fi
        within 50 not_shown "vRIM's" || fail "the launcher stayed open after $name"
        if [ "$name" = Gantos ]; then
            # Sincronized Start: its caption changes once both watches run.
            sync_caption before
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
# Moves every window that open_every_window opened to a place of its own, so that no window
# covers a clock: the clocks in a row along the top (Lumbo's long bar above them), the other
# windows below, and Perrin, which creeps a pixel to the left every minute or so, alone along the
# bottom edge.
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
# Gantos's synchronised button, as the screen shows it, into $work/sync.$1.png.
sync_caption() { import -window "$(windows_named Gantos)" -crop 160x24+120+266 +repage "$work/sync.$1.png"; }
sync_caption_changed() {
    sync_caption after
    [ "$(compare -metric AE "$work/sync.before.png" "$work/sync.after.png" null: 2>&1)" != 0 ]
}
# The help menu's dov row: the Dov help page opens and the menu goes.
open_help_page() {
    local menu
    menu=$(windows_named Help)
    [ -n "$menu" ] || fail "no help menu to open a page from"
    xdotool windowraise "$menu"
    click_at "$menu" 8 131
    within 50 shown "Vrim Clocks Help" || fail "the help menu's dov row opened no page"
}

