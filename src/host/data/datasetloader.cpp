#include "host/data/datasetloader.h"

#include "host/data/fieldbinder.h"
#include "host/data/jsonlinereader.h"
#include "host/data/keyslots.h"
#include "host/data/recordarena.h"
#include "host/data/recordjson_p.h"
#include "host/data/taskpool.h"

#include <boost/make_shared.hpp>

#include <algorithm>
#include <charconv>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <sstream>
#include <thread>
#include <type_traits>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace mxservice {

namespace {

// ------------------------------------------------------------------- helpers

bool parseInt(std::string_view text, long long& out) {
  if (text.empty()) return false;
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (*first == '+') ++first;
  const auto result = std::from_chars(first, last, out);
  return result.ec == std::errc() && result.ptr == last;
}

// Whole file into `content`; false when it cannot be read.
bool readFile(const std::filesystem::path& path, std::string& content) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::error_code ec;
  const auto size = std::filesystem::file_size(path, ec);
  if (!ec) {
    content.resize(static_cast<std::size_t>(size));
    in.read(content.data(), static_cast<std::streamsize>(size));
    content.resize(static_cast<std::size_t>(in.gcount()));
    if (in.bad()) return false;
    // A file that grew meanwhile: read the rest too.
    std::ostringstream rest;
    rest << in.rdbuf();
    content += rest.str();
    return true;
  }
  std::ostringstream buffer;
  buffer << in.rdbuf();
  if (in.bad()) return false;
  content = buffer.str();
  return true;
}

// A line of a file, for error lines: "file:line".
struct Where {
  const char* file = "";
  int line = 0;
  std::string str() const { return std::string(file) + ":" + std::to_string(line); }
};

void stripBom(std::string& content) {
  if (content.size() >= 3 && static_cast<unsigned char>(content[0]) == 0xEF &&
      static_cast<unsigned char>(content[1]) == 0xBB &&
      static_cast<unsigned char>(content[2]) == 0xBF) {
    content.erase(0, 3);
  }
}

bool isBlank(std::string_view line) {
  return line.find_first_not_of(" \t") == std::string_view::npos;
}

// Adds each line of `fieldErrors` ("field x: ...\n" lines) to errors, after `where`.
void addFieldErrors(std::vector<std::string>& errors, const std::string& where,
                    const std::string& fieldErrors) {
  std::size_t start = 0;
  while (start < fieldErrors.size()) {
    std::size_t end = fieldErrors.find('\n', start);
    if (end == std::string::npos) end = fieldErrors.size();
    if (end > start) errors.push_back(where + ": " + fieldErrors.substr(start, end - start));
    start = end + 1;
  }
}

std::string tradeTypeText(int tradeType) { return std::to_string(tradeType); }

// ------------------------------------------------------- reading in blocks

// A run of whole lines of a JSON Lines file, followed by padding for the
// JSON reader (CJsonLineReader::kPadding readable bytes past the text).
struct Block {
  // Not cleared when it grows: only what was read (and the padding) is used.
  std::unique_ptr<char[]> buffer;
  std::size_t capacity = 0;
  std::size_t size = 0;  // of the lines
  int lines = 0;         // line ends in it, counted where it is decoded

  const char* data() const { return buffer.get(); }
  // Room for `bytes` and the padding, keeping the first `keep` bytes.
  void reserve(std::size_t bytes, std::size_t keep) {
    if (bytes + CJsonLineReader::kPadding <= capacity) return;
    // Doubling: a line longer than a block grows its block in few steps.
    const std::size_t wanted = std::max(bytes + CJsonLineReader::kPadding, 2 * capacity);
    std::unique_ptr<char[]> grown(new char[wanted]);
    if (keep > 0) std::memcpy(grown.get(), buffer.get(), keep);
    buffer = std::move(grown);
    capacity = wanted;
  }
};

// Reads a file in blocks of whole lines of about kBlockBytes, so that a large
// file never sits in memory whole.
class CBlockReader {
public:
  static constexpr std::size_t kBlockBytes = std::size_t{2} << 20;

  bool open(const std::filesystem::path& path) {
    m_in.open(path, std::ios::binary);
    if (!m_in) return false;
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    m_fileSize = ec ? 0 : static_cast<std::size_t>(size);
    return true;
  }
  std::size_t fileSize() const { return m_fileSize; }
  bool failed() const { return m_failed; }
  // Whether the last block returned was the file's last.
  bool atEnd() const { return m_done && m_carry.empty(); }

