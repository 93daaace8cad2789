#!/usr/bin/env bash
# Remakes the pages LibreOffice Writer writes from the sources beside them (libreoffice-*.html,
# libreoffice-*.fodt). Run by hand where LibreOffice is installed; the tests read only the kept
# .rtf files. They were made with LibreOffice 7.4 (Debian 12).
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"
for source in libreoffice-*.html libreoffice-*.fodt; do
    soffice --headless --convert-to 'rtf:Rich Text Format' --outdir . "$source"
done
