// The one main window: toolbars and legend on top, the settings pane, the
// editor and the Top-100 pane in the middle, the progress gauge below.
#pragma once

#include <wx/frame.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "highlight/plan/findings.h"
#include "manuscript/manuscript.h"
#include "settings/analysis_settings.h"

class wxCloseEvent;
class wxGauge;
class Legend;
class RecentFiles;
class SettingsPane;
class TextCtrlCustom;
class WordClickEvent;
class wxTextCtrl;
class wxToolBar;

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

  SettingsPane* m_settingsPane = nullptr;
  TextCtrlCustom* m_editor = nullptr;
  TextCtrlCustom* m_top100 = nullptr;
  wxGauge* m_gauge = nullptr;
  wxToolBar* m_settingsBar = nullptr;
  wxToolBar* m_top100Bar = nullptr;
  std::string m_markedWord;

  // The manuscript the editor holds: where it came from, how it was
  // stored, and whether the writer has changed it since.
  struct Document {
    std::string path;  // empty while no file is open
    ManuscriptKind kind = ManuscriptKind::kPlainText;
    TextFormat format;
    bool modified = false;
  };
  Document m_document;
  std::unique_ptr<RecentFiles> m_recentFiles;

  // Opens a manuscript into the editor; a message box says why it could
  // not, and the editor keeps its text.
  bool OpenFile(const wxString& path);
  // Asks Save / Discard / Cancel when the text has changed; true when the
  // writer may go on.
  bool ConfirmDiscardChanges();

  // The editor's undo or redo has moved: the text may be the saved one
  // again.
  void OnEditorHistoryMoved(wxCommandEvent& event);

  // Clicks raised by the editor and the Top-100 pane.
  void OnEditorClick(WordClickEvent& event);
  void OnTop100Click(WordClickEvent& event);

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
  void OnEditorChanged(wxCommandEvent& event);
  void OnCloseWindow(wxCloseEvent& event);
  void OnUndo(wxCommandEvent& event);
  void OnRedo(wxCommandEvent& event);
  void OnClipboardCommand(wxCommandEvent& event);
  void OnUpdateUndo(wxUpdateUIEvent& event);
  void OnUpdateRedo(wxUpdateUIEvent& event);
  void OnWalkFindings(wxCommandEvent& event);

 private:
  // The toolbars and the legend between them.
  wxSizer* BuildTopRow(Legend*& legend);
  bool Save();
  bool SaveAs(TextFormat format);
  bool WriteText(const std::string& path, TextFormat format);
  void UpdateTitle();
  // The text control the Edit menu acts on: the one with the keyboard, or
  // else the editor.
  wxTextCtrl& EditTarget() const;
  // The findings change with every edit and every recolouring; they are
  // read again from the editor at the next walk.
  void ForgetFindings();
  void ShowWordCount(int words);

  std::optional<std::vector<Finding>> m_findings;

  wxDECLARE_EVENT_TABLE();
};
