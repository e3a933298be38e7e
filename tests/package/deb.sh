#!/usr/bin/env bash
# CPack's Debian package: built from the build folder into a folder of its own, it holds the
# program folder under /usr/lib/zelmoravintesca, the command, the desktop entry and the icons,
# and depends on the libraries and fonts the program needs.
#   deb.sh BUILD_FOLDER VERSION
set -u
build=$1
version=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 ||
    { cat "$out/cpack.log" >&2; fail "cpack failed"; }
deb=$(ls "$out"/zelmoravintesca_*_*.deb 2>/dev/null | head -n1)
[ -n "$deb" ] || fail "cpack made no zelmoravintesca_VERSION_ARCH.deb"

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = zelmoravintesca ] || fail "the package is named $(field Package)"
[ "$(field Version)" = "$version" ] || fail "the package version is $(field Version), not $version"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "wrong architecture"
depends=$(field Depends)
for needed in libqt6widgets6 libqt6printsupport6 libqt6network6 fonts-liberation2 \
    qt6-translations-l10n libarchive13 ca-certificates; do
    grep -q "$needed" <<<"$depends" || fail "the package does not depend on $needed: $depends"
done

dpkg-deb -c "$deb" | awk '{print $1, $6, $7, $8}' >"$out/contents"
while read -r mode path; do
    grep -q "^$mode \\./$path\\( \|$\\)" "$out/contents" || fail "the package lacks $path ($mode)"
done <<'LIST'
-rwxr-xr-x usr/lib/zelmoravintesca/zelmoravintesca
-rw-r--r-- usr/lib/zelmoravintesca/ruote.grc
-rw-r--r-- usr/lib/zelmoravintesca/images/sfondoColor.bmp
-rw-r--r-- usr/lib/zelmoravintesca/images/vietatoBW.jpg
lrwxrwxrwx usr/bin/zelmoravintesca
-rw-r--r-- usr/share/applications/zelmoravintesca.desktop
-rw-r--r-- usr/share/icons/hicolor/48x48/apps/zelmoravintesca.png
-rw-r--r-- usr/share/icons/hicolor/256x256/apps/zelmoravintesca.png
LIST
grep -q '^lrwxrwxrwx ./usr/bin/zelmoravintesca -> ../lib/zelmoravintesca/zelmoravintesca$' \
    "$out/contents" || fail "usr/bin/zelmoravintesca does not link to the program"
# Nothing of the tests or the build tools goes into the package.
grep -E 'e2e|test|make_|\.a$' "$out/contents" && fail "the package holds build or test files"
echo "$(basename "$deb"): $(wc -l <"$out/contents") entries, depends on $depends"