  // The next block; false at the end of the file (or on a read error, see
  // failed()). A line longer than a block makes its block longer.
  bool next(Block& block) {
    std::size_t have = m_carry.size();
    block.reserve(have, 0);
    if (have > 0) std::memcpy(block.buffer.get(), m_carry.data(), have);
    m_carry.clear();
    while (!m_done) {
      // No more than the rest of the file (and a byte to see its end), so a
      // small file takes a small buffer; a file that grew is read on.
      const std::size_t rest = m_fileSize > m_read ? m_fileSize - m_read : 0;
      const std::size_t want = std::min(kBlockBytes, std::max<std::size_t>(rest, 4096) + 1);
      // One buffer per block for the whole file: no fresh pages per block.
      block.reserve(have + want, have);
      char* text = block.buffer.get();
      m_in.read(text + have, static_cast<std::streamsize>(want));
      const std::size_t got = static_cast<std::size_t>(m_in.gcount());
      m_read += got;
      have += got;
      if (m_in.bad()) {
        m_failed = true;
        m_done = true;
        return false;
      }
      if (m_first) {
        m_first = false;
        if (have >= 3 && static_cast<unsigned char>(text[0]) == 0xEF &&
            static_cast<unsigned char>(text[1]) == 0xBB &&
            static_cast<unsigned char>(text[2]) == 0xBF) {
          std::memmove(text, text + 3, have - 3);
          have -= 3;
        }
      }
      if (got < want) {
        m_done = true;
        break;
      }
      // Keep the partial last line for the next block (the carry holds no
      // line end, so the last one found ends a line of this block).
      const std::string_view lines(text, have);
      const std::size_t lastNewline = lines.rfind('\n');
      if (lastNewline != std::string_view::npos) {
        m_carry.assign(lines.substr(lastNewline + 1));
        have = lastNewline + 1;
        break;
      }
    }
    if (have == 0) return false;
    block.size = have;
    std::memset(block.buffer.get() + have, ' ', CJsonLineReader::kPadding);
    return true;
  }

private:
  std::ifstream m_in;
  std::string m_carry;
  std::size_t m_fileSize = 0;
  std::size_t m_read = 0;  // bytes read so far
  bool m_first = true;
  bool m_done = false;
  bool m_failed = false;
};

// The JSON reader and the record arena of a pool thread (one per thread,
// kept while it lives).
CJsonLineReader& workerReader() {
  thread_local std::unique_ptr<CJsonLineReader> reader;
  if (!reader) reader.reset(new CJsonLineReader);
  return *reader;
}
CRecordArena& workerArena() {
  thread_local CRecordArena arena;
  return arena;
}

// One line read into a record, before the checks that need the lines before
// it (keys, markets): that part runs on the loader's threads.
template <class R>
struct ParsedLine {
  int line = 0;
  boost::shared_ptr<R> record;  // null when the line was not a JSON object
  std::string problem;          // why not (the JSON error)
  std::string fieldErrors;      // "field x: ...\n" lines
  bool viaBson = false;         // the JSON reader refused the line
  // Instruments: the hash of the duplicate-check key and whether the market
  // is one of exchanges.jsonl's (both found on the decoding thread).
  std::uint64_t keyHash = 0;
  bool marketKnown = false;
};

// The markets of exchanges.jsonl, looked up by record (no key string built).
using MarketSet = std::unordered_set<std::string>;

// The hash of an instrument's identity for the duplicate check (trading
// type, market, code), computed where the line is decoded.
std::uint64_t instrumentIdHash(int tradeType, std::string_view marketId, std::string_view code) {
  const std::uint64_t h = std::hash<std::string_view>()(code);
  std::uint64_t mixed =
      h ^ (std::hash<std::string_view>()(marketId) + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2)) ^
      static_cast<std::uint64_t>(static_cast<unsigned>(tradeType)) * 0x100000001b3ULL;
  // Spread into the low bits, which pick the slot.
  mixed ^= mixed >> 33;
  mixed *= 0xff51afd7ed558ccdULL;
  mixed ^= mixed >> 33;
  return mixed;
}

// ---------------------------------------------------------------- the loader

class Loader {
public:
  Loader(const std::string& directory, const QDate& today, const DataSetLoadOptions& options)
      : m_directory(directory), m_today(today), m_options(options) {
    m_threads =
        options.threads > 0
            ? options.threads
            : static_cast<int>(std::min(4u, std::max(1u, std::thread::hardware_concurrency())));
    if (m_threads > 1) m_pool.reset(new CTaskPool(m_threads));
    for (const char* file : kJsonLinesFiles) {
      std::error_code ec;
      const auto size = std::filesystem::file_size(m_directory / file, ec);
      if (!ec) m_progress.bytesTotal += static_cast<std::size_t>(size);
    }
    m_progress.filesTotal = std::size(kJsonLinesFiles) + 2;
  }

