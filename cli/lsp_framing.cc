#include "cli/lsp_framing.h"

#include <algorithm>
#include <charconv>

namespace verbolt {

namespace {

constexpr std::string_view kHeaderEnd = "\r\n\r\n";
constexpr std::string_view kLengthName = "content-length";

std::string lowered(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// The Content-Length of a header block; -1 when it has none or a bad one,
// with the reason.
long long contentLength(std::string_view header, std::string& problem) {
  long long length = -1;
  while (!header.empty()) {
    const size_t end = header.find("\r\n");
    const std::string_view line = header.substr(0, end);
    header = end == std::string_view::npos ? std::string_view() : header.substr(end + 2);
    const size_t colon = line.find(':');
    if (colon == std::string_view::npos) {
      problem = "a header line without ':'";
      return -1;
    }
    if (lowered(trimmed(line.substr(0, colon))) != kLengthName) continue;
    const std::string_view value = trimmed(line.substr(colon + 1));
    unsigned long long parsed = 0;
    const auto [rest, error] = std::from_chars(value.data(), value.data() + value.size(), parsed);
    if (error != std::errc() || rest != value.data() + value.size() || value.empty() ||
        parsed > (1ull << 62)) {
      problem = "a Content-Length that is not a number";
      return -1;
    }
    length = static_cast<long long>(parsed);
  }
  if (length < 0) problem = "a header without Content-Length";
  return length;
}

// Whether `body` may be one JSON object: the test is cheap, the parse is
// for the server.
bool looksLikeAnObject(std::string_view body) {
  const size_t first = body.find_first_not_of(" \t\r\n");
  const size_t last = body.find_last_not_of(" \t\r\n");
  return first != std::string_view::npos && body[first] == '{' && body[last] == '}';
}

}  // namespace

void LspFrameReader::feed(std::string_view bytes) {
  // What was taken goes before the buffer grows, so that it holds at most
  // one message and what came after it.
  if (m_start > 0 && m_start >= m_buffer.size() / 2) {
    m_buffer.erase(0, m_start);
    m_start = 0;
  }
  m_buffer.append(bytes);
}

bool LspFrameReader::skipOversized() {
  const size_t skipped = std::min(m_toSkip, m_buffer.size() - m_start);
  m_start += skipped;
  m_toSkip -= skipped;
  return m_toSkip == 0;
}

// After a bad header the next message starts at the next
// "Content-Length" that comes, which may follow any bytes: the reader looks
// for it from the byte after the bad header's start. False while it has
// not come; only the last bytes, which may begin one, are kept meanwhile.
bool LspFrameReader::resynchronize() {
  const std::string_view rest = std::string_view(m_buffer).substr(m_start);
  const size_t next = lowered(rest).find(kLengthName);
  if (next == std::string::npos) {
    m_start += rest.size() - std::min(rest.size(), kLengthName.size() - 1);
    return false;
  }
  m_start += next;
  m_lost = false;
  return true;
}

void LspFrameReader::loseTrack() {
  ++m_start;
  m_lost = true;
}

bool LspFrameReader::next(LspFrame& frame) {
  frame = LspFrame();
  if (m_toSkip > 0 && !skipOversized()) return false;
  if (m_lost && !resynchronize()) return false;
  const std::string_view rest = std::string_view(m_buffer).substr(m_start);
  const size_t headerEnd = rest.find(kHeaderEnd);
  if (headerEnd == std::string_view::npos) {
    if (rest.size() <= kMaxLspHeader) return false;
    frame.problem = "a header of more than " + std::to_string(kMaxLspHeader) + " bytes";
    loseTrack();
    return true;
  }
  std::string problem;
  const long long length = contentLength(rest.substr(0, headerEnd), problem);
  if (length < 0) {
    frame.problem = problem;
    loseTrack();
    return true;
  }
  const size_t bodyStart = headerEnd + kHeaderEnd.size();
  if (static_cast<unsigned long long>(length) > kMaxLspMessage) {
    frame.problem = "a message of " + std::to_string(length) + " bytes, more than the " +
                    std::to_string(kMaxLspMessage >> 20) + " MB a message may have";
    m_start += bodyStart;
    m_toSkip = static_cast<size_t>(length);
    skipOversized();
    return true;
  }
  if (rest.size() - bodyStart < static_cast<size_t>(length)) return false;
  frame.body.assign(rest.substr(bodyStart, static_cast<size_t>(length)));
  m_start += bodyStart + static_cast<size_t>(length);
  if (!looksLikeAnObject(frame.body)) recoverFrom(frame.body);
  return true;
}

// The body is read again from its second byte, as bytes after a bad
// header are: a header it swallowed, even in part, is found.
void LspFrameReader::recoverFrom(std::string_view unparsable) {
  std::string again(unparsable.substr(std::min<size_t>(1, unparsable.size())));
  again.append(m_buffer, m_start);
  m_buffer = std::move(again);
  m_start = 0;
  m_lost = true;
}

std::string lspFramed(std::string_view body) {
  std::string out = "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n";
  out.append(body);
  return out;
}

}  // namespace verbolt
