#!/usr/bin/env bash
# Installs every Debian package tablinker needs to build, run and test.
# The README, the demo and .ci/run all call this one script; nothing else
# installs packages. Already installed packages are not fetched again.
set -euo pipefail

packages=(
  # build
  g++ cmake ninja-build pkg-config
  # database: embedded engine, client library, headers, isql
  firebird3.0-server-core libfbclient2 firebird-dev firebird3.0-utils
  # a Firebird server, started by the tests on loopback for the remote mode
  firebird3.0-server
  # window, serial lines, system printers
  qt6-base-dev qt6-serialport-dev
  # system printer tests: CUPS with the virtual PDF queue, pdftotext
  cups printer-driver-cups-pdf poppler-utils
  # QR symbols, SFTP, keystroke typer
  libqrcodegencpp-dev libssh-dev libx11-dev libxtst-dev
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
