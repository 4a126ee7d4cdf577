// The toolkit's plain application object: the painting tests need no more.
#include <wx/app.h>

#include "highlight/gui_test_support.h"

namespace verbolt {

wxApp* makeTestApp() { return new wxApp; }

}  // namespace verbolt
