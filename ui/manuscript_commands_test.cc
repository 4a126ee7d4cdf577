// Manuscripts in and out of the real window: Ctrl+O and Ctrl+S pressed as
// a writer presses them, the file dialogs and questions answered through
// the window's seams, the files on disk read back.
#include <gtest/gtest.h>
#include <gtk/gtk.h>
#include <sys/wait.h>
#include <unistd.h>
#include <wx/filehistory.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "export/export_test_support.h"
#include "highlight/editor_text.h"
#include "highlight/plan/colours.h"
#include "manuscript/manuscript.h"
#include "manuscript/zip_write.h"
#include "ui/frame_main.h"
#include "ui/ids.h"
#include "ui/localized.h"
#include "ui/main_window_fixture.h"
#include "ui/recent_files.h"
#include "ui/text_ctrl_custom.h"

namespace verbolt {

namespace {

class Manuscripts : public MainWindow {
 protected:
  FrameMain& openWithKeyboard() {
    FrameMain& frame = openFrame();
    clickAt(frame.Editor(), 0);
    EXPECT_TRUE(waitFor([&] { return wxWindow::FindFocus() == &frame.Editor(); }));
    return frame;
  }

  std::string write(const std::string& name, const std::string& bytes) {
    std::ofstream(m_dir / name, std::ios::binary) << bytes;
    return (m_dir / name).string();
  }

  static void pressCtrl(int key) { wxUIActionSimulator().Char(key, wxMOD_CONTROL); }

  // Waits until the title reads `title`.
  bool titleBecomes(const wxString& title) {
    const bool became = waitFor([&] { return m_frame->GetTitle() == title; });
    EXPECT_TRUE(became) << "the title is \"" << m_frame->GetTitle() << "\", the text begins \""
                        << editorUtf8().substr(0, 40) << "\"";
    return became;
  }

  // F3 selects the first finding and `rewrite` is typed over it, as a
  // writer fixes a repetition. The editor's text after it.
  std::string typeOverFirstFinding(const char* rewrite) {
    wxUIActionSimulator().Char(WXK_F3);
    long from = 0, to = 0;
    EXPECT_TRUE(waitFor([&] {
      m_frame->Editor().GetSelection(&from, &to);
      return to > from;
    }));
    const std::string before = editorUtf8();
    wxUIActionSimulator().Text(rewrite);
    EXPECT_TRUE(waitFor([&] { return editorUtf8() != before; }));
    return editorUtf8();
  }

