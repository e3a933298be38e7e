#!/usr/bin/env bash
# A second copy started beside a running one shows nothing, exits 0 within two seconds and
# brings the first copy's main window back to the front.
here=$(dirname "$0")
. "$here/lib.sh"
exe=$(fresh_program "$1" "$2")
start_display

"$exe" &
first=$!
E2E_PIDS=$first
main=$(wait_window "Zelmoravintesca by Vandrel - Versione 0.1.4 - Freeware") ||
    fail "the first copy's main window did not appear"

xdotool windowminimize --sync "$main" || fail "could not minimise the main window"
sleep 0.5
state=$(xprop -id "$main" WM_STATE 2>/dev/null | grep -c Iconic)
[ "$state" = 1 ] || fail "the main window did not minimise"

start=$(date +%s%N)
timeout 5 "$exe"
rc=$?
elapsed=$(( ($(date +%s%N) - start) / 1000000 ))
[ "$rc" = 0 ] || fail "the second copy exited with $rc"
[ "$elapsed" -lt 2000 ] || fail "the second copy took ${elapsed} ms"

windows=$(xdotool search --onlyvisible --name "Zelmoravintesca" 2>/dev/null | wc -l)
[ "$windows" = 1 ] || fail "expected one program window, found $windows"

for _ in $(seq 30); do
    iconic=$(xprop -id "$main" WM_STATE 2>/dev/null | grep -c Iconic)
    active=$(xdotool getactivewindow 2>/dev/null)
    [ "$iconic" = 0 ] && [ "$active" = "$main" ] && break
    sleep 0.1
done
[ "$iconic" = 0 ] || fail "the first copy's main window is still minimised"
[ "$active" = "$main" ] || fail "the first copy's main window is not the active one"
kill -0 "$first" 2>/dev/null || fail "the first copy died"
echo "second copy exited 0 after ${elapsed} ms; first copy raised"
