#!/usr/bin/env bash
# Installs what the build needs, builds with AddressSanitizer and
# UndefinedBehaviorSanitizer, warnings as errors, and runs every test under an X display.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/install-deps.sh

build=build
# ccache, when present, keeps rebuilds of unchanged files cheap.
lanceur=()
command -v ccache >/dev/null && lanceur=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DFANTREL_SANITIZE=ON -DFANTREL_WERROR=ON "${lanceur[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)"

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}"
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export QT_QPA_PLATFORM=xcb
export LIBGL_ALWAYS_SOFTWARE=1

# shellcheck source=scripts/xvfb.sh
source scripts/xvfb.sh
assure_affichage

# A case that cannot run here (no namespace for a tmpfs, no root for a priority) fails
# instead of being skipped.
export FANTREL_EXIGER_TOUT=1

temp="$build/Testing/Temporary"
# Each test's output in a CTest log, as "test<TAB>line".
sorties() {
  awk '/^ *[0-9]+\/[0-9]+ Test: /{nom = $0; sub(/^ *[0-9]+\/[0-9]+ Test: /, "", nom)}
       /^<end of output>$/{dans = 0} dans{print nom "\t" $0} /^Output:$/{dans = 1; getline}' "$1"
}
# The cases a log shows skipped, with their reasons, but for the tests named in $2.
sautes() {
  sorties "$1" | awk -F'\t' -v exclus="${2:-}" '
    BEGIN { n = split(exclus, e, " "); for (i = 1; i <= n; i++) x[e[i]] = 1 }
    !($1 in x) && $2 ~ /^SKIP   : / { sub(/^SKIP   : /, "", $2); print "  " $1 " : " $2 }'
}

# Every test runs once. A failed one runs a second time only when its output shows
# LeakSanitizer's own tracer crashing at the program's exit ("Tracer caught signal 11":
# now and then while the GL driver's threads end, whatever the test did); any other
# failure fails the run.
rm -f "$temp/LastTestsFailed.log"
statut=0
ctest --test-dir "$build" --output-on-failure -j1 "$@" || statut=$?
cp "$temp/LastTest.log" "$temp/passage.log"
rejoues=()
echecs=()
if [ "$statut" -ne 0 ]; then
  [ -f "$temp/LastTestsFailed.log" ] || echecs+=("(ctest a échoué sans nommer de test)")
  while IFS=: read -r _ nom; do
    if sorties "$temp/passage.log" | awk -F'\t' -v n="$nom" '$1 == n' \
        | grep -q "Tracer caught signal 11"; then
      rejoues+=("$nom")
    else
      echecs+=("$nom")
    fi
  done < <(cat "$temp/LastTestsFailed.log" 2>/dev/null)
fi
sauts="$(sautes "$temp/passage.log" "${rejoues[*]}")"
relances=()
for nom in "${rejoues[@]}"; do
  if [ ${#echecs[@]} -gt 0 ]; then
    echecs+=("$nom (tracer crash, not rerun)")
    continue
  fi
  echo "=== $nom : le traceur de LeakSanitizer s'est arrêté sur un signal 11 ; second passage"
  relances+=("$nom")
  ctest --test-dir "$build" --output-on-failure -R "^${nom}\$" || echecs+=("$nom")
  sauts+="${sauts:+$'\n'}$(sautes "$temp/LastTest.log")"
done

echo
echo "Rerun (LeakSanitizer's tracer crashed at exit): ${relances[*]:-none}"
nb_sauts=0
[ -n "$sauts" ] && nb_sauts=$(grep -c . <<< "$sauts")
echo "$nb_sauts cases skipped"
[ -n "$sauts" ] && echo "$sauts"
if [ ${#echecs[@]} -gt 0 ]; then
  echo "Failed: ${echecs[*]}"
  exit 1
fi
