#!/usr/bin/env bash
# Builds the fuzz targets with clang (Release, -g, AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each in turn for SECONDS (default 30).
# Exits non-zero when any target crashes, hangs, leaks or breaks a property.
#   fuzz/run.sh [SECONDS] [target…]
# The inputs found are kept in build-fuzz/corpus/<target> (the seeds of
# fuzz/corpus/<target> are read, never written); a failing input is saved as
# build-fuzz/artefacts/<target>-crash-…, to be replayed with
#   build-fuzz/fuzz/<target> build-fuzz/artefacts/<file>
set -euo pipefail
secondes=${1:-30}
shift || true
racine=$(cd "$(dirname "$0")/.." && pwd)
build=${FANTREL_BUILD_FUZZ:-$racine/build-fuzz}

cmake -S "$racine" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=clang++ \
  -DFANTREL_FUZZ=ON -DFANTREL_TESTS=OFF -DFANTREL_BENCH=OFF >/dev/null
cmake --build "$build" --target fuzz -j"$(nproc)"

if [ $# -gt 0 ]; then
  cibles=("$@")
else
  cibles=()
  for source in "$racine"/fuzz/fuzz_*.cpp; do
    cibles+=("$(basename "$source" .cpp)")
  done
fi

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:allocator_may_return_null=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
mkdir -p "$build/corpus" "$build/artefacts" "$build/journaux"
echecs=()
for cible in "${cibles[@]}"; do
  corpus="$build/corpus/$cible"
  mkdir -p "$corpus"
  options=(-max_total_time="$secondes" -timeout=10 -rss_limit_mb=2560 -print_final_stats=1
           -artifact_prefix="$build/artefacts/$cible-")
  [ -f "$racine/fuzz/dict/$cible.dict" ] && options+=(-dict="$racine/fuzz/dict/$cible.dict")
  journal="$build/journaux/$cible.log"
  # The seeds, when the target has any (libFuzzer gives up on a missing folder).
  graines=()
  [ -d "$racine/fuzz/corpus/$cible" ] && graines+=("$racine/fuzz/corpus/$cible")
  echo "== $cible: ${secondes} s"
  if "$build/fuzz/$cible" "${options[@]}" "$corpus" "${graines[@]}" >"$journal" 2>&1; then
    grep -E '^stat::number_of_executed_units|^stat::peak_rss_mb' "$journal" | tr '\n' ' '
    echo
  else
    echecs+=("$cible")
    echo "!! $cible failed; see $journal"
    grep -E -A25 'ERROR: libFuzzer|ERROR: AddressSanitizer|ERROR: LeakSanitizer|runtime error|propriété fausse' \
      "$journal" | head -60 || tail -5 "$journal"
  fi
done

if [ ${#echecs[@]} -gt 0 ]; then
  echo "fuzz: ${#echecs[@]} target(s) failed: ${echecs[*]}"
  exit 1
fi
echo "fuzz: ${#cibles[@]} target(s), ${secondes} s each, no failure"
