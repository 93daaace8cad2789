#!/usr/bin/env bash
# Runs one of our parsers under libFuzzer, built with clang, AddressSanitizer and UBSan:
#   tools/fuzz.sh TARGET [SECONDS | -runs=N] [more libFuzzer options]
# TARGET is settings (the settings-file reader), daytime (the Daytime reply parser) or rtf (the
# help pages' reader); the default is 60 seconds. Each run starts from the seeds in
# tools/fuzz/corpus/TARGET and the real files (the help pages for rtf). The work folder,
# FUZZ_WORK or a new one under /tmp, keeps the fuzzer (rebuilt when a source is newer), the corpus
# it grew and any input that failed (crash-*, leak-*, timeout-*); replay one with
#   WORK/TARGET_fuzzer WORK/crash-...
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
target=${1:-}
case "$target" in
settings) sources=(settings/SettingsStore.cpp settings/SettingsFormat.cpp settings/DataFolders.cpp
                   platform/LocalFiles.cpp)
          options=(-max_len=8192) ;; # past the longest line a setting may have
daytime)  sources=(nettime/DaytimeReply.cpp)
          options=(-max_len=2048) ;;
rtf)      sources=(help/RtfReader.cpp)
          options=(-max_len=16384 -dict="$here/tools/fuzz/rtf.dict") ;;
*)        echo "usage: $0 settings|daytime|rtf [SECONDS | -runs=N] [libFuzzer options]" >&2
          exit 2 ;;
esac
shift
length=(-max_total_time=60)
if [ $# -gt 0 ]; then
    case "$1" in
    [0-9]*) length=(-max_total_time="$1"); shift ;;
    -*)     length=() ;;
    esac
fi

clang=${CLANGXX:-$(command -v clang++ || ls /usr/bin/clang++-* 2>/dev/null | sort -V | tail -1)}
[ -n "$clang" ] || { echo "clang++ is needed for libFuzzer (Debian: clang libclang-rt-dev)" >&2; exit 2; }
work=${FUZZ_WORK:-$(mktemp -d "/tmp/fuzz_$target.XXXXXX")}
mkdir -p "$work"
fuzzer=$work/${target}_fuzzer

# Built again when its entry point, one of its sources or any header changed since.
stale() {
    [ ! -x "$fuzzer" ] ||
        [ -n "$(find "$here/tools/fuzz/${target}_fuzzer.cpp" "${sources[@]/#/$here/src/}" -newer "$fuzzer")" ] ||
        [ -n "$(find "$here/src" -name '*.h' -newer "$fuzzer" -print -quit)" ]
}
if stale; then
    echo "building $fuzzer with $clang"
    # shellcheck disable=SC2046
    "$clang" -std=c++20 -g -O2 -fno-omit-frame-pointer -fPIC -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
        -DQT_NO_KEYWORDS -DQT_USE_QSTRINGBUILDER -DQT_NO_CAST_FROM_BYTEARRAY -I"$here/src" $(pkg-config --cflags Qt6Core) \
        "$here/tools/fuzz/${target}_fuzzer.cpp" "${sources[@]/#/$here/src/}" \
        $(pkg-config --libs Qt6Core) -o "$fuzzer.new"
    mv "$fuzzer.new" "$fuzzer"
fi

rm -rf "$work/corpus"
mkdir -p "$work/corpus"
cp "$here/tools/fuzz/corpus/$target"/* "$work/corpus/"
if [ "$target" = rtf ]; then
    cp "$here"/tests/help/data/*.rtf "$here"/data/Helps/*.rtf "$work/corpus/"
fi

# Leaks are looked for; a smaller quarantine and shorter allocation stacks than ASan's own defaults
# roughly double the speed on a small machine.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:quarantine_size_mb=16:malloc_context_size=8:max_malloc_fill_size=0}
echo "fuzzing $target in $work"
"$fuzzer" "${length[@]}" "${options[@]}" -artifact_prefix="$work/" -print_final_stats=1 "$@" "$work/corpus"
