// A fixture that opens the real main window in a fresh working directory,
// with message boxes, modal dialogs, the browser and popup menus answered by
// recorders instead of a person.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>
#include <wx/checkbox.h>
#include <wx/dialog.h>
#include <wx/menu.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "highlight/editor_text.h"
#include "highlight/gui_test_support.h"
#include "settings/analysis_settings.h"
#include "test_support/test_support.h"
#include "ui/dialogs.h"
#include "ui/frame_main.h"
#include "ui/settings_pane.h"
#include "ui/text_ctrl_custom.h"

namespace verbolt {

namespace fs = std::filesystem;

struct MessageBoxCall {
  wxString message;
  wxString caption;
  long style;
  wxWindow* parent;
};
inline std::vector<MessageBoxCall> messageBoxes;
inline std::vector<wxString> browserAddresses;
inline std::vector<wxString> modalTitles;
inline std::vector<wxMenu*> poppedMenus;

// The answers the writer gives to the next questions, in order; wxOK once
// they are used up.
inline std::vector<int> messageBoxAnswers;
// The files the writer picks in the next file dialogs; a cancel once they
// are used up.
inline std::vector<wxString> fileDialogAnswers;
inline std::vector<wxString> fileDialogTitles;
// The folders the file dialogs started in.
inline std::vector<wxString> fileDialogFolders;

inline int recordMessageBox(const wxString& message, const wxString& caption, long style,
                            wxWindow* parent) {
  messageBoxes.push_back({message, caption, style, parent});
  if (messageBoxAnswers.empty()) return wxOK;
  const int answer = messageBoxAnswers.front();
  messageBoxAnswers.erase(messageBoxAnswers.begin());
  return answer;
}
inline wxString answerFileDialog(const wxString& title, const wxString&, const wxString& folder,
                                 const wxString&, long, wxWindow*) {
  fileDialogTitles.push_back(title);
  fileDialogFolders.push_back(folder);
  if (fileDialogAnswers.empty()) return {};
  const wxString answer = fileDialogAnswers.front();
  fileDialogAnswers.erase(fileDialogAnswers.begin());
  return answer;
}
inline bool recordBrowser(const wxString& address) {
  browserAddresses.push_back(address);
  return true;
}
inline int recordModal(wxDialog& dialog) {
  modalTitles.push_back(dialog.GetTitle());
  return wxID_OK;
}
inline void recordPopupMenu(wxWindow&, wxMenu& menu) { poppedMenus.push_back(&menu); }

using test_support::readFile;

enum Modifier { kNone = 0, kControl = 1, kAlt = 2 };

// Presses and releases the left button over the character at `position`
// of `control`, with CTRL and ALT held as `modifiers` says, and waits until
// the control has seen both halves of the click.
inline void clickAt(wxTextCtrl& control, long position, int modifiers = kNone) {
  control.ShowPosition(position);
  waitFor([&] { return control.PositionToCoords(position) != wxDefaultPosition; }, 500);
  const wxPoint point = control.ClientToScreen(control.PositionToCoords(position)) + wxPoint(2, 5);
  int downs = 0;
  int ups = 0;
  auto countDown = [&downs](wxMouseEvent& event) {
    ++downs;
    event.Skip();
  };
  auto countUp = [&ups](wxMouseEvent& event) {
    ++ups;
    event.Skip();
  };
  control.Bind(wxEVT_LEFT_DOWN, countDown);
  control.Bind(wxEVT_LEFT_UP, countUp);
  wxUIActionSimulator input;
  input.MouseMove(point);
  if (modifiers & kControl) input.KeyDown(WXK_CONTROL);
  if (modifiers & kAlt) input.KeyDown(WXK_ALT);
  waitFor([&] {
    return (!(modifiers & kControl) || wxGetKeyState(WXK_CONTROL)) &&
           (!(modifiers & kAlt) || wxGetKeyState(WXK_ALT)) && wxGetMousePosition() == point;
  });
  input.MouseClick();
  EXPECT_TRUE(waitFor([&] { return downs > 0 && ups > 0; })) << "the click never arrived";
  if (modifiers & kAlt) input.KeyUp(WXK_ALT);
  if (modifiers & kControl) input.KeyUp(WXK_CONTROL);
  waitFor([&] { return !wxGetKeyState(WXK_CONTROL) && !wxGetKeyState(WXK_ALT); });
  control.Unbind(wxEVT_LEFT_DOWN, countDown);
  control.Unbind(wxEVT_LEFT_UP, countUp);
}

// Each test starts the window in a fresh working directory, where it keeps
// its config.txt.
class MainWindow : public test_support::FolderTest {
 protected:
  void SetUp() override {
    m_previousDir = fs::current_path();
    FolderTest::SetUp();
    fs::current_path(m_dir);
    messageBoxes.clear();
    browserAddresses.clear();
    modalTitles.clear();
    poppedMenus.clear();
    setPopupMenuHandler(recordPopupMenu);
    setMessageBoxHandler(recordMessageBox);
    setFileDialogHandler(answerFileDialog);
    messageBoxAnswers.clear();
    fileDialogAnswers.clear();
    fileDialogTitles.clear();
    fileDialogFolders.clear();
    setBrowserHandler(recordBrowser);
    setModalDialogHandler(recordModal);
    // The echoes change what F5 paints, and colouring as one types when
    // the colours come: every test starts with them off,
    // as on a first start, whatever the test before it switched on.
    if (const char* home = std::getenv("XDG_CONFIG_HOME")) {
      std::error_code ignored;
      fs::remove(fs::path(home) / "verbolt" / "echoes.txt", ignored);
      fs::remove(fs::path(home) / "verbolt" / "colour-as-you-type.txt", ignored);
    }
  }

