#!/usr/bin/env bash
# Takes the README's screenshot: the window on a virtual screen, the
# welcome text processed with F5, once the layout has settled. The picture
# is refused when a field of the settings pane is not visible.
# Usage: tools/screenshot.sh [--french | --echoes] [OUTPUT.png]
# --french takes the window of a French desktop (docs/screenshot-fr.png);
# --echoes the sample story with both echoes switched on and the Top
# phrases under the Top-100 (docs/screenshot-echoes.png).
# --palette NAME (standard, colour-blind-safe or dark) the same story in
# that palette, a word marked (docs/screenshot-palette-NAME.png);
# --novel a generated novel of 1 MB, the overview strip beside the editor
# and a word's spread under the Top-100 (docs/screenshot-strip.png).
set -euo pipefail
cd "$(dirname "$0")/.."
locale=C
default_output=docs/screenshot.png
text=()
echoes=
palette=
novel=
if [ "${1:-}" = "--french" ]; then
  locale=fr_FR.UTF-8
  default_output=docs/screenshot-fr.png
  shift
elif [ "${1:-}" = "--palette" ]; then
  palette=${2:?--palette standard|colour-blind-safe|dark}
  default_output=docs/screenshot-palette-$palette.png
  text=("$PWD/samples/story.txt")
  echoes=yes
  export VERBOLT_SHOT_MARK=boats
  shift 2
elif [ "${1:-}" = "--novel" ]; then
  default_output=docs/screenshot-strip.png
  novel=yes
  export VERBOLT_SHOT_MARK=letter
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
if [ -n "$palette" ]; then
  mkdir -p "$work/verbolt"
  printf 'strip on\npalette %s\n' "$palette" >"$work/verbolt/view.txt"
fi
if [ -n "$novel" ]; then
  build/bench/generate-text 1 "$work/novel.txt" >/dev/null
  text=("$work/novel.txt")
fi
# GTK's own settings stay out of the picture: a fresh configuration folder.
(cd "$work" && LC_ALL=$locale XDG_CONFIG_HOME="$work" xvfb-run -a -s "-screen 0 1100x800x24" \
  "$program" "$output" "${text[@]}" >/dev/null)
echo "wrote $output"
