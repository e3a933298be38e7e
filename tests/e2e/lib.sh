# Shared set-up for tests that drive the real program under a private X server.
# Each test gets its own display, window manager, temporary folder and private runtime folder,
# so the program's single-instance lock and socket never meet those of another run.

set -u
E2E_TMP=$(mktemp -d)
export TMPDIR=$E2E_TMP
export XDG_RUNTIME_DIR=$E2E_TMP/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM

fail() {
    echo "FAIL: $*" >&2
    if [ -n "${DISPLAY:-}" ]; then
        import -window root "$E2E_TMP/failure.png" 2>/dev/null &&
            echo "screenshot kept at $E2E_TMP/failure.png" >&2
    fi
    exit 1
}

e2e_cleanup() {
    local rc=$?
    [ -n "${E2E_PIDS:-}" ] && kill $E2E_PIDS 2>/dev/null
    [ -n "${WM_PID:-}" ] && kill "$WM_PID" 2>/dev/null
    [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null
    wait 2>/dev/null
    [ -n "${E2E_MOUNTS:-}" ] && umount $E2E_MOUNTS 2>/dev/null
    # A failed test keeps its folder and screenshot for a look.
    [ "$rc" = 0 ] && rm -rf "$E2E_TMP"
    return "$rc"
}
trap e2e_cleanup EXIT

# Starts Xvfb on a free display and a window manager for focus and stacking.
start_display() {
    command -v Xvfb >/dev/null || fail "Xvfb is not installed"
    command -v xdotool >/dev/null || fail "xdotool is not installed"
    local n
    for n in $(seq 90 140); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
        XVFB_PID=$!
        export DISPLAY=":$n"
        for _ in $(seq 50); do
            xdotool getdisplaygeometry >/dev/null 2>&1 && break
            sleep 0.1
        done
        if xdotool getdisplaygeometry >/dev/null 2>&1; then
            if command -v openbox >/dev/null; then
                openbox >/dev/null 2>&1 &
                WM_PID=$!
                sleep 0.5
            fi
            return 0
        fi
        kill "$XVFB_PID" 2>/dev/null
    done
    fail "could not start Xvfb"
}

# Lays out a fresh program folder in the test's temporary folder: the program's data files
# from the built program folder, the test build of the executable, and a settings file so
# that start-up shows no message. Prints the path of the executable.
#   fresh_program EXECUTABLE PROGRAM_FOLDER
fresh_program() {
    local exe=$1 built=$2 folder=$E2E_TMP/program
    mkdir -p "$folder"
    cp -r "$built"/. "$folder"/
    rm -rf "$folder/sistemi" "$folder/stampe" "$folder/impostazioni.cfg" "$folder/printA.cfg" \
        "$folder/zelmoravintesca"
    cp "$exe" "$folder/"
    printf 'PROVA E2E\r\nFile PDF\r\n' > "$folder/impostazioni.cfg"
    echo "$folder/$(basename "$exe")"
}

# Waits for a visible window whose title matches, prints its id.
wait_window() {
    local pattern=$1 seconds=${2:-15} id
    for _ in $(seq $((seconds * 10))); do
        id=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    return 1
}

# --- Driving the program as a player does ---------------------------------------------------

MAIN_TITLE="Zelmoravintesca by Vandrel - Versione ${ZELMORA_VERSION:?the build sets it} - Freeware"
# The main window's size in twips, the unit of its layout.
MAIN_TWIPS_WIDTH=9315
MAIN_TWIPS_HEIGHT=5835

# Waits until no visible window's title matches.
wait_closed() {
    local pattern=$1 seconds=${2:-10}
    for _ in $(seq $((seconds * 10))); do
        xdotool search --onlyvisible --name "$pattern" >/dev/null 2>&1 || return 0
        sleep 0.1
    done
    return 1
}

# Makes a window the active one, so that typed keys go to it.
activate() {
    local id=$1
    for _ in $(seq 50); do
        [ "$(xdotool getactivewindow 2>/dev/null)" = "$id" ] && return 0
        xdotool windowactivate "$id" 2>/dev/null
        sleep 0.1
    done
    fail "window $id did not become active"
}

# Waits for a window by title and makes it active; prints its id.
wait_active() {
    local id
    id=$(wait_window "$1" "${2:-15}") || return 1
    activate "$id"
    echo "$id"
}

# Starts the program and waits until its main window is active. Sets APP and MAIN.
#   start_program EXECUTABLE
start_program() {
    "$1" &
    APP=$!
    E2E_PIDS="${E2E_PIDS:-} $APP"
    MAIN=$(wait_window "$MAIN_TITLE" 20) || fail "the main window did not appear"
    activate "$MAIN"
}

# Keys to the active window, as typed.
keys() {
    xdotool key --delay 40 "$@"
}

# Types text into the active window.
type_text() {
    xdotool type --delay 40 "$1"
}

# Clicks the main window at a point of its layout given in twips; the point follows the window
# when it is not at its design size.
#   click_main X_TWIPS Y_TWIPS
click_main() {
    local WIDTH HEIGHT x y
    eval "$(xdotool getwindowgeometry --shell "$MAIN" | grep -E '^(WIDTH|HEIGHT)=')"
    x=$(($1 * WIDTH / MAIN_TWIPS_WIDTH))
    y=$(($2 * HEIGHT / MAIN_TWIPS_HEIGHT))
    xdotool mousemove --window "$MAIN" "$x" "$y" click 1
}

# The command buttons, 975 x 855 twips each, in the command panel at (7080, 60): the centre of
# the button at LEFT, TOP inside the panel.
click_command() {
    click_main $((7080 + $1 + 487)) $((60 + $2 + 427))
}
click_salva() { click_command 1140 60; }
click_schedine() { click_command 60 1980; }
click_12_euro() { click_command 1140 2940; }

# Types a value into the box with the focus and Enter, which moves to the next box. Enter only
# asks for the move, which comes after the keys already waiting: a key typed at once could
# still land in the old box, so the next one waits a moment.
enter_field() {
    type_text "$1"
    keys Return
    sleep 0.2
}

# Types the sixteen numbers of a square cell by cell, Enter after each, starting in the cell
# that has the focus.
type_square() {
    local n
    for n in "$@"; do
        enter_field "$n"
    done
}

# Saves the system on screen through Salva as sistemi/NAME.zlm in the program folder $folder
# and waits until its 106 bytes are written.
#   save_as NAME
save_as() {
    activate "$MAIN"
    click_salva
    wait_active '^Salva con nome$' >/dev/null || fail "Salva did not open the save dialog"
    type_text "$1"
    keys Return
    wait_closed '^Salva con nome$' || fail "the save dialog did not close"
    for _ in $(seq 50); do
        [ "$(stat -c %s "$folder/sistemi/$1.zlm" 2>/dev/null)" = 106 ] && return 0
        sleep 0.1
    done
    fail "sistemi/$1.zlm was not written with 106 bytes"
}

# Writes the bytes of a system file as the program saves it: signature, wheel (10 characters),
# name (20), total, the square by rows, by columns, the lead number, the three stakes and the
# three winnings, the amounts as little-endian 32-bit floats.
#   system_bytes FILE WHEEL NAME LEAD STAKE_AMBO STAKE_TERNO STAKE_QUATERNA N1 ... N16
system_bytes() {
    python3 - "$@" <<'PY'
import struct, sys
out, wheel, name, lead = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
def f32(x):
    return struct.unpack('<f', struct.pack('<f', x))[0]
p = [f32(float(s)) for s in sys.argv[5:8]]
n = [int(s) for s in sys.argv[8:24]]
rows = [n[4 * r:4 * r + 4] for r in range(4)]
cols = [[rows[r][c] for r in range(4)] for c in range(4)]
total = f32(f32(f32(p[0] + p[1]) + p[2]) * 8)
a = f32(p[0] * 41.666)
b = f32(p[1] * 1125)
f = f32(p[2] * 120000)
terno = f32(f32(a * 3) + b) if p[1] else b
quaterna = f32(f32(f32(b * 4) + f) + f32(a * 6)) if p[2] else f
data = b'Zelmoravintesca' + wheel.ljust(10).encode('cp1252') + name.ljust(20).encode('cp1252')
data += struct.pack('<f', total)
data += bytes(sum(rows, [])) + bytes(sum(cols, [])) + bytes([lead])
data += struct.pack('<3f', *p) + struct.pack('<3f', a, terno, quaterna)
assert len(data) == 106
open(out, 'wb').write(data)
PY
}

# Fails unless two files hold the same bytes; shows where they differ.
same_bytes() {
    cmp -s "$1" "$2" && return 0
    echo "bytes that differ (offset, $1, $2; octal):" >&2
    cmp -l "$1" "$2" >&2
    fail "$3"
}
