// WordNet's exception lists as the English families read them: the lines
// kept and left out, the folder chosen, and the files that are not lists.
#include "lemma/irregular_forms.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>

#include "test_support/test_support.h"

namespace verbolt {

namespace {

using Lemmas = std::vector<std::string>;

TEST(IrregularForms, ALineGivesAFormItsDictionaryWords) {
  IrregularForms forms;
  addIrregularForms(
      "went go\n"
      "better good well\r\n"
      "ate_up eat_up\n"  // a phrase: no editor word
      "axes axe axis\n"
      "axes ax\n"                   // a second line adds to the first
      "goes go go\n"                // a repeat counts once
      "brethren brethren\n"         // its own word: nothing to join
      "caf\xC3\xA9s caf\xC3\xA9\n"  // UTF-8, held as Windows-1252
      "lonely\n"
      "\n"
      "Geese Goose",
      forms);
  EXPECT_EQ(forms["went"], Lemmas{"go"});
  EXPECT_EQ(forms["better"], (Lemmas{"good", "well"}));
  EXPECT_EQ(forms["axes"], (Lemmas{"axe", "axis", "ax"}));
  EXPECT_EQ(forms["goes"], Lemmas{"go"});
  EXPECT_EQ(forms["caf\xE9s"], Lemmas{"caf\xE9"});
  EXPECT_EQ(forms["geese"], Lemmas{"goose"});
  EXPECT_EQ(forms.count("ate_up"), 0u);
  EXPECT_EQ(forms.count("brethren"), 0u);
  EXPECT_EQ(forms.count("lonely"), 0u);
  EXPECT_EQ(forms.size(), 6u);
}

TEST(IrregularForms, AWordBeyondWindows1252LeavesItsLineOut) {
  IrregularForms forms;
  addIrregularForms("\xE2\x82\xACs euro\nmen man\n\xFF\xFE bad\n", forms);
  EXPECT_EQ(forms.size(), 2u);  // the euro sign is Windows-1252
  EXPECT_EQ(forms["\x80s"], Lemmas{"euro"});
  EXPECT_EQ(forms["men"], Lemmas{"man"});
}

class IrregularFormsFolder : public test_support::FolderTest {};

TEST_F(IrregularFormsFolder, TheFourListsMakeOneTable) {
  test_support::writeFile(m_dir / "verb.exc", "went go\n");
  test_support::writeFile(m_dir / "noun.exc", "mice mouse\n");
  test_support::writeFile(m_dir / "adj.exc", "better good\n");
  test_support::writeFile(m_dir / "adv.exc", "better well\n");
  IrregularForms forms = readIrregularForms(m_dir.string());
  EXPECT_EQ(forms["went"], Lemmas{"go"});
  EXPECT_EQ(forms["mice"], Lemmas{"mouse"});
  EXPECT_EQ(forms["better"], (Lemmas{"good", "well"}));
  EXPECT_TRUE(readIrregularForms((m_dir / "none").string()).empty());
}

TEST_F(IrregularFormsFolder, WhatIsNoListIsSkippedWithoutWaiting) {
  // A pipe would block a plain open; a huge file is no list.
  ASSERT_EQ(mkfifo((m_dir / "verb.exc").c_str(), 0600), 0);
  std::string huge(kMaxIrregularListSize + 1, 'a');
  huge.replace(0, 10, "mice mouse");
  huge[10] = '\n';
  test_support::writeFile(m_dir / "noun.exc", huge);
  std::filesystem::create_directory(m_dir / "adj.exc");
  test_support::writeFile(m_dir / "adv.exc", "better well\n");
  IrregularForms forms = readIrregularForms(m_dir.string());
  EXPECT_EQ(forms.size(), 1u);
  EXPECT_EQ(forms["better"], Lemmas{"well"});
}

TEST(IrregularFormsVariable, NamesTheFolder) {
  const char* previous = std::getenv(kIrregularFormsVariable);
  const std::string kept = previous ? previous : "";
  setenv(kIrregularFormsVariable, "/elsewhere/wordnet", 1);
  EXPECT_EQ(irregularFormsFolder(), "/elsewhere/wordnet");
  setenv(kIrregularFormsVariable, "", 1);
  EXPECT_EQ(irregularFormsFolder(), kIrregularFormsFolder);
  if (previous) {
    setenv(kIrregularFormsVariable, kept.c_str(), 1);
  } else {
    unsetenv(kIrregularFormsVariable);
  }
}

}  // namespace

}  // namespace verbolt
