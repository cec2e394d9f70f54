#pragma once
// Records of the smaller lists: the gold exchange's spot and deferred
// contracts (trading type 4), foreign-exchange pairs and forwards (4096),
// commodity warehouse-receipt spot (0x10000) and interest-rate swaps
// (0x1000000). Pure functions: any thread.

#include "datagen/codespace.h"
#include "datagen/records.h"

namespace datagen {

class COtherFactory {
public:
  static void make(const CodeSegment& segment, long long ordinal, int tradeType,
                   CRandomSource& random, InstrumentRecord& record);

  static long long goldCount();
  static long long foreignExchangeCount();
  static long long commoditySpotCount();
  static long long swapCount();
};

}  // namespace datagen