  DataSet run() {
    std::error_code ec;
    if (!std::filesystem::is_directory(m_directory, ec)) {
      m_set.errors.push_back(m_directory.string() + ": data-set directory not found");
      return std::move(m_set);
    }
    guarded("exchanges.jsonl", [this] { loadExchanges(); });
    guarded("instruments.jsonl",
            [this] { loadInstruments<CInstrumentDetail>("instruments.jsonl"); });
    guarded("fundplans.jsonl", [this] { loadInstruments<COTCFundPlanInfo>("fundplans.jsonl"); });
    guarded("interbank_bonds.jsonl", [this] { loadInterBankBonds(); });
    guarded("tender_bonds.jsonl", [this] { loadTenderBonds(); });
    guarded("order_commands.jsonl", [this] { loadOrderCommands(); });
    guarded("bond_trade_infos.jsonl", [this] { loadBondTradeInfos(); });
    guarded("config.json", [this] { loadConfig(); });
    guarded("enums.json", [this] { loadEnums(); });
    m_progress.errors = m_set.errors.size();
    report();
    return std::move(m_set);
  }

private:
  static constexpr const char* kJsonLinesFiles[] = {
      "exchanges.jsonl",       "instruments.jsonl",  "fundplans.jsonl",
      "interbank_bonds.jsonl", "tender_bonds.jsonl", "order_commands.jsonl",
      "bond_trade_infos.jsonl"};

  void report() {
    if (m_options.progress) m_options.progress(m_progress);
  }
  bool cancelled() const {
    return m_options.cancel != nullptr && m_options.cancel->load(std::memory_order_relaxed);
  }

  // One file's loading; an unexpected exception costs the rest of that file only.
  void guarded(const char* file, const std::function<void()>& load) {
    if (cancelled()) return;
    try {
      load();
    } catch (const std::exception& e) {
      m_set.errors.push_back(std::string(file) + ": unexpected error: " + e.what());
    } catch (...) {
      m_set.errors.push_back(std::string(file) + ": unexpected error");
    }
    ++m_progress.filesDone;
    m_progress.errors = m_set.errors.size();
    report();
  }

