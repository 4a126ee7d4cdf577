#include "manuscript/zip_splice.h"

#include <gtest/gtest.h>

#include "manuscript/docx_test_package.h"
#include "manuscript/zip_part.h"

namespace verbolt {

namespace {

TEST(ZipSplice, ReplacesOnePartAndCopiesTheOthersInTheirOrder) {
  const ZipParts parts = {{"mimetype", "application/vnd.oasis.opendocument.text"},
                          {"content.xml", std::string(100000, 'a')},
                          {"styles.xml", "<styles/>"},
                          {"Pictures/p.png", std::string("\x89PNG\0\1\2", 7)}};
  const std::string archive = zipArchive(parts);
  const std::string content = "<new>" + std::string(5000, 'b') + "\u00E9</new>";
  const std::optional<std::string> spliced = spliceZipPart(archive, "content.xml", content);
  ASSERT_TRUE(spliced);
  ZipParts expected = parts;
  expected[1].second = content;
  EXPECT_EQ(zipEntries(*spliced), expected);
  // The other entries' bytes are the original ones: the archive around
  // the new part is the old archive up to it.
  EXPECT_EQ(spliced->substr(0, 60), archive.substr(0, 60));
  // The reader checks the local headers against the directory.
  std::string read;
  const ZipOutcome outcome =
      streamZipPart(*spliced, "content.xml", 1 << 20, [&read](std::string_view c) {
        read += c;
        return true;
      });
  EXPECT_EQ(outcome.problem, ZipProblem::kNone);
  EXPECT_EQ(read, content);
}

TEST(ZipSplice, LeavesWhatItDoesNotWriteToTheZipLibrary) {
  const std::string archive = zipArchive({{"a.xml", "<a/>"}});
  EXPECT_FALSE(spliceZipPart(archive, "b.xml", "x"));
  EXPECT_FALSE(spliceZipPart("not a zip at all", "a.xml", "x"));
  std::string damaged = archive;
  damaged[damaged.size() - 6] ^= 0x55;  // where the directory starts
  EXPECT_FALSE(spliceZipPart(damaged, "a.xml", "x"));
  EXPECT_FALSE(spliceZipPart(archive.substr(0, archive.size() - 3), "a.xml", "x"));
}

}  // namespace

}  // namespace verbolt
