// Everything that leaves the window's own event flow: modal message boxes,
// modal dialogs and the web browser. Each goes through a replaceable
// handler so that tests can answer them instead of a person.
#pragma once

#include <wx/string.h>

class wxDialog;
class wxMenu;
class wxWindow;

namespace verbolt {

using MessageBoxHandler = int (*)(const wxString& message, const wxString& caption, long style,
                                  wxWindow* parent);
using ModalDialogHandler = int (*)(wxDialog& dialog);
using BrowserHandler = bool (*)(const wxString& address);
using PopupMenuHandler = void (*)(wxWindow& window, wxMenu& menu);
// Returns the path chosen, or an empty string when the writer cancels.
using FileDialogHandler = wxString (*)(const wxString& title, const wxString& wildcard,
                                       const wxString& folder, const wxString& defaultFile,
                                       long style, wxWindow* parent);

// Each setter returns the handler it replaces; nullptr restores the real one.
MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler);
ModalDialogHandler setModalDialogHandler(ModalDialogHandler handler);
BrowserHandler setBrowserHandler(BrowserHandler handler);
PopupMenuHandler setPopupMenuHandler(PopupMenuHandler handler);
FileDialogHandler setFileDialogHandler(FileDialogHandler handler);

int showMessageBox(const wxString& message, const wxString& caption, long style, wxWindow* parent);
// The buttons of a question, named by what they do rather than Yes and No.
struct Verbs {
  wxString yes;
  wxString no;
};
// A question with the verbs on its Yes and No buttons and a Cancel
// button; wxYES, wxNO or wxCANCEL, as showMessageBox answers (and tests
// answer it the same way).
int askWithVerbs(const wxString& message, const wxString& caption, const Verbs& verbs,
                 wxWindow* parent);
// A question with one verb and Cancel: wxYES for the verb, wxNO otherwise
// (tests answer it as a Yes / No question).
int askWithVerb(const wxString& message, const wxString& caption, const wxString& verb,
                wxWindow* parent);
int showModal(wxDialog& dialog);
// Pops the menu up under the pointer; returns when it is closed.
void showPopupMenu(wxWindow& window, wxMenu& menu);
// Opens the address in a new window of the default browser. On a machine
// without a browser this fails quietly.
bool openInBrowser(const wxString& address);
// Opens a file in the desktop's application for it (a text editor for a
// list); fails quietly too. Through the browser handler's seam, given the
// file's path.
bool openWithDesktop(const wxString& path);
// Asks for a file to open (style wxFD_OPEN) or to save to (wxFD_SAVE),
// starting in `folder` (the toolkit's choice when empty); an empty string
// when the writer cancels.
wxString askForFile(const wxString& title, const wxString& wildcard, const wxString& folder,
                    const wxString& defaultFile, long style, wxWindow* parent);

}  // namespace verbolt
