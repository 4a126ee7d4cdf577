#!/usr/bin/env python3
"""Real prose whose words come in large families of inflections.

    bench/inflected-text.py [--seed N] [--stems] IN OUT MEGABYTES

Reads IN (Windows-1252 or ASCII prose, such as the King James text of
prepare-real-texts.sh) and writes MEGABYTES of it to OUT, repeated as often
as needed, with every word of four letters or more given one of 48
endings (or none), drawn from a seeded generator: "lord" comes as "lords",
"lordeth", "lordings", "lordliness"... Each word of the prose thus leads a
family of dozens of forms that share it as their beginning, in the order and
with the frequencies of real prose, unlike generate-text --large-families,
whose made-up words are drawn evenly.

With --stems the words of four letters or more are first cut to their
first four to six letters, so that words of the prose that begin alike
("command", "commanded", "commandment") join one family of dozens of
forms more. The same arguments give the same bytes.
"""

import argparse
import random
import re

ENDINGS = [
    "", "s", "es", "ed", "er", "ers", "est", "eth", "ing", "ings", "ly", "ness",
    "ful", "fully", "less", "ment", "ments", "able", "ably", "ible", "ion", "ions",
    "ive", "ity", "ous", "ish", "ism", "ist", "ists", "ize", "ized", "izes",
    "al", "ally", "ance", "ence", "ant", "ent", "ery", "ies", "ied", "ier",
    "iest", "ily", "y", "en", "ened", "edness",
]

WORD = re.compile(rb"[A-Za-z]+")


def inflect(text, seed, stems):
    chooser = random.Random(seed)

    def replace(match):
        word = match.group(0)
        if len(word) < 4:
            return word
        if stems:
            word = word[:4 + chooser.randrange(3)]
        return word + ENDINGS[chooser.randrange(len(ENDINGS))].encode()

    return WORD.sub(replace, text)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--stems", action="store_true")
    parser.add_argument("input")
    parser.add_argument("output")
    parser.add_argument("megabytes", type=float)
    options = parser.parse_args()
    with open(options.input, "rb") as f:
        prose = f.read()
    wanted = int(options.megabytes * 1048576)
    out = bytearray()
    copy = 0
    while len(out) < wanted:
        out += inflect(prose, options.seed * 1000 + copy, options.stems)
        copy += 1
    del out[wanted:]
    # The text ends at a line end, as prepare-real-texts.sh cuts its copies.
    last_line = out.rfind(b"\n")
    if last_line >= 0:
        del out[last_line + 1:]
    with open(options.output, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
