#include "cli/lsp_framing.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace verbolt {

namespace {

// Every frame the bytes give, fed `chunk` bytes at a time.
std::vector<LspFrame> framesOf(std::string_view bytes, size_t chunk) {
  LspFrameReader reader;
  std::vector<LspFrame> frames;
  LspFrame frame;
  for (size_t i = 0; i < bytes.size(); i += chunk) {
    reader.feed(bytes.substr(i, chunk));
    while (reader.next(frame)) frames.push_back(frame);
  }
  return frames;
}

std::vector<std::string> bodiesAndProblems(const std::vector<LspFrame>& frames) {
  std::vector<std::string> out;
  for (const LspFrame& frame : frames) {
    out.push_back(frame.problem.empty() ? frame.body : "problem: " + frame.problem);
  }
  return out;
}

TEST(LspFraming, MessagesComeWholeHoweverTheBytesAreCut) {
  const std::string bytes = lspFramed("{\"a\": 1}") +
                            "content-length:  4 \r\nContent-Type: x\r\n\r\n{ }" + "\n" +
                            lspFramed("{\"b\": \"\xC3\xA9\"}");
  for (size_t chunk : {1u, 3u, 1000u}) {
    EXPECT_EQ(bodiesAndProblems(framesOf(bytes, chunk)),
              (std::vector<std::string>{"{\"a\": 1}", "{ }\n", "{\"b\": \"\xC3\xA9\"}"}))
        << chunk;
  }
}

TEST(LspFraming, ABadHeaderIsToldAndTheNextMessageFound) {
  const std::string bytes = std::string("Content-Length: x1\r\n\r\n{}") + lspFramed("{\"n\": 1}") +
                            "no colon\r\n\r\n" + lspFramed("{\"n\": 2}") + std::string(9000, 'z') +
                            lspFramed("{\"n\": 3}");
  EXPECT_EQ(
      bodiesAndProblems(framesOf(bytes, 7)),
      (std::vector<std::string>{"problem: a Content-Length that is not a number", "{\"n\": 1}",
                                "problem: a header line without ':'", "{\"n\": 2}",
                                "problem: a header of more than 8192 bytes", "{\"n\": 3}"}));
}

TEST(LspFraming, AWrongLengthCostsOneMessageOnly) {
  // Too short: the body is no JSON object, and the next header is found
  // after it.
  const std::string tooShort = "Content-Length: 5\r\n\r\n{\"n\": 1}" + lspFramed("{\"n\": 2}");
  EXPECT_EQ(bodiesAndProblems(framesOf(tooShort, 4)),
            (std::vector<std::string>{"{\"n\":", "{\"n\": 2}"}));
  // Too long: the body swallows the next header, which is read again.
  const std::string tooLong =
      "Content-Length: 20\r\n\r\n{\"n\": 1}" + lspFramed("{\"n\": 2}") + lspFramed("{\"n\": 3}");
  EXPECT_EQ(bodiesAndProblems(framesOf(tooLong, 1000)),
            (std::vector<std::string>{"{\"n\": 1}Content-Leng", "{\"n\": 2}", "{\"n\": 3}"}));
}

TEST(LspFraming, AnOversizedMessageIsSkippedUnkept) {
  const size_t size = kMaxLspMessage + 10;
  LspFrameReader reader;
  reader.feed("Content-Length: " + std::to_string(size) + "\r\n\r\n");
  LspFrame frame;
  ASSERT_TRUE(reader.next(frame));
  EXPECT_EQ(frame.problem, "a message of " + std::to_string(size) +
                               " bytes, more than the 64 MB a message may have");
  const std::string megabyte(1 << 20, 'x');
  for (size_t fed = 0; fed < size; fed += megabyte.size()) {
    reader.feed(std::string_view(megabyte).substr(0, std::min(megabyte.size(), size - fed)));
    EXPECT_FALSE(reader.next(frame));
  }
  reader.feed(lspFramed("{}"));
  ASSERT_TRUE(reader.next(frame));
  EXPECT_EQ(frame.body, "{}");
}

}  // namespace

}  // namespace verbolt
