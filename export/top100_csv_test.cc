#include "export/top100_csv.h"

#include <gtest/gtest.h>

namespace verbolt {

namespace {

TEST(Top100Csv, OneRowPerMainLineWithItsSimilarWordsInTheThirdField) {
  const std::string report =
      " 12 : dans\n"
      "  7 : utilisez\n"
      "       utilisation\n"
      "       utiliser\n"
      "1000 : \u00E9t\u00E9\n";
  EXPECT_EQ(exportTop100Csv(report),
            "count,word,similar words\r\n"
            "12,dans,\r\n"
            "7,utilisez,utilisation utiliser\r\n"
            "1000,\u00E9t\u00E9,\r\n");
}

TEST(Top100Csv, FieldsWithCommasQuotesOrLineEndsAreQuoted) {
  const std::string report = "  2 : a,b\n       say \"hi\"\n";
  EXPECT_EQ(exportTop100Csv(report),
            "count,word,similar words\r\n"
            "2,\"a,b\",\"say \"\"hi\"\"\"\r\n");
}

TEST(Top100Csv, AnEmptyReportGivesTheHeaderAlone) {
  EXPECT_EQ(exportTop100Csv(""), "count,word,similar words\r\n");
  EXPECT_TRUE(parseTop100Report("       orphan\nnot a line\n").empty());
}

}  // namespace

}  // namespace verbolt
