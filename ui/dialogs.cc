#include "ui/dialogs.h"

#include <wx/dialog.h>
#include <wx/filedlg.h>
#include <wx/log.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/utils.h>
#include <wx/window.h>

namespace verbolt {

namespace {

int realMessageBox(const wxString& message, const wxString& caption, long style, wxWindow* parent) {
  return wxMessageBox(message, caption, style, parent);
}

int realModal(wxDialog& dialog) { return dialog.ShowModal(); }

void realPopupMenu(wxWindow& window, wxMenu& menu) { window.PopupMenu(&menu); }

bool realBrowser(const wxString& address) {
  // Without a browser the toolkit would report the failure in a dialog of
  // its own; the outcome is not the writer's concern.
  wxLogNull quiet;
  return wxLaunchDefaultBrowser(address, wxBROWSER_NEW_WINDOW | wxBROWSER_NOBUSYCURSOR);
}

wxString realFileDialog(const wxString& title, const wxString& wildcard, const wxString& folder,
                        const wxString& defaultFile, long style, wxWindow* parent) {
  wxFileDialog dialog(parent, title, folder, defaultFile, wildcard,
                      style | (style & wxFD_SAVE ? wxFD_OVERWRITE_PROMPT : wxFD_FILE_MUST_EXIST));
  return dialog.ShowModal() == wxID_OK ? dialog.GetPath() : wxString();
}

MessageBoxHandler messageBoxHandler = realMessageBox;
FileDialogHandler fileDialogHandler = realFileDialog;
ModalDialogHandler modalDialogHandler = realModal;
BrowserHandler browserHandler = realBrowser;
PopupMenuHandler popupMenuHandler = realPopupMenu;

template <typename Handler>
Handler replace(Handler& current, Handler replacement, Handler real) {
  Handler previous = current;
  current = replacement ? replacement : real;
  return previous;
}

}  // namespace

int askWithVerbs(const wxString& message, const wxString& caption, const Verbs& verbs,
                 wxWindow* parent) {
  const long style = wxYES_NO | wxCANCEL | wxICON_QUESTION;
  if (messageBoxHandler != realMessageBox)
    return messageBoxHandler(message, caption, style, parent);
  wxMessageDialog dialog(parent, message, caption, style);
  dialog.SetYesNoCancelLabels(verbs.yes, verbs.no, wxID_CANCEL);
  switch (dialog.ShowModal()) {
    case wxID_YES:
      return wxYES;
    case wxID_NO:
      return wxNO;
    default:
      return wxCANCEL;
  }
}

int askWithVerb(const wxString& message, const wxString& caption, const wxString& verb,
                wxWindow* parent) {
  if (messageBoxHandler != realMessageBox) {
    return messageBoxHandler(message, caption, wxYES_NO | wxICON_QUESTION, parent);
  }
  wxMessageDialog dialog(parent, message, caption, wxOK | wxCANCEL | wxICON_QUESTION);
  dialog.SetOKCancelLabels(verb, wxID_CANCEL);
  return dialog.ShowModal() == wxID_OK ? wxYES : wxNO;
}

MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler) {
  return replace(messageBoxHandler, handler, realMessageBox);
}

ModalDialogHandler setModalDialogHandler(ModalDialogHandler handler) {
  return replace(modalDialogHandler, handler, realModal);
}

BrowserHandler setBrowserHandler(BrowserHandler handler) {
  return replace(browserHandler, handler, realBrowser);
}

PopupMenuHandler setPopupMenuHandler(PopupMenuHandler handler) {
  return replace(popupMenuHandler, handler, realPopupMenu);
}

FileDialogHandler setFileDialogHandler(FileDialogHandler handler) {
  return replace(fileDialogHandler, handler, realFileDialog);
}

int showMessageBox(const wxString& message, const wxString& caption, long style, wxWindow* parent) {
  return messageBoxHandler(message, caption, style, parent);
}

int showModal(wxDialog& dialog) { return modalDialogHandler(dialog); }

bool openInBrowser(const wxString& address) { return browserHandler(address); }

bool openWithDesktop(const wxString& path) {
  if (browserHandler != realBrowser) return browserHandler(path);
  wxLogNull quiet;
  return wxLaunchDefaultApplication(path);
}

void showPopupMenu(wxWindow& window, wxMenu& menu) { popupMenuHandler(window, menu); }

wxString askForFile(const wxString& title, const wxString& wildcard, const wxString& folder,
                    const wxString& defaultFile, long style, wxWindow* parent) {
  return fileDialogHandler(title, wildcard, folder, defaultFile, style, parent);
}

}  // namespace verbolt
