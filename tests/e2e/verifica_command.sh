#!/usr/bin/env bash
# The check from the command line, on the real program with no display at all: every line and
# the totals equal those worked out by verifica_expected.py from the payout rules; skipped
# lines are told on standard error; a wrong system, archive or date exits 2 with a message;
# a FIFO given as the archive does not hang; the withholding setting beside the program holds;
# --statistiche gives the figures worked out by hand and refuses what --verifica refuses.
#   verifica_command.sh PROGRAM
set -u
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# A program folder of its own, so no setting of another run is read.
mkdir "$work/bin"
cp "$1" "$work/bin/zelmoravintesca"
exe=$work/bin/zelmoravintesca
check() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 20 "$exe" --verifica "$@"; }

python3 "$here/verifica_expected.py" "$work" >"$work/expected.txt" || fail "no expected output"
check "$work/sistema.zlm" "$work/archivio.txt" >"$work/out.txt" 2>"$work/err.txt"
rc=$?
[ "$rc" = 0 ] || fail "exit $rc: $(cat "$work/err.txt")"
diff "$work/expected.txt" "$work/out.txt" || fail "the output differs from the worked-out one"
grep -q "TOTAL" "$work/out.txt" || fail "no total line"
# The expected lines hold an ambo, a terno and the quaterna, and a draw won on several plays.
grep -qP '\t2\t[0-9.]+\t[0-9.]+$' "$work/out.txt" || fail "no ambo"
grep -qP '\t3\t[0-9.]+\t[0-9.]+$' "$work/out.txt" || fail "no terno"
grep -qP '\t4\t[0-9.]+\t[0-9.]+$' "$work/out.txt" || fail "no quaterna"
# The skipped lines: the one with four numbers (line 11) is the first of eight.
grep -q "8 righe non lette (righe 11, 12, 13, 14, 15, 16, 17, 18)" "$work/err.txt" ||
    fail "skipped lines not told: $(cat "$work/err.txt")"
grep -q "02/01/2024 Roma" "$work/err.txt" || fail "the conflicting draw is not told"

# A date range, in the other date forms.
python3 "$here/verifica_expected.py" "$work" 8 2024-01-04 2024-01-13 >"$work/expected.txt"
check "$work/sistema.zlm" "$work/archivio.txt" --dal 04/01/2024 --al 2024/01/13 \
    >"$work/out.txt" 2>/dev/null || fail "the range run failed"
diff "$work/expected.txt" "$work/out.txt" || fail "the range output differs"

# The withholding setting beside the program, as an editor that writes a byte-order mark saves it.
printf '\xef\xbb\xbf12,5\r\n' >"$work/bin/ritenuta.cfg"
python3 "$here/verifica_expected.py" "$work" 12.5 >"$work/expected.txt"
check "$work/sistema.zlm" "$work/archivio.txt" >"$work/out.txt" 2>/dev/null ||
    fail "the run with a withholding setting failed"
diff "$work/expected.txt" "$work/out.txt" || fail "the output at 12,5% differs"
rm "$work/bin/ritenuta.cfg"

# The figures of the same archive's Roma draws (seven of them), worked out by hand: 7 is in
# all but the fifth, 90 only in the third, 60 in none, 1 in the 2nd, 5th and 6th; play 1 made
# its quaterna in the third draw, play 3 (78 89 7 1) in the sixth and an ambo in the last.
stats() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 20 "$exe" --statistiche "$@"; }
stats "$work/archivio.txt" --sistema "$work/sistema.zlm" >"$work/out.txt" 2>/dev/null ||
    fail "--statistiche failed"
[ "$(wc -l <"$work/out.txt")" = 99 ] || fail "--statistiche wrote $(wc -l <"$work/out.txt") lines"
for line in 'DRAWS 7' '7 6 0 1' '90 1 4 4' '60 0 7 7' '1 3 1 2' 'PLAY 1 4 4 4' 'PLAY 3 0 1 1'; do
    grep -qxF "$(tr ' ' '\t' <<<"$line")" "$work/out.txt" || fail "--statistiche: no line \"$line\""
done
stats "$work/archivio.txt" --ruota RM --dal 2024/01/11 >"$work/out.txt" 2>/dev/null &&
    grep -qxP 'DRAWS\t3' "$work/out.txt" && grep -qxP '60\t0\t3\t3' "$work/out.txt" ||
    fail "--statistiche from a date"

# Refusals: exit 2, a message, nothing on standard output.
refused() {
    local what=$1
    shift
    ${run:-check} "$@" >"$work/out.txt" 2>"$work/err.txt"
    rc=$?
    [ "$rc" = 2 ] || fail "$what: exit $rc"
    [ -s "$work/err.txt" ] || fail "$what: no message"
    [ -s "$work/out.txt" ] && fail "$what: wrote $(cat "$work/out.txt")"
    return 0
}
refused "a text file as system" "$work/archivio.txt" "$work/archivio.txt"
grep -q "Questo file non puo' essere letto" "$work/err.txt" || fail "no message for the system"
refused "a missing archive" "$work/sistema.zlm" "$work/nessuno.txt"
head -c 5000 /dev/urandom >"$work/binario.txt"
printf '\0' >>"$work/binario.txt"
refused "a binary archive" "$work/sistema.zlm" "$work/binario.txt"
mkfifo "$work/fifo"
refused "a FIFO as archive" "$work/sistema.zlm" "$work/fifo"
refused "a FIFO as system" "$work/fifo" "$work/archivio.txt"
refused "an impossible date" "$work/sistema.zlm" "$work/archivio.txt" --dal 2023/02/29
refused "no archive" "$work/sistema.zlm"
refused "a missing system" "$work/nessuno.zlm" "$work/archivio.txt"
grep -q "nessuno.zlm: non esiste" "$work/err.txt" || fail "not told in Italian: $(cat "$work/err.txt")"
refused "--al before --dal" "$work/sistema.zlm" "$work/archivio.txt" --dal 2024/01/10 --al 2024/01/02
head -c 3000 /dev/urandom | tr -d '\000' >"$work/rumore.txt"
refused "a binary file with no NUL" "$work/sistema.zlm" "$work/rumore.txt"

