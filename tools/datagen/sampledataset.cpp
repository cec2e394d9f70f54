#include "datagen/sampledataset.h"

#include "datagen/codespace.h"
#include "datagen/derivativefactory.h"
#include "datagen/fixedincomefactory.h"
#include "datagen/fundfactory.h"
#include "datagen/instrumentfactory.h"
#include "datagen/otherfactory.h"
#include "datagen/pricing.h"
#include "datagen/referencedata.h"
#include "datagen/tenderfactory.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

namespace datagen {

namespace {

constexpr std::uint64_t kSampleSeed = 20240517;
// Contracts of the sample trade in the coming year.
constexpr int kContractYear = 2027;
// Tender bonds of the sample carry codes of this year.
constexpr int kTenderYear = 2026;

constexpr long long kCleanPrice = 16777216;

// The instruments of one trading type, kept in code-space order (segment,
// then ordinal) like a real listing, with hand-picked ones merged in.
class CSampleListing {
public:
  CSampleListing(int tradeType, const CRandomSource& root)
      : m_tradeType(tradeType),
        m_segments(CCodeSpace::segmentsOf(tradeType)),
        m_random(root.fork(0x100000000ULL + static_cast<std::uint64_t>(tradeType))),
        m_records(root.fork(13)) {}

  void fill(long long count) {
    std::vector<CodePick> picks;
    CCodeSpace::allocate(m_segments, count, m_random, picks, nullptr);
    for (const CodePick& pick : picks) add(pick.segment, pick.ordinal);
  }

  // The record of a pick, made when missing. nullptr for an ordinal outside
  // its segment.
  InstrumentRecord* add(int segment, long long ordinal) {
    if (segment < 0 || segment >= static_cast<int>(m_segments.size()) || ordinal < 0 ||
        ordinal >= m_segments[static_cast<std::size_t>(segment)].size) {
      return nullptr;
    }
    for (Entry& entry : m_entries) {
      if (entry.segment == segment && entry.ordinal == ordinal) return &entry.record;
    }
    Entry entry{segment, ordinal, InstrumentRecord()};
    const CodeSegment& s = m_segments[static_cast<std::size_t>(segment)];
    CRandomSource random = m_records.fork(CCodeSpace::recordStream(s, ordinal));
    CInstrumentFactory::make(s, ordinal, m_tradeType, random, entry.record);
    m_entries.push_back(entry);
    return &m_entries.back().record;
  }

  int segmentOf(SegmentKind kind, const std::string& market = std::string()) const {
    for (std::size_t i = 0; i < m_segments.size(); ++i) {
      if (m_segments[i].kind == kind && (market.empty() || m_segments[i].marketId == market)) {
        return static_cast<int>(i);
      }
    }
    return -1;
  }

  // The record of a numeric code, made when missing.
  InstrumentRecord* addCode(const std::string& market, long long code) {
    for (std::size_t i = 0; i < m_segments.size(); ++i) {
      const CodeSegment& s = m_segments[i];
      if (s.marketId == market && s.kind != SegmentKind::PledgedRepo && code >= s.first &&
          code < s.first + s.size) {
        return add(static_cast<int>(i), code - s.first);
      }
    }
    return nullptr;
  }

