#!/usr/bin/env bash
# French prose for the dictionary-form families, as the editor holds it.
#
#   bench/french-text.sh OUT [MB]
#
# Takes the paragraphs of real prose (conjugated verbs, elisions with the
# typographic apostrophe) from the French plain-text edition of the Debian
# Reference (package debian-reference-fr, GPL-2+), installing the package
# when it is missing (apt-get as root, sudo otherwise), and writes them to
# OUT in Windows-1252. With MB, the paragraphs are repeated until OUT holds
# that many megabytes. The text stays out of the repository: its licence is
# not the program's.
set -euo pipefail

out=${1:?usage: bench/french-text.sh OUT [MB]}
megabytes=${2:-0}
source_text=/usr/share/debian-reference/debian-reference.fr.txt.gz

if [ ! -s "$source_text" ]; then
  bash "$(dirname "$0")/../tools/install-deps.sh" debian-reference-fr
fi

zcat "$source_text" | python3 -c '
import re, sys

megabytes = float(sys.argv[2])
text = sys.stdin.read()
function_words = {"le", "la", "les", "des", "est", "une", "pour", "dans", "que", "qui"}

def is_prose(paragraph):
    if any(mark in paragraph for mark in ("|", "+--", "$ ", "# ", "://", "──")):
        return False
    if len(re.findall(r"\d+\.\d+\.", paragraph)) > 2:  # a table of contents
        return False
    words = re.findall(r"[^\W\d_]+", paragraph)
    if len(words) < 15 or not function_words & {w.lower() for w in words}:
        return False
    letters = sum(c.isalpha() for c in paragraph)
    visible = sum(not c.isspace() for c in paragraph)
    return letters >= 0.85 * visible

paragraphs = []
for block in re.split(r"\n\s*\n", text):
    paragraph = " ".join(line.strip() for line in block.splitlines())
    paragraph = re.sub(r"^(\d+(\.\d+)*\.?|[•*-])\s+", "", paragraph)
    if is_prose(paragraph):
        paragraphs.append(paragraph)

prose = "\n\n".join(paragraphs) + "\n"
encoded = prose.encode("cp1252", errors="replace")
if megabytes > 0:
    wanted = int(megabytes * 1000 * 1000)
    copies = wanted // len(encoded) + 1
    encoded = (encoded * copies)[:wanted]
with open(sys.argv[1], "wb") as out:
    out.write(encoded)
print(f"{sys.argv[1]}: {len(paragraphs)} paragraphs, {len(encoded)} bytes", file=sys.stderr)
' "$out" "$megabytes"
