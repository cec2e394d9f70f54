// The host records' generic reader and writer: the value rules per member
// kind, keys, round trips and the copy constructors.
#include "host/data/bondtendersparam.h"
#include "host/data/bondtradeinfo.h"
#include "host/data/exchangedetail.h"
#include "host/data/fieldbinder.h"
#include "host/data/instrumentdetail.h"
#include "host/data/interbankbond.h"
#include "host/data/ordercommand.h"
#include "host/data/otcfundplaninfo.h"
#include "host/data/tenderbondinfodetail.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

using namespace mxservice;

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

// A one-field document whose value is set by `put`.
bson::BSONObj doc(const std::function<void(bson::BSONObjBuilder&)>& put) {
  bson::BSONObjBuilder b;
  put(b);
  return b.obj();
}

std::vector<std::string> names(const bson::BSONObj& obj) {
  std::vector<std::string> out;
  for (const auto& e : obj.elements()) out.push_back(e.fieldName());
  return out;
}

struct Case {
  const char* what;
  std::function<void(bson::BSONObjBuilder&)> put;  // appends the field under test
  bool ok;
  const char* problem;  // expected part of the error line when !ok
};

}  // namespace

// ------------------------------------------------------------ value rules

TEST(GenericReader, intMemberRules) {
  const int def = kNoValueInt;
  struct IntCase {
    Case c;
    int expected;
  };
  const IntCase cases[] = {
      {{"int32", [](auto& b) { b.append("volumeMultiple", 10); }, true, ""}, 10},
      {{"negative int32", [](auto& b) { b.append("volumeMultiple", -3); }, true, ""}, -3},
      {{"int64 in range", [](auto& b) { b.append("volumeMultiple", 2147483647LL); }, true, ""},
       2147483647},
      {{"int64 min", [](auto& b) { b.append("volumeMultiple", -2147483648LL); }, true, ""},
       INT_MIN},
      {{"integral double", [](auto& b) { b.append("volumeMultiple", 5.0); }, true, ""}, 5},
      {{"negative zero", [](auto& b) { b.append("volumeMultiple", -0.0); }, true, ""}, 0},
      {{"int64 too big", [](auto& b) { b.append("volumeMultiple", 2147483648LL); }, false,
        "2147483648 is out of"},
       def},
      {{"int64 too small", [](auto& b) { b.append("volumeMultiple", -2147483649LL); }, false,
        "out of the 32-bit"},
       def},
      {{"fraction", [](auto& b) { b.append("volumeMultiple", 1.5); }, false,
        "1.5 is not an integer"},
       def},
      {{"huge double", [](auto& b) { b.append("volumeMultiple", 1e300); }, false,
        "out of the 32-bit"},
       def},
      {{"NaN", [](auto& b) { b.append("volumeMultiple", kNaN); }, false, "NaN"}, def},
      {{"infinity", [](auto& b) { b.append("volumeMultiple", kInf); }, false, "infinity"}, def},
      {{"string", [](auto& b) { b.append("volumeMultiple", "5"); }, false,
        "expected an integer, got string"},
       def},
      {{"bool", [](auto& b) { b.append("volumeMultiple", true); }, false, "got bool"}, def},
      {{"document", [](auto& b) { b.append("volumeMultiple", bson::BSONObj()); }, false,
        "got document"},
       def},
      {{"null", [](auto& b) { b.appendNull("volumeMultiple"); }, true, ""}, def},
      {{"absent", [](auto&) {}, true, ""}, def},
  };
  for (const IntCase& t : cases) {
    CInstrumentDetail r;
    std::string errors;
    const bool ok = r.bsonValueFromObj(doc(t.c.put), true, &errors);
    EXPECT_EQ(ok, t.c.ok) << t.c.what;
    EXPECT_EQ(r.volumeMultiple, t.expected) << t.c.what;
    if (t.c.ok) {
      EXPECT_EQ(errors, "") << t.c.what;
    } else {
      EXPECT_EQ(errors.rfind("field volumeMultiple: ", 0), 0u) << t.c.what << ": " << errors;
      EXPECT_NE(errors.find(t.c.problem), std::string::npos) << t.c.what << ": " << errors;
      EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << t.c.what;
    }
  }
}

