#include "host/bson/bsonobj.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

using bson::BSONElement;
using bson::BSONError;
using bson::BSONObj;
using bson::BSONObjBuilder;

namespace {

BSONObj sampleDocument() {
  BSONObjBuilder inner;
  inner.append("bondCode", "2400123").append("bidRate", 2.05);
  BSONObjBuilder b;
  b.append("text", std::string("浦发银行"))
      .append("int", 42)
      .append("long", 12345678901LL)
      .append("double", 0.1)
      .append("yes", true)
      .append("sub", inner.obj())
      .appendArray("list", {3, 1, 2})
      .appendNull("nothing");
  return b.obj();
}

// Replaces bytes [offset, offset + 4) by the little-endian value.
void putInt32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::int32_t value) {
  for (int i = 0; i < 4; ++i)
    bytes[offset + i] = static_cast<std::uint8_t>((value >> (8 * i)) & 0xFF);
}

// Reads everything an object offers (for the fuzz test: must not crash).
void touchEverything(const BSONObj& obj, int depth = 0) {
  (void)obj.nFields();
  (void)obj.jsonString();
  for (const BSONElement& e : obj.elements()) {
    (void)e.fieldName();
    (void)e.String();
    (void)e.numberInt();
    (void)e.numberLong();
    (void)e.numberDouble();
    (void)e.Bool();
    (void)e.valueJson();
    if (depth < 8) touchEverything(e.embeddedObject(), depth + 1);
  }
}

}  // namespace

TEST(BsonObj, defaultIsTheEmptyDocument) {
  BSONObj empty;
  EXPECT_TRUE(empty.isEmpty());
  EXPECT_EQ(empty.nFields(), 0);
  EXPECT_EQ(empty.objsize(), 5u);
  EXPECT_EQ(empty.jsonString(), "{ }");
  EXPECT_TRUE(empty.getField("x").eoo());
  EXPECT_EQ(empty.getField("x").type(), bson::EOO);
  EXPECT_EQ(empty, BSONObj::fromJson("{}"));
}

TEST(BsonObj, builderBytesFromBytesKeepEveryField) {
  const BSONObj built = sampleDocument();
  const std::vector<std::uint8_t> bytes = built.bytes();
  ASSERT_EQ(bytes.size(), built.objsize());
  const BSONObj read = BSONObj::fromBytes(bytes);
  EXPECT_EQ(read, built);
  EXPECT_EQ(read.nFields(), 8);

  EXPECT_EQ(read["text"].type(), bson::String);
  EXPECT_EQ(read["text"].String(), "浦发银行");
  EXPECT_EQ(read["int"].type(), bson::NumberInt);
  EXPECT_EQ(read["int"].Int(), 42);
  EXPECT_EQ(read["long"].type(), bson::NumberLong);
  EXPECT_EQ(read["long"].Long(), 12345678901LL);
  EXPECT_EQ(read["double"].type(), bson::NumberDouble);
  EXPECT_DOUBLE_EQ(read["double"].Double(), 0.1);
  EXPECT_EQ(read["yes"].type(), bson::Bool);
  EXPECT_TRUE(read["yes"].Bool());
  EXPECT_EQ(read["sub"].type(), bson::Object);
  EXPECT_EQ(read["sub"].embeddedObject()["bondCode"].String(), "2400123");
  EXPECT_EQ(read["list"].type(), bson::Array);
  EXPECT_EQ(read["list"].embeddedObject().nFields(), 3);
  EXPECT_EQ(read["list"].embeddedObject()["2"].Int(), 2);
  EXPECT_EQ(read["nothing"].type(), bson::jstNULL);

  std::vector<std::string> names;
  for (const BSONElement& e : read.elements()) names.push_back(e.fieldName());
  EXPECT_EQ(names, (std::vector<std::string>{"text", "int", "long", "double", "yes", "sub", "list",
                                             "nothing"}));
}

