#!/usr/bin/env bash
# With a newer version announced by the (local) server, the program shows the new-version
# window, never its main window, and ends when that window is closed. A link planted under the
# answer's old file name in the temporary folder is left alone: the answer is written nowhere.
here=$(dirname "$0")
. "$here/lib.sh"
exe=$(fresh_program "$1" "$2")
port=$3
start_display

site=$E2E_TMP/site
mkdir -p "$site/public/lotto"
printf '9.9.9\r\n' > "$site/public/lotto/ver_zelmora.asp"
python3 -m http.server "$port" --bind 127.0.0.1 --directory "$site" >/dev/null 2>&1 &
server=$!
E2E_PIDS=$server
for _ in $(seq 50); do
    (exec 3<>/dev/tcp/127.0.0.1/"$port") 2>/dev/null && break
    sleep 0.1
done

mkdir -p "$E2E_TMP/player"
printf 'del giocatore\n' > "$E2E_TMP/player/lettera.txt"
ln -s "$E2E_TMP/player/lettera.txt" "$TMPDIR/ver_zelmora.txt"

"$exe" &
app=$!
E2E_PIDS="$server $app"
window=$(wait_window "Nuova Versione Disponibile!!" 20) || fail "the new-version window did not appear"
xdotool search --onlyvisible --name "Zelmoravintesca by Vandrel" >/dev/null 2>&1 &&
    fail "the main window is shown beside the new-version window"
import -window root "$E2E_TMP/new_version.png" 2>/dev/null

xdotool windowactivate --sync "$window" 2>/dev/null
xdotool key --window "$window" Escape
for _ in $(seq 50); do
    kill -0 "$app" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$app" 2>/dev/null && fail "the program did not end after the window closed"
wait "$app"
rc=$?
[ "$rc" = 0 ] || fail "the program exited with $rc"
[ "$(cat "$E2E_TMP/player/lettera.txt")" = "del giocatore" ] ||
    fail "the answer was written through the link planted in the temporary folder"
[ -L "$TMPDIR/ver_zelmora.txt" ] || fail "the link planted in the temporary folder was removed"
echo "new-version window shown, main window never shown, program ended with 0, planted link untouched"
