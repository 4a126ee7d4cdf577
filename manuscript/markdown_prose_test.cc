#include "manuscript/markdown_prose.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace verbolt {

namespace {

// The characters of each line: the prose must keep every one in place.
std::vector<size_t> charactersPerLine(std::string_view utf8) {
  std::vector<size_t> counts(1, 0);
  for (unsigned char c : utf8) {
    if (c == '\n') {
      counts.push_back(0);
    } else if ((c & 0xC0) != 0x80) {
      ++counts.back();
    }
  }
  return counts;
}

std::string proseOf(std::string_view markdown) {
  const std::string prose = markdownProse(markdown);
  EXPECT_EQ(charactersPerLine(prose), charactersPerLine(markdown)) << markdown;
  return prose;
}

TEST(MarkdownProse, PlainParagraphsStayAsTheyAre) {
  EXPECT_EQ(proseOf("One line of prose,\nand another.\n\nA new paragraph."),
            "One line of prose,\nand another.\n\nA new paragraph.");
  EXPECT_EQ(proseOf(""), "");
}

TEST(MarkdownProse, MarkupBecomesSpacesAndTheWordsKeepTheirColumns) {
  // An escaped sign is the sign itself, as the page shows it.
  EXPECT_EQ(proseOf("# Title\n\nSome *soft* and **hard** words.\n\n- item \\* one"),
            "  Title\n\nSome  soft  and   hard   words.\n\n  item  * one");
  EXPECT_EQ(proseOf("| a | b |\n|---|---|\n| cell | more |"),
            "  a   b  \n         \n  cell   more  ");
}

TEST(MarkdownProse, CodeIsNotProse) {
  EXPECT_EQ(
      proseOf("Run `make all` now.\n\n```sh\nmake make make\n```\n\n    indented code\n\nEnd."),
      "Run            now.\n\n     \n              \n   \n\n                 \n\nEnd.");
}

TEST(MarkdownProse, FrontMatterIsSkippedOnlyWhenClosed) {
  EXPECT_EQ(proseOf("---\ntitle: Words words\n---\nText."), "   \n                  \n   \nText.");
  EXPECT_EQ(proseOf("+++\ntitle = \"x\"\n+++\nText."), "   \n           \n   \nText.");
  // An opening line never closed is a thematic break and a paragraph.
  EXPECT_EQ(proseOf("---\nStill prose."), "   \nStill prose.");
}

TEST(MarkdownProse, LinkAndImageTargetsAndWebAddressesAreNotProse) {
  EXPECT_EQ(proseOf("See [the guide](docs/guide.md \"Guide title\") here."),
            "See  the guide                               here.");
  EXPECT_EQ(proseOf("![A red house](img/house.png)"), "  A red house                ");
  EXPECT_EQ(proseOf("Visit <https://example.org/a> or www.example.org today."),
            "Visit                         or                 today.");
  EXPECT_EQ(proseOf("Write to <me@example.org>."), "Write to                 .");
  EXPECT_EQ(proseOf("[ref][1]\n\n[1]: https://example.org/words"),
            " ref    \n\n                              ");
}

TEST(MarkdownProse, AWebAddressTheParserRewritesIsNotProse) {
  // The parser builds the address of this link in a buffer that it frees
  // before the link ends: comparing the link's text with it read freed
  // memory (found by manuscript_fuzz).
  EXPECT_EQ(proseOf("See www.example.org/?a&b for more."), "See                      for more.");
}

TEST(MarkdownProse, HtmlTagsAndBlocksAreNotProse) {
  EXPECT_EQ(proseOf("Some <em class=\"x\">real</em> text."), "Some               real      text.");
  EXPECT_EQ(proseOf("<div>\nhidden block\n</div>\n\nAfter."),
            "     \n            \n      \n\nAfter.");
  EXPECT_EQ(proseOf("Tom &amp; Jerry"), "Tom       Jerry");
}

TEST(MarkdownProse, EachSkippedCharacterIsOneSpaceWhateverItsBytes) {
  // Accents and an emoji in inline code and a link target: one space each.
  EXPECT_EQ(proseOf("caf\u00E9 `\u00E9t\u00E9 \U0001F600` [\u00E9l\u00E8ve](\u00E0.md) fin"),
            "caf\u00E9          \u00E9l\u00E8ve        fin");
}

TEST(MarkdownProse, AParagraphPastTheBoundReadsBareAddressesAsWords) {
  // A bare address is no prose in a paragraph of any writer's length...
  EXPECT_EQ(proseOf("See www.house.com today.\n\nOther words."),
            "See               today.\n\nOther words.");
  // ...and is read as words in one the parser would take minutes over,
  // which ends at once.
  std::string huge;
  while (huge.size() <= kLongestLinkedParagraph) huge += "www.house.com&x ";
  const std::string prose = markdownProse(huge);
  ASSERT_EQ(prose.size(), huge.size());
  EXPECT_EQ(prose.substr(0, 16), "www.house.com&x ");
}

}  // namespace

}  // namespace verbolt