  bool openFile(const char* file, std::string& content) {
    const std::filesystem::path path = m_directory / file;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
      m_set.errors.push_back(std::string(file) + ": missing file");
      return false;
    }
    if (!readFile(path, content)) {
      m_set.errors.push_back(std::string(file) + ": cannot read the file");
      return false;
    }
    stripBom(content);
    return true;
  }

  // Reads one line into a record: simdjson straight into the record when the
  // line allows, else through BSON (which words any JSON error).
  template <class R>
  void parseLine(CJsonLineReader& reader, std::string_view line, ParsedLine<R>& out) {
    const fields::JsonValue* object =
        m_options.useJsonReader ? reader.read(line.data(), line.size()) : nullptr;
    if (object != nullptr) {
      out.record = CRecordArena::make<R>();
      detail::readFromJson(*out.record, *object, false, &out.fieldErrors);
      return;
    }
    out.viaBson = true;
    bson::BSONObj obj;
    try {
      obj = bson::BSONObj::fromJson(line.data(), line.size());
    } catch (const bson::BSONError& e) {
      out.problem = e.what();
      return;
    }
    out.record = CRecordArena::make<R>();
    out.record->bsonValueFromObj(obj, false, &out.fieldErrors);
  }

  // The non-blank lines of one block, read into records on the calling
  // thread; `prepare` finishes each record there too. Lines are numbered
  // from 1 within the block; the block's line ends are counted.
  template <class R, class Prepare>
  void parseBlock(CJsonLineReader& reader, Block& block, const Prepare& prepare,
                  std::vector<ParsedLine<R>>& out) {
    out.clear();
    std::size_t start = 0;
    int lineNumber = 0;
    block.lines = 0;
    while (start < block.size) {
      const char* found =
          static_cast<const char*>(std::memchr(block.data() + start, '\n', block.size - start));
      std::size_t end =
          found == nullptr ? std::string::npos : static_cast<std::size_t>(found - block.data());
      if (end == std::string::npos || end > block.size) {
        end = block.size;
      } else {
        ++block.lines;
      }
      ++lineNumber;
      std::string_view line(block.data() + start, end - start);
      start = end + 1;
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      if (isBlank(line)) continue;
      out.emplace_back();
      ParsedLine<R>& parsed = out.back();
      parsed.line = lineNumber;
      parseLine(reader, line, parsed);
      if (parsed.record) {
        prepare(*parsed.record, parsed.fieldErrors);
        if constexpr (std::is_base_of_v<CInstrumentDetail, R>) {
          parsed.keyHash = instrumentIdHash(parsed.record->tradeType, parsed.record->marketId,
                                            parsed.record->code);
          parsed.marketKnown = marketKnown(parsed.record->marketId);
        }
      }
    }
  }

  // One block of a file on its way through the loader: read here, decoded
  // on a worker (or here), then checked here in file order.
  template <class R>
  struct Slot {
    Block block;
    std::vector<ParsedLine<R>> lines;
    std::exception_ptr failure;  // thrown while decoding
    bool done = false;           // guarded by the loader's m_slotMutex
  };

  // Loads a JSON Lines file. Blocks are decoded into records on the pool's
  // threads while this thread reads the next blocks and checks the decoded
  // ones: `accept` sees every line in file order here, so the result and the
  // error lines do not depend on timing. `prepare(R&, fieldErrors)` runs on
  // the decoding thread and must only touch the record; accept(record,
  // fieldErrors, where[, parsed line]) decides.
  template <class R, class Prepare, class Accept>
  void loadLines(const char* file, const Prepare& prepare, const Accept& accept) {
    const std::filesystem::path path = m_directory / file;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
      m_set.errors.push_back(std::string(file) + ": missing file");
      return;
    }
    CBlockReader in;
    if (!in.open(path)) {
      m_set.errors.push_back(std::string(file) + ": cannot read the file");
      return;
    }
    m_fileSize = in.fileSize();
    // Blocks in flight: each worker busy with one and one more queued, plus
    // the one being checked.
    const std::size_t depth = m_pool ? static_cast<std::size_t>(2 * m_threads + 1) : 1;
    std::vector<Slot<R>> ring(depth);
    std::size_t posted = 0;    // blocks read (and handed out)
    std::size_t accepted = 0;  // blocks checked
    int linesBefore = 0;       // lines of the blocks checked
    // Every block handed to the pool is finished before the ring goes, also
    // when checking throws.
    struct Drain {
      Loader* loader;
      std::vector<Slot<R>>& ring;
      std::size_t& posted;
      std::size_t& accepted;
      ~Drain() {
        std::unique_lock<std::mutex> lock(loader->m_slotMutex);
        for (std::size_t b = accepted; b < posted; ++b) {
          Slot<R>& slot = ring[b % ring.size()];
          loader->m_slotDone.wait(lock, [&slot] { return slot.done; });
        }
      }
    } drain{this, ring, posted, accepted};

    bool more = true;
    for (;;) {
      // Read ahead while there is room and the load goes on.
      while (more && posted - accepted < depth && !cancelled()) {
        Slot<R>& slot = ring[posted % depth];
        more = in.next(slot.block);
        if (in.failed()) {
          m_set.errors.push_back(std::string(file) + ": cannot read the file");
          return;
        }
        if (!more) break;
        slot.failure = nullptr;
        // A file of one block, or no pool: decoded here.
        const bool inline_ = !m_pool || (accepted == 0 && posted == 0 && in.atEnd());
        {
          std::lock_guard<std::mutex> lock(m_slotMutex);
          slot.done = false;
        }
        if (inline_) {
          decode(slot, prepare);
          std::lock_guard<std::mutex> lock(m_slotMutex);
          slot.done = true;
        } else {
          m_pool->post([this, &slot, &prepare] {
            decodeOnWorker(slot, prepare);
            {
              std::lock_guard<std::mutex> lock(m_slotMutex);
              slot.done = true;
            }
            m_slotDone.notify_all();
          });
        }
        // Counted once it is sure to finish (posting may throw).
        ++posted;
      }
      if (accepted == posted) break;
      Slot<R>& slot = ring[accepted % depth];
      {
        std::unique_lock<std::mutex> lock(m_slotMutex);
        m_slotDone.wait(lock, [&slot] { return slot.done; });
      }
      ++accepted;
      if (slot.failure) std::rethrow_exception(slot.failure);
      if (!cancelled()) {
        for (ParsedLine<R>& line : slot.lines) {
          const Where where{file, linesBefore + line.line};
          if (line.viaBson) ++m_progress.bsonLines;
          if (!line.record) {
            m_set.errors.push_back(where.str() + ": " + line.problem + "; line skipped");
            continue;
          }
          if constexpr (std::is_invocable_v<const Accept&, boost::shared_ptr<R>&,
                                            const std::string&, const Where&,
                                            const ParsedLine<R>&>) {
            accept(line.record, line.fieldErrors, where, line);
          } else {
            accept(line.record, line.fieldErrors, where);
          }
        }
        linesBefore += slot.block.lines;
        m_progress.records += slot.lines.size();
        m_progress.bytesRead += slot.block.size;
        m_progress.errors = m_set.errors.size();
        report();
      }
      // The records are the data set's now; the slot keeps its buffers.
      slot.lines.clear();
    }
  }

  // Decodes a slot's block with the reader of the calling worker.
  template <class R, class Prepare>
  void decodeOnWorker(Slot<R>& slot, const Prepare& prepare) {
    try {
      CRecordArena::Use arena(workerArena());
      parseBlock<R>(workerReader(), slot.block, prepare, slot.lines);
    } catch (...) {
      slot.failure = std::current_exception();
    }
  }
  template <class R, class Prepare>
  void decode(Slot<R>& slot, const Prepare& prepare) {
    try {
      CRecordArena::Use arena(m_arena);
      parseBlock<R>(m_reader, slot.block, prepare, slot.lines);
    } catch (...) {
      slot.failure = std::current_exception();
    }
  }

  static std::string located(const Where& where, const std::string& key) {
    return key.empty() ? where.str() : where.str() + " (" + key + ")";
  }

  void skip(const std::string& at, const std::string& reason) {
    m_set.errors.push_back(at + ": " + reason + "; record skipped");
  }

  // A market is acceptable when exchanges.jsonl lists it (or lists nothing).
  bool marketKnown(const std::string& market) const {
    return m_markets.empty() || m_markets.count(market) != 0;
  }

  static void noPreparation(IData&, std::string&) {}

  // ------------------------------------------------------------ exchanges
  void loadExchanges() {
    std::unordered_map<std::string, Where> firstAt;
    loadLines<CExchangeDetail>(
        "exchanges.jsonl", &noPreparation,
        [&](const CExchangeDetailPtr& record, const std::string& fieldErrors, const Where& where) {
          const auto at = [&] { return located(where, record->marketId); };
          if (!fieldErrors.empty()) addFieldErrors(m_set.errors, at(), fieldErrors);
          if (record->marketId.empty()) return skip(at(), "key field marketId is empty");
          auto inserted = firstAt.emplace(record->marketId, where);
          if (!inserted.second)
            return skip(at(), "duplicate key (first at " + inserted.first->second.str() + ")");
          m_markets.insert(record->marketId);
          m_set.exchanges.push_back(record);
        });
  }

  // ---------------------------------------------------- instruments, funds
  template <class R>
  void loadInstruments(const char* file) {
    bool reserved = false;
    const bool fundPlans = std::is_same_v<R, COTCFundPlanInfo>;
    if (fundPlans) m_fundPlansFrom = m_set.instruments.size();
    loadLines<R>(
        file, &noPreparation,
        [&](boost::shared_ptr<R>& record, const std::string& fieldErrors, const Where& where,
            const ParsedLine<R>& parsed) {
          if (!reserved) {
            // About 300 bytes a line in generated sets; a guess, not a limit.
            const std::size_t expected = m_fileSize / 256 + 16;
            m_instrumentKeys.reserve(m_instrumentKeys.size() + expected);
            m_instrumentLines.reserve(m_instrumentLines.size() + expected);
            m_set.instruments.reserve(m_set.instruments.size() + expected);
            reserved = true;
          }
          const bool keyKnown = !record->marketId.empty() && !record->code.empty();
          const auto at = [&] {
            return located(where, keyKnown ? record->getKey() : std::string());
          };
          if (!fieldErrors.empty()) addFieldErrors(m_set.errors, at(), fieldErrors);
          if (record->marketId.empty()) return skip(at(), "key field marketId is empty");
          if (record->code.empty()) return skip(at(), "key field code is empty");
          if (!isKnownTradeType(record->tradeType)) {
            return skip(at(), "trading type " + tradeTypeText(record->tradeType) +
                                  " is not a single known trading type");
          }
          if (!parsed.marketKnown) {
            return skip(at(), "market " + record->marketId + " is not in exchanges.jsonl");
          }
          const auto& kept = m_set.instruments;
          const std::uint32_t first = m_instrumentKeys.insert(
              parsed.keyHash, static_cast<std::uint32_t>(kept.size()), [&](std::uint32_t position) {
                const CInstrumentDetail& other = *kept[position];
                return other.tradeType == record->tradeType && other.code == record->code &&
                       other.marketId == record->marketId;
              });
          if (first != CKeySlots::kInserted) {
            const Where firstWhere{
                first < m_fundPlansFrom || !fundPlans ? "instruments.jsonl" : "fundplans.jsonl",
                m_instrumentLines[first]};
            return skip(at(), "duplicate key for trading type " + tradeTypeText(record->tradeType) +
                                  " (first at " + firstWhere.str() + ")");
          }
          m_instrumentLines.push_back(where.line);
          m_set.instruments.push_back(std::move(record));
        });
  }

  // ---------------------------------------------------- inter-bank bonds
  void loadInterBankBonds() {
    std::unordered_map<std::string, Where> firstAt;
    loadLines<CInterBankBond>(
        "interbank_bonds.jsonl", &noPreparation,
        [&](const CInterBankBondPtr& record, const std::string& fieldErrors, const Where& where) {
          const bool keyKnown = !record->market.empty() && !record->bondCode.empty();
          const std::string key = keyKnown ? record->getKey() : std::string();
          const auto at = [&] { return located(where, key); };
          if (!fieldErrors.empty()) addFieldErrors(m_set.errors, at(), fieldErrors);
          if (record->market.empty()) return skip(at(), "key field market is empty");
          if (record->bondCode.empty()) return skip(at(), "key field bondCode is empty");
          auto inserted = firstAt.emplace(key, where);
          if (!inserted.second)
            return skip(at(), "duplicate key (first at " + inserted.first->second.str() + ")");
          m_set.interBankBonds.emplace_hint(m_set.interBankBonds.end(), key, record);
        });
  }

  // ---------------------------------------------------- tender bonds
  void loadTenderBonds() {
    using R = CTenderBondInfoDetail;
    static const std::pair<const char*, std::string R::*> dates[] = {
        {"tenderDate", &R::tenderDate},         {"tenderEndDate", &R::tenderEndDate},
        {"issueStartDate", &R::issueStartDate}, {"issueEndDate", &R::issueEndDate},
        {"paymentDate", &R::paymentDate},       {"valueDate", &R::valueDate},
        {"listingDate", &R::listingDate},       {"maturityDate", &R::maturityDate},
    };
    const QDate today = m_today;
    // Relative dates resolve on the loader's threads (a pure function of the
    // record and today).
    const auto resolveDates = [today](R& record, std::string& fieldErrors) {
      for (const auto& date : dates) {
        std::string resolved;
        std::string problem;
        std::string& member = record.*(date.second);
        if (resolveDataSetDate(member, today, resolved, problem)) {
          member = resolved;
        } else {
          fieldErrors.append("field ").append(date.first).append(": ").append(problem).append("\n");
          member.clear();
        }
      }
    };
    std::unordered_map<std::string, Where> firstAt;
    loadLines<R>(
        "tender_bonds.jsonl", resolveDates,
        [&](const CTenderBondInfoDetailPtr& record, const std::string& fieldErrors,
            const Where& where) {
          const std::string key = record->bondCode.empty() ? std::string() : record->getKey();
          const auto at = [&] { return located(where, key); };
          if (!fieldErrors.empty()) addFieldErrors(m_set.errors, at(), fieldErrors);
          if (record->bondCode.empty()) return skip(at(), "key field bondCode is empty");
          auto inserted = firstAt.emplace(key, where);
          if (!inserted.second)
            return skip(at(), "duplicate key (first at " + inserted.first->second.str() + ")");
          m_set.tenderBonds.emplace(key, record);
        });
  }

  // ---------------------------------------------------- order commands
  void loadOrderCommands() {
    std::unordered_map<int, Where> firstAt;
    loadLines<COrderCommand>(
        "order_commands.jsonl", &noPreparation,
        [&](const COrderCommandPtr& record, const std::string& fieldErrors, const Where& where) {
          const bool keyKnown = record->commandId != kNoValueInt;
          const std::string key = keyKnown ? record->getKey() : std::string();
          const auto at = [&] { return located(where, key); };
          if (!fieldErrors.empty()) addFieldErrors(m_set.errors, at(), fieldErrors);
          if (!keyKnown) return skip(at(), "key field commandId is missing");
          if (!isKnownTradeType(record->tradeType)) {
            return skip(at(), "trading type " + tradeTypeText(record->tradeType) +
                                  " is not a single known trading type");
          }
          auto inserted = firstAt.emplace(record->commandId, where);
          if (!inserted.second)
            return skip(at(), "duplicate key (first at " + inserted.first->second.str() + ")");
          m_set.orderCommands.push_back(record);
        });
  }

  // ---------------------------------------------------- bond trade infos
  void loadBondTradeInfos() {
    std::unordered_map<std::string, Where> firstAt;
    loadLines<CBondTradeInfo>(
        "bond_trade_infos.jsonl", &noPreparation,
        [&](const CBondTradeInfoPtr& record, const std::string& fieldErrors, const Where& where) {
          const bool keyKnown = !record->marketId.empty() && !record->code.empty();
          const std::string key = keyKnown ? record->getKey() : std::string();
          const auto at = [&] { return located(where, key); };
          if (!fieldErrors.empty()) addFieldErrors(m_set.errors, at(), fieldErrors);
          if (record->marketId.empty()) return skip(at(), "key field marketId is empty");
          if (record->code.empty()) return skip(at(), "key field code is empty");
          if (!marketKnown(record->marketId)) {
            return skip(at(), "market " + record->marketId + " is not in exchanges.jsonl");
          }
          auto inserted = firstAt.emplace(key, where);
          if (!inserted.second)
            return skip(at(), "duplicate key (first at " + inserted.first->second.str() + ")");
          auto& market = m_set.bondTradeInfos[record->marketId];
          market.emplace_hint(market.end(), static_cast<int>(market.size()), record);
        });
  }

  // ---------------------------------------------------- config.json
  void loadConfig() {
    const char* file = "config.json";
    std::string content;
    if (!openFile(file, content)) return;
    bson::BSONObj obj;
    try {
      obj = bson::BSONObj::fromJson(content);
    } catch (const bson::BSONError& e) {
      m_set.errors.push_back(std::string(file) + ": " + e.what() + "; defaults used");
      return;
    }
    using R = HostConfiguration;
    const QDate today = m_today;
    fields::FieldList<R> list;
    list.text("userName", &R::userName)
        .integer("userType", &R::userType)
        .boolean("brokerEdition", &R::brokerEdition)
        .integer("brokerEditionUserType", &R::brokerEditionUserType)
        .boolean("mergeFuture", &R::mergeFuture)
        .boolean("hkTradeInStock", &R::hkTradeInStock)
        .custom(
            "favourites", &readFavourites, [](R& r) { r.favourites.clear(); },
            [](const R&, bson::BSONObjBuilder&) {})
        .custom(
            "tradingDate",
            [today](R& r, const bson::BSONElement& e, fields::Report& report) {
              std::string text;
              std::string problem;
              if (!fields::readText(e, text, problem) ||
                  !resolveDataSetDate(text, today, r.tradingDate, problem)) {
                r.tradingDate.clear();
                report.field("tradingDate", problem);
              }
            },
            [](R& r) { r.tradingDate.clear(); }, [](const R&, bson::BSONObjBuilder&) {});
    std::string fieldErrors;
    list.read(m_set.config, obj, false, &fieldErrors);
    addFieldErrors(m_set.errors, file, fieldErrors);
  }

  static void readFavourites(HostConfiguration& r, const bson::BSONElement& e,
                             fields::Report& report) {
    r.favourites.clear();
    if (e.type() != bson::Object) {
      report.field("favourites", fields::wrongType("a document", e));
      return;
    }
    fields::Report inner = report.nested("favourites");
    for (const bson::BSONElement& entry : e.embeddedObject().elements()) {
      const std::string name = entry.fieldName();
      long long tradeType = 0;
      if (!parseInt(name, tradeType) || tradeType < INT_MIN || tradeType > INT_MAX) {
        inner.field(name, "the name is not a trading type (a decimal integer)");
        continue;
      }
      if (entry.type() != bson::Array) {
        inner.field(name, fields::wrongType("an array of stock keys", entry));
        continue;
      }
      std::vector<std::string> keys;
      std::string problem;
      std::size_t index = 0;
      for (const bson::BSONElement& item : entry.embeddedObject().elements()) {
        std::string key;
        std::string itemProblem;
        if (!fields::readText(item, key, itemProblem)) {
          problem = "element " + std::to_string(index) + ": " + itemProblem;
          break;
        }
        keys.push_back(std::move(key));
        ++index;
      }
      if (!problem.empty()) {
        inner.field(name, problem);
        continue;
      }
      if (!r.favourites.emplace(static_cast<int>(tradeType), std::move(keys)).second) {
        inner.field(name, "given more than once (the first value is kept)");
      }
    }
    if (!inner.ok()) report.fail();
  }

  // ---------------------------------------------------- enums.json
  void loadEnums() {
    const char* file = "enums.json";
    std::string content;
    if (!openFile(file, content)) return;
    bson::BSONObj obj;
    try {
      obj = bson::BSONObj::fromJson(content);
    } catch (const bson::BSONError& e) {
      m_set.errors.push_back(std::string(file) + ": " + e.what() + "; no enum names loaded");
      return;
    }
    const std::string prefix = std::string(file) + ": ";
    for (const bson::BSONElement& enumElement : obj.elements()) {
      const std::string enumName = enumElement.fieldName();
      if (enumElement.type() != bson::Object) {
        m_set.errors.push_back(prefix + enumName + ": " +
                               fields::wrongType("a document", enumElement) + "; enum skipped");
        continue;
      }
      auto& values = m_set.enumNames[enumName];
      for (const bson::BSONElement& item : enumElement.embeddedObject().elements()) {
        const std::string valueName = item.fieldName();
        const std::string at = prefix + enumName + ".\"" + valueName + "\": ";
        long long value = 0;
        if (!parseInt(valueName, value) || value < INT_MIN || value > INT_MAX) {
          m_set.errors.push_back(at + "the name is not a 32-bit decimal integer; skipped");
          continue;
        }
        std::string text;
        std::string problem;
        if (!fields::readText(item, text, problem)) {
          m_set.errors.push_back(at + problem + "; skipped");
          continue;
        }
        if (!values.emplace(static_cast<int>(value), std::move(text)).second) {
          m_set.errors.push_back(at + "value given more than once (the first text is kept)");
        }
      }
    }
  }

  std::filesystem::path m_directory;
  QDate m_today;
  DataSetLoadOptions m_options;
  int m_threads = 1;
  CJsonLineReader m_reader;  // of this thread
  CRecordArena m_arena;      // for the records decoded on this thread
  // Signals a slot decoded (Slot::done); waited for on this thread.
  std::mutex m_slotMutex;
  std::condition_variable m_slotDone;
  DataSetLoadProgress m_progress;
  DataSet m_set;
  MarketSet m_markets;
  std::size_t m_fileSize = 0;  // of the file being read
  // Every instrument and fund plan kept, by trading type and key: its
  // position in m_set.instruments and its line.
  CKeySlots m_instrumentKeys;
  std::vector<int> m_instrumentLines;  // the line of each, by position
  // Where the fund plans start in m_set.instruments (the file of a line).
  std::size_t m_fundPlansFrom = 0;
  // The decoding threads (none when the load runs on one thread); last, so
  // that its threads are gone before the rest of the loader.
  std::unique_ptr<CTaskPool> m_pool;
};

}  // namespace

