#!/usr/bin/env bash
# Times the translation-file and dictionary operations at the L size against
# the floors and the peer tools on the same content, in one run, alternating
# candidate and baselines, and prints each median with its ratio to its floor.
#
#   bench/storage.sh [DATA_DIR] [RUNS]
#
# DATA_DIR holds the L preset of ../shared/bench/gen.py (default
# /tmp/trbench/L; made when missing). Needs hyperfine, GNU time
# (/usr/bin/time), gettext (msgcat, msgfmt, msgmerge), python3 and the build
# tools (g++, cmake, ninja); installs whichever Debian packages are missing.
set -euo pipefail

need=()
command -v hyperfine >/dev/null || need+=(hyperfine)
[ -x /usr/bin/time ] || need+=(time)
for tool in msgcat msgfmt msgmerge; do
  command -v "$tool" >/dev/null || { need+=(gettext); break; }
done
command -v python3 >/dev/null || need+=(python3)
command -v g++ >/dev/null || need+=(g++)
command -v cmake >/dev/null || need+=(cmake)
command -v ninja >/dev/null || need+=(ninja-build)
if [ ${#need[@]} -gt 0 ]; then
  echo "== installing: ${need[*]}" >&2
  apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${need[@]}"
fi

root="$(cd "$(dirname "$0")/.." && pwd)"
shared="$root/../shared/bench"
data="${1:-/tmp/trbench/L}"
runs="${2:-5}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

[ -f "$data/tr.txt" ] || python3 "$shared/gen.py" preset L --outdir "$data"
floor="$work/floor"
mkdir -p "$floor"
for p in floor_io; do g++ -O2 -std=c++17 -o "$floor/$p" "$shared/floor/$p.cpp"; done
cmake --preset default >/dev/null && cmake --build --preset default --target gls_tool >/dev/null
gls="$root/build/default/apps/gls/gls"

cp "$data/tr.txt" "$work/tr.txt"
cp "$data/dict.txt" "$work/dict.txt"
cp "$data/Form17.dfm" "$work/Form17.dfm"
cd "$work"

declare -A cmd=(
  [saveto]="$gls save Form17.dfm --locale 7 --to tr.txt"
  [loadfrom]="$gls load Form17.dfm --locale 7 --from tr.txt -o out.dfm"
  [translateto]="$gls dict export Form17.dfm --locale 7 --to dict.txt"
  [translatefrom]="$gls dict import Form17.dfm --locale 7 --from dict.txt -o out2.dfm"
  [floor_io]="$floor/floor_io tr.txt io.txt"
  [floor_io_dict]="$floor/floor_io dict.txt dictio.txt"
  [scan]="env LC_ALL=C grep -F Form17. tr.txt"
  [form_only]="$gls extract Form17.dfm --locale 7"
  [msgcat]="msgcat $data/po/tr.7.rest.po $data/po/tr.7.Form17.po -o cat1.po"
  [msgfmt]="msgfmt -o tr.7.mo $data/po/tr.7.po"
  [msgmerge]="msgmerge -q $data/po/tr.7.po $data/po/tr.pot -o merged.po"
  [sort]="env LC_ALL=C sort tr.txt -o sorted.txt"
)
order=(floor_io saveto scan loadfrom form_only floor_io_dict translateto translatefrom msgcat msgfmt msgmerge sort)

json="$work/results.json"
args=()
for name in "${order[@]}"; do args+=(-n "$name" "${cmd[$name]}"); done
hyperfine -N --warmup 1 --runs "$runs" --style none --export-json "$json" "${args[@]}" >/dev/null

declare -A rss
for name in "${order[@]}"; do
  rss[$name]=$( { /usr/bin/time -f %M ${cmd[$name]} >/dev/null; } 2>&1 | tail -1)
done

python3 - "$json" "$(declare -p rss)" <<'PY'
import json, re, statistics, sys
res = {r["command"]: r for r in json.load(open(sys.argv[1]))["results"]}
rss = dict(re.findall(r'\[(\w+)\]="(\d+)"', sys.argv[2]))
med = {k: statistics.median(v["times"]) for k, v in res.items()}
spread = {k: (min(v["times"]), max(v["times"])) for k, v in res.items()}
floors = {"saveto": "floor_io", "loadfrom": "scan", "translateto": "floor_io_dict",
          "translatefrom": "floor_io_dict"}
print(f"{'command':<14} {'median':>10} {'min..max':>19} {'peak RSS':>10}  ratio")
for k in res:
    lo, hi = spread[k]
    ratio = ""
    if k in floors:
        f = floors[k]
        ratio = f"{med[k] / med[f]:.2f} x {f} (min..max {lo / spread[f][1]:.2f}..{hi / spread[f][0]:.2f})"
    print(f"{k:<14} {med[k]*1000:>8.1f}ms {lo*1000:>8.1f}..{hi*1000:>7.1f}ms {int(rss.get(k, 0))/1024:>8.1f}MiB  {ratio}")
PY
