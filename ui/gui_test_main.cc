// Runs the tests inside a started toolkit, as the program itself runs:
// windows can be created, shown and restyled.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/init.h>
#include <wx/log.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "ui/guarded_app.h"

namespace {

// A toolkit assert would otherwise open a dialog and wait for a click that
// never comes; here it fails the running test.
void failOnAssert(const wxString& file, int line, const wxString& function,
                  const wxString& condition, const wxString& message) {
  ADD_FAILURE_AT(file.utf8_str().data(), line)
      << "wx assert in " << function.utf8_str().data() << ": " << condition.utf8_str().data() << " "
      << message.utf8_str().data();
}

// GTK animates scrolling for a quarter of a second; the tests want the
// scroll position at once.
std::filesystem::path makeGtkConfigWithoutAnimations() {
  std::string pattern = (std::filesystem::temp_directory_path() / "verbolt-gui-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) return {};
  const std::filesystem::path dir = pattern;
  std::filesystem::create_directories(dir / "gtk-3.0");
  std::ofstream(dir / "gtk-3.0" / "settings.ini") << "[Settings]\ngtk-enable-animations=0\n";
  setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
  return dir;
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  const std::filesystem::path configDir = makeGtkConfigWithoutAnimations();

  // The program's own application object, without its window: a failing
  // command is reported as in the program.
  wxApp::SetInstance(new GuardedApp);
  if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
    if (!configDir.empty()) std::filesystem::remove_all(configDir);
    return EXIT_FAILURE;
  }
  wxSetAssertHandler(failOnAssert);
  // Log messages go to the terminal, never to a dialog; the developer
  // trace lines stay out of the test output.
  delete wxLog::SetActiveTarget(new wxLogStderr);
  wxLog::SetLogLevel(wxLOG_Info);

  const int status = RUN_ALL_TESTS();

  wxTheApp->OnExit();
  wxEntryCleanup();
  if (!configDir.empty()) std::filesystem::remove_all(configDir);
  return status;
}