TEST(BsonObj, typedGettersGiveNeutralValuesForOtherTypes) {
  const BSONObj o = sampleDocument();
  EXPECT_EQ(o["int"].String(), "");
  EXPECT_EQ(o["text"].Int(), 0);
  EXPECT_EQ(o["int"].Long(), 0);  // an int32 is not an int64 for the typed getter
  EXPECT_EQ(o["int"].Double(), 0.0);
  EXPECT_FALSE(o["int"].Bool());
  EXPECT_TRUE(o["text"].embeddedObject().isEmpty());
  EXPECT_TRUE(o["missing"].eoo());
  EXPECT_EQ(o["missing"].String(), "");
  EXPECT_EQ(o["missing"].numberInt(), 0);
  EXPECT_EQ(o["missing"].fieldName(), "");
  EXPECT_TRUE(o["int"].isNumber());
  EXPECT_TRUE(o["long"].isNumber());
  EXPECT_TRUE(o["double"].isNumber());
  EXPECT_FALSE(o["text"].isNumber());
  EXPECT_FALSE(o["yes"].isNumber());
}

TEST(BsonObj, numericConversionsClampAndNeverOverflow) {
  const double inf = std::numeric_limits<double>::infinity();
  BSONObjBuilder b;
  b.append("nan", std::nan(""))
      .append("inf", inf)
      .append("minf", -inf)
      .append("huge", 1e300)
      .append("mhuge", -1e300)
      .append("frac", -2.9)
      .append("big64", 5000000000LL)
      .append("small64", -5000000000LL)
      .append("two63", 9223372036854775808.0)
      .append("i", -7);
  const BSONObj o = b.obj();
  EXPECT_EQ(o["nan"].numberInt(), 0);
  EXPECT_EQ(o["nan"].numberLong(), 0);
  EXPECT_TRUE(std::isnan(o["nan"].numberDouble()));
  EXPECT_EQ(o["inf"].numberInt(), std::numeric_limits<int>::max());
  EXPECT_EQ(o["minf"].numberInt(), std::numeric_limits<int>::min());
  EXPECT_EQ(o["inf"].numberLong(), std::numeric_limits<long long>::max());
  EXPECT_EQ(o["minf"].numberLong(), std::numeric_limits<long long>::min());
  EXPECT_EQ(o["huge"].numberInt(), std::numeric_limits<int>::max());
  EXPECT_EQ(o["mhuge"].numberLong(), std::numeric_limits<long long>::min());
  EXPECT_EQ(o["frac"].numberInt(), -2);
  EXPECT_EQ(o["frac"].numberLong(), -2);
  EXPECT_EQ(o["big64"].numberInt(), std::numeric_limits<int>::max());
  EXPECT_EQ(o["small64"].numberInt(), std::numeric_limits<int>::min());
  EXPECT_EQ(o["big64"].numberLong(), 5000000000LL);
  EXPECT_EQ(o["big64"].numberDouble(), 5e9);
  EXPECT_EQ(o["two63"].numberLong(), std::numeric_limits<long long>::max());
  EXPECT_EQ(o["i"].numberDouble(), -7.0);
  EXPECT_EQ(o["i"].numberLong(), -7);
}

TEST(BsonObj, embeddedDocumentIsType3AndSharesTheParentBuffer) {
  const BSONObj parent = BSONObj::fromJson(
      R"({"params": {"btdparam": {"bondCode": "2400123"}}, "other": {"btdparam": "2400123"}})");
  const BSONElement btd = parent.getFieldDotted("params.btdparam");
  ASSERT_EQ(btd.type(), bson::Object);
  const BSONObj doc = btd.embeddedObject();
  EXPECT_EQ(doc["bondCode"].String(), "2400123");
  // The embedded document lies inside the parent's bytes: no copy was made.
  EXPECT_GE(doc.objdata(), parent.objdata());
  EXPECT_LE(doc.objdata() + doc.objsize(), parent.objdata() + parent.objsize());
  EXPECT_EQ(btd.Obj(), doc);

  // A "btdparam" that is a string is not an embedded document.
  const BSONElement text = parent.getFieldDotted("other.btdparam");
  EXPECT_EQ(text.type(), bson::String);
  EXPECT_NE(text.type(), bson::Object);
  EXPECT_TRUE(text.embeddedObject().isEmpty());
}

