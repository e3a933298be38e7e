#!/usr/bin/env bash
# CPack's Debian package: built from the build folder into a folder of its own, it holds the
# program folder under /usr/lib/zelmoravintesca, the command, the desktop entry and the icons,
# and the type of the .zlm files, and depends on the libraries and fonts the program needs. The
# desktop (GLib's gio here) knows a system file by that type and opens it with the program.
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
-rw-r--r-- usr/share/mime/packages/zelmoravintesca.xml
-rw-r--r-- usr/share/icons/hicolor/48x48/apps/zelmoravintesca.png
-rw-r--r-- usr/share/icons/hicolor/256x256/apps/zelmoravintesca.png
LIST
grep -q '^lrwxrwxrwx ./usr/bin/zelmoravintesca -> ../lib/zelmoravintesca/zelmoravintesca$' \
    "$out/contents" || fail "usr/bin/zelmoravintesca does not link to the program"
# Nothing of the tests or the build tools goes into the package.
grep -E 'e2e|test|make_|\.a$' "$out/contents" && fail "the package holds build or test files"

# The desktop entry takes one file and names the type; no maintainer script updates the
# databases, Debian's triggers do.
dpkg-deb -x "$deb" "$out/root"
desktop=$out/root/usr/share/applications/zelmoravintesca.desktop
grep -qx 'Exec=zelmoravintesca %f' "$desktop" || fail "the desktop entry does not take a file"
grep -qx 'MimeType=application/x-zelmoravintesca;' "$desktop" ||
    fail "the desktop entry does not name the type of the .zlm files"
dpkg-deb -e "$deb" "$out/control"
for script in preinst postinst prerm postrm; do
    [ -e "$out/control/$script" ] && fail "the package has a $script script"
done

# The package's type alone (no system database), as gio sees files: a system file by its name,
# and, under a name that says nothing, by its signature; a file named .zlm is one by its name.
command -v gio >/dev/null && command -v update-mime-database >/dev/null ||
    fail "gio and update-mime-database are needed (libglib2.0-bin, shared-mime-info)"
command -v update-desktop-database >/dev/null || fail "update-desktop-database is needed"
export XDG_DATA_HOME=$out/data XDG_DATA_DIRS=$out/none XDG_CONFIG_HOME=$out/config
mkdir -p "$XDG_DATA_HOME/mime/packages" "$XDG_DATA_HOME/applications" "$out/none" "$out/files"
cp "$out/root/usr/share/mime/packages/zelmoravintesca.xml" "$XDG_DATA_HOME/mime/packages/"
# What the triggers run on an installation, here on the private folders.
update-mime-database "$XDG_DATA_HOME/mime" || fail "update-mime-database refused the type"
cp "$desktop" "$XDG_DATA_HOME/applications/"
update-desktop-database "$XDG_DATA_HOME/applications" || fail "update-desktop-database failed"
python3 - "$out/files" <<'PY'
import os, sys
system = b'Zelmoravintesca' + b'Bari      ' + b'prova.zlm'.ljust(20) + bytes(61)
assert len(system) == 106
for name in ('prova.zlm', 'prova', 'prova.dat'):
    open(os.path.join(sys.argv[1], name), 'wb').write(system)
open(os.path.join(sys.argv[1], 'testo.zlm'), 'wb').write(b'Bari\r\n')
open(os.path.join(sys.argv[1], 'altro'), 'wb').write(b'Zelmora' + bytes(99))
PY
type_of() { gio info -a standard::content-type "$out/files/$1" | sed -n 's/^ *standard::content-type: //p'; }
for name in prova.zlm prova prova.dat testo.zlm; do
    [ "$(type_of "$name")" = application/x-zelmoravintesca ] ||
        fail "gio calls $name $(type_of "$name")"
done
[ "$(type_of altro)" != application/x-zelmoravintesca ] ||
    fail "a file that only starts like the signature is taken for a system"
# The desktop lists an application only when its command is on the PATH: the package's.
PATH=$out/root/usr/bin:$PATH gio mime application/x-zelmoravintesca |
    grep -q '^Default application .*: zelmoravintesca\.desktop$' ||
    fail "the desktop does not open a system file with the program: $(gio mime application/x-zelmoravintesca)"
echo "$(basename "$deb"): $(wc -l <"$out/contents") entries, depends on $depends"
echo "gio knows a system file as application/x-zelmoravintesca and opens it with the program"
