#include "manuscript/zip_write.h"

#include <gtest/gtest.h>
#include <zip.h>

#include "manuscript/docx_test_package.h"
#include "manuscript/zip_part.h"
#include "manuscript/zip_splice.h"

namespace verbolt {

namespace {

// Opens the archive as libzip does when it checks every header against
// the central directory; false when it finds a fault.
bool consistent(const std::string& archive) {
  zip_error_t error;
  zip_error_init(&error);
  zip_source_t* source = zip_source_buffer_create(archive.data(), archive.size(), 0, &error);
  zip_t* zip = source ? zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error) : nullptr;
  zip_error_fini(&error);
  if (!zip) {
    if (source) zip_source_free(source);
    return false;
  }
  zip_discard(zip);
  return true;
}

TEST(ZipWrite, TheEntriesComeBackInTheirOrderFromEveryReader) {
  const std::string big(300000, 'x');
  const std::string binary("\x89PNG\0\1\2\xFF", 8);
  const ZipEntry entries[] = {{"[Content_Types].xml", "<Types/>"},
                              {"word/document.xml", big},
                              {"empty", ""},
                              {"media/p.png", binary}};
  const std::optional<std::string> archive = zipArchiveOf(entries);
  ASSERT_TRUE(archive);
  EXPECT_TRUE(consistent(*archive));
  const ZipParts expected = {{"[Content_Types].xml", "<Types/>"},
                             {"word/document.xml", big},
                             {"empty", ""},
                             {"media/p.png", binary}};
  EXPECT_EQ(zipEntries(*archive), expected);
  EXPECT_LT(archive->size(), 5000u) << "the entries are deflated";

  std::string read;
  const ZipOutcome outcome =
      streamZipPart(*archive, "word/document.xml", 1 << 20, [&read](std::string_view chunk) {
        read += chunk;
        return true;
      });
  EXPECT_EQ(outcome.problem, ZipProblem::kNone);
  EXPECT_EQ(read, big);

  // A saved document is spliced: the archive must be one it rewrites.
  const std::optional<std::string> spliced = spliceZipPart(*archive, "empty", "now full");
  ASSERT_TRUE(spliced);
  EXPECT_TRUE(consistent(*spliced));
  EXPECT_EQ(zipEntries(*spliced)[2].second, "now full");
}

TEST(ZipWrite, TheSameEntriesGiveTheSameBytesDatedTheFirstDayOf1980) {
  const ZipEntry entries[] = {{"a.xml", "<a/>"}, {"b/c.xml", "<c>text</c>"}};
  const std::optional<std::string> first = zipArchiveOf(entries);
  const std::optional<std::string> second = zipArchiveOf(entries);
  ASSERT_TRUE(first && second);
  EXPECT_EQ(*first, *second);
  // The local header's time and date, then the central record's.
  EXPECT_EQ(first->substr(10, 4), std::string("\0\0\x21\0", 4));
  const size_t central = first->find("PK\1\2");
  ASSERT_NE(central, std::string::npos);
  EXPECT_EQ(first->substr(central + 12, 4), std::string("\0\0\x21\0", 4));
}

}  // namespace

}  // namespace verbolt
