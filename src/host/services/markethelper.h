#pragma once
// Market and code predicates of the host.
//
// Market ids (CInstrumentDetail::marketId, CExchangeDetail::marketId):
//   SH    Shanghai stock exchange            SZ    Shenzhen stock exchange
//   BJ    Beijing stock exchange             NQ    NEEQ (also accepted: NEEQ)
//   SHFE, DCE, CZCE, CFFEX, INE, GFEX        domestic futures exchanges
//   SGE   Shanghai gold exchange
//   SHO, SZO                                 stock options (Shanghai, Shenzhen)
//   HGT   Shanghai-Hong Kong connect         SGT   Shenzhen-Hong Kong connect
//   HKEX  Hong Kong exchange
//   CME, COMEX, NYMEX, LME, ICE, SGX         foreign exchanges
//   FIB   foreign-currency inter-bank market
//   NIB, BANK                                inter-bank markets
//   OTC   over-the-counter funds
// Options on futures are listed on their futures exchange; their product
// code ends with "_O", so only the detail overload can tell them apart.
//
// Code segments (six-digit codes):
//   SZ 300xxx, 301xxx    Shenzhen growth-enterprise board
//   SH 688xxx            sci-tech board shares (tagged by stockKind 1172/1173)
//   SH 689xxx            sci-tech board depositary receipts (also CDRs)
//   SH 639xxx            main-board depositary receipts
//   SH 6019xx, SZ 0019xx innovative-enterprise shares
//   SH 204xxx, SZ 1318xx pledged repos (see LW::CCalcOverdue)
//   SH 205xxx, SZ 1319xx double-turn loan (securities refinancing) codes
// Typed-stock kinds (CInstrumentDetail::stockKind): 1172 and 1173 sci-tech
// board, 1193 delisting arrangement.
// Fixed-income platform (trading type 0x100000): product code "BOND" is a
// bond, "AGREE_REPO" an agreed repurchase.
//
// All functions are pure (apart from nqMarketIdToString, which reads the
// exchange client) and may be called from any thread. A null detail answers
// false.

#include "host/data/instrumentdetail.h"

#include <QString>
#include <string>

namespace mxservice {

bool isStockMarket(const std::string& market);  // SH, SZ, BJ
bool isFutureMarket(const std::string& market);
bool isNew3BoardMarket(const std::string& market);
bool isBJMarket(const std::string& market);
bool isStockOptionMarket(const std::string& market);
bool isFutureOptionMarket(const CInstrumentDetailPtr& detail);
bool isForeignMarket(const std::string& market);
bool isGoldMarket(const std::string& market);
bool isHGTMarket(const std::string& market);
bool isSGTMarket(const std::string& market);
bool isHKMarket(const std::string& market);
bool isForeignInterBankMarket(const std::string& market);
bool isInterBankMarket(const std::string& market);  // NIB, BANK
bool isOTCFundMarket(const std::string& market);

// Detail overloads: the same test on the detail's marketId.
bool isStockMarket(const CInstrumentDetailPtr& detail);
bool isFutureMarket(const CInstrumentDetailPtr& detail);
bool isNew3BoardMarket(const CInstrumentDetailPtr& detail);
bool isBJMarket(const CInstrumentDetailPtr& detail);
bool isSGTMarket(const CInstrumentDetailPtr& detail);
bool isForeignMarket(const CInstrumentDetailPtr& detail);

bool isShenzhenGemBoard(const std::string& market, const std::string& code);
bool isKcbCDRCode(const std::string& market, const std::string& code);
bool isCDRCode(const std::string& market, const std::string& code);
bool isInnovateCode(const std::string& market, const std::string& code);
bool isDoubleTurnLoanCode(const std::string& market, const std::string& code);
// Pledged repo codes: SH 204xxx and SZ 1318xx.
bool isRepoCode(const std::string& market, const std::string& code);

bool isShenzhenGemBoard(const CInstrumentDetailPtr& detail);
bool isKcbCDRCode(const CInstrumentDetailPtr& detail);
bool isCDRCode(const CInstrumentDetailPtr& detail);
bool isInnovateCode(const CInstrumentDetailPtr& detail);

// Whether the detail's stockKind is kind (1172, 1173, 1193, ...).
bool isTypedStock(const CInstrumentDetailPtr& detail, int kind);

bool isFiccAgreeRepurchaseStock(const CInstrumentDetailPtr& detail);
bool isFiccBondStock(const CInstrumentDetailPtr& detail);

}  // namespace mxservice

namespace LW {

// The display name of a market: the exchange table's name for the market
// (CExchangeClient::getExchangeInfo), else the detail's own exchange name,
// else the market id itself.
QString nqMarketIdToString(const std::string& market,
                           const mxservice::CInstrumentDetailPtr& detail);

}  // namespace LW
