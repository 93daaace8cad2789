#!/usr/bin/env bash
# Turns the help pages written in docs/help/*.md into the rich-text pages the program shows,
# data/Helps/*.rtf, with pandoc (installed from Debian when missing), and records in
# docs/help/pages.sums which source each page was made from, so that the check notices a page
# that was not remade after its source changed. Safe to run again: unchanged sources give
# identical files. The pages are then checked with the program's own reader: each says what its
# source says, word for word (tools/make-samples.sh builds the checker in build-dev, or in the
# build folder given as the last argument). `make-help.sh --check` only checks.
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
if [ "${1:-}" = --check ]; then
    shift
    exec "$repo/tools/make-samples.sh" --check-pages "$@"
fi
sources="$repo/docs/help"
helps="$repo/data/Helps"

if ! command -v pandoc >/dev/null 2>&1; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    echo "make-help: installing pandoc" >&2
    $sudo apt-get install -y pandoc >/dev/null 2>&1 ||
        { $sudo apt-get update >/dev/null && $sudo apt-get install -y pandoc >/dev/null; }
fi

mkdir -p "$helps"
sums="$(mktemp)"
trap 'rm -f "$sums"' EXIT
# Page file names are the program's own (VrimHlp.rtf, QuenzHlp.rtf, ...): the source keeps them.
for source in "$sources"/*.md; do
    page="$(basename "$source" .md).rtf"
    pandoc --from=markdown --standalone --to=rtf --output="$helps/$page" "$source"
    echo "wrote data/Helps/$page"
    printf '%s  %s  %s\n' "$(sha256sum <"$source" | cut -d' ' -f1)" \
        "$(sha256sum <"$helps/$page" | cut -d' ' -f1)" "$page" >>"$sums"
done
{
    echo "# Made by tools/make-help.sh: source sha256, page sha256, page."
    LC_ALL=C sort -k3 "$sums"
} >"$sources/pages.sums"
"$repo/tools/make-samples.sh" --check-pages "$@"
