#pragma once
// Records of derivatives: domestic futures and their calendar spreads,
// options on futures, exchange-listed stock options and foreign futures with
// their spreads. Contracts come from product tables modelled on the real
// exchanges (multiplier, tick, price level, limit band, margin and fees per
// product), so that a contract's code, name, limits and fees agree.
//
// Ordinals map onto contracts as product x month (x strike x call/put for
// options, x second leg for spreads); the *Count functions give the segment
// sizes. Pure functions: any thread.

#include "datagen/codespace.h"
#include "datagen/records.h"

namespace datagen {

class CDerivativeFactory {
public:
  static void make(const CodeSegment& segment, long long ordinal, int tradeType,
                   CRandomSource& random, InstrumentRecord& record);

  static long long domesticFutureCount();
  static long long domesticSpreadCount();
  static long long futureOptionCount();
  static long long stockOptionCount(const std::string& marketId);
  static long long foreignFutureCount();
  static long long foreignSpreadCount();

  // Domestic futures products for the commodity spot list: product count and
  // the fields a spot record borrows.
  struct ProductInfo {
    std::string exchange;
    std::string code;
    std::string name;
    double tick = 1.0;
    double priceLevel = 1.0;
    int multiplier = 1;
  };
  static int domesticProductCount();
  static ProductInfo domesticProduct(int index);

  // Ordinals of named contracts, for hand-picked lists such as the sample;
  // -1 when the product, month or strike is outside the code space.
  // strikeOffset counts strike steps from the at-the-money strike.
  static long long domesticFutureOrdinal(const std::string& product, int year, int month);
  static long long futureOptionOrdinal(const std::string& future, int year, int month,
                                       int strikeOffset, bool call);
  static long long stockOptionOrdinal(const std::string& underlying, int year, int month,
                                      int strikeOffset, bool call);
  static long long foreignFutureOrdinal(const std::string& product, int year, int month);

private:
  static void makeDomesticFuture(long long ordinal, bool spread, CRandomSource& random,
                                 InstrumentRecord& r);
  static void makeFutureOption(long long ordinal, CRandomSource& random, InstrumentRecord& r);
  static void makeStockOption(const CodeSegment& segment, long long ordinal, CRandomSource& random,
                              InstrumentRecord& r);
  static void makeForeignFuture(long long ordinal, bool spread, CRandomSource& random,
                                InstrumentRecord& r);
};

}  // namespace datagen
