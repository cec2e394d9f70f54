#include "datagen/codespace.h"

#include "datagen/derivativefactory.h"
#include "datagen/equityfactory.h"
#include "datagen/fixedincomefactory.h"
#include "datagen/otherfactory.h"

#include <algorithm>
#include <cstdio>
#include <numeric>

namespace datagen {

namespace {

CodeSegment numeric(const char* market, SegmentKind kind, long long first, long long size,
                    double weight, int width = 6) {
  CodeSegment segment;
  segment.marketId = market;
  segment.kind = kind;
  segment.first = first;
  segment.size = size;
  segment.width = width;
  segment.weight = weight;
  return segment;
}

CodeSegment derived(SegmentKind kind, long long size, double weight, const char* market = "") {
  return numeric(market, kind, 0, size, weight);
}

// The Shanghai / Shenzhen listing of trading type 1: shares, bonds, funds and
// repos in the exchanges' code ranges, weighted like a real listing (about a
// third shares, the rest mostly bonds and funds).
std::vector<CodeSegment> exchangeListing() {
  return {
      numeric("SH", SegmentKind::MainBoardStock, 600000, 6000, 14),
      numeric("SH", SegmentKind::StarStock, 688000, 1000, 4),
      numeric("SH", SegmentKind::StarCdr, 689000, 1000, 0.3),
      numeric("SZ", SegmentKind::MainBoardStock, 1, 3999, 13),
      numeric("SZ", SegmentKind::GemStock, 300000, 2000, 7),
      numeric("SH", SegmentKind::GovernmentBond, 10000, 10000, 4),
      numeric("SH", SegmentKind::LocalGovernmentBond, 130000, 3000, 3),
      numeric("SH", SegmentKind::CorporateBond, 143000, 46000, 12),
      numeric("SH", SegmentKind::ConvertibleBond, 110000, 4000, 3),
      numeric("SH", SegmentKind::PledgedRepo, 0, CEquityFactory::pledgedRepoCount("SH"), 1),
      numeric("SZ", SegmentKind::GovernmentBond, 100000, 10000, 3),
      numeric("SZ", SegmentKind::CorporateBond, 112000, 3000, 3),
      numeric("SZ", SegmentKind::CorporateBond, 133000, 2000, 1.5),
      numeric("SZ", SegmentKind::CorporateBond, 148000, 2000, 1.5),
      numeric("SZ", SegmentKind::ConvertibleBond, 123000, 6000, 3),
      numeric("SZ", SegmentKind::PledgedRepo, 0, CEquityFactory::pledgedRepoCount("SZ"), 1),
      numeric("SH", SegmentKind::ExchangeTradedFund, 510000, 10000, 6),
      numeric("SH", SegmentKind::ExchangeTradedFund, 560000, 4000, 2),
      numeric("SH", SegmentKind::ExchangeTradedFund, 588000, 1000, 1),
      numeric("SH", SegmentKind::ListedOpenFund, 501000, 2000, 2),
      numeric("SZ", SegmentKind::ExchangeTradedFund, 159000, 1000, 3),
      numeric("SZ", SegmentKind::ListedOpenFund, 160000, 10000, 4),
  };
}

}  // namespace

std::vector<CodeSegment> CCodeSpace::segmentsOf(int tradeType) {
  switch (tradeType) {
    case 0x1:
      return exchangeListing();
    case 0x8:
      // Margin trading: mostly shares, some funds and bonds as collateral.
      return {
          numeric("SH", SegmentKind::MainBoardStock, 600000, 6000, 40),
          numeric("SH", SegmentKind::StarStock, 688000, 1000, 8),
          numeric("SZ", SegmentKind::MainBoardStock, 1, 3999, 35),
          numeric("SZ", SegmentKind::GemStock, 300000, 2000, 15),
          numeric("SH", SegmentKind::ExchangeTradedFund, 510000, 10000, 3),
          numeric("SH", SegmentKind::ExchangeTradedFund, 560000, 4000, 0.5),
          numeric("SZ", SegmentKind::ExchangeTradedFund, 159000, 1000, 2),
          numeric("SZ", SegmentKind::ListedOpenFund, 160000, 10000, 0.5),
          numeric("SH", SegmentKind::GovernmentBond, 10000, 10000, 0.5),
          numeric("SH", SegmentKind::CorporateBond, 143000, 46000, 0.5),
          numeric("SH", SegmentKind::ConvertibleBond, 110000, 4000, 0.3),
          numeric("SZ", SegmentKind::ConvertibleBond, 123000, 6000, 0.3),
      };
    case 0x2:
    case 0x400:
      return {derived(SegmentKind::DomesticFuture, CDerivativeFactory::domesticFutureCount(), 65),
              derived(SegmentKind::DomesticFutureSpread, CDerivativeFactory::domesticSpreadCount(),
                      35)};
    case 0x4:
      return {derived(SegmentKind::GoldExchange, COtherFactory::goldCount(), 1)};
    case 0x10:
      return {derived(SegmentKind::FutureOption, CDerivativeFactory::futureOptionCount(), 1)};
    case 0x20:
      return {numeric("SHO", SegmentKind::StockOption, 10000001,
                      CDerivativeFactory::stockOptionCount("SHO"), 55, 8),
              numeric("SZO", SegmentKind::StockOption, 90000001,
                      CDerivativeFactory::stockOptionCount("SZO"), 45, 8)};
    case 0x40:
    case 0x800:
      return {
          derived(SegmentKind::ForeignFuture, CDerivativeFactory::foreignFutureCount(), 70),
          derived(SegmentKind::ForeignFutureSpread, CDerivativeFactory::foreignSpreadCount(), 30)};
    case 0x80:
      return {numeric("HGT", SegmentKind::HongKongConnectStock, 1, 9999, 55, 5),
              numeric("SGT", SegmentKind::HongKongConnectStock, 1, 9999, 45, 5)};
    case 0x4000:
      return {numeric("HKEX", SegmentKind::HongKongStock, 1, 9999, 60, 5),
              numeric("HKEX", SegmentKind::HongKongWarrant, 10000, 30000, 25, 5),
              numeric("HKEX", SegmentKind::HongKongCallableContract, 50000, 20000, 15, 5)};
    case 0x100:
      return {numeric("NQ", SegmentKind::NeeqStock, 430000, 10000, 25),
              numeric("NQ", SegmentKind::NeeqStock, 830000, 10000, 25),
              numeric("NQ", SegmentKind::NeeqStock, 870000, 10000, 20),
              numeric("NQ", SegmentKind::NeeqStock, 400000, 21000, 5),
              numeric("BJ", SegmentKind::BeijingStock, 830000, 10000, 10),
              numeric("BJ", SegmentKind::BeijingStock, 870000, 4000, 5),
              numeric("BJ", SegmentKind::BeijingStock, 920000, 1000, 10)};
    case 0x200:
      return {numeric("OTC", SegmentKind::OtcFund, 1, 29999, 55),
              numeric("OTC", SegmentKind::OtcFund, 160000, 10000, 10),
              numeric("OTC", SegmentKind::OtcFund, 519000, 1000, 5),
              numeric("OTC", SegmentKind::OtcAssetPlan, 940000, 60000, 20),
              derived(SegmentKind::OtcPrivateFund, 26 * 26 * 1000, 10, "OTC")};
    case 0x1000:
      return {derived(SegmentKind::ForeignExchange, COtherFactory::foreignExchangeCount(), 1)};
    case 0x10000:
      return {derived(SegmentKind::CommoditySpot, COtherFactory::commoditySpotCount(), 1)};
    case 0x100000:
      // The fixed-income platform: bonds and agreed repos, which its list
      // shows, and asset-backed and other products, which it filters out.
      return {numeric("SH", SegmentKind::FiccBond, 10000, 10000, 10),
              numeric("SH", SegmentKind::FiccBond, 143000, 22000, 20),
              numeric("SH", SegmentKind::FiccOther, 165000, 5000, 4),
              numeric("SH", SegmentKind::FiccBond, 170000, 19000, 10),
              numeric("SZ", SegmentKind::FiccBond, 100000, 10000, 8),
              numeric("SZ", SegmentKind::FiccBond, 112000, 3000, 5),
              numeric("SZ", SegmentKind::FiccOther, 135000, 3000, 3),
              numeric("SH", SegmentKind::FiccAgreedRepo, 206001, 365, 3),
              numeric("SZ", SegmentKind::FiccAgreedRepo, 138001, 365, 3)};
    case 0x800000:
      // A broker's mixed list: shares, domestic futures and options.
      return {numeric("SH", SegmentKind::MainBoardStock, 600000, 6000, 20),
              numeric("SZ", SegmentKind::MainBoardStock, 1, 3999, 15),
              numeric("SZ", SegmentKind::GemStock, 300000, 2000, 8),
              numeric("SH", SegmentKind::StarStock, 688000, 1000, 5),
              derived(SegmentKind::DomesticFuture, CDerivativeFactory::domesticFutureCount(), 25),
              numeric("SHO", SegmentKind::StockOption, 10000001,
                      CDerivativeFactory::stockOptionCount("SHO"), 10, 8),
              numeric("SZO", SegmentKind::StockOption, 90000001,
                      CDerivativeFactory::stockOptionCount("SZO"), 7, 8),
              derived(SegmentKind::FutureOption, CDerivativeFactory::futureOptionCount(), 10)};
    case 0x1000000:
      return {derived(SegmentKind::InterestRateSwap, COtherFactory::swapCount(), 1)};
    case 0x8000:
    case 0x2000000:
      return {
          derived(SegmentKind::InterBankTreasury,
                  CFixedIncomeFactory::codeCount(SegmentKind::InterBankTreasury), 8, "NIB"),
          derived(SegmentKind::InterBankPolicyBank,
                  CFixedIncomeFactory::codeCount(SegmentKind::InterBankPolicyBank), 12, "NIB"),
          derived(SegmentKind::InterBankLocalGovernment,
                  CFixedIncomeFactory::codeCount(SegmentKind::InterBankLocalGovernment), 25, "NIB"),
          derived(SegmentKind::InterBankEnterprise,
                  CFixedIncomeFactory::codeCount(SegmentKind::InterBankEnterprise), 10, "NIB"),
          derived(SegmentKind::InterBankMediumTermNote,
                  CFixedIncomeFactory::codeCount(SegmentKind::InterBankMediumTermNote), 20, "NIB"),
          derived(SegmentKind::InterBankCommercialPaper,
                  CFixedIncomeFactory::codeCount(SegmentKind::InterBankCommercialPaper), 10, "NIB"),
          derived(SegmentKind::InterBankDepositCertificate,
                  CFixedIncomeFactory::codeCount(SegmentKind::InterBankDepositCertificate), 15,
                  "NIB")};
    default:
      return {};
  }
}

long long CCodeSpace::capacity(const std::vector<CodeSegment>& segments) {
  long long total = 0;
  for (const CodeSegment& segment : segments) total += std::max(0LL, segment.size);
  return total;
}

bool CCodeSpace::allocate(const std::vector<CodeSegment>& segments, long long count,
                          CRandomSource& random, std::vector<CodePick>& out, std::string* error) {
  out.clear();
  if (count <= 0) return true;
  const long long available = capacity(segments);
  if (count > available) {
    if (error != nullptr) {
      *error = "the code space holds " + std::to_string(available) + " codes, " +
               std::to_string(count) + " were asked for";
    }
    return false;
  }
  // Water-filling: each round gives every open segment its weighted share of
  // what is left, capped by its room; rounding leftovers go one by one to the
  // heaviest open segments.
  const std::size_t n = segments.size();
  std::vector<long long> quota(n, 0);
  long long remaining = count;
  while (remaining > 0) {
    double openWeight = 0;
    for (std::size_t i = 0; i < n; ++i) {
      if (quota[i] < segments[i].size) openWeight += std::max(segments[i].weight, 1e-9);
    }
    long long given = 0;
    for (std::size_t i = 0; i < n; ++i) {
      if (quota[i] >= segments[i].size) continue;
      const double share =
          static_cast<double>(remaining) * std::max(segments[i].weight, 1e-9) / openWeight;
      const long long add = std::min(static_cast<long long>(share), segments[i].size - quota[i]);
      quota[i] += add;
      given += add;
    }
    if (given == 0) {
      std::vector<std::size_t> order(n);
      std::iota(order.begin(), order.end(), 0);
      std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return segments[a].weight > segments[b].weight;
      });
      for (std::size_t i : order) {
        if (given == remaining) break;
        if (quota[i] < segments[i].size) {
          ++quota[i];
          ++given;
        }
      }
    }
    remaining -= given;
  }
  // Selection sampling (Knuth's algorithm S): each ordinal is taken with
  // probability needed / left, which draws exactly quota[i] distinct
  // ordinals in ascending order without a set of the ones taken.
  out.reserve(static_cast<std::size_t>(count));
  for (std::size_t i = 0; i < n; ++i) {
    long long needed = quota[i];
    const long long size = segments[i].size;
    for (long long ordinal = 0; ordinal < size && needed > 0; ++ordinal) {
      if (static_cast<long long>(random.below(static_cast<std::uint64_t>(size - ordinal))) <
          needed) {
        out.push_back(CodePick{static_cast<int>(i), ordinal});
        --needed;
      }
    }
  }
  return true;
}

std::uint64_t CCodeSpace::recordStream(const CodeSegment& segment, long long ordinal) {
  // FNV-1a over the segment's identity and the ordinal.
  std::uint64_t hash = 0xCBF29CE484222325ULL;
  const auto mix = [&hash](std::uint64_t value) {
    for (int i = 0; i < 8; ++i) {
      hash ^= (value >> (8 * i)) & 0xFF;
      hash *= 0x100000001B3ULL;
    }
  };
  for (char c : segment.marketId) mix(static_cast<unsigned char>(c));
  mix(static_cast<std::uint64_t>(segment.kind));
  mix(static_cast<std::uint64_t>(segment.first));
  mix(static_cast<std::uint64_t>(ordinal));
  return hash;
}

std::string CCodeSpace::numericCode(const CodeSegment& segment, long long ordinal) {
  char text[24];
  std::snprintf(text, sizeof text, "%0*lld", segment.width, segment.first + ordinal);
  return text;
}

}  // namespace datagen
