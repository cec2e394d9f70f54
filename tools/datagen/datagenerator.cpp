#include "datagen/datagenerator.h"

#include "datagen/calendar.h"
#include "datagen/codespace.h"
#include "datagen/fixedincomefactory.h"
#include "datagen/fundfactory.h"
#include "datagen/instrumentfactory.h"
#include "datagen/pricing.h"
#include "datagen/referencedata.h"
#include "datagen/tenderfactory.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace datagen {

namespace {

// Random streams of the parts of a set (see CRandomSource::fork).
constexpr std::uint64_t kListingStream = 0x100000000ULL;  // + trading type
constexpr std::uint64_t kTenderStream = 7;
constexpr std::uint64_t kTradeInfoStream = 11;
constexpr std::uint64_t kRecordStream = 13;

constexpr int kFavouritesPerType = 4;
// The years whose codes the tender bonds of a large set carry.
constexpr int kTenderFirstYear = 2026;
constexpr int kTenderYears = 2;

std::string digits(long long value, int width) {
  char text[24];
  std::snprintf(text, sizeof text, "%0*lld", width, value);
  return text;
}

std::string stockKey(const std::string& market, const std::string& code) {
  return code + "." + market;
}

void remember(ListingTrail& trail, int tradeType, const std::string& key) {
  auto& keys = trail.favourites[tradeType];
  if (static_cast<int>(keys.size()) < kFavouritesPerType) keys.push_back(key);
}

struct PatternWeight {
  TenderCommandPattern pattern;
  double weight;
};
const PatternWeight kPatternWeights[] = {
    {TenderCommandPattern::NoCommands, 25},
    {TenderCommandPattern::Approving, 12},
    {TenderCommandPattern::ApprovingAndRunning, 12},
    {TenderCommandPattern::Running, 9},
    {TenderCommandPattern::Locked, 10},
    {TenderCommandPattern::FinishedAmongRevoked, 12},
    {TenderCommandPattern::AllRevoked, 11},
    {TenderCommandPattern::RevokedWithUnlisted, 5},
    {TenderCommandPattern::StringParameterOnly, 4},
};

TenderCommandPattern pickPattern(CRandomSource& random) {
  double total = 0;
  for (const auto& p : kPatternWeights) total += p.weight;
  double roll = random.uniform(0, total);
  for (const auto& p : kPatternWeights) {
    if (roll < p.weight) return p.pattern;
    roll -= p.weight;
  }
  return TenderCommandPattern::NoCommands;
}

template <typename T>
void shuffle(std::vector<T>& items, CRandomSource& random) {
  for (std::size_t i = items.size(); i > 1; --i) {
    std::swap(items[i - 1], items[static_cast<std::size_t>(random.below(i))]);
  }
}

}  // namespace

std::vector<std::pair<int, long long>> CDataGenerator::mixedCounts(long long count) {
  std::vector<std::pair<int, long long>> counts;
  std::vector<double> fractions;
  double total = 0;
  for (int type : CReferenceData::listedTradeTypes()) total += CReferenceData::mixedWeight(type);
  long long given = 0;
  for (int type : CReferenceData::listedTradeTypes()) {
    const double exact = static_cast<double>(count) * CReferenceData::mixedWeight(type) / total;
    counts.emplace_back(type, static_cast<long long>(exact));
    fractions.push_back(exact - std::floor(exact));
    given += counts.back().second;
  }
  // Largest remainders take the rounding leftovers.
  std::vector<std::size_t> order(counts.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return fractions[a] > fractions[b]; });
  for (std::size_t i = 0; given < count && i < order.size(); ++i, ++given)
    ++counts[order[i]].second;
  // Small code spaces (gold, foreign exchange, swaps) pass their overflow on,
  // in list order, to the types that still have room.
  long long overflow = 0;
  for (auto& entry : counts) {
    const long long room = CCodeSpace::capacity(CCodeSpace::segmentsOf(entry.first));
    if (entry.second > room) {
      overflow += entry.second - room;
      entry.second = room;
    }
  }
  for (auto& entry : counts) {
    if (overflow == 0) break;
    const long long room = CCodeSpace::capacity(CCodeSpace::segmentsOf(entry.first)) - entry.second;
    const long long add = std::min(room, overflow);
    entry.second += add;
    overflow -= add;
  }
  return counts;
}

