#!/usr/bin/env bash
# A player who hears the screen: the real program on Xvfb's xcb platform, its windows read
# through the desktop's accessibility bus (AT-SPI) as a screen reader reads them. In every
# window the program opens, each control that takes the focus has a name, the names the
# window's words give are there, and in the main, check, figures and calibration windows Tab
# reaches every control a mouse can; the delays chart tells the number its arrows point at.
#
# The program needs a session bus with the accessibility bus on it, so the test runs itself
# again inside a private one (dbus-run-session), where it starts the accessibility bus first.
if [ -z "${ZELMORA_ON_A11Y_BUS:-}" ]; then
    command -v dbus-run-session >/dev/null || { echo "FAIL: dbus-run-session is not installed" >&2; exit 1; }
    export ZELMORA_ON_A11Y_BUS=1
    exec dbus-run-session -- bash "$0" "$@"
fi

here=$(dirname "$0")
. "$here/lib.sh"
exe=$(fresh_program "$1" "$2")
folder=$(dirname "$exe")
bus_launcher=/usr/libexec/at-spi-bus-launcher
[ -x "$bus_launcher" ] || fail "at-spi2-core is not installed"
# Debian's own Python, which has pyatspi whatever python3 comes first on the PATH.
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || fail "python3-pyatspi is not installed"
command -v dbus-send >/dev/null || fail "dbus-send is not installed"

"$bus_launcher" --launch-immediately >/dev/null 2>&1 &
E2E_PIDS="${E2E_PIDS:-} $!"
for _ in $(seq 50); do
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
        >/dev/null 2>&1 && break
    sleep 0.1
done
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
    >/dev/null 2>&1 || fail "the accessibility bus did not start"
# The offscreen platform has no accessibility bridge: the program runs on the X server.
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

# A saved system for the windows that need a valid square, and a stored archive of three draws
# of its wheel for the check and the figures.
square=(7 12 23 34 45 7 56 67 78 89 7 1 2 13 24 7)
mkdir -p "$folder/sistemi"
system_bytes "$folder/sistemi/ascolto.zlm" Bari ascolto.zlm 7 1 0.5 0.5 "${square[@]}"
printf '%s\t%s\t%s\t%s\t%s\t%s\t%s\n' 2024-03-02 BA 12 23 60 61 62 2024-03-05 BA 7 12 23 80 81 \
    2024-03-07 BA 1 2 3 4 5 >"$folder/estrazioni.txt"

start_display
start_program "$exe"
keys ctrl+o
wait_active '^Apri$' >/dev/null || fail "Ctrl+O did not open the open dialog"
type_text ascolto.zlm
keys Return
wait_closed '^Apri$' || fail "the open dialog did not close"

# Escape closes the active window; pressed again should the first one come while it was busy.
escape_from() {
    local id
    for _ in $(seq 5); do
        id=$(wait_window "^$1\$" 1) || return 0
        activate "$id"
        keys Escape
        wait_closed "^$1\$" 2 && return 0
    done
    fail "Escape did not close $1"
}

# How each window opens, from the one before it or from the main window.
open_main() { activate "$MAIN"; }
open_verifica() { activate "$MAIN" && keys alt+v; }
open_figures() { keys alt+f; }
open_listing() { activate "$MAIN" && keys alt+t; }
open_settings() { keys alt+i; }
open_preview() { activate "$(wait_window '^Stampa Tabulato$')" && keys alt+p; }
open_slips() { activate "$MAIN" && click_schedine; }
open_calibration() { keys alt+t; }
# A click on the main window's background, between the stakes and the commands.
open_about() { activate "$MAIN" && click_main 7010 3000; }

# One row a window: its title, how it opens, the windows Escape then closes (by title), the
# checks beyond the names (tab: Tab round it; chart:NAME: the delays chart named NAME), and
# names some of its controls must bear; "|" between the items of a field.
verifica_names="Dal|Al|Numeri di un'estrazione|Risultati: le estrazioni con una vincita"
figures_names="Ruota|Dal|Al|Ritardo attuale di ogni numero|Numeri (clic su un titolo per ordinare)"
figures_names+="|Giocate del sistema: ritardo di ambo, terno e quaterna"
calibration_names="Posizione Numero 1 / X|Posizione Numero 1 / X (mm)|Distanza Importi / Y"
calibration_names+="|Distanza Importi / Y (mm)|Posizione Intestazione / Y (mm)|Stampante"
windows=(
    "$MAIN_TITLE;open_main;;tab;Riga 1, colonna 1|Riga 1, colonna 2|Riga 4, colonna 4|Puntata Ambo|Puntata Terno|Puntata Quaterna|Importo Sistema|Ruota"
    "Verifica;open_verifica;;tab;$verifica_names"
    "Ritardi e frequenze;open_figures;Ritardi e frequenze|Verifica;tab|chart:Ritardo attuale di ogni numero;$figures_names"
    "Stampa Tabulato;open_listing;;;Copie"
    "Impostazioni;open_settings;Impostazioni;;Intestazione stampa|Stampante Tabulato"
    "Anteprima - Stampa Tabulato;open_preview;Anteprima - Stampa Tabulato|Stampa Tabulato;;"
    "Stampa Schedine;open_slips;;;Da|A"
    "Taratura Stampa Schedine;open_calibration;Taratura Stampa Schedine|Stampa Schedine;tab;$calibration_names"
    "Informazioni su Zelmoravintesca;open_about;Informazioni su Zelmoravintesca;;"
)

problems=0
for row in "${windows[@]}"; do
    IFS=';' read -r title opener closing checks names <<<"$row"
    $opener
    id=$(wait_active "^$title\$") || fail "$opener did not open \"$title\""
    # A window's work on opening (reading the archive, the figures) ends before it is read.
    sleep 1
    activate "$id"
    args=()
    IFS='|' read -r -a expected <<<"$names"
    for name in "${expected[@]}"; do
        args+=(--expect "$name")
    done
    IFS='|' read -r -a more <<<"$checks"
    for check in "${more[@]}"; do
        case "$check" in
        tab) args+=(--tab) ;;
        chart:*) args+=(--chart "${check#chart:}") ;;
        esac
    done
    echo "--- $title"
    /usr/bin/python3 "$here/atspi_probe.py" "$APP" "$title" "${args[@]}" || problems=$((problems + 1))
    if [ -n "$closing" ]; then
        IFS='|' read -r -a to_close <<<"$closing"
        for window in "${to_close[@]}"; do
            escape_from "$window"
        done
    fi
done
[ "$problems" = 0 ] || fail "$problems windows have controls a screen reader cannot name or reach (above)"
echo "every window's controls have names, and Tab reaches them"
