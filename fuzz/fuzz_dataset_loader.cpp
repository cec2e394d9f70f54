// The data-set loader on arbitrary file contents.
//
// The loader reads directories only, so the input is written as every file
// of a data set in a private temporary directory (a line then meets the
// reader of every record kind, and exchanges read from the same lines decide
// which markets the instruments may use) and the whole set is loaded. The
// loader promises never to throw and to report each problem as an error
// line; an exception escaping a record reader shows up as "unexpected error"
// and costs the rest of its file, so it counts as a fault here.
//
// Each line also goes through BSONObj::fromJson on its own and is compared
// with libbson: the plain-JSON fast path claims to produce exactly libbson's
// bytes, and any text it accepts libbson must accept with the same bytes.
//
// The set is loaded twice: with the JSON line reader (simdjson straight into
// the records, on the loader's threads) and with every line through BSON on
// one thread. Both must give the same records in the same order and the same
// error lines.

#include "fuzzsupport.h"
#include "host/bson/bsonobj.h"
#include "host/core/tradertypes.h"
#include "host/data/datasetloader.h"

#include <bson/bson.h>

#include <QDate>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace {

const char* const kFiles[] = {
    "exchanges.jsonl",        "instruments.jsonl",  "fundplans.jsonl",
    "interbank_bonds.jsonl",  "tender_bonds.jsonl", "order_commands.jsonl",
    "bond_trade_infos.jsonl", "config.json",        "enums.json",
};

std::filesystem::path& dataSetDirectory() {
  static std::filesystem::path directory;
  return directory;
}

void removeDataSetDirectory() {
  std::error_code ec;
  if (!dataSetDirectory().empty()) std::filesystem::remove_all(dataSetDirectory(), ec);
}

void makeDataSetDirectory() {
  // Memory-backed when available: the files are rewritten for every input.
  std::string base = "/dev/shm";
  std::error_code ec;
  if (!std::filesystem::is_directory(base, ec))
    base = std::filesystem::temp_directory_path().string();
  std::string pattern = base + "/lw-fuzz-dataset-XXXXXX";
  if (!mkdtemp(pattern.data())) {
    std::perror("fuzz_dataset_loader: mkdtemp");
    std::abort();
  }
  dataSetDirectory() = pattern;
  std::atexit(removeDataSetDirectory);
}

void writeFile(const std::filesystem::path& path, const std::uint8_t* data, std::size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  if (!out) {
    std::fprintf(stderr, "fuzz_dataset_loader: cannot write %s\n", path.c_str());
    std::abort();
  }
}

// libbson's reading of one JSON text, as fromJson itself falls back to it:
// exactly one object and nothing but white space after it.
bool libbsonBytes(std::string_view json, std::vector<std::uint8_t>& out) {
  bson_json_reader_t* reader = bson_json_data_reader_new(false, json.size());
  bson_json_data_reader_ingest(reader, reinterpret_cast<const std::uint8_t*>(json.data()),
                               json.size());
  bson_t doc = BSON_INITIALIZER;
  bson_error_t error;
  bool ok = bson_json_reader_read(reader, &doc, &error) > 0;
  if (ok) {
    bson_t extra = BSON_INITIALIZER;
    ok = bson_json_reader_read(reader, &extra, &error) == 0;
    bson_destroy(&extra);
  }
  if (ok) out.assign(bson_get_data(&doc), bson_get_data(&doc) + doc.len);
  bson_destroy(&doc);
  bson_json_reader_destroy(reader);
  return ok;
}

void checkLineAgainstLibbson(std::string_view line) {
  bson::BSONObj ours;
  try {
    ours = bson::BSONObj::fromJson(line.data(), line.size());
  } catch (const bson::BSONError&) {
    return;  // stricter than libbson (UTF-8, depth) is allowed; looser is not
  }
  std::vector<std::uint8_t> expected;
  const bool accepted = libbsonBytes(line, expected);
  LW_FUZZ_CHECK(accepted, "fromJson accepted a text libbson refuses: " +
                              lwfuzz::printable(std::string(line)));
  LW_FUZZ_CHECK(ours.bytes() == expected, "fromJson and libbson give different bytes for " +
                                              lwfuzz::printable(std::string(line)));
}

