// Everything that leaves the window's own event flow: modal message boxes,
// modal dialogs and the web browser. Each goes through a replaceable
// handler so that tests can answer them instead of a person.
#pragma once

#include <wx/string.h>

class wxDialog;
class wxWindow;

using MessageBoxHandler = int (*)(const wxString& message, const wxString& caption, long style,
                                  wxWindow* parent);
using ModalDialogHandler = int (*)(wxDialog& dialog);
using BrowserHandler = bool (*)(const wxString& address);

// Each setter returns the handler it replaces; nullptr restores the real one.
MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler);
ModalDialogHandler setModalDialogHandler(ModalDialogHandler handler);
BrowserHandler setBrowserHandler(BrowserHandler handler);

int showMessageBox(const wxString& message, const wxString& caption, long style, wxWindow* parent);
int showModal(wxDialog& dialog);
// Opens the address in a new window of the default browser. On a machine
// without a browser this fails quietly.
bool openInBrowser(const wxString& address);
