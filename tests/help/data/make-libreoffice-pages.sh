#!/usr/bin/env bash
# Remakes by hand the .rtf pages LibreOffice Writer (7.4, Debian 12) wrote from the libreoffice-*
# sources beside them; the tests read only the kept .rtf files.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
for source in libreoffice-*.html libreoffice-*.fodt; do
    soffice --headless --convert-to 'rtf:Rich Text Format' --outdir . "$source"
done
