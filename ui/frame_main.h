// The one main window: toolbars and legend on top, the settings pane, the
// editor and the Top-100 pane in the middle, the progress gauge below.
#pragma once

#include <wx/frame.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "files/file_stamp.h"
#include "highlight/plan/findings.h"
#include "highlight/plan/live_plan.h"
#include "highlight/plan/palette.h"
#include "manuscript/manuscript.h"
#include "settings/analysis_settings.h"
#include "strings/string_id.h"

class wxCloseEvent;
class wxGauge;
class wxStaticText;
class wxTextCtrl;
class wxToolBar;

namespace verbolt {

class Legend;
class OverviewStrip;
class RecentFiles;
class SettingsPane;
class SpreadChart;
class TextCtrlCustom;
class TextRecovery;
struct RecoveredText;
class WordClickEvent;

class FrameMain : public wxFrame {
 public:
  FrameMain(const wxString& title, const wxPoint& position, const wxSize& size);
  ~FrameMain() override;

  // The settings pane's controls are the current settings.
  AnalysisSettings ReadSettingsFromPane() const;
  void WriteSettingsToPane(const AnalysisSettings& settings);
  // Writes the pane's settings to config.txt, unclamped, as at exit; never
  // over a file that is not Verbolt's own.
  void SaveSettings() const;

  // Opens a manuscript into the editor; a message box says why it could
  // not, and the editor keeps its text.
  bool OpenFile(const wxString& path);
  // Asks Save / `discard` / Cancel when the text has changed; true when
  // the writer may go on. `discard` names what going on without saving
  // does.
  bool ConfirmDiscardChanges(StringId discard = kStrCloseWithoutSaving);
  // At a start without a file: brings back a text with no file that the
  // last run left unsaved.
  void RecoverUntitledText();
  // The program is about to end without asking: the unsaved text's
  // recovery copy is brought up to date on the disk.
  void WriteRecoveryNow();

  // The manuscript the editor holds: where it came from, how it was
  // stored, and whether the writer has changed it since.
  struct Document {
    std::string path;  // empty while no file is open
    ManuscriptKind kind = ManuscriptKind::kPlainText;
    TextFormat format;
    bool modified = false;
    // The file as it was last read or written, to notice another
    // program's change before it is written over.
    std::optional<FileStamp> stamp;
    // A Word document's bytes as last read or written: the writer's text
    // is saved into them, its formatting kept.
    std::shared_ptr<const std::string> package;
  };

  // The parts of the window, as the screenshots, the benchmarks and the
  // tests look at them.
  TextCtrlCustom& Editor() const { return *m_editor; }
  TextCtrlCustom& Top100() const { return *m_top100; }
  TextCtrlCustom& TopPhrases() const { return *m_topPhrases; }
  OverviewStrip& Overview() const { return *m_overview; }
  SpreadChart& Spread() const { return *m_spread; }
  SettingsPane& Settings() const { return *m_settingsPane; }
  wxGauge& Gauge() const { return *m_gauge; }
  const std::string& MarkedWord() const { return m_markedWord; }
  const Document& CurrentDocument() const { return m_document; }
  const RecentFiles& Recent() const { return *m_recentFiles; }
  // Whether the editor shows a text brought back from a recovery copy,
  // not saved nor discarded since.
  bool ShowsRecoveredText() const { return m_showsRecovered; }
  bool ColoursAsYouType() const { return m_colourAsYouType; }
  // An edit's colours are still to come.
  bool ColoursDue() const { return m_colourDue; }

 private:
  // The toolbars and the legend between them.
  wxSizer* BuildTopRow(Legend*& legend);
  bool Save();
  bool SaveAs(TextFormat format, bool asText = false);
  bool WriteText(const std::string& path, TextFormat format);
  // Writes the editor's text into the opened Word document.
  bool SaveIntoDocument(const std::string& path);
  // The text is on disk as `path`, stored as `format`.
  void Saved(const std::string& path, TextFormat format);
  // Whether the file on disk may be written over: when another program
  // changed it since it was read or written, the writer is asked.
  bool MayOverwrite();
  // Where the file dialogs start.
  wxString DialogFolder() const;
  // The file dialog, started there; remembers the folder of the file chosen.
  wxString AskForFile(StringId title, const wxString& wildcard, const wxString& defaultFile,
                      long style);
  // Puts `utf8` in the editor as a new text: no colours, no marked word.
  void LoadText(const std::string& utf8);
  void ShowRecovered(const RecoveredText& recovered);
  // Tells the recovery copy which file the text belongs to, and how.
  void DescribeToRecovery();
  // The settings the engine takes for the text: the pane's, with the words
  // of the book's .verbolt-ignore files, and the characters' names when
  // the pane says so, skipped too. A problem with one of
  // those files goes to the status line when `tell`.
  AnalysisSettings ForTheText(const AnalysisSettings& pane, bool tell = false);
  void UpdateTitle();
  // The text control the Edit menu acts on: the one with the keyboard, or
  // else the editor.
  wxTextCtrl& EditTarget() const;
  // The findings change with every edit and every recolouring; they are
  // read again from the editor at the next walk.
  void ForgetFindings();
  void ShowWordCount(int words);
  // A line in the status bar for the writer to read without stopping; the
  // next edit clears it.
  void ShowNotice(const wxString& text);

