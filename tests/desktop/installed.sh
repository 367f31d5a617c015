#!/usr/bin/env bash
# Installs the build below a scratch prefix and uses it as a user would: the desktop files pass
# their validators, and the installed viewer and CLI find their unzip library and demo without
# the build tree.
set -euo pipefail
BUILD=$1
SCRATCH=$(mktemp -d)
trap 'rm -rf "$SCRATCH"' EXIT
PREFIX=$SCRATCH/prefix
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR= cmake --install "$BUILD" --prefix "$PREFIX" >/dev/null
SHARE=$PREFIX/share
desktop-file-validate "$SHARE/applications/de.brimvale.Lumarc.desktop"
appstreamcli validate --no-net --explain "$SHARE/metainfo/de.brimvale.Lumarc.metainfo.xml" >/dev/null ||
  fail "appstreamcli rejects the metainfo"
[ -s "$SHARE/icons/hicolor/scalable/apps/de.brimvale.Lumarc.svg" ] || fail "no icon"
for size in 48 64 128 256; do
  [ -s "$SHARE/icons/hicolor/${size}x${size}/apps/de.brimvale.Lumarc.png" ] || fail "no ${size} px icon"
done
# A dock groups the running viewer (window class "lumarc") under its menu entry.
grep -q '^StartupWMClass=lumarc$' "$SHARE/applications/de.brimvale.Lumarc.desktop" || fail "window class"
grep -q '^Exec=lumarc %f$' "$SHARE/applications/de.brimvale.Lumarc.desktop" || fail "Exec line"

# The file type of our own is known to the database the install updated, in any case.
grep -qi 'application/x-lumarc-catalogue:.*lumarc32.dat' "$SHARE/mime/globs2" || fail "catalogue type not registered"

# Moved away from the build tree, so that nothing can be found there by accident.
mv "$PREFIX" "$SCRATCH/moved"
mkdir "$SCRATCH/home"
BIN=$SCRATCH/moved/bin
env -u DISPLAY -u WAYLAND_DISPLAY -u LD_LIBRARY_PATH HOME="$SCRATCH/home" XDG_CONFIG_HOME="$SCRATCH/config" \
  XDG_STATE_HOME="$SCRATCH/state" "$BIN/lumarc" --screenshot "$SCRATCH/shot.png" >/dev/null ||
  fail "the installed viewer did not start on its demo"
[ -s "$SCRATCH/shot.png" ] || fail "no picture"
[ ! -e "$SCRATCH/home/.local/lib" ] || fail "the installed viewer had to copy its unzip library"
"$BIN/lumarc-cli" check "$SCRATCH/moved/share/lumarc" >/dev/null || fail "the installed demo does not check"
diff <("$BIN/lumarc-cli" tree "$SCRATCH/moved/share/lumarc") <("$BUILD/lumarc-cli" tree "$BUILD") >/dev/null ||
  fail "the installed demo differs from the build's"
[ -f "$SCRATCH/moved/share/lumarc/COMPS/KALENDER.ZIP" ] || fail "the demo disc is missing"
echo "installed and found"
