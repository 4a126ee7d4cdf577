#!/usr/bin/env python3
"""Writes Jane Austen's six novels as plain prose, one paragraph a line.

The novels come from Debian's r-cran-janeaustenr, whose data file holds
each novel as a vector of the lines of its printed text. The file is read
here without R: it is a run of zlib streams, each behind its 4-byte size,
each an object in R's XDR serialization, where a vector of strings is the
type 16 with its length, then each string as type 9 with its length and
bytes. Lines of one paragraph are joined with a space; a blank line ends a
paragraph. The text is written in Windows-1252, the editor's encoding.

Usage: bench/novels-text.py RDATA.rdb OUTFILE
"""

import struct
import sys
import zlib

STRINGS = 16
STRING = 9
LONGEST_NOVEL = 100_000  # lines: a bound against a damaged file


def objects(data):
    """The decompressed objects of a lazy-load database, in order."""
    at = 0
    while at < len(data):
        stream = zlib.decompressobj()
        yield stream.decompress(data[at + 4:])
        if not stream.eof:
            raise ValueError(f"a stream at byte {at} is cut off")
        at = len(data) - len(stream.unused_data)


def lines_of(obj):
    """The first long vector of strings in a serialized object."""
    for at in range(len(obj) - 8):
        flags, count = struct.unpack(">ii", obj[at:at + 8])
        if flags & 0xFF != STRINGS or not 1000 < count < LONGEST_NOVEL:
            continue
        lines, pos = [], at + 8
        for _ in range(count):
            flags, length = struct.unpack(">ii", obj[pos:pos + 8])
            if flags & 0xFF != STRING:
                break
            pos += 8
            if length < 0:  # a missing value
                lines.append("")
                continue
            lines.append(obj[pos:pos + length].decode("utf-8"))
            pos += length
        else:
            return lines
    raise ValueError("no lines of text in an object")


def paragraphs(lines):
    paragraph = []
    for line in lines:
        if line.strip():
            paragraph.append(line.strip())
        elif paragraph:
            yield " ".join(paragraph)
            paragraph = []
    if paragraph:
        yield " ".join(paragraph)


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__.strip().splitlines()[-1])
    with open(sys.argv[1], "rb") as source:
        data = source.read()
    novels = ["\n".join(paragraphs(lines_of(obj))) for obj in objects(data)]
    with open(sys.argv[2], "w", encoding="cp1252", errors="replace", newline="\n") as out:
        out.write("\n\n".join(novels) + "\n")


if __name__ == "__main__":
    main()
