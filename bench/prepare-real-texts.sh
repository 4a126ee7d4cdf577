#!/usr/bin/env bash
# Prepares the real prose the benchmarks run on, in DIR:
#   english.txt        the King James Bible from Debian's bible-kjv-text
#                      (4.3 MB), one verse a line, verse numbers stripped
#   english-N.txt      N MB of it (1, 4, 5, 10, 16), the whole text repeated
#                      as often as needed, cut at a line end
# Installs bible-kjv-text when it is missing (apt-get as root, sudo
# otherwise). The text is ASCII, so it is also Windows-1252.
# Usage: bench/prepare-real-texts.sh DIR
set -euo pipefail
dir=${1:?usage: prepare-real-texts.sh DIR}
mkdir -p "$dir"

if ! command -v bible >/dev/null; then
  bash "$(dirname "$0")/../tools/install-deps.sh" bible-kjv bible-kjv-text
fi

# "Ge1:1 In the beginning..." becomes "In the beginning...".
if [ ! -s "$dir/english.txt" ]; then
  bible -f "gen1:1-rev22:21" </dev/null | sed 's/^[^ ]* //' >"$dir/english.txt"
fi

for mb in 1 4 5 10 16; do
  out="$dir/english-$mb.txt"
  [ -s "$out" ] && continue
  bytes=$((mb * 1048576))
  copies=$((bytes / $(stat -c %s "$dir/english.txt") + 1))
  # head stops reading before the copies end: that is no failure.
  (
    set +o pipefail
    for _ in $(seq "$copies"); do cat "$dir/english.txt"; done | head -c "$bytes" | sed '$d' >"$out"
  )
done
