// The editor's text as the engine sees it: one Windows-1252 byte per
// character of the control, so every position the engine returns is the
// same position in the control.
#pragma once

#include <wx/string.h>

#include <string>
#include <string_view>

#include "text/words.h"

class wxTextCtrl;

namespace verbolt {

// The control drops its whole text when it meets U+0000, so a NUL byte is
// shown as the symbol for null; being outside the code page, that symbol
// reads back as the unmappable byte, a separator as NUL was.
constexpr wchar_t kNulPlaceholder = 0x2400;

// Characters outside Windows-1252 become one separator byte each.
std::string toCp1252(const wxString& text);
wxString fromCp1252(std::string_view bytes);
// File names and exported text are UTF-8, whatever the editor holds.
std::string utf8Of(const wxString& text);

// A file name is bytes, which need not be UTF-8 (a Latin-1 name from an old
// archive): a byte that is not UTF-8 travels through a wxString as a
// character of its own and comes back as it was.
wxString fileNameOf(std::string_view bytes);
std::string fileNameBytes(const wxString& name);
// UTF-8 for the writer to read (a title, a message naming a file), a byte
// that is not UTF-8 shown as U+FFFD.
wxString shownUtf8(std::string_view bytes);

std::string editorBytes(const wxTextCtrl& control);

// The same, lowered as the analysis wants it, and the text's figures. A
// multi-line control's text is read once and kept, following its edits:
// on a novel, reading it costs a click as much as the marking.
std::string loweredEditorBytes(const wxTextCtrl& control);
TextStatistics editorStatistics(const wxTextCtrl& control);

}  // namespace verbolt
