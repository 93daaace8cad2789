#!/usr/bin/env bash
# Turns the help pages written in docs/help/*.md into the rich-text pages the program shows,
# data/Helps/*.rtf, with pandoc (installed from Debian when missing), and records in
# docs/help/pages.sums which source each page was made from, so that the tests notice a page
# that was not remade after its source changed. Safe to run again: unchanged sources give
# identical files.
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
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
