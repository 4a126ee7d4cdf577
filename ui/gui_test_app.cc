// The program's own application object, without its window: a command
// that fails is reported as in the program.
#include "highlight/gui_test_support.h"
#include "ui/guarded_app.h"

namespace verbolt {

wxApp* makeTestApp() { return new GuardedApp; }

}  // namespace verbolt
