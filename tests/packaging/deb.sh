#!/usr/bin/env bash
# The Debian package from cpack, looked at without installing it: the files' places, the computed
# dependencies, lintian without errors, a valid menu entry and software-centre description.
set -euo pipefail

build=${1:?usage: deb.sh BUILD-FOLDER}
source "$(dirname "$0")/../e2e/lib.sh" # the work folder, fail and pass

for tool in cpack dpkg-deb dpkg-shlibdeps lintian desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || fail "$tool is missing (./build.sh test installs it)"
done

(cd "$work" && cpack -G DEB -B "$work" --config "$build/CPackConfig.cmake") >"$work/cpack.log" 2>&1 ||
    fail "cpack failed: $(tail -n 20 "$work/cpack.log")"
deb=$(find "$work" -maxdepth 1 -name 'vrimclocks_*.deb')
[ -n "$deb" ] || fail "cpack made no vrimclocks_*.deb: $(ls "$work")"
pass "built $(basename "$deb")"

# --- The files' places.
dpkg-deb --contents "$deb" | awk '{ $1 = $2 = $3 = $4 = $5 = ""; sub(/^ +/, ""); print }' >"$work/contents"
has() {
    local file
    for file; do grep -qxF "./$file" "$work/contents" || fail "the package lacks $file"; done
}
app_id=$(sed -n 's/^Icon=//p' "$build/packaging/generated/"*.desktop)
has opt/vrimclocks/{vrimclocks,Skins/Quenz/dunga-3d.jpg,Sounds/bzz.wav,Helps/dovHlp.rtf}
has "usr/bin/vrimclocks -> /opt/vrimclocks/vrimclocks" usr/share/doc/vrimclocks/{copyright,changelog.gz}
has usr/share/{applications/"$app_id".desktop,metainfo/"$app_id".metainfo.xml}
has "usr/share/icons/hicolor/scalable/apps/$app_id.svg"
for size in 16 24 32 48 64 128 256; do has "usr/share/icons/hicolor/${size}x$size/apps/$app_id.png"; done
! grep -E '^\./opt/vrimclocks/(bin|share|Settings)' "$work/contents" || fail "the program folder holds more than the program"
! grep -E '^\./(usr/local|home|root|tmp)' "$work/contents" || fail "files outside the system's places"
pass "files in their places"

depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libc6 fonts-liberation2 pulseaudio-utils; do
    grep -q "$needed" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
pass "Depends: $depends"

# --- lintian: errors fail, warnings are shown.
lintian --fail-on error --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 ||
    fail "lintian: $(cat "$work/lintian.log")"
pass "lintian: no errors"
sed 's/^/    /' "$work/lintian.log"

# --- The menu entry and the metainfo as installed.
dpkg-deb -x "$deb" "$work/root"
desktop-file-validate "$work/root/usr/share/applications/$app_id.desktop" || fail "desktop-file-validate"
pass "desktop-file-validate"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/$app_id.metainfo.xml" || fail "appstreamcli validate"
grep -q "<release version=\"$(dpkg-deb -f "$deb" Version)\"" "$work/root/usr/share/metainfo/$app_id.metainfo.xml" ||
    fail "the metainfo has no release notes for this version"
pass "appstreamcli validate"