TEST(BsonObj, elementsAndEmbeddedObjectsOutliveTheirDocument) {
  BSONElement element;
  BSONObj inner;
  {
    BSONObj outer = BSONObj::fromJson(R"({"a": {"b": "still here"}})");
    element = outer["a"];
    inner = outer["a"].embeddedObject();
  }
  EXPECT_EQ(element.embeddedObject()["b"].String(), "still here");
  EXPECT_EQ(inner["b"].String(), "still here");
}

TEST(BsonObj, dottedPathsWalkDocumentsAndArrays) {
  const BSONObj o =
      BSONObj::fromJson(R"({"a": {"b": {"c": 7}}, "arr": [10, {"x": "y"}], "s": "t", "d.e": 1})");
  EXPECT_EQ(o.getFieldDotted("a.b.c").Int(), 7);
  EXPECT_EQ(o.getFieldDotted("a.b").type(), bson::Object);
  EXPECT_EQ(o.getFieldDotted("arr.0").Int(), 10);
  EXPECT_EQ(o.getFieldDotted("arr.1.x").String(), "y");
  EXPECT_TRUE(o.getFieldDotted("a.x.c").eoo());
  EXPECT_TRUE(o.getFieldDotted("a.b.c.d").eoo());  // through a number
  EXPECT_TRUE(o.getFieldDotted("s.t").eoo());      // through a string
  EXPECT_TRUE(o.getFieldDotted("").eoo());
  EXPECT_TRUE(o.getFieldDotted("a.").eoo());
  EXPECT_TRUE(o.getFieldDotted("d.e").eoo());  // a dot always means a step
  EXPECT_EQ(o.getField("d.e").Int(), 1);
  EXPECT_TRUE(o.hasField("arr"));
  EXPECT_FALSE(o.hasField("zzz"));
}

TEST(BsonObj, jsonToBsonToJson) {
  const std::string json =
      R"({ "code" : "600000", "name" : "浦发银行", "tick" : 0.01, "lots" : 100, "big" : 12345678901, )"
      R"("flag" : false, "none" : null, "sub" : { "k" : [ 1, 2.5, "x" ] }, "empty" : { }, "arr" : [ ] })";
  const BSONObj o = BSONObj::fromJson(json);
  EXPECT_EQ(o.jsonString(), json);
  EXPECT_EQ(o["tick"].type(), bson::NumberDouble);
  EXPECT_EQ(o["lots"].type(), bson::NumberInt);
  EXPECT_EQ(o["big"].type(), bson::NumberLong);
  // And back again: identical bytes.
  EXPECT_EQ(BSONObj::fromJson(o.jsonString()), o);
}

TEST(BsonObj, jsonOfDoublesIsShortAndExact) {
  BSONObjBuilder b;
  b.append("a", 2.05).append("b", 1.0).append("c", 1e-7).append("d", 1.7976931348623157e308);
  b.append("e", std::nan("")).append("f", -std::numeric_limits<double>::infinity());
  const BSONObj o = b.obj();
  EXPECT_EQ(o["a"].valueJson(), "2.05");
  EXPECT_EQ(o["b"].valueJson(), "1.0");
  EXPECT_EQ(o["e"].valueJson(), R"({ "$numberDouble" : "NaN" })");
  EXPECT_EQ(o["f"].valueJson(), R"({ "$numberDouble" : "-Infinity" })");
  const BSONObj back = BSONObj::fromJson(o.jsonString());
  EXPECT_EQ(back["a"].Double(), 2.05);
  EXPECT_EQ(back["b"].type(), bson::NumberDouble);
  EXPECT_EQ(back["c"].Double(), 1e-7);
  EXPECT_EQ(back["d"].Double(), 1.7976931348623157e308);
  EXPECT_TRUE(std::isnan(back["e"].Double()));
  EXPECT_EQ(back["f"].Double(), -std::numeric_limits<double>::infinity());
}

TEST(BsonObj, jsonEscapesControlCharactersAndQuotes) {
  BSONObjBuilder b;
  b.append("t", std::string("a\"b\\c\n\x01", 7));
  const BSONObj o = b.obj();
  EXPECT_EQ(o["t"].valueJson(), R"("a\"b\\c\n\u0001")");
  EXPECT_EQ(BSONObj::fromJson(o.jsonString()), o);
}

