#!/usr/bin/env bash
# A player types a system, saves it, clears the window and opens it again. The saved file holds
# exactly the bytes of that system, and after opening it the window holds the same system again:
# saved under another name it gives the same bytes but for the name. Delete deletes and a pasted
# negative number is refused, in a cell and in a stake box. The program runs under the
# C locale, and its file dialog and overwrite question still read in Italian, sizes whole.
here=$(dirname "$0")
. "$here/lib.sh"
command -v tesseract >/dev/null || fail "tesseract is not installed"
exe=$(fresh_program "$1" "$2")
folder=$(dirname "$exe")
start_display
export LANG=C LC_ALL=C LANGUAGE=
start_program "$exe"

# The words on the screen, read by text recognition from a screenshot enlarged twice.
screen_text() {
    import -window root "$E2E_TMP/screen.png" 2>/dev/null || fail "no screenshot"
    convert "$E2E_TMP/screen.png" -resize 200% "$E2E_TMP/screen-2x.png"
    tesseract "$E2E_TMP/screen-2x.png" - 2>/dev/null
}

# Fails unless the screen shows every one of the texts and none of the English ones.
#   expect_on_screen WHAT TEXT... -- ENGLISH...
expect_on_screen() {
    local what=$1 text
    shift
    text=$(screen_text)
    while [ $# -gt 0 ] && [ "$1" != -- ]; do
        grep -qF -- "$1" <<<"$text" || fail "$what does not show \"$1\"; read: $text"
        shift
    done
    [ $# -gt 0 ] && shift
    for english in "$@"; do
        grep -qiF -- "$english" <<<"$text" && fail "$what shows \"$english\"; read: $text"
    done
    return 0
}

square=(7 12 23 34 45 7 56 67 78 89 7 1 2 13 24 7)

# The sixteen numbers, the lead number 7 on the diagonal typed too; then the lead number again
# through Capogioco, which checks the whole square (a complete, valid one: no message).
# Typed as a player corrects: in the second cell "19", then Left and Delete take the 9 away
# and "2" makes 12 (a refused Delete would leave 19); in the third, "-5" pasted over 23 is
# refused and 23 stays (taken, it would read as an empty cell).
copy_text() {
    printf '%s' "$1" | xclip -selection clipboard >/dev/null 2>&1 || fail "xclip could not copy"
}
enter_field "${square[0]}"
type_text 19
keys Left Delete
enter_field 2
type_text 23
copy_text -5
keys ctrl+a ctrl+v
keys Return
sleep 0.2
type_square "${square[@]:3}"
keys alt+c
wait_active '^CAPOGIOCO$' >/dev/null || fail "Capogioco did not ask for the lead number"
keys ctrl+a
type_text 7
keys Return
wait_closed '^CAPOGIOCO$' || fail "the lead number box did not close"
activate "$MAIN"

# A wheel other than the first, so that opening must bring it back: from the Ambo box, where
# the focus went after the last cell, Tab past the three stakes to the wheel list and type its
# initial.
keys Tab Tab Tab
type_text N
click_12_euro
# A pasted "-1" in the Ambo box is refused: the stake stays 1,15.
click_main $((4350 + 1320 + 450)) $((1500 + 1140 + 140))
copy_text -1
keys ctrl+a ctrl+v Tab

save_as prova
system_bytes "$E2E_TMP/expected.zlm" Napoli prova.zlm 7 1.15 0.25 0.10 "${square[@]}"
same_bytes "$folder/sistemi/prova.zlm" "$E2E_TMP/expected.zlm" \
    "the saved system is not the one typed"
# What the "12 €" button promises: the system costs 12 euros.
total=$(python3 -c 'import struct, sys
print(struct.unpack_from("<f", open(sys.argv[1], "rb").read(), 45)[0])' "$folder/sistemi/prova.zlm")
[ "$total" = 12.0 ] || fail "the saved total is $total, not 12"

# Cancella empties the square: saving now stops at the check of the first row.
activate "$MAIN"
keys alt+e
# A mnemonic clicks its button a moment after the key, as an animated click: a mouse click
# sent at once would reach Salva first.
sleep 1
click_salva
wait_active '^Attenzione!!$' 5 >/dev/null || fail "after Cancella the square is still complete"
keys Return
wait_closed '^Attenzione!!$' || fail "the warning did not close"
xdotool search --onlyvisible --name '^Salva con nome$' >/dev/null 2>&1 &&
    fail "the save dialog opened for an empty square"

activate "$MAIN"
keys alt+a
wait_active '^Apri$' >/dev/null || fail "Apri did not open the open dialog"
type_text prova.zlm
keys Return
wait_closed '^Apri$' || fail "the open dialog did not close"
sleep 0.3
for title in '^Attenzione!!$' '^Errore$' '^E R R O R E$'; do
    xdotool search --onlyvisible --name "$title" >/dev/null 2>&1 &&
        fail "opening the saved system showed a message"
done

# The save dialog in Italian, the 106 bytes of prova.zlm shown whole in its size column.
activate "$MAIN"
click_salva
wait_active '^Salva con nome$' >/dev/null || fail "Salva did not open the save dialog"
sleep 0.5
expect_on_screen "the save dialog" "Cerca in" "Nome del file" "Annulla" "106 byte" \
    -- "Look in" "File name" "Cancel" "bytes"
# Saving over prova.zlm asks first, in Italian; No keeps the file and the dialog.
type_text prova
keys Return
sleep 1
expect_on_screen "the overwrite question" "esiste" "sostituirlo" -- "already exists" "replace it"
keys Escape
sleep 0.5
keys Escape
wait_closed '^Salva con nome$' || fail "the save dialog did not close"

save_as copia
system_bytes "$E2E_TMP/expected.zlm" Napoli copia.zlm 7 1.15 0.25 0.10 "${square[@]}"
same_bytes "$folder/sistemi/copia.zlm" "$E2E_TMP/expected.zlm" \
    "the system opened again is not the one saved"
kill -0 "$APP" 2>/dev/null || fail "the program ended"
echo "system typed, saved, cleared and opened again: same bytes"
