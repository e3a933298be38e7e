#!/usr/bin/env bash
# Times the real program's start under Xvfb: from the process start to its main window being
# shown, and its resident memory once the main window is up. Every start gets a fresh program
# folder and temporary folder, as a first start on a player's machine.
#   benchmarks/startup.sh EXECUTABLE BUILT_PROGRAM_FOLDER RESULTS_FILE [STARTS] [VERSION_PORT]
#                         [TITLE]
# RESULTS_FILE gets two lines, "startup_ms" and "rss_kb", each followed by one value a start.
# TITLE is the pattern of the window waited for, the program's main window unless given (the
# bare Qt window that is the floor of the start is started the same way).
set -euo pipefail
exe=$1 built=$2 results=$3 starts=${4:-5} port=${5:-18097}
main_title=${6:-'^Zelmoravintesca by Vandrel - Versione'}

work=$(mktemp -d)
xvfb_pid= wm_pid= app_pid=
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
unset QT_QPA_PLATFORM

# The program is told to ask 127.0.0.1:PORT for the version; with nothing there the query
# fails at once.
if (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
    echo "something listens on 127.0.0.1:$port: the version query would wait for it" >&2
    exit 1
fi

# A free display with a window manager, as on a desktop.
for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do
        xdotool getdisplaygeometry >/dev/null 2>&1 && break
        sleep 0.1
    done
    xdotool getdisplaygeometry >/dev/null 2>&1 && break
    kill "$xvfb_pid" 2>/dev/null
    xvfb_pid=
done
[ -n "$xvfb_pid" ] || { echo "could not start Xvfb" >&2; exit 1; }
openbox >/dev/null 2>&1 &
wm_pid=$!
sleep 0.5

times=() rss=()
for run in $(seq "$starts"); do
    folder=$work/program$run tmp=$work/tmp$run
    mkdir -p "$folder" "$tmp/runtime"
    chmod 700 "$tmp/runtime"
    cp -r "$built"/. "$folder"/
    rm -rf "$folder/sistemi" "$folder/stampe" "$folder/printA.cfg" "$folder/zelmoravintesca"
    cp "$exe" "$folder/"
    # Settings in place, so the start shows no message.
    printf 'PROVA\r\nFile PDF\r\n' >"$folder/impostazioni.cfg"

    start=$(date +%s%N)
    ZELMORA_VERSION_SERVER=127.0.0.1:$port TMPDIR=$tmp XDG_RUNTIME_DIR=$tmp/runtime \
        "$folder/$(basename "$exe")" &
    app_pid=$!
    shown=
    for _ in $(seq 2000); do
        if xdotool search --onlyvisible --name "$main_title" >/dev/null 2>&1; then
            shown=$(date +%s%N)
            break
        fi
        kill -0 "$app_pid" 2>/dev/null || break
        sleep 0.01
    done
    [ -n "$shown" ] || { echo "start $run: the main window did not appear" >&2; exit 1; }
    # A moment for the first paint, then what the process holds in memory.
    sleep 0.3
    windows=$(xdotool search --onlyvisible --pid "$app_pid" --name '.' 2>/dev/null | wc -l)
    [ "$windows" -le 1 ] || { echo "start $run: $windows windows are shown" >&2; exit 1; }
    kb=$(awk '/^VmRSS:/ { print $2 }' "/proc/$app_pid/status")
    kill "$app_pid"
    wait "$app_pid" 2>/dev/null || true
    app_pid=
    ms=$(((shown - start) / 1000000))
    echo "start $run: main window after $ms ms, resident $((kb / 1024)) MB"
    times+=("$ms")
    rss+=("$kb")
done
printf 'startup_ms %s\nrss_kb %s\n' "${times[*]}" "${rss[*]}" >"$results"
