#include "datagen/generatoroptions.h"

#include "datagen/codespace.h"
#include "datagen/referencedata.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace datagen {

namespace {

// Whole-string unsigned number, decimal or 0x hexadecimal.
bool parseUnsigned(const std::string& text, std::uint64_t* value) {
  if (text.empty() || text[0] == '-' || text[0] == '+' || text[0] == ' ') return false;
  const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  errno = 0;
  char* end = nullptr;
  const unsigned long long parsed = std::strtoull(text.c_str(), &end, hex ? 16 : 10);
  if (errno != 0 || end == text.c_str() || *end != '\0') return false;
  *value = parsed;
  return true;
}

bool parseCount(const std::string& name, const std::string& text, long long* count,
                std::string* error) {
  std::uint64_t value = 0;
  if (!parseUnsigned(text, &value) || value > static_cast<std::uint64_t>(kMaximumCount)) {
    *error = name + ": expected a count from 0 to " + std::to_string(kMaximumCount) + ", got '" +
             text + "'";
    return false;
  }
  *count = static_cast<long long>(value);
  return true;
}

}  // namespace

bool CGeneratorOptions::parseTradeType(const std::string& text, int* tradeType, bool* mixed) {
  if (text == "mixed") {
    *tradeType = 0;
    *mixed = true;
    return true;
  }
  std::uint64_t value = 0;
  if (!parseUnsigned(text, &value)) return false;
  const auto& listed = CReferenceData::listedTradeTypes();
  if (std::find(listed.begin(), listed.end(), static_cast<long long>(value)) == listed.end()) {
    return false;
  }
  *tradeType = static_cast<int>(value);
  *mixed = false;
  return true;
}

bool CGeneratorOptions::parse(const std::vector<std::string>& args, GeneratorOptions& options,
                              std::string* error, bool* help) {
  std::string scratch;
  if (error == nullptr) error = &scratch;
  if (help != nullptr) *help = false;
  GeneratorOptions parsed = options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& name = args[i];
    if (name == "--help" || name == "-h") {
      if (help != nullptr) *help = true;
      return true;
    }
    if (name == "--sample") {
      parsed.sample = true;
      continue;
    }
    static const char* const kWithValue[] = {
        "--out", "--instruments", "--tender-bonds", "--order-commands", "--trade-type", "--seed"};
    if (std::find(std::begin(kWithValue), std::end(kWithValue), name) == std::end(kWithValue)) {
      *error = "unknown option '" + name + "'";
      return false;
    }
    if (i + 1 >= args.size()) {
      *error = name + ": missing value";
      return false;
    }
    const std::string& value = args[++i];
    if (name == "--out") {
      if (value.empty()) {
        *error = "--out: empty directory";
        return false;
      }
      parsed.outputDirectory = value;
    } else if (name == "--instruments") {
      if (!parseCount(name, value, &parsed.instruments, error)) return false;
    } else if (name == "--tender-bonds") {
      if (!parseCount(name, value, &parsed.tenderBonds, error)) return false;
    } else if (name == "--order-commands") {
      if (!parseCount(name, value, &parsed.orderCommands, error)) return false;
    } else if (name == "--trade-type") {
      if (!parseTradeType(value, &parsed.tradeType, &parsed.mixed)) {
        *error = "--trade-type: '" + value +
                 "' is not a trading type with a list (1, 2, 4, 8, 16, 32, 64, 128, 256, 512, "
                 "1024, 2048, 4096, 16384, 32768, 0x10000, 0x100000, 0x800000, 0x1000000, "
                 "0x2000000) nor 'mixed'";
        return false;
      }
    } else if (name == "--seed") {
      if (!parseUnsigned(value, &parsed.seed)) {
        *error = "--seed: expected an unsigned 64-bit number, got '" + value + "'";
        return false;
      }
    }
  }
  if (parsed.outputDirectory.empty()) {
    *error = "--out DIR is required";
    return false;
  }
  options = parsed;
  return true;
}

std::string CGeneratorOptions::usage() {
  std::string text =
      "usage: lw-datagen --out DIR [--instruments N] [--tender-bonds N] [--order-commands N]\n"
      "                  [--trade-type T|mixed] [--seed S]\n"
      "       lw-datagen --out DIR --sample\n"
      "\n"
      "Writes a data set (docs/data-format.md) into DIR.\n"
      "  --instruments N     instruments to list (default 100000); under trading type 512\n"
      "                      they are fund plans, under 32768 / 0x2000000 inter-bank bonds\n"
      "  --tender-bonds N    primary-market tender bonds (default 5000)\n"
      "  --order-commands N  order commands, mostly tenders of those bonds (default 50000)\n"
      "  --trade-type T      put every instrument under trading type T (default 1), or\n"
      "                      'mixed' to spread them over all types like a full client\n"
      "  --seed S            the set is the same for the same options and seed (default 1)\n"
      "  --sample            write the bundled sample set (data/sample) instead\n"
      "\n"
      "Codes follow the real markets' numbering, so a trading type holds at most:\n";
  for (int type : CReferenceData::listedTradeTypes()) {
    char line[96];
    std::snprintf(line, sizeof line, "  %#10x  %lld\n", static_cast<unsigned>(type),
                  CCodeSpace::capacity(CCodeSpace::segmentsOf(type)));
    text += line;
  }
  return text;
}

}  // namespace datagen