  std::string editorUtf8() {
    // The bytes live in the string's own cache: the string must outlive them.
    const wxString text = m_frame->Editor().GetValue();
    const wxScopedCharBuffer bytes = text.utf8_str();
    return std::string(bytes.data(), bytes.length());
  }
};

// The writer's day: open a Word chapter, colour it, fix it, save it as
// text, export the colours, find it again under the recent files.
TEST_F(Manuscripts, ADocxChapterIsSavedIntoItselfAsTextAndExported) {
  FrameMain& frame = openWithKeyboard();
  const std::string docx = (m_dir / "chapter.docx").string();
  std::filesystem::copy_file(VERBOLT_SAMPLES "/chapter.docx", docx);
  const ReadOutcome read = readManuscript(docx);
  ASSERT_TRUE(read.manuscript) << read.error;

  fileDialogAnswers = {wxString::FromUTF8(docx)};
  pressCtrl('o');
  ASSERT_TRUE(titleBecomes("chapter.docx - Verbolt 2"));
  EXPECT_EQ(fileDialogTitles.size(), 1u) << "one key press, one dialog";
  EXPECT_EQ(editorUtf8(), read.manuscript->utf8);
  EXPECT_TRUE(frame.Top100().GetValue().empty());

  wxUIActionSimulator().Char(WXK_F5);
  ASSERT_TRUE(waitFor([&] { return !frame.Top100().GetValue().empty(); }));
  frame.Editor().SetInsertionPoint(0);
  wxUIActionSimulator().Text("Q");
  ASSERT_TRUE(titleBecomes("chapter.docx * - Verbolt 2"));

  // F3 selects the first finding; the rewrite is typed over it.
  const std::string rewritten = typeOverFirstFinding("home");
  EXPECT_NE(rewritten.find("home"), std::string::npos);

  // Ctrl+S writes the rewrite into the document itself, asking nothing.
  pressCtrl('s');
  ASSERT_TRUE(titleBecomes("chapter.docx - Verbolt 2"));
  EXPECT_TRUE(messageBoxes.empty());
  const ReadOutcome saved = readManuscript(docx);
  ASSERT_TRUE(saved.manuscript) << saved.error;
  EXPECT_EQ(saved.manuscript->utf8, rewritten);
  EXPECT_NE(readFile(docx), readFile(VERBOLT_SAMPLES "/chapter.docx"));

  // Save As writes the text as plain text, never under a document's name.
  const std::string text = (m_dir / "chapter.txt").string();
  fileDialogAnswers = {wxString::FromUTF8(text)};
  command(kIdSaveAs);
  ASSERT_TRUE(titleBecomes("chapter.txt - Verbolt 2"));
  EXPECT_EQ(readFile(text), rewritten);

  const std::string page = (m_dir / "chapter.html").string();
  fileDialogAnswers = {wxString::FromUTF8(page)};
  command(kIdExportHtml);
  const std::string html = readFile(page);
  EXPECT_NE(html.find("ffff8c"), std::string::npos) << "the yellow of close repetitions";
  EXPECT_NE(html.find(toCp1252(localized(kStrCloseRepetitions))), std::string::npos);

  ASSERT_GE(frame.Recent().Count(), 2u);
  EXPECT_EQ(frame.Recent().Path(0), wxString::FromUTF8(text));
  const std::string stored =
      readFile(std::filesystem::path(getenv("XDG_CONFIG_HOME")) / "verbolt" / "recent-files.txt");
  EXPECT_EQ(stored.rfind(text + "\n", 0), 0u) << stored;
  EXPECT_EQ(readFile(configPath()).find("chapter"), std::string::npos) << "config.txt untouched";
}

// The same day with an OpenDocument chapter: Ctrl+S writes the rewrite
// into the .odt, its italic word still italic, and Save As makes another
// .odt of the same text.
TEST_F(Manuscripts, AnOdtChapterIsSavedIntoItselfAndAsAnotherOdt) {
  FrameMain& frame = openWithKeyboard();
  const std::string odt = (m_dir / "chapter.odt").string();
  std::filesystem::copy_file(VERBOLT_SAMPLES "/chapter.odt", odt);
  fileDialogAnswers = {wxString::FromUTF8(odt)};
  pressCtrl('o');
  ASSERT_TRUE(titleBecomes("chapter.odt - Verbolt 2"));

  wxUIActionSimulator().Char(WXK_F5);
  ASSERT_TRUE(waitFor([&] { return !frame.Top100().GetValue().empty(); }));
  ASSERT_TRUE(waitFor([&] { return wxWindow::FindFocus() == &frame.Editor(); }));
  const std::string rewritten = typeOverFirstFinding("home");
  ASSERT_TRUE(titleBecomes("chapter.odt * - Verbolt 2"));

  pressCtrl('s');
  ASSERT_TRUE(titleBecomes("chapter.odt - Verbolt 2"));
  EXPECT_TRUE(messageBoxes.empty());
  const ReadOutcome saved = readManuscript(odt);
  ASSERT_TRUE(saved.manuscript) << saved.error;
  EXPECT_EQ(saved.manuscript->utf8, rewritten);
  const std::string content = docxPart(readFile(odt), "content.xml");
  EXPECT_NE(content.find("<text:span text:style-name=\"T1\">\xC3\xA9t\xC3\xA9</text:span>"),
            std::string::npos)
      << content;

  const std::string copy = (m_dir / "copy.odt").string();
  fileDialogAnswers = {wxString::FromUTF8(copy)};
  command(kIdSaveAs);
  ASSERT_TRUE(titleBecomes("copy.odt - Verbolt 2"));
  EXPECT_EQ(readFile(copy), readFile(odt));
  frame.Editor().AppendText("\nA last line.");
  pressCtrl('s');
  ASSERT_TRUE(titleBecomes("copy.odt - Verbolt 2"));
  ASSERT_TRUE(readManuscript(copy).manuscript);
  EXPECT_EQ(readManuscript(copy).manuscript->utf8, rewritten + "\nA last line.");
  EXPECT_EQ(readManuscript(odt).manuscript->utf8, rewritten);
}

// Export, Word document, chosen from the keyboard through the menus (Alt+F,
// E, W): the document holds the editor's text with every colour it shows
// at that moment, the marked word's red and the hidden words' grey
// included.
TEST_F(Manuscripts, TheWordExportCarriesEveryColourTheEditorShows) {
  FrameMain& frame = openFrame();
  setText(
      "The garden was green. The garden was wide and the garden was old.\n"
      "\tA river ran by the river, and the river ran on.");
  clickAt(frame.Editor(), 0);
  ASSERT_TRUE(waitFor([&] { return wxWindow::FindFocus() == &frame.Editor(); }));
  wxUIActionSimulator().Char(WXK_F5);
  ASSERT_TRUE(waitFor([&] { return !frame.Top100().GetValue().empty(); }));
  const std::string text = editorUtf8();
  const long garden = static_cast<long>(text.find("garden"));
  const long river = static_cast<long>(text.find("river"));
  ASSERT_EQ(colourAt(garden), classColour(HighlightClass::kClose));
  clickAt(frame.Editor(), river + 1, kAlt);
  ASSERT_TRUE(waitFor([&] { return colourAt(river) == hiddenColour(HighlightClass::kClose); }));
  clickAt(frame.Editor(), garden + 1);
  ASSERT_TRUE(waitFor([&] { return colourAt(garden) == markedColour(HighlightClass::kClose); }));

  const std::string path = (m_dir / "garden.docx").string();
  fileDialogAnswers = {wxString::FromUTF8(path)};
  int menusOpened = 0;
  auto countOpening = [&menusOpened](wxMenuEvent& event) {
    ++menusOpened;
    event.Skip();
  };
  frame.Bind(wxEVT_MENU_OPEN, countOpening);
  wxUIActionSimulator().Char('f', wxMOD_ALT);
  ASSERT_TRUE(waitFor([&] { return menusOpened >= 1; })) << "Alt+F opened no menu";
  wxUIActionSimulator().Char('e');
  ASSERT_TRUE(waitFor([&] { return menusOpened >= 2; })) << "E opened no submenu";
  wxUIActionSimulator().Char('w');
  ASSERT_TRUE(waitFor([&] { return std::filesystem::exists(path); })) << "W exported nothing";
  frame.Unbind(wxEVT_MENU_OPEN, countOpening);
  ASSERT_EQ(fileDialogTitles.size(), 1u);
  EXPECT_EQ(fileDialogTitles[0], wxStripMenuCodes(localized(kStrExport)));

  const std::string package = readFile(path);
  const ReadOutcome read = readManuscriptBytes(package, ManuscriptKind::kDocx, "garden.docx");
  ASSERT_TRUE(read.manuscript) << read.error;
  EXPECT_TRUE(read.manuscript->utf8.starts_with(text + "\n")) << read.manuscript->utf8;
  EXPECT_NE(read.manuscript->utf8.find(localized(kStrMarkedWord).utf8_string()), std::string::npos);
  const Backgrounds backgrounds = docxBackgrounds(package);
  ASSERT_GT(backgrounds.size(), text.size());
  for (long i = 0; i < static_cast<long>(text.size()); ++i) {
    const Rgb shown = colourAt(i);
    // A line end has no background of its own in a word processor.
    const bool plain = shown == kWhite || text[i] == '\n';
    EXPECT_EQ(backgrounds[i], plain ? std::nullopt : std::optional<Rgb>(shown)) << "at " << i;
  }
}

// An edit that cannot be placed safely in the document (joining a line
// across a tracked deletion) leaves it untouched, says which line and why,
// and offers the text as .txt beside it.
TEST_F(Manuscripts, AnEditTheDocumentCannotTakeLeavesItWholeAndOffersText) {
  FrameMain& frame = openFrame();
  const std::string docx = (m_dir / "chapter.docx").string();
  std::filesystem::copy_file(VERBOLT_SAMPLES "/chapter.docx", docx);
  ASSERT_TRUE(frame.OpenFile(wxString::FromUTF8(docx)));
  const std::string text = editorUtf8();
  const size_t again = text.find("again.");
  ASSERT_NE(again, std::string::npos);
  ASSERT_EQ(text[again + 6], '\n');
  // "again." and the next line become one sentence: the line's end, where
  // the deletion sits, is rewritten.
  const long stop = wxString::FromUTF8(text.substr(0, again + 5)).length();
  frame.Editor().Replace(stop, stop + 2, ", ");
  ASSERT_TRUE(frame.CurrentDocument().modified);

  messageBoxAnswers = {wxNO};
  command(kIdSave);
  ASSERT_EQ(messageBoxes.size(), 1u);
  EXPECT_NE(messageBoxes[0].message.find("tracked change"), wxString::npos)
      << messageBoxes[0].message;
  EXPECT_NE(messageBoxes[0].message.find("ine "), wxString::npos) << "names the line";
  EXPECT_EQ(readFile(docx), readFile(VERBOLT_SAMPLES "/chapter.docx"));
  EXPECT_TRUE(frame.CurrentDocument().modified);

  messageBoxAnswers = {wxYES};
  fileDialogAnswers = {wxString::FromUTF8((m_dir / "chapter.txt").string())};
  command(kIdSave);
  EXPECT_EQ(readFile(docx), readFile(VERBOLT_SAMPLES "/chapter.docx"));
  EXPECT_EQ(readFile(m_dir / "chapter.txt"), editorUtf8());
  EXPECT_FALSE(frame.CurrentDocument().modified);
}

// Each encoding and line end comes back byte for byte after an edit and
// its undoing by hand.
TEST_F(Manuscripts, SaveWritesTheEncodingAndLineEndsTheFileCameIn) {
  openWithKeyboard();
  const std::string files[] = {
      write("cp1252.txt", "Caf\xE9 et th\xE9.\r\nLigne deux.\r\n"),
      write("bom.txt", "\xEF\xBB\xBFUn \xC3\xA9t\xC3\xA9.\nDeux.\n"),
      write("utf16.txt", std::string("\xFF\xFEH\0i\0\r\0\n\0", 10)),
  };
  for (const std::string& file : files) {
    SCOPED_TRACE(file);
    const std::string before = readFile(file);
    fileDialogAnswers = {wxString::FromUTF8(file)};
    pressCtrl('o');
    ASSERT_TRUE(waitFor([&] { return m_frame->CurrentDocument().path == file; }));
    EXPECT_EQ(editorUtf8().find('\r'), std::string::npos);
    m_frame->Editor().SetInsertionPoint(0);
    wxUIActionSimulator().Text("Z");
    ASSERT_TRUE(waitFor([&] { return m_frame->CurrentDocument().modified; }));
    wxUIActionSimulator().Char(WXK_BACK);
    ASSERT_TRUE(waitFor([&] { return m_frame->Editor().GetRange(0, 1) != "Z"; }));
    pressCtrl('s');
    ASSERT_TRUE(waitFor([&] { return !m_frame->CurrentDocument().modified; }));
    EXPECT_EQ(readFile(file), before);
  }
}

TEST_F(Manuscripts, ACharacterTheEncodingCannotHoldIsSavedAsUtf8Elsewhere) {
  FrameMain& frame = openWithKeyboard();
  const std::string file = write("old.txt", "Caf\xE9.\n");
  ASSERT_TRUE(frame.OpenFile(wxString::FromUTF8(file)));
  frame.Editor().SetInsertionPoint(0);
  frame.Editor().WriteText(wxString::FromUTF8("\xF0\x9F\x98\x80 "));
  const std::string copy = (m_dir / "new.txt").string();
  messageBoxAnswers = {wxYES};
  fileDialogAnswers = {wxString::FromUTF8(copy)};
  pressCtrl('s');
  ASSERT_TRUE(titleBecomes("new.txt - Verbolt 2"));
  EXPECT_EQ(readFile(file), "Caf\xE9.\n");
  EXPECT_EQ(readFile(copy), "\xF0\x9F\x98\x80 Caf\xC3\xA9.\n");
}

TEST_F(Manuscripts, UnsavedChangesAreAskedAboutAndCancelKeepsEverything) {
  FrameMain& frame = openWithKeyboard();
  wxUIActionSimulator().Text("Mon texte ");
  ASSERT_TRUE(waitFor([&] { return frame.Editor().GetValue().StartsWith("Mon texte "); }));
  const wxString typed = frame.Editor().GetValue();

  messageBoxAnswers = {wxCANCEL};
  pressCtrl('o');
  ASSERT_TRUE(waitFor([] { return messageBoxes.size() == 1; }));
  EXPECT_TRUE(fileDialogTitles.empty()) << "no file is asked for once the writer cancels";
  EXPECT_EQ(frame.Editor().GetValue(), typed);

  messageBoxAnswers = {wxCANCEL};
  EXPECT_FALSE(frame.Close(false));
  EXPECT_EQ(messageBoxes.size(), 2u);
  EXPECT_TRUE(frame.IsShown());

  // Quit, from the menu or Ctrl+Q, asks as the close box does.
  messageBoxAnswers = {wxCANCEL};
  pressCtrl('q');
  ASSERT_TRUE(waitFor([] { return messageBoxes.size() == 3; }));
  EXPECT_TRUE(frame.IsShown());
  EXPECT_EQ(frame.Editor().GetValue(), typed);

  // Colouring is no change: after F5 and F6, Discard is still asked for
  // only because of the typing.
  messageBoxAnswers = {wxNO};
  const std::string file = write("autre.txt", "Autre texte.\n");
  fileDialogAnswers = {wxString::FromUTF8(file)};
  pressCtrl('o');
  ASSERT_TRUE(titleBecomes("autre.txt - Verbolt 2"));
  wxUIActionSimulator().Char(WXK_F5);
  ASSERT_TRUE(waitFor([&] { return !frame.Top100().GetValue().empty(); }));
  EXPECT_FALSE(frame.CurrentDocument().modified);
  EXPECT_TRUE(frame.ConfirmDiscardChanges());
}

// The words on the buttons of the message box GTK shows, for `responses`;
// then the box is answered with `answer`.
struct RealQuestion {
  std::vector<GtkResponseType> responses;
  GtkResponseType answer;
  std::vector<std::string> labels;
  bool seen = false;
};

gboolean answerRealQuestion(gpointer data) {
  auto* question = static_cast<RealQuestion*>(data);
  GList* windows = gtk_window_list_toplevels();
  for (GList* item = windows; item; item = item->next) {
    if (!GTK_IS_MESSAGE_DIALOG(item->data) || !gtk_widget_get_visible(GTK_WIDGET(item->data))) {
      continue;
    }
    GtkDialog* dialog = GTK_DIALOG(item->data);
    for (GtkResponseType response : question->responses) {
      GtkWidget* button = gtk_dialog_get_widget_for_response(dialog, response);
      question->labels.push_back(button ? gtk_button_get_label(GTK_BUTTON(button)) : "(none)");
    }
    question->seen = true;
    gtk_dialog_response(dialog, question->answer);
    break;
  }
  g_list_free(windows);
  return question->seen ? G_SOURCE_REMOVE : G_SOURCE_CONTINUE;
}

// The File menu's questions name what each button does, in the writer's
// words, on the real message box.
TEST_F(Manuscripts, QuestionsNameWhatEachButtonDoes) {
  FrameMain& frame = openFrame();
  frame.Editor().AppendText(" changed");
  setMessageBoxHandler(nullptr);
  RealQuestion closing{{GTK_RESPONSE_YES, GTK_RESPONSE_NO}, GTK_RESPONSE_CANCEL, {}};
  g_timeout_add(20, answerRealQuestion, &closing);
  EXPECT_FALSE(frame.Close(false));
  ASSERT_TRUE(closing.seen);
  EXPECT_EQ(closing.labels, (std::vector<std::string>{"Save", "Close without Saving"}));

  RealQuestion opening{{GTK_RESPONSE_YES, GTK_RESPONSE_NO}, GTK_RESPONSE_CANCEL, {}};
  g_timeout_add(20, answerRealQuestion, &opening);
  command(kIdOpen);
  ASSERT_TRUE(opening.seen);
  EXPECT_EQ(opening.labels, (std::vector<std::string>{"Save", "Open without Saving"}));
  EXPECT_TRUE(fileDialogTitles.empty());

  // A character Windows-1252 cannot hold, in a Windows-1252 file.
  const std::string file = write("latin.txt", "caf\xE9\n");
  ASSERT_TRUE(frame.OpenFile(wxString::FromUTF8(file)));
  frame.Editor().AppendText(wxString::FromUTF8("\xE2\x82\xAC\xF0\x9F\x98\x80"));
  RealQuestion utf8{{GTK_RESPONSE_OK}, GTK_RESPONSE_CANCEL, {}};
  g_timeout_add(20, answerRealQuestion, &utf8);
  command(kIdSave);
  ASSERT_TRUE(utf8.seen);
  EXPECT_EQ(utf8.labels, (std::vector<std::string>{"Save as UTF-8..."}));
  EXPECT_EQ(readFile(file), "caf\xE9\n");
  setMessageBoxHandler(recordMessageBox);
  messageBoxAnswers = {wxNO};
}

// The editor has the keyboard from the start, and again once a message
// box is dismissed: the writer's next key goes into the text.
TEST_F(Manuscripts, TheEditorHasTheKeyboardFromTheStartAndAfterAMessageBox) {
  FrameMain& frame = openFrame();
  frame.Raise();
  ASSERT_TRUE(waitFor([&] { return wxWindow::FindFocus() == &frame.Editor(); }));
  setMessageBoxHandler(nullptr);
  RealQuestion box{{GTK_RESPONSE_OK}, GTK_RESPONSE_OK, {}};
  g_timeout_add(20, answerRealQuestion, &box);
  EXPECT_FALSE(frame.OpenFile(wxString::FromUTF8((m_dir / "missing.txt").string())));
  setMessageBoxHandler(recordMessageBox);
  ASSERT_TRUE(box.seen);
  EXPECT_TRUE(waitFor([&] { return wxWindow::FindFocus() == &frame.Editor(); }));
  frame.Editor().SetInsertionPoint(0);
  wxUIActionSimulator().Text("k");
  EXPECT_TRUE(waitFor([&] { return frame.Editor().GetValue().StartsWith("k"); }));
}

// Open, Save As and Export start in the manuscript's folder, wherever the
// program was started; a document's text is offered beside it.
TEST_F(Manuscripts, FileDialogsStartInTheManuscriptsFolder) {
  FrameMain& frame = openFrame();
  const fs::path book = m_dir / "book";
  fs::create_directories(book);
  const std::string docx = (book / "chapter.docx").string();
  fs::copy_file(VERBOLT_SAMPLES "/chapter.docx", docx);
  ASSERT_TRUE(frame.OpenFile(wxString::FromUTF8(docx)));
  for (int id : {kIdOpen, kIdSaveAs, kIdExportHtml}) {
    command(id);
    ASSERT_FALSE(fileDialogFolders.empty()) << id;
    EXPECT_EQ(fileDialogFolders.back(), wxString::FromUTF8(book.string())) << id;
  }
  // A document's text saved as .txt goes beside it.
  fileDialogAnswers = {wxString::FromUTF8((book / "chapter.txt").string())};
  command(kIdSaveAs);
  EXPECT_EQ(fileDialogFolders.back(), wxString::FromUTF8(book.string()));
  EXPECT_TRUE(fs::exists(book / "chapter.txt"));
  EXPECT_FALSE(fs::exists(m_dir / "chapter.txt"));
}

TEST_F(Manuscripts, OpeningAFileRemovesTheTemporariesOfSavesAKillCutShort) {
  FrameMain& frame = openFrame();
  const pid_t child = fork();
  if (child == 0) _exit(0);
  waitpid(child, nullptr, 0);
  const std::string leftover = ".verbolt-save-" + std::to_string(child) + "-aB3dE9";
  write(leftover, "half a chap");
  const std::string chapter = write("chapter.txt", "A whole chapter.\n");
  ASSERT_TRUE(frame.OpenFile(wxString::FromUTF8(chapter)));
  EXPECT_FALSE(std::filesystem::exists(m_dir / leftover));
  EXPECT_TRUE(std::filesystem::exists(chapter));
}

TEST_F(Manuscripts, BadFilesGiveOneMessageAndTheTextStays) {
  FrameMain& frame = openWithKeyboard();
  const wxString welcome = frame.Editor().GetValue();
  // Some 400 bytes that unpack to one line of 256 MB.
  const std::string content =
      R"(<office:document-content xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" )"
      R"(xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"><office:body><office:text>)"
      R"(<text:p>a<text:s text:c="268435000"/>b</text:p></office:text></office:body>)"
      R"(</office:document-content>)";
  const ZipEntry parts[] = {{"mimetype", "application/vnd.oasis.opendocument.text"},
                            {"content.xml", content}};
  const std::string files[] = {
      write("spaces.odt", zipArchiveOf(parts).value()),
      write("fake.docx", "This is no Word document."),
      write("binary.txt", std::string("\x01\x02\x03\0\0\0\x04\x05", 8)),
      (m_dir / "missing.odt").string(),
      m_dir.string(),
  };
  for (const std::string& file : files) {
    SCOPED_TRACE(file);
    messageBoxes.clear();
    EXPECT_FALSE(frame.OpenFile(wxString::FromUTF8(file)));
    ASSERT_EQ(messageBoxes.size(), 1u);
    EXPECT_EQ(messageBoxes[0].caption, localized(kStrCannotOpen));
    EXPECT_EQ(frame.Editor().GetValue(), welcome);
    EXPECT_EQ(frame.GetTitle(), "Verbolt 2");
  }
  messageBoxes.clear();
  frame.OpenFile(wxString::FromUTF8(files[0]));
  ASSERT_EQ(messageBoxes.size(), 1u);
  EXPECT_NE(messageBoxes[0].message.find("a line of more than 64 KB"), wxString::npos)
      << messageBoxes[0].message;
}

