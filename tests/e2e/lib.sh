# Shared set-up for tests that drive the real program under a private X server.
# Each test gets its own display, window manager and temporary folder, so the program's
# single-instance lock and socket never meet those of another run.

set -u
E2E_TMP=$(mktemp -d)
export TMPDIR=$E2E_TMP
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