bool CDataGenerator::writeListing(CDataSetWriter& writer, int tradeType, long long count,
                                  CRandomSource& random, const CRandomSource& records,
                                  ListingTrail& trail, GenerationSummary& summary,
                                  std::string* error) {
  if (count <= 0) return true;
  const std::vector<CodeSegment> segments = CCodeSpace::segmentsOf(tradeType);
  std::vector<CodePick> picks;
  std::string reason;
  if (!CCodeSpace::allocate(segments, count, random, picks, &reason)) {
    if (error != nullptr) {
      char type[16];
      std::snprintf(type, sizeof type, "%#x", static_cast<unsigned>(tradeType));
      *error = std::string("trading type ") + type + ": " + reason;
    }
    return false;
  }
  // Favourites: a few picks spread over the list.
  const std::size_t favouriteStride = std::max<std::size_t>(1, picks.size() / kFavouritesPerType);
  for (std::size_t i = 0; i < picks.size(); ++i) {
    const CodeSegment& segment = segments[static_cast<std::size_t>(picks[i].segment)];
    const bool favourite = i % favouriteStride == favouriteStride / 2;
    CRandomSource recordRandom = records.fork(CCodeSpace::recordStream(segment, picks[i].ordinal));
    if (tradeType == 0x200) {
      FundPlanRecord fund;
      CFundFactory::make(segment, picks[i].ordinal, recordRandom, fund);
      writer.write(fund);
      ++summary.fundPlans;
      if (favourite) remember(trail, tradeType, stockKey(fund.base.marketId, fund.base.code));
    } else if (tradeType == 0x8000 || tradeType == 0x2000000) {
      InterBankBondRecord bond;
      CFixedIncomeFactory::makeInterBankBond(segment, picks[i].ordinal, recordRandom, bond);
      writer.write(bond);
      ++summary.interBankBonds;
      if (favourite) remember(trail, tradeType, bond.bondCode + "." + bond.market);
    } else {
      InstrumentRecord instrument;
      CInstrumentFactory::make(segment, picks[i].ordinal, tradeType, recordRandom, instrument);
      writer.write(instrument);
      ++summary.instruments;
      const std::string key = stockKey(instrument.marketId, instrument.code);
      if (favourite) remember(trail, tradeType, key);
      if (instrument.isExchangeBond && trail.exchangeBondKeys.insert(key).second) {
        trail.exchangeBonds.push_back(instrument);
      }
    }
    ++summary.listedByTradeType[tradeType];
  }
  return true;
}

