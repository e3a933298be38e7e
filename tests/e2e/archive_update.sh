#!/usr/bin/env bash
# Aggiorna archivio against a server of the test's own on 127.0.0.1, in the public archive's
# format (a ZIP holding storico.txt, tab-separated): the command line brings the archive up to
# date and says how many draws are new, a second run asked with the server's ETag gets a 304
# and says the archive is already current, a 404 is refused leaving the archive byte for byte,
# bad lines and a draw that contradicts a stored one are reported and the stored one kept, the
# address file beside the settings points at a plain text mirror; and the Verifica window's
# button does the same on its worker.
#   archive_update.sh PROGRAM PROGRAM_FOLDER
here=$(dirname "$0")
. "$here/lib.sh"
exe=$(fresh_program "$1" "$2")
folder=$(dirname "$exe")
archive=$folder/estrazioni.txt

# The server: the ZIP under /storico.zip with an ETag (304 when asked with it), the same text
# plain under /testo.txt, and nothing else. Every request's If-None-Match is logged.
python3 - "$E2E_TMP" <<'PY' &
import http.server, io, os, sys, zipfile
folder = sys.argv[1]
lines = ["2024/01/02\tBA\t1\t2\t3\t4\t5", "2024/01/02\tRM\t6\t7\t8\t9\t10",
         "2024/01/04\tBA\t11\t12\t13\t14\t15", "2024/01/04\tRN\t21\t22\t23\t24\t25",
         "2024/01/05\tBA\t1\t2\t3\t4", "2024/01/05\tCA\t31\t32\t33\t34\t35"]
text = ("\r\n".join(lines) + "\r\n").encode()
zipped = io.BytesIO()
with zipfile.ZipFile(zipped, "w", zipfile.ZIP_DEFLATED) as z:
    z.writestr("storico.txt", text)
open(os.path.join(folder, "storico.txt"), "wb").write(text)

class Handler(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        with open(os.path.join(folder, "asked.log"), "a") as log:
            log.write(self.path + " " + str(self.headers.get("If-None-Match")) + "\n")
        if self.path == "/storico.zip" and self.headers.get("If-None-Match") == '"v1"':
            self.send_response(304)
            self.send_header("ETag", '"v1"')
            self.end_headers()
            return
        body = {"/storico.zip": zipped.getvalue(), "/testo.txt": text}.get(self.path)
        if body is None:
            self.send_error(404)
            return
        self.send_response(200)
        self.send_header("ETag", '"v1"')
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)
    def log_message(self, *args):
        pass

server = http.server.HTTPServer(("127.0.0.1", 0), Handler)
open(os.path.join(folder, "port"), "w").write(str(server.server_port))
server.serve_forever()
PY
E2E_PIDS="${E2E_PIDS:-} $!"
for _ in $(seq 50); do [ -s "$E2E_TMP/port" ] && break; sleep 0.1; done
port=$(cat "$E2E_TMP/port") || fail "the test's server did not start"
base=http://127.0.0.1:$port
update() {
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 60 "$exe" --aggiorna \
        >"$E2E_TMP/out.txt" 2>"$E2E_TMP/err.txt"
}

# A stored draw the download contradicts: the stored one stays.
printf '2024-01-04\tRN\t1\t2\t3\t4\t5\n' >"$archive"
ZELMORA_ARCHIVE_URL=$base/storico.zip update || fail "the update failed: $(cat "$E2E_TMP/err.txt")"
grep -qxF "Archivio aggiornato: 4 estrazioni nuove, l'ultima del 05/01/2024" "$E2E_TMP/out.txt" ||
    fail "the summary: $(cat "$E2E_TMP/out.txt")"
grep -q "riga 5" "$E2E_TMP/err.txt" || fail "the bad line is not told: $(cat "$E2E_TMP/err.txt")"
grep -q "04/01/2024 Nazionale" "$E2E_TMP/err.txt" || fail "the contradicting draw is not told"
# Draw by draw, the archive holds the source's draws but the bad line and the contradicted one.
python3 - "$archive" "$E2E_TMP/storico.txt" <<'PY' || fail "the archive differs from the source"
import sys
def draws(path):
    out = {}
    for line in open(path):
        f = line.replace("/", "-").split()
        if len(f) == 7 and not line.startswith("#"):
            out[(f[0], f[1].replace("RO", "RM"))] = sorted(map(int, f[2:]))
    return out
stored, source = draws(sys.argv[1]), draws(sys.argv[2])
source[("2024-01-04", "RN")] = [1, 2, 3, 4, 5]
sys.exit(0 if stored == source else 1)
PY

# Asked again with the ETag, the server answers 304: nothing changes.
cp "$archive" "$E2E_TMP/before.txt"
ZELMORA_ARCHIVE_URL=$base/storico.zip update || fail "the second update failed"
grep -qxF "L'archivio è già aggiornato (ultima estrazione del 05/01/2024)" "$E2E_TMP/out.txt" ||
    fail "the 304: $(cat "$E2E_TMP/out.txt")"
tail -n 1 "$E2E_TMP/asked.log" | grep -qF '"v1"' || fail "the second update sent no If-None-Match"
same_bytes "$E2E_TMP/before.txt" "$archive" "a 304 changed the archive"

# A 404: exit 2, an Italian message, the archive byte for byte.
ZELMORA_ARCHIVE_URL=$base/manca.zip update
[ $? = 2 ] && [ -s "$E2E_TMP/err.txt" ] && [ ! -s "$E2E_TMP/out.txt" ] || fail "a 404 was taken"
same_bytes "$E2E_TMP/before.txt" "$archive" "a refused update changed the archive"

# The address file points at a plain text mirror; an archive changed since the last update is
# asked for whole, never with the old ETag.
printf '# un mirror\n%s/testo.txt\n' "$base" >"$folder/aggiornamento.cfg"
printf '2023-12-30\tBA\t1\t2\t3\t4\t5\n' >>"$archive"
update || fail "the update from the address file failed: $(cat "$E2E_TMP/err.txt")"
tail -n 1 "$E2E_TMP/asked.log" | grep -qx "/testo.txt None" || fail "not asked whole from the file's address"
rm "$folder/aggiornamento.cfg"

# The window: Verifica's button does the same on its worker and says so.
rm -f "$archive" "$archive.cond"
export ZELMORA_ARCHIVE_URL=$base/storico.zip
system_bytes "$E2E_TMP/s.zlm" Bari prova 7 1 0 0 7 12 23 34 45 46 56 67 78 89 8 1 2 13 24 9
start_display
start_program "$exe"
keys ctrl+o
wait_active '^Apri$' >/dev/null || fail "no open dialog"
type_text "$E2E_TMP/s.zlm"
keys Return
wait_closed '^Apri$' || fail "the open dialog did not close"
sleep 0.5
keys alt+v
wait_active '^Verifica$' >/dev/null || fail "Alt+V did not open Verifica"
sleep 1
keys alt+g
wait_active '^Aggiorna archivio$' 30 >/dev/null || fail "Aggiorna archivio said nothing"
import -window root "$E2E_TMP/aggiorna.png" 2>/dev/null
[ "$(grep -c $'\t' "$archive")" = 5 ] || fail "the window's update stored $(grep -c $'\t' "$archive") draws"
echo "OK"
