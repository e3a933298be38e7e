#!/usr/bin/env bash
# A player opens a saved system and prints it on "File PDF": three copies of the listing, set
# with the mouse on the copies arrows, each one page with the system's texts and its square
# where the page puts it; the slip run is the prognosis sheet and eight slips, slip 1 marked at
# the boxes the calibration file places. When the CUPS test queue is there, the listing printed
# on it arrives as a one-page PDF. The check window, opened with Alt+V, imports an archive
# through the file dialog and prints its report on "File PDF" with the draws and totals due;
# from it, Alt+F opens the numbers' figures, which print on one page with the values due.
here=$(dirname "$0")
. "$here/lib.sh"
exe=$(fresh_program "$1" "$2")
folder=$(dirname "$exe")
for tool in pdfinfo pdftotext pdftoppm python3; do
    command -v "$tool" >/dev/null || fail "$tool is not installed"
done

square=(7 12 23 34 45 7 56 67 78 89 7 1 2 13 24 7)
mkdir -p "$folder/sistemi"
system_bytes "$folder/sistemi/stampa.zlm" Bari stampa.zlm 7 1.15 0.25 0.10 "${square[@]}"

# The slip calibration, in millimetres: distances between number boxes, the first number box,
# the heading, the first amount box and the distances between amount boxes; quality "Normale"
# (the integer 9999) and the printer "File PDF".
calibration=(8.5 6.0 40.0 20.0 15.0 34.5 114.0 5.2 5.0)
write_calibration() {
    python3 - "$folder/printA.cfg" "$1" "${calibration[@]}" <<'PY'
import struct, sys
record = lambda b: b.ljust(128, b'\0')
name = sys.argv[2].encode('cp1252')
data = b''.join(record(struct.pack('<f', float(v))) for v in sys.argv[3:12])
data += record(struct.pack('<Hh', 2, 9999))
data += struct.pack('<H', len(name)) + name
open(sys.argv[1], 'wb').write(data)
PY
}
write_calibration 'File PDF'

start_display
start_program "$exe"

keys alt+a
wait_active '^Apri$' >/dev/null || fail "Apri did not open the open dialog"
type_text stampa.zlm
keys Return
wait_closed '^Apri$' || fail "the open dialog did not close"
activate "$MAIN"

# Prints the number of pages of the first finished PDF matching the pattern, once pdfinfo can
# read it; fails after the given seconds.
wait_pdf() {
    local pattern=$1 seconds=$2 file pages
    for _ in $(seq $((seconds * 10))); do
        for file in $pattern; do
            # A finished PDF ends with its trailer.
            tail -c 16 "$file" 2>/dev/null | grep -q '%%EOF' || continue
            pages=$(pdfinfo "$file" 2>/dev/null | awk '/^Pages:/ {print $2}')
            [ -n "$pages" ] && { echo "$file $pages"; return 0; }
        done
        sleep 0.1
    done
    return 1
}

# Escape closes the window; pressed again should the first one come while it was busy.
close_with_escape() {
    local id
    for _ in $(seq 5); do
        keys Escape
        wait_closed "$1" 2 && return 0
        id=$(wait_window "$1" 1) && activate "$id"
    done
    fail "Escape did not close $1"
}

print_listing() {
    activate "$MAIN"
    keys alt+t
    wait_active '^Stampa Tabulato$' >/dev/null || fail "Tabulato did not open the listing window"
    keys alt+s
}

