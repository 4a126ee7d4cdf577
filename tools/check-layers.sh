#!/usr/bin/env bash
# Fails when an include climbs a layer, when two folders of one layer
# include each other, or when a toolkit-free folder names the toolkit.
# The layers, from the bottom: strings, text and files; manuscript and settings;
# analysis; highlight/plan, resources and lemma; highlight and export; ui;
# the programs on top. Only lemma names Hunspell.
set -euo pipefail
cd "$(dirname "$0")/.."

declare -A layer=(
  [strings]=0 [text]=0 [files]=0 [manuscript]=1 [settings]=1 [analysis]=2 [highlight/plan]=3 [resources]=3 [lemma]=3
  [highlight]=4 [export]=4 [ui]=5 [tools]=6 [bench]=6 [fuzz]=6
)
toolkit_free=(strings text files manuscript settings analysis highlight/plan export lemma)

# The folder of a path: the longest one named above.
folder_of() {
  case "$1" in
    highlight/plan/*) echo highlight/plan ;;
    *) echo "${1%%/*}" ;;
  esac
}

faults=0
while IFS= read -r file; do
  from=$(folder_of "$file")
  [ -n "${layer[$from]+x}" ] || continue
  while IFS= read -r included; do
    to=$(folder_of "$included")
    [ -n "${layer[$to]+x}" ] || continue
    if [ "$to" != "$from" ] && [ "${layer[$to]}" -ge "${layer[$from]}" ]; then
      echo "$file includes $included: $to is not below $from"
      faults=$((faults + 1))
    fi
  done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
done < <(git ls-files '*.cc' '*.h')

for folder in "${toolkit_free[@]}"; do
  if grep -rn --include='*.cc' --include='*.h' -E '^#include <(wx/|gtk/|gdk/|glib)' "$folder"; then
    echo "$folder is toolkit-free but names the toolkit (above)"
    faults=$((faults + 1))
  fi
done

if git grep -n -E '^#include <hunspell/' -- '*.cc' '*.h' ':!lemma/'; then
  echo "only lemma/ may name Hunspell (above)"
  faults=$((faults + 1))
fi

if [ "$faults" -gt 0 ]; then
  echo "$faults layer fault(s)"
  exit 1
fi
echo "layers: no include climbs, the toolkit-free folders name no toolkit"
