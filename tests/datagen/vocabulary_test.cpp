// CVocabulary: the word pools and the initials the tests (and the inter-bank
// bonds' shortPinyin) compute from them.
#include "datagen/vocabulary.h"

#include <gtest/gtest.h>
#include <QString>
#include <map>

using datagen::CVocabulary;
using datagen::Word;

namespace {

const std::vector<const std::vector<Word>*>& allPools() {
  static const std::vector<const std::vector<Word>*> pools = {
      &CVocabulary::companyBrands(),    &CVocabulary::companyIndustries(),
      &CVocabulary::hongKongSuffixes(), &CVocabulary::provinces(),
      &CVocabulary::fundCompanies(),    &CVocabulary::fundThemes(),
      &CVocabulary::fundStyles(),       &CVocabulary::etfIndexes(),
      &CVocabulary::warrantIssuers(),   &CVocabulary::templateWords()};
  return pools;
}

}  // namespace

// A typo in the table (a missing or extra letter) would shift every later
// initial of a name and make the filter tests meaningless.
TEST(Vocabulary, everyWordHasOneInitialPerCharacterAndPoolsAgree) {
  std::map<std::string, std::string> seen;
  for (const auto* pool : allPools()) {
    for (const Word& word : *pool) {
      const QString text = QString::fromUtf8(word.text);
      const QString initials = QString::fromLatin1(word.initials);
      ASSERT_EQ(text.size(), initials.size()) << word.text << " " << word.initials;
      for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.unicode() < 0x80) {
          EXPECT_EQ(c.toUpper(), initials.at(i)) << word.text << ": ASCII keeps itself";
        } else {
          EXPECT_TRUE(initials.at(i) >= 'A' && initials.at(i) <= 'Z') << word.text;
        }
      }
      const auto inserted = seen.emplace(word.text, word.initials);
      EXPECT_EQ(inserted.first->second, word.initials) << word.text << " listed twice differently";
    }
  }
}

TEST(Vocabulary, initialsOfComposedNames) {
  struct Case {
    const char* name;
    const char* initials;
    bool complete;
  };
  const Case cases[] = {
      {"平安银行", "PAYH", true},  // 行 reads hang in 银行
      {"长江电力", "CJDL", true},
      {"重庆重工", "CQZG", true},  // 重 reads chong, then zhong
      {"*ST海南", "*STHN", true},
      {"科大智能-UW", "KDZN-UW", true},
      {"50ETF购3月3000", "50ETFG3Y3000", true},
      {"沪深300ETF华泰", "HS300ETFHT", true},
      {"26国开05", "26GK05", true},
      {"交银施罗德领航混合A", "JYSLDLHHHA", true},
      {"", "", true},
      {"平安鑫", "PA?", false},
      {"\xE4\xB8", "?", false},  // a truncated character
  };
  for (const Case& c : cases) {
    bool complete = !c.complete;
    EXPECT_EQ(CVocabulary::initialsOf(c.name, &complete), c.initials) << c.name;
    EXPECT_EQ(complete, c.complete) << c.name;
  }
}