// A file whose bytes a save would not give back says so, in the status
// line, as soon as it is open; a clean file says nothing.
TEST_F(Manuscripts, AFileASaveWouldChangeSaysSoWhenItOpens) {
  FrameMain& frame = openWithKeyboard();
  const std::string lineEnds = "saving will write every line end as CRLF";
  const std::string utf8 = "not valid UTF-8; saving will replace them with U+FFFD";
  const std::string utf16 = "not valid UTF-16; saving will replace them with U+FFFD";
  const struct {
    std::string file;
    std::string warning;
  } cases[] = {
      {write("stray.txt", "\xEF\xBB\xBFUn \xE9t\xE9.\n"), utf8},
      {write("surrogate.txt", std::string("\xFF\xFEH\0\x00\xD8i\0", 8)), utf16},
      {write("odd.txt", std::string("\xFE\xFF\0H\0i\0", 7)), utf16},
      {write("mixed.txt", "Un.\r\nDeux.\r\nTrois.\n"), lineEnds},
      {write("crcrlf.txt", "Un.\r\r\nDeux.\r\n"), lineEnds},
      {write("clean.txt", "Un.\r\nDeux.\r\n"), ""},
  };
  for (const auto& [file, warning] : cases) {
    SCOPED_TRACE(file);
    messageBoxes.clear();
    ASSERT_TRUE(frame.OpenFile(wxString::FromUTF8(file)));
    const std::string status = frame.GetStatusBar()->GetStatusText(0).utf8_string();
    if (warning.empty()) {
      EXPECT_EQ(status, "");
    } else {
      EXPECT_NE(status.find(warning), std::string::npos) << status;
    }
    EXPECT_TRUE(messageBoxes.empty()) << "the warning does not stop the writer";
  }
}

TEST_F(Manuscripts, ARecentFileThatHasGoneLeavesTheListWithAMessage) {
  FrameMain& frame = openWithKeyboard();
  const std::string file = write("parti.txt", "Un texte.\n");
  ASSERT_TRUE(frame.OpenFile(wxString::FromUTF8(file)));
  std::filesystem::remove(file);
  command(wxID_FILE1);
  ASSERT_EQ(messageBoxes.size(), 1u);
  EXPECT_NE(messageBoxes[0].message.Find(wxString::FromUTF8(file)), wxNOT_FOUND);
  for (size_t i = 0; i < frame.Recent().Count(); ++i) {
    EXPECT_NE(frame.Recent().Path(i), wxString::FromUTF8(file));
  }
}

}  // namespace

}  // namespace verbolt
