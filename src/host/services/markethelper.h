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

#include "lwhost_data_export.h"

#include "host/data/instrumentdetail.h"

#include <QString>
#include <string>

namespace mxservice {

LWHOST_DATA_EXPORT bool isStockMarket(const std::string& market);  // SH, SZ, BJ
LWHOST_DATA_EXPORT bool isFutureMarket(const std::string& market);
LWHOST_DATA_EXPORT bool isNew3BoardMarket(const std::string& market);
LWHOST_DATA_EXPORT bool isBJMarket(const std::string& market);
LWHOST_DATA_EXPORT bool isStockOptionMarket(const std::string& market);
LWHOST_DATA_EXPORT bool isFutureOptionMarket(const CInstrumentDetailPtr& detail);
LWHOST_DATA_EXPORT bool isForeignMarket(const std::string& market);
LWHOST_DATA_EXPORT bool isGoldMarket(const std::string& market);
LWHOST_DATA_EXPORT bool isHGTMarket(const std::string& market);
LWHOST_DATA_EXPORT bool isSGTMarket(const std::string& market);
LWHOST_DATA_EXPORT bool isHKMarket(const std::string& market);
LWHOST_DATA_EXPORT bool isForeignInterBankMarket(const std::string& market);
LWHOST_DATA_EXPORT bool isInterBankMarket(const std::string& market);  // NIB, BANK
LWHOST_DATA_EXPORT bool isOTCFundMarket(const std::string& market);

// Detail overloads: the same test on the detail's marketId.
LWHOST_DATA_EXPORT bool isStockMarket(const CInstrumentDetailPtr& detail);
LWHOST_DATA_EXPORT bool isFutureMarket(const CInstrumentDetailPtr& detail);
LWHOST_DATA_EXPORT bool isNew3BoardMarket(const CInstrumentDetailPtr& detail);
LWHOST_DATA_EXPORT bool isBJMarket(const CInstrumentDetailPtr& detail);
LWHOST_DATA_EXPORT bool isSGTMarket(const CInstrumentDetailPtr& detail);
LWHOST_DATA_EXPORT bool isForeignMarket(const CInstrumentDetailPtr& detail);

LWHOST_DATA_EXPORT bool isShenzhenGemBoard(const std::string& market, const std::string& code);
LWHOST_DATA_EXPORT bool isKcbCDRCode(const std::string& market, const std::string& code);
LWHOST_DATA_EXPORT bool isCDRCode(const std::string& market, const std::string& code);
LWHOST_DATA_EXPORT bool isInnovateCode(const std::string& market, const std::string& code);
LWHOST_DATA_EXPORT bool isDoubleTurnLoanCode(const std::string& market, const std::string& code);
// Pledged repo codes: SH 204xxx and SZ 1318xx.
LWHOST_DATA_EXPORT bool isRepoCode(const std::string& market, const std::string& code);

LWHOST_DATA_EXPORT bool isShenzhenGemBoard(const CInstrumentDetailPtr& detail);
LWHOST_DATA_EXPORT bool isKcbCDRCode(const CInstrumentDetailPtr& detail);
LWHOST_DATA_EXPORT bool isCDRCode(const CInstrumentDetailPtr& detail);
LWHOST_DATA_EXPORT bool isInnovateCode(const CInstrumentDetailPtr& detail);

// Whether the detail's stockKind is kind (1172, 1173, 1193, ...).
LWHOST_DATA_EXPORT bool isTypedStock(const CInstrumentDetailPtr& detail, int kind);

LWHOST_DATA_EXPORT bool isFiccAgreeRepurchaseStock(const CInstrumentDetailPtr& detail);
LWHOST_DATA_EXPORT bool isFiccBondStock(const CInstrumentDetailPtr& detail);

}  // namespace mxservice

namespace LW {

// The display name of a market: the exchange table's name for the market
// (CExchangeClient::getExchangeInfo), else the detail's own exchange name,
// else the market id itself.
LWHOST_DATA_EXPORT QString nqMarketIdToString(const std::string& market,
                                              const mxservice::CInstrumentDetailPtr& detail);

}  // namespace LW
