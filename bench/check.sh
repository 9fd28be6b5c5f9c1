#!/usr/bin/env bash
# Times `gls check` against `gls load` of the same data: the L translation
# file (1,000,000 lines) against its form, and 50 forms whose translators
# keep their lists in one file. The check runs with the bundled estimate and
# with Qt's metrics (when the Qt front end is built).
#
#   bench/check.sh [DATA_DIR] [RUNS]
#
# DATA_DIR holds the L preset of ../shared/bench/gen.py (default
# /tmp/trbench/L; made when missing) and gets forms/Form1.dfm ... Form50.dfm
# as bench/many_forms.sh makes them. Prints the median wall-clock time of
# each case and its ratio to the load of the same data.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
shared="$root/../shared/bench"
data="${1:-/tmp/trbench/L}"
runs="${2:-5}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

[ -f "$data/tr.txt" ] || python3 "$shared/gen.py" preset L --outdir "$data"
mkdir -p "$data/forms"
for i in $(seq 1 50); do
  [ -f "$data/forms/Form$i.dfm" ] ||
    python3 "$shared/gen.py" form --form "Form$i" --entries 500 --translators 3 \
      -o "$data/forms/Form$i.dfm" >/dev/null
done
if [ -z "${GLS:-}" ]; then
  cmake --preset default >/dev/null && cmake --build --preset default --target gls_tool >/dev/null
  GLS="$root/build/default/apps/gls/gls"
fi
mkdir -p "$work/L" "$work/forms"
cp "$data/tr.txt" "$data/Form17.dfm" "$work/L/"
cp "$data"/forms/*.dfm "$work/forms/"
# The 50 forms' lists, saved into one file of their own.
(cd "$work/forms" && "$GLS" save Form{1..50}.dfm --to many.txt)

python3 - "$GLS" "$work" "$runs" <<'PY'
import statistics, subprocess, sys, time
gls, work, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])
forms = [f"Form{i}.dfm" for i in range(1, 51)]
cases = {
    "load L": ["load", "Form17.dfm", "--locale", "7", "--from", "tr.txt", "-o", "out.dfm"],
    "check L (estimate)": ["check", "Form17.dfm", "--locale", "7", "--from", "tr.txt", "--estimate"],
    "check L (Qt)": ["check", "Form17.dfm", "--locale", "7", "--from", "tr.txt"],
    "check 50 forms (estimate)": ["check", *forms, "--from", "many.txt", "--estimate"],
    "check 50 forms (Qt)": ["check", *forms, "--from", "many.txt"],
}
times = {name: [] for name in cases}
for _ in range(runs):
    for name, args in cases.items():  # alternating, so that a busy moment hits every case
        start = time.perf_counter()
        folder = work + ("/L" if " L" in name else "/forms")
        subprocess.run([gls, *args], cwd=folder, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        times[name].append(time.perf_counter() - start)
# One load per form of the 50, for the ratio.
start = time.perf_counter()
for f in forms:
    subprocess.run([gls, "load", f, "--from", "many.txt", "-o", "out.dfm"], cwd=work + "/forms",
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
load50 = time.perf_counter() - start
med = {name: statistics.median(t) for name, t in times.items()}
for name, t in med.items():
    base = med["load L"] if " L" in name else load50
    print(f"{name:28s} {t * 1000:9.0f} ms   x{t / base:5.2f} of its load")
print(f"{'load of each of the 50 forms':28s} {load50 * 1000:9.0f} ms")
PY
