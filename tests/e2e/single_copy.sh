#!/usr/bin/env bash
# One running copy per user and program folder. A second start brings the running copy's launcher
# forward and ends with status 0, opening nothing of its own. A copy that was killed leaves its
# socket behind, which must not turn the next start away; two starts at once make one copy.
set -euo pipefail

program=${1:?usage: single_copy.sh PATH-TO-vrimclocks}
source "$(dirname "$0")/lib.sh"

start_x
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

start_program "$program"
first=$app
dismiss_advice
open_from_launcher 110 dov
within 50 not_shown "vRIM's" || fail "the launcher stayed open beside the clock"

# Starts the program in $folder again and waits for it to end; its status goes to $status.
start_again() {
    "$folder/vrimclocks" >"$work/second.log" 2>&1 &
    local pid=$!
    pids+=("$pid")
    within 150 bash -c "! kill -0 $pid" || fail "the second start did not end"
    wait "$pid" && status=0 || status=$?
}

start_again
[ "$status" -eq 0 ] || fail "the second start exited $status: $(cat "$work/second.log")"
within 50 shown "vRIM's" || fail "the running copy's launcher did not come forward"
kill -0 "$first" || fail "the first copy ended"
[ "$(windows_named "vRIM's" | wc -l)" -eq 1 ] || fail "two launchers"
[ "$(windows_named dov | wc -l)" -eq 1 ] || fail "the Dov clock is not there once"
not_shown "Vrim Clocks" || fail "a second splash came up"
pass "a second start brought the launcher forward and exited 0"

# Again with the launcher already up, behind the clock.
start_again
[ "$status" -eq 0 ] || fail "the third start exited $status"
[ "$(windows_named "vRIM's" | wc -l)" -eq 1 ] || fail "two launchers after the third start"
pass "a start while the launcher is up changes nothing"

# A killed copy leaves its socket; the next two starts, at once, make exactly one copy.
kill -KILL "$first"
wait "$first" 2>/dev/null || true
within 50 not_shown "vRIM's" || fail "the killed copy's launcher stayed"
"$folder/vrimclocks" >"$work/a.log" 2>&1 &
a=$!
"$folder/vrimclocks" >"$work/b.log" 2>&1 &
b=$!
pids+=("$a" "$b")
within 150 shown "Vrim Clocks" || fail "no splash after the killed copy: $(cat "$work/a.log" "$work/b.log")"
one_ended() { ! kill -0 "$a" || ! kill -0 "$b"; }
within 150 one_ended || fail "both starts kept running"
if kill -0 "$a"; then ended=$b; else ended=$a; fi
wait "$ended" && status=0 || status=$?
[ "$status" -eq 0 ] || fail "the start that handed over exited $status"
kill -0 "$a" || kill -0 "$b" || fail "neither start kept running"
[ "$(windows_named "Vrim Clocks" | wc -l)" -eq 1 ] || fail "more than one splash"
pass "after a killed copy, two starts at once made one copy"
