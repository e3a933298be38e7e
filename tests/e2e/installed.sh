#!/usr/bin/env bash
# The program as installed system-wide: `cmake --install` lays out the program folder, the
# command and the desktop entry; a user who cannot write the program folder starts it from the
# command, and the program keeps its files in ~/.local/share/Zelmoravintesca/: the shipped
# wheels list and pictures are copied there, systems open from its sistemi/ and "File PDF"
# writes into its stampe/, while the installed folder stays as it was.
#   installed.sh EXECUTABLE BUILD_FOLDER
here=$(dirname "$0")
. "$here/lib.sh"
build=$2
for tool in setpriv pdfinfo python3; do
    command -v "$tool" >/dev/null || fail "$tool is not installed"
done

prefix=$E2E_TMP/usr
cmake --install "$build" --prefix "$prefix" >"$E2E_TMP/install.log" 2>&1 ||
    { cat "$E2E_TMP/install.log" >&2; fail "cmake --install failed"; }
folder=$prefix/lib/zelmoravintesca
for f in zelmoravintesca ruote.grc images/sfondoColor.bmp images/sfondoBW.bmp \
    images/vietato.jpg images/vietatoBW.jpg; do
    [ -f "$folder/$f" ] || fail "the installed program folder has no $f"
done
[ "$(readlink "$prefix/bin/zelmoravintesca")" = ../lib/zelmoravintesca/zelmoravintesca ] ||
    fail "bin/zelmoravintesca is not a link to the program"
desktop=$prefix/share/applications/zelmoravintesca.desktop
[ -f "$desktop" ] || fail "no desktop entry"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$desktop" || fail "the desktop entry is not valid"
fi
grep -qx 'Exec=zelmoravintesca %f' "$desktop" ||
    fail "the desktop entry does not run the command with a file"
grep -qx 'MimeType=application/x-zelmoravintesca;' "$desktop" ||
    fail "the desktop entry does not name the type of the .zlm files"
grep -q '<glob pattern="\*\.zlm"/>' "$prefix/share/mime/packages/zelmoravintesca.xml" ||
    fail "the type of the .zlm files is not installed"
grep -qx 'Icon=zelmoravintesca' "$desktop" || fail "the desktop entry names no icon"
for px in 16 32 48 256; do
    icon=$prefix/share/icons/hicolor/${px}x$px/apps/zelmoravintesca.png
    python3 - "$icon" "$px" <<'PY' || fail "icon $icon is not a $px-pixel PNG"
import struct, sys
data = open(sys.argv[1], 'rb').read(24)
assert data[:8] == b'\x89PNG\r\n\x1a\n'
assert struct.unpack('>II', data[16:24]) == (int(sys.argv[2]),) * 2
PY
done

# The installed program runs as it ships; its version query goes where the test's
# environment points it (ZELMORA_VERSION_SERVER), on this machine.
[ -n "${ZELMORA_VERSION_SERVER:-}" ] || fail "ZELMORA_VERSION_SERVER is not set"
find "$prefix" -exec touch -d '2001-01-01' {} +
ls -lR --time-style=+%s "$prefix" >"$E2E_TMP/installed-before.txt"

# An ordinary user ("nobody") with a home of its own in the test's folder.
chmod 755 "$E2E_TMP"
home=$E2E_TMP/home
user_files=$home/.local/share/Zelmoravintesca
mkdir -p "$user_files/sistemi" "$home/tmp"
printf 'PROVA INSTALLATA\r\nFile PDF\r\n' >"$user_files/impostazioni.cfg"
square=(7 12 23 34 45 7 56 67 78 89 7 1 2 13 24 7)
system_bytes "$user_files/sistemi/casa.zlm" Bari casa.zlm 7 1.15 0.25 0.10 "${square[@]}"
chown -R 65534:65534 "$home"

start_display
setpriv --reuid=65534 --regid=65534 --clear-groups \
    env HOME="$home" TMPDIR="$home/tmp" XDG_RUNTIME_DIR="$home/tmp" PATH="$prefix/bin:/usr/bin:/bin" \
    zelmoravintesca &
APP=$!
E2E_PIDS=$APP
MAIN=$(wait_window "$MAIN_TITLE" 20) || fail "the installed program's main window did not appear"
activate "$MAIN"
count=$(xdotool search --onlyvisible --pid "$APP" --name '.' 2>/dev/null | wc -l)
[ "$count" -le 1 ] || fail "$count windows are shown at start: the settings were not found"

for f in ruote.grc images/sfondoColor.bmp images/sfondoBW.bmp images/vietato.jpg \
    images/vietatoBW.jpg; do
    cmp -s "$folder/$f" "$user_files/$f" || fail "$f was not copied into the user's folder"
done

# A system saved in the user's folder opens, and its listing goes to the user's stampe/.
keys alt+a
wait_active '^Apri$' >/dev/null || fail "Apri did not open the open dialog"
type_text casa.zlm
keys Return
wait_closed '^Apri$' || fail "the open dialog did not close"
activate "$MAIN"
keys alt+t
wait_active '^Stampa Tabulato$' >/dev/null || fail "Tabulato did not open the listing window"
keys alt+s
pdf=
for _ in $(seq 200); do
    for f in "$user_files"/stampe/*tabulato*.pdf; do
        tail -c 16 "$f" 2>/dev/null | grep -q '%%EOF' && pdf=$f
    done
    [ -n "$pdf" ] && break
    sleep 0.1
done
[ -n "$pdf" ] || fail "no listing PDF in the user's stampe/"
[ "$(stat -c %u "$pdf")" = 65534 ] || fail "the listing PDF does not belong to the user"
pdfinfo "$pdf" | grep -qE '^Pages: +1$' || fail "the listing is not one page"
pdftotext "$pdf" - | grep -q 'PROVA INSTALLATA' || fail "the listing lacks the user's heading"

ls -lR --time-style=+%s "$prefix" >"$E2E_TMP/installed-after.txt"
diff "$E2E_TMP/installed-before.txt" "$E2E_TMP/installed-after.txt" >&2 ||
    fail "the installed program folder changed"
echo "installed layout checked; the program ran as a user with its files in $user_files"
