#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a scratch root and starts the installed
# program there, offscreen, with the UI driver pressing Quit.
#   package.sh BUILD_DIR
set -euo pipefail
build=${1:?usage: package.sh BUILD_DIR}
work="$TARVIK_TEST_WORKDIR/package"
rm -rf "$work"
mkdir -p "$work/root"

cpack -G DEB -B "$work" --config "$build/CPackConfig.cmake" >"$work/cpack.log"
deb=$(ls "$work"/*.deb)
[ "$(dpkg-deb --field "$deb" Package)" = tarvik-calibration-updater ]
dpkg-deb -x "$deb" "$work/root"

dir="$work/root/usr/lib/tarvik-calibration-updater"
for f in "$dir/tarvik-calibration-updater" "$dir/Resources/trans_en.qm" "$dir/Resources/trans_de.qm" \
         "$dir/Resources/splash.png" "$work/root/usr/share/applications/tarvik-calibration-updater.desktop" \
         "$work/root/usr/share/icons/hicolor/128x128/apps/tarvik-calibration-updater.png"; do
    [ -s "$f" ] || { echo "missing from the package: ${f#$work/root}"; exit 1; }
done
# The package depends on the Qt generation the program was built against.
[[ $(ldd "$dir/tarvik-calibration-updater") =~ libQt([56])Core ]] || { echo "the program links no Qt"; exit 1; }
qt=${BASH_REMATCH[1]}
[[ $(dpkg-deb --field "$deb" Depends) == *"libqt${qt}core"* ]] ||
    { echo "the package does not depend on the Qt $qt the program links"; exit 1; }
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
