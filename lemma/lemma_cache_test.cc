#include "lemma/lemma_cache.h"

#include <gtest/gtest.h>

#include <map>
#include <thread>

namespace verbolt {

namespace {

TEST(LemmaCache, ConsultsTheDictionaryOncePerDistinctWord) {
  std::map<std::string, int> asked;
  LemmaCache cache([&asked](std::string_view word) {
    ++asked[std::string(word)];
    return std::vector<std::string>{std::string(word.substr(0, 3))};
  });
  for (int i = 0; i < 100; ++i) {
    cache.lemmasOf("manger");
    cache.lemmasOf("mangeons");
  }
  EXPECT_EQ(asked, (std::map<std::string, int>{{"manger", 1}, {"mangeons", 1}}));
  EXPECT_EQ(cache.lookUps(), 2u);
}

TEST(LemmaCache, TheSameLemmaIsTheSameIdWhateverTheWord) {
  const std::map<std::string, std::vector<std::string>> dictionary = {
      {"savons", {"savoir", "savon", "savon"}},
      {"sut", {"savoir"}},
      {"savon", {"savon"}},
      {"zorglub", {}}};
  LemmaCache cache([&](std::string_view word) { return dictionary.at(std::string(word)); });
  const std::vector<int> savons = cache.lemmasOf("savons");
  ASSERT_EQ(savons.size(), 2u);
  EXPECT_LT(savons[0], savons[1]);
  const std::vector<int> sut = cache.lemmasOf("sut");
  const std::vector<int> savon = cache.lemmasOf("savon");
  ASSERT_EQ(sut.size(), 1u);
  ASSERT_EQ(savon.size(), 1u);
  EXPECT_NE(sut[0], savon[0]);
  EXPECT_TRUE(sut[0] == savons[0] || sut[0] == savons[1]);
  EXPECT_TRUE(savon[0] == savons[0] || savon[0] == savons[1]);
  EXPECT_TRUE(cache.lemmasOf("zorglub").empty());
}

TEST(LemmaCache, AnAnswerStaysWhereItIsAsTheCacheGrows) {
  LemmaCache cache(
      [](std::string_view word) { return std::vector<std::string>{std::string(word)}; });
  const std::vector<int>& first = cache.lemmasOf("a");
  const std::vector<int> copy = first;
  for (int i = 0; i < 10000; ++i) cache.lemmasOf("w" + std::to_string(i));
  EXPECT_EQ(first, copy);
}

TEST(LemmaCacheDeathTest, AThreadAfterTheFirstIsRefused) {
#ifdef NDEBUG
  GTEST_SKIP() << "the owner is checked in builds with assertions";
#else
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  LemmaCache cache(
      [](std::string_view word) { return std::vector<std::string>{std::string(word)}; });
  cache.lemmasOf("a");
  EXPECT_DEATH(std::thread([&cache] { cache.lemmasOf("a"); }).join(), "one thread");
#endif
}

}  // namespace

}  // namespace verbolt
