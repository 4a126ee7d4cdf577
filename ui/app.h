// The application object: creates the main window at start-up.
#pragma once

#include <string>

#include "ui/guarded_app.h"

namespace verbolt {

class MyApp : public GuardedApp {
 public:
  // The manuscript named on the command line, by the bytes of its name,
  // which need not be UTF-8; the window opens it once it is up.
  static void OpenAtStart(std::string path);

  bool OnInit() override;
};

}  // namespace verbolt
