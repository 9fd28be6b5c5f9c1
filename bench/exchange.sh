#!/usr/bin/env bash
# Times gls po/xliff export and import of the L translation file (500 forms
# of 500 translated paths, 3 locales: 1,000,000 lines) beside msgcat and
# msgfmt on the same content as PO (gen.py's tr.7.po, 250,000 entries).
# Usage: bench/exchange.sh [GLS] (default build/release/apps/gls/gls).
# Needs ../shared/bench/gen.py, gettext and GNU time; data go to /tmp/trbench.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
gls="$(realpath "${1:-$root/build/release/apps/gls/gls}")"
gen="$root/../shared/bench/gen.py"
data=/tmp/trbench/L
forms=/tmp/trbench/L-forms
out=/tmp/trbench/exchange
mkdir -p "$out"

[ -f "$data/tr.txt" ] || python3 "$gen" preset L --outdir "$data"
if [ ! -f "$forms/Form500.dfm" ]; then
  mkdir -p "$forms"
  # The 500 forms of the L file, with their translators keeping their lists
  # in tr.txt, written by one Python process.
  python3 - "$gen" "$forms" <<'PY'
import argparse, importlib.util, os, sys
found = importlib.util.spec_from_file_location("gen", sys.argv[1])
gen = importlib.util.module_from_spec(found)
found.loader.exec_module(gen)
for i in range(1, 501):
    gen.cmd_form(argparse.Namespace(seed=1, eol="crlf", form=f"Form{i}", entries=500, translators=3,
                                    locale_ids=None, file_name="tr.txt",
                                    out=os.path.join(sys.argv[2], f"Form{i}.dfm")))
PY
fi
cp "$data/tr.txt" "$forms/tr.txt"

measure() {  # name, command...
  local name=$1; shift
  /usr/bin/time -f "%e %M" -o "$out/time" "$@" >/dev/null 2>"$out/err" || { cat "$out/err"; exit 1; }
  read -r seconds kb < "$out/time"
  printf '| %s | %s s | %d MB |\n' "$name" "$seconds" $((kb / 1024))
}

cd "$forms"
echo "| operation | wall time | peak memory |"
echo "|---|---:|---:|"
measure "gls po export, 500 forms, locale 7" "$gls" po export Form*.dfm --locale 7 -o "$out/de.po"
measure "gls po import, nothing changed" "$gls" po import Form*.dfm --from "$out/de.po"
cmp "$data/tr.txt" tr.txt
sed -i '0,/^msgstr "\(..*\)"$/s//msgstr "\1 (changed)"/' "$out/de.po"
measure "gls po import, one entry changed" "$gls" po import Form*.dfm --from "$out/de.po"
cp "$data/tr.txt" tr.txt
measure "gls xliff export, 500 forms, locale 7" "$gls" xliff export Form*.dfm --locale 7 -o "$out/de.xlf"
measure "gls xliff import, nothing changed" "$gls" xliff import Form*.dfm --from "$out/de.xlf"
cmp "$data/tr.txt" tr.txt
measure "msgcat of gen.py's tr.7.po" msgcat "$data/po/tr.7.po" -o "$out/msgcat.po"
measure "msgcat of the exported de.po" msgcat "$out/de.po" -o "$out/msgcat2.po"
measure "msgfmt of gen.py's tr.7.po" msgfmt -o "$out/tr.7.mo" "$data/po/tr.7.po"
ls -l "$data/tr.txt" "$out/de.po" "$out/de.xlf" | awk '{print $5, $9}'