# Renders slip 1 (page 2) of a slip run and checks every number, wheel and amount box: marked
# where the system plays, blank elsewhere. Each box's corner lies at its place multiplied by the
# scale factors (1 and 1 when not given); marks are 2 mm whatever the factors.
#   check_slip1 PDF ORIGIN_X_MM ORIGIN_Y_MM [SCALE_X SCALE_Y]
check_slip1() {
    local pdf=$1 origin_x=$2 origin_y=$3 scale_x=${4:-1} scale_y=${5:-1}
    rm -f "$E2E_TMP"/slip*.pgm
    pdftoppm -r 254 -f 2 -l 2 -gray "$pdf" "$E2E_TMP/slip" ||
        fail "pdftoppm could not render slip 1 of $pdf"
    PYTHONPATH=$(cd "$here" && pwd) python3 - "$E2E_TMP"/slip*.pgm "$origin_x" "$origin_y" "$scale_x" "$scale_y" \
        "${calibration[@]}" "${square[@]:0:4}" <<'PY'
import sys
from greymap import read_greymap
path = sys.argv[1]
# Positions count from the printable area's corner, which the printer places on the paper.
origin_x, origin_y = float(sys.argv[2]), float(sys.argv[3])
scale_x, scale_y = float(sys.argv[4]), float(sys.argv[5])
dx, dy, top, left, heading, ximp, yimp, dximp, dyimp = (float(v) for v in sys.argv[6:15])
play = {int(n) for n in sys.argv[15:19]}
# A grey map of 10 pixels a millimetre.
width, height, pixels = read_greymap(path)
def grey(x_mm, y_mm):
    cx, cy = round((origin_x + x_mm) * 10), round((origin_y + y_mm) * 10)
    values = [pixels[y * width + x] for y in range(cy - 2, cy + 3) for x in range(cx - 2, cx + 3)]
    return sum(values) / len(values)
problems = []
def check(name, x, y, marked):
    # (x, y) is the top-left corner of a 2 mm box on the slip; a mark fills it where the
    # factors put that corner.
    x, y = x * scale_x, y * scale_y
    centre = grey(x + 1, y + 1)
    if marked:
        if centre > 80:
            problems.append('%s: no mark at (%.1f, %.1f) mm' % (name, x + 1, y + 1))
        for ox, oy in [(-1, 1), (3, 1), (1, -1), (1, 3)]:
            if grey(x + ox, y + oy) < 200:
                problems.append('%s: dark 1 mm outside the box at (%.1f, %.1f) mm'
                                % (name, x + ox, y + oy))
    elif centre < 200:
        problems.append('%s: marked at (%.1f, %.1f) mm but not played' % (name, x + 1, y + 1))
# Numbers: rows of ten boxes from the first one, DX across and DY down.
for n in range(1, 91):
    check('number %d' % n, left + (n - 1) % 10 * dx, top + (n - 1) // 10 * dy, n in play)
# Amounts, from the first amount box: the Ambo, Terno and Quaterna lines (second to fourth of
# five) in the columns 200, 100, 50, 20, 10, 5, 3, 2, 1, 0.50, 0.20, 0.10, 0.05:
# 1.15 = 1 + 0.10 + 0.05, 0.25 = 0.20 + 0.05, 0.10 = 0.10.
stakes = {1: {8, 11, 12}, 2: {10, 12}, 3: {11}}
for line in range(5):
    for column in range(13):
        check('amount line %d column %d' % (line, column), ximp + column * dximp,
              yimp + line * dyimp, column in stakes.get(line, set()))
# Wheels: twelve boxes down from (Left + 83.3, Top - 0.9), 5.2 mm apart; Bari is the first.
for box in range(12):
    check('wheel box %d' % box, left + 83.3, top - 0.9 + box * 5.2, box == 0)
for p in problems:
    print(p, file=sys.stderr)
sys.exit(1 if problems else 0)
PY
    [ $? = 0 ] || fail "slip 1 of $pdf is not marked where the calibration puts its boxes"
}

# --- The listing on File PDF ---------------------------------------------------------------
# Three copies, set with the mouse: the copies bar (1320, 120, 255 by 330 twips) raises them
# with its upper arrow and lowers them with its lower one.
activate "$MAIN"
keys alt+t
listing_window=$(wait_active '^Stampa Tabulato$') || fail "Tabulato did not open the listing window"
click_copies_arrow() {
    xdotool mousemove --window "$listing_window" $(((1320 + 127) / 15)) "$1" click 1
    sleep 0.2
}
for y in 11 11 11 27; do
    click_copies_arrow $y
done
keys alt+s
read -r listing pages < <(wait_pdf "$folder/stampe/*tabulato*.pdf" 20) ||
    fail "no listing PDF in stampe/"
for _ in $(seq 100); do
    [ "$(ls "$folder"/stampe/*tabulato*.pdf | wc -l)" -ge 3 ] && break
    sleep 0.1
done
sleep 1
copies=$(ls "$folder"/stampe/*tabulato*.pdf | wc -l)
[ "$copies" = 3 ] || fail "$copies listings printed after three clicks up and one down"
# A notice that goes by itself tells where the files went.
notice=$(wait_window '^Avviso$' 5) || fail "no notice told where the listings went"
import -window "$notice" -resize 300% "$E2E_TMP/notice.png" 2>/dev/null
notice_text=$(tesseract "$E2E_TMP/notice.png" - 2>/dev/null)
grep -q "stampe" <<<"$notice_text" || fail "the notice does not name the folder: $notice_text"
# Every notice stands in one place: at the foot of the screen.
notice_bottom=$(xwininfo -id "$notice" | awk '/Absolute upper-left Y/ {y=$NF} /Height:/ {h=$NF} END {print y + h}')
[ "$notice_bottom" -ge 960 ] || fail "the notice ends at y = $notice_bottom, not at the foot of the screen"
wait_closed '^Avviso$' 15 || fail "the notice did not go by itself"
close_with_escape '^Stampa Tabulato$'
[ "$pages" = 1 ] || fail "the listing has $pages pages"

pdftotext -bbox "$listing" "$E2E_TMP/listing.html" || fail "pdftotext could not read the listing"
python3 - "$E2E_TMP/listing.html" "${square[@]}" <<'PY' || fail "the listing is not the system's"
import re, sys
words = []
word = r'<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>'
for m in re.finditer(word, open(sys.argv[1], encoding='utf-8').read()):
    x0, y0, x1, y1 = (float(v) * 25.4 / 72 for v in m.groups()[:4])
    words.append((x0, y0, x1, y1, m.group(5)))
texts = [w[4] for w in words]
problems = []
for wanted in ['Zelmoravintesca', 'stampa.zlm', 'Bari', '12,00', '1,15', '0,25', '0,10',
               '47,92', '425,00', '13.412,50']:
    if wanted not in texts:
        problems.append('"%s" is not on the page' % wanted)
# The square: four rows of four two-digit numbers, in large type, each row's top at its place.
numbers = [int(n) for n in sys.argv[2:18]]
big = [w for w in words if w[3] - w[1] > 8 and re.fullmatch(r'\d\d', w[4])]
for r, top in enumerate([94, 115, 136, 157]):
    row = sorted((w for w in big if abs(w[1] - top) <= 1), key=lambda w: w[0])
    got, wanted = [int(w[4]) for w in row], numbers[4 * r:4 * r + 4]
    if got != wanted:
        problems.append('square row %d at %d mm: %s, expected %s' % (r + 1, top, got, wanted))
    elif abs(row[0][0] - 60) > 1:
        problems.append('square row %d starts at %.1f mm, not 60 mm' % (r + 1, row[0][0]))
if len(big) != 16:
    problems.append('%d large numbers on the page, expected the 16 of the square' % len(big))
for p in problems:
    print(p, file=sys.stderr)
sys.exit(1 if problems else 0)
PY

# --- The check window's report on File PDF -------------------------------------------------
# Alt+V opens Verifica on the system on screen; an archive written here in two files is
# imported by typing both paths into the file dialog; the check runs on the whole archive and Stampa prints the
# report on the listing printer, File PDF. Worked out by hand for this system (stakes 1,15,
# 0,25 and 0,10; 12,00 a draw; withholding 8%):
#   02/03/2024 12 23 60 61 62: play 1 (row 7 12 23 34) 2 hits, Ambo 47,92, net 44,09.
#   05/03/2024 07 12 23 80 81: play 1 3 hits, 3 ambi 143,75 + terno 281,25 = 425,00 (net
#   391,00); plays 6 and 7 (columns 12 7 89 13 and 23 56 7 24) 2 hits, 47,92 each; the draw
#   520,84, net 479,17.
#   07/03/2024 01 02 03 04 05: nothing. Totals: 3 draws, 2 winning, staked 36,00, gross
#   568,76, net 523,26, balance 487,26.
archive="$E2E_TMP/estrazioni_prova.txt"
archive2="$E2E_TMP/estrazioni_marzo.txt"
printf '%s\n' '# prova' '2024/03/02 BA 12 23 60 61 62' '05/03/2024;Bari;7;12;23;80;81' > "$archive"
printf '%s\n' '2024-03-07 ba 1 2 3 4 5' '2024-03-05 MI 7 12 23 80 81' '2024/03/09 BA 1 2 3 4' \
    > "$archive2"
activate "$MAIN"
keys alt+v
check_window=$(wait_active '^Verifica$') || fail "Alt+V did not open the check window"
keys alt+i
wait_active '^Apri$' >/dev/null || fail "Importa archivio did not open the open dialog"
# Both files at once, as the dialog takes several names: each in quotes.
type_text "\"$archive\" \"$archive2\""
keys Return
wait_closed '^Apri$' || fail "the open dialog did not close"
wait_active '^Importa archivio$' >/dev/null || fail "the import summary did not show"
import -window root "$E2E_TMP/verifica-import.png" 2>/dev/null
keys Return
wait_closed '^Importa archivio$' || fail "the import summary did not close"
activate "$check_window"
keys alt+v
sleep 0.5
keys alt+s
read -r report pages < <(wait_pdf "$folder/stampe/*verifica*.pdf" 20) ||
    fail "no check report PDF in stampe/"
import -window root "$E2E_TMP/verifica.png" 2>/dev/null
[ "$pages" = 1 ] || fail "the check report has $pages pages"
[ -f "$folder/estrazioni.txt" ] || fail "the import did not save the archive"
pdftotext -layout "$report" "$E2E_TMP/verifica.txt" || fail "pdftotext could not read the report"
python3 - "$E2E_TMP/verifica.txt" <<'PY' || fail "the check report is not the expected one"
import re, sys
lines = [re.sub(r'\s+', ' ', l).strip() for l in open(sys.argv[1], encoding='utf-8')]
wanted = [
    '02/03/2024 12 23 60 61 62 1 2 Ambo 47,92 44,09',
    '05/03/2024 07 12 23 80 81 1 3 Terno 425,00 391,00',
    '6 2 Ambo 47,92 44,09',
    '7 2 Ambo 47,92 44,09',
    'Totale estrazione 520,84 479,17',
    'Estrazioni verificate 3',
    'Estrazioni vincenti 2',
    'Importo giocato € 36,00',
    'Vincita lorda € 568,76',
    'Vincita netta € 523,26',
    'Saldo € 487,26',
]
problems = ['"%s" is not a line of the report' % w for w in wanted if w not in lines]
if not any('stampa.zlm' in l and 'Bari' in l for l in lines):
    problems.append('the report does not name the system and its wheel')
for p in problems:
    print(p, file=sys.stderr)
if problems:
    print('\n'.join(lines), file=sys.stderr)
sys.exit(1 if problems else 0)
PY
# Alt+F opens the figures of Bari over the same dates (three draws); Stampa puts them on
# File PDF. Worked out by hand: 12 is in the first two draws (frequency 2, delay 1, longest
# run 1); 30, 48, 66 and 84 in none (0, a delay of every draw: "mai", 3); play 1 (7 12 23 34)
# made a terno in the second draw and never a quaterna ("mai").
activate "$check_window"
keys alt+f
wait_active '^Ritardi e frequenze$' >/dev/null || fail "Alt+F did not open the figures window"
sleep 1
import -window root "$E2E_TMP/statistiche.png" 2>/dev/null
keys alt+s
read -r figures pages < <(wait_pdf "$folder/stampe/*statistiche*.pdf" 20) ||
    fail "no figures PDF in stampe/"
[ "$pages" = 1 ] || fail "the figures page has $pages pages"
pdftotext -layout "$figures" - | sed -E 's/\s+/ /g; s/^ //; s/ $//' >"$E2E_TMP/statistiche.txt"
for line in 'Ritardi e frequenze - Ruota di Bari' \
    '12 2 1 1 30 0 mai 3 48 0 mai 3 66 0 mai 3 84 0 mai 3' '1 (riga 1) 07 12 23 34 1 1 mai'; do
    grep -qxF "$line" "$E2E_TMP/statistiche.txt" || fail "the figures page has no line \"$line\""
done
close_with_escape '^Ritardi e frequenze$'
activate "$check_window"
close_with_escape '^Verifica$'
echo "the check window imported the archive and printed its report on File PDF, and the figures"

# --- The listing on a disk that fills up ----------------------------------------------------
# stampe/ on a small file system with about 96 KB left, less than the listing needs: the player
# is told the printer cannot print, and no cut-off PDF stays behind.
if [ "$(id -u)" = 0 ] && mkdir -p "$E2E_TMP/kept" && mv "$folder/stampe"/* "$E2E_TMP/kept"/ &&
    mount -t tmpfs -o size=256k tmpfs "$folder/stampe" 2>/dev/null; then
    E2E_MOUNTS="$folder/stampe"
    head -c 160k /dev/zero > "$folder/stampe/riempitivo"
    print_listing
    wait_active '^!!! E R R O R E !!!$' 20 >/dev/null || fail "a full disk was not reported"
    keys Return
    wait_closed '^!!! E R R O R E !!!$' || fail "the printer message did not close"
    close_with_escape '^Stampa Tabulato$'
    left=$(ls -A "$folder/stampe")
    [ "$left" = riempitivo ] || fail "a full disk left files in stampe/: $left"
    umount "$folder/stampe" && E2E_MOUNTS=
    mv "$E2E_TMP/kept"/* "$folder/stampe"/
    echo "a full disk: the listing was reported and left no file"
else
    echo "a full disk not tried: needs root to mount a small file system"
fi

# --- The slips with the prognosis sheet on File PDF -----------------------------------------
activate "$MAIN"
click_schedine
slips_window=$(wait_active '^Stampa Schedine$') || fail "Schedine did not open the print-slips window"
# Anteprima first: the pages on screen, and nothing printed.
keys alt+p
wait_active '^Anteprima - Stampa Schedine$' >/dev/null || fail "Anteprima did not open the preview"
keys Next
sleep 0.3
import -window root "$E2E_TMP/preview.png" 2>/dev/null
close_with_escape '^Anteprima - Stampa Schedine$'
ls "$folder"/stampe/*schedine*.pdf >/dev/null 2>&1 && fail "Anteprima printed the slips"
activate "$slips_window"
keys alt+s
read -r slips pages < <(wait_pdf "$folder/stampe/*schedine*.pdf" 30) ||
    fail "no slips PDF in stampe/"
for title in '^Errore$' '!!! E R R O R E !!!' '^Zelmoravintesca$'; do
    xdotool search --onlyvisible --name "$title" >/dev/null 2>&1 &&
        fail "the slip run showed a message"
done
[ "$pages" = 9 ] || fail "the slip run printed $pages pages, expected the sheet and 8 slips"

check_slip1 "$slips" 0 0

# --- Calibrating by typing, and the printer's scale corrected ---------------------------------
# In the real calibration window: X of number 1 typed as 22,5 in the box after its bar, the
# test page's rulers measured as 147 and 196,5 mm; saved, then the test page printed.
slips_window=$(wait_window '^Stampa Schedine$' 2) || fail "the print-slips window went away"
activate "$slips_window"
keys alt+t
wait_active '^Taratura Stampa Schedine$' >/dev/null || fail "Taratura did not open the calibration window"
keys Tab ctrl+a
type_text '22,5'
keys Return # taken, and on to the next length's box
# From the Y box of number 1 to the measured horizontal ruler: past the other bars and boxes,
# the heading and the quality.
keys $(printf 'Tab %.0s' $(seq 16))
keys ctrl+a
type_text '147'
keys Return
keys ctrl+a
type_text '196,5'
keys Return # on to the printer list
keys Tab Tab Return # Salva
sleep 0.5
keys shift+Tab Return # the test page
read -r testpage pages < <(wait_pdf "$folder/stampe/*taratura*.pdf" 20) ||
    fail "no test page PDF in stampe/"
[ "$pages" = 1 ] || fail "the test page has $pages pages"
close_with_escape '^Taratura Stampa Schedine$'

# The file: records 1 to 11 as written with Left 22,5, record 12 the tag 3 and the factors.
read -r scale_x scale_y < <(python3 - "$folder/printA.cfg" "${calibration[@]}" <<'PY'
import struct, sys
data = open(sys.argv[1], 'rb').read()
f32 = lambda v: struct.unpack('<f', struct.pack('<f', v))[0]
wanted = [f32(float(v)) for v in sys.argv[2:11]]
wanted[3] = 22.5
got = [struct.unpack_from('<f', data, 128 * i)[0] for i in range(9)]
problems = []
if got != wanted:
    problems.append('records 1-9 hold %s, expected %s' % (got, wanted))
if struct.unpack_from('<Hh', data, 9 * 128) != (2, 9999):
    problems.append('record 10 is not the quality 9999')
length = struct.unpack_from('<H', data, 10 * 128)[0]
if data[10 * 128 + 2:10 * 128 + 2 + length] != b'File PDF':
    problems.append('record 11 is not "File PDF"')
tag, x, y = struct.unpack_from('<Hff', data, 1408)
if (tag, x, y) != (3, f32(150 / 147), f32(200 / 196.5)):
    problems.append('record 12 holds %s' % ((tag, x, y),))
for p in problems:
    print(p, file=sys.stderr)
if problems:
    sys.exit(1)
print(repr(x), repr(y))
PY
) || fail "printA.cfg does not hold what was typed in the calibration window"
[ -n "$scale_y" ] || fail "printA.cfg does not hold what was typed in the calibration window"

# The rulers on the test page, measured on the rendered PDF (10 pixels a millimetre): the line
# across from 0 to 150 mm times X, a tick every 10 mm times X; down likewise with 200 mm and Y.
pdftotext "$testpage" - | grep -q '150 mm' || fail "the test page does not say 150 mm"
pdftotext "$testpage" - | grep -q '200 mm' || fail "the test page does not say 200 mm"
rm -f "$E2E_TMP"/test*.pgm
pdftoppm -r 254 -gray "$testpage" "$E2E_TMP/test" || fail "pdftoppm could not render the test page"
PYTHONPATH=$(cd "$here" && pwd) python3 - "$E2E_TMP"/test*.pgm "$scale_x" "$scale_y" <<'PY' ||
import sys
from greymap import read_greymap
width, height, pixels = read_greymap(sys.argv[1])
scale_x, scale_y = float(sys.argv[2]), float(sys.argv[3])
dark = lambda x, y: pixels[y * width + x] < 128
problems = []
def runs(values):
    # (first, last) pixel of each dark stretch.
    found, start = [], None
    for i, d in enumerate(values + [False]):
        if d and start is None:
            start = i
        elif not d and start is not None:
            found.append((start, i - 1))
            start = None
    return found
for name, length, scale, line, ticks in [
        ('across', 150, scale_x, [dark(x, 1) for x in range(width)],
         [dark(x, 20) for x in range(width)]),
        ('down', 200, scale_y, [dark(1, y) for y in range(height)],
         [dark(20, y) for y in range(height)])]:
    # The line from the corner; the last tick, centred on the end, reaches 0.1 mm past it and
    # the rendering adds a pixel or so.
    first = runs(line)[0]
    measured = (first[1] + 1 - first[0]) / 10
    if first[0] != 0 or not 0 <= measured - length * scale <= 0.3:
        problems.append('the ruler %s measures %.2f mm from %d px, expected %.2f mm'
                        % (name, measured, first[0], length * scale))
    # Tick centres; the first one is half cut by the page's edge.
    centres = [(a + b + 1) / 20 for a, b in runs(ticks)][:length // 10 + 1]
    for k, centre in enumerate(centres):
        expected = k * 10 * scale
        if abs(centre - expected) > 0.15:
            problems.append('the ruler %s has its %d mm tick at %.2f mm, expected %.2f mm'
                            % (name, k * 10, centre, expected))
    if len(centres) != length // 10 + 1:
        problems.append('the ruler %s has %d ticks' % (name, len(centres)))
for p in problems:
    print(p, file=sys.stderr)
sys.exit(1 if problems else 0)
PY
    fail "the test page's rulers do not measure their scaled lengths"

# The slips printed after it: every mark at its place times the factors.
mkdir -p "$E2E_TMP/earlier"
mv "$folder"/stampe/*schedine*.pdf "$E2E_TMP/earlier"/
activate "$slips_window"
keys alt+s
read -r slips pages < <(wait_pdf "$folder/stampe/*schedine*.pdf" 30) ||
    fail "no scaled slips PDF in stampe/"
[ "$pages" = 9 ] || fail "the scaled slip run printed $pages pages"
plain_calibration=("${calibration[@]}")
calibration[3]=22.5
calibration[5]=37.0 # the amount block follows Left: 22,5 + 14,5
check_slip1 "$slips" 0 0 "$scale_x" "$scale_y"
calibration=("${plain_calibration[@]}")
echo "typed calibration, record 12, rulers and scaled slips checked"

slips_window=$(wait_window '^Stampa Schedine$' 2) || fail "the print-slips window went away"
activate "$slips_window"
keys alt+F4
wait_closed '^Stampa Schedine$' || fail "the print-slips window did not close"

# --- The listing on the CUPS test queue ----------------------------------------------------
queue=ZelmoraTestPDF
if ! lpstat -p "$queue" >/dev/null 2>&1; then
    echo "no CUPS queue $queue: the listing is not printed on a system printer"
    echo "listing and slips printed on File PDF as expected"
    exit 0
fi
printf 'PROVA E2E\r\n%s\r\n' "$queue" > "$folder/impostazioni.cfg"

# Waits for cups-pdf to write a finished PDF for the job kind in ~/PDF, newer than the marker
# file; prints its path and page count.
wait_queue_pdf() {
    local kind=$1 marker=$2 seconds=$3 file pages
    for _ in $(seq $((seconds * 10))); do
        # cups-pdf names the file after the job, "Zelmoravintesca - <kind>".
        file=$(find "$HOME/PDF" -maxdepth 1 -name "*$kind*.pdf" -size +0 -newer "$marker" \
            2>/dev/null | head -n1)
        if [ -n "$file" ] && tail -c 16 "$file" 2>/dev/null | grep -q '%%EOF'; then
            pages=$(pdfinfo "$file" 2>/dev/null | awk '/^Pages:/ {print $2}')
            [ -n "$pages" ] && { echo "$file $pages"; return 0; }
        fi
        sleep 0.1
    done
    return 1
}

touch "$E2E_TMP/before-listing"
print_listing
read -r listing pages < <(wait_queue_pdf tabulato "$E2E_TMP/before-listing" 60) ||
    fail "no listing PDF arrived in $HOME/PDF from the queue $queue"
close_with_escape '^Stampa Tabulato$'
rm -f "$listing"
[ "$pages" = 1 ] || fail "the listing printed on $queue has $pages pages"

# The slips go to the printer named in the calibration file.
write_calibration "$queue"
touch "$E2E_TMP/before-slips"
activate "$MAIN"
click_schedine
wait_active '^Stampa Schedine$' >/dev/null || fail "Schedine did not open the print-slips window"
keys alt+s
read -r slips pages < <(wait_queue_pdf schedine "$E2E_TMP/before-slips" 90) ||
    fail "no slips PDF arrived in $HOME/PDF from the queue $queue"
[ "$pages" = 9 ] || fail "the slip run printed on $queue has $pages pages"
# The queue's driver says where the printable area starts on its default paper.
read -r origin_x origin_y < <(python3 - "/etc/cups/ppd/$queue.ppd" <<'PY'
import re, sys
ppd = open(sys.argv[1], encoding='latin-1').read()
size = re.search(r'^\*DefaultPageSize:\s*(\S+)', ppd, re.M).group(1)
area = re.search(r'^\*ImageableArea %s/[^:]*:\s*"([^"]+)"' % re.escape(size), ppd, re.M)
paper = re.search(r'^\*PaperDimension %s/[^:]*:\s*"([^"]+)"' % re.escape(size), ppd, re.M)
left, bottom, right, top = (float(v) for v in area.group(1).split())
height = float(paper.group(1).split()[1])
print(left * 25.4 / 72, (height - top) * 25.4 / 72)
PY
) || fail "could not read the printable area of $queue"
check_slip1 "$slips" "$origin_x" "$origin_y"
rm -f "$slips"
echo "listing and slips printed on File PDF and on $queue, as expected"
