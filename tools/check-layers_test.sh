#!/usr/bin/env bash
# Runs tools/check-layers.sh on small trees made in a temporary folder: a
# sound tree passes, and each planted fault fails it. The repository's own
# tree is never touched.
set -uo pipefail
checker="$(cd "$(dirname "$0")" && pwd)/check-layers.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# A tree of a few folders whose includes all go down, plus the file
# `$1` holding the line `$2` when given.
make_tree() {
  local tree=$work/tree$RANDOM$RANDOM
  mkdir -p "$tree"/{strings,analysis,cli,ui,docs}
  printf '#pragma once\n#include <string>\n' >"$tree/strings/text.h"
  printf '#include "strings/text.h"\n' >"$tree/analysis/pass.cc"
  printf '#include "analysis/pass.h"\n#include <strings/text.h>\n' >"$tree/cli/main.cc"
  printf '#include <wx/wx.h>\n#include "analysis/pass.h"\n' >"$tree/ui/frame.cc"
  printf 'notes\n' >"$tree/docs/notes.md"
  printf 'root\n' >"$tree/README.md"
  if [ $# -eq 2 ]; then
    mkdir -p "$tree/$(dirname "$1")"
    printf '%s\n' "$2" >>"$tree/$1"
  fi
  git -C "$tree" init -q
  echo "$tree"
}

expect() {
  local outcome=$1 what=$2 tree=$3 status=0
  bash "$checker" "$tree" >"$work/out" 2>&1 || status=$?
  if { [ "$outcome" = pass ] && [ "$status" -eq 0 ]; } ||
    { [ "$outcome" = fail ] && [ "$status" -ne 0 ]; }; then
    echo "ok: $what"
  else
    echo "WRONG: $what (expected the check to $outcome, status $status)"
    cat "$work/out"
    failures=$((failures + 1))
  fi
}

expect pass "a sound tree" "$(make_tree)"
expect fail "a source file in an unknown folder" \
  "$(make_tree zzz/extra.cc '#include "analysis/pass.h"')"
expect fail "a script in an unknown folder" "$(make_tree zzz/run.sh 'true')"
expect fail "a source file in a folder of documents" "$(make_tree docs/example.cc '')"
expect fail "a source file at the root" "$(make_tree main.cc '')"
expect fail "a quoted include that climbs" \
  "$(make_tree analysis/pass.cc '#include "cli/main.h"')"
expect fail "an include in angle brackets that climbs" \
  "$(make_tree analysis/pass.cc '#include <ui/frame.h>')"
expect fail "two folders of one layer" "$(make_tree cli/main.cc '#include "ui/frame.h"')"
expect fail "pango in a toolkit-free folder" \
  "$(make_tree analysis/pass.cc '#include <pango/pango.h>')"
expect fail "a quoted wx header in a toolkit-free folder" \
  "$(make_tree cli/main.cc '#include "wx/string.h"')"
expect fail "X11 in a toolkit-free folder" "$(make_tree strings/text.h '#include <X11/Xlib.h>')"
expect fail "cairo in a toolkit-free folder" "$(make_tree cli/main.cc '#  include <cairo.h>')"
expect fail "Hunspell outside lemma" "$(make_tree cli/main.cc '#include <hunspell/hunspell.hxx>')"
expect fail "a folder that is not a git work tree" "$work"

[ "$failures" -eq 0 ] || exit 1
