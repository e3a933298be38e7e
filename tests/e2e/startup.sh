#!/usr/bin/env bash
# Start-up as a player sees it: the splash comes first, a key closes it at once, and the main
# window follows; with no version server to answer, nothing else is shown.
here=$(dirname "$0")
. "$here/lib.sh"
exe=$(fresh_program "$1" "$2")
start_display

start=$(date +%s%N)
"$exe" &
app=$!
E2E_PIDS=$app
splash=$(wait_window '^Zelmoravintesca$' 10) || fail "the splash did not appear"
xdotool search --onlyvisible --name "Zelmoravintesca by Vandrel" >/dev/null 2>&1 &&
    fail "the main window is shown while the splash is up"
import -window root "$E2E_TMP/splash.png" 2>/dev/null
xdotool windowactivate --sync "$splash" 2>/dev/null
xdotool key --window "$splash" space
for _ in $(seq 20); do
    xdotool search --onlyvisible --name '^Zelmoravintesca$' >/dev/null 2>&1 || break
    sleep 0.05
done
xdotool search --onlyvisible --name '^Zelmoravintesca$' >/dev/null 2>&1 &&
    fail "a key did not close the splash"
main=$(wait_window "Zelmoravintesca by Vandrel - Versione 0.1.4 - Freeware" 10) ||
    fail "the main window did not appear after the splash"
elapsed=$(( ($(date +%s%N) - start) / 1000000 ))
# No message box or other window beside the main one.
count=$(xdotool search --onlyvisible --pid "$app" --name '.' 2>/dev/null | wc -l)
[ "$count" -le 1 ] || fail "$count windows are shown at start"
[ "$elapsed" -lt 8000 ] || fail "start-up took $elapsed ms"
echo "splash closed by a key, main window shown after $elapsed ms"
kill "$app" 2>/dev/null
wait "$app" 2>/dev/null

# Files that are not files: the wheels list a named pipe nobody writes to, the settings a link
# to /dev/zero. The program neither hangs nor aborts nor grows: it reports each one, the player
# answers OK, and the main window comes up with the process still small.
folder=$(dirname "$exe")
rm -f "$folder/ruote.grc" "$folder/impostazioni.cfg"
mkfifo "$folder/ruote.grc"
ln -s /dev/zero "$folder/impostazioni.cfg"
"$exe" &
app=$!
E2E_PIDS=$app
answered=0
for _ in $(seq 200); do
    xdotool search --onlyvisible --name "^$MAIN_TITLE\$" >/dev/null 2>&1 && break
    kill -0 "$app" 2>/dev/null || fail "the program ended on a pipe and /dev/zero"
    # Each message box (and the splash, which a key closes too) takes Return.
    for box in $(xdotool search --onlyvisible --pid "$app" --name '^Zelmoravintesca$' 2>/dev/null); do
        xdotool windowactivate --sync "$box" 2>/dev/null
        xdotool key --window "$box" Return 2>/dev/null && answered=$((answered + 1))
    done
    sleep 0.2
done
wait_window "^$MAIN_TITLE\$" 5 >/dev/null || fail "no main window with a pipe and /dev/zero for files"
kill -0 "$app" 2>/dev/null || fail "the program ended on a pipe and /dev/zero"
rss=$(awk '/VmHWM/ {print $2}' "/proc/$app/status")
[ "$rss" -lt 204800 ] || fail "the program grew to $rss kB on a pipe and /dev/zero"
echo "a pipe and /dev/zero for files: Return pressed $answered times, main window up, peak ${rss} kB"
