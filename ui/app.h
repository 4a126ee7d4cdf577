// The application object: creates the main window at start-up.
#pragma once

#include <wx/app.h>

class MyApp : public wxApp {
 public:
  bool OnInit() override;
};
