#!/usr/bin/env bash
# Start-up as a player sees it: the splash comes first, a key closes it at once, and the main
# window follows; with no version server to answer, nothing else is shown, even at the very
# first start, when the program has written no settings or calibration yet. Then the largest
# stakes: every amount is shown whole, as text recognition reads it on the screen. Last, files
# that are not files (a named pipe, /dev/zero): reported, and the program neither hangs nor grows.
here=$(dirname "$0")
. "$here/lib.sh"
exe=$(fresh_program "$1" "$2")
rm -f "$(dirname "$exe")/impostazioni.cfg"
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
main=$(wait_window "$MAIN_TITLE" 10) ||
    fail "the main window did not appear after the splash"
elapsed=$(( ($(date +%s%N) - start) / 1000000 ))
# No message box or other window beside the main one.
count=$(xdotool search --onlyvisible --pid "$app" --name '.' 2>/dev/null | wc -l)
[ "$count" -le 1 ] || fail "$count windows are shown at start"
[ "$elapsed" -lt 8000 ] || fail "start-up took $elapsed ms"
echo "splash closed by a key, main window shown after $elapsed ms"

# --- Every amount whole --------------------------------------------------------------------
MAIN=$main
APP=$app
activate "$MAIN"
command -v tesseract >/dev/null || fail "tesseract is not installed"

# Reads the text of a box of the main window, given in twips, from a screenshot.
#   read_box LEFT TOP WIDTH HEIGHT
read_box() {
    local X Y WIDTH HEIGHT
    # Where the window's inside is on the screen, its frame left out.
    eval "$(xwininfo -id "$MAIN" | awk '/Absolute upper-left X/ {print "X=" $NF}
        /Absolute upper-left Y/ {print "Y=" $NF} /Width:/ {print "WIDTH=" $NF}
        /Height:/ {print "HEIGHT=" $NF}')"
    import -window root -crop "$(($3 * WIDTH / MAIN_TWIPS_WIDTH))x$(($4 * HEIGHT / MAIN_TWIPS_HEIGHT))+$((X + $1 * WIDTH / MAIN_TWIPS_WIDTH))+$((Y + $2 * HEIGHT / MAIN_TWIPS_HEIGHT))" \
        -resize 400% -colorspace Gray "$E2E_TMP/box.png" 2>/dev/null
    # Only digits and separators; a stray mark read at either end is no separator.
    tesseract "$E2E_TMP/box.png" - --psm 7 2>/dev/null | tr -cd '0-9.,' | sed -E 's/^[.,]+//; s/[.,]+$//'
}

# The stake boxes, from the last cell: Enter moves on to the Ambo box.
stake_row() {
    local amount
    click_main $((660 + 840 * 3 + 200)) $((1500 + 660 + 840 * 3 + 200))
    keys Return
    for amount in "$@"; do
        keys ctrl+a
        enter_field "$amount"
    done
    sleep 0.3
}
# Winnings labels and the total, in twips: the stakes panel at (4350, 1500), the command
# panel at (7080, 60).
check_amounts() {
    local quaterna=$1 total=$2 got
    got=$(read_box $((4350 + 1140)) $((1500 + 3660)) 1095 285)
    [ "$got" = "$quaterna" ] || fail "the Quaterna winnings read \"$got\", not $quaterna"
    got=$(read_box $((7080 + 540)) $((60 + 4200)) 1515 495)
    [ "$got" = "$total" ] || fail "the total reads \"$got\", not $total"
}
stake_row 0 0 1
check_amounts 120.000,00 8,00
stake_row 1 1 1
check_amounts 124.749,99 24,00
stake_row 99,99 99,99 99,99
check_amounts 12.473.752,00 2399,76
import -window root "$E2E_TMP/largest_stakes.png" 2>/dev/null
echo "the largest winnings and total read whole on the screen"

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
