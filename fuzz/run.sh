#!/usr/bin/env bash
# Builds the fuzz preset and runs every harness fuzz/fuzz_<name>.cpp for the
# given number of seconds each, starting from its seeds in fuzz/corpus/<name>/.
# New inputs go to a scratch folder, so the checked-in seeds stay small; an
# input that fails (crash, leak, timeout, out of memory, slow unit) is kept
# only in the build folder, as build/fuzz/<name>-crash-*, <name>-leak-*, ...
# The inputs under fuzz/regressions/ are not fuzzed from: ctest replays them.
set -euo pipefail

seconds="${1:-30}"
# A fixed seed (FUZZ_SEED) makes a run repeatable, as CI wants; 0 picks one.
seed="${FUZZ_SEED:-0}"
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

cmake --preset fuzz >/dev/null
# The harnesses only: the tool and the front end need no fuzzing build.
harnesses=()
for source in fuzz/fuzz_*.cpp; do harnesses+=("$(basename "$source" .cpp)"); done
cmake --build --preset fuzz -j "${FUZZ_JOBS:-2}" --target "${harnesses[@]}"

out="$root/build/fuzz"
scratch=""
trap '[[ -n "$scratch" ]] && rm -rf "$scratch"' EXIT

failed=()
for source in fuzz/fuzz_*.cpp; do
  name="$(basename "$source" .cpp)"
  short="${name#fuzz_}"
  seeds="fuzz/corpus/${short}"
  scratch="$(mktemp -d)"
  dirs=("$scratch")
  [[ -d "$seeds" ]] && dirs+=("$seeds")
  echo "== ${name}: ${seconds}s"
  if ! "build/fuzz/fuzz/${name}" -max_total_time="$seconds" -seed="$seed" -timeout=10 -rss_limit_mb=2048 \
      -max_len=4096 -print_final_stats=1 -artifact_prefix="${out}/${short}-" \
      "${dirs[@]}"; then
    echo "!! ${name} failed; the input it failed on:" >&2
    ls -t "${out}/${short}-"* 2>/dev/null | head -n 1 | sed "s/^/     /" >&2 || true
    echo "   Once it is fixed, add that input to fuzz/regressions/${short}/ under a name that says" >&2
    echo "   what it broke; ctest replays it (Fuzz.Replay.${short}) in every build." >&2
    failed+=("$name")
  fi
  rm -rf "$scratch"
  scratch=""
done
# The last lines of a long log name what failed.
if ((${#failed[@]})); then
  echo "!! failed: ${failed[*]}" >&2
  exit 1
fi
echo "== every harness ran clean"
