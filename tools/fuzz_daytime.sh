#!/usr/bin/env bash
# Runs the Daytime reply parser under libFuzzer (clang, with AddressSanitizer and UBSan) for a
# while: tools/fuzz_daytime.sh [SECONDS] (default 60). The test suite runs a short deterministic
# mutation run of its own; this is the longer one. Findings land in the work folder it names.
set -euo pipefail

seconds=${1:-60}
here=$(cd "$(dirname "$0")/.." && pwd)
clang=$(command -v clang++ || ls /usr/bin/clang++-* 2>/dev/null | sort -V | tail -1)
[ -n "$clang" ] || { echo "clang++ is needed for libFuzzer" >&2; exit 2; }
work=${FUZZ_WORK:-$(mktemp -d /tmp/fuzz_daytime.XXXXXX)}
mkdir -p "$work/corpus"

# Seeds: the forms the parser accepts.
printf '\n61380 26-12-06 12:18:43 00 0 0 608.1 UTC(NIST) * \n' >"$work/corpus/nist"
printf '\n61380 26-12-06 12:18:43 00 0 2 608.1 UTC(NIST) # \n' >"$work/corpus/unhealthy"
printf '06 DEC 2026 12:18:43 UTC\r\n' >"$work/corpus/other"
printf 'Sunday, December 6, 2026 12:18:43-GMT' >"$work/corpus/weekday"

# shellcheck disable=SC2046
"$clang" -std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined \
    -DQT_NO_KEYWORDS -I"$here/src" $(pkg-config --cflags Qt6Core) \
    "$here/tools/fuzz/daytime_fuzzer.cpp" "$here/src/nettime/DaytimeReply.cpp" \
    $(pkg-config --libs Qt6Core) -o "$work/daytime_fuzzer"

echo "fuzzing for $seconds s in $work"
"$work/daytime_fuzzer" -max_total_time="$seconds" -max_len=2048 -artifact_prefix="$work/" \
    -print_final_stats=1 "$work/corpus"
