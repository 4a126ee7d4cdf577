#!/usr/bin/env bash
# Checks the layering of the sources under ROOT (the repository when no
# argument is given), reading every file git tracks or would track there.
# It fails when:
#   - a file lies in a folder the table below does not know, or a source
#     file (.cc .h .inc .cpp .hpp .c) lies in a folder of scripts and data,
#     or at the root;
#   - an include names a folder of the project that is not below the
#     including one: both `#include "x/y.h"` and `#include <x/y.h>` are
#     read, so two folders of one layer may not include each other either;
#   - a file of a toolkit-free folder includes a toolkit header (wx/, gtk/,
#     gdk/, glib, pango/, cairo, X11/), in either spelling;
#   - a file outside lemma/ includes Hunspell.
# The layers, from the bottom: test_support (the tests' shared helpers),
# strings, text and files; manuscript and settings; analysis;
# highlight/plan, resources and lemma; highlight and export; ui and cli; the
# programs on top (tools, bench, fuzz).
#
#   tools/check-layers.sh [ROOT]
set -euo pipefail
root=${1:-"$(dirname "$0")/.."}
cd "$root"

declare -A layer=(
  [test_support]=0 [strings]=0 [text]=0 [files]=0 [manuscript]=1 [settings]=1 [analysis]=2 [recovery]=2
  [highlight/plan]=3 [resources]=3 [lemma]=3 [highlight]=4 [export]=4 [ui]=5 [cli]=5 [tools]=6 [bench]=6 [fuzz]=6
)
toolkit_free=(test_support strings text files manuscript settings analysis recovery highlight/plan export lemma cli)
# Folders of scripts, data and documents: they hold no source file.
no_code=(.ci docs packaging samples)
toolkit_header='(wx/|gtk/|gdk/|glib|pango/|cairo|X11/)'
source_pattern='\.(cc|h|inc|cpp|hpp|c)$'

# The folder of a path into REPLY: the longest one named in the table, or
# the top folder of the path when the table names none; "." at the root.
folder_of() {
  case "$1" in
    highlight/plan/*) REPLY=highlight/plan ;;
    */*) REPLY=${1%%/*} ;;
    *) REPLY=. ;;
  esac
}

is_no_code() {
  local folder
  for folder in "${no_code[@]}"; do [ "$1" = "$folder" ] && return 0; done
  return 1
}

is_toolkit_free() {
  local folder
  for folder in "${toolkit_free[@]}"; do [ "$1" = "$folder" ] && return 0; done
  return 1
}

# The paths a file includes, in quotes or in angle brackets.
includes_of() {
  sed -n -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]([^">]*)[">].*/\1/p' "$1"
}

faults=0
fault() {
  echo "$1"
  faults=$((faults + 1))
}

if ! git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  echo "$PWD is not a git work tree: its files cannot be listed"
  exit 1
fi

while IFS= read -r file; do
  [ -f "$file" ] || continue
  folder_of "$file"
  from=$REPLY
  is_source=0
  [[ "$file" =~ $source_pattern ]] && is_source=1
  if [ "$from" = . ] || is_no_code "$from"; then
    [ "$is_source" -eq 1 ] && fault "$file: a source file where no code belongs"
    continue
  fi
  if [ -z "${layer[$from]+x}" ]; then
    fault "$file: $from/ is not a folder tools/check-layers.sh knows"
    continue
  fi
  [ "$is_source" -eq 1 ] || continue
  while IFS= read -r included; do
    if is_toolkit_free "$from" && [[ "$included" =~ ^$toolkit_header ]]; then
      fault "$file includes $included: $from is toolkit-free"
    fi
    if [[ "$included" == hunspell/* ]] && [ "$from" != lemma ]; then
      fault "$file includes $included: only lemma/ may name Hunspell"
    fi
    folder_of "$included"
    to=$REPLY
    [ -n "${layer[$to]+x}" ] || continue
    if [ "$to" != "$from" ] && [ "${layer[$to]}" -ge "${layer[$from]}" ]; then
      fault "$file includes $included: $to is not below $from"
    fi
  done < <(includes_of "$file")
done < <(git ls-files --cached --others --exclude-standard)

# One program links every layer: two headers that each declare a struct
# or class of one name declare one type twice, and the linker keeps one
# copy of their inline code for both layouts.
while IFS= read -r name; do
  fault "two headers declare $name: $(git grep -l -E "^(struct|class) $name( |$)" -- '*.h' | tr '\n' ' ')"
done < <(git grep -h -o -E "^(struct|class) [A-Za-z_][A-Za-z0-9_]*( [:{]| *$)" -- '*.h' |
  sed -E 's/^(struct|class) ([A-Za-z0-9_]+).*/\2/' | sort | uniq -d)

if [ "$faults" -gt 0 ]; then
  echo "$faults layer fault(s)"
  exit 1
fi
echo "layers: every file in a known folder, no include climbs, the toolkit-free folders name no toolkit"
