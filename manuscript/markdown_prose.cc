#include "manuscript/markdown_prose.h"

#include <md4c.h>

#include <algorithm>
#include <string>
#include <vector>

namespace verbolt {

namespace {

struct ByteRange {
  size_t begin;
  size_t end;
};

bool isLine(std::string_view line, std::string_view fence) {
  while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
  return line == fence;
}

// Where the text after a front matter begins: the block of metadata that
// static site generators read between two "---" (YAML) or "+++" (TOML)
// lines at the very top. A block that is never closed is no front matter.
size_t frontMatterEnd(std::string_view text) {
  const size_t firstEnd = text.find('\n');
  if (firstEnd == std::string_view::npos) return 0;
  const std::string_view opening = text.substr(0, firstEnd);
  const bool yaml = isLine(opening, "---");
  if (!yaml && !isLine(opening, "+++")) return 0;
  size_t lineStart = firstEnd + 1;
  while (lineStart < text.size()) {
    size_t lineEnd = text.find('\n', lineStart);
    if (lineEnd == std::string_view::npos) lineEnd = text.size();
    const std::string_view line = text.substr(lineStart, lineEnd - lineStart);
    if (yaml ? isLine(line, "---") || isLine(line, "...") : isLine(line, "+++")) return lineEnd;
    lineStart = lineEnd + 1;
  }
  return 0;
}

// Collects the byte ranges of the source that the parser reports as plain
// text outside code, HTML and web addresses.
class ProseCollector {
 public:
  explicit ProseCollector(std::string_view text) : m_text(text) {}

  std::vector<ByteRange>& ranges() { return m_ranges; }

  int enterSpan(MD_SPANTYPE type, void* detail) {
    if (type == MD_SPAN_A) {
      // The parser may build the address in a buffer of its own that is
      // gone when the link ends: keep a copy.
      const MD_ATTRIBUTE& href = static_cast<const MD_SPAN_A_DETAIL*>(detail)->href;
      m_links.push_back({std::string(href.text, href.size), m_ranges.size()});
    }
    return 0;
  }

  int leaveSpan(MD_SPANTYPE type) {
    if (type != MD_SPAN_A || m_links.empty()) return 0;
    const Link link = std::move(m_links.back());
    m_links.pop_back();
    if (showsItsAddress(link)) m_ranges.resize(link.firstRange);
    return 0;
  }

  int text(MD_TEXTTYPE type, const MD_CHAR* chars, MD_SIZE size) {
    if (type != MD_TEXT_NORMAL || size == 0) return 0;
    // Some texts are the parser's own (a replacement character, a line
    // break it makes up); only those that lie in the source are prose.
    if (chars < m_text.data() || chars + size > m_text.data() + m_text.size()) return 0;
    const size_t begin = static_cast<size_t>(chars - m_text.data());
    m_ranges.push_back({begin, begin + size});
    return 0;
  }

 private:
  struct Link {
    std::string href;
    size_t firstRange;
  };

  // <https://example.org>, a bare www.example.org or a mail address: the
  // words of the link are its address, not prose.
  bool showsItsAddress(const Link& link) const {
    std::string shown;
    for (size_t i = link.firstRange; i < m_ranges.size(); ++i) {
      shown += m_text.substr(m_ranges[i].begin, m_ranges[i].end - m_ranges[i].begin);
    }
    if (shown.empty()) return false;
    const std::string_view href = link.href;
    return href.ends_with(shown) &&
           href.size() - shown.size() <= std::string_view("mailto:").size();
  }

  std::string_view m_text;
  std::vector<ByteRange> m_ranges;
  std::vector<Link> m_links;
};

ProseCollector& collectorOf(void* userdata) { return *static_cast<ProseCollector*>(userdata); }

// The most bytes of one paragraph: the lines between two blank lines.
size_t longestParagraph(std::string_view text) {
  size_t longest = 0;
  size_t start = 0;
  size_t paragraphStart = 0;
  while (start < text.size()) {
    const size_t end = std::min(text.find('\n', start), text.size());
    const std::string_view line = text.substr(start, end - start);
    if (line.find_first_not_of(" \t\r") == std::string_view::npos) paragraphStart = end + 1;
    longest = std::max(longest, end - std::min(paragraphStart, end));
    start = end + 1;
  }
  return longest;
}

std::vector<ByteRange> proseRanges(std::string_view text, size_t from) {
  ProseCollector collector(text);
  MD_PARSER parser{};
  parser.abi_version = 0;
  parser.flags = MD_DIALECT_GITHUB;
  // The parser looks for bare web addresses in time that grows with the
  // square of a paragraph's length: a paragraph of a megabyte held a run
  // for minutes. Past the bound such addresses are read as words.
  if (longestParagraph(text.substr(from)) > kLongestLinkedParagraph) {
    parser.flags &= ~MD_FLAG_PERMISSIVEAUTOLINKS;
  }
  parser.enter_block = [](MD_BLOCKTYPE, void*, void*) { return 0; };
  parser.leave_block = [](MD_BLOCKTYPE, void*, void*) { return 0; };
  parser.enter_span = [](MD_SPANTYPE type, void* detail, void* userdata) {
    return collectorOf(userdata).enterSpan(type, detail);
  };
  parser.leave_span = [](MD_SPANTYPE type, void*, void* userdata) {
    return collectorOf(userdata).leaveSpan(type);
  };
  parser.text = [](MD_TEXTTYPE type, const MD_CHAR* chars, MD_SIZE size, void* userdata) {
    return collectorOf(userdata).text(type, chars, size);
  };
  md_parse(text.data() + from, static_cast<MD_SIZE>(text.size() - from), &parser, &collector);
  return std::move(collector.ranges());
}

bool isContinuationByte(unsigned char c) { return (c & 0xC0) == 0x80; }

// One space for each character outside the ranges, so the text keeps its
// length in characters; its bytes may shrink.
std::string keepOnly(std::string_view text, const std::vector<ByteRange>& ranges) {
  std::string prose;
  prose.reserve(text.size());
  size_t next = 0;
  auto blank = [&](size_t end) {
    for (; next < end; ++next) {
      const unsigned char c = static_cast<unsigned char>(text[next]);
      if (c == '\n') {
        prose += '\n';
      } else if (!isContinuationByte(c)) {
        prose += ' ';
      }
    }
  };
  for (const ByteRange& range : ranges) {
    if (range.begin < next) continue;
    blank(range.begin);
    prose.append(text.substr(range.begin, range.end - range.begin));
    next = range.end;
  }
  blank(text.size());
  return prose;
}

}  // namespace

std::string markdownProse(std::string_view utf8) {
  return keepOnly(utf8, proseRanges(utf8, frontMatterEnd(utf8)));
}

}  // namespace verbolt