# No draw of the system's wheel in the range checks nothing: refused, as the figures are.
printf '2024/01/02 NA 1 2 3 4 5\n' >"$work/napoli.txt"
refused "an archive with no draw of the system's wheel" "$work/sistema.zlm" "$work/napoli.txt"
grep -q "nessuna estrazione di Roma" "$work/err.txt" || fail "not told: $(cat "$work/err.txt")"
refused "a --dal after the last draw" "$work/sistema.zlm" "$work/archivio.txt" --dal 2025/01/01
run=stats refused "figures with no wheel" "$work/archivio.txt"
run=stats refused "figures of an unknown wheel" "$work/archivio.txt" --ruota Atlantide
run=stats refused "figures with --dal after --al" "$work/archivio.txt" --ruota RM --dal 2024/01/10 --al 2024/01/02
run=stats refused "figures of no draw" "$work/archivio.txt" --ruota Bari --dal 2024/02/01
run=stats refused "figures of a FIFO" "$work/fifo" --ruota RM
run=stats refused "figures with a text as system" "$work/archivio.txt" --sistema "$work/archivio.txt"
stats "$work/archivio.txt" --ruota RM >/dev/full 2>/dev/null
[ $? = 2 ] || fail "figures on a full device reported as success"

# A long check holds no more than the figures of the same archive: each win is written as it
# is found. 200,000 Roma draws that each win four plays (the first row's quaterna and three
# column ambi).
python3 - "$work/grande.txt" <<'EOF'
import datetime, sys
first = datetime.date(1900, 1, 1)
with open(sys.argv[1], "w") as out:
    for i in range(200000):
        out.write(f"{first + datetime.timedelta(i)}\tRM\t7\t12\t23\t34\t{80 + i % 9}\n")
EOF
peak() { # the exit code and the peak memory in KiB of the program run with these arguments;
    # its output goes to $work/peak.out
    python3 -c 'import resource, subprocess, sys
r = subprocess.run(sys.argv[2:], stdout=open(sys.argv[1], "w"), stderr=subprocess.DEVNULL)
print(r.returncode, resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss)' \
        "$work/peak.out" env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$exe" "$@"
}
read -r rc checkPeak < <(peak --verifica "$work/sistema.zlm" "$work/grande.txt")
[ "$rc" = 0 ] || fail "the long check exit $rc"
[ "$(wc -l <"$work/peak.out")" = 800001 ] || fail "the long check wrote $(wc -l <"$work/peak.out") lines"
tail -n 1 "$work/peak.out" | grep -qP '^TOTAL\t200000\t200000\t' || fail "the long check's total"
read -r rc figuresPeak < <(peak --statistiche "$work/grande.txt" --ruota RM)
[ "$rc" = 0 ] || fail "the long figures exit $rc"
[ -n "${ZELMORA_SANITIZED:-}" ] || [ "$checkPeak" -le $((figuresPeak * 11 / 10)) ] ||
    fail "the long check took $checkPeak KiB, the figures $figuresPeak KiB"

# Output that cannot be written whole is a failure, never a success.
check "$work/sistema.zlm" "$work/archivio.txt" >/dev/full 2>"$work/err.txt"
[ $? = 2 ] && [ -s "$work/err.txt" ] || fail "a full device reported as success"
check "$work/sistema.zlm" "$work/archivio.txt" >&- 2>"$work/err.txt"
[ $? = 2 ] || fail "a closed standard output reported as success"

# The usage and the version need no display; an unknown option gets the usage on stderr.
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$exe" --help >"$work/out.txt" 2>&1 ||
    fail "--help failed"
grep -q -- "--verifica SISTEMA.zlm" "$work/out.txt" || fail "no usage: $(cat "$work/out.txt")"
grep -q -- "--statistiche ARCHIVIO.txt" "$work/out.txt" || fail "no figures in the usage"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$exe" --version | grep -q "^Zelmoravintesca " ||
    fail "--version"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$exe" --sconosciuta >"$work/out.txt" 2>"$work/err.txt"
[ $? = 2 ] && [ ! -s "$work/out.txt" ] && grep -q "Uso:" "$work/err.txt" || fail "an unknown option"
# Two systems to open are one too many: the usage on stderr, no window asked for.
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$exe" a.zlm b.zlm >"$work/out.txt" 2>"$work/err.txt"
[ $? = 2 ] && [ ! -s "$work/out.txt" ] && grep -q "Uso:" "$work/err.txt" &&
    grep -q "un solo sistema alla volta, non 2: a.zlm, b.zlm" "$work/err.txt" ||
    fail "two files to open: $(cat "$work/err.txt")"
echo "OK"
