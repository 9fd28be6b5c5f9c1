#!/usr/bin/env bash
# Makes the README's screenshots again with the Qt front end, without a display:
#   bash docs/images/screenshots.sh [GLS [EDITOR_SCREENSHOT]]
# GLS is the gls program and EDITOR_SCREENSHOT the program that renders the
# editor at work (default: the default preset's build of each).
set -euo pipefail
cd "$(dirname "$0")/../.."
gls=$(realpath "${1:-build/default/apps/gls/gls}")
editor=$(realpath "${2:-build/default/apps/editor_screenshot}")
export QT_QPA_PLATFORM=offscreen
out=$PWD/docs/images
cd examples
"$gls" preview MainForm.dfm --screenshot "$out/mainform-en.png"
"$gls" preview MainForm.dfm --locale 12 --screenshot "$out/mainform-fr.png"
"$gls" preview MainForm.dfm --locale 7 --screenshot "$out/mainform-de.png"
# The editor opened on this form for its French translator, one property chosen.
"$editor" "$out/editor.png" "$PWD"
# The workbench: a new locale (Swiss German) with a suggestion from the
# dictionary, and the French translation the truncation check flags.
"$gls" workbench MainForm.dfm OptionsDialog.dfm --locale 2055 --dict dictionary.txt \
  --select MainForm.ButtonClose.Caption --screenshot "$out/workbench-new-locale.png"
"$gls" workbench MainForm.dfm --locale 12 --select LabelSearch.Caption \
  --screenshot "$out/workbench-fr.png"
