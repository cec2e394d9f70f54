// The rules of the tender workflow: reading the tender parameters of order
// commands, the status of a bond from its commands (per bond and in one
// pass), the search match and the search fields.

#include "tendertestsupport.h"

#include "tender/bondtendersparamreader.h"
#include "tender/tendersearchquery.h"
#include "tender/tenderstatustable.h"

#include <boost/make_shared.hpp>
#include <cmath>
#include <limits>
#include <random>

using namespace tendertest;
using mxservice::COrderCommandPtr;

namespace {

bson::BSONObj paramsWithField(const std::function<void(bson::BSONObjBuilder&)>& fill) {
  bson::BSONObjBuilder builder;
  fill(builder);
  return builder.obj();
}

}  // namespace

TEST(BondTendersParamReader, readsOnlyAnEmbeddedDocument) {
  struct Case {
    const char* name;
    bson::BSONObj params;
    bool expectedResult;
    bool expectSet;
    std::string expectedCode;
  };
  bson::BSONObjBuilder damagedInner;
  damagedInner.append("bondCode", 42);
  damagedInner.append("bidVolume", 3.5);
  const bson::BSONObj damaged = damagedInner.obj();
  const std::vector<Case> cases = {
      {"document", tenderParams("220210.IB"), true, true, "220210.IB"},
      {"absent", paramsWithField([](bson::BSONObjBuilder& b) { b.append("other", 1); }), false,
       false, ""},
      {"empty parameters", bson::BSONObj(), false, false, ""},
      {"string",
       paramsWithField([](bson::BSONObjBuilder& b) { b.append("btdparam", "220210.IB"); }), true,
       false, ""},
      {"null", paramsWithField([](bson::BSONObjBuilder& b) { b.appendNull("btdparam"); }), true,
       false, ""},
      {"array", paramsWithField([](bson::BSONObjBuilder& b) {
         b.appendArray("btdparam", {1, 2});
       }),
       true, false, ""},
      // A bond code of the wrong type is left empty; the command then names
      // the empty bond code, which no detail carries.
      {"damaged document",
       paramsWithField([&](bson::BSONObjBuilder& b) { b.append("btdparam", damaged); }), true, true,
       ""},
      {"nested deeper is not top level",
       paramsWithField([](bson::BSONObjBuilder& b) { b.append("outer", tenderParams("X")); }),
       false, false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto sentinel = boost::make_shared<mxservice::CBondTendersParam>();
    sentinel->bondCode = "untouched";
    boost::shared_ptr<mxservice::CBondTendersParam> out = sentinel;
    const bool result = LW::readBondTendersParam(c.params, out);
    EXPECT_EQ(result, c.expectedResult);
    if (c.expectSet) {
      ASSERT_NE(out, sentinel);
      EXPECT_EQ(out->bondCode, c.expectedCode);
    } else {
      EXPECT_EQ(out, sentinel);
      EXPECT_EQ(out->bondCode, "untouched");
    }
  }
}

TEST(BondTendersParamReader, bondCodeAloneAgreesWithTheFullReader) {
  // Parameter documents of every shape a damaged or foreign command may
  // carry; the shortcut must name the same bond as the record reader.
  std::mt19937 random(99);
  auto inner = [&](int shape) {
    bson::BSONObjBuilder b;
    switch (shape) {
      case 0:
        b.append("bondCode", "X1");
        break;
      case 1:
        b.append("bondCode", 7);
        break;
      case 2:
        b.appendNull("bondCode");
        break;
      case 3:
        b.append("direction", "execution");
        break;  // no code
      case 4:
        b.append("bondCode", "X1").append("bondCode", "X2");
        break;
      case 5:
        b.appendNull("bondCode").append("bondCode", "X3");
        break;
      case 6:
        b.append("bondCode", 2.5).append("bondCode", "X4");
        break;
      case 7:
        b.append("bondCode", std::string("X\0Y", 3));
        break;
      case 8:
        b.append("bidRate", "bad").append("bondCode", "X5");
        break;
      default:
        b.append("bondCode", "");
        break;
    }
    return b.obj();
  };
  for (int i = 0; i < 400; ++i) {
    bson::BSONObjBuilder outer;
    if (random() % 3 == 0) outer.append("remark", "first");
    switch (random() % 6) {
      case 0:
        outer.append("btdparam", "X1");
        break;
      case 1:
        outer.appendArray("btdparam", {1});
        break;
      case 2:
        break;
      default:
        outer.append("btdparam", inner(static_cast<int>(random() % 10)));
        break;
    }
    if (random() % 4 == 0) outer.append("btdparam", inner(0));  // a second one
    const bson::BSONObj params = outer.obj();
    SCOPED_TRACE(params.jsonString());
    boost::shared_ptr<mxservice::CBondTendersParam> full;
    LW::readBondTendersParam(params, full);
    std::string code = "stale";
    const bool found = LW::readTenderBondCode(params, &code);
    ASSERT_EQ(found, full != nullptr);
    if (found) {
      EXPECT_EQ(code, full->bondCode);
    }
  }
}

TEST(TenderStatus, derivesTheBondStatusFromItsCommands) {
  struct Case {
    const char* name;
    std::vector<int> statuses;  // of bond A's commands, in account order
    int expected;
  };
  const std::vector<Case> cases = {
      {"no command", {}, -2},
      {"revoked and completed", {5, 5, 201}, 201},
      {"all revoked", {5, 5, 5}, 5},
      {"revoked and unlisted", {5, 7}, -2},
      {"unlisted only", {3}, -2},
      {"approving first", {0, 2}, 0},
      {"running first", {2, 0}, 2},
      {"locked after revoked", {5, 204}, 204},
      {"completed before locked", {201, 204}, 201},
      {"settled is not deciding", {-2, 5}, -2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<COrderCommandPtr> commands;
    int id = 1;
    // Commands of another bond and without tender parameters around and
    // between them never count.
    commands.push_back(orderCommand(id++, "B", 204));
    for (int status : c.statuses) {
      commands.push_back(orderCommand(id++, "A", status));
      commands.push_back(orderCommandWithParams(id++, bson::BSONObj(), 2));
      commands.push_back(orderCommandWithParams(
          id++, paramsWithField([](bson::BSONObjBuilder& b) { b.append("btdparam", "A"); }), 0));
    }
    commands.push_back(orderCommand(id++, "AA", 0));
    EXPECT_EQ(LW::tenderStatusOfBond(commands, "A"), c.expected);
    EXPECT_EQ(LW::CTenderStatusTable(commands).status("A"), c.expected);
  }
}

TEST(TenderStatus, onePassTableEqualsThePerBondRuleOnRandomCommands) {
  std::mt19937 random(20240611);
  const int statuses[] = {0, 2, 5, 5, 5, 201, 204, -2, 1, 3, 7, 100};
  for (int round = 0; round < 40; ++round) {
    SCOPED_TRACE(round);
    const int bondCount = 1 + static_cast<int>(random() % 30);
    const int commandCount = static_cast<int>(random() % 200);
    std::vector<COrderCommandPtr> commands;
    for (int i = 0; i < commandCount; ++i) {
      const std::string code = "B" + std::to_string(random() % bondCount);
      const int status = statuses[random() % (sizeof statuses / sizeof statuses[0])];
      switch (random() % 10) {
        case 0:
          commands.push_back(orderCommandWithParams(i, bson::BSONObj(), status));
          break;
        case 1:
          commands.push_back(orderCommandWithParams(
              i, paramsWithField([&](bson::BSONObjBuilder& b) { b.append("btdparam", code); }),
              status));
          break;
        case 2:
          commands.push_back(nullptr);
          break;
        default:
          commands.push_back(orderCommand(i, code, status));
          break;
      }
    }
    const LW::CTenderStatusTable table(commands);
    for (int b = 0; b <= bondCount; ++b) {  // one past the last: a bond without commands
      const std::string code = "B" + std::to_string(b);
      EXPECT_EQ(table.status(code), LW::tenderStatusOfBond(commands, code)) << code;
    }
    EXPECT_EQ(table.status(""), LW::tenderStatusOfBond(commands, ""));
  }
}

class TenderMatch : public TenderFixture {
protected:
  void SetUp() override {
    TenderFixture::SetUp();
    install({}, {});  // the enum registry
  }
  static LW::TenderSearchQuery text(const char* field, const char* query) {
    LW::TenderSearchQuery q;
    q.field = field;
    q.text = query;
    return q;
  }
  static LW::TenderSearchQuery dates(const char* field, const std::string& start,
                                     const std::string& end) {
    LW::TenderSearchQuery q;
    q.isDateField = true;
    q.field = field;
    q.startDate = start;
    q.endDate = end;
    return q;
  }
};

TEST_F(TenderMatch, textFieldsMatchCaseSensitiveSubstrings) {
  auto bond = tenderBond("ABC1", "20240105");
  bond->issuerName = "国家开发银行";
  bond->setTrader("li.na");
  struct Case {
    LW::TenderSearchQuery query;
    bool expected;
  };
  const std::vector<Case> cases = {
      {text("债券代码", "abc"), false},
      {text("债券代码", "AB"), true},
      {text("债券代码", "ABC1"), true},
      {text("债券代码", "ABC12"), false},
      {text("债券代码", ""), true},
      {text("发行人名称", "开发"), true},
      {text("发行人名称", "农业"), false},
      {text("交易员", "li."), true},
      {text("债券简称", "short"), true},
      {text("债券全称", "Full"), false},
      // A field that is not an item matches nothing, even the empty text.
      {text("债券代号", ""), false},
      {text("", ""), false},
      // In text mode a date field is matched by its text.
      {text("招标日", "0105"), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.query.field + " / " + c.query.text);
    EXPECT_EQ(LW::matchTenderBond(bond, c.query), c.expected);
  }
  EXPECT_FALSE(LW::matchTenderBond(nullptr, text("债券代码", "")));
}

TEST_F(TenderMatch, enumFieldsMatchTheRegistryNameNotTheNumber) {
  auto bond = tenderBond("E1", "20240105");
  bond->bondType = 3;       // 金融债
  bond->tenderingType = 2;  // 美国式
  EXPECT_TRUE(LW::matchTenderBond(bond, text("债券类型", "金融")));
  EXPECT_FALSE(LW::matchTenderBond(bond, text("债券类型", "国债")));
  EXPECT_FALSE(LW::matchTenderBond(bond, text("债券类型", "3")));
  EXPECT_TRUE(LW::matchTenderBond(bond, text("招标方式", "美国")));
  // The registry names an unknown value by its number.
  bond->bondType = 99;
  EXPECT_TRUE(LW::matchTenderBond(bond, text("债券类型", "99")));
}

TEST_F(TenderMatch, dateFieldsMatchAnInclusiveRange) {
  auto bond = tenderBond("D1", "20240105");
  bond->valueDate = "20240110";
  bond->listingDate = "";
  struct Case {
    LW::TenderSearchQuery query;
    bool expected;
  };
  const std::vector<Case> cases = {
      {dates("招标日", "20240105", "20240105"), true},
      {dates("招标日", "20240101", "20240104"), false},
      {dates("招标日", "20240106", "20240131"), false},
      {dates("招标日", "20240106", "20240101"), false},  // reversed
      {dates("起息日", "20240106", "20240110"), true},
      {dates("起息日", "20240101", "20240109"), false},
      {dates("上市日", "20240101", "20241231"), false},  // empty member
      {dates("债券代码", "", "zzzz"), false},            // not a date field
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.query.field + " " + c.query.startDate + ".." + c.query.endDate);
    EXPECT_EQ(LW::matchTenderBond(bond, c.query), c.expected);
  }
}

TEST_F(TenderMatch, internalOnlyKeepsBondsWithAnInternalAmountInBothModes) {
  struct Case {
    double amount;
    bool kept;
  };
  const std::vector<Case> cases = {
      {0.0, false},
      {0.00001, false},
      {0.000011, true},
      {2.5, true},
      {-3.0, false},
      {std::numeric_limits<double>::quiet_NaN(), false},
      {std::numeric_limits<double>::infinity(), false},
      {mxservice::kNoValueDouble, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.amount);
    auto bond = tenderBond("I1", "20240105");
    bond->setInternalAmount(c.amount);
    LW::TenderSearchQuery byText = text("债券代码", "");
    LW::TenderSearchQuery byDate = dates("招标日", "20240101", "20240131");
    EXPECT_TRUE(LW::matchTenderBond(bond, byText));
    EXPECT_TRUE(LW::matchTenderBond(bond, byDate));
    byText.internalOnly = byDate.internalOnly = true;
    EXPECT_EQ(LW::matchTenderBond(bond, byText), c.kept);
    EXPECT_EQ(LW::matchTenderBond(bond, byDate), c.kept);
  }
}

TEST(TenderSearchFields, twentyItemsTheFirstSevenDates) {
  EXPECT_EQ(LW::tenderSearchFieldIndex("招标日"), 0);
  EXPECT_EQ(LW::tenderSearchFieldIndex("上市日"), 6);
  EXPECT_EQ(LW::tenderSearchFieldIndex("债券代码"), 7);
  EXPECT_EQ(LW::tenderSearchFieldIndex("招标方式"), 19);
  // Byte for byte: a prefix, a longer text or a trailing blank is no item.
  EXPECT_EQ(LW::tenderSearchFieldIndex("招标"), -1);
  EXPECT_EQ(LW::tenderSearchFieldIndex("招标日 "), -1);
  EXPECT_EQ(LW::tenderSearchFieldIndex(std::string("招标日\0", 10)), -1);
  EXPECT_STREQ(LW::tenderSearchFieldText(20), "");
  EXPECT_STREQ(LW::tenderSearchFieldText(-1), "");
}
