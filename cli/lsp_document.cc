#include "cli/lsp_document.h"

#include <algorithm>

#include "manuscript/markdown_prose.h"
#include "text/cp1252.h"
#include "text/utf8.h"

namespace verbolt {

namespace {

// Where the line `line` starts; the end of the text past the last one.
size_t lineStart(std::string_view utf8, int line) {
  size_t i = 0;
  for (int at = 0; at < line; ++at) {
    const size_t end = utf8.find_first_of("\r\n", i);
    if (end == std::string_view::npos) return utf8.size();
    i = end + (utf8.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return i;
}

int utf16Units(char32_t c) { return c >= 0x10000 ? 2 : 1; }

// The text with every line end one "\n", as the Markdown reader takes it.
std::string withNewlines(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size(); ++i) {
    if (utf8[i] == '\r') {
      out += '\n';
      if (i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
    } else {
      out += utf8[i];
    }
  }
  return out;
}

// One byte per character, whatever the bytes: a stray byte is one
// character, as the walk of the positions counts it.
std::string toCp1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    // Most of a text is ASCII, which is itself.
    if (static_cast<unsigned char>(utf8[i]) < 0x80) {
      out += utf8[i++];
    } else {
      out += static_cast<char>(encodeCp1252(nextUtf8Char(utf8, i)));
    }
  }
  return out;
}

int hexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::optional<std::string> lspUriPath(std::string_view uri) {
  constexpr std::string_view kScheme = "file://";
  if (!uri.starts_with(kScheme)) return std::nullopt;
  uri.remove_prefix(kScheme.size());
  // "file://host/path": only the local host's files are ours.
  const size_t slash = uri.find('/');
  if (slash == std::string_view::npos || (slash != 0 && uri.substr(0, slash) != "localhost")) {
    return std::nullopt;
  }
  std::string path;
  for (size_t i = slash; i < uri.size(); ++i) {
    if (uri[i] == '%' && i + 2 < uri.size() && hexValue(uri[i + 1]) >= 0 &&
        hexValue(uri[i + 2]) >= 0) {
      path += static_cast<char>(hexValue(uri[i + 1]) * 16 + hexValue(uri[i + 2]));
      i += 2;
    } else {
      path += uri[i];
    }
  }
  return path;
}

int utf16Length(std::string_view utf8) {
  int units = 0;
  for (size_t i = 0; i < utf8.size();) units += utf16Units(nextUtf8Char(utf8, i));
  return units;
}

std::vector<std::string_view> lspLines(std::string_view utf8) {
  std::vector<std::string_view> lines;
  size_t i = 0;
  while (true) {
    const size_t end = utf8.find_first_of("\r\n", i);
    if (end == std::string_view::npos) {
      lines.push_back(utf8.substr(i));
      return lines;
    }
    lines.push_back(utf8.substr(i, end - i));
    i = end + (utf8.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
}

size_t byteOffsetOf(std::string_view utf8, LspPosition position) {
  if (position.line < 0) return 0;
  size_t i = lineStart(utf8, position.line);
  for (int units = 0; units < position.character && i < utf8.size();) {
    if (utf8[i] == '\r' || utf8[i] == '\n') break;
    size_t next = i;
    units += utf16Units(nextUtf8Char(utf8, next));
    if (units > position.character) break;
    i = next;
  }
  return i;
}

void LspDocument::change(const std::optional<LspRange>& range, std::string_view newText) {
  if (!range) {
    text.assign(newText);
    return;
  }
  size_t start = byteOffsetOf(text, range->start);
  size_t end = byteOffsetOf(text, range->end);
  if (end < start) std::swap(start, end);
  text.replace(start, end - start, newText);
}

EngineText engineText(const LspDocument& document) {
  EngineText engine;
  const std::string utf8 = withNewlines(document.text);
  if (document.markdown) {
    engine.prose = toCp1252(markdownProse(utf8));
    // Only a comment can switch a rule off.
    if (utf8.find("<!--") != std::string::npos) engine.markdown = toCp1252(utf8);
  } else {
    engine.prose = toCp1252(utf8);
  }
  return engine;
}

LspPositions::LspPositions(std::string_view utf8, std::vector<int> positions)
    : m_positions(std::move(positions)) {
  std::sort(m_positions.begin(), m_positions.end());
  m_positions.erase(std::unique(m_positions.begin(), m_positions.end()), m_positions.end());
  m_at.reserve(m_positions.size());
  LspPosition here;
  int position = 0;
  size_t i = 0;
  for (const int wanted : m_positions) {
    while (position < wanted && i < utf8.size()) {
      const unsigned char c = static_cast<unsigned char>(utf8[i]);
      if (c == '\r' || c == '\n') {
        i += utf8.compare(i, 2, "\r\n") == 0 ? 2 : 1;
        here = {here.line + 1, 0};
      } else if (c < 0x80) {
        ++here.character;
        ++i;
      } else {
        here.character += utf16Units(nextUtf8Char(utf8, i));
      }
      ++position;
    }
    m_at.push_back(here);
  }
}

LspPosition LspPositions::at(int position) const {
  const auto found = std::lower_bound(m_positions.begin(), m_positions.end(), position);
  if (found == m_positions.end() || *found != position) return {};
  return m_at[static_cast<size_t>(found - m_positions.begin())];
}

}  // namespace verbolt
