#pragma once
// Code spaces: where the instruments of a trading type take their codes.
//
// A trading type's codes come from segments that follow the real numbering
// of its markets (Shanghai A shares 600000-605999, STAR 688xxx, Shenzhen
// 000001-003999, GEM 300xxx, bonds, funds, futures contracts by product and
// month, ...). A segment is a range of ordinals; the factory of the segment's
// kind turns an ordinal into a code and a record. Every ordinal gives a
// different code, and segments of one trading type never overlap, so choosing
// distinct ordinals gives distinct stock keys.
//
// allocate() spreads a count over the segments by their weights (a segment
// that runs out passes its share on to the others) and draws the ordinals of
// each segment without repetition, in ascending order, so a listing reads in
// code order like a real one. Pure functions: any thread.

#include "datagen/randomsource.h"

#include <string>
#include <vector>

namespace datagen {

enum class SegmentKind {
  // Shanghai / Shenzhen exchange (trading types 1, 8, 0x800000, 0x100000).
  MainBoardStock,
  StarStock,
  StarCdr,
  GemStock,
  GovernmentBond,
  LocalGovernmentBond,
  CorporateBond,
  ConvertibleBond,
  PledgedRepo,
  ExchangeTradedFund,
  ListedOpenFund,
  FiccBond,
  FiccAgreedRepo,
  FiccOther,
  // NEEQ and Beijing exchange (256).
  NeeqStock,
  BeijingStock,
  // Hong Kong (128, 16384).
  HongKongConnectStock,
  HongKongStock,
  HongKongWarrant,
  HongKongCallableContract,
  // Derivatives.
  DomesticFuture,
  DomesticFutureSpread,
  FutureOption,
  StockOption,
  ForeignFuture,
  ForeignFutureSpread,
  // Other lists.
  GoldExchange,
  ForeignExchange,
  CommoditySpot,
  InterestRateSwap,
  // Over-the-counter fund plans (512, fundplans.jsonl).
  OtcFund,
  OtcAssetPlan,
  OtcPrivateFund,
  // Inter-bank bonds (32768 / 0x2000000, interbank_bonds.jsonl) and tender
  // bonds: bonds of the inter-bank market by issuer kind.
  InterBankTreasury,
  InterBankPolicyBank,
  InterBankLocalGovernment,
  InterBankEnterprise,
  InterBankMediumTermNote,
  InterBankCommercialPaper,
  InterBankDepositCertificate,
};

struct CodeSegment {
  std::string marketId;  // for numeric segments; factories of other kinds choose it
  SegmentKind kind = SegmentKind::MainBoardStock;
  long long first = 0;  // numeric segments: the code of ordinal 0
  long long size = 0;   // number of ordinals
  int width = 6;        // numeric segments: digits, zero-padded
  double weight = 1.0;  // share of the trading type's instruments
};

struct CodePick {
  int segment = 0;  // index into the segment list
  long long ordinal = 0;
};

class CCodeSpace {
public:
  // The segments of a trading type (empty for a type without an instrument
  // list, such as 0x8000000 or the inter-bank types).
  static std::vector<CodeSegment> segmentsOf(int tradeType);
  static long long capacity(const std::vector<CodeSegment>& segments);

  // count distinct picks, in segment order and ascending ordinal within a
  // segment. Fails (returns false, *error set) when the segments cannot hold
  // count codes; out is then empty.
  static bool allocate(const std::vector<CodeSegment>& segments, long long count,
                       CRandomSource& random, std::vector<CodePick>& out, std::string* error);

  // The random stream of one pick's record. It depends on the segment's
  // identity and the ordinal only, so a share listed under several trading
  // types (1, 8, 0x800000) or a contract under 2 and 1024 is the same record
  // in each list, as the exchange client would hold it.
  static std::uint64_t recordStream(const CodeSegment& segment, long long ordinal);

  // The code of a numeric segment's ordinal: zero-padded decimal.
  static std::string numericCode(const CodeSegment& segment, long long ordinal);
};

}  // namespace datagen
