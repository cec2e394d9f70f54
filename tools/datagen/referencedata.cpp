#include "datagen/referencedata.h"

namespace datagen {

const std::vector<ExchangeRecord>& CReferenceData::exchanges() {
  static const std::vector<ExchangeRecord> records = {
      {"SH", "上海证券交易所", "上交所"},
      {"SZ", "深圳证券交易所", "深交所"},
      {"BJ", "北京证券交易所", "北交所"},
      {"NQ", "全国中小企业股份转让系统", "股转系统"},
      {"SHFE", "上海期货交易所", "上期所"},
      {"DCE", "大连商品交易所", "大商所"},
      {"CZCE", "郑州商品交易所", "郑商所"},
      {"CFFEX", "中国金融期货交易所", "中金所"},
      {"INE", "上海国际能源交易中心", "能源中心"},
      {"GFEX", "广州期货交易所", "广期所"},
      {"SGE", "上海黄金交易所", "金交所"},
      {"SHO", "上海证券交易所期权", "上交所期权"},
      {"SZO", "深圳证券交易所期权", "深交所期权"},
      {"HGT", "港股通(沪)", "沪港通"},
      {"SGT", "港股通(深)", "深港通"},
      {"HKEX", "香港交易所", "港交所"},
      {"CME", "芝加哥商业交易所", "CME"},
      {"COMEX", "纽约商品交易所", "COMEX"},
      {"NYMEX", "纽约商业交易所", "NYMEX"},
      {"LME", "伦敦金属交易所", "LME"},
      {"ICE", "洲际交易所", "ICE"},
      {"SGX", "新加坡交易所", "新交所"},
      {"FIB", "银行间外币市场", "外币市场"},
      {"NIB", "银行间本币市场", "本币市场"},
      {"BANK", "银行间市场", "银行间"},
      {"OTC", "场外基金市场", "场外"},
  };
  return records;
}

const std::map<std::string, std::map<int, std::string>>& CReferenceData::enumNames() {
  static const std::map<std::string, std::map<int, std::string>> names = {
      {"mxservice::EIbBondType",
       {{1, "国债"},
        {2, "政策性金融债"},
        {3, "地方政府债"},
        {4, "企业债"},
        {5, "中期票据"},
        {6, "短期融资券"},
        {7, "超短期融资券"},
        {8, "公司债"},
        {9, "金融债"},
        {10, "同业存单"},
        {11, "资产支持证券"},
        {12, "定向工具"}}},
      {"mxservice::EIbBondTypeDetail",
       {{101, "记账式附息国债"},
        {102, "记账式贴现国债"},
        {201, "国家开发银行债"},
        {202, "中国进出口银行债"},
        {203, "中国农业发展银行债"},
        {301, "一般债券"},
        {302, "专项债券"},
        {401, "一般企业债"},
        {402, "城投企业债"},
        {501, "一般中期票据"},
        {502, "永续中期票据"},
        {601, "一般短期融资券"},
        {701, "超短期融资券"},
        {801, "一般公司债"},
        {802, "私募公司债"},
        {901, "商业银行债"},
        {902, "二级资本债"},
        {1001, "同业存单"}}},
      {"mxservice::ETenderMarket",
       {{1, "银行间市场"}, {2, "上海证券交易所"}, {3, "深圳证券交易所"}, {4, "银行间及交易所"}}},
      {"mxservice::ETenderPreMarket", {{0, "无"}, {1, "银行间预发行"}, {2, "交易所预发行"}}},
      {"mxservice::ETenderIssueType", {{1, "公开发行"}, {2, "定向发行"}, {3, "续发行"}}},
      {"mxservice::EIbBondIssuer",
       {{1, "中央国有企业"},
        {2, "地方国有企业"},
        {3, "民营企业"},
        {4, "外资企业"},
        {5, "公众企业"},
        {6, "中央政府"},
        {7, "地方政府"},
        {8, "政策性银行"},
        {9, "商业银行"},
        {10, "其他"}}},
      {"mxservice::ETenderIssuer",
       {{1, "财政部"}, {2, "政策性银行"}, {3, "地方政府"}, {4, "企业"}, {5, "金融机构"}}},
      {"mxservice::ETenderRaise", {{1, "公募"}, {2, "私募"}}},
      {"mxservice::ETenderingType",
       {{1, "荷兰式(单一利率)"}, {2, "美国式(多重利率)"}, {3, "混合式"}}},
      {"mxservice::ETenderTarget", {{1, "利率"}, {2, "价格"}, {3, "利差"}, {4, "数量"}}},
      {"mxservice::EOTCBaseInfoType",
       {{1, "基金"}, {2, "券商资管"}, {3, "私募基金"}, {4, "银行理财"}, {5, "信托计划"}}},
      {"mxservice::EOTCFundType",
       {{1, "股票型"},
        {2, "混合型"},
        {3, "债券型"},
        {4, "货币型"},
        {5, "指数型"},
        {6, "QDII"},
        {7, "FOF"},
        {8, "商品型"}}},
      {"mxservice::EOTCPRStatus",
       {{0, "正常申赎"},
        {1, "暂停申购"},
        {2, "暂停赎回"},
        {3, "暂停申赎"},
        {4, "封闭期"},
        {5, "认购期"}}},
      {"mxservice::EOTCFundBonusType", {{0, "红利再投资"}, {1, "现金分红"}}},
  };
  return names;
}

const std::vector<int>& CReferenceData::listedTradeTypes() {
  static const std::vector<int> types = {
      0x1,   0x2,   0x4,    0x8,    0x10,   0x20,    0x40,     0x80,     0x100,     0x200,
      0x400, 0x800, 0x1000, 0x4000, 0x8000, 0x10000, 0x100000, 0x800000, 0x1000000, 0x2000000};
  return types;
}

double CReferenceData::mixedWeight(int tradeType) {
  switch (tradeType) {
    case 0x1:
      return 36;
    case 0x2:
      return 5;
    case 0x4:
      return 0.02;
    case 0x8:
      return 7;
    case 0x10:
      return 6;
    case 0x20:
      return 8;
    case 0x40:
      return 3;
    case 0x80:
      return 3;
    case 0x100:
      return 6;
    case 0x200:
      return 6;
    case 0x400:
      return 2;
    case 0x800:
      return 1;
    case 0x1000:
      return 0.16;
    case 0x4000:
      return 5;
    case 0x8000:
      return 3;
    case 0x10000:
      return 0.5;
    case 0x100000:
      return 2;
    case 0x800000:
      return 3;
    case 0x1000000:
      return 0.07;
    default:
      return 0;  // 0x2000000 lists the bonds of 0x8000
  }
}

}  // namespace datagen
