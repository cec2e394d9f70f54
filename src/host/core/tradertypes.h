#pragma once
// Enumerations and no-value markers shared by every host service and by the
// panels. Trading types are bit flags: one panel lists one trading type, a
// mixed list (NQ_TRADER_MIXED_ALL) is the union of several.

#include <cfloat>
#include <climits>

namespace mxservice {

enum ENqTraderType : int {
  NQ_TRADER_NONE = 0,
  NQ_TRADER_STOCK = 0x1,                // exchange stocks and bonds
  NQ_TRADER_FUTURE = 0x2,               // domestic futures
  NQ_TRADER_GOLD = 0x4,                 // gold exchange spot
  NQ_TRADER_CREDIT = 0x8,               // margin trading
  NQ_TRADER_FUTURE_OPTION = 0x10,       // options on futures
  NQ_TRADER_STOCK_OPTION = 0x20,        // exchange-listed stock options
  NQ_TRADER_OUTER_FUTURE = 0x40,        // foreign futures
  NQ_TRADER_HK_CONNECT = 0x80,          // Shanghai/Shenzhen-Hong Kong connect
  NQ_TRADER_NEEQ = 0x100,               // NEEQ and Beijing exchange
  NQ_TRADER_OTC_FUND = 0x200,           // over-the-counter funds
  NQ_TRADER_FUTURE_SPEC = 0x400,        // futures of a second futures account
  NQ_TRADER_OUTER_STOCK = 0x800,        // foreign exchange-traded products
  NQ_TRADER_FOREX = 0x1000,             // foreign exchange
  NQ_TRADER_REPO = 0x2000,              // (no instrument list)
  NQ_TRADER_HK_STOCK = 0x4000,          // Hong Kong stocks
  NQ_TRADER_INTER_BANK = 0x8000,        // inter-bank bonds
  NQ_TRADER_SPOT = 0x10000,             // commodity spot
  NQ_TRADER_PRECIOUS = 0x20000,         // (no instrument list)
  NQ_TRADER_OUTER_OPTION = 0x40000,     // foreign options
  NQ_TRADER_OUTER_SPOT = 0x80000,       // foreign spot
  NQ_TRADER_FICC = 0x100000,            // fixed income platform
  NQ_TRADER_MIXED = 0x800000,           // mixed list of a broker
  NQ_TRADER_SWAP = 0x1000000,           // swaps
  NQ_TRADER_INTER_BANK_FX = 0x2000000,  // inter-bank, foreign currency bonds
  NQ_TRADER_BOND_TENDER = 0x8000000,    // primary-market bond tenders
  NQ_TRADER_MIXED_ALL = 0xC5DFF,        // union used by the all-markets list
};

// Status of an order command; the tender workflow derives a bond's state from
// the statuses of its commands. -2 is never stored by the server: it is the
// derived "nothing decides" state.
enum EOrderCommandStatus : int {
  ORDER_COMMAND_SETTLE_FINISHED = -2,
  ORDER_COMMAND_APPROVING = 0,
  ORDER_COMMAND_RUNNING = 2,
  ORDER_COMMAND_STOPPED = 5,
  ORDER_COMMAND_DEAL_FINISHED = 201,
  ORDER_COMMAND_LOCKED = 204,
};

enum MsgLevel : int {
  MSG_LEVEL_INFO = 0,
  MSG_LEVEL_WARNING = 1,
  MSG_LEVEL_ERROR = 2,
};

// Data types of the account data's record tables.
enum EDataType : int {
  DATA_TYPE_ORDER_COMMAND = 535,
};

// A numeric field that holds one of these markers has no value.
constexpr double kNoValueDouble = DBL_MAX;  // 1.7976931348623157e308
constexpr int kNoValueInt = INT_MAX;        // 2147483647
constexpr long long kNoValueInt64 = LLONG_MAX;

}  // namespace mxservice
