// The program's pictures, compiled into it so that it runs from any
// directory. They are looked up by the resource names the window code uses.
#pragma once

#include <wx/bitmap.h>
#include <wx/iconbndl.h>

#include <string>

namespace verbolt {

// The picture called `name` ("ICON_PROCESS", "ICON_HELP2", ...) at the size
// the window shows it: 16 x 16 for the toolbar pictures, 14 x 14 for the
// help buttons, 32 x 32 for the application icon. An unknown name gives a
// bitmap whose IsOk() is false.
wxBitmap iconBitmap(const std::string& name);

// The application icon in every size it is drawn at, for the window's
// SetIcons.
wxIconBundle appIcons();

}  // namespace verbolt
