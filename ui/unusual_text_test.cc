// Texts a writer may paste that are not plain Windows-1252 prose: the
// commands work and every colour lands on the right characters.
#include <gtest/gtest.h>
#include <wx/textctrl.h>

#include "highlight/editor_text.h"
#include "highlight/plan/colours.h"
#include "ui/frame_main.h"
#include "ui/ids.h"
#include "ui/main_window_fixture.h"
#include "ui/text_ctrl_custom.h"

namespace verbolt {

namespace {

class UnusualText : public MainWindow {
 protected:
  void setWide(const wxString& text) {
    m_frame->Editor().Clear();
    m_frame->Editor().ChangeValue(text);
  }
};

const Rgb kYellow = classColour(HighlightClass::kClose);

TEST_F(UnusualText, CharactersOutsideTheCodePageKeepEveryPositionInPlace) {
  FrameMain& frame = openFrame();
  // An emoji (outside the basic plane), a CJK character, a combining accent
  // and a line separator, each one position, before a close repetition.
  const wxString text =
      wxString::FromUTF8("\xF0\x9F\x98\x80 \xE4\xB8\xAD e\xCC\x81 \xE2\x80\xA8 chat chat");
  setWide(text);
  const long chat = text.Find("chat");
  ASSERT_EQ(chat, 9);
  command(kIdProcess);
  for (long i = 0; i < chat; ++i) EXPECT_EQ(colourAt(i), kWhite) << i;
  for (long i = chat; i < chat + 4; ++i) EXPECT_EQ(colourAt(i), kYellow) << i;
  EXPECT_EQ(colourAt(chat + 4), kWhite);
  for (long i = chat + 5; i < chat + 9; ++i) EXPECT_EQ(colourAt(i), kYellow) << i;

  frame.Editor().SendWordClick(chat + 1, false, false);
  EXPECT_EQ(frame.MarkedWord(), "chat");
  EXPECT_EQ(colourAt(chat + 8), markedColour(HighlightClass::kClose));
  frame.Editor().SendWordClick(chat + 1, false, true);
  EXPECT_EQ(colourAt(chat + 6), markedColour(HighlightClass::kClose));  // marked stays red
  command(kIdClear);
  for (long i = 0; i < static_cast<long>(text.length()); ++i) EXPECT_EQ(colourAt(i), kWhite);
  command(kIdStats);
  ASSERT_EQ(messageBoxes.size(), 1u);
  EXPECT_TRUE(messageBoxes[0].message.StartsWith("6 words\n")) << messageBoxes[0].message;
}

TEST_F(UnusualText, ANulByteNeverEmptiesTheEditor) {
  openFrame();
  setText(std::string("mot\0mot", 7));
  EXPECT_EQ(m_frame->Editor().GetLastPosition(), 7);
  command(kIdProcess);
  EXPECT_EQ(colourAt(0), kWhite);  // too short to count
  setText(std::string("chat\0chat", 9));
  command(kIdProcess);
  EXPECT_EQ(colourAt(0), kYellow);
  EXPECT_EQ(colourAt(4), kWhite);
  EXPECT_EQ(colourAt(8), kYellow);
}

TEST_F(UnusualText, OnlySeparatorsAndOneLongLine) {
  FrameMain& frame = openFrame();
  setText(std::string(5000, ' ') + std::string(3000, '-') + "\n\n\t");
  command(kIdProcess);
  EXPECT_TRUE(frame.Top100().GetValue().empty());
  frame.Editor().SendWordClick(10, false, false);
  EXPECT_TRUE(frame.MarkedWord().empty());

  std::string line;
  for (int i = 0; i < 1000; ++i) line += "mot" + std::to_string(i % 97) + " ";
  line += "fins fins";
  setText(line);
  command(kIdProcess);
  const long last = static_cast<long>(line.size()) - 1;
  EXPECT_EQ(colourAt(last), kYellow);
  EXPECT_EQ(colourAt(last - 5), kYellow);
  EXPECT_EQ(colourAt(last - 4), kWhite);
  frame.Editor().SendWordClick(last, false, true);
  EXPECT_EQ(colourAt(last), hiddenColour(HighlightClass::kClose));
}

}  // namespace

}  // namespace verbolt
