#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package, has Debian's lintian and appstreamcli check it, unpacks it into
# a scratch root and starts the installed program there, offscreen, with the UI driver pressing Quit.
#   package.sh BUILD_DIR
set -euo pipefail
build=${1:?usage: package.sh BUILD_DIR}
work="$TARVIK_TEST_WORKDIR/package"
rm -rf "$work"
mkdir -p "$work/root"

cpack -G DEB -B "$work" --config "$build/CPackConfig.cmake" >"$work/cpack.log"
deb=$(ls "$work"/*.deb)
dpkg-deb -x "$deb" "$work/root"
# Lintian also finds a package named other than its doc folder (no copyright then) or without dependencies.
lintian --fail-on error,warning --tag-display-limit 0 "$deb"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/"*.metainfo.xml

dir="$work/root/usr/lib/tarvik-calibration-updater"
# The desktop entry, the German translation and the program itself are proved below.
for f in "$dir/Resources/trans_en.qm" "$dir/Resources/splash.png" \
         "$work/root/usr/share/icons/hicolor/128x128/apps/tarvik-calibration-updater.png"; do
    [ -s "$f" ] || { echo "missing from the package: ${f#$work/root}"; exit 1; }
done
[ "$(readlink -f "$work/root/usr/bin/tarvik-calibration-updater")" = "$dir/tarvik-calibration-updater" ]
grep -q '^Exec=tarvik-calibration-updater$' "$work/root/usr/share/applications/tarvik-calibration-updater.desktop"

# No instrument attached, German system language: the installed translation must be found.
"$dir/tarvik-standin" create --family both --serial PKG-1 --ambient-slot 9 >/dev/null
"$dir/tarvik-standin" detach >/dev/null
cat >"$work/script" <<'SCRIPT'
wait-window dialog
expect-text dialog label Kein Quillor TARVIK gefunden.
click dialog pushButton_2
SCRIPT
status=0
TARVIK_CATALOGUE_SERVER="http://127.0.0.1:$(cat "$TARVIK_CATALOGUE_PORT_FILE")" \
LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 TARVIK_UIDRIVER_SCRIPT="$work/script" TARVIK_UIDRIVER_LOG="$work/driver.log" \
    LD_PRELOAD="$TARVIK_UIDRIVER" "$work/root/usr/bin/tarvik-calibration-updater" \
    >"$work/program.log" 2>&1 || status=$?
cat "$work/driver.log"
if [ "$status" -ne 0 ] || grep -q FAIL "$work/driver.log"; then
    echo "the installed program ended with $status"
    tail -20 "$work/program.log"
    exit 1
fi
echo "installed program started from the package and quit with exit code 0"
