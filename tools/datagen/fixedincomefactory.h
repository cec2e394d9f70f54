#pragma once
// Bonds of the inter-bank market: their codes and names by issuer kind (the
// market's own numbering: 240205 for the fifth China Development Bank issue
// of 2024, 102480123 for a medium-term note, ...), the inter-bank bond
// records (interbank_bonds.jsonl) and the identity of primary-market tender
// bonds, which CTenderFactory completes. Pure functions: any thread.

#include "datagen/codespace.h"
#include "datagen/records.h"

namespace datagen {

class CFixedIncomeFactory {
public:
  // The first year of inter-bank codes; codes cover kYears years from it.
  static constexpr int kFirstYear = 2015;
  static constexpr int kYears = 12;

  // Codes of one issuer kind in one year.
  static long long codesPerYear(SegmentKind kind);
  // Codes of one issuer kind over all years.
  static long long codeCount(SegmentKind kind);

  // Who issues a bond and what it is called.
  struct BondIdentity {
    std::string code;
    std::string shortName;
    std::string fullName;
    std::string issuerName;
    std::string issuerCode;
    std::string industry;
    int year = kFirstYear;
    int sequence = 1;
    int bondType = 0;         // mxservice::EIbBondType
    int bondTypeDetail = 0;   // mxservice::EIbBondTypeDetail
    int issuerAttribute = 0;  // mxservice::EIbBondIssuer
    int issuerType = 0;       // mxservice::ETenderIssuer
    bool cityInvestment = false;
    std::vector<double> terms;  // usual terms in years for this kind
  };
  // sequence counts from 0 within the year.
  static BondIdentity identity(SegmentKind kind, int year, long long sequence,
                               CRandomSource& random);

  static void makeInterBankBond(const CodeSegment& segment, long long ordinal,
                                CRandomSource& random, InterBankBondRecord& record);

  // "第五期", "第一百二十三期": the issue number in full names.
  static std::string chineseNumber(int value);
};

}  // namespace datagen
