#pragma once
// The fixed parts of every data set: the exchange table, the display names of
// the host enums the panels show, and the trading types that have an
// instrument list. Read-only static data: any thread.

#include "datagen/records.h"

#include <map>
#include <string>
#include <vector>

namespace datagen {

class CReferenceData {
public:
  // Every market a generated record can name.
  static const std::vector<ExchangeRecord>& exchanges();
  // enums.json: enum name -> value -> display text.
  static const std::map<std::string, std::map<int, std::string>>& enumNames();
  // The trading types the generator can fill, in the order the files list
  // them: the instrument lists, 512 (fund plans) and 32768 (inter-bank bonds;
  // 0x2000000 lists the same bonds).
  static const std::vector<int>& listedTradeTypes();
  // Share of each trading type in a "mixed" set (relative weights).
  static double mixedWeight(int tradeType);
};

}  // namespace datagen
