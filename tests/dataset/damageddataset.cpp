#include "damageddataset.h"

#include <fstream>

namespace dataset_test {

namespace {
bool write(const std::string& dir, const char* name, const std::string& content) {
  std::ofstream out(dir + "/" + name, std::ios::binary);
  out << content;
  return static_cast<bool>(out);
}

std::string deeplyNested(int depth) {
  std::string text;
  for (int i = 0; i < depth; ++i) text += "{\"a\": ";
  text += "1";
  for (int i = 0; i < depth; ++i) text += "}";
  return text;
}
}  // namespace

bool writeDamagedDataSet(const std::string& dir) {
  bool ok = true;
  // A byte order mark, CRLF line ends, a duplicate market.
  ok &= write(dir, "exchanges.jsonl",
              "\xEF\xBB\xBF{\"marketId\": \"SH\", \"name\": \"上海证券交易所\"}\r\n"
              "{\"marketId\": \"SZ\", \"name\": \"深圳证券交易所\"}\r\n"
              "{\"marketId\": \"SHFE\"}\r\n"
              "{\"marketId\": \"OTC\"}\r\n"
              "{\"marketId\": \"SH\", \"name\": \"again\"}\r\n"
              "{\"marketId\": \"\"}\r\n"
              "{\"name\": \"no market\"}\r\n");
  const std::string good =
      "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"600000\", \"name\": \"浦发银行\", "
      "\"priceTick\": 0.01, \"preClose\": 9.21}\n";
  ok &= write(
      dir, "instruments.jsonl",
      good +
          // truncated lines
          "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"600001\"\n"
          "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"6000\n"
          "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"600002\", \"priceTick\": \n"
          "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"600003\", \"priceTick\": 1.}\n"
          "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"600003\", \"priceTick\": -}\n"
          "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"600003\", \"ok\": tru}\n"
          // invalid UTF-8: in a value, in a key, an overlong form, a lone continuation byte
          "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"6\xff\xfe\"}\n"
          "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"600004\", \"n\xc3\": 1}\n"
          "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"600005\", \"name\": \"\xc0\xaf\"}\n"
          "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"600006\", \"name\": \"a\x80z\"}\n"
          // wrong types
          "{\"tradeType\": \"1\", \"marketId\": \"SH\", \"code\": \"600007\"}\n"
          "{\"tradeType\": 1, \"marketId\": 7, \"code\": \"600008\"}\n"
          "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"600009\", \"priceTick\": \"x\","
          " \"name\": 12, \"volumeMultiple\": true, \"attributeFlags\": [1], \"currency\": null,"
          " \"stockKind\": {\"a\": 1}, \"preClose\": false}\n"
          "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"600010\", \"commission\": 5}\n"
          "{\"tradeType\": 2, \"marketId\": \"SHFE\", \"code\": \"cu2501\", \"commission\":"
          " {\"mode\": \"2\", \"open\": 0.5, \"extra\": 1, \"open\": 2}}\n"
          // NaN, infinities and huge numbers
          "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"600011\","
          " \"preClose\": {\"$numberDouble\": \"NaN\"},"
          " \"upperLimit\": {\"$numberDouble\": \"Infinity\"},"
          " \"lowerLimit\": {\"$numberDouble\": \"-Infinity\"}}\n"
          "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"600012\", \"volumeMultiple\": 1e20,"
          " \"maxLimitBuyVolume\": 3000000000, \"maxMarketBuyVolume\": -2147483649,"
          " \"maxLimitSellVolume\": 2147483647, \"maxMarketSellVolume\": -2147483648,"
          " \"neeqLayer\": 1.5, \"qualifiedInvestor\": 2.0, \"stockKind\": -0,"
          " \"attributeFlags\": 9223372036854775807, \"floatCapital\": 1.7976931348623157e308,"
          " \"totalCapital\": 5e-324, \"faceValue\": -0.0}\n"
          "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"600013\", \"priceTick\": 1e400}\n"
          "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"600014\","
          " \"attributeFlags\": 9223372036854775808}\n"
          "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"600015\","
          " \"attributeFlags\": 99999999999999999999999}\n"
          "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"600016\","
          " \"attributeFlags\": -9223372036854775808, \"volumeMultiple\": 00}\n"
          "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"600017\", \"preClose\": +1}\n"
          "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"600018\", \"preClose\": 0x10}\n"
          "{\"tradeType\": 4294967297, \"marketId\": \"SH\", \"code\": \"600019\"}\n"
          // missing fields
          "{\"marketId\": \"SH\", \"code\": \"600020\"}\n"
          "{\"tradeType\": 1, \"code\": \"600021\"}\n"
          "{\"tradeType\": 1, \"marketId\": \"SH\"}\n"
          "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"\"}\n"
          "{}\n"
          // duplicate fields and keys
          "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"600022\", \"name\": \"一\","
          " \"name\": \"二\", \"name\": 3}\n"
          "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"600000\", \"name\": \"dup\"}\n"
          "{\"tradeType\": 8, \"marketId\": \"SH\", \"code\": \"600000\", \"name\": \"浦发银行\"}\n"
          // empty and blank lines, CRLF
          "\n"
          "   \t \n"
          "\r\n"
          "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"600023\"}\r\n"
          "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"600024\"}  \t\r\n"
          // unknown fields, unknown trading types and markets
          "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"600025\", \"bogus\": [1, {\"x\": "
          "2}],"
          " \"another\": null}\n"
          "{\"tradeType\": 3, \"marketId\": \"SH\", \"code\": \"600026\"}\n"
          "{\"tradeType\": 0, \"marketId\": \"SH\", \"code\": \"600027\"}\n"
          "{\"tradeType\": 1, \"marketId\": \"XSHG\", \"code\": \"600028\"}\n"
          // not an object, text after the object, bad syntax
          "[1, 2]\n"
          "null\n"
          "\"text\"\n"
          "42\n"
          "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"600029\"} {}\n"
          "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"600030\"} x\n"
          "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"600031\",}\n"
          "{\"tradeType\": 1 \"marketId\": \"SH\", \"code\": \"600032\"}\n"
          "{'tradeType': 1}\n"
          "{tradeType: 1}\n"
          "}\n"
          "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"600033\", \"name\": \"a\tb\"}\n"
          // escapes
          "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"600034\","
          " \"name\": \"\\u6d66\\u53d1 \\\"q\\\" \\\\ \\/ \\b\\f\\n\\r\\t\"}\n"
          "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"600035\", \"name\": "
          "\"\\ud83d\\ude00\"}\n"
          "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"600036\", \"name\": \"\\ud83d\"}\n"
          "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"600037\", \"name\": "
          "\"a\\u0000b\"}\n"
          "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"600038\", \"name\": \"\\x\"}\n"
          "{\"tradeType\": 1, \"marketId\": \"SH\", \"\\u0063ode\": \"600039\"}\n"
          // extended JSON and "$" keys
          "{\"tradeType\": {\"$numberInt\": \"1\"}, \"marketId\": \"SH\", \"code\": \"600040\","
          " \"attributeFlags\": {\"$numberLong\": \"2\"}}\n"
          "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"600041\", \"$bogus\": 1}\n"
          "{\"$oid\": \"5f1d7a3e9d1e8b3a4c5d6e7f\"}\n"
          // deep nesting
          "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"600042\", \"bogus\": " +
          deeplyNested(70) +
          "}\n"
          "{\"tradeType\": 1, \"marketId\": \"SH\", \"code\": \"600043\", \"bogus\": " +
          deeplyNested(120) +
          "}\n"
          // a good line at the end without its newline
          "{\"tradeType\": 1, \"marketId\": \"SZ\", \"code\": \"000001\", \"name\": \"平安银行\"}");
  ok &= write(dir, "fundplans.jsonl",
              "{\"marketId\": \"OTC\", \"code\": \"000001\", \"name\": \"华夏成长混合\","
              " \"bonusTypes\": [0, 1], \"supportConversion\": true}\n"
              "{\"marketId\": \"OTC\", \"code\": \"000002\", \"bonusTypes\": [0, \"1\"]}\n"
              "{\"marketId\": \"OTC\", \"code\": \"000003\", \"bonusTypes\": 1,"
              " \"supportConversion\": 2}\n"
              "{\"marketId\": \"OTC\", \"code\": \"000004\", \"bonusTypes\": [1.5, 3e9],"
              " \"supportConversion\": 1}\n"
              "{\"marketId\": \"OTC\", \"code\": \"000005\", \"bonusTypes\": [],"
              " \"supportConversion\": \"yes\", \"prevUnitNetValue\": null}\n"
              "{\"marketId\": \"OTC\", \"code\": \"000001\", \"name\": \"again\"}\n"
              "{\"marketId\": \"OTC\", \"code\": \"000006\", \"tradeType\": 1}\n"
              "{\"marketId\": \"OTC\", \"code\": \"000007\", \"bonusTypes\": [0, [1]]}\n"
              "{\"marketId\": \"OTC\", \"code\": \"000008\", \"bonusTypes\": [null]}\n");
  ok &= write(dir, "interbank_bonds.jsonl",
              "{\"market\": \"NIB\", \"bondCode\": \"240001\", \"bondName\": \"24附息国债01\","
              " \"couponRate\": 2.28}\n"
              "{\"market\": \"NIB\", \"bondCode\": \"240001\"}\n"
              "{\"market\": \"\", \"bondCode\": \"240002\"}\n"
              "{\"market\": \"NIB\", \"bondCode\": \"240003\", \"couponRate\": \"2.28\","
              " \"unknownThing\": 1}\n"
              "{\"market\": \"NIB\", \"bondCode\": \"240004\"\n"
              "{\"market\": \"NIB\"}\n");
  ok &= write(dir, "tender_bonds.jsonl",
              "{\"bondCode\": \"2400123\", \"status\": 0, \"tenderDate\": \"@\","
              " \"tenderEndDate\": \"@+1\", \"issueStartDate\": \"@-20\","
              " \"maturityDate\": \"20291231\", \"basicBidUnit\": 1000000}\n"
              "{\"bondCode\": \"2400124\", \"tenderDate\": \"@+x\", \"valueDate\": \"20250231\","
              " \"listingDate\": \"@+1234567\", \"paymentDate\": 20250101, \"status\": \"0\"}\n"
              "{\"bondCode\": \"2400123\"}\n"
              "{\"bondCode\": \"\"}\n"
              "{\"bondCode\": \"2400125\", \"trader\": \"张三\", \"internalAmount\": 1e400}\n"
              "{\"bondCode\": \"2400126\", \"internalAmount\": {\"$numberDouble\": \"NaN\"}}\n");
  ok &= write(
      dir, "order_commands.jsonl",
      "{\"tradeType\": 134217728, \"commandId\": 1001, \"status\": 2,"
      " \"params\": {\"btdparam\": {\"bondCode\": \"2400123\"}}}\n"
      "{\"tradeType\": 134217728, \"commandId\": 1001, \"status\": 2}\n"
      "{\"tradeType\": 134217728, \"status\": 2}\n"
      "{\"tradeType\": 134217728, \"commandId\": 1002, \"params\": \"text\"}\n"
      "{\"tradeType\": 134217728, \"commandId\": 1003, \"params\": {\"btdparam\": \"x\","
      " \"list\": [\"a\", 1, 2.5, true, null, {\"k\": [1]}], \"escaped\": \"\\u00e9\"}}\n"
      "{\"tradeType\": 5, \"commandId\": 1004}\n"
      "{\"tradeType\": 134217728, \"commandId\": 1005, \"status\": 1e10}\n"
      "{\"tradeType\": 134217728, \"commandId\": 1006, \"params\": {\"$numberLong\": \"1\"}}\n"
      "{\"tradeType\": 134217728, \"commandId\": 1007, \"params\": {}}\n");
  ok &= write(dir, "bond_trade_infos.jsonl",
              "{\"marketId\": \"SH\", \"code\": \"019733\", \"tradeMode\": \"竞价\"}\n"
              "{\"marketId\": \"SH\", \"code\": \"019733\"}\n"
              "{\"marketId\": \"XX\", \"code\": \"019734\"}\n"
              "{\"marketId\": \"SZ\", \"code\": \"101001\", \"conversionRate\": \"0.98\","
              " \"minTradeVolume\": 1.5}\n"
              "{\"code\": \"101002\"}\n"
              "{\"marketId\": \"SZ\", \"code\": \"101003\"\n"
              "{\"marketId\": \"SZ\", \"code\": \"101004\"}\n");
  ok &= write(dir, "config.json",
              "{\"userName\": \"张三\", \"userType\": \"101\", \"brokerEdition\": 2,"
              " \"tradingDate\": \"@+x\", \"favourites\": {\"1\": [\"600000.SH\", 5],"
              " \"x\": [], \"64\": \"cu2501.SHFE\", \"8\": [\"600000.SH\"]}, \"bogus\": 1}");
  ok &= write(dir, "enums.json",
              "{\"mxservice::EIbBondType\": {\"1\": \"国债\", \"x\": \"bad\", \"2\": 5,"
              " \"1\": \"again\", \"99999999999\": \"big\"}, \"mxservice::Other\": 3}");
  return ok;
}

}  // namespace dataset_test
