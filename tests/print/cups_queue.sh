#!/usr/bin/env bash
# Starts the CUPS scheduler with a cups-pdf queue for the printing tests, or stops it again.
#   cups_queue.sh start | stop
# The queue prints into PDF files: cups-pdf writes them in the printing user's ~/PDF.
set -u
QUEUE=ZelmoraTestPDF
PPD=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
STATE=${TMPDIR:-/tmp}/zelmora-cups-started

fail() { echo "CUPS set-up failed: $*" >&2; exit 1; }

case "${1:-}" in
start)
    command -v cupsd >/dev/null || fail "cupsd is not installed (Debian package cups)"
    [ -x /usr/lib/cups/backend/cups-pdf ] || fail "the cups-pdf backend is not installed (printer-driver-cups-pdf)"
    [ -f "$PPD" ] || fail "$PPD is missing"
    if ! lpstat -r 2>/dev/null | grep -q "is running"; then
        cupsd || fail "cupsd did not start"
        touch "$STATE"
        for _ in $(seq 50); do
            lpstat -r 2>/dev/null | grep -q "is running" && break
            sleep 0.2
        done
    fi
    lpstat -r 2>/dev/null | grep -q "is running" || fail "the scheduler does not answer"
    if ! lpstat -p "$QUEUE" >/dev/null 2>&1; then
        lpadmin -p "$QUEUE" -v cups-pdf:/ -E -P "$PPD" || fail "lpadmin could not add $QUEUE"
    fi
    cupsenable "$QUEUE" 2>/dev/null
    cupsaccept "$QUEUE" 2>/dev/null
    lpstat -p "$QUEUE" || fail "queue $QUEUE is missing"
    ;;
stop)
    lpadmin -x "$QUEUE" 2>/dev/null
    # Only a scheduler that this script started is stopped again.
    if [ -f "$STATE" ]; then
        rm -f "$STATE"
        pkill -x cupsd 2>/dev/null
    fi
    exit 0
    ;;
*)
    echo "usage: $0 start|stop" >&2
    exit 2
    ;;
esac
