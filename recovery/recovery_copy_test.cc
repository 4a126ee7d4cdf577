#include "recovery/recovery_copy.h"

#include <gtest/gtest.h>

namespace verbolt {

namespace {

RecoveredText sample() {
  RecoveredText text;
  text.documentPath = "/home/a writer/odd\nname 12 .txt";
  text.format = {TextEncoding::kUtf16LeWithBom, LineEnds::kCrLf};
  text.documentStamp = FileStamp{2049, 1234567, 42, 1733650000123456789};
  text.caret = 3;
  text.utf8 = "Élan vital\nédit 7\n";
  return text;
}

TEST(RecoveryCopy, ASnapshotReadsBackWhole) {
  const RecoveredText text = sample();
  EXPECT_EQ(readRecovery(snapshotBytes(text, 7), ""), text);
  RecoveredText untitled;
  untitled.utf8 = std::string("nul \0 and \n\n", 12);
  EXPECT_EQ(readRecovery(snapshotBytes(untitled, 1), journalHeader(1)), untitled);
}

TEST(RecoveryCopy, TheJournalsEditsAreMadeInOrder) {
  const std::string snapshot = snapshotBytes(sample(), 7);
  // Characters, not bytes: "É" and "é" are two bytes each.
  const std::string journal = journalHeader(7) +
                              journalBytes({{1, 3, "ven"}, {11, 0, "récrit "}, {0, 1, ""}}, 5) +
                              journalBytes({{16, 1, "\n"}}, 15);
  const std::optional<RecoveredText> read = readRecovery(snapshot, journal);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->utf8, "ven vital\nrécrit\nédit 7\n");
  EXPECT_EQ(read->caret, 15);
  EXPECT_EQ(read->documentPath, sample().documentPath);
}

TEST(RecoveryCopy, AJournalCutShortGivesItsWholeEdits) {
  const std::string snapshot = snapshotBytes(sample(), 7);
  const std::string whole = journalHeader(7) + journalBytes({{0, 0, "A "}}, 2);
  const std::string withCaret = journalBytes({{2, 0, "lost"}}, 6);
  const std::string last = withCaret.substr(0, withCaret.find("caret "));
  for (size_t cut = 0; cut < last.size(); ++cut) {
    const std::optional<RecoveredText> read = readRecovery(snapshot, whole + last.substr(0, cut));
    ASSERT_TRUE(read);
    EXPECT_EQ(read->utf8, "A Élan vital\nédit 7\n") << cut;
  }
}

TEST(RecoveryCopy, AJournalOfAnotherCopyOrBeyondTheTextIsNotApplied) {
  const std::string snapshot = snapshotBytes(sample(), 7);
  EXPECT_EQ(readRecovery(snapshot, journalHeader(6) + journalBytes({{0, 0, "X"}}, 1))->utf8,
            sample().utf8);
  // The edits before the one that does not fit stay.
  const std::string journal =
      journalHeader(7) + journalBytes({{0, 0, "X"}, {100, 0, "Y"}, {0, 0, "Z"}}, 0);
  EXPECT_EQ(readRecovery(snapshot, journal)->utf8, "X" + sample().utf8);
  EXPECT_EQ(readRecovery(snapshot, journalHeader(7) + journalBytes({{18, 2, ""}}, 0))->utf8,
            sample().utf8);
}

TEST(RecoveryCopy, WhatIsNoSnapshotGivesNothing) {
  EXPECT_FALSE(readRecovery("", ""));
  EXPECT_FALSE(readRecovery("resolution=1920x1080\n", ""));
  const std::string snapshot = snapshotBytes(sample(), 7);
  EXPECT_FALSE(readRecovery(snapshot.substr(0, snapshot.size() - 1), ""));
  EXPECT_FALSE(readRecovery(journalHeader(7), ""));
}

TEST(RecoveryCopy, ChangesCountCharacters) {
  std::string text = "œuvre à part";
  EXPECT_TRUE(applyChange(text, {6, 1, "À"}));
  EXPECT_EQ(text, "œuvre À part");
  EXPECT_TRUE(applyChange(text, {12, 0, "!"}));
  EXPECT_EQ(text, "œuvre À part!");
  EXPECT_FALSE(applyChange(text, {13, 1, ""}));
  EXPECT_FALSE(applyChange(text, {-1, 0, "x"}));
  EXPECT_EQ(text, "œuvre À part!");
  EXPECT_EQ(characterCount(text), 13);
}

}  // namespace

}  // namespace verbolt