TEST(GenericReader, int64MemberRules) {
  struct Int64Case {
    Case c;
    long long expected;
  };
  const Int64Case cases[] = {
      {{"int32", [](auto& b) { b.append("attributeFlags", 16); }, true, ""}, 16},
      {{"int64", [](auto& b) { b.append("attributeFlags", 1LL << 40); }, true, ""}, 1LL << 40},
      {{"integral double", [](auto& b) { b.append("attributeFlags", 16777216.0); }, true, ""},
       16777216},
      {{"2^63 as double", [](auto& b) { b.append("attributeFlags", 9223372036854775808.0); }, false,
        "out of the 64-bit"},
       0},
      {{"fraction", [](auto& b) { b.append("attributeFlags", 0.5); }, false, "not an integer"}, 0},
      {{"NaN", [](auto& b) { b.append("attributeFlags", kNaN); }, false, "NaN"}, 0},
      {{"string", [](auto& b) { b.append("attributeFlags", "x"); }, false, "expected an integer"},
       0},
  };
  for (const Int64Case& t : cases) {
    CInstrumentDetail r;
    std::string errors;
    EXPECT_EQ(r.bsonValueFromObj(doc(t.c.put), true, &errors), t.c.ok) << t.c.what;
    EXPECT_EQ(r.attributeFlags, t.expected) << t.c.what;
    EXPECT_NE(errors.find(t.c.problem), std::string::npos) << t.c.what << ": " << errors;
  }
}

TEST(GenericReader, doubleMemberRules) {
  const double def = kNoValueDouble;
  struct DoubleCase {
    Case c;
    double expected;
  };
  const DoubleCase cases[] = {
      {{"double", [](auto& b) { b.append("priceTick", 0.01); }, true, ""}, 0.01},
      {{"int32", [](auto& b) { b.append("priceTick", 2); }, true, ""}, 2.0},
      {{"int64", [](auto& b) { b.append("priceTick", 12345678901LL); }, true, ""}, 12345678901.0},
      {{"huge but finite", [](auto& b) { b.append("priceTick", 1e300); }, true, ""}, 1e300},
      {{"no-value marker", [](auto& b) { b.append("priceTick", kNoValueDouble); }, true, ""},
       kNoValueDouble},
      {{"NaN", [](auto& b) { b.append("priceTick", kNaN); }, false,
        "field priceTick: NaN is not a number"},
       def},
      {{"infinity", [](auto& b) { b.append("priceTick", kInf); }, false,
        "infinity is not a finite number"},
       def},
      {{"-infinity", [](auto& b) { b.append("priceTick", -kInf); }, false, "-infinity"}, def},
      {{"string", [](auto& b) { b.append("priceTick", "0.01"); }, false,
        "expected a number, got string"},
       def},
      {{"null", [](auto& b) { b.appendNull("priceTick"); }, true, ""}, def},
      {{"absent", [](auto&) {}, true, ""}, def},
  };
  for (const DoubleCase& t : cases) {
    CInstrumentDetail r;
    std::string errors;
    EXPECT_EQ(r.bsonValueFromObj(doc(t.c.put), true, &errors), t.c.ok) << t.c.what;
    EXPECT_EQ(r.priceTick, t.expected) << t.c.what;
    EXPECT_NE(errors.find(t.c.problem), std::string::npos) << t.c.what << ": " << errors;
  }
}

