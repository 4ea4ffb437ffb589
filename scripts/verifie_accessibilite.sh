#!/usr/bin/env bash
# Starts Fantrel in a private D-Bus session with accessibility on and asks an AT-SPI
# client what it finds. Needs at-spi2-core, python3-gi and gir1.2-atspi-2.0.
set -euo pipefail
cd "$(dirname "$0")/.."
programme=${1:-build-release/app/fantrel}
travail=$(mktemp -d)
cp -r exemple/. "$travail"
# Everything started here is stopped here: a bus launcher left running would keep
# the caller's output open.
dbus-run-session -- bash -c "
  /usr/libexec/at-spi-bus-launcher --launch-immediately & lanceur=\$!
  sleep 1
  (cd '$travail' && QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 '$PWD/$programme' & echo \$! > '$travail/pid')
  sleep 4
  timeout 60 /usr/bin/python3 scripts/verifie_accessibilite.py; rc=\$?
  kill \$(cat '$travail/pid') \$lanceur 2>/dev/null || true
  exit \$rc" < /dev/null
