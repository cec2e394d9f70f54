#include "host/services/markethelper.h"

#include "host/core/stockkey.h"
#include "host/services/exchangeclient.h"

#include <algorithm>
#include <initializer_list>

namespace mxservice {

namespace {
bool oneOf(const std::string& market, std::initializer_list<const char*> ids) {
  return std::any_of(ids.begin(), ids.end(), [&](const char* id) { return market == id; });
}

bool startsWith(const std::string& text, const char* prefix) {
  return text.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

bool isSixDigits(const std::string& code) {
  return code.size() == 6 &&
         std::all_of(code.begin(), code.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A six-digit code of market starting with one of the prefixes.
bool inSegment(const std::string& market, const std::string& code, const char* onMarket,
               std::initializer_list<const char*> prefixes) {
  if (market != onMarket || !isSixDigits(code)) return false;
  return std::any_of(prefixes.begin(), prefixes.end(),
                     [&](const char* prefix) { return startsWith(code, prefix); });
}
}  // namespace

bool isStockMarket(const std::string& market) { return oneOf(market, {"SH", "SZ", "BJ"}); }
bool isFutureMarket(const std::string& market) {
  return oneOf(market, {"SHFE", "DCE", "CZCE", "CFFEX", "INE", "GFEX"});
}
bool isNew3BoardMarket(const std::string& market) { return oneOf(market, {"NQ", "NEEQ"}); }
bool isBJMarket(const std::string& market) { return market == "BJ"; }
bool isStockOptionMarket(const std::string& market) { return oneOf(market, {"SHO", "SZO"}); }
bool isForeignMarket(const std::string& market) {
  return oneOf(market, {"CME", "COMEX", "NYMEX", "LME", "ICE", "SGX"});
}
bool isGoldMarket(const std::string& market) { return market == "SGE"; }
bool isHGTMarket(const std::string& market) { return market == "HGT"; }
bool isSGTMarket(const std::string& market) { return market == "SGT"; }
bool isHKMarket(const std::string& market) { return market == "HKEX"; }
bool isForeignInterBankMarket(const std::string& market) { return market == "FIB"; }
bool isInterBankMarket(const std::string& market) { return oneOf(market, {"NIB", "BANK"}); }
bool isOTCFundMarket(const std::string& market) { return market == "OTC"; }

bool isFutureOptionMarket(const CInstrumentDetailPtr& detail) {
  if (!detail || !isFutureMarket(detail->marketId)) return false;
  const std::string& product = detail->productCode;
  return product.size() > 2 && product.compare(product.size() - 2, 2, "_O") == 0;
}

bool isStockMarket(const CInstrumentDetailPtr& detail) {
  return detail && isStockMarket(detail->marketId);
}
bool isFutureMarket(const CInstrumentDetailPtr& detail) {
  return detail && isFutureMarket(detail->marketId);
}
bool isNew3BoardMarket(const CInstrumentDetailPtr& detail) {
  return detail && isNew3BoardMarket(detail->marketId);
}
bool isBJMarket(const CInstrumentDetailPtr& detail) {
  return detail && isBJMarket(detail->marketId);
}
bool isSGTMarket(const CInstrumentDetailPtr& detail) {
  return detail && isSGTMarket(detail->marketId);
}
bool isForeignMarket(const CInstrumentDetailPtr& detail) {
  return detail && isForeignMarket(detail->marketId);
}

bool isShenzhenGemBoard(const std::string& market, const std::string& code) {
  return inSegment(market, code, "SZ", {"300", "301"});
}
bool isKcbCDRCode(const std::string& market, const std::string& code) {
  return inSegment(market, code, "SH", {"689"});
}
bool isCDRCode(const std::string& market, const std::string& code) {
  return inSegment(market, code, "SH", {"639", "689"});
}
bool isInnovateCode(const std::string& market, const std::string& code) {
  return inSegment(market, code, "SH", {"6019"}) || inSegment(market, code, "SZ", {"0019"});
}
bool isDoubleTurnLoanCode(const std::string& market, const std::string& code) {
  return inSegment(market, code, "SH", {"205"}) || inSegment(market, code, "SZ", {"1319"});
}
bool isRepoCode(const std::string& market, const std::string& code) {
  return inSegment(market, code, "SH", {"204"}) || inSegment(market, code, "SZ", {"1318"});
}

bool isShenzhenGemBoard(const CInstrumentDetailPtr& detail) {
  return detail && isShenzhenGemBoard(detail->marketId, detail->code);
}
bool isKcbCDRCode(const CInstrumentDetailPtr& detail) {
  return detail && isKcbCDRCode(detail->marketId, detail->code);
}
bool isCDRCode(const CInstrumentDetailPtr& detail) {
  return detail && isCDRCode(detail->marketId, detail->code);
}
bool isInnovateCode(const CInstrumentDetailPtr& detail) {
  return detail && isInnovateCode(detail->marketId, detail->code);
}

bool isTypedStock(const CInstrumentDetailPtr& detail, int kind) {
  return detail && kind != kNoValueInt && detail->stockKind == kind;
}

bool isFiccAgreeRepurchaseStock(const CInstrumentDetailPtr& detail) {
  return detail && (detail->tradeType & NQ_TRADER_FICC) && detail->productCode == "AGREE_REPO";
}
bool isFiccBondStock(const CInstrumentDetailPtr& detail) {
  return detail && (detail->tradeType & NQ_TRADER_FICC) && detail->productCode == "BOND";
}

}  // namespace mxservice

namespace LW {

QString nqMarketIdToString(const std::string& market,
                           const mxservice::CInstrumentDetailPtr& detail) {
  mxservice::CExchangeDetailPtr exchange = CExchangeClient::instance()->getExchangeInfo(market);
  if (exchange && !exchange->name.empty()) return GU::sToQs(exchange->name);
  if (detail && !detail->exchangeName.empty()) return GU::sToQs(detail->exchangeName);
  return GU::sToQs(market);
}

}  // namespace LW
