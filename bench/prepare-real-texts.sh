#!/usr/bin/env bash
# Prepares the real prose the benchmarks run on, in DIR:
#   english.txt        the King James Bible from Debian's bible-kjv-text
#                      (4.3 MB), one verse a line, verse numbers stripped
#   english-N.txt      N MB of it (1, 4, 5, 10, 16), the whole text repeated
#                      as often as needed, cut at a line end
#   novels.txt         Jane Austen's six novels (4.2 MB), one paragraph a
#                      line, from Debian's r-cran-janeaustenr (downloaded,
#                      not installed: only its data file is read)
#   novels-N.txt       N MB of them (1, 10), made as english-N.txt is
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

if [ ! -s "$dir/novels.txt" ]; then
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  # A fresh machine may not know the package yet.
  (cd "$work" && apt-get download -qq r-cran-janeaustenr 2>/dev/null) ||
    { $sudo apt-get update -qq && (cd "$work" && apt-get download -qq r-cran-janeaustenr); }
  dpkg-deb -x "$work"/r-cran-janeaustenr_*.deb "$work/data"
  python3 "$(dirname "$0")/novels-text.py" \
    "$work/data/usr/lib/R/site-library/janeaustenr/data/Rdata.rdb" "$dir/novels.txt"
fi

# N MB of NAME.txt, the whole text repeated as often as needed.
cut_to() {
  local name=$1 mb=$2
  local out="$dir/$name-$mb.txt"
  [ -s "$out" ] && return
  local bytes=$((mb * 1048576))
  local copies=$((bytes / $(stat -c %s "$dir/$name.txt") + 1))
  # head stops reading before the copies end: that is no failure.
  (
    set +o pipefail
    for _ in $(seq "$copies"); do cat "$dir/$name.txt"; done | head -c "$bytes" | sed '$d' >"$out"
  )
}

for mb in 1 4 5 10 16; do cut_to english "$mb"; done
for mb in 1 10; do cut_to novels "$mb"; done
