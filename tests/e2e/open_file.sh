#!/usr/bin/env bash
# A system file named on the command line, as a file manager names it: the program starts with
# that system open. With a copy already running, a second copy started with a file (its name
# relative to the second copy's own folder, newlines and all) exits 0 at once and silently,
# and the running copy opens it: at once when its main window is free, after the print-slips
# window or the open dialog has closed when one is open. A missing file gets Apri's message,
# from the running copy or at start.
here=$(dirname "$0")
. "$here/lib.sh"
command -v tesseract >/dev/null || fail "tesseract is not installed"
exe=$(fresh_program "$1" "$2")
folder=$(dirname "$exe")
start_display

# Two systems, each in a folder of its own; the second's file name has a newline.
uno=(7 12 23 34 45 7 56 67 78 89 7 1 2 13 24 7)
due=(9 10 20 30 40 9 50 60 70 80 9 1 2 3 4 9)
mkdir -p "$E2E_TMP/cartella uno" "$E2E_TMP/altra"
system_bytes "$E2E_TMP/cartella uno/uno.zlm" Bari uno.zlm 7 1.15 0.25 0.10 "${uno[@]}"
second=$'due\nrighe.zlm'
system_bytes "$E2E_TMP/altra/$second" Napoli due.zlm 9 1.15 0.25 0.10 "${due[@]}"

# Fails unless the system on screen, saved as sistemi/NAME.zlm, is the one expected.
#   expect_system NAME WHEEL LEAD N1 ... N16
expect_system() {
    local name=$1 wheel=$2 lead=$3
    shift 3
    sleep 0.5
    save_as "$name"
    system_bytes "$E2E_TMP/expected.zlm" "$wheel" "$name.zlm" "$lead" 1.15 0.25 0.10 "$@"
    same_bytes "$folder/sistemi/$name.zlm" "$E2E_TMP/expected.zlm" \
        "the system on screen is not the one expected ($name)"
}

# Starts a second copy from FOLDER with FILE; it must exit 0 within two seconds, silently.
#   second_copy FOLDER FILE
second_copy() {
    local start rc elapsed
    start=$(date +%s%N)
    (cd "$1" && timeout 5 "$exe" "$2") >"$E2E_TMP/second.out" 2>&1
    rc=$?
    elapsed=$((($(date +%s%N) - start) / 1000000))
    [ "$rc" = 0 ] || fail "the second copy with $2 exited with $rc"
    [ "$elapsed" -lt 2000 ] || fail "the second copy with $2 took ${elapsed} ms"
    [ -s "$E2E_TMP/second.out" ] && fail "the second copy wrote: $(cat "$E2E_TMP/second.out")"
    kill -0 "$APP" 2>/dev/null || fail "the first copy ended"
}

# The message the running copy shows, read by text recognition; Enter closes it.
#   expect_message TEXT
expect_message() {
    local box
    box=$(wait_active '^Zelmoravintesca$' 10) || fail "no message about the file"
    sleep 0.5
    import -window root "$E2E_TMP/screen.png" 2>/dev/null || fail "no screenshot"
    convert "$E2E_TMP/screen.png" -resize 200% "$E2E_TMP/screen-2x.png"
    tesseract "$E2E_TMP/screen-2x.png" - 2>/dev/null | grep -qF "$1" ||
        fail "the message does not say \"$1\""
    keys Return
    wait_closed '^Zelmoravintesca$' || fail "the message did not close"
}

# Started with a file named from its own folder: that system is open.
(cd "$E2E_TMP/cartella uno" && exec "$exe" uno.zlm) &
APP=$!
E2E_PIDS=$APP
MAIN=$(wait_window "$MAIN_TITLE" 20) || fail "the main window did not appear"
activate "$MAIN"
sleep 0.5
count=$(xdotool search --onlyvisible --pid "$APP" --name '.' 2>/dev/null | wc -l)
[ "$count" -le 1 ] || fail "$count windows are shown at start: opening the file said something"
expect_system visto1 Bari 7 "${uno[@]}"
echo "started with uno.zlm open"

# A second copy with a file, named from its own folder: the running copy opens it.
second_copy "$E2E_TMP/altra" "$second"
expect_system visto2 Napoli 9 "${due[@]}"
echo "a second copy handed over a file with a newline in its name"

# While the print-slips window is open the file waits, and opens when it closes.
activate "$MAIN"
click_schedine
slips=$(wait_active '^Stampa Schedine$') || fail "Schedine did not open the print-slips window"
second_copy / "$E2E_TMP/cartella uno/uno.zlm"
sleep 0.5
activate "$slips"
keys Escape
wait_closed '^Stampa Schedine$' || fail "the print-slips window did not close"
expect_system visto3 Bari 7 "${uno[@]}"

# So does it while the open dialog is open.
activate "$MAIN"
keys alt+a
dialog=$(wait_active '^Apri$') || fail "Apri did not open the open dialog"
second_copy "$E2E_TMP/altra" "$second"
sleep 0.5
activate "$dialog"
keys Escape
wait_closed '^Apri$' || fail "the open dialog did not close"
expect_system visto4 Napoli 9 "${due[@]}"
echo "files sent while the print-slips window or the open dialog was open waited for them"

# A missing file: the running copy says so as Apri does, and its system stays.
second_copy "$E2E_TMP" sparito.zlm
expect_message "File not found"
expect_system visto5 Napoli 9 "${due[@]}"
kill "$APP" 2>/dev/null
wait "$APP" 2>/dev/null

# Started with a missing file and no copy running: the window, and the same message.
(cd "$E2E_TMP" && exec "$exe" sparito.zlm) &
APP=$!
E2E_PIDS=$APP
MAIN=$(wait_window "$MAIN_TITLE" 20) || fail "the main window did not appear"
expect_message "File not found"
echo "a missing file is reported by the running copy, and at start"