TEST(GenericReader, textBoolListAndDocumentRules) {
  struct Check {
    Case c;
    std::function<bool(const COrderCommand&, const COTCFundPlanInfo&)> holds;
  };
  const Check cases[] = {
      {{"text", [](auto& b) { b.append("name", "华夏成长"); }, true, ""},
       [](auto&, auto& f) { return f.name == "华夏成长"; }},
      {{"text from int", [](auto& b) { b.append("name", 5); }, false,
        "field name: expected a string, got int32"},
       [](auto&, auto& f) { return f.name.empty(); }},
      {{"bool", [](auto& b) { b.append("supportConversion", true); }, true, ""},
       [](auto&, auto& f) { return f.supportConversion; }},
      {{"bool from 1", [](auto& b) { b.append("supportConversion", 1); }, true, ""},
       [](auto&, auto& f) { return f.supportConversion; }},
      {{"bool from 2", [](auto& b) { b.append("supportConversion", 2); }, false,
        "2 is not a boolean"},
       [](auto&, auto& f) { return !f.supportConversion; }},
      {{"bool from text", [](auto& b) { b.append("supportConversion", "true"); }, false,
        "expected true or false"},
       [](auto&, auto& f) { return !f.supportConversion; }},
      {{"int list",
        [](auto& b) {
          b.appendArray("bonusTypes", {0, 1});
        },
        true, ""},
       [](auto&, auto& f) {
         return f.bonusTypes == std::vector<int>{0, 1};
       }},
      {{"int list from a document",
        [](auto& b) { b.append("bonusTypes", bson::BSONObj::fromJson(R"({"x": 1})")); }, false,
        "expected an array of integers, got document"},
       [](auto&, auto& f) { return f.bonusTypes.empty(); }},
      {{"params document",
        [](auto& b) { b.append("params", bson::BSONObj::fromJson(R"({"btdparam": {}})")); }, true,
        ""},
       [](auto& o, auto&) { return o.params.hasField("btdparam"); }},
      {{"params text", [](auto& b) { b.append("params", "x"); }, false,
        "field params: expected a document, got string"},
       [](auto& o, auto&) { return o.params.isEmpty(); }},
  };
  for (const Check& t : cases) {
    COrderCommand command;
    COTCFundPlanInfo fund;
    std::string errors;
    const bson::BSONObj obj = doc(t.c.put);
    // Both records read the document, whatever the first one answers.
    const bool commandOk = command.bsonValueFromObj(obj, true, &errors);
    const bool fundOk = fund.bsonValueFromObj(obj, true, &errors);
    const bool ok = commandOk && fundOk;
    EXPECT_EQ(ok, t.c.ok) << t.c.what;
    EXPECT_TRUE(t.holds(command, fund)) << t.c.what;
    EXPECT_NE(errors.find(t.c.problem), std::string::npos) << t.c.what << ": " << errors;
  }
  // An element of the list that is not an integer.
  COTCFundPlanInfo fund;
  std::string errors;
  EXPECT_FALSE(
      fund.bsonValueFromObj(bson::BSONObj::fromJson(R"({"bonusTypes": [1, 2.5]})"), true, &errors));
  EXPECT_TRUE(fund.bonusTypes.empty());
  EXPECT_NE(errors.find("field bonusTypes: element 1: 2.5 is not an integer"), std::string::npos)
      << errors;
}

TEST(GenericReader, unknownFieldsAreReportedOnlyWhenAsked) {
  const bson::BSONObj obj = bson::BSONObj::fromJson(R"({"code": "600000", "bogus": 1})");
  CInstrumentDetail quiet;
  std::string errors;
  EXPECT_TRUE(quiet.bsonValueFromObj(obj, true, &errors));
  EXPECT_EQ(errors, "");
  CInstrumentDetail strict;
  EXPECT_FALSE(strict.bsonValueFromObj(obj, false, &errors));
  EXPECT_EQ(errors, "field bogus: unknown field\n");
  EXPECT_EQ(strict.code, "600000");
}

TEST(GenericReader, nullErrorsPointerStillReturnsFalse) {
  CInstrumentDetail r;
  EXPECT_FALSE(r.bsonValueFromObj(bson::BSONObj::fromJson(R"({"priceTick": "x", "code": "1"})"),
                                  true, nullptr));
  EXPECT_EQ(r.code, "1");
  EXPECT_EQ(r.priceTick, kNoValueDouble);
}

TEST(GenericReader, aFieldGivenTwiceKeepsTheFirstValue) {
  CInstrumentDetail r;
  std::string errors;
  EXPECT_FALSE(
      r.bsonValueFromObj(bson::BSONObj::fromJson(R"({"code": "A", "code": "B"})"), true, &errors));
  EXPECT_EQ(r.code, "A");
  EXPECT_NE(errors.find("field code: given more than once"), std::string::npos);
}

