#include "test_support/test_support.h"

#include <sys/stat.h>

namespace verbolt {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace test_support {
namespace {

class FolderOfItsOwn : public FolderTest {};

TEST_F(FolderOfItsOwn, StartsEmptyAndHoldsWhatIsWritten) {
  ASSERT_TRUE(fs::is_directory(m_dir));
  EXPECT_TRUE(entries().empty());
  writeFile(m_dir / "a.txt", std::string("one\0two\r\n", 9));
  writeFile(m_dir / "b.txt", "long text");
  writeFile(m_dir / "b.txt", "short");
  EXPECT_EQ(entries(), (std::set<std::string>{"a.txt", "b.txt"}));
  EXPECT_EQ(readFile(m_dir / "a.txt"), std::string("one\0two\r\n", 9));
  EXPECT_EQ(readFile(m_dir / "b.txt"), "short");
  EXPECT_EQ(readFile(m_dir / "missing.txt"), "");
}

TEST(FolderTestEnd, RemovesTheFolderEvenWhenATestTookItsRightsAway) {
  class Locked : public FolderTest {
   public:
    void TestBody() override {}
    fs::path Run() {
      SetUp();
      fs::create_directories(m_dir / "inner");
      writeFile(m_dir / "inner" / "f.txt", "x");
      chmod((m_dir / "inner").c_str(), 0);
      chmod(m_dir.c_str(), S_IRUSR | S_IXUSR);
      TearDown();
      return m_dir;
    }
  };
  Locked test;
  EXPECT_FALSE(fs::exists(test.Run()));
}

TEST(WaitFor, StepsBetweenChecksUntilTheConditionHolds) {
  int steps = 0;
  EXPECT_TRUE(waitFor([&] { return steps == 3; }, 10s, [&] { ++steps; }));
  EXPECT_EQ(steps, 3);
  EXPECT_TRUE(waitFor([] { return true; }, 0ms));
}

TEST(WaitFor, GivesUpOnceTheLimitHasPassed) {
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(waitFor([] { return false; }, 50ms));
  EXPECT_GE(std::chrono::steady_clock::now() - start, 50ms);
}

}  // namespace
}  // namespace test_support

}  // namespace verbolt
