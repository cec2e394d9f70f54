#pragma once
// Over-the-counter fund plans (trading type 512, fundplans.jsonl): mutual
// funds (base information type 1) with their category, subscription status,
// limits and dividend modes, and the products that are not funds in the
// fund sense (broker asset-management plans, private funds), whose
// fund-only cells the panel leaves as "-". Pure functions: any thread.

#include "datagen/codespace.h"
#include "datagen/records.h"

namespace datagen {

class CFundFactory {
public:
  static void make(const CodeSegment& segment, long long ordinal, CRandomSource& random,
                   FundPlanRecord& record);
};

}  // namespace datagen
