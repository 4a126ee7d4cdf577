// Runs the tests inside a started toolkit, as the program itself runs:
// windows can be created, shown and restyled.
#include <glib.h>
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/init.h>
#include <wx/log.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "highlight/gui_test_support.h"

namespace verbolt {

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
// scroll position at once. The folder is the tests' own settings and state.
std::filesystem::path makeGtkConfigWithoutAnimations() {
  std::string pattern = (std::filesystem::temp_directory_path() / "verbolt-gui-XXXXXX").string();
  if (mkdtemp(pattern.data()) == nullptr) return {};
  const std::filesystem::path dir = pattern;
  std::filesystem::create_directories(dir / "gtk-3.0");
  std::ofstream(dir / "gtk-3.0" / "settings.ini") << "[Settings]\ngtk-enable-animations=0\n";
  setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
  // The windows under test keep their recovery copies here, never in the
  // developer's own state folder.
  setenv("XDG_STATE_HOME", (dir / "state").c_str(), 1);
  return dir;
}

// A GTK critical or warning is a fault of ours that a writer starting the
// program from a terminal would see: the running test fails on it.
GLogWriterOutput failOnToolkitDiagnostic(GLogLevelFlags level, const GLogField* fields,
                                         gsize fieldCount, gpointer) {
  if (level & (G_LOG_LEVEL_ERROR | G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING)) {
    for (gsize i = 0; i < fieldCount; ++i) {
      if (std::string_view(fields[i].key) == "MESSAGE" && fields[i].length < 0) {
        ADD_FAILURE() << "toolkit diagnostic: " << static_cast<const char*>(fields[i].value);
      }
    }
  }
  return g_log_writer_default(level, fields, fieldCount, nullptr);
}

}  // namespace

}  // namespace verbolt

using namespace verbolt;

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  // Listing the tests, at build time, needs no display.
  if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();
  g_log_set_writer_func(failOnToolkitDiagnostic, nullptr, nullptr);
  const std::filesystem::path configDir = makeGtkConfigWithoutAnimations();

  wxApp::SetInstance(makeTestApp());
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
