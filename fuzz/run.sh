#!/usr/bin/env bash
# Builds the fuzz preset and runs every harness fuzz/fuzz_<name>.cpp for the
# given number of seconds each, starting from its seeds in fuzz/corpus/<name>/.
# New inputs go to a scratch folder, so the checked-in seeds stay small;
# a crashing input is kept as build/fuzz/crash-<name>-*.
set -euo pipefail

seconds="${1:-30}"
# A fixed seed (FUZZ_SEED) makes a run repeatable, as CI wants; 0 picks one.
seed="${FUZZ_SEED:-0}"
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "${FUZZ_JOBS:-2}"

status=0
for source in fuzz/fuzz_*.cpp; do
  name="$(basename "$source" .cpp)"
  seeds="fuzz/corpus/${name#fuzz_}"
  scratch="$(mktemp -d)"
  dirs=("$scratch")
  [[ -d "$seeds" ]] && dirs+=("$seeds")
  echo "== ${name}: ${seconds}s"
  if ! "build/fuzz/fuzz/${name}" -max_total_time="$seconds" -seed="$seed" -timeout=10 -rss_limit_mb=2048 \
      -max_len=4096 -print_final_stats=1 -artifact_prefix="build/fuzz/crash-${name#fuzz_}-" \
      "${dirs[@]}"; then
    echo "!! ${name} failed" >&2
    status=1
  fi
  rm -rf "$scratch"
done
exit "$status"
