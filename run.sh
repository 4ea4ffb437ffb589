#!/usr/bin/env bash
# Installs what the program needs, builds it for release, and starts it in a
# working copy of exemple/ (made on first use, never committed).
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/install-deps.sh

build=build-release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DFANTREL_TESTS=OFF -DFANTREL_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target fantrel

travail=travail
if [ ! -d "$travail" ]; then
  cp -r exemple "$travail"
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  source scripts/xvfb.sh
  assure_affichage
  echo "Pas d'écran : le programme tourne sur l'affichage virtuel $DISPLAY" >&2
fi
cd "$travail"
exec ../"$build"/app/fantrel