  // The View menu (view_commands.cc): the overview strip and the palettes,
  // as the preferences keep them.
  void AddViewMenu();
  void OnToggleOverview(wxCommandEvent& event);
  void OnChoosePalette(wxCommandEvent& event);
  void ShowPalette(PaletteName name);
  void StoreViewChoices() const;

  // Commands.
  void OnQuit(wxCommandEvent& event);
  void OnAbout(wxCommandEvent& event);
  void OnHelp(wxCommandEvent& event);
  void OnToggleSettings(wxCommandEvent& event);
  void OnProcess(wxCommandEvent& event);
  void OnClear(wxCommandEvent& event);
  void OnStats(wxCommandEvent& event);
  void OnToggleTop100(wxCommandEvent& event);
  void OnOpen(wxCommandEvent& event);
  void OnSave(wxCommandEvent& event);
  void OnSaveAs(wxCommandEvent& event);
  void OnExport(wxCommandEvent& event);
  void OnRecentFile(wxCommandEvent& event);
  void OnDiscardRecovered(wxCommandEvent& event);
  void OnUpdateDiscardRecovered(wxUpdateUIEvent& event);
  void OnUndo(wxCommandEvent& event);
  void OnRedo(wxCommandEvent& event);
  void OnClipboardCommand(wxCommandEvent& event);
  void OnUpdateUndo(wxUpdateUIEvent& event);
  void OnUpdateRedo(wxUpdateUIEvent& event);
  void OnWalkFindings(wxCommandEvent& event);
  void OnColourAsYouType(wxCommandEvent& event);
  void OnColoursDue(wxCommandEvent& event);

  // Colour as you type: after an edit, once the keys waiting have gone
  // in, the colours, the Top-100 and the counts become a run's on the new
  // text. Edits made meanwhile wait for the same update.
  void ColourAfterEdit();
  void ColourAsTyped();
  void SetColourAsYouType(bool on);
  static bool StoredColourAsYouType();
  // Shows a run's Top-100 and Top phrases, the marks of the lists kept.
  void ShowReports(const std::string& report, const std::vector<std::string>& phrases,
                   const std::vector<int>& counts, const AnalysisSettings& settings);
  // Gives line `line` of the Top phrases the mark's background.
  void MarkPhraseLine(long line);

  // What the editor and the Top-100 pane tell.
  void OnEditorChanged(wxCommandEvent& event);
  void OnEditorHistoryMoved(wxCommandEvent& event);
  void OnEditorClick(WordClickEvent& event);
  void OnTop100Click(WordClickEvent& event);
  void OnTopPhraseClick(WordClickEvent& event);
  // The list under the Top-100, shown only when it has phrases.
  void ShowTopPhrases(const std::vector<std::string>& phrases, const std::vector<int>& counts);
  // Gives a marked phrase's words their colours back; one mark at a time.
  void UnmarkPhrase();
  void OnIgnoreInBook(WordClickEvent& event);
  void OnUpdateIgnoreInBook(wxUpdateUIEvent& event);
  void OnCloseWindow(wxCloseEvent& event);

  SettingsPane* m_settingsPane = nullptr;
  TextCtrlCustom* m_editor = nullptr;
  OverviewStrip* m_overview = nullptr;
  SpreadChart* m_spread = nullptr;
  Legend* m_legend = nullptr;
  TextCtrlCustom* m_top100 = nullptr;
  wxStaticText* m_topPhrasesTitle = nullptr;
  TextCtrlCustom* m_topPhrases = nullptr;
  std::vector<std::string> m_phrases;  // the lines of m_topPhrases
  std::vector<int> m_phraseCounts;
  std::string m_markedPhrase;
  std::vector<std::pair<size_t, size_t>> m_markedPhraseRanges;
  wxGauge* m_gauge = nullptr;
  wxToolBar* m_settingsBar = nullptr;
  wxToolBar* m_top100Bar = nullptr;
  std::unique_ptr<RecentFiles> m_recentFiles;
  std::unique_ptr<TextRecovery> m_recovery;
  bool m_showsRecovered = false;
  wxString m_lastFolder;
  std::string m_markedWord;
  Document m_document;
  std::optional<std::vector<Finding>> m_findings;
  wxToolBar* m_commandBar = nullptr;
  bool m_colourAsYouType = false;
  bool m_colourDue = false;
  unsigned m_colourSource = 0;  // the main loop's source that will colour, while due
  // What the colours that follow the typing last found, and on which text.
  std::unique_ptr<LivePlan> m_livePlan;
  std::string m_shownReport;  // the Top-100 pane's text, as the engine gave it

  wxDECLARE_EVENT_TABLE();
};

// Sent by the main loop when the colours that follow the typing are due.
wxDECLARE_EVENT(kEvtColoursDue, wxCommandEvent);

}  // namespace verbolt
