#!/usr/bin/env bash
# The run command: installs what is missing, builds, creates the demo working
# directory demo/ (embedded database, station file, printers mapped to files)
# and starts the server in it.
#   --fresh     start from a new demo database
#   --evening   once the server runs, play the demo evening (tools/demo_evening.txt)
#               through the tablet tool: orders, kitchen tickets, bills paid in
#               cash and by card, tips; the tickets and receipts land in
#               demo/kueche.txt, demo/bar.txt and demo/bondrucker.txt
set -euo pipefail
cd "$(dirname "$0")/.."
fresh=""
evening=""
for a in "$@"; do
  case "$a" in
    --fresh) fresh="--fresh" ;;
    --evening) evening=1 ;;
    *) echo "run-demo: unknown option $a" >&2; exit 2 ;;
  esac
done
bash scripts/build.sh
./build/tools/make_demo demo $fresh
cd demo
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  export QT_QPA_PLATFORM=offscreen
  echo "run-demo: no display, running headless; the trace goes to this terminal (Ctrl+C ends)."
fi
if [ -z "$evening" ]; then
  exec ../build/app/tablinker
fi
../build/app/tablinker &
server=$!
trap 'kill -TERM $server 2>/dev/null; wait $server' INT TERM
sleep 3
../build/tools/tablet korvex.fdb --file ../tools/demo_evening.txt --pause 700 --wait 120
for f in bar.txt kueche.txt bondrucker.txt; do
  [ -f "$f" ] || continue
  echo "===== demo/$f ====="
  iconv -f CP437 -t UTF-8 "$f" | tr -d '\r'
done
echo "run-demo: the evening is over; the server keeps running (Ctrl+C ends it)."
wait $server
