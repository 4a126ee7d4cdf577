// The prose of a Markdown manuscript, for analysis: what a reader of the
// rendered page reads, at the very places it has in the source file.
#pragma once

#include <string>
#include <string_view>

namespace verbolt {

// `utf8` is a Markdown text whose line ends are "\n" (as readManuscript
// gives it). Returns a text with as many characters, each in its place:
// the characters of prose stay, and every other one becomes a space, line
// ends excepted. Not prose: fenced and indented code, inline code, the
// front matter (between "---" or "+++" lines at the top), link and image
// targets, bare and bracketed web addresses, HTML tags and blocks,
// entities, and the markup itself (heading signs, emphasis marks, list
// bullets, table pipes, backslashes of escapes).
//
// In a paragraph of more than kLongestLinkedParagraph bytes, which no
// writer writes, bare web addresses are read as prose: finding them there
// would take time that grows with the square of the paragraph's length.
std::string markdownProse(std::string_view utf8);

inline constexpr size_t kLongestLinkedParagraph = 64 * 1024;

}  // namespace verbolt
