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

}  // namespace

}  // namespace verbolt
