#!/usr/bin/env bash
# The run command: installs what is missing, builds, creates the demo working
# directory demo/ (embedded database, station file, printers mapped to files)
# and starts the server in it. Pass --fresh to start from a new database.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
./build/tools/make_demo demo "$@"
if [ ! -x build/app/tablinker ]; then
  echo "run-demo: the demo directory demo/ is ready; the server program is not built yet."
  exit 0
fi
cd demo
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  export QT_QPA_PLATFORM=offscreen
  echo "run-demo: no display, running headless; the trace goes to this terminal (Ctrl+C ends)."
fi
exec ../build/app/tablinker
