#pragma once
// One instrument record for a code-space pick, whatever its kind: hands the
// pick to the factory of the segment's kind. Pure function: any thread.

#include "datagen/codespace.h"
#include "datagen/records.h"

namespace datagen {

class CInstrumentFactory {
public:
  // Kinds of fund plans and inter-bank bonds are not instruments: record is
  // then left empty and false is returned.
  static bool make(const CodeSegment& segment, long long ordinal, int tradeType,
                   CRandomSource& random, InstrumentRecord& record);
};

}  // namespace datagen
