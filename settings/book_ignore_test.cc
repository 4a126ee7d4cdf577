#include "settings/book_ignore.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "test_support/test_support.h"

namespace verbolt {

namespace {

namespace fs = std::filesystem;
using test_support::writeFile;

TEST(BookIgnoreText, OneWordOrPhraseALineWithComments) {
  WordList words;
  ASSERT_TRUE(
      parseBookIgnore("# names of the book\r\n"
                      "Anna\r\n"
                      "\n"
                      "  Marcus   # the brother\n"
                      "le Grand\tMeaulnes\n"
                      "anna\n"
                      "\xC3\x89lodie",
                      words));
  // Lowered as the engine lowers the text: A to Z only.
  EXPECT_EQ(words, (WordList{"anna", "marcus", "le", "grand", "meaulnes", "\xC9lodie"}));
}

TEST(BookIgnoreText, WhatIsNotUtf8TextIsRefused) {
  WordList words;
  EXPECT_FALSE(parseBookIgnore(std::string("word\0other", 10), words));
  EXPECT_FALSE(parseBookIgnore("caf\xE9\n", words));
  EXPECT_TRUE(words.empty());
  EXPECT_TRUE(parseBookIgnore("", words));
  EXPECT_TRUE(words.empty());
}

class BookIgnoreFiles : public test_support::FolderTest {};

TEST_F(BookIgnoreFiles, EveryFolderUpToTheRepositoryApplies) {
  const fs::path repository = m_dir / "books";
  const fs::path chapter = repository / "novel" / "part-one";
  fs::create_directories(chapter);
  fs::create_directories(repository / ".git");
  writeFile(m_dir / kBookIgnoreName, "outside\n");
  writeFile(repository / kBookIgnoreName, "garden\nAnna\n");
  writeFile(chapter / kBookIgnoreName, "anna\nMarcus\n");

  const BookIgnore book = readBookIgnore(chapter.string());
  EXPECT_EQ(book.words, (WordList{"anna", "marcus", "garden"}));
  ASSERT_EQ(book.files.size(), 2u);
  EXPECT_EQ(book.files[0].path, (chapter / kBookIgnoreName).string());
  EXPECT_EQ(book.files[0].words, 2u);
  EXPECT_EQ(book.files[1].path, (repository / kBookIgnoreName).string());
  EXPECT_TRUE(book.problems.empty());

  // Outside a repository the walk goes up to the root: the test folder's
  // own file applies.
  fs::remove_all(repository / ".git");
  const BookIgnore wider = readBookIgnore((chapter / ".." / "part-one").string());
  EXPECT_NE(std::find(wider.words.begin(), wider.words.end(), "outside"), wider.words.end());
}

TEST_F(BookIgnoreFiles, ABadFileIsReportedAndSkipped) {
  const fs::path book = m_dir / "book";
  fs::create_directories(book / "chapters");
  fs::create_directories(book / ".git");
  writeFile(book / kBookIgnoreName, std::string("garden\0\x01\x02", 9));
  fs::create_directories(book / "chapters" / kBookIgnoreName);
  BookIgnore read = readBookIgnore((book / "chapters").string());
  EXPECT_TRUE(read.words.empty());
  ASSERT_EQ(read.problems.size(), 2u);
  EXPECT_NE(read.problems[0].find("is not a regular file"), std::string::npos) << read.problems[0];
  EXPECT_NE(read.problems[1].find("is not UTF-8 text"), std::string::npos) << read.problems[1];

  writeFile(book / kBookIgnoreName, std::string(kMaxBookIgnoreBytes + 1, 'a'));
  read = readBookIgnore(book.string());
  ASSERT_EQ(read.problems.size(), 1u);
  EXPECT_NE(read.problems[0].find("too large"), std::string::npos);

  if (geteuid() != 0) {
    writeFile(book / kBookIgnoreName, "garden\n");
    fs::permissions(book / kBookIgnoreName, fs::perms::none);
    read = readBookIgnore(book.string());
    ASSERT_EQ(read.problems.size(), 1u);
    EXPECT_NE(read.problems[0].find("cannot be read"), std::string::npos);
  }
}

TEST(BookIgnoreSettings, TheBooksWordsJoinTheSkipListOnce) {
  AnalysisSettings settings = AnalysisSettings::Defaults();
  const size_t before = settings.m_skipWords.size();
  ASSERT_FALSE(settings.m_skipWords.empty());
  BookIgnore book;
  book.words = {settings.m_skipWords.front(), "garden"};
  addBookIgnore(settings, book);
  addBookIgnore(settings, book);
  EXPECT_EQ(settings.m_skipWords.size(), before + 1);
  EXPECT_EQ(settings.m_skipWords.back(), "garden");
}

TEST_F(BookIgnoreFiles, AWordIsAddedOnceAsALineOfTheNearestFile) {
  std::string problem;
  ASSERT_TRUE(addToBookIgnore(m_dir.string(), "garden", problem)) << problem;
  EXPECT_EQ(test_support::readFile(m_dir / kBookIgnoreName), "garden\n");
  // A file written by hand, without a last line end, with a comment.
  writeFile(m_dir / kBookIgnoreName, "# names\nAnna");
  fs::permissions(m_dir / kBookIgnoreName, fs::perms::owner_read | fs::perms::owner_write |
                                               fs::perms::group_read | fs::perms::group_write);
  ASSERT_TRUE(addToBookIgnore(m_dir.string(), "\xE9lodie", problem)) << problem;
  ASSERT_TRUE(addToBookIgnore(m_dir.string(), "anna", problem)) << problem;
  EXPECT_EQ(test_support::readFile(m_dir / kBookIgnoreName), "# names\nAnna\n\xC3\xA9lodie\n");
  EXPECT_EQ(fs::status(m_dir / kBookIgnoreName).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                fs::perms::group_write);
  EXPECT_EQ(entries(), (std::set<std::string>{kBookIgnoreName}));

  // Never through a link, nor into a folder or a binary file.
  fs::remove(m_dir / kBookIgnoreName);
  writeFile(m_dir / "elsewhere", "x\n");
  fs::create_symlink(m_dir / "elsewhere", m_dir / kBookIgnoreName);
  EXPECT_FALSE(addToBookIgnore(m_dir.string(), "garden", problem));
  EXPECT_NE(problem.find("not a regular file"), std::string::npos);
  EXPECT_EQ(test_support::readFile(m_dir / "elsewhere"), "x\n");
  fs::remove(m_dir / kBookIgnoreName);
  writeFile(m_dir / kBookIgnoreName, std::string("\0bin", 4));
  EXPECT_FALSE(addToBookIgnore(m_dir.string(), "garden", problem));
  EXPECT_EQ(test_support::readFile(m_dir / kBookIgnoreName), std::string("\0bin", 4));
}

}  // namespace

}  // namespace verbolt