  void TearDown() override {
    closeFrame();
    fs::current_path(m_previousDir);
    FolderTest::TearDown();
    setMessageBoxHandler(nullptr);
    setFileDialogHandler(nullptr);
    setBrowserHandler(nullptr);
    setModalDialogHandler(nullptr);
    setPopupMenuHandler(nullptr);
  }

  FrameMain& openFrame() {
    m_frame = new FrameMain("Verbolt 2", wxPoint(150, 50), wxSize(980, 730));
    EXPECT_TRUE(showOnScreen(*m_frame));
    return *m_frame;
  }

  void closeFrame() {
    if (!m_frame) return;
    destroyAndWait(m_frame);
    m_frame = nullptr;
  }

  void command(int id) {
    wxCommandEvent event(wxEVT_MENU, id);
    event.SetEventObject(m_frame);
    m_frame->GetEventHandler()->ProcessEvent(event);
  }

  void clickSwitch(int id, bool ticked) {
    auto* box = wxDynamicCast(m_frame->FindWindow(id), wxCheckBox);
    ASSERT_NE(box, nullptr) << id;
    box->SetValue(ticked);
    wxCommandEvent event(wxEVT_CHECKBOX, id);
    event.SetEventObject(box);
    event.SetInt(ticked);
    box->GetEventHandler()->ProcessEvent(event);
  }

  void setText(const std::string& bytes) {
    m_frame->Editor().Clear();
    m_frame->Editor().ChangeValue(fromCp1252(bytes));
  }

  Rgb colourAt(long position) { return backgroundAt(m_frame->Editor(), position); }

  // The field bound to a settings member, as the writer sees it.
  wxTextCtrl* numberField(int AnalysisSettings::*field) {
    return m_frame->Settings().NumberFieldFor(field);
  }
  wxTextCtrl* listField(WordList AnalysisSettings::*field) {
    return m_frame->Settings().ListFieldFor(field);
  }

  // One of the toolbars of the top row, by its id.
  wxToolBar& toolBar(int id) { return *wxDynamicCast(m_frame->FindWindow(id), wxToolBar); }

  fs::path configPath() const { return m_dir / "config.txt"; }

  FrameMain* m_frame = nullptr;
  fs::path m_previousDir;
};

// The window as a writer at the keyboard uses it: real key presses into
// the editor.
class WriterAtKeyboard : public MainWindow {
 protected:
  // Opens the window on `text` and clicks into the editor at `position`,
  // which gives it the keyboard.
  FrameMain& openOn(const std::string& text, long position) {
    FrameMain& frame = openFrame();
    frame.Raise();
    setText(text);
    clickAt(frame.Editor(), position);
    EXPECT_TRUE(waitFor([&] { return wxWindow::FindFocus() == &frame.Editor(); }));
    return frame;
  }

  std::string editorText() { return toCp1252(m_frame->Editor().GetValue()); }
  long at(const std::string& what) { return static_cast<long>(editorText().rfind(what)); }

  // Types `letters` and waits until the editor holds `expected`; false when
  // the keys never arrived.
  bool typeAndSee(const char* letters, const std::string& expected) {
    wxUIActionSimulator().Text(letters);
    const bool seen =
        waitFor([&] { return editorText().find(expected) != std::string::npos; }, 2000);
    EXPECT_TRUE(seen) << "typed \"" << letters << "\", the editor holds \""
                      << editorText().substr(0, 300) << "\"";
    return seen;
  }

  void press(int key, int modifiers = wxMOD_NONE) { wxUIActionSimulator().Char(key, modifiers); }
};

}  // namespace verbolt
