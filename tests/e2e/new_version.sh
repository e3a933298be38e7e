#!/usr/bin/env bash
# With a newer version announced by the (local) server, the program shows the new-version
# window, never its main window, and ends when that window is closed.
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
[ -f "$TMPDIR/ver_zelmora.txt" ] || fail "the downloaded version file was not kept"
echo "new-version window shown, main window never shown, program ended with 0"
