#include "resources/icons.h"

#include <wx/icon.h>
#include <wx/image.h>
#include <wx/imagpng.h>
#include <wx/mstream.h>

#include <cstddef>
#include <string_view>

namespace verbolt {

namespace {

struct EmbeddedPicture {
  const char* name;
  int size;
  const unsigned char* png;
  std::size_t length;
};

#include "resources/icon_data.inc"

constexpr std::string_view kAppIconName = "ICON_A_APP";
constexpr int kAppIconBitmapSize = 32;

wxImage decode(const EmbeddedPicture& picture) {
  if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr) {
    wxImage::AddHandler(new wxPNGHandler);
  }
  wxMemoryInputStream stream(picture.png, picture.length);
  return wxImage(stream, wxBITMAP_TYPE_PNG);
}

// Every picture but the application icon comes in one size; asked for by
// name alone, the application icon answers with its 32-pixel drawing.
const EmbeddedPicture* findPicture(std::string_view name) {
  const EmbeddedPicture* found = nullptr;
  for (const EmbeddedPicture& picture : kEmbeddedPictures) {
    if (name != picture.name) continue;
    if (found == nullptr || picture.size == kAppIconBitmapSize) found = &picture;
  }
  return found;
}

}  // namespace

wxBitmap iconBitmap(const std::string& name) {
  const EmbeddedPicture* picture = findPicture(name);
  if (picture == nullptr) return wxBitmap();
  return wxBitmap(decode(*picture));
}

wxIconBundle appIcons() {
  wxIconBundle bundle;
  for (const EmbeddedPicture& picture : kEmbeddedPictures) {
    if (picture.name != kAppIconName) continue;
    wxIcon icon;
    icon.CopyFromBitmap(wxBitmap(decode(picture)));
    bundle.AddIcon(icon);
  }
  return bundle;
}

}  // namespace verbolt