TEST(GenericReader, oneLinePerBadFieldAndGoodFieldsKept) {
  CInstrumentDetail r;
  std::string errors;
  const auto obj = doc([](bson::BSONObjBuilder& b) {
    b.append("code", "600000").append("priceTick", kNaN).append("name", 1).append("preClose", 7.5);
  });
  EXPECT_FALSE(r.bsonValueFromObj(obj, true, &errors));
  EXPECT_EQ(errors,
            "field priceTick: NaN is not a number\nfield name: expected a string, got int32\n");
  EXPECT_EQ(r.code, "600000");
  EXPECT_EQ(r.preClose, 7.5);
}

TEST(GenericReader, badValueResetsAMemberThatAlreadyHadOne) {
  CInstrumentDetail r;
  r.priceTick = 0.5;
  r.name = "old";
  r.bsonValueFromObj(bson::BSONObj::fromJson(R"({"priceTick": "x", "name": null})"), true, nullptr);
  EXPECT_EQ(r.priceTick, kNoValueDouble);
  EXPECT_EQ(r.name, "");
}

// ------------------------------------------------------------ commission

TEST(GenericReader, commissionPresenceSetsHasCommission) {
  CInstrumentDetail none;
  none.bsonValueFromObj(bson::BSONObj::fromJson(R"({"code": "cu2501"})"), false, nullptr);
  EXPECT_FALSE(none.hasCommission);
  EXPECT_FALSE(none.toBsonObj().hasField("commission"));

  CInstrumentDetail with;
  std::string errors;
  EXPECT_TRUE(with.bsonValueFromObj(
      bson::BSONObj::fromJson(R"({"commission": {"mode": 1, "open": 2.5, "intradayClose": 0}})"),
      false, &errors))
      << errors;
  EXPECT_TRUE(with.hasCommission);
  EXPECT_EQ(with.commission.mode, 1);
  EXPECT_EQ(with.commission.open, 2.5);
  EXPECT_EQ(with.commission.close, -1.0);
  EXPECT_EQ(with.commission.intradayClose, 0.0);
  const bson::BSONObj written = with.toBsonObj()["commission"].embeddedObject();
  EXPECT_EQ(names(written),
            (std::vector<std::string>{"mode", "open", "close", "intradayOpen", "intradayClose"}));

  CInstrumentDetail bad;
  errors.clear();
  EXPECT_FALSE(bad.bsonValueFromObj(
      bson::BSONObj::fromJson(R"({"commission": {"open": "x", "zz": 1}})"), false, &errors));
  EXPECT_TRUE(bad.hasCommission);
  EXPECT_EQ(bad.commission.open, -1.0);
  EXPECT_EQ(
      errors,
      "field commission.open: expected a number, got string\nfield commission.zz: unknown field\n");

  CInstrumentDetail notDoc;
  errors.clear();
  EXPECT_FALSE(
      notDoc.bsonValueFromObj(bson::BSONObj::fromJson(R"({"commission": 3})"), false, &errors));
  EXPECT_FALSE(notDoc.hasCommission);
  EXPECT_EQ(errors, "field commission: expected a document, got int32\n");
}

// ------------------------------------------------------------ keys

TEST(Records, keys) {
  CInstrumentDetail i;
  i.marketId = "SH";
  i.code = "600000";
  EXPECT_EQ(i.getKey(), "600000.SH");
  COTCFundPlanInfo f;
  f.marketId = "OTC";
  f.code = "000001";
  EXPECT_EQ(f.getKey(), "000001.OTC");
  EXPECT_EQ(f.tradeType, NQ_TRADER_OTC_FUND);
  CInterBankBond ib;
  ib.market = "NIB";
  ib.bondCode = "240001";
  EXPECT_EQ(ib.getKey(), "NIB.240001");
  CTenderBondInfoDetail t;
  t.bondCode = "2400123";
  EXPECT_EQ(t.getKey(), "TB.2400123");
  COrderCommand o;
  o.commandId = 1001;
  EXPECT_EQ(o.getKey(), "OC.1001");
  EXPECT_EQ(o.dataType(), 535);
  CBondTendersParam p;
  p.bondCode = "2400123";
  EXPECT_EQ(p.getKey(), "2400123");
  CBondTradeInfo bt;
  bt.marketId = "SZ";
  bt.code = "101";
  EXPECT_EQ(bt.getKey(), "101.SZ");
  CExchangeDetail ex;
  ex.marketId = "SHFE";
  EXPECT_EQ(ex.getKey(), "SHFE");
}

