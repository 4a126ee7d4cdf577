#include "cli/lsp_document.h"

#include <gtest/gtest.h>

namespace verbolt {

namespace {

// "é" is one UTF-16 unit and two bytes, "😀" two units and four bytes.
constexpr std::string_view kText = "caf\xC3\xA9 \xF0\x9F\x98\x80 x\r\nline two\rthree";

TEST(LspDocument, PositionsCountUtf16UnitsAndEveryKindOfLineEnd) {
  EXPECT_EQ(byteOffsetOf(kText, {0, 4}), 5u);    // after é
  EXPECT_EQ(byteOffsetOf(kText, {0, 5}), 6u);    // before the emoji
  EXPECT_EQ(byteOffsetOf(kText, {0, 6}), 6u);    // inside its pair: its start
  EXPECT_EQ(byteOffsetOf(kText, {0, 7}), 10u);   // after it
  EXPECT_EQ(byteOffsetOf(kText, {0, 99}), 12u);  // the line's end, before "\r\n"
  EXPECT_EQ(byteOffsetOf(kText, {1, 0}), 14u);
  EXPECT_EQ(byteOffsetOf(kText, {2, 2}), 25u);
  EXPECT_EQ(byteOffsetOf(kText, {7, 0}), kText.size());
  EXPECT_EQ(byteOffsetOf(kText, {-1, 3}), 0u);
}

TEST(LspDocument, EditsReplaceRangesOrTheWholeText) {
  LspDocument document;
  document.text = kText;
  document.change(LspRange{{0, 7}, {1, 4}}, "!");  // from after the emoji to "line"'s end
  EXPECT_EQ(document.text, "caf\xC3\xA9 \xF0\x9F\x98\x80! two\rthree");
  document.change(LspRange{{1, 5}, {1, 0}}, "3");  // a range given backwards
  EXPECT_EQ(document.text, "caf\xC3\xA9 \xF0\x9F\x98\x80! two\r3");
  document.change(std::nullopt, "new");
  EXPECT_EQ(document.text, "new");
}

TEST(LspDocument, TheEngineTextHasOnePositionPerCharacterAndLineEnd) {
  LspDocument document;
  document.text = kText;
  const EngineText plain = engineText(document);
  EXPECT_EQ(plain.prose, "caf\xE9 \x1A x\nline two\nthree");
  document.markdown = true;
  document.text = "# Caf\xC3\xA9\r\n<!-- x -->\r\n`code` word\n";
  const EngineText markdown = engineText(document);
  EXPECT_EQ(markdown.prose, "  Caf\xE9\n          \n       word\n");
  EXPECT_EQ(markdown.markdown, "# Caf\xE9\n<!-- x -->\n`code` word\n");
  document.text = "No comment.";
  EXPECT_EQ(engineText(document).markdown, "");
}

TEST(LspDocument, EnginePositionsBecomeTheEditorsAllAtOnce) {
  const LspPositions at(kText, {20, 0, 4, 6, 7, 8, 9, 100});
  EXPECT_EQ(at.at(0), (LspPosition{0, 0}));
  EXPECT_EQ(at.at(4), (LspPosition{0, 4}));
  EXPECT_EQ(at.at(6), (LspPosition{0, 7}));  // behind the emoji
  EXPECT_EQ(at.at(7), (LspPosition{0, 8}));
  EXPECT_EQ(at.at(8), (LspPosition{0, 9}));  // the "\r\n", one position
  EXPECT_EQ(at.at(9), (LspPosition{1, 0}));
  EXPECT_EQ(at.at(20), (LspPosition{2, 2}));
  EXPECT_EQ(at.at(100), (LspPosition{2, 5}));
}

TEST(LspDocument, FileUrisGiveTheirPath) {
  EXPECT_EQ(lspUriPath("file:///home/ann/My%20Book/ch%C3%A9.md"),
            "/home/ann/My Book/ch\xC3\xA9.md");
  EXPECT_EQ(lspUriPath("file://localhost/a.md"), "/a.md");
  EXPECT_EQ(lspUriPath("file://server/a.md"), std::nullopt);
  EXPECT_EQ(lspUriPath("untitled:Untitled-1"), std::nullopt);
  EXPECT_EQ(lspUriPath("file:///100%"), "/100%");
}

}  // namespace

}  // namespace verbolt
