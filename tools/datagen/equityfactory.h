#pragma once
// Records of exchange-listed securities: Shanghai and Shenzhen shares, bonds,
// funds and repos; NEEQ and Beijing exchange shares; Hong Kong shares,
// warrants and callable bull/bear contracts. Prices, limits and capital are
// drawn so that they hang together (limits around the previous close by the
// board's limit rule, ticks by market). Pure functions of their arguments:
// any thread.

#include "datagen/codespace.h"
#include "datagen/records.h"

namespace datagen {

class CEquityFactory {
public:
  // Fills record for one ordinal of a segment of the kinds above; tradeType
  // is written as given (the same share can be listed under 1, 8 and
  // 0x800000).
  static void make(const CodeSegment& segment, long long ordinal, int tradeType,
                   CRandomSource& random, InstrumentRecord& record);

  // Number of codes of the fixed pledged-repo lists.
  static long long pledgedRepoCount(const std::string& marketId);

  // A listed company's name: a brand or place, then an industry (平安银行).
  static std::string companyName(CRandomSource& random);

private:
  static void makeShare(const CodeSegment& segment, CRandomSource& random, InstrumentRecord& r);
  static void makeBond(const CodeSegment& segment, long long ordinal, CRandomSource& random,
                       InstrumentRecord& r);
  static void makeFund(const CodeSegment& segment, CRandomSource& random, InstrumentRecord& r);
  static void makeNeeqShare(const CodeSegment& segment, CRandomSource& random, InstrumentRecord& r);
  static void makeHongKong(const CodeSegment& segment, CRandomSource& random, InstrumentRecord& r);
};

}  // namespace datagen
