#!/usr/bin/env bash
# Makes sure the CUPS scheduler runs and offers the virtual PDF printer of
# cups-pdf as queue "PDF", for the system-printer tests. Starts cupsd when
# it is not running (as root) and creates the queue with lpadmin. Several
# test processes may call this at once; a lock serialises them.
# Exit 0: the queue is ready. Exit 77: CUPS cannot run here (why on stderr).
set -u

skip() { echo "cups_pdf_queue: $*" >&2; exit 77; }

for tool in cupsd lpstat lpadmin cupsenable cupsaccept; do
  command -v "$tool" >/dev/null 2>&1 || [ -x "/usr/sbin/$tool" ] || skip "$tool is not installed"
done
export PATH="$PATH:/usr/sbin"
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
[ -x /usr/lib/cups/backend/cups-pdf ] && [ -f "$ppd" ] || skip "printer-driver-cups-pdf is not installed"

exec 9>"${TMPDIR:-/tmp}/tablinker-cups-pdf.lock"
flock 9

running() { lpstat -r 2>/dev/null | grep -q "scheduler is running"; }

if ! running; then
  [ "$(id -u)" -eq 0 ] || skip "the CUPS scheduler is not running and only root may start it"
  cupsd || skip "cupsd did not start"
  for _ in $(seq 100); do running && break; sleep 0.1; done
  running || skip "cupsd started but does not answer"
fi

if ! lpstat -p PDF >/dev/null 2>&1; then
  lpadmin -p PDF -E -v cups-pdf:/ -P "$ppd" 2>/dev/null || skip "lpadmin could not create queue PDF"
fi
cupsenable PDF 2>/dev/null
cupsaccept PDF 2>/dev/null
lpstat -p PDF >/dev/null 2>&1 || skip "queue PDF is not there"
exit 0
