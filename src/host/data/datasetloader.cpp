#include "host/data/datasetloader.h"

#include "host/data/fieldbinder.h"

#include <boost/make_shared.hpp>

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>
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

// ---------------------------------------------------------------- the loader

class Loader {
public:
  Loader(const std::string& directory, const QDate& today)
      : m_directory(directory), m_today(today) {}

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
    return std::move(m_set);
  }

private:
  // One file's loading; an unexpected exception costs the rest of that file only.
  void guarded(const char* file, const std::function<void()>& load) {
    try {
      load();
    } catch (const std::exception& e) {
      m_set.errors.push_back(std::string(file) + ": unexpected error: " + e.what());
    } catch (...) {
      m_set.errors.push_back(std::string(file) + ": unexpected error");
    }
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

  // Calls handle(obj, where) for each parsable non-blank line of a JSON Lines
  // file.
  template <class Handle>
  void forEachLine(const char* file, const Handle& handle) {
    std::string content;
    if (!openFile(file, content)) return;
    m_lineCount = static_cast<std::size_t>(std::count(content.begin(), content.end(), '\n')) + 1;
    std::size_t start = 0;
    int lineNumber = 0;
    while (start < content.size()) {
      std::size_t end = content.find('\n', start);
      if (end == std::string::npos) end = content.size();
      ++lineNumber;
      std::string_view line(content.data() + start, end - start);
      start = end + 1;
      if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
      if (isBlank(line)) continue;
      const Where where{file, lineNumber};
      bson::BSONObj obj;
      try {
        obj = bson::BSONObj::fromJson(line.data(), line.size());
      } catch (const bson::BSONError& e) {
        m_set.errors.push_back(where.str() + ": " + e.what() + "; line skipped");
        continue;
      }
      handle(obj, where);
    }
  }

  // Reads one record; reports field problems under "where (key)".
  template <class R>
  boost::shared_ptr<R> readRecord(const bson::BSONObj& obj, std::string& fieldErrors) {
    auto record = boost::make_shared<R>();
    record->bsonValueFromObj(obj, false, &fieldErrors);
    return record;
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

  // ------------------------------------------------------------ exchanges
  void loadExchanges() {
    std::unordered_map<std::string, Where> firstAt;
    forEachLine("exchanges.jsonl", [&](const bson::BSONObj& obj, const Where& where) {
      std::string fieldErrors;
      auto record = readRecord<CExchangeDetail>(obj, fieldErrors);
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
    forEachLine(file, [&](const bson::BSONObj& obj, const Where& where) {
      if (!reserved) {
        m_instrumentKeys.reserve(m_instrumentKeys.size() + m_lineCount);
        m_set.instruments.reserve(m_set.instruments.size() + m_lineCount);
        reserved = true;
      }
      std::string fieldErrors;
      auto record = readRecord<R>(obj, fieldErrors);
      const bool keyKnown = !record->marketId.empty() && !record->code.empty();
      const std::string key = keyKnown ? record->getKey() : std::string();
      const auto at = [&] { return located(where, key); };
      if (!fieldErrors.empty()) addFieldErrors(m_set.errors, at(), fieldErrors);
      if (record->marketId.empty()) return skip(at(), "key field marketId is empty");
      if (record->code.empty()) return skip(at(), "key field code is empty");
      if (!isKnownTradeType(record->tradeType)) {
        return skip(at(), "trading type " + tradeTypeText(record->tradeType) +
                              " is not a single known trading type");
      }
      if (!marketKnown(record->marketId)) {
        return skip(at(), "market " + record->marketId + " is not in exchanges.jsonl");
      }
      auto inserted =
          m_instrumentKeys.emplace(std::to_string(record->tradeType) + "|" + key, where);
      if (!inserted.second) {
        return skip(at(), "duplicate key for trading type " + tradeTypeText(record->tradeType) +
                              " (first at " + inserted.first->second.str() + ")");
      }
      m_set.instruments.push_back(record);
    });
  }

  // ---------------------------------------------------- inter-bank bonds
  void loadInterBankBonds() {
    std::unordered_map<std::string, Where> firstAt;
    forEachLine("interbank_bonds.jsonl", [&](const bson::BSONObj& obj, const Where& where) {
      std::string fieldErrors;
      auto record = readRecord<CInterBankBond>(obj, fieldErrors);
      const bool keyKnown = !record->market.empty() && !record->bondCode.empty();
      const std::string key = keyKnown ? record->getKey() : std::string();
      const auto at = [&] { return located(where, key); };
      if (!fieldErrors.empty()) addFieldErrors(m_set.errors, at(), fieldErrors);
      if (record->market.empty()) return skip(at(), "key field market is empty");
      if (record->bondCode.empty()) return skip(at(), "key field bondCode is empty");
      auto inserted = firstAt.emplace(key, where);
      if (!inserted.second)
        return skip(at(), "duplicate key (first at " + inserted.first->second.str() + ")");
      m_set.interBankBonds.emplace(key, record);
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
    std::unordered_map<std::string, Where> firstAt;
    forEachLine("tender_bonds.jsonl", [&](const bson::BSONObj& obj, const Where& where) {
      std::string fieldErrors;
      auto record = readRecord<R>(obj, fieldErrors);
      for (const auto& date : dates) {
        std::string resolved;
        std::string problem;
        std::string& member = (*record).*(date.second);
        if (resolveDataSetDate(member, m_today, resolved, problem)) {
          member = resolved;
        } else {
          fieldErrors.append("field ").append(date.first).append(": ").append(problem).append("\n");
          member.clear();
        }
      }
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
    forEachLine("order_commands.jsonl", [&](const bson::BSONObj& obj, const Where& where) {
      std::string fieldErrors;
      auto record = readRecord<COrderCommand>(obj, fieldErrors);
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
    forEachLine("bond_trade_infos.jsonl", [&](const bson::BSONObj& obj, const Where& where) {
      std::string fieldErrors;
      auto record = readRecord<CBondTradeInfo>(obj, fieldErrors);
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
      market.emplace(static_cast<int>(market.size()), record);
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
  DataSet m_set;
  std::unordered_set<std::string> m_markets;
  std::size_t m_lineCount = 0;  // lines of the file being read
  std::unordered_map<std::string, Where>
      m_instrumentKeys;  // trading type + "|" + key -> first line
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

DataSet loadDataSet(const std::string& directory, const QDate& today) {
  try {
    return Loader(directory, today.isValid() ? today : QDate::currentDate()).run();
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

DataSet loadDataSet(const std::string& directory) {
  return loadDataSet(directory, QDate::currentDate());
}

}  // namespace mxservice
