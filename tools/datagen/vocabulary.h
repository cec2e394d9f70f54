#pragma once
// The words instrument names are composed of, each with the initials of its
// pinyin (the letters a user types to find it: "PAYH" for 平安银行).
//
// Real names are two-syllable words put together (a brand or place, then an
// industry), so composing them from pools of such words gives filters the
// shares they have on a real market: a given pair of initials picks out a
// small fraction of the list, a given word a larger one. The pools are far
// from complete Chinese; they only have to cover every name the generator
// writes, which CVocabulary::initialsOf checks.
//
// Read-only static data: any thread.

#include <string>
#include <string_view>
#include <vector>

namespace datagen {

struct Word {
  const char* text;      // UTF-8
  const char* initials;  // one upper-case letter per Chinese character
};

class CVocabulary {
public:
  // Brands and places that open a listed company's name (平安, 招商, 宁波).
  static const std::vector<Word>& companyBrands();
  // Industries and legal forms that end it (银行, 电力, 科技, 控股).
  static const std::vector<Word>& companyIndustries();
  // Endings of Hong Kong listed names (控股, 集团, 国际, 置地).
  static const std::vector<Word>& hongKongSuffixes();
  // Short names of provinces and planned cities, as in local government bonds.
  static const std::vector<Word>& provinces();
  // Fund management companies (华夏, 易方达, 景顺长城).
  static const std::vector<Word>& fundCompanies();
  // Investment themes of active funds (成长, 蓝筹, 红利).
  static const std::vector<Word>& fundThemes();
  // Fund categories closing a fund name (混合, 债券, 货币).
  static const std::vector<Word>& fundStyles();
  // Index and sector names of exchange-traded funds (沪深300, 证券, 半导体).
  static const std::vector<Word>& etfIndexes();
  // Issuers of Hong Kong warrants and callable bull/bear contracts.
  static const std::vector<Word>& warrantIssuers();
  // Fixed words of name templates (国债, 转债, 购, 沽, 月, 退, 远期, ...).
  static const std::vector<Word>& templateWords();

  // The pinyin initials of a name: each known word gives its initials, ASCII
  // letters are upper-cased and ASCII digits and signs are kept. A character
  // that no word covers gives '?' and sets *complete to false (the tests use
  // this to prove that every generated name is covered).
  static std::string initialsOf(std::string_view name, bool* complete = nullptr);
};

}  // namespace datagen