void CDataGenerator::writeTenderBook(CDataSetWriter& writer, long long bondCount,
                                     long long commandCount, CRandomSource& random,
                                     GenerationSummary& summary) {
  // Bonds: codes of the current years, tender days from three weeks before
  // to three weeks after the load day.
  std::vector<CodeSegment> segments;
  std::vector<int> years;
  for (int y = 0; y < kTenderYears; ++y) {
    for (const CodeSegment& s : CTenderFactory::segments()) {
      segments.push_back(s);
      years.push_back(kTenderFirstYear + y);
    }
  }
  std::vector<CodePick> picks;
  const long long capacity = CCodeSpace::capacity(segments);
  CCodeSpace::allocate(segments, std::min(bondCount, capacity), random, picks, nullptr);

  std::vector<TenderBondRecord> bonds(picks.size());
  for (std::size_t i = 0; i < picks.size(); ++i) {
    const auto segment = static_cast<std::size_t>(picks[i].segment);
    CTenderFactory::makeBond(segments[segment], picks[i].ordinal, years[segment],
                             static_cast<int>(random.between(-20, 20)), random, bonds[i]);
  }

  // Commands: about one in twenty belongs to another trading type; the rest
  // are spread over the bonds by pattern, around the average that uses them
  // up.
  const long long otherCommands = commandCount / 20;
  long long tenderBudget = commandCount - otherCommands;
  std::vector<OrderCommandRecord> commands;
  commands.reserve(static_cast<std::size_t>(commandCount));
  std::vector<std::size_t> order(bonds.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  shuffle(order, random);
  for (std::size_t n = 0; n < order.size(); ++n) {
    TenderBondRecord& bond = bonds[order[n]];
    TenderCommandPattern pattern = pickPattern(random);
    const double bondsLeft = std::max(1.0, static_cast<double>(order.size() - n) * 0.75);
    const double average = static_cast<double>(tenderBudget) / bondsLeft;
    long long count = std::llround(average * random.uniform(0.5, 1.5));
    count = std::max<long long>(count, CTenderFactory::minimumCommands(pattern));
    if (pattern == TenderCommandPattern::NoCommands) count = 0;
    if (count > tenderBudget) {
      // The budget is spent: the remaining bonds have no commands.
      pattern =
          tenderBudget >= 1 ? TenderCommandPattern::Approving : TenderCommandPattern::NoCommands;
      count = tenderBudget;
    }
    CTenderFactory::applyWorkflow(pattern, random, bond);
    if (count > 0) {
      CTenderFactory::appendCommands(pattern, bond, static_cast<int>(count), random, commands);
    }
    tenderBudget -= count;
  }
  for (long long i = 0; i < otherCommands + tenderBudget; ++i) {
    commands.push_back(CTenderFactory::otherCommand(random));
  }
  // The account lists commands in the order they were entered, not bond by
  // bond; ids follow that order.
  shuffle(commands, random);
  int nextId = 100001;
  for (OrderCommandRecord& command : commands) {
    command.commandId = nextId++;
    if (command.tradeType == 0x8000000) ++summary.tenderCommands;
    writer.write(command);
  }
  for (const TenderBondRecord& bond : bonds) writer.write(bond);
  summary.tenderBonds += static_cast<long long>(bonds.size());
  summary.orderCommands += static_cast<long long>(commands.size());
}

BondTradeInfoRecord CDataGenerator::tradeInfoFor(const InstrumentRecord& bond,
                                                 CRandomSource& random) {
  BondTradeInfoRecord r;
  r.marketId = bond.marketId;
  r.code = bond.code;
  r.bondType = bond.bondKindText;
  const bool professional = bond.qualifiedInvestor == 1;
  r.tradeMode = professional ? "协商" : random.chance(0.7) ? "竞价" : "竞价/协商";
  // Treasury and local government bonds can be pledged for repo at close to
  // par; AAA corporate bonds at a discount; others not at all.
  const bool government = bond.bondKindText == "国债" || bond.bondKindText == "地方政府债";
  const bool pledgeable =
      government || (bond.bondKindText == "公司债" && !professional && random.chance(0.4));
  if (pledgeable && bond.marketId == "SH") {
    r.pledgeCode = "090" + bond.code.substr(3);
    r.conversionRate =
        roundTo(government ? random.uniform(0.95, 1.0) : random.uniform(0.5, 0.8), 2);
  } else if (pledgeable) {
    r.pledgeCode = "1318" + bond.code.substr(4);
    r.conversionRate =
        roundTo(government ? random.uniform(0.95, 1.0) : random.uniform(0.5, 0.8), 2);
  } else {
    r.conversionRate = 0;
  }
  r.minTradeVolume = professional ? 100 : bond.bondKindText == "质押式回购" ? 10 : 1;
  r.tradeStatus = random.chance(0.96) ? "正常交易" : "停牌";
  if (bond.bondKindText != "质押式回购") {
    // Day, month, year: a fixed order of draws (arguments are unsequenced).
    const int day = static_cast<int>(random.between(1, 28));
    const int month = static_cast<int>(random.between(1, 12));
    const int year = static_cast<int>(random.between(2025, 2040));
    r.maturityDate = formatDate(dayNumber(year, month, day));
  }
  return r;
}

BondTradeInfoRecord CDataGenerator::unlistedTradeInfo(long long index, CRandomSource& random) {
  // Codes from ranges that no listing segment uses, so these records never
  // find an instrument.
  InstrumentRecord bond;
  bond.marketId = index % 2 == 0 ? "SH" : "SZ";
  bond.code = bond.marketId == "SH" ? "24" + digits(index / 2 % 10000, 4)
                                    : "117" + digits(index / 2 % 1000, 3);
  bond.bondKindText = "公司债";
  return tradeInfoFor(bond, random);
}

void CDataGenerator::writeTradeInfos(CDataSetWriter& writer, const ListingTrail& trail,
                                     long long unlisted, CRandomSource& random,
                                     GenerationSummary& summary) {
  for (const InstrumentRecord& bond : trail.exchangeBonds) {
    writer.write(tradeInfoFor(bond, random));
    ++summary.bondTradeInfos;
  }
  // SZ takes odd indexes, and its unused range holds 1000 codes.
  unlisted = std::min<long long>(unlisted, 2000);
  for (long long i = 0; i < unlisted; ++i) {
    writer.write(unlistedTradeInfo(i, random));
    ++summary.bondTradeInfos;
  }
}

void CDataGenerator::writeExchanges(CDataSetWriter& writer, GenerationSummary& summary) {
  for (const ExchangeRecord& exchange : CReferenceData::exchanges()) {
    writer.write(exchange);
    ++summary.exchanges;
  }
}

ConfigRecord CDataGenerator::configFor(const ListingTrail& trail) {
  ConfigRecord config;
  config.userName = "zhangwei";
  config.userType = 200;
  config.brokerEdition = false;
  config.brokerEditionUserType = 3;
  config.mergeFuture = false;
  config.hkTradeInStock = false;
  config.tradingDate = "@";
  for (const auto& entry : trail.favourites)
    config.favourites.emplace_back(entry.first, entry.second);
  return config;
}

bool CDataGenerator::generate(const GeneratorOptions& options, GenerationSummary* summary,
                              std::string* error) {
  GenerationSummary local;
  GenerationSummary& s = summary != nullptr ? *summary : local;
  s = GenerationSummary();
  const CRandomSource root(options.seed);

  std::vector<std::pair<int, long long>> counts;
  if (options.mixed) {
    counts = mixedCounts(options.instruments);
  } else {
    counts.emplace_back(options.tradeType, options.instruments);
  }
  // Refuse before writing anything when a code space is too small.
  for (const auto& entry : counts) {
    const long long room = CCodeSpace::capacity(CCodeSpace::segmentsOf(entry.first));
    if (entry.second > room) {
      if (error != nullptr) {
        char type[16];
        std::snprintf(type, sizeof type, "%#x", static_cast<unsigned>(entry.first));
        *error = std::string("trading type ") + type + " holds at most " + std::to_string(room) +
                 " instruments with realistic codes; " + std::to_string(entry.second) +
                 " were asked for";
      }
      return false;
    }
  }

  CDataSetWriter writer;
  if (!writer.open(options.outputDirectory, error)) return false;
  writeExchanges(writer, s);
  ListingTrail trail;
  const CRandomSource records = root.fork(kRecordStream);
  for (const auto& entry : counts) {
    CRandomSource random = root.fork(kListingStream + static_cast<std::uint64_t>(entry.first));
    if (!writeListing(writer, entry.first, entry.second, random, records, trail, s, error)) {
      return false;
    }
  }
  CRandomSource tenderRandom = root.fork(kTenderStream);
  writeTenderBook(writer, options.tenderBonds, options.orderCommands, tenderRandom, s);
  CRandomSource tradeInfoRandom = root.fork(kTradeInfoStream);
  const auto listed = static_cast<long long>(trail.exchangeBonds.size());
  writeTradeInfos(writer, trail, listed == 0 ? 0 : std::max(1LL, listed / 100), tradeInfoRandom, s);
  return writer.finish(configFor(trail), CReferenceData::enumNames(), error);
}

}  // namespace datagen