TEST(BsonObj, extendedJsonIsAccepted) {
  const BSONObj o =
      BSONObj::fromJson(R"({"l": {"$numberLong": "5"}, "d": {"$numberDouble": "Infinity"}})");
  EXPECT_EQ(o["l"].type(), bson::NumberLong);
  EXPECT_EQ(o["l"].Long(), 5);
  EXPECT_TRUE(std::isinf(o["d"].Double()));
}

TEST(BsonObj, malformedJsonThrowsBsonError) {
  const std::string cases[] = {
      "",
      "   ",
      "{",
      "{\"a\":1",
      "{\"a\":1,}",
      "[1, 2]",
      "42",
      "\"text\"",
      "{\"a\":1} {\"b\":2}",
      "{\"a\":1}\n{\"b\":2}",
      "{\"a\":1} trailing",
      "{a:1}",
      "{\"a\":01}",
      "{\"a\":1e400}",
      "{\"a\":123456789012345678901234}",
      std::string("{\"a\":\"\xff\xfe\"}"),
      std::string("{\"\xc3\":1}"),
      std::string("{\"a\":\"\xed\xa0\x80\"}"),  // an encoded surrogate
      "{\"a\":\"\\ud800\"}",
      "{\"a\":{\"$numberLong\":\"x\"}}",
  };
  for (const std::string& json : cases) {
    try {
      BSONObj::fromJson(json);
      ADD_FAILURE() << "no error for " << json;
    } catch (const BSONError& e) {
      EXPECT_NE(std::string(e.what()).find("JSON"), std::string::npos) << e.what();
    }
  }
}

TEST(BsonObj, malformedBytesThrowBsonError) {
  const std::vector<std::uint8_t> good =
      BSONObj::fromJson(R"({"s": "abc", "d": {"x": 1}})").bytes();
  std::vector<std::vector<std::uint8_t>> cases;
  cases.push_back({});                                                       // nothing
  cases.push_back({5, 0, 0});                                                // too short
  cases.push_back(std::vector<std::uint8_t>(good.begin(), good.end() - 1));  // truncated
  {
    auto b = good;
    b.push_back(0);  // one byte too many for the declared length
    cases.push_back(b);
  }
  {
    auto b = good;
    putInt32(b, 0, static_cast<std::int32_t>(good.size() + 10));  // says longer than it is
    cases.push_back(b);
  }
  {
    auto b = good;
    putInt32(b, 0, 4);  // says shorter than any document
    cases.push_back(b);
  }
  {
    auto b = good;
    b.back() = 1;  // no terminating zero
    cases.push_back(b);
  }
  {
    auto b = good;
    // "s" string: type(1) + "s\0"(2) + length(4) + "abc\0"; the text starts at 4 + 1 + 2 + 4.
    b[4 + 1 + 2 + 4] = 0xFF;  // invalid UTF-8 in a string value
    cases.push_back(b);
  }
  {
    auto b = good;
    b[4 + 1] = 0xC3;  // invalid UTF-8 in a key
    cases.push_back(b);
  }
  {
    auto b = good;
    putInt32(b, 4 + 1 + 2, 1000);  // string length runs past the end
    cases.push_back(b);
  }
  {
    auto b = good;
    // The embedded document "d" starts after the string element (4 + 11 = 15)
    // and its type byte and key (3 bytes): its length field is at 18.
    putInt32(b, 18, 100);
    cases.push_back(b);
  }
  {
    auto b = good;
    b[4] = 0x70;  // an unknown element type
    cases.push_back(b);
  }
  for (std::size_t i = 0; i < cases.size(); ++i) {
    EXPECT_THROW(BSONObj::fromBytes(cases[i]), BSONError) << "case " << i;
  }
  EXPECT_THROW(BSONObj::fromBytes(nullptr, 0), BSONError);
  EXPECT_NO_THROW(BSONObj::fromBytes(good));
  try {
    BSONObj::fromBytes(cases[2]);
  } catch (const BSONError& e) {
    EXPECT_NE(std::string(e.what()).find("bytes"), std::string::npos) << e.what();
  }
}

