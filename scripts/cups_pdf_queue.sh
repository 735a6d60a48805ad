#!/usr/bin/env bash
# Makes the printer queue "TalmorekPDF" available for the printing tests: a
# CUPS queue on the cups-pdf backend, which turns every job into a PDF file
# in a known directory, so a test can send a document through the real
# spooler and read back what arrived.
#
# Idempotent and quick when everything is in place. Needs root (it edits
# /etc/cups and may start the scheduler); anything missing or failing is
# reported as a note and the script still succeeds: the test then skips.

QUEUE=TalmorekPDF
OUT_DIR=/var/spool/cups-pdf/talmorek
CONF=/etc/cups/cups-pdf.conf
PPD=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd

note() { echo "cups_pdf_queue: $*; the printer-queue test will be skipped" >&2; exit 0; }

[ "$(id -u)" -eq 0 ] || note "not running as root"
command -v cupsd >/dev/null 2>&1 && command -v lpadmin >/dev/null 2>&1 || note "CUPS is not installed"
[ -f "$CONF" ] && [ -f "$PPD" ] || note "cups-pdf is not installed"

# Every job, whoever sends it (root's jobs count as anonymous on some
# set-ups), lands in one directory.
set_option() {
  local key=$1 value=$2
  grep -qx "$key $value" "$CONF" && return 0
  if grep -qE "^#?$key " "$CONF"; then
    sed -i -E "s|^#?$key .*|$key $value|" "$CONF"
  else
    echo "$key $value" >>"$CONF"
  fi
}
set_option Out "$OUT_DIR" || note "cannot edit $CONF"
set_option AnonDirName "$OUT_DIR" || note "cannot edit $CONF"
# Readable by the test whoever runs it.
set_option UserUMask 0000 || note "cannot edit $CONF"
mkdir -p "$OUT_DIR" && chmod 0777 "$OUT_DIR" || note "cannot create $OUT_DIR"

# No service manager in a container: start the scheduler directly (it puts
# itself in the background) and wait, bounded, until it answers.
if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
  mkdir -p /run/cups
  cupsd || note "cupsd did not start"
  for _ in $(seq 1 50); do
    lpstat -r 2>/dev/null | grep -q 'is running' && break
    sleep 0.2
  done
  lpstat -r 2>/dev/null | grep -q 'is running' || note "cupsd does not answer"
fi

if ! lpstat -p "$QUEUE" >/dev/null 2>&1; then
  lpadmin -p "$QUEUE" -E -v cups-pdf:/ -P "$PPD" 2>/dev/null || note "cannot add the queue $QUEUE"
fi
# cups-pdf takes PostScript, so CUPS converts each PDF job first. Of its
# converters only pdftocairo keeps the text searchable (Latin-1 letters;
# Czech letters beyond it are lost on the way), which the test reads back.
lpadmin -p "$QUEUE" -o pdftops-renderer-default=pdftocairo 2>/dev/null
cupsenable "$QUEUE" 2>/dev/null
cupsaccept "$QUEUE" 2>/dev/null
echo "cups_pdf_queue: queue $QUEUE writes to $OUT_DIR"

# A second queue that refuses every new job, for the test of a printer that
# cannot take the copies of the record. Not having it only skips that test.
REFUSING=TalmorekRefusing
if ! lpstat -p "$REFUSING" >/dev/null 2>&1; then
  lpadmin -p "$REFUSING" -E -v cups-pdf:/ -P "$PPD" 2>/dev/null ||
    echo "cups_pdf_queue: cannot add the queue $REFUSING; its test will be skipped" >&2
fi
cupsreject "$REFUSING" 2>/dev/null
echo "cups_pdf_queue: queue $REFUSING refuses new jobs"
exit 0
