#include "highlight/editor_text.h"

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <random>
#include <string>

#include "highlight/gui_test_support.h"
#include "text/cp1252.h"

namespace verbolt {

namespace {

std::string everyByteButNul() {
  std::string bytes;
  for (int byte = 1; byte < 256; ++byte) bytes += static_cast<char>(byte);
  return bytes;
}

TEST(EditorText, EveryByteButNulRoundTrips) {
  const std::string bytes = everyByteButNul();
  const wxString text = fromCp1252(bytes);
  ASSERT_EQ(text.length(), bytes.size());
  EXPECT_EQ(toCp1252(text), bytes);
}

TEST(EditorText, AFileNameComesBackByteForByteWhateverItsEncoding) {
  for (const std::string name : {"/tmp/caf\xE9.txt", "/tmp/\xC3\xA9t\xC3\xA9.md", "/a/\xFF\xFE\x80",
                                 "/tmp/plain.txt", "/tmp/\xF0\x9F\x98\x80 \xE2\x82\xAC"}) {
    EXPECT_EQ(fileNameBytes(fileNameOf(name)), name);
  }
  EXPECT_EQ(fileNameOf("/tmp/\xC3\xA9t\xC3\xA9.md"),
            wxString::FromUTF8("/tmp/\xC3\xA9t\xC3\xA9.md"));
  EXPECT_EQ(utf8Of(shownUtf8("caf\xE9.txt")), "caf\xEF\xBF\xBD.txt");
  EXPECT_EQ(utf8Of(shownUtf8("\xC3\xA9t\xC3\xA9")), "\xC3\xA9t\xC3\xA9");
}

TEST(EditorText, DecodesToTheCodePagesCharacters) {
  const wxString text = fromCp1252("\x80\x92\xE9\x9F");
  EXPECT_EQ(text, wxString(L"\u20AC\u2019\u00E9\u0178"));
}

TEST(EditorText, NulBecomesAVisiblePlaceholderThatReadsBackAsASeparator) {
  const wxString text = fromCp1252(std::string("a\0b", 3));
  ASSERT_EQ(text.length(), 3u);
  EXPECT_EQ(static_cast<wchar_t>(text[1].GetValue()), kNulPlaceholder);
  EXPECT_EQ(toCp1252(text), std::string("a") + static_cast<char>(kUnmappableByte) + "b");
}

TEST(EditorText, EachCharacterOutsideTheCodePageIsOneSeparatorByte) {
  // An emoji, a CJK ideograph, a combining acute accent and a line separator.
  const wxString text(L"a\U0001F600b\u4E2Dc\u0301d\u2028e");
  const std::string u(1, static_cast<char>(kUnmappableByte));
  EXPECT_EQ(toCp1252(text), "a" + u + "b" + u + "c" + u + "d" + u + "e");
}

class EditorTextInControl : public testing::Test {
 protected:
  EditorWindow m_window;
};

TEST_F(EditorTextInControl, TheControlGivesBackEveryByteButNul) {
  const std::string bytes = everyByteButNul();
  m_window.setText(bytes);
  EXPECT_EQ(m_window.editor().GetLastPosition(), static_cast<long>(bytes.size()));
  EXPECT_EQ(editorBytes(m_window.editor()), bytes);
}

TEST_F(EditorTextInControl, ANulByteDoesNotEmptyTheControl) {
  m_window.setText(std::string("avant\0apr\xE8s", 11));
  EXPECT_EQ(editorBytes(m_window.editor()),
            "avant" + std::string(1, static_cast<char>(kUnmappableByte)) + "apr\xE8s");
}

TEST_F(EditorTextInControl, BytePositionsAreControlPositions) {
  wxTextCtrl& editor = m_window.editor();
  editor.ChangeValue(L"\U0001F600 \u4E2D\u0301 mot\nfin");
  const std::string bytes = editorBytes(editor);
  ASSERT_EQ(static_cast<long>(bytes.size()), editor.GetLastPosition());
  const size_t word = bytes.find("mot");
  ASSERT_NE(word, std::string::npos);
  EXPECT_EQ(editor.GetRange(word, word + 3), "mot");
  EXPECT_EQ(editor.GetRange(bytes.find("fin"), bytes.size()), "fin");
}

// The lowered text is kept between reads; every way of changing the text
// must make the next read see the change.
TEST_F(EditorTextInControl, TheKeptLoweredTextFollowsEveryChange) {
  wxTextCtrl& editor = m_window.editor();
  m_window.setText("Le Chat dort.");
  EXPECT_EQ(loweredEditorBytes(editor), "le chat dort.");
  EXPECT_EQ(editorStatistics(editor).words, 3);

  editor.Replace(3, 7, "Chien");
  EXPECT_EQ(loweredEditorBytes(editor), "le chien dort.");
  editor.Remove(0, 3);
  EXPECT_EQ(loweredEditorBytes(editor), "chien dort.");
  editor.AppendText(" Puis Mange.");
  EXPECT_EQ(loweredEditorBytes(editor), "chien dort. puis mange.");
  EXPECT_EQ(editorStatistics(editor).words, 4);

  // A key goes to the buffer straight, as the writer's typing does.
  GtkTextBuffer* buffer = gtk_text_view_get_buffer(GTK_TEXT_VIEW(editor.GetConnectWidget()));
  gtk_text_buffer_insert_at_cursor(buffer, "X", 1);
  EXPECT_EQ(loweredEditorBytes(editor), "chien dort. puis mange.x");

  // Colours are not text: painting keeps what was read.
  editor.SetStyle(0, 5, wxTextAttr(*wxBLACK, *wxYELLOW));
  EXPECT_EQ(loweredEditorBytes(editor), "chien dort. puis mange.x");
  m_window.setText("");
  EXPECT_EQ(loweredEditorBytes(editor), "");
  EXPECT_EQ(editorStatistics(editor).words, 0);
}

// Random edits anywhere, with letters outside the code page and capitals:
// the kept text and its figures stay those of a fresh read.
TEST_F(EditorTextInControl, TheKeptTextIsAFreshReadAfterAnyEdits) {
  wxTextCtrl& editor = m_window.editor();
  m_window.setText("Un \xC9t\xE9 \xE0 Paris.\nLe Chat.");
  const wchar_t* const pieces[] = {L"Mot ",          L"\u00C9T\u00C9", L"\U0001F600", L"\n",
                                   L"\u4E2D\u0301 ", L"l'Homme, ",     L" \u2013 ",   L"\u2013"};
  std::mt19937 random(909);
  loweredEditorBytes(editor);
  for (int step = 0; step < 300; ++step) {
    const long length = editor.GetLastPosition();
    const long from = static_cast<long>(random() % static_cast<unsigned>(length + 1));
    const long to = std::min(length, from + static_cast<long>(random() % 6));
    if (random() % 3 == 0) {
      editor.Remove(from, to);
    } else {
      editor.Replace(from, random() % 2 ? from : to, pieces[random() % std::size(pieces)]);
    }
    const std::string kept = loweredEditorBytes(editor);
    ASSERT_EQ(kept, lowercaseText(editorBytes(editor))) << "step " << step;
    const TextStatistics fresh = textStatistics(editorBytes(editor));
    ASSERT_EQ(editorStatistics(editor).words, fresh.words) << "step " << step;
    ASSERT_EQ(editorStatistics(editor).lettersWithSpaces, fresh.lettersWithSpaces);
    ASSERT_EQ(editorStatistics(editor).lettersWithoutSpaces, fresh.lettersWithoutSpaces);
  }
}

}  // namespace

}  // namespace verbolt