bool isKnownTradeType(int tradeType) {
  switch (tradeType) {
    case NQ_TRADER_STOCK:
    case NQ_TRADER_FUTURE:
    case NQ_TRADER_GOLD:
    case NQ_TRADER_CREDIT:
    case NQ_TRADER_FUTURE_OPTION:
    case NQ_TRADER_STOCK_OPTION:
    case NQ_TRADER_OUTER_FUTURE:
    case NQ_TRADER_HK_CONNECT:
    case NQ_TRADER_NEEQ:
    case NQ_TRADER_OTC_FUND:
    case NQ_TRADER_FUTURE_SPEC:
    case NQ_TRADER_OUTER_STOCK:
    case NQ_TRADER_FOREX:
    case NQ_TRADER_REPO:
    case NQ_TRADER_HK_STOCK:
    case NQ_TRADER_INTER_BANK:
    case NQ_TRADER_SPOT:
    case NQ_TRADER_PRECIOUS:
    case NQ_TRADER_OUTER_OPTION:
    case NQ_TRADER_OUTER_SPOT:
    case NQ_TRADER_FICC:
    case NQ_TRADER_MIXED:
    case NQ_TRADER_SWAP:
    case NQ_TRADER_INTER_BANK_FX:
    case NQ_TRADER_BOND_TENDER:
      return true;
    default:
      return false;
  }
}

