#!/usr/bin/env bash
# Makes the README's screenshots again with gls preview, without a display:
#   bash docs/images/screenshots.sh [GLS]
# GLS is the gls program (default: the default preset's build).
set -euo pipefail
cd "$(dirname "$0")/../.."
gls=$(realpath "${1:-build/default/apps/gls/gls}")
out=$PWD/docs/images
cd examples
"$gls" preview MainForm.dfm --screenshot "$out/mainform-en.png"
"$gls" preview MainForm.dfm --locale 12 --screenshot "$out/mainform-fr.png"
"$gls" preview MainForm.dfm --locale 7 --screenshot "$out/mainform-de.png"
"$gls" preview ../glsedit/GlsEdit.dfm --screenshot "$out/editor.png"