// ------------------------------------------------------------ round trips

namespace {
template <class R>
void expectRoundTrip(const bson::BSONObj& source) {
  R first;
  std::string errors;
  EXPECT_TRUE(first.bsonValueFromObj(source, false, &errors)) << errors;
  const bson::BSONObj written = first.toBsonObj();
  R second;
  EXPECT_TRUE(second.bsonValueFromObj(written, false, &errors)) << errors;
  EXPECT_EQ(second.toBsonObj(), written);
  // Through JSON too.
  R third;
  EXPECT_TRUE(third.bsonValueFromObj(bson::BSONObj::fromJson(written.jsonString()), false, &errors))
      << errors;
  EXPECT_EQ(third.toBsonObj().jsonString(), written.jsonString());
}
}  // namespace

TEST(Records, everyKindRoundTrips) {
  expectRoundTrip<CExchangeDetail>(
      bson::BSONObj::fromJson(R"({"marketId": "SH", "name": "上海证券交易所"})"));
  expectRoundTrip<CInstrumentDetail>(bson::BSONObj::fromJson(
      R"({"tradeType": 2, "marketId": "SHFE", "code": "cu2501", "priceTick": 10, "volumeMultiple": 5,)"
      R"( "attributeFlags": 16777218, "commission": {"mode": 2, "open": 0.5}})"));
  expectRoundTrip<COTCFundPlanInfo>(bson::BSONObj::fromJson(
      R"({"marketId": "OTC", "code": "000001", "bonusTypes": [0, 1], "supportConversion": true, "latestNetValue": 1.035})"));
  expectRoundTrip<CInterBankBond>(bson::BSONObj::fromJson(
      R"({"market": "NIB", "bondCode": "240001", "couponRate": 2.28, "interestDays": 365})"));
  expectRoundTrip<CTenderBondInfoDetail>(bson::BSONObj::fromJson(
      R"({"bondCode": "2400123", "status": 204, "trader": "张三", "internalAmount": 1.5, "crossMarket": true,)"
      R"( "basicBidUnit": 1000000, "tenderDate": "20250115"})"));
  expectRoundTrip<COrderCommand>(bson::BSONObj::fromJson(
      R"({"tradeType": 134217728, "commandId": 7, "status": 2, "params": {"btdparam": {"bondCode": "X"}}})"));
  expectRoundTrip<CBondTendersParam>(
      bson::BSONObj::fromJson(R"({"bondCode": "X", "bidRate": 2.05})"));
  expectRoundTrip<CBondTradeInfo>(
      bson::BSONObj::fromJson(R"({"marketId": "SH", "code": "019733", "minTradeVolume": 1})"));
}

TEST(Records, guardedAndAtomicMembersAreReadAndWrittenByName) {
  CTenderBondInfoDetail t;
  std::string errors;
  EXPECT_TRUE(t.bsonValueFromObj(
      bson::BSONObj::fromJson(R"({"status": 204, "trader": "李四", "internalAmount": 1.5,)"
                              R"( "externalAmount": 2, "winBidAmount": 0.25})"),
      false, &errors))
      << errors;
  EXPECT_EQ(t.status(), 204);
  EXPECT_EQ(t.trader(), "李四");
  EXPECT_EQ(t.internalAmount(), 1.5);
  EXPECT_EQ(t.externalAmount(), 2.0);
  EXPECT_EQ(t.winBidAmount(), 0.25);
  const bson::BSONObj out = t.toBsonObj();
  EXPECT_EQ(out["status"].Int(), 204);
  EXPECT_EQ(out["trader"].String(), "李四");
  EXPECT_EQ(out["winBidAmount"].Double(), 0.25);

  EXPECT_FALSE(t.bsonValueFromObj(
      bson::BSONObj::fromJson(R"({"status": "x", "internalAmount": {"$numberDouble": "NaN"}})"),
      false, &errors));
  EXPECT_EQ(t.status(), kNoValueInt);
  EXPECT_EQ(t.internalAmount(), kNoValueDouble);

  COrderCommand o;
  EXPECT_EQ(o.status(), ORDER_COMMAND_APPROVING);
  o.bsonValueFromObj(bson::BSONObj::fromJson(R"({"status": 5})"), false, nullptr);
  EXPECT_EQ(o.status(), ORDER_COMMAND_STOPPED);
  o.bsonValueFromObj(bson::BSONObj::fromJson(R"({"status": null})"), false, nullptr);
  EXPECT_EQ(o.status(), ORDER_COMMAND_APPROVING);
}

