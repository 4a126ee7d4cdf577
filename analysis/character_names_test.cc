#include "analysis/character_names.h"

#include <gtest/gtest.h>

namespace verbolt {

namespace {

TEST(CharacterNames, ACapitalInsideASentenceMakesAName) {
  EXPECT_EQ(characterNames("Later Anna closed the gate, and Anna smiled at Marcus."),
            (WordList{"anna", "marcus"}));
  // Capitalised only where every word is: no name.
  EXPECT_EQ(characterNames("Later it rained. Later still, it snowed!\nLater"), WordList{});
  // Once written small, a word is no name, whatever its capitals.
  EXPECT_EQ(characterNames("She picked a rose for Rose. Then Rose left."), WordList{});
  EXPECT_EQ(characterNames(""), WordList{});
}

TEST(CharacterNames, DialogueAndQuotesOpenSentences) {
  // French dialogue: a dash, guillemets, an ellipsis open sentences.
  const std::string french =
      "\x97 Viens, dit \xC9lodie.\n\xAB Demain \xBB, r\xE9pondit-elle\x85 Puis Paul partit avec "
      "\xC9lodie.";
  EXPECT_EQ(characterNames(french), (WordList{"\xC9lodie", "paul"}));
  // English quotes, straight and curly.
  EXPECT_EQ(characterNames("He said, \"Tomorrow.\" \x93Never,\x94 said Tom."), WordList{"tom"});
  // A capital after a closing quote and a comma is still inside.
  EXPECT_EQ(characterNames("\"Go,\" said Anna, \"now.\" Anna went."), WordList{"anna"});
}

TEST(CharacterNames, EveryOccurrenceCounts) {
  std::string text;
  for (int i = 0; i < 1000; ++i) text += "The house of Marcus stood still. ";
  EXPECT_EQ(characterNames(text), WordList{"marcus"});
  text += "the marcus";
  EXPECT_EQ(characterNames(text), WordList{});
}

}  // namespace

}  // namespace verbolt
