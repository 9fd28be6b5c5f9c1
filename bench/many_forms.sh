#!/usr/bin/env bash
# Times `gls save` and `gls dict export` of 1, 8 and 50 forms (three
# translators each) into the L translation file and dictionary: the whole
# application saved in one pass against a single form.
#
#   bench/many_forms.sh [DATA_DIR] [RUNS]
#
# DATA_DIR holds the L preset of ../shared/bench/gen.py (default
# /tmp/trbench/L; made when missing) and gets forms/Form1.dfm ... Form50.dfm
# (gen.py form, 500 entries, three translators) when they are missing. Each
# run starts from a fresh copy of the file, synced to disk (not timed). Prints the median
# wall-clock and CPU time of each case and the ratio of each median to the
# one-form median, and `gls extract` of the 50 forms (reading them and one
# collecting walk each: the per-form part of the others). GLS=/path/to/gls
# times another build of the tool; MAX_FORMS=8 leaves out the 50-form cases
# (for an older build that rewrites the file once per translator).
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
cp "$data"/forms/*.dfm "$work/"

python3 - "$GLS" "$data" "$work" "$runs" "${MAX_FORMS:-50}" <<'PY'
import os, shutil, statistics, subprocess, sys, time
gls, data, work, runs, most = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4]), int(sys.argv[5])
forms = lambda n: [f"Form{i}.dfm" for i in range(1, n + 1)]
# extract reads the forms and walks each once: the per-form part of the others.
cases = [(f"{kind} {n}", kind, n) for kind in ("save", "dict export", "extract")
         for n in ((1, 8, 50) if kind != "extract" else (50,)) if n <= most]
target = {"save": "tr.txt", "dict export": "dict.txt", "extract": None}
times = {name: [] for name, _, _ in cases}
for _ in range(runs):
    for name, kind, n in cases:  # alternating, so that a busy moment hits every case
        args = [gls, *kind.split(), *forms(n)]
        if target[kind]:
            shutil.copyfile(os.path.join(data, target[kind]), os.path.join(work, target[kind]))
            args += ["--to", target[kind]]
            os.sync()  # the copy's write-back would otherwise land in the timed run
        start = time.perf_counter()
        pid = subprocess.Popen(args, cwd=work, stdout=subprocess.DEVNULL).pid
        _, status, usage = os.wait4(pid, 0)
        wall = time.perf_counter() - start
        if status != 0:
            sys.exit(f"{' '.join(args)} failed")
        times[name].append((wall, usage.ru_utime + usage.ru_stime))
print(f"{'case':<16} {'wall median':>12} {'min..max':>17} {'CPU median':>11}  wall ratio to 1 form")
for name, kind, n in cases:
    wall = [w for w, _ in times[name]]
    cpu = [c for _, c in times[name]]
    one = times.get(f"{kind} 1")
    ratio = f"{statistics.median(wall) / statistics.median(w for w, _ in one):.2f}" if one else ""
    print(f"{name:<16} {statistics.median(wall)*1000:>10.0f}ms {min(wall)*1000:>7.0f}..{max(wall)*1000:>6.0f}ms"
          f" {statistics.median(cpu)*1000:>9.0f}ms  {ratio}")
PY
