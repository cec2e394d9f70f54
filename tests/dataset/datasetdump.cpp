#include "datasetdump.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace dataset_test {

namespace {
template <class Ptr>
void dumpRecord(std::string& out, const char* kind, const Ptr& record) {
  out.append(kind).append(" ").append(record->toBsonObj().jsonString()).append("\n");
}
}  // namespace

std::string dumpDataSet(const mxservice::DataSet& set) {
  std::string out;
  for (const auto& r : set.exchanges) dumpRecord(out, "exchange", r);
  for (const auto& r : set.instruments)
    dumpRecord(out, ("instrument " + std::to_string(r->tradeType)).c_str(), r);
  for (const auto& r : set.interBankBonds)
    dumpRecord(out, ("interbank " + r.first).c_str(), r.second);
  for (const auto& r : set.tenderBonds) dumpRecord(out, ("tender " + r.first).c_str(), r.second);
  for (const auto& r : set.orderCommands) dumpRecord(out, "command", r);
  for (const auto& market : set.bondTradeInfos) {
    for (const auto& r : market.second) {
      dumpRecord(out, ("tradeinfo " + market.first + " " + std::to_string(r.first)).c_str(),
                 r.second);
    }
  }
  const mxservice::HostConfiguration& c = set.config;
  out += "config userName=" + c.userName + " userType=" + std::to_string(c.userType) +
         " brokerEdition=" + std::to_string(c.brokerEdition) +
         " brokerEditionUserType=" + std::to_string(c.brokerEditionUserType) +
         " mergeFuture=" + std::to_string(c.mergeFuture) +
         " hkTradeInStock=" + std::to_string(c.hkTradeInStock) + " tradingDate=" + c.tradingDate +
         "\n";
  for (const auto& f : c.favourites) {
    out += "favourites " + std::to_string(f.first);
    for (const std::string& key : f.second) out += " " + key;
    out += "\n";
  }
  for (const auto& e : set.enumNames) {
    for (const auto& v : e.second)
      out += "enum " + e.first + " " + std::to_string(v.first) + " " + v.second + "\n";
  }
  for (const std::string& line : set.errors) out += "error " + line + "\n";
  return out;
}

std::string firstDifference(const std::string& expected, const std::string& actual) {
  std::istringstream a(expected);
  std::istringstream b(actual);
  std::string x;
  std::string y;
  for (int line = 1;; ++line) {
    const bool moreA = static_cast<bool>(std::getline(a, x));
    const bool moreB = static_cast<bool>(std::getline(b, y));
    if (!moreA && !moreB) return std::string();
    if (!moreA) x = "<end>";
    if (!moreB) y = "<end>";
    if (x != y || !moreA || !moreB) {
      return "line " + std::to_string(line) + "\n  expected: " + x + "\n  actual:   " + y;
    }
  }
}

std::string goldenPath(const std::string& name) {
  const char* source = std::getenv("LW_SOURCE_DIR");
  return std::string(source ? source : ".") + "/tests/dataset/golden/" + name;
}

bool readText(const std::string& path, std::string& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream buffer;
  buffer << in.rdbuf();
  out = buffer.str();
  return true;
}

bool writeText(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  return static_cast<bool>(out);
}

}  // namespace dataset_test
