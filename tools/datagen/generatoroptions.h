#pragma once
// The command line of lw-datagen, parsed into options. Parsing checks every
// value (counts are non-negative integers within limits, the trading type is
// one that has a list, the seed a 64-bit number) and names the offending
// argument; it never throws. Pure functions: any thread.

#include <cstdint>
#include <string>
#include <vector>

namespace datagen {

struct GeneratorOptions {
  std::string outputDirectory;
  bool sample = false;  // write the bundled sample set instead
  long long instruments = 100000;
  long long tenderBonds = 5000;
  long long orderCommands = 50000;
  bool mixed = false;  // spread the instruments over every trading type
  int tradeType = 1;   // the one trading type when not mixed
  std::uint64_t seed = 1;
};

// Upper bound of every count: keeps a typo from filling the disk.
constexpr long long kMaximumCount = 20000000;

class CGeneratorOptions {
public:
  // args excludes the program name. Returns false with *error set when the
  // arguments are wrong; *help is set for --help (options then untouched).
  static bool parse(const std::vector<std::string>& args, GeneratorOptions& options,
                    std::string* error, bool* help);
  static std::string usage();
  // 1, 0x8000000, "mixed" -> true with *tradeType (0 for mixed); false for
  // anything else.
  static bool parseTradeType(const std::string& text, int* tradeType, bool* mixed);
};

}  // namespace datagen
