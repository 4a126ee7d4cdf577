// The File menu's commands: opening, saving and exporting manuscripts,
// the recent files, and the question before unsaved changes are lost.
#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/menuitem.h>
#include <wx/msgdlg.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "export/docx_export.h"
#include "export/fodt_export.h"
#include "export/html_export.h"
#include "export/legend.h"
#include "export/spread_pictures.h"
#include "export/top100_csv.h"
#include "highlight/background_map.h"
#include "highlight/editor_history.h"
#include "highlight/editor_text.h"
#include "manuscript/atomic_write.h"
#include "manuscript/document_save.h"
#include "recovery/recovery_copy.h"
#include "settings/book_ignore.h"
#include "strings/localized_text.h"
#include "text/words.h"
#include "ui/dialogs.h"
#include "ui/frame_main.h"
#include "ui/ids.h"
#include "ui/localized.h"
#include "ui/manuscript_drop.h"
#include "ui/recent_files.h"
#include "ui/settings_pane.h"
#include "ui/text_ctrl_custom.h"
#include "ui/text_recovery.h"

namespace verbolt {

namespace {

const char kProgramTitle[] = "Verbolt 2";

wxString openWildcard() {
  return localized(kStrManuscripts) + " (*.txt;*.md;*.odt;*.docx)|*.txt;*.md;*.odt;*.docx;" +
         "*.TXT;*.MD;*.ODT;*.DOCX|" + localized(kStrAllFiles) + " (*)|*";
}

// A menu label without its keyboard marks, for a dialog's title.
wxString plainLabel(StringId stringId) { return wxStripMenuCodes(localized(stringId)); }

bool isDocument(ManuscriptKind kind) {
  return kind == ManuscriptKind::kOdt || kind == ManuscriptKind::kDocx;
}

// The bytes of a document, which a save writes the text into; none for
// other files, or when it cannot be read again.
std::shared_ptr<const std::string> packageOf(const std::string& path, ManuscriptKind kind) {
  if (!isDocument(kind)) return nullptr;
  std::ifstream in(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!in.good() && !in.eof()) return nullptr;
  return std::make_shared<const std::string>(std::move(bytes));
}

// The file types Save As offers: a document's own kind first, then text.
wxString saveWildcard(ManuscriptKind documentKind) {
  const wxString text = localized(kStrManuscripts) + " (*.txt;*.md)|*.txt;*.md";
  if (documentKind == ManuscriptKind::kDocx) {
    return localized(kStrWordDocument) + " (*.docx)|*.docx|" + text;
  }
  if (documentKind == ManuscriptKind::kOdt) {
    return localized(kStrOpenDocumentText) + " (*.odt)|*.odt|" + text;
  }
  return text;
}

struct ExportKind {
  int id;
  const char* extension;
};
constexpr ExportKind kExports[] = {{kIdExportHtml, "html"},
                                   {kIdExportOdt, "fodt"},
                                   {kIdExportDocx, "docx"},
                                   {kIdExportCsv, "csv"}};

const char* encodingName(TextEncoding encoding) {
  const bool utf16 =
      encoding == TextEncoding::kUtf16LeWithBom || encoding == TextEncoding::kUtf16BeWithBom;
  return utf16 ? "UTF-16" : "UTF-8";
}

const char* lineEndName(LineEnds ends) {
  switch (ends) {
    case LineEnds::kCrLf:
      return "CRLF";
    case LineEnds::kCr:
      return "CR";
    default:
      return "LF";
  }
}

// What a save would change of the file just opened, in the writer's words;
// empty when a save gives its bytes back.
wxString lossNotice(const RoundTripLoss& loss, TextFormat format) {
  wxString notice;
  if (loss.undecodableBytes) {
    notice = wxString::Format(localized(kStrUndecodableBytes), encodingName(format.encoding));
  }
  if (loss.mixedLineEnds) {
    if (!notice.empty()) notice += " ";
    notice += wxString::Format(localized(kStrMixedLineEnds), lineEndName(format.lineEnds));
  }
  return notice;
}

}  // namespace

bool ManuscriptDropTarget::OnDropFiles(wxCoord, wxCoord, const wxArrayString& files) {
  if (files.empty() || !m_frame.ConfirmDiscardChanges(kStrOpenWithoutSaving)) return false;
  return m_frame.OpenFile(files[0]);
}

void FrameMain::UpdateTitle() {
  if (m_document.path.empty()) {
    // The welcome text is no writer's text until it is changed.
    SetTitle(m_document.modified ? localized(kStrUntitled) + " * - " + kProgramTitle
                                 : wxString(kProgramTitle));
    return;
  }
  const wxString name = shownUtf8(std::filesystem::path(m_document.path).filename().string());
  SetTitle(name + (m_document.modified ? " * - " : " - ") + kProgramTitle);
}

void FrameMain::LoadText(const std::string& utf8) {
  // Clearing first makes an equal text load afresh, without its colours.
  m_editor->Clear();
  m_editor->ChangeValue(wxString::FromUTF8(utf8));
  m_editor->SetInsertionPoint(0);
  m_top100->Clear();
  m_markedWord.clear();
  m_markedPhrase.clear();
  m_markedPhraseRanges.clear();
  ShowTopPhrases({}, {});
  ForgetFindings();
  ShowWordCount(editorStatistics(*m_editor).words);
  m_shownReport.clear();
  ColourAfterEdit();
}

bool FrameMain::OpenFile(const wxString& path) {
  ReadOutcome outcome = readManuscript(fileNameBytes(path), kEditorLimits);
  if (!outcome.manuscript) {
    showMessageBox(shownUtf8(outcome.error), localized(kStrCannotOpen), wxOK | wxICON_ERROR, this);
    return false;
  }
  LoadText(outcome.manuscript->utf8);
  m_editor->History()->MarkClean();
  const std::string absolute = fileNameBytes(wxFileName(path).GetAbsolutePath());
  m_document = {absolute, outcome.manuscript->kind, outcome.manuscript->format,
                false,    fileStampOf(absolute),    packageOf(absolute, outcome.manuscript->kind)};
  m_showsRecovered = false;
  // Saves of this folder's files that a kill cut short leave temporaries
  // that nothing else would ever remove.
  removeAbandonedSaves(std::filesystem::path(m_document.path).parent_path().string());
  m_recentFiles->Add(fileNameOf(m_document.path));
  m_settingsPane->ShowBookList(
      readBookIgnore(std::filesystem::path(m_document.path).parent_path().string()));
  // Said now rather than found out after a save: the writer may still
  // keep a copy of the file as it is.
  ShowNotice(lossNotice(outcome.manuscript->loss, outcome.manuscript->format));
  // What the writer typed in this file and never saved, when the program
  // last ended without asking, comes back over the file's text.
  const std::optional<RecoveredText> recovered = m_recovery->Keeper().Begin(absolute, true);
  DescribeToRecovery();
  if (recovered) ShowRecovered(*recovered);
  UpdateTitle();
  return true;
}

void FrameMain::RecoverUntitledText() {
  const std::optional<RecoveredText> recovered = m_recovery->Keeper().Begin("", true);
  DescribeToRecovery();
  if (recovered) ShowRecovered(*recovered);
  UpdateTitle();
}

void FrameMain::DescribeToRecovery() {
  RecoveredText header;
  header.documentPath = m_document.path;
  header.format = m_document.format;
  header.documentStamp = m_document.stamp;
  m_recovery->Keeper().Describe(header);
}

// The text comes back as it was left, unsaved; the file on disk is not
// touched until the writer saves.
void FrameMain::ShowRecovered(const RecoveredText& recovered) {
  LoadText(recovered.utf8);
  const long caret = std::clamp<long>(recovered.caret, 0, m_editor->GetLastPosition());
  m_editor->SetInsertionPoint(caret);
  m_editor->ShowPosition(caret);
  m_document.path = recovered.documentPath;
  if (!m_document.path.empty()) m_document.kind = manuscriptKindOf(m_document.path);
  m_document.format = recovered.format;
  m_document.stamp = recovered.documentStamp;
  m_document.modified = true;
  m_showsRecovered = true;
  DescribeToRecovery();
  const bool fileChanged =
      !m_document.path.empty() && fileStampOf(m_document.path) != recovered.documentStamp;
  SetStatusText(localized(fileChanged ? kStrRecoveredFileChanged : kStrRecovered), kWhereField);
}

void FrameMain::WriteRecoveryNow() {
  if (m_document.modified) m_recovery->WriteNow();
}

void FrameMain::OnUpdateDiscardRecovered(wxUpdateUIEvent& event) { event.Enable(m_showsRecovered); }

// One click back to the file on disk. The recovery copy stays where it is
// until the text is saved or changed, so that the next start can still
// bring it back.
void FrameMain::OnDiscardRecovered(wxCommandEvent&) {
  if (!m_showsRecovered) return;
  std::string utf8;
  if (!m_document.path.empty() && wxFileName::FileExists(fileNameOf(m_document.path))) {
    ReadOutcome outcome = readManuscript(m_document.path, kEditorLimits);
    if (!outcome.manuscript) {
      showMessageBox(shownUtf8(outcome.error), localized(kStrCannotOpen), wxOK | wxICON_ERROR,
                     this);
      return;
    }
    utf8 = outcome.manuscript->utf8;
    m_document.kind = outcome.manuscript->kind;
    m_document.format = outcome.manuscript->format;
    m_document.stamp = fileStampOf(m_document.path);
  }
  LoadText(utf8);
  m_editor->History()->MarkClean();
  m_document.modified = false;
  m_showsRecovered = false;
  m_recovery->Keeper().SetAside();
  DescribeToRecovery();
  SetStatusText(localized(kStrRecoveryDiscarded), kWhereField);
  UpdateTitle();
}

bool FrameMain::ConfirmDiscardChanges(StringId discard) {
  if (!m_document.modified) return true;
  const int answer = askWithVerbs(localized(kStrSaveChanges), kProgramTitle,
                                  {localized(kStrSaveButton), localized(discard)}, this);
  if (answer == wxNO) return true;
  return answer == wxYES && Save();
}

bool FrameMain::WriteText(const std::string& path, TextFormat format) {
  const EncodeOutcome encoded = encodeText(utf8Of(m_editor->GetValue()), format);
  if (encoded.firstUnencodable) {
    if (askWithVerb(localized(kStrSaveAsUtf8), kProgramTitle, localized(kStrSaveAsUtf8Button),
                    this) != wxYES) {
      return false;
    }
    return SaveAs({TextEncoding::kUtf8, format.lineEnds});
  }
  std::string error;
  if (!writeFileAtomically(path, encoded.bytes, error)) {
    showMessageBox(shownUtf8(error), localized(kStrCannotSave), wxOK | wxICON_ERROR, this);
    return false;
  }
  m_document.package.reset();
  Saved(path, format);
  return true;
}

void FrameMain::Saved(const std::string& path, TextFormat format) {
  // Saved: the recovery copy of the text has done its work.
  if (path == m_document.path) {
    m_recovery->Keeper().Forget();
  } else {
    m_recovery->Keeper().Begin(path, false);
  }
  m_document.path = path;
  m_document.kind = manuscriptKindOf(path);
  m_document.format = format;
  m_document.modified = false;
  m_document.stamp = fileStampOf(path);
  m_showsRecovered = false;
  DescribeToRecovery();
  m_editor->History()->MarkClean();
  m_recentFiles->Add(fileNameOf(path));
  UpdateTitle();
}

// Only the paragraphs the writer changed change; the rest of the document
// is copied as it was. An edit that cannot be placed safely leaves the
// document untouched and offers the text as .txt beside it.
// Save As into a new document of the same kind writes the same bytes to
// the new name.
bool FrameMain::SaveIntoDocument(const std::string& path) {
  if (path == m_document.path && !MayOverwrite()) return !m_document.modified;
  const DocumentSave saved =
      saveIntoDocument(m_document.kind, *m_document.package, utf8Of(m_editor->GetValue()));
  if (!saved.bytes) {
    if (askWithVerb(wxString::Format(localized(kStrCannotSaveIntoDocument), shownUtf8(saved.error)),
                    kProgramTitle, localized(kStrSaveAsTextButton), this) != wxYES) {
      return false;
    }
    return SaveAs({TextEncoding::kUtf8, LineEnds::kLf}, true);
  }
  std::string error;
  if (!writeFileAtomically(path, *saved.bytes, error)) {
    showMessageBox(shownUtf8(error), localized(kStrCannotSave), wxOK | wxICON_ERROR, this);
    return false;
  }
  auto package = std::make_shared<const std::string>(*saved.bytes);
  Saved(path, m_document.format);
  m_document.package = std::move(package);
  return true;
}

bool FrameMain::MayOverwrite() {
  const std::optional<FileStamp> now = fileStampOf(m_document.path);
  // A file gone since is simply written again.
  if (!now || !m_document.stamp || *now == *m_document.stamp) return true;
  const wxString name = wxFileName(shownUtf8(m_document.path)).GetFullName();
  const int answer =
      askWithVerbs(wxString::Format(localized(kStrFileChangedOnDisk), name), kProgramTitle,
                   {localized(kStrOverwrite), localized(kStrSaveAsButton)}, this);
  if (answer == wxNO) SaveAs(m_document.format);
  return answer == wxYES;
}

bool FrameMain::Save() {
  if (m_document.path.empty()) return SaveAs(m_document.format);
  if (isDocument(m_document.kind) && m_document.package) return SaveIntoDocument(m_document.path);
  // A document's layout would be lost in plain text: it is never written over.
  if (isDocument(m_document.kind)) {
    if (askWithVerb(localized(kStrSaveDocumentAsText), kProgramTitle,
                    localized(kStrSaveAsTextButton), this) != wxYES) {
      return false;
    }
    return SaveAs({TextEncoding::kUtf8, LineEnds::kLf});
  }
  if (!MayOverwrite()) return !m_document.modified;
  return WriteText(m_document.path, m_document.format);
}

bool FrameMain::SaveAs(TextFormat format, bool asText) {
  // A document opened with its package may be saved as another of its
  // kind; anything else is saved as text.
  const ManuscriptKind documentKind = !asText && isDocument(m_document.kind) && m_document.package
                                          ? m_document.kind
                                          : ManuscriptKind::kPlainText;
  wxFileName proposed(fileNameOf(m_document.path));
  if (isDocument(m_document.kind) && documentKind == ManuscriptKind::kPlainText) {
    proposed.SetExt("txt");
  }
  wxString path =
      AskForFile(kStrSaveAs, saveWildcard(documentKind), proposed.GetFullName(), wxFD_SAVE);
  if (path.empty()) return false;
  const ManuscriptKind chosen = manuscriptKindOf(fileNameBytes(path));
  if (isDocument(chosen) && chosen == documentKind) return SaveIntoDocument(fileNameBytes(path));
  // The text is plain: a document's name would promise what it is not.
  if (isDocument(chosen)) path += ".txt";
  return WriteText(fileNameBytes(path), format);
}

// The manuscript's own folder; with none open, the folder of the last file
// chosen, or of the newest recent file.
wxString FrameMain::DialogFolder() const {
  if (!m_document.path.empty()) return wxFileName(fileNameOf(m_document.path)).GetPath();
  if (!m_lastFolder.empty()) return m_lastFolder;
  if (m_recentFiles->Count() > 0) return wxFileName(m_recentFiles->Path(0)).GetPath();
  return wxEmptyString;
}

wxString FrameMain::AskForFile(StringId title, const wxString& wildcard,
                               const wxString& defaultFile, long style) {
  const wxString path =
      askForFile(plainLabel(title), wildcard, DialogFolder(), defaultFile, style, this);
  if (!path.empty()) m_lastFolder = wxFileName(path).GetPath();
  return path;
}

void FrameMain::OnOpen(wxCommandEvent&) {
  if (!ConfirmDiscardChanges(kStrOpenWithoutSaving)) return;
  const wxString path = AskForFile(kStrOpen, openWildcard(), wxEmptyString, wxFD_OPEN);
  if (!path.empty()) OpenFile(path);
}

void FrameMain::OnSave(wxCommandEvent&) { Save(); }

void FrameMain::OnSaveAs(wxCommandEvent&) { SaveAs(m_document.format); }

void FrameMain::OnRecentFile(wxCommandEvent& event) {
  const size_t index = RecentFiles::IndexOf(event.GetId());
  if (index >= m_recentFiles->Count()) return;
  const wxString path = m_recentFiles->Path(index);
  std::error_code error;
  const std::filesystem::path file(fileNameBytes(path));
  if (!std::filesystem::exists(file, error) || std::filesystem::is_directory(file, error)) {
    showMessageBox(wxString::Format(localized(kStrRecentFileGone), path), localized(kStrCannotOpen),
                   wxOK | wxICON_WARNING, this);
    m_recentFiles->Remove(index);
    return;
  }
  if (ConfirmDiscardChanges(kStrOpenWithoutSaving)) OpenFile(path);
}

void FrameMain::OnEditorChanged(wxCommandEvent& event) {
  event.Skip();
  ForgetFindings();
  ColourAfterEdit();
  if (m_document.modified) return;
  m_document.modified = true;
  UpdateTitle();
}

void FrameMain::OnCloseWindow(wxCloseEvent& event) {
  if (event.CanVeto() && !ConfirmDiscardChanges()) {
    event.Veto();
    return;
  }
  // A close that cannot ask (a signal, the session's end) keeps the
  // unsaved text in its recovery copy for the next start.
  const bool unsaved = !event.CanVeto() && m_document.modified;
  if (unsaved) m_recovery->WriteNow();
  m_recovery->Keeper().Close(unsaved);
  Destroy();
}

// The export takes the colours the editor shows now, marks and greys
// included.
void FrameMain::OnExport(wxCommandEvent& event) {
  const char* extension = "html";
  for (const ExportKind& kind : kExports) {
    if (kind.id == event.GetId()) extension = kind.extension;
  }
  wxFileName proposed(m_document.path.empty() ? wxString("manuscript")
                                              : fileNameOf(m_document.path));
  proposed.SetExt(extension);
  const wxString path = AskForFile(kStrExport, wxString("*.") + extension + "|*." + extension,
                                   proposed.GetFullName(), wxFD_SAVE);
  if (path.empty()) return;

  const std::string text = utf8Of(m_editor->GetValue());
  const std::string report = utf8Of(m_top100->GetValue());
  const BackgroundMap backgrounds(*m_editor);
  const std::vector<LegendEntry> legend =
      exportLegend(LegendExtent::kWithMarks, m_settingsPane->Echoes());
  const std::string title = utf8Of(proposed.GetName());
  ExportDocument document{text, backgrounds.runs(), report, title, legend};
  // Where the marked word and the most used words fall through the text.
  const std::vector<SpreadPicture> spreads = spreadPictures(
      loweredEditorBytes(*m_editor), backgrounds.runs(), toCp1252(m_top100->GetValue()),
      m_markedWord.empty() ? m_markedPhrase : m_markedWord);
  document.spreads = spreads;
  std::optional<std::string> bytes;
  if (event.GetId() == kIdExportCsv) {
    bytes = exportTop100Csv(report);
  } else if (event.GetId() == kIdExportOdt) {
    bytes = exportFlatOdt(document);
  } else if (event.GetId() == kIdExportDocx) {
    bytes = exportDocx(document);
  } else {
    bytes = exportHtml(document);
  }
  std::string error(kDocxTooLarge);
  if (!bytes || !writeFileAtomically(fileNameBytes(path), *bytes, error)) {
    showMessageBox(shownUtf8(error), localized(kStrCannotSave), wxOK | wxICON_ERROR, this);
  }
}

}  // namespace verbolt
