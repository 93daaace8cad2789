#!/usr/bin/env bash
# The program installed into a folder its user cannot write to, started from the link in bin/ by an
# unprivileged user: its settings go to the user's data folder, and no byte of the program folder changes.
set -euo pipefail

program=${1:?usage: installed.sh PATH-TO-vrimclocks (in its build folder)}
build=$(dirname "$program")
source "$(dirname "$0")/lib.sh"

# Run as an unprivileged user: ourselves, or "nobody" when the tests run as root (as in CI).
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    if ! id nobody >/dev/null 2>&1 || ! command -v setpriv >/dev/null; then
        echo "SKIP: running as root with no user 'nobody' or no setpriv to start the program as"
        exit 77
    fi
    as_user=(setpriv --reuid="$(id -u nobody)" --regid="$(id -g nobody)" --clear-groups --)
    chmod 755 "$work"
fi

prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
    fail "cmake --install failed: $(tail -n 5 "$work/install.log")"
[ -L "$prefix/bin/vrimclocks" ] || fail "no launcher link in bin/"
for sub in Skins Sounds Helps; do [ -d "$prefix/$sub" ] || fail "$sub is not beside the program"; done

chmod -R a-w "$prefix"
trap 'chmod -R u+w "$prefix"; cleanup' EXIT
contents() { (cd "$prefix" && find . -printf '%M %u %s %p %l\n' | sort && find . -type f -exec sha256sum {} + | sort); }
before=$(contents)

home="$work/home"
mkdir -p "$home"
[ ${#as_user[@]} -eq 0 ] || chown nobody "$home"
data="$home/data"

start_x
"${as_user[@]}" env -u XDG_RUNTIME_DIR -u XDG_CONFIG_HOME -u XDG_CACHE_HOME HOME="$home" XDG_DATA_HOME="$data" \
    "$prefix/bin/vrimclocks" >"$work/out.log" 2>&1 &
app=$!
pids+=("$app")
within 100 shown "Vrim Clocks" || fail "no splash appeared"
settings="$data/vrimclocks/Settings"
count=$(find "$settings" -maxdepth 1 -type f -name '*.prf' 2>/dev/null | wc -l)
[ "$count" -eq 13 ] || fail "$settings holds $count settings files"
skin=$(head -n 1 "$settings/Quenzpref.prf" | tr -d '\r')
[ "$skin" = "$prefix/Skins/Quenz/dunga-3d.jpg" ] || fail "the Quenz skin is not the program folder's: $skin"
[ ${#as_user[@]} -eq 0 ] || [ "$(stat -c %U "$settings/Dovpref.prf")" = nobody ] || fail "the settings are not the user's"
pass "first start as $("${as_user[@]}" id -un): 13 settings files in the user's data folder"

dismiss_advice
click_at "$(windows_named "vRIM's")" 90 334 # the Exit bar
ends_well "$app" Exit
[ "$(contents)" = "$before" ] || fail "the program folder changed: $(diff <(echo "$before") <(contents) | head -n 10)"
pass "the Exit bar ends the program; the program folder unchanged"