// The lines as the loader cuts them: a leading byte-order mark dropped, lines
// ended by '\n', a trailing '\r' dropped, blank lines skipped.
void checkLines(const std::uint8_t* data, std::size_t size) {
  std::string_view content(reinterpret_cast<const char*>(data), size);
  if (content.size() >= 3 && content.substr(0, 3) == "\xEF\xBB\xBF") content.remove_prefix(3);
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = content.find('\n', start);
    if (end == std::string_view::npos) end = content.size();
    std::string_view line = content.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.find_first_not_of(" \t") == std::string_view::npos) continue;
    checkLineAgainstLibbson(line);
  }
}

void checkDataSet(const mxservice::DataSet& set) {
  // The loader's own lines for an escaped exception, not the same words
  // inside a field name that a record reader reports.
  for (const std::string& error : set.errors) {
    bool threw = error.rfind(dataSetDirectory().string() + ": unexpected error", 0) == 0;
    for (const char* file : kFiles)
      threw = threw || error.rfind(std::string(file) + ": unexpected error", 0) == 0;
    LW_FUZZ_CHECK(!threw, "a reader threw: " + lwfuzz::printable(error));
  }
  // What the loader keeps obeys its own rules.
  for (const auto& instrument : set.instruments) {
    LW_FUZZ_CHECK(instrument && !instrument->marketId.empty() && !instrument->code.empty(),
                  "an instrument without its key was kept");
    LW_FUZZ_CHECK(
        mxservice::isKnownTradeType(instrument->tradeType),
        "an instrument of trading type " + std::to_string(instrument->tradeType) + " was kept");
  }
  for (const auto& command : set.orderCommands) {
    LW_FUZZ_CHECK(command && command->commandId != mxservice::kNoValueInt,
                  "an order command without its id was kept");
  }
  for (const auto& entry : set.tenderBonds) {
    LW_FUZZ_CHECK(entry.second && !entry.second->bondCode.empty(),
                  "a tender bond without its code was kept");
  }
}

// The records of a list as their generic BSON, in order.
template <class List>
std::vector<std::vector<std::uint8_t>> recordBytes(const List& list) {
  std::vector<std::vector<std::uint8_t>> out;
  for (const auto& record : list) out.push_back(record->toBsonObj().bytes());
  return out;
}
template <class Map>
std::vector<std::vector<std::uint8_t>> mappedRecordBytes(const Map& map) {
  std::vector<std::vector<std::uint8_t>> out;
  for (const auto& entry : map) out.push_back(entry.second->toBsonObj().bytes());
  return out;
}

void checkSameAsBsonReader(const mxservice::DataSet& set) {
  mxservice::DataSetLoadOptions options;
  options.threads = 1;
  options.useJsonReader = false;
  const mxservice::DataSet reference =
      mxservice::loadDataSet(dataSetDirectory().string(), QDate(2026, 3, 2), options);
  LW_FUZZ_CHECK(set.errors == reference.errors,
                "the JSON reader and BSON report different error lines");
  LW_FUZZ_CHECK(
      recordBytes(set.exchanges) == recordBytes(reference.exchanges) &&
          recordBytes(set.instruments) == recordBytes(reference.instruments) &&
          recordBytes(set.orderCommands) == recordBytes(reference.orderCommands) &&
          mappedRecordBytes(set.interBankBonds) == mappedRecordBytes(reference.interBankBonds) &&
          mappedRecordBytes(set.tenderBonds) == mappedRecordBytes(reference.tenderBonds),
      "the JSON reader and BSON give different records");
  LW_FUZZ_CHECK(set.bondTradeInfos.size() == reference.bondTradeInfos.size(),
                "the JSON reader and BSON give different bond trading records");
  for (const auto& market : set.bondTradeInfos) {
    const auto other = reference.bondTradeInfos.find(market.first);
    LW_FUZZ_CHECK(other != reference.bondTradeInfos.end() &&
                      mappedRecordBytes(market.second) == mappedRecordBytes(other->second),
                  "the JSON reader and BSON give different bond trading records");
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  lwfuzz::quietHostLog();
  makeDataSetDirectory();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  for (const char* file : kFiles) writeFile(dataSetDirectory() / file, data, size);
  // A fixed day keeps relative dates ("@+3") reproducible.
  const mxservice::DataSet set =
      mxservice::loadDataSet(dataSetDirectory().string(), QDate(2026, 3, 2));
  checkDataSet(set);
  checkSameAsBsonReader(set);
  checkLines(data, size);
  return 0;
}