  std::vector<InstrumentRecord*> records() {
    std::stable_sort(m_entries.begin(), m_entries.end(), [](const Entry& a, const Entry& b) {
      return a.segment != b.segment ? a.segment < b.segment : a.ordinal < b.ordinal;
    });
    std::vector<InstrumentRecord*> out;
    for (Entry& entry : m_entries) out.push_back(&entry.record);
    return out;
  }

private:
  struct Entry {
    int segment;
    long long ordinal;
    InstrumentRecord record;
  };
  int m_tradeType;
  std::vector<CodeSegment> m_segments;
  CRandomSource m_random;   // chooses codes
  CRandomSource m_records;  // forked per record, shared by every listing
  std::vector<Entry> m_entries;
};

// Hand-made records, by stock key: they read the same in every list that
// holds them (the stock list, margin trading, the mixed list).
void applyOverrides(InstrumentRecord& r) {
  const std::string key = r.code + "." + r.marketId;
  const auto limits = [&r](double percent) {
    r.upperLimit = roundTo(r.preClose * (1 + percent), 2);
    r.lowerLimit = roundTo(r.preClose * (1 - percent), 2);
  };
  if (key == "000001.SZ") {
    r.name = "平安银行";
  } else if (key == "688981.SH") {
    r.name = "紫光国际";
    r.stockKind = 1172;
    r.attributeFlags = 2;
  } else if (key == "688235.SH") {
    // Not yet profitable and with differential voting rights: -UW.
    r.name = "科大智能-UW";
    r.stockKind = 1172;
    r.attributeFlags = 16;
  } else if (key == "600146.SH") {
    r.name = "中天退";
    r.stockKind = 1193;
    r.attributeFlags = 0;
    limits(0.10);
  } else if (key == "002505.SZ") {
    r.name = "*ST海南";
    r.attributeFlags = 0;
    limits(0.05);
  } else if (key == "019733.SH" || key == "102401.SZ") {
    r.name = "24国债01";
  } else if (key == "185678.SH" || key == "148012.SH") {
    // Privately placed: professional investors only.
    r.name = key == "185678.SH" ? "22万科05" : "21招商02";
    r.qualifiedInvestor = 1;
    r.bondKindText = "公司债";
    r.attributeFlags = kCleanPrice;
  } else if (key == "113052.SH") {
    r.name = "兴业转债";
  } else if (key == "123107.SZ") {
    r.name = "温氏转债";
  } else if (key == "510050.SH") {
    r.name = "上证50ETF";
  } else if (key == "510300.SH") {
    r.name = "沪深300ETF华泰";
  } else if (key == "588000.SH") {
    r.name = "科创50ETF";
  } else if (key == "159915.SZ") {
    r.name = "创业板ETF";
  } else if (key == "159919.SZ") {
    r.name = "沪深300ETF嘉实";
  }
}

void writeListing(CSampleListing& listing, int tradeType, CDataSetWriter& writer,
                  ListingTrail& trail, GenerationSummary& summary) {
  for (InstrumentRecord* record : listing.records()) {
    applyOverrides(*record);
    writer.write(*record);
    ++summary.instruments;
    ++summary.listedByTradeType[tradeType];
    const std::string key = record->code + "." + record->marketId;
    auto& favourites = trail.favourites[tradeType];
    if (favourites.size() < 3 && summary.listedByTradeType[tradeType] % 5 == 2)
      favourites.push_back(key);
    if (record->isExchangeBond && trail.exchangeBondKeys.insert(key).second) {
      trail.exchangeBonds.push_back(*record);
    }
  }
}

// Shanghai / Shenzhen: the cases the stock list has to show.
void completeStockList(CSampleListing& list) {
  for (const auto& code : std::vector<std::pair<const char*, long long>>{
           {"SZ", 1},      {"SH", 600000}, {"SH", 600036}, {"SH", 601318}, {"SZ", 300750},
           {"SZ", 300059}, {"SH", 688981}, {"SH", 688235}, {"SH", 689009}, {"SH", 600146},
           {"SZ", 2505},   {"SH", 19733},  {"SZ", 102401}, {"SH", 185678}, {"SH", 148012},
           {"SH", 113052}, {"SZ", 123107}, {"SH", 510050}, {"SH", 510300}, {"SH", 588000},
           {"SZ", 159915}, {"SZ", 159919}}) {
    list.addCode(code.first, code.second);
  }
  // The pledged repos GC001, GC007, R-001 and R-007.
  const int shRepo = list.segmentOf(SegmentKind::PledgedRepo, "SH");
  const int szRepo = list.segmentOf(SegmentKind::PledgedRepo, "SZ");
  list.add(shRepo, 0);
  list.add(shRepo, 4);
  list.add(szRepo, 0);
  list.add(szRepo, 4);
}

void addFutures(CSampleListing& list, const std::vector<const char*>& products,
                const std::vector<int>& months) {
  const int outright = list.segmentOf(SegmentKind::DomesticFuture);
  for (const char* product : products) {
    for (int month : months) {
      list.add(outright, CDerivativeFactory::domesticFutureOrdinal(product, kContractYear, month));
    }
  }
}

void addForeign(CSampleListing& list, const std::vector<const char*>& products,
                const std::vector<int>& months) {
  const int outright = list.segmentOf(SegmentKind::ForeignFuture);
  for (const char* product : products) {
    for (int month : months) {
      list.add(outright, CDerivativeFactory::foreignFutureOrdinal(product, kContractYear, month));
    }
  }
}

// Tender bonds on the load day show one status each; the rest spread over
// five days either side.
struct TenderPlan {
  SegmentKind kind;
  int offsetDays;
  TenderCommandPattern pattern;
  int commands;
};

const TenderPlan kTenderPlans[] = {
    {SegmentKind::InterBankPolicyBank, 0, TenderCommandPattern::Approving, 2},
    {SegmentKind::InterBankPolicyBank, 0, TenderCommandPattern::ApprovingAndRunning, 3},
    {SegmentKind::InterBankLocalGovernment, 0, TenderCommandPattern::Running, 2},
    {SegmentKind::InterBankPolicyBank, 0, TenderCommandPattern::Locked, 3},
    {SegmentKind::InterBankTreasury, 0, TenderCommandPattern::FinishedAmongRevoked, 3},
    {SegmentKind::InterBankLocalGovernment, 0, TenderCommandPattern::AllRevoked, 3},
    {SegmentKind::InterBankEnterprise, 0, TenderCommandPattern::RevokedWithUnlisted, 2},
    {SegmentKind::InterBankMediumTermNote, 0, TenderCommandPattern::NoCommands, 0},
    {SegmentKind::InterBankCommercialPaper, 0, TenderCommandPattern::StringParameterOnly, 2},
    {SegmentKind::InterBankPolicyBank, 0, TenderCommandPattern::Approving, 1},
};

const TenderCommandPattern kCycle[] = {
    TenderCommandPattern::NoCommands,
    TenderCommandPattern::Approving,
    TenderCommandPattern::ApprovingAndRunning,
    TenderCommandPattern::Locked,
    TenderCommandPattern::FinishedAmongRevoked,
    TenderCommandPattern::AllRevoked,
    TenderCommandPattern::Running,
    TenderCommandPattern::NoCommands,
    TenderCommandPattern::RevokedWithUnlisted,
    TenderCommandPattern::FinishedAmongRevoked,
};

const SegmentKind kKindCycle[] = {
    SegmentKind::InterBankPolicyBank,      SegmentKind::InterBankLocalGovernment,
    SegmentKind::InterBankPolicyBank,      SegmentKind::InterBankMediumTermNote,
    SegmentKind::InterBankTreasury,        SegmentKind::InterBankEnterprise,
    SegmentKind::InterBankPolicyBank,      SegmentKind::InterBankCommercialPaper,
    SegmentKind::InterBankLocalGovernment, SegmentKind::InterBankPolicyBank,
};

void writeTenders(CDataSetWriter& writer, CRandomSource& random, GenerationSummary& summary) {
  std::vector<TenderPlan> plans(std::begin(kTenderPlans), std::end(kTenderPlans));
  const int offsets[] = {-5, -4, -3, -2, -1, 1, 2, 3, 4, 5};
  for (int i = 0; i < 30; ++i) {
    const TenderCommandPattern pattern = kCycle[i % 10];
    plans.push_back(TenderPlan{kKindCycle[(i * 3) % 10], offsets[i % 10], pattern,
                               pattern == TenderCommandPattern::NoCommands ? 0 : 2 + i % 3});
  }
  std::map<SegmentKind, long long> nextOrdinal;
  std::vector<TenderBondRecord> bonds;
  std::vector<OrderCommandRecord> commands;
  for (std::size_t i = 0; i < plans.size(); ++i) {
    const TenderPlan& plan = plans[i];
    CodeSegment segment;
    segment.kind = plan.kind;
    segment.size = CFixedIncomeFactory::codesPerYear(plan.kind);
    // Policy banks issue in turn; other kinds number their issues upwards.
    long long& counter = nextOrdinal[plan.kind];
    const long long ordinal = plan.kind == SegmentKind::InterBankPolicyBank
                                  ? (counter % 3) * 99 + 20 + counter
                                  : 11 + counter * 7;
    ++counter;
    TenderBondRecord bond;
    CTenderFactory::makeBond(segment, ordinal, kTenderYear, plan.offsetDays, random, bond);
    CTenderFactory::applyWorkflow(plan.pattern, random, bond);
    if (i == 9) {
      // Right at the threshold of "only bonds with an internal report
      // amount": 0.00001 is not above it, so the check box hides this bond.
      bond.internalAmount = 0.00001;
    }
    if (i == 0) bond.internalAmount = 0.00002;
    CTenderFactory::appendCommands(plan.pattern, bond, plan.commands, random, commands);
    if (plan.pattern == TenderCommandPattern::AllRevoked && plan.offsetDays == 0) {
      // A malformed command of a revoked bond: were its string "btdparam"
      // read as the bond's, the bond would show as approving.
      CTenderFactory::appendCommands(TenderCommandPattern::StringParameterOnly, bond, 1, random,
                                     commands);
      commands.back().status = 0;
    }
    bonds.push_back(bond);
  }
  for (int i = 0; i < 8; ++i) commands.push_back(CTenderFactory::otherCommand(random));
  for (std::size_t i = commands.size(); i > 1; --i) {
    std::swap(commands[i - 1], commands[static_cast<std::size_t>(random.below(i))]);
  }
  int nextId = 1001;
  for (OrderCommandRecord& command : commands) {
    command.commandId = nextId++;
    if (command.tradeType == 0x8000000) ++summary.tenderCommands;
    writer.write(command);
    ++summary.orderCommands;
  }
  for (const TenderBondRecord& bond : bonds) {
    writer.write(bond);
    ++summary.tenderBonds;
  }
}

}  // namespace

bool CSampleDataSet::write(const std::string& directory, GenerationSummary* summary,
                           std::string* error) {
  GenerationSummary local;
  GenerationSummary& s = summary != nullptr ? *summary : local;
  s = GenerationSummary();
  const CRandomSource root(kSampleSeed);
  CDataSetWriter writer;
  if (!writer.open(directory, error)) return false;
  CDataGenerator::writeExchanges(writer, s);
  ListingTrail trail;

  // Stocks, bonds, funds and repos.
  CSampleListing stocks(0x1, root);
  stocks.fill(90);
  completeStockList(stocks);
  writeListing(stocks, 0x1, writer, trail, s);

  // Domestic futures: the front contracts of products with fees by lot and
  // by amount, and plywood, whose intraday close fee is -1 (not charged).
  CSampleListing futures(0x2, root);
  addFutures(futures,
             {"cu", "al", "au", "rb", "sc", "m", "c", "i", "SR", "CF", "MA", "IF", "T", "bb", "lc"},
             {1, 5});
  futures.add(futures.segmentOf(SegmentKind::DomesticFutureSpread),
              CDerivativeFactory::domesticFutureOrdinal("m", kContractYear, 1) * 11 + 3);
  writeListing(futures, 0x2, writer, trail, s);

  CSampleListing gold(0x4, root);
  gold.fill(COtherFactory::goldCount());
  writeListing(gold, 0x4, writer, trail, s);

  CSampleListing credit(0x8, root);
  credit.fill(22);
  credit.addCode("SH", 600036);
  credit.addCode("SZ", 1);
  writeListing(credit, 0x8, writer, trail, s);

  CSampleListing futureOptions(0x10, root);
  for (const char* product : {"m", "SR", "cu", "IF", "au"}) {
    for (int offset : {-2, 0, 2}) {
      for (bool call : {true, false}) {
        if (offset != 0 && call == (offset < 0)) continue;  // out of the money only
        futureOptions.add(
            0, CDerivativeFactory::futureOptionOrdinal(product, kContractYear, 3, offset, call));
      }
    }
  }
  writeListing(futureOptions, 0x10, writer, trail, s);

  // Stock options: 50ETF购3月3000 is eight strike steps above 2.6.
  CSampleListing stockOptions(0x20, root);
  for (int month : {1, 2, 3}) {
    for (int offset : {-2, 0, 8}) {
      for (bool call : {true, false}) {
        stockOptions.add(0, CDerivativeFactory::stockOptionOrdinal("510050", kContractYear, month,
                                                                   offset, call));
      }
    }
  }
  for (int offset : {-1, 1}) {
    stockOptions.add(
        0, CDerivativeFactory::stockOptionOrdinal("510300", kContractYear, 3, offset, true));
    stockOptions.add(
        1, CDerivativeFactory::stockOptionOrdinal("159915", kContractYear, 3, offset, false));
  }
  writeListing(stockOptions, 0x20, writer, trail, s);

  // Foreign futures: the commodity group (CL GC SI HG NG ZC ZS), the
  // interest-rate group (ZN ZB ZF) and others in several currencies.
  CSampleListing foreign(0x40, root);
  addForeign(foreign, {"CL", "GC", "SI", "HG", "NG", "ZC", "ZS", "ZN", "ZB", "ZF"}, {3});
  addForeign(foreign, {"CL", "GC", "ES", "NQ", "6E", "CAD", "B", "Z", "I", "CN", "NK", "KC"}, {6});
  foreign.add(foreign.segmentOf(SegmentKind::ForeignFutureSpread),
              CDerivativeFactory::foreignFutureOrdinal("CL", kContractYear, 3) * 11);
  foreign.add(foreign.segmentOf(SegmentKind::ForeignFutureSpread),
              CDerivativeFactory::foreignFutureOrdinal("ZN", kContractYear, 3) * 11 + 2);
  writeListing(foreign, 0x40, writer, trail, s);

  CSampleListing connect(0x80, root);
  connect.fill(20);
  writeListing(connect, 0x80, writer, trail, s);

  // NEEQ innovation (1) and basic (2) layers, Beijing exchange (3).
  CSampleListing neeq(0x100, root);
  neeq.fill(18);
  if (InstrumentRecord* r = neeq.addCode("NQ", 430047)) r->neeqLayer = 1;
  if (InstrumentRecord* r = neeq.addCode("NQ", 831010)) r->neeqLayer = 2;
  neeq.addCode("BJ", 920001);
  writeListing(neeq, 0x100, writer, trail, s);

  CSampleListing secondFutures(0x400, root);
  addFutures(secondFutures, {"IC", "IM", "TF", "hc", "p", "TA"}, {3, 9});
  writeListing(secondFutures, 0x400, writer, trail, s);

  CSampleListing foreignProducts(0x800, root);
  addForeign(foreignProducts, {"MGC", "QM", "YM", "6J", "6B", "PL", "LE", "SB", "TW", "FEF"}, {9});
  writeListing(foreignProducts, 0x800, writer, trail, s);

  CSampleListing forex(0x1000, root);
  for (long long ordinal : {0, 2, 3, 8, 16, 24, 32, 80, 96, 88}) forex.add(0, ordinal);
  writeListing(forex, 0x1000, writer, trail, s);

  CSampleListing hongKong(0x4000, root);
  hongKong.fill(16);
  writeListing(hongKong, 0x4000, writer, trail, s);

  CSampleListing spot(0x10000, root);
  spot.fill(8);
  writeListing(spot, 0x10000, writer, trail, s);

  // Fixed income: bonds and agreed repos are listed, an asset-backed
  // security and another product are filtered out by the list.
  CSampleListing ficc(0x100000, root);
  ficc.fill(12);
  ficc.add(ficc.segmentOf(SegmentKind::FiccAgreedRepo, "SH"), 0);
  ficc.add(ficc.segmentOf(SegmentKind::FiccAgreedRepo, "SH"), 6);
  ficc.add(ficc.segmentOf(SegmentKind::FiccOther, "SH"), 100);
  ficc.add(ficc.segmentOf(SegmentKind::FiccOther, "SZ"), 7);
  writeListing(ficc, 0x100000, writer, trail, s);

  CSampleListing mixed(0x800000, root);
  mixed.fill(14);
  addFutures(mixed, {"rb", "IF"}, {5});
  for (int offset : {0, 1}) {
    mixed.add(mixed.segmentOf(SegmentKind::StockOption, "SHO"),
              CDerivativeFactory::stockOptionOrdinal("510050", kContractYear, 3, offset, true));
  }
  mixed.add(mixed.segmentOf(SegmentKind::FutureOption),
            CDerivativeFactory::futureOptionOrdinal("m", kContractYear, 5, 0, true));
  mixed.addCode("SH", 600000);
  writeListing(mixed, 0x800000, writer, trail, s);

  CSampleListing swaps(0x1000000, root);
  swaps.fill(8);
  writeListing(swaps, 0x1000000, writer, trail, s);

  // Fund plans: mutual funds and non-fund products; the first fund has no
  // daily subscription cap (0, shown as not available).
  {
    CRandomSource random = root.fork(0x100000000ULL + 0x200);
    const auto segments = CCodeSpace::segmentsOf(0x200);
    std::vector<CodePick> picks;
    CCodeSpace::allocate(segments, 30, random, picks, nullptr);
    bool capless = false;
    for (const CodePick& pick : picks) {
      FundPlanRecord fund;
      CFundFactory::make(segments[static_cast<std::size_t>(pick.segment)], pick.ordinal, random,
                         fund);
      if (!capless && fund.baseInfoType == 1) {
        fund.maxSubscriptionAmount = 0;
        capless = true;
      }
      writer.write(fund);
      ++s.fundPlans;
      ++s.listedByTradeType[0x200];
      auto& favourites = trail.favourites[0x200];
      if (favourites.size() < 2) favourites.push_back(fund.base.code + "." + fund.base.marketId);
    }
  }

  // Inter-bank bonds, with 20国开05 and 22农发10 among them.
  {
    CRandomSource random = root.fork(0x100000000ULL + 0x8000);
    const auto segments = CCodeSpace::segmentsOf(0x8000);
    std::vector<CodePick> picks;
    CCodeSpace::allocate(segments, 28, random, picks, nullptr);
    picks.push_back(CodePick{1, 5 * 297 + 0 * 99 + 4});
    picks.push_back(CodePick{1, 7 * 297 + 2 * 99 + 9});
    std::set<std::string> written;
    for (const CodePick& pick : picks) {
      InterBankBondRecord bond;
      CFixedIncomeFactory::makeInterBankBond(segments[static_cast<std::size_t>(pick.segment)],
                                             pick.ordinal, random, bond);
      if (!written.insert(bond.bondCode).second) continue;
      writer.write(bond);
      ++s.interBankBonds;
      ++s.listedByTradeType[0x8000];
    }
  }

  CRandomSource tenderRandom = root.fork(7);
  writeTenders(writer, tenderRandom, s);
  CRandomSource tradeInfoRandom = root.fork(11);
  CDataGenerator::writeTradeInfos(writer, trail, 6, tradeInfoRandom, s);

  ConfigRecord config = CDataGenerator::configFor(trail);
  return writer.finish(config, CReferenceData::enumNames(), error);
}

}  // namespace datagen
