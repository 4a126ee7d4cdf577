// The framing of the language server protocol: each message is a header
// block ("Content-Length: N", "\r\n" after each line, an empty line) and
// N bytes of JSON. The reader takes the bytes as they come and gives the
// messages whole; a broken frame is told once and skipped, and the reader
// finds the next header, so that one bad message never ends the session.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace verbolt {

// A message larger than this is dropped unread, its bytes skipped as they
// come: the longest document it may carry is well past what is analysed.
inline constexpr size_t kMaxLspMessage = 64u << 20;
// A header block longer than this is no header.
inline constexpr size_t kMaxLspHeader = 8192;

struct LspFrame {
  std::string body;     // the JSON, when `problem` is empty
  std::string problem;  // one English sentence: what was wrong and skipped
};

class LspFrameReader {
 public:
  void feed(std::string_view bytes);

  // The next whole message, or the next problem; false when the bytes fed
  // so far hold neither. A body that is no JSON object (one whose
  // Content-Length was too large) may hold the start of the next message:
  // it is read again, as bytes after a bad header are.
  bool next(LspFrame& frame);

 private:
  void recoverFrom(std::string_view unparsable);
  bool skipOversized();
  void loseTrack();
  bool resynchronize();

  std::string m_buffer;
  size_t m_start = 0;   // bytes of m_buffer already taken
  size_t m_toSkip = 0;  // bytes of an oversized body still to come
  bool m_lost = false;  // after a bad header, until the next one
};

// `body` with its header.
std::string lspFramed(std::string_view body);

}  // namespace verbolt
