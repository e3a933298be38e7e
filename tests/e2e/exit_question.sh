#!/usr/bin/env bash
# Closing the main window asks "Uscire dall'applicazione?". No keeps the program running with
# the system as it was; Yes ends it with status 0 at once.
here=$(dirname "$0")
. "$here/lib.sh"
exe=$(fresh_program "$1" "$2")
folder=$(dirname "$exe")
start_display
start_program "$exe"

# A system typed in full: the square, then the three stakes by hand, then the lead number.
square=(30 4 15 26 37 30 48 59 61 72 30 83 9 18 27 30)
type_square "${square[@]}"
enter_field 1
enter_field 0,5
enter_field 0,2
keys alt+c
wait_active '^CAPOGIOCO$' >/dev/null || fail "Capogioco did not ask for the lead number"
keys ctrl+a
type_text 30
keys Return
wait_closed '^CAPOGIOCO$' || fail "the lead number box did not close"

# The question carries the main window's title: it is the other window with that title.
wait_question() {
    local id
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --name "^$MAIN_TITLE\$" 2>/dev/null |
            grep -vx "$MAIN" | head -n1)
        [ -n "$id" ] && { activate "$id"; echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

activate "$MAIN"
keys alt+F4
question=$(wait_question) || fail "closing the window did not ask before leaving"
keys Escape
for _ in $(seq 50); do
    xdotool search --onlyvisible --name "^$MAIN_TITLE\$" 2>/dev/null | grep -qx "$question" || break
    sleep 0.1
done
xdotool search --onlyvisible --name "^$MAIN_TITLE\$" 2>/dev/null | grep -qx "$question" &&
    fail "Escape did not close the question"
sleep 0.5
kill -0 "$APP" 2>/dev/null || fail "the program ended although the player answered No"
xdotool search --onlyvisible --name "^$MAIN_TITLE\$" 2>/dev/null | grep -qx "$MAIN" ||
    fail "the main window is gone although the player answered No"

# The system is still the one typed: saved now, it gives its own bytes.
activate "$MAIN"
click_salva
wait_active '^Salva con nome$' >/dev/null || fail "Salva did not open the save dialog"
type_text dopo
keys Return
wait_closed '^Salva con nome$' || fail "the save dialog did not close"
for _ in $(seq 50); do
    [ "$(stat -c %s "$folder/sistemi/dopo.zlm" 2>/dev/null)" = 106 ] && break
    sleep 0.1
done
system_bytes "$E2E_TMP/expected.zlm" Bari dopo.zlm 30 1 0.5 0.2 "${square[@]}"
same_bytes "$folder/sistemi/dopo.zlm" "$E2E_TMP/expected.zlm" \
    "after answering No the system is not the one typed"

activate "$MAIN"
keys alt+F4
wait_question >/dev/null || fail "closing the window again did not ask"
start=$(date +%s%N)
keys Return
for _ in $(seq 40); do
    kill -0 "$APP" 2>/dev/null || break
    sleep 0.05
done
elapsed=$(( ($(date +%s%N) - start) / 1000000 ))
kill -0 "$APP" 2>/dev/null &&
    fail "the program still runs ${elapsed} ms after the player answered Yes"
wait "$APP"
rc=$?
# Ended: its process id may be handed to another process, which the clean-up must not stop.
E2E_PIDS=
[ "$rc" = 0 ] || fail "the program ended with status $rc"
[ "$elapsed" -le 2000 ] || fail "the program took $elapsed ms to end"
echo "No kept the system; Yes ended the program with 0 after $elapsed ms"
