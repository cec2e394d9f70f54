#pragma once
// Generates a whole data set from options: the instruments of one trading
// type (or of all, "mixed"), tender bonds with their order commands, bond
// trading records for the exchange bonds listed, the exchange table, the
// user's configuration and the enum names.
//
// The same options and seed give the same files byte for byte: every part of
// the set draws from its own random stream, so changing one count leaves the
// other files unchanged. Stateless; any thread (each call uses its own
// writer).

#include "datagen/datasetwriter.h"
#include "datagen/generatoroptions.h"
#include "datagen/randomsource.h"
#include "datagen/records.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace datagen {

struct GenerationSummary {
  // Records listed per trading type: instruments, fund plans under 512 and
  // inter-bank bonds under 32768.
  std::map<int, long long> listedByTradeType;
  long long exchanges = 0;
  long long instruments = 0;
  long long fundPlans = 0;
  long long interBankBonds = 0;
  long long tenderBonds = 0;
  long long orderCommands = 0;
  long long tenderCommands = 0;  // order commands of trading type 0x8000000
  long long bondTradeInfos = 0;
};

// What the listing leaves for the parts of the set that refer to it.
struct ListingTrail {
  std::vector<InstrumentRecord> exchangeBonds;  // one per stock key, first listing wins
  std::set<std::string> exchangeBondKeys;
  std::map<int, std::vector<std::string>> favourites;  // a few stock keys per type
};

class CDataGenerator {
public:
  static bool generate(const GeneratorOptions& options, GenerationSummary* summary,
                       std::string* error);

  // The split of count over the trading types of a mixed set, by weight,
  // each capped by its code space (the overflow goes to the stock list).
  static std::vector<std::pair<int, long long>> mixedCounts(long long count);

  // Writes count records of one trading type (instruments, fund plans or
  // inter-bank bonds by type). random chooses the codes; each record draws
  // from records forked by its pick (CCodeSpace::recordStream). False with
  // *error when the type's code space is too small.
  static bool writeListing(CDataSetWriter& writer, int tradeType, long long count,
                           CRandomSource& random, const CRandomSource& records, ListingTrail& trail,
                           GenerationSummary& summary, std::string* error);

  // Tender bonds tendering around the load day and order commands for them:
  // every status pattern occurs, a share of the commands belongs to other
  // trading types.
  static void writeTenderBook(CDataSetWriter& writer, long long bonds, long long commands,
                              CRandomSource& random, GenerationSummary& summary);

  // The trading record of a listed exchange bond.
  static BondTradeInfoRecord tradeInfoFor(const InstrumentRecord& bond, CRandomSource& random);
  // A trading record whose bond is not listed (index picks its code).
  static BondTradeInfoRecord unlistedTradeInfo(long long index, CRandomSource& random);
  // One record per listed bond, then the unlisted ones.
  static void writeTradeInfos(CDataSetWriter& writer, const ListingTrail& trail, long long unlisted,
                              CRandomSource& random, GenerationSummary& summary);

  static void writeExchanges(CDataSetWriter& writer, GenerationSummary& summary);
  static ConfigRecord configFor(const ListingTrail& trail);
};

}  // namespace datagen
