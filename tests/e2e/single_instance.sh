#!/usr/bin/env bash
# A second copy started beside a running one shows nothing, exits 0 within two seconds and
# brings the first copy's main window back to the front. Copies started at the same moment
# leave exactly one main window, and another user's planted lock and sockets do not keep the
# program from starting.
here=$(dirname "$0")
. "$here/lib.sh"
exe=$(fresh_program "$1" "$2")
start_display

"$exe" &
first=$!
E2E_PIDS=$first
main=$(wait_window "$MAIN_TITLE") ||
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

kill "$first" 2>/dev/null
wait "$first" 2>/dev/null
E2E_PIDS=

# Copies started at the same moment: in every round exactly one main window, the other two
# copies exit 0. SINGLE_INSTANCE_ROUNDS sets how many rounds (5 here; 50 by hand).
versions='Versione 0\.1\.4'
rounds=${SINGLE_INSTANCE_ROUNDS:-5}
for round in $(seq "$rounds"); do
    pids=()
    for _ in 1 2 3; do
        "$exe" &
        pids+=($!)
    done
    E2E_PIDS="${pids[*]}"
    wait_window "^$MAIN_TITLE\$" 20 >/dev/null || fail "round $round: no main window"
    for _ in $(seq 100); do
        alive=0
        for p in "${pids[@]}"; do kill -0 "$p" 2>/dev/null && alive=$((alive + 1)); done
        [ "$alive" -le 1 ] && break
        sleep 0.1
    done
    [ "$alive" = 1 ] || fail "round $round: $alive copies still running"
    sleep 0.5
    shown=$(xdotool search --onlyvisible --name "$versions" 2>/dev/null | wc -l)
    [ "$shown" = 1 ] || fail "round $round: $shown main windows"
    for p in "${pids[@]}"; do
        if kill -0 "$p" 2>/dev/null; then
            kill "$p"
            wait "$p" 2>/dev/null
        else
            wait "$p" || fail "round $round: a second copy exited with $?"
        fi
    done
    wait_closed "$versions" || fail "round $round: the main window stayed after its copy ended"
done
E2E_PIDS=
echo "$rounds rounds of three copies started together: one main window each time"

# Another user cannot keep the program from starting: as nobody, they plant a runtime folder
# of their own, the folder name the program would use in the shared temporary folder and the
# old lock and socket names there, each socket answering "raised". The program never talks to
# them and starts.
if [ "$(id -u)" = 0 ] && id nobody >/dev/null 2>&1 && command -v runuser >/dev/null; then
    shared=$E2E_TMP/shared
    chmod 711 "$E2E_TMP"
    mkdir -m 1777 "$shared"
    cat > "$E2E_TMP/plant.py" <<'PY'
import os, socket, sys, threading
def answer(path):
    s = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    s.bind(path)
    os.chmod(path, 0o777)
    s.listen(8)
    while True:
        c, _ = s.accept()
        c.sendall(b"raised\n")
        c.close()
paths = []
for folder in sys.argv[1:]:
    if not os.path.isdir(folder):
        os.makedirs(folder)
        os.chmod(folder, 0o777)
    open(os.path.join(folder, "zelmoravintesca.lock"), "w").close()
    open(os.path.join(folder, "Zelmoravintesca-0.lock"), "w").close()
    for name in ("ThunderRT6Main-Zelmoravintesca", "ThunderRT6Main-Zelmoravintesca-0"):
        paths.append(os.path.join(folder, name))
for p in paths:
    threading.Thread(target=answer, args=(p,), daemon=True).start()
open(os.path.join(sys.argv[1], "ready"), "w").close()
threading.Event().wait()
PY
    runuser -u nobody -- python3 "$E2E_TMP/plant.py" "$shared/theirs" "$shared/zelmoravintesca-0" \
        "$shared" &
    planter=$!
    for _ in $(seq 50); do [ -e "$shared/theirs/ready" ] && break; sleep 0.1; done
    [ -e "$shared/theirs/ready" ] || fail "could not plant the other user's sockets"
    mkdir -m 700 "$E2E_TMP/home"
    HOME=$E2E_TMP/home TMPDIR=$shared XDG_RUNTIME_DIR=$shared/theirs "$exe" &
    planted_run=$!
    E2E_PIDS="$planted_run $planter"
    wait_window "^$MAIN_TITLE\$" 20 >/dev/null ||
        fail "another user's planted folder and sockets kept the program from starting"
    own=$E2E_TMP/home/.zelmoravintesca-0
    [ "$(stat -c '%a %u' "$own" 2>/dev/null)" = "700 0" ] ||
        fail "the lock and socket are not in a private folder of the user's own"
    echo "started beside another user's planted folder and sockets; lock kept in $own"
else
    echo "another user's trap not tried: needs root and the user nobody"
fi
