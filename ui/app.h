// The application object: creates the main window at start-up.
#pragma once

#include "ui/guarded_app.h"

namespace verbolt {

class MyApp : public GuardedApp {
 public:
  bool OnInit() override;
};

}  // namespace verbolt