bool resolveDataSetDate(const std::string& text, const QDate& today, std::string& out,
                        std::string& problem) {
  if (text.empty()) {
    out.clear();
    return true;
  }
  if (text[0] == '@') {
    long long days = 0;
    bool ok = true;
    if (text.size() > 1) {
      const char sign = text[1];
      const std::string digits = text.substr(2);
      ok = (sign == '+' || sign == '-') && !digits.empty() && digits.size() <= 6 &&
           digits.find_first_not_of("0123456789") == std::string::npos && parseInt(digits, days);
      if (sign == '-') days = -days;
    }
    const QDate date = ok ? today.addDays(days) : QDate();
    if (!ok || !date.isValid()) {
      problem = "\"" + text + "\" is not a relative date (@, @+N or @-N)";
      return false;
    }
    out = date.toString(QStringLiteral("yyyyMMdd")).toStdString();
    return true;
  }
  if (text.size() == 8 && text.find_first_not_of("0123456789") == std::string::npos) {
    const int year = std::stoi(text.substr(0, 4));
    const int month = std::stoi(text.substr(4, 2));
    const int day = std::stoi(text.substr(6, 2));
    if (QDate(year, month, day).isValid()) {
      out = text;
      return true;
    }
  }
  problem = "\"" + text + "\" is not a date (yyyyMMdd, @, @+N or @-N)";
  return false;
}

DataSet loadDataSet(const std::string& directory, const QDate& today,
                    const DataSetLoadOptions& options) {
  try {
    return Loader(directory, today.isValid() ? today : QDate::currentDate(), options).run();
  } catch (const std::exception& e) {
    DataSet set;
    set.errors.push_back(directory + ": unexpected error: " + e.what());
    return set;
  } catch (...) {
    DataSet set;
    set.errors.push_back(directory + ": unexpected error");
    return set;
  }
}

DataSet loadDataSet(const std::string& directory, const QDate& today) {
  return loadDataSet(directory, today, DataSetLoadOptions());
}

DataSet loadDataSet(const std::string& directory) {
  return loadDataSet(directory, QDate::currentDate(), DataSetLoadOptions());
}

}  // namespace mxservice
