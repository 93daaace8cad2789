#!/usr/bin/env bash
# Runs the help pages' RTF reader under libFuzzer (clang, with AddressSanitizer and UBSan) for a
# while: tools/fuzz_rtf.sh [SECONDS] (default 60). The test suite runs a short deterministic
# mutation run of its own; this is the longer one. Findings land in the work folder it names.
set -euo pipefail

seconds=${1:-60}
here=$(cd "$(dirname "$0")/.." && pwd)
clang=$(command -v clang++ || ls /usr/bin/clang++-* 2>/dev/null | sort -V | tail -1)
[ -n "$clang" ] || { echo "clang++ is needed for libFuzzer" >&2; exit 2; }
work=${FUZZ_WORK:-$(mktemp -d /tmp/fuzz_rtf.XXXXXX)}
mkdir -p "$work/corpus"

# Seeds: a page as pandoc writes it, our help pages when they are there, and small inputs that
# reach the tables, pictures, code pages and Unicode skipping.
cp "$here/tests/help/data/pandoc-page.rtf" "$work/corpus/"
for page in "$here"/data/Helps/*.rtf; do
    [ -e "$page" ] && cp "$page" "$work/corpus/"
done
printf '{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0 A;}}{\\colortbl;\\red9;}\\cf1\\f0 \\'"'"'c4\\uc2\\u233\\'"'"'e9\\'"'"'e9 x\\par}' >"$work/corpus/tables"
printf '{\\rtf1{\\*\\shppict{\\pict\\pngblip\\picwgoal30 89504e47}}{\\pict\\jpegblip\\bin2 xy}{\\*\\x y}}' >"$work/corpus/pictures"
printf '{\\rtf1\\qc\\li360\\fi-360\\tx360\\b\\i\\ul\\fs30 a\\tab b\\line c\\~\\-\\_\\\\\\{\\}\\plain\\pard d}' >"$work/corpus/words"

# shellcheck disable=SC2046
"$clang" -std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined \
    -DQT_NO_KEYWORDS -I"$here/src" $(pkg-config --cflags Qt6Core) \
    "$here/tools/fuzz/rtf_fuzzer.cpp" "$here/src/help/RtfReader.cpp" \
    $(pkg-config --libs Qt6Core) -o "$work/rtf_fuzzer"

echo "fuzzing for $seconds s in $work"
"$work/rtf_fuzzer" -max_total_time="$seconds" -max_len=16384 -artifact_prefix="$work/" \
    -dict=<(printf '"\\\\%s"\n' par line tab b i ul ul0 plain pard fs cf f qc qr ql qj li fi tx u uc bin pict pngblip jpegblip fonttbl colortbl red ansicpg shppict '*' "'") \
    -print_final_stats=1 "$work/corpus"
