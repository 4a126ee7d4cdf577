#!/usr/bin/env bash
# Takes the README's screenshot: the window on a virtual screen, the
# welcome text processed with F5. Usage: tools/screenshot.sh [OUTPUT.png]
set -euo pipefail
cd "$(dirname "$0")/.."
output=${1:-docs/screenshot.png}
tools/install-deps.sh
tools/build.sh >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
program=$PWD/build/verbolt
mkdir -p "$(dirname "$output")"
output=$(realpath "$output")

xvfb-run -a -s "-screen 0 1100x800x24" bash -c '
  set -e
  cd "$1"
  "$2" &
  pid=$!
  for _ in $(seq 50); do
    window=$(xdotool search --name "^Verbolt 2$" 2>/dev/null | head -1) && [ -n "$window" ] && break
    sleep 0.2
  done
  sleep 1
  xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
  xdotool key --window "$window" F5
  sleep 1.5
  import -window root -crop 980x730+60+35 +repage "$3"
  kill "$pid"
' _ "$work" "$program" "$output"
echo "wrote $output"
