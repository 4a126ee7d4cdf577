#!/usr/bin/env bash
# Takes the README's screenshot: the window on a virtual screen, the
# welcome text processed with F5, once the layout has settled. The picture
# is refused when a field of the settings pane is not visible.
# Usage: tools/screenshot.sh [--french | --echoes] [OUTPUT.png]
# --french takes the window of a French desktop (docs/screenshot-fr.png);
# --echoes the sample story with both echoes switched on and the Top
# phrases under the Top-100 (docs/screenshot-echoes.png).
set -euo pipefail
cd "$(dirname "$0")/.."
locale=C
default_output=docs/screenshot.png
text=()
echoes=
if [ "${1:-}" = "--french" ]; then
  locale=fr_FR.UTF-8
  default_output=docs/screenshot-fr.png
  shift
elif [ "${1:-}" = "--echoes" ]; then
  default_output=docs/screenshot-echoes.png
  text=("$PWD/samples/story.txt")
  echoes=yes
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

if [ -n "$echoes" ]; then
  mkdir -p "$work/verbolt"
  printf 'phrases on\nopenings on\ndistance 3000\nwords 2 6\n' >"$work/verbolt/echoes.txt"
fi
# GTK's own settings stay out of the picture: a fresh configuration folder.
(cd "$work" && LC_ALL=$locale XDG_CONFIG_HOME="$work" xvfb-run -a -s "-screen 0 1100x800x24" \
  "$program" "$output" "${text[@]}" >/dev/null)
echo "wrote $output"
