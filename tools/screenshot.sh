#!/usr/bin/env bash
# Takes the README's screenshot: the window on a virtual screen, the
# welcome text processed with F5, once the layout has settled. The picture
# is refused when a field of the settings pane is not visible.
# Usage: tools/screenshot.sh [--french] [OUTPUT.png]
# --french takes the window of a French desktop (docs/screenshot-fr.png).
set -euo pipefail
cd "$(dirname "$0")/.."
locale=C
default_output=docs/screenshot.png
if [ "${1:-}" = "--french" ]; then
  locale=fr_FR.UTF-8
  default_output=docs/screenshot-fr.png
  shift
fi
output=${1:-$default_output}
tools/install-deps.sh
tools/build.sh >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
program=$PWD/build/tools/window-shot
mkdir -p "$(dirname "$output")"
output=$(realpath "$output")

# GTK's own settings stay out of the picture: a fresh configuration folder.
(cd "$work" && LC_ALL=$locale XDG_CONFIG_HOME="$work" xvfb-run -a -s "-screen 0 1100x800x24" "$program" "$output")
echo "wrote $output"