TEST(Records, tenderParametersFromAnOrderCommand) {
  COrderCommand o;
  o.bsonValueFromObj(
      bson::BSONObj::fromJson(
          R"({"params": {"btdparam": {"bondCode": "2400123", "direction": "execution", "bidVolume": 1}}})"),
      false, nullptr);
  const bson::BSONElement e = o.params.getFieldDotted("btdparam");
  ASSERT_EQ(e.type(), bson::Object);
  CBondTendersParam p;
  EXPECT_TRUE(p.bsonValueFromObj(e.embeddedObject(), true, nullptr));
  EXPECT_EQ(p.bondCode, "2400123");
  EXPECT_EQ(p.direction, "execution");
  EXPECT_EQ(p.bidVolume, 1.0);
  EXPECT_EQ(p.bidRate, kNoValueDouble);
}

// ------------------------------------------------------------ copies

TEST(Records, copyConstructorsCopyEveryMember) {
  CTenderBondInfoDetail t;
  t.bsonValueFromObj(
      bson::BSONObj::fromJson(
          R"({"bondCode": "2400123", "shortName": "s", "fullName": "f", "actionText": "a",)"
          R"( "leadUnderwriter": "l", "listingCode": "lc", "subscriptionCode": "sc", "bondType": 1,)"
          R"( "bondTypeDetail": 2, "tenderMarket": 3, "preMarket": 4, "crossMarket": true, "issueType": 5,)"
          R"( "issuerName": "in", "issuerCode": "ic", "issuerAttribute": 6, "issuerType": 7, "industry": "ind",)"
          R"( "issuePrice": 100, "referenceRate": 2.1, "issueTarget": "it", "minSubscriptionAmount": 10,)"
          R"( "plannedIssueSize": 11, "actualRaisedAmount": 12, "expectedYield": 13, "raiseType": 14,)"
          R"( "termDays": 15, "termYears": 16, "faceValue": 17, "tenderingType": 18, "tenderTarget": 19,)"
          R"( "bidRangeLow": 20, "bidRangeHigh": 21, "bidStep": 22, "basicBidUnit": 23, "minBidVolume": 24,)"
          R"( "maxBidVolume": 25, "issuerRating": "AAA", "issueRating": "AA", "lgfvFlag": 2, "guarantor": "g",)"
          R"( "tenderDate": "20250101", "tenderEndDate": "20250102", "issueStartDate": "20250103",)"
          R"( "issueEndDate": "20250104", "paymentDate": "20250105", "valueDate": "20250106",)"
          R"( "listingDate": "20250107", "maturityDate": "20300101", "status": 2, "trader": "t",)"
          R"( "internalAmount": 1, "externalAmount": 2, "winBidAmount": 3})"),
      false, nullptr);
  const CTenderBondInfoDetail copy(t);
  EXPECT_EQ(copy.toBsonObj(), t.toBsonObj());
  // Every field of the list had a non-default value, so nothing was left out.
  const bson::BSONObj defaults = CTenderBondInfoDetail().toBsonObj();
  for (const auto& e : t.toBsonObj().elements()) {
    EXPECT_NE(e.valueJson(), defaults[e.fieldName()].valueJson()) << e.fieldName();
  }

  COrderCommand o;
  o.bsonValueFromObj(
      bson::BSONObj::fromJson(
          R"({"tradeType": 134217728, "commandId": 7, "status": 204, "passBackText": "pb",)"
          R"( "userName": "u", "params": {"a": 1}})"),
      false, nullptr);
  const COrderCommand copiedCommand(o);
  EXPECT_EQ(copiedCommand.toBsonObj(), o.toBsonObj());
  EXPECT_EQ(copiedCommand.status(), 204);
}
