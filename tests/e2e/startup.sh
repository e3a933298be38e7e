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
