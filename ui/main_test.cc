// The real program, started as a writer's desktop starts it, on the
// display the tests run on: signals close its window the normal way, the
// loss of the display still saves the settings, and the desktop entry's
// option keeps the settings in a folder of their own.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "recovery/recovery_copy.h"
#include "settings/analysis_settings.h"
#include "settings/configuration.h"
#include "strings/localized_text.h"
#include "test_support/test_support.h"

// Last: Xlib's macros (None, Status...) would clash with the names above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

extern char** environ;

namespace verbolt {

namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

using test_support::readFile;

// The program gets half a minute for whatever it is waited for.
bool waitFor(const std::function<bool()>& condition) {
  return test_support::waitFor(condition, 30s);
}

std::string defaultsText(Language language = Language::kEnglish) {
  setLanguage(language);
  const AnalysisSettings s = AnalysisSettings::Defaults();
  setLanguage(Language::kEnglish);
  return configurationText(s);
}

// `verbolt` running in `dir` with `arguments`, its output in verbolt.log;
// killed if a test leaves it running.
class Program {
 public:
  // `settings` replace variables of the test's environment: "NAME=value".
  Program(const fs::path& dir, const std::vector<std::string>& arguments,
          const std::vector<std::string>& settings)
      : m_log(dir / "verbolt.log") {
    // Everything the child needs is made before the fork.
    std::vector<std::string> environment = settings;
    for (char** entry = environ; *entry; ++entry) {
      std::string_view variable(*entry);
      bool replaced = false;
      for (const std::string& setting : settings) {
        replaced |= variable.starts_with(setting.substr(0, setting.find('=') + 1));
      }
      if (!replaced) environment.push_back(*entry);
    }
    std::vector<char*> env;
    for (std::string& entry : environment) env.push_back(entry.data());
    env.push_back(nullptr);
    std::vector<std::string> args = {VERBOLT_PATH};
    args.insert(args.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    int out = open(m_log.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    m_pid = fork();
    if (m_pid == 0) {
      if (chdir(dir.c_str()) != 0 || dup2(out, 1) < 0 || dup2(out, 2) < 0) _exit(126);
      execve(argv[0], argv.data(), env.data());
      _exit(127);
    }
    close(out);
  }
  ~Program() {
    if (!m_status) {
      kill(m_pid, SIGKILL);
      waitpid(m_pid, nullptr, 0);
    }
  }

  void signal(int number) { kill(m_pid, number); }
  pid_t pid() const { return m_pid; }

  // True once the program waits in its event loop with nothing to do: a
  // signal then has to wake the loop by itself.
  bool waitUntilIdle() {
    const std::string proc = "/proc/" + std::to_string(m_pid);
    int quietChecks = 0;
    return waitFor([&] {
      // Asleep ("S" after the name in stat), and where the kernel says,
      // asleep in poll: the loop's wait for events.
      std::string stat = readFile(proc + "/stat");
      std::string wchan = readFile(proc + "/wchan");
      bool asleep = stat.find(") S ") != std::string::npos;
      bool inPoll = wchan.empty() || wchan == "0" || wchan.find("poll") != std::string::npos;
      quietChecks = asleep && inPoll ? quietChecks + 1 : 0;
      return quietChecks >= 10;
    });
  }

  // The wait status once the program has ended, within the limit.
  std::optional<int> waitForExit() {
    waitFor([this] {
      int status = 0;
      if (waitpid(m_pid, &status, WNOHANG) == m_pid) m_status = status;
      return m_status.has_value();
    });
    return m_status;
  }

  std::string log() const { return readFile(m_log); }

  // True while the program has not ended.
  bool running() {
    int status = 0;
    if (!m_status && waitpid(m_pid, &status, WNOHANG) == m_pid) m_status = status;
    return !m_status;
  }

 private:
  fs::path m_log;
  pid_t m_pid = -1;
  std::optional<int> m_status;
};

class RealProgram : public test_support::FolderTest {
 protected:
  void SetUp() override {
    FolderTest::SetUp();
    fs::create_directories(m_dir / "work");
  }
};

// The window is up once its start-up file is written; removing it means a
// config.txt found later was saved on the way out.
void expectSignalSavesTheSettings(const fs::path& work, const fs::path& xdg, int number) {
  SCOPED_TRACE(strsignal(number));
  fs::remove(work / "config.txt");
  Program program(work, {}, {"XDG_CONFIG_HOME=" + xdg.string()});
  ASSERT_TRUE(waitFor([&] { return fs::exists(work / "config.txt"); })) << program.log();
  ASSERT_TRUE(program.waitUntilIdle()) << program.log();
  fs::remove(work / "config.txt");
  program.signal(number);
  std::optional<int> status = program.waitForExit();
  ASSERT_TRUE(status.has_value()) << "still running after the signal";
  EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << *status << program.log();
  EXPECT_EQ(readFile(work / "config.txt"), defaultsText()) << program.log();
}

TEST_F(RealProgram, TerminationSignalsCloseTheWindowAndSaveTheSettings) {
  for (int number : {SIGTERM, SIGHUP, SIGINT}) {
    expectSignalSavesTheSettings(m_dir / "work", m_dir / "xdg", number);
  }
}

// The windows of the display the tests run on, seen as a writer sees them:
// by their titles.
class ScreenWindows {
 public:
  ScreenWindows() : m_display(XOpenDisplay(nullptr)) {
    // A window that went away meanwhile is no reason to end the test.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
  }
  ~ScreenWindows() {
    if (m_display) XCloseDisplay(m_display);
  }
  ScreenWindows(const ScreenWindows&) = delete;
  ScreenWindows& operator=(const ScreenWindows&) = delete;

  // The top-level window on screen titled `title`, or 0.
  Window titled(const std::string& title) {
    if (!m_display) return 0;
    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(m_display, DefaultRootWindow(m_display), &root, &parent, &children, &count)) {
      return 0;
    }
    Window found = 0;
    for (unsigned i = 0; i < count && !found; ++i) {
      if (isShown(children[i]) && titleOf(children[i]) == title) found = children[i];
    }
    if (children) XFree(children);
    return found;
  }

  // Asks `window` to close, as its title bar's close box does.
  void close(Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(m_display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(m_display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(m_display, window, False, NoEventMask, &event);
    XSync(m_display, False);
  }

 private:
  bool isShown(Window window) {
    XWindowAttributes attributes;
    return XGetWindowAttributes(m_display, window, &attributes) &&
           attributes.map_state == IsViewable;
  }

  std::string titleOf(Window window) {
    Atom type = 0;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    const Atom name = XInternAtom(m_display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(m_display, "UTF8_STRING", False);
    if (XGetWindowProperty(m_display, window, name, 0, 1024, False, utf8, &type, &format, &items,
                           &after, &data) != Success ||
        !data) {
      return {};
    }
    std::string title(reinterpret_cast<char*>(data), items);
    XFree(data);
    return title;
  }

  Display* m_display;
};

// At start the window opens the file named on the command line; a signal
// while the box saying it cannot be opened is up saves the settings at
// once and closes the window when the box is dismissed.
TEST_F(RealProgram, ASignalUnderTheStartsMessageBoxClosesOnceItIsDismissed) {
  const fs::path work = m_dir / "work";
  ScreenWindows screen;
  Program program(work, {"missing-file.txt"}, {"XDG_CONFIG_HOME=" + (m_dir / "xdg").string()});
  const std::string caption = LocalizedText(kStrCannotOpen);
  Window box = 0;
  ASSERT_TRUE(waitFor([&] { return (box = screen.titled(caption)) != 0; })) << program.log();
  ASSERT_TRUE(program.waitUntilIdle()) << program.log();
  fs::remove(work / "config.txt");
  program.signal(SIGTERM);
  EXPECT_TRUE(waitFor([&] { return fs::exists(work / "config.txt"); })) << program.log();
  EXPECT_EQ(readFile(work / "config.txt"), defaultsText());
  // The box stays until the writer dismisses it.
  ASSERT_TRUE(program.waitUntilIdle()) << program.log();
  EXPECT_TRUE(program.running());
  EXPECT_EQ(screen.titled(caption), box);
  screen.close(box);
  std::optional<int> status = program.waitForExit();
  ASSERT_TRUE(status.has_value()) << "still running once the box was dismissed";
  EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0)
      << (WIFSIGNALED(*status) ? strsignal(WTERMSIG(*status)) : "") << " " << *status
      << program.log();
}

// A file name in another encoding than UTF-8 (a Latin-1 e acute here, as
// old archives and USB sticks hold) opens as any other: the recent files
// list it byte for byte.
TEST_F(RealProgram, AFileNameThatIsNotUtf8Opens) {
  const fs::path work = m_dir / "work";
  const std::string name = "caf\xE9.txt";
  test_support::writeFile(work / name, "Un caf\xC3\xA9 noir.\n");
  const fs::path recent = m_dir / "xdg" / "verbolt" / "recent-files.txt";
  Program program(work, {name}, {"XDG_CONFIG_HOME=" + (m_dir / "xdg").string(), "LC_ALL=C.UTF-8"});
  EXPECT_TRUE(waitFor([&] { return readFile(recent) == (work / name).string() + "\n"; }))
      << "recent files: \"" << readFile(recent) << "\"" << program.log();
  // The title shows the byte that is no UTF-8 as U+FFFD.
  ScreenWindows screen;
  EXPECT_TRUE(waitFor([&] { return screen.titled("caf\xEF\xBF\xBD.txt - Verbolt 2") != 0; }));
  program.signal(SIGTERM);
  std::optional<int> status = program.waitForExit();
  ASSERT_TRUE(status.has_value());
  EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 0) << *status << program.log();
}

TEST_F(RealProgram, TheDesktopEntrysOptionKeepsTheSettingsInTheConfigFolder) {
  const fs::path folder = m_dir / "xdg" / "verbolt";
  Program program(m_dir / "work", {"--in-config-home"},
                  {"XDG_CONFIG_HOME=" + (m_dir / "xdg").string()});
  ASSERT_TRUE(waitFor([&] { return fs::exists(folder / "config.txt"); })) << program.log();
  EXPECT_EQ(readFile(folder / "config.txt"), defaultsText());
  program.signal(SIGTERM);
  ASSERT_TRUE(program.waitForExit().has_value());
  EXPECT_EQ(readFile(folder / "config.txt"), defaultsText());
  EXPECT_FALSE(fs::exists(m_dir / "work" / "config.txt"));
}

// An X server of the test's own, on the first free display, so that it
// can be stopped under the program.
class OwnDisplay {
 public:
  OwnDisplay() {
    int numberPipe[2];
    if (pipe(numberPipe) != 0) return;
    m_pid = fork();
    if (m_pid == 0) {
      close(numberPipe[0]);
      std::string fd = std::to_string(numberPipe[1]);
      execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24", "-nolisten",
             "tcp", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(numberPipe[1]);
    // Xvfb writes the number once it accepts clients; EOF if it failed.
    char digit;
    while (read(numberPipe[0], &digit, 1) == 1 && digit != '\n') m_name += digit;
    close(numberPipe[0]);
    if (!m_name.empty()) m_name = ":" + m_name;
  }
  ~OwnDisplay() { stop(); }

  const std::string& name() const { return m_name; }

  void stop() {
    if (m_pid <= 0) return;
    kill(m_pid, SIGTERM);
    waitpid(m_pid, nullptr, 0);
    m_pid = -1;
  }

 private:
  pid_t m_pid = -1;
  std::string m_name;
};

TEST_F(RealProgram, TheSettingsAreSavedWhenTheDisplayIsLost) {
  OwnDisplay display;
  ASSERT_FALSE(display.name().empty()) << "Xvfb did not start";
  const fs::path work = m_dir / "work";
  Program program(work, {},
                  {"DISPLAY=" + display.name(), "XDG_CONFIG_HOME=" + (m_dir / "xdg").string()});
  ASSERT_TRUE(waitFor([&] { return fs::exists(work / "config.txt"); })) << program.log();
  fs::remove(work / "config.txt");
  display.stop();
  ASSERT_TRUE(program.waitForExit().has_value()) << "still running without a display";
  EXPECT_EQ(readFile(work / "config.txt"), defaultsText()) << program.log();
}

// The config.txt of a first start, under the locale variables and
// arguments given.
std::string firstStartSettings(const fs::path& work, const std::vector<std::string>& arguments,
                               const std::vector<std::string>& locale) {
  fs::remove_all(work);
  fs::create_directories(work);
  Program program(work, arguments, locale);
  if (!waitFor([&] { return fs::exists(work / "config.txt"); }))
    return "not started: " + program.log();
  program.signal(SIGTERM);
  program.waitForExit();
  return readFile(work / "config.txt");
}

TEST_F(RealProgram, AFrenchDesktopStartsWithTheFrenchListsAndNoOtherDoes) {
  const std::string english = defaultsText();
  const std::string french = defaultsText(Language::kFrench);
  ASSERT_NE(english, french);
  const fs::path work = m_dir / "work";
  EXPECT_EQ(firstStartSettings(work, {}, {"LC_ALL=", "LC_MESSAGES=", "LANG=fr_FR.UTF-8"}), french);
  EXPECT_EQ(firstStartSettings(work, {}, {"LC_ALL=C", "LC_MESSAGES=", "LANG=fr_FR.UTF-8"}),
            english);
  EXPECT_EQ(firstStartSettings(work, {}, {"LC_ALL=", "LC_MESSAGES=", "LANG=de_DE.UTF-8"}), english);
  EXPECT_EQ(firstStartSettings(work, {"--lang", "fr"}, {"LC_ALL=C"}), french);
  EXPECT_EQ(firstStartSettings(work, {"--lang", "en"}, {"LC_ALL=fr_FR.UTF-8"}), english);
}

// What xdotool prints for `arguments`, as a writer's hands and eyes on
// the display the program runs on; its last line break dropped.
std::string xdotool(const std::string& arguments, const std::string& display = "") {
  std::string output;
  const std::string command =
      (display.empty() ? "" : "DISPLAY=" + display + " ") + "xdotool " + arguments;
  FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r");
  if (!pipe) return output;
  char buffer[256];
  while (fgets(buffer, sizeof buffer, pipe)) output += buffer;
  pclose(pipe);
  if (!output.empty() && output.back() == '\n') output.pop_back();
  return output;
}

// The recovery copy of the only document in `folder`, as a start reads it.
std::optional<RecoveredText> onlyCopy(const fs::path& folder) {
  if (!fs::exists(folder)) return std::nullopt;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    if (entry.path().extension() != ".snapshot") continue;
    fs::path journal = entry.path();
    journal.replace_extension(".journal");
    return readRecovery(readFile(entry.path()), readFile(journal));
  }
  return std::nullopt;
}

// The writer opens a chapter, clicks into the text, types at its end, and
// the program ends without a question: killed after a pause, or sent
// SIGTERM straight after the typing. The next start on the chapter shows
// the typed text, marked unsaved, and the file is as it was.
TEST_F(RealProgram, TypedTextSurvivesAKillAndALogout) {
  const fs::path work = m_dir / "work";
  const fs::path chapter = work / "chapter.txt";
  const fs::path recovery = m_dir / "state" / "verbolt" / "recovery";
  const std::vector<std::string> environment = {"XDG_CONFIG_HOME=" + (m_dir / "xdg").string(),
                                                "XDG_STATE_HOME=" + (m_dir / "state").string()};
  for (int number : {SIGKILL, SIGTERM}) {
    SCOPED_TRACE(strsignal(number));
    fs::remove_all(m_dir / "state");
    test_support::writeFile(chapter, "Once upon a time.\n");
    {
      Program program(work, {chapter.string()}, environment);
      const std::string window = xdotool("search --sync --onlyvisible --name 'chapter[.]txt'");
      ASSERT_FALSE(window.empty()) << program.log();
      ASSERT_TRUE(program.waitUntilIdle());
      // Keys and clicks as a person makes them: through the X server, to
      // the window under the pointer.
      xdotool("mousemove --window " + window + " 490 400");
      xdotool("click 1");
      xdotool("key ctrl+End");
      xdotool("type 'The end.'");
      if (number == SIGKILL) {
        ASSERT_TRUE(waitFor([&] {
          const std::optional<RecoveredText> copy = onlyCopy(recovery);
          return copy && copy->utf8 == "Once upon a time.\nThe end.";
        })) << "no recovery copy after the pause; the window is \""
            << xdotool("getwindowname " + window) << "\"";
      } else {
        ASSERT_TRUE(waitFor(
            [&] { return xdotool("getwindowname " + window) == "chapter.txt * - Verbolt 2"; }));
        ASSERT_TRUE(program.waitUntilIdle());
      }
      program.signal(number);
      ASSERT_TRUE(program.waitForExit().has_value());
    }
    EXPECT_EQ(readFile(chapter), "Once upon a time.\n");

    Program again(work, {chapter.string()}, environment);
    const std::string window = xdotool("search --sync --onlyvisible --name 'chapter[.]txt'");
    ASSERT_TRUE(waitFor([&] {
      return xdotool("getwindowname " + window) == "chapter.txt * - Verbolt 2";
    })) << xdotool("getwindowname " + window)
        << again.log();
    // What the editor shows is what its own copy holds once it is sent
    // away in turn.
    again.signal(SIGTERM);
    ASSERT_TRUE(again.waitForExit().has_value());
    const std::optional<RecoveredText> shown = onlyCopy(recovery);
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->utf8, "Once upon a time.\nThe end.");
    EXPECT_EQ(readFile(chapter), "Once upon a time.\n");
  }
}

// `verbolt FILE`, then typing at once, without a click: the letters go
// into the text, and no switch of the toolbar has taken them.
TEST_F(RealProgram, TheFirstKeysGoIntoTheText) {
  const fs::path work = m_dir / "work";
  const fs::path chapter = work / "chapter.txt";
  test_support::writeFile(chapter, "Once upon a time.\n");
  Program program(work, {chapter.string()},
                  {"XDG_CONFIG_HOME=" + (m_dir / "xdg").string(),
                   "XDG_STATE_HOME=" + (m_dir / "state").string()});
  const std::string window = xdotool("search --sync --onlyvisible --name 'chapter[.]txt'");
  ASSERT_FALSE(window.empty()) << program.log();
  ASSERT_TRUE(program.waitUntilIdle());
  // The pointer over the window, as a writer's hand rests: no click.
  xdotool("mousemove --window " + window + " 490 400");
  xdotool("type 'Hi there '");
  ASSERT_TRUE(waitFor([&] {
    return xdotool("getwindowname " + window) == "chapter.txt * - Verbolt 2";
  })) << xdotool("getwindowname " + window);
  ASSERT_TRUE(program.waitUntilIdle());
  program.signal(SIGTERM);
  ASSERT_TRUE(program.waitForExit().has_value());
  // Every switch as it was, close repetitions still ticked.
  EXPECT_EQ(readFile(work / "config.txt"), defaultsText());
  const std::optional<RecoveredText> copy = onlyCopy(m_dir / "state" / "verbolt" / "recovery");
  ASSERT_TRUE(copy);
  EXPECT_EQ(copy->utf8, "Hi there Once upon a time.\n");
}

// Without a session bus, the file dialog's own settings would end in a
// dconf warning each time it opens: the terminal a writer started the
// program from stays quiet.
TEST_F(RealProgram, TheFileDialogIsQuietWithoutASessionBus) {
  const fs::path work = m_dir / "work";
  fs::create_directories(m_dir / "run");
  Program program(work, {},
                  {"XDG_CONFIG_HOME=" + (m_dir / "xdg").string(),
                   "XDG_STATE_HOME=" + (m_dir / "state").string(),
                   "XDG_RUNTIME_DIR=" + (m_dir / "run").string(),
                   "DBUS_SESSION_BUS_ADDRESS=", "GSETTINGS_BACKEND="});
  const std::string window = xdotool("search --sync --onlyvisible --name 'Verbolt 2'");
  ASSERT_FALSE(window.empty()) << program.log();
  ASSERT_TRUE(program.waitUntilIdle());
  xdotool("mousemove --window " + window + " 490 400");
  xdotool("key ctrl+o");
  std::string dialog;
  ASSERT_TRUE(waitFor([&] {
    dialog = xdotool("search --onlyvisible --name '^Open'");
    return !dialog.empty();
  })) << program.log();
  ASSERT_TRUE(program.waitUntilIdle());
  xdotool("key Escape");
  ASSERT_TRUE(waitFor([&] { return xdotool("search --onlyvisible --name '^Open'").empty(); }));
  program.signal(SIGTERM);
  ASSERT_TRUE(program.waitForExit().has_value());
  EXPECT_EQ(program.log().find("dconf"), std::string::npos) << program.log();
  EXPECT_EQ(program.log().find("WARNING"), std::string::npos) << program.log();
}

// The display goes (a remote session dropped) while the text is unsaved:
// the toolkit ends the program at once, but the copy is written first.
TEST_F(RealProgram, UnsavedTextIsKeptWhenTheDisplayIsLost) {
  OwnDisplay display;
  ASSERT_FALSE(display.name().empty()) << "Xvfb did not start";
  const fs::path work = m_dir / "work";
  const fs::path chapter = work / "chapter.txt";
  test_support::writeFile(chapter, "Once upon a time.\n");
  Program program(work, {chapter.string()},
                  {"DISPLAY=" + display.name(), "XDG_CONFIG_HOME=" + (m_dir / "xdg").string(),
                   "XDG_STATE_HOME=" + (m_dir / "state").string()});
  const std::string window =
      xdotool("search --sync --onlyvisible --name 'chapter[.]txt'", display.name());
  ASSERT_FALSE(window.empty()) << program.log();
  ASSERT_TRUE(program.waitUntilIdle());
  xdotool("mousemove --window " + window + " 490 400", display.name());
  xdotool("click 1", display.name());
  xdotool("key ctrl+End", display.name());
  xdotool("type 'The end.'", display.name());
  ASSERT_TRUE(waitFor([&] {
    return xdotool("getwindowname " + window, display.name()) == "chapter.txt * - Verbolt 2";
  }));
  ASSERT_TRUE(program.waitUntilIdle());
  display.stop();
  ASSERT_TRUE(program.waitForExit().has_value()) << "still running without a display";
  const std::optional<RecoveredText> copy = onlyCopy(m_dir / "state" / "verbolt" / "recovery");
  ASSERT_TRUE(copy) << program.log();
  EXPECT_EQ(copy->utf8, "Once upon a time.\nThe end.");
  EXPECT_EQ(readFile(chapter), "Once upon a time.\n");
}

TEST_F(RealProgram, AnUnknownLanguageIsRefusedBeforeAnyWindow) {
  Program program(m_dir / "work", {"--lang", "de"}, {});
  std::optional<int> status = program.waitForExit();
  ASSERT_TRUE(status.has_value());
  EXPECT_TRUE(WIFEXITED(*status) && WEXITSTATUS(*status) == 2) << program.log();
  EXPECT_NE(program.log().find("--lang takes en or fr"), std::string::npos) << program.log();
  EXPECT_FALSE(fs::exists(m_dir / "work" / "config.txt"));
}

}  // namespace

}  // namespace verbolt