TEST(BsonObj, randomlyDamagedBytesEitherThrowOrReadSafely) {
  const std::vector<std::uint8_t> good = sampleDocument().bytes();
  std::mt19937 random(20240611);
  int accepted = 0;
  for (int round = 0; round < 3000; ++round) {
    std::vector<std::uint8_t> bytes = good;
    const int flips = 1 + static_cast<int>(random() % 4);
    for (int k = 0; k < flips; ++k)
      bytes[random() % bytes.size()] = static_cast<std::uint8_t>(random());
    if (random() % 5 == 0) bytes.resize(random() % bytes.size());
    try {
      const BSONObj o = BSONObj::fromBytes(bytes);
      touchEverything(o);
      ++accepted;
    } catch (const BSONError&) {
    }
  }
  SUCCEED() << accepted << " damaged documents were still valid";
}

TEST(BsonObj, builderReplacesInvalidUtf8SoTheDocumentStaysValid) {
  BSONObjBuilder b;
  b.append("name", std::string("a\xff"
                               "b\xe4\xb8",
                               5));
  b.append(std::string("k\xfe"), 1);
  const BSONObj o = b.obj();
  EXPECT_NO_THROW(BSONObj::fromBytes(o.bytes()));
  EXPECT_EQ(o["name"].String(),
            "a\xEF\xBF\xBD"
            "b\xEF\xBF\xBD\xEF\xBF\xBD");
  EXPECT_EQ(o["k\xEF\xBF\xBD"].Int(), 1);
}

TEST(BsonObj, builderFinishesOnce) {
  BSONObjBuilder b;
  b.append("a", 1);
  const BSONObj first = b.obj();
  EXPECT_EQ(b.obj(), first);
  EXPECT_THROW(b.append("b", 2), BSONError);
}

TEST(BsonObj, appendElementCopiesNameAndValue) {
  const BSONObj source = sampleDocument();
  BSONObjBuilder b;
  b.appendElement(source["sub"]).appendElement(source["text"]).appendElement(source["missing"]);
  const BSONObj o = b.obj();
  EXPECT_EQ(o.nFields(), 2);
  EXPECT_EQ(o["sub"].embeddedObject(), source["sub"].embeddedObject());
  EXPECT_EQ(o["text"].String(), "浦发银行");
}

TEST(BsonObj, equalityIsByteWise) {
  EXPECT_EQ(BSONObj::fromJson(R"({"a": 1})"), BSONObj::fromJson(R"({ "a" : 1 })"));
  EXPECT_NE(BSONObj::fromJson(R"({"a": 1})"), BSONObj::fromJson(R"({"a": 1.0})"));
  EXPECT_NE(BSONObj::fromJson(R"({"a": 1, "b": 2})"), BSONObj::fromJson(R"({"b": 2, "a": 1})"));
}

TEST(BsonObj, typeNamesAreReadable) {
  EXPECT_STREQ(bson::typeName(bson::Object), "document");
  EXPECT_STREQ(bson::typeName(bson::NumberInt), "int32");
  EXPECT_STREQ(bson::typeName(99), "unknown type");
}

TEST(BsonObj, deeplyNestedInputIsRefusedWithoutOverflowingTheStack) {
  // {"a": {"a": {... 200000 levels ...}}} as raw bytes.
  const std::size_t depth = 200000;
  const std::size_t size = 5 + depth * 8;
  std::vector<std::uint8_t> bytes(size, 0);
  for (std::size_t i = 0; i < depth; ++i) {
    const std::size_t offset = i * 7;
    putInt32(bytes, offset, static_cast<std::int32_t>(size - 8 * i));
    bytes[offset + 4] = 3;
    bytes[offset + 5] = 'a';
    bytes[offset + 6] = 0;
  }
  putInt32(bytes, depth * 7, 5);
  EXPECT_THROW(BSONObj::fromBytes(bytes), BSONError);

  std::string json = "{\"a\":";
  for (int i = 0; i < 100000; ++i) json += "[";
  for (int i = 0; i < 100000; ++i) json += "]";
  json += "}";
  EXPECT_THROW(BSONObj::fromJson(json), BSONError);

  // Moderate nesting is fine.
  std::string ok = "{\"a\":";
  for (int i = 0; i < 50; ++i) ok += "{\"a\":";
  ok += "1";
  for (int i = 0; i < 51; ++i) ok += "}";
  EXPECT_EQ(BSONObj::fromJson(ok).nFields(), 1);
}
