#include "datagen/vocabulary.h"

#include <algorithm>
#include <map>

namespace datagen {

const std::vector<Word>& CVocabulary::companyBrands() {
  static const std::vector<Word> words = {
      {"平安", "PA"}, {"招商", "ZS"}, {"浦发", "PF"}, {"民生", "MS"}, {"兴业", "XY"},
      {"光大", "GD"}, {"华夏", "HX"}, {"宁波", "NB"}, {"南京", "NJ"}, {"北京", "BJ"},
      {"上海", "SH"}, {"江苏", "JS"}, {"浙江", "ZJ"}, {"广东", "GD"}, {"深圳", "SZ"},
      {"天津", "TJ"}, {"重庆", "CQ"}, {"四川", "SC"}, {"湖南", "HN"}, {"湖北", "HB"},
      {"河南", "HN"}, {"山东", "SD"}, {"福建", "FJ"}, {"安徽", "AH"}, {"江西", "JX"},
      {"云南", "YN"}, {"贵州", "GZ"}, {"陕西", "SX"}, {"甘肃", "GS"}, {"吉林", "JL"},
      {"辽宁", "LN"}, {"东方", "DF"}, {"长江", "CJ"}, {"长城", "CC"}, {"华能", "HN"},
      {"华电", "HD"}, {"大唐", "DT"}, {"国电", "GD"}, {"中信", "ZX"}, {"国泰", "GT"},
      {"海通", "HT"}, {"广发", "GF"}, {"申万", "SW"}, {"华泰", "HT"}, {"东吴", "DW"},
      {"国金", "GJ"}, {"方正", "FZ"}, {"金地", "JD"}, {"万科", "WK"}, {"保利", "BL"},
      {"格力", "GL"}, {"美的", "MD"}, {"海尔", "HE"}, {"海信", "HX"}, {"长虹", "CH"},
      {"康佳", "KJ"}, {"恒瑞", "HR"}, {"复星", "FX"}, {"紫金", "ZJ"}, {"洛阳", "LY"},
      {"宝钢", "BG"}, {"鞍钢", "AG"}, {"首钢", "SG"}, {"中远", "ZY"}, {"山鹰", "SY"},
      {"晨鸣", "CM"}, {"太阳", "TY"}, {"隆基", "LJ"}, {"通威", "TW"}, {"阳光", "YG"},
      {"天合", "TH"}, {"亿纬", "YW"}, {"国轩", "GX"}, {"赣锋", "GF"}, {"天齐", "TQ"},
      {"宁德", "ND"}, {"恒力", "HL"}, {"荣盛", "RS"}, {"桐昆", "TK"}, {"万华", "WH"},
      {"华鲁", "HL"}, {"扬农", "YN"}, {"金发", "JF"}, {"中航", "ZH"}, {"航天", "HT"},
      {"中船", "ZC"}, {"振华", "ZH"}, {"中车", "ZC"}, {"三一", "SY"}, {"徐工", "XG"},
      {"柳工", "LG"}, {"潍柴", "WC"}, {"福耀", "FY"}, {"上汽", "SQ"}, {"长安", "CA"},
      {"广汽", "GQ"}, {"江铃", "JL"}, {"东风", "DF"}, {"伊利", "YL"}, {"光明", "GM"},
      {"双汇", "SH"}, {"海天", "HT"}, {"洋河", "YH"}, {"泸州", "LZ"}, {"古井", "GJ"},
      {"青岛", "QD"}, {"燕京", "YJ"}, {"中国", "ZG"}, {"华润", "HR"}, {"华侨", "HQ"},
      {"招金", "ZJ"}, {"鹏鼎", "PD"}, {"立讯", "LX"}, {"歌尔", "GE"}, {"京东", "JD"},
      {"蓝思", "LS"}, {"欧菲", "OF"}, {"汇川", "HC"}, {"大族", "DZ"}, {"中兴", "ZX"},
      {"烽火", "FH"}, {"亨通", "HT"}, {"中天", "ZT"}, {"长电", "CD"}, {"通富", "TF"},
      {"华天", "HT"}, {"兆易", "ZY"}, {"紫光", "ZG"}, {"韦尔", "WE"}, {"卓胜", "ZS"},
      {"圣邦", "SB"}, {"北方", "BF"}, {"中微", "ZW"}, {"沪电", "HD"}, {"深南", "SN"},
      {"生益", "SY"}, {"安集", "AJ"}, {"恒生", "HS"}, {"用友", "YY"}, {"金山", "JS"},
      {"宝信", "BX"}, {"科大", "KD"}, {"东华", "DH"}, {"浪潮", "LC"}, {"曙光", "SG"},
      {"温氏", "WS"}, {"牧原", "MY"}, {"隆平", "LP"}, {"登海", "DH"}, {"海大", "HD"},
      {"通策", "TC"}, {"爱尔", "AE"}, {"迈瑞", "MR"}, {"药明", "YM"}, {"泰格", "TG"},
      {"凯莱", "KL"}, {"智飞", "ZF"}, {"沃森", "WS"}, {"康泰", "KT"}, {"同仁", "TR"},
      {"白云", "BY"}, {"华东", "HD"}, {"丽珠", "LZ"}, {"人福", "RF"}, {"科伦", "KL"},
      {"信立", "XL"}, {"华兰", "HL"}, {"天士", "TS"}, {"以岭", "YL"}, {"九州", "JZ"},
      {"国药", "GY"}, {"上药", "SY"}, {"中免", "ZM"}, {"锦江", "JJ"}, {"首旅", "SL"},
      {"宋城", "SC"}, {"峨眉", "EM"}, {"黄山", "HS"}, {"桂林", "GL"}, {"西安", "XA"},
      {"成都", "CD"}, {"杭州", "HZ"}, {"苏州", "SZ"}, {"无锡", "WX"}, {"常州", "CZ"},
      {"厦门", "XM"}, {"合肥", "HF"}, {"济南", "JN"}, {"郑州", "ZZ"}, {"武汉", "WH"},
      {"长沙", "CS"}, {"南昌", "NC"}, {"福州", "FZ"}, {"昆明", "KM"}, {"贵阳", "GY"},
      {"兰州", "LZ"}, {"太原", "TY"}, {"沈阳", "SY"}, {"大连", "DL"}, {"海南", "HN"},
      {"珠海", "ZH"}, {"佛山", "FS"}, {"东莞", "DG"}, {"中山", "ZS"}, {"汕头", "ST"},
  };
  return words;
}

const std::vector<Word>& CVocabulary::companyIndustries() {
  static const std::vector<Word> words = {
      {"银行", "YH"}, {"证券", "ZQ"}, {"保险", "BX"}, {"信托", "XT"}, {"电力", "DL"},
      {"能源", "NY"}, {"科技", "KJ"}, {"医药", "YY"}, {"生物", "SW"}, {"化工", "HG"},
      {"材料", "CL"}, {"新材", "XC"}, {"电子", "DZ"}, {"电气", "DQ"}, {"通信", "TX"},
      {"传媒", "CM"}, {"文化", "WH"}, {"旅游", "LY"}, {"地产", "DC"}, {"置业", "ZY"},
      {"建设", "JS"}, {"建工", "JG"}, {"港口", "GK"}, {"航空", "HK"}, {"物流", "WL"},
      {"高速", "GS"}, {"机场", "JC"}, {"汽车", "QC"}, {"重工", "ZG"}, {"机械", "JX"},
      {"装备", "ZB"}, {"精工", "JG"}, {"股份", "GF"}, {"控股", "KG"}, {"集团", "JT"},
      {"实业", "SY"}, {"发展", "FZ"}, {"环保", "HB"}, {"水务", "SW"}, {"燃气", "RQ"},
      {"矿业", "KY"}, {"黄金", "HJ"}, {"有色", "YS"}, {"钢铁", "GT"}, {"煤业", "MY"},
      {"石化", "SH"}, {"食品", "SP"}, {"乳业", "RY"}, {"酒业", "JY"}, {"药业", "YY"},
      {"制药", "ZY"}, {"医疗", "YL"}, {"健康", "JK"}, {"农业", "NY"}, {"种业", "ZY"},
      {"纺织", "FZ"}, {"服饰", "FS"}, {"家居", "JJ"}, {"电器", "DQ"}, {"光电", "GD"},
      {"智能", "ZN"}, {"软件", "RJ"}, {"信息", "XX"}, {"数据", "SJ"}, {"网络", "WL"},
      {"芯片", "XP"}, {"光伏", "GF"}, {"储能", "CN"}, {"锂业", "LY"}, {"稀土", "XT"},
      {"航运", "HY"}, {"轮胎", "LT"}, {"玻璃", "BL"}, {"水泥", "SN"}, {"造纸", "ZZ"},
      {"包装", "BZ"}, {"精密", "JM"}, {"新能", "XN"}, {"电池", "DC"}, {"创新", "CX"},
      {"国际", "GJ"}, {"环境", "HJ"}, {"交通", "JT"}, {"路桥", "LQ"}, {"电缆", "DL"},
      {"照明", "ZM"}, {"影视", "YS"}, {"教育", "JY"}, {"游戏", "YX"},
  };
  return words;
}

const std::vector<Word>& CVocabulary::hongKongSuffixes() {
  static const std::vector<Word> words = {
      {"控股", "KG"}, {"集团", "JT"}, {"国际", "GJ"}, {"实业", "SY"}, {"置地", "ZD"},
      {"地产", "DC"}, {"银行", "YH"}, {"保险", "BX"}, {"电能", "DN"}, {"煤气", "MQ"},
      {"电讯", "DX"}, {"航空", "HK"}, {"医药", "YY"}, {"科技", "KJ"}, {"汽车", "QC"},
      {"能源", "NY"}, {"建设", "JS"}, {"发展", "FZ"}, {"环球", "HQ"}, {"资本", "ZB"},
      {"金融", "JR"},
  };
  return words;
}

const std::vector<Word>& CVocabulary::provinces() {
  static const std::vector<Word> words = {
      {"北京", "BJ"}, {"天津", "TJ"}, {"河北", "HB"},    {"山西", "SX"}, {"内蒙", "NM"},
      {"辽宁", "LN"}, {"吉林", "JL"}, {"黑龙江", "HLJ"}, {"上海", "SH"}, {"江苏", "JS"},
      {"浙江", "ZJ"}, {"安徽", "AH"}, {"福建", "FJ"},    {"江西", "JX"}, {"山东", "SD"},
      {"河南", "HN"}, {"湖北", "HB"}, {"湖南", "HN"},    {"广东", "GD"}, {"广西", "GX"},
      {"海南", "HN"}, {"重庆", "CQ"}, {"四川", "SC"},    {"贵州", "GZ"}, {"云南", "YN"},
      {"西藏", "XZ"}, {"陕西", "SX"}, {"甘肃", "GS"},    {"青海", "QH"}, {"宁夏", "NX"},
      {"新疆", "XJ"}, {"大连", "DL"}, {"青岛", "QD"},    {"宁波", "NB"}, {"厦门", "XM"},
      {"深圳", "SZ"},
  };
  return words;
}

const std::vector<Word>& CVocabulary::fundCompanies() {
  static const std::vector<Word> words = {
      {"华夏", "HX"},       {"易方达", "YFD"},    {"南方", "NF"},       {"嘉实", "JS"},
      {"博时", "BS"},       {"广发", "GF"},       {"汇添富", "HTF"},    {"富国", "FG"},
      {"招商", "ZS"},       {"工银瑞信", "GYRX"}, {"鹏华", "PH"},       {"银华", "YH"},
      {"中欧", "ZO"},       {"兴全", "XQ"},       {"景顺长城", "JSCC"}, {"交银施罗德", "JYSLD"},
      {"大成", "DC"},       {"国泰", "GT"},       {"华安", "HA"},       {"天弘", "TH"},
      {"建信", "JX"},       {"万家", "WJ"},       {"诺安", "NA"},       {"国投瑞银", "GTRY"},
      {"长信", "CX"},       {"东方红", "DFH"},    {"永赢", "YY"},       {"中银", "ZY"},
      {"平安", "PA"},       {"华宝", "HB"},       {"申万菱信", "SWLX"}, {"前海开源", "QHKY"},
      {"浦银安盛", "PYAS"}, {"中庚", "ZG"},       {"睿远", "RY"},       {"泓德", "HD"},
  };
  return words;
}

const std::vector<Word>& CVocabulary::fundThemes() {
  static const std::vector<Word> words = {
      {"成长", "CZ"}, {"价值", "JZ"}, {"蓝筹", "LC"}, {"精选", "JX"}, {"优选", "YX"},
      {"红利", "HL"}, {"消费", "XF"}, {"医疗", "YL"}, {"科技", "KJ"}, {"新能源", "XNY"},
      {"稳健", "WJ"}, {"稳利", "WL"}, {"添利", "TL"}, {"增利", "ZL"}, {"先锋", "XF"},
      {"领航", "LH"}, {"优势", "YS"}, {"回报", "HB"}, {"核心", "HX"}, {"趋势", "QS"},
      {"创新", "CX"}, {"均衡", "JH"}, {"周期", "ZQ"}, {"制造", "ZZ"}, {"产业", "CY"},
      {"品质", "PZ"}, {"鑫享", "XX"}, {"安心", "AX"}, {"恒利", "HL"}, {"纯债", "CZ"},
      {"短债", "DZ"}, {"信用", "XY"}, {"双债", "SZ"}, {"安盈", "AY"}, {"天天", "TT"},
      {"现金", "XJ"}, {"聚利", "JL"},
  };
  return words;
}

const std::vector<Word>& CVocabulary::fundStyles() {
  static const std::vector<Word> words = {
      {"混合", "HH"},       {"股票", "GP"}, {"债券", "ZQ"}, {"货币", "HB"}, {"指数", "ZS"},
      {"灵活配置", "LHPZ"}, {"定开", "DK"}, {"联接", "LJ"}, {"发起", "FQ"},
  };
  return words;
}

const std::vector<Word>& CVocabulary::etfIndexes() {
  static const std::vector<Word> words = {
      {"上证50", "SZ50"}, {"沪深300", "HS300"}, {"中证500", "ZZ500"}, {"中证1000", "ZZ1000"},
      {"创业板", "CYB"},  {"科创50", "KC50"},   {"深证100", "SZ100"}, {"红利", "HL"},
      {"证券", "ZQ"},     {"银行", "YH"},       {"医药", "YY"},       {"半导体", "BDT"},
      {"芯片", "XP"},     {"新能源", "XNY"},    {"新能源车", "XNYC"}, {"光伏", "GF"},
      {"军工", "JG"},     {"消费", "XF"},       {"黄金", "HJ"},       {"恒生", "HS"},
      {"纳指", "NZ"},     {"标普", "BP"},       {"煤炭", "MT"},       {"有色", "YS"},
      {"钢铁", "GT"},     {"地产", "DC"},       {"传媒", "CM"},       {"游戏", "YX"},
      {"畜牧", "XM"},     {"稀土", "XT"},       {"电池", "DC"},       {"人工智能", "RGZN"},
      {"机器人", "JQR"},  {"云计算", "YJS"},    {"通信", "TX"},       {"计算机", "JSJ"},
      {"基建", "JJ"},     {"央企", "YQ"},       {"国企", "GQ"},
  };
  return words;
}

const std::vector<Word>& CVocabulary::warrantIssuers() {
  static const std::vector<Word> words = {
      {"法兴", "FX"}, {"摩通", "MT"}, {"瑞银", "RY"}, {"汇丰", "HF"}, {"中银", "ZY"},
      {"麦银", "MY"}, {"高盛", "GS"}, {"花旗", "HQ"}, {"瑞信", "RX"}, {"东亚", "DY"},
  };
  return words;
}

// Pieces of the name templates and the names of products, currencies and
// contracts. Single characters carry their usual reading; words are listed
// where a character reads differently in them (行 in 银行, 长 in 长期).
const std::vector<Word>& CVocabulary::templateWords() {
  static const std::vector<Word> words = {
      // Bonds, repos and funds.
      {"国债", "GZ"},
      {"转债", "ZZ"},
      {"债", "Z"},
      {"附息", "FX"},
      {"贴现", "TX"},
      {"国开", "GK"},
      {"进出", "JC"},
      {"农发", "NF"},
      {"专项", "ZX"},
      {"退", "T"},
      {"协议回购", "XYHG"},
      {"天", "T"},
      {"期", "Q"},
      {"年", "N"},
      {"号", "H"},
      {"城投", "CT"},
      {"城建", "CJ"},
      {"交投", "JT"},
      {"投资", "TZ"},
      {"铁路", "TL"},
      {"电网", "DW"},
      {"石油", "SY"},
      {"优", "Y"},
      {"资管", "ZG"},
      {"集合", "JH"},
      {"计划", "JH"},
      {"私募", "SM"},
      {"证券投资", "ZQTZ"},
      {"基金", "JJ"},
      {"理财", "LC"},
      {"持有", "CY"},
      {"个月", "GY"},
      {"一年", "YN"},
      {"三年", "SN"},
      {"仓单", "CD"},
      // Options and warrants.
      {"购", "G"},
      {"沽", "G"},
      {"月", "Y"},
      {"看涨", "KZ"},
      {"看跌", "KD"},
      {"牛", "N"},
      {"熊", "X"},
      {"一", "Y"},
      {"二", "E"},
      {"三", "S"},
      {"四", "S"},
      {"五", "W"},
      {"六", "L"},
      {"七", "Q"},
      {"八", "B"},
      {"九", "J"},
      {"十", "S"},
      // Domestic futures products.
      {"铜", "T"},
      {"铝", "L"},
      {"锌", "X"},
      {"铅", "Q"},
      {"镍", "N"},
      {"锡", "X"},
      {"白银", "BY"},
      {"螺纹钢", "LWG"},
      {"热卷", "RJ"},
      {"线材", "XC"},
      {"不锈钢", "BXG"},
      {"燃料油", "RLY"},
      {"沥青", "LQ"},
      {"橡胶", "XJ"},
      {"纸浆", "ZJ"},
      {"氧化铝", "YHL"},
      {"丁二烯", "DEX"},
      {"原油", "YY"},
      {"低硫", "DL"},
      {"胶", "J"},
      {"国际铜", "GJT"},
      {"集运", "JY"},
      {"欧线", "OX"},
      {"豆一", "DY"},
      {"豆二", "DE"},
      {"豆粕", "DP"},
      {"豆油", "DY"},
      {"棕榈油", "ZLY"},
      {"玉米", "YM"},
      {"淀粉", "DF"},
      {"鸡蛋", "JD"},
      {"生猪", "SZ"},
      {"粳米", "JM"},
      {"塑料", "SL"},
      {"聚丙烯", "JBX"},
      {"乙二醇", "YEC"},
      {"苯乙烯", "BYX"},
      {"液化气", "YHQ"},
      {"焦炭", "JT"},
      {"焦煤", "JM"},
      {"铁矿石", "TKS"},
      {"纤维板", "XWB"},
      {"胶合板", "JHB"},
      {"棉花", "MH"},
      {"棉纱", "MS"},
      {"白糖", "BT"},
      {"甲醇", "JC"},
      {"纯碱", "CJ"},
      {"尿素", "NS"},
      {"菜粕", "CP"},
      {"菜油", "CY"},
      {"菜籽", "CZ"},
      {"苹果", "PG"},
      {"红枣", "HZ"},
      {"花生", "HS"},
      {"硅铁", "GT"},
      {"锰硅", "MG"},
      {"动力煤", "DLM"},
      {"强麦", "QM"},
      {"普麦", "PM"},
      {"早籼稻", "ZXD"},
      {"粳稻", "JD"},
      {"晚籼稻", "WXD"},
      {"短纤", "DX"},
      {"烧碱", "SJ"},
      {"对二甲苯", "DEJB"},
      {"股指", "GZ"},
      {"工业硅", "GYG"},
      {"碳酸锂", "TSL"},
      {"期权", "QQ"},
      {"瓶片", "PP"},
      // Foreign futures.
      {"小型", "XX"},
      {"微型", "WX"},
      {"道指", "DZ"},
      {"大豆", "DD"},
      {"小麦", "XM"},
      {"美债", "MZ"},
      {"活牛", "HN"},
      {"瘦肉猪", "SRZ"},
      {"天然气", "TRQ"},
      {"取暖油", "QNY"},
      {"汽油", "QY"},
      {"钯金", "BJ"},
      {"铂金", "BJ"},
      {"布伦特", "BLT"},
      {"柴油", "CY"},
      {"糖", "T"},
      {"咖啡", "KF"},
      {"可可", "KK"},
      {"美元指数", "MYZS"},
      {"富时", "FS"},
      {"日经", "RJ"},
      {"台湾", "TW"},
      {"欧洲", "OZ"},
      {"英国", "YG"},
      {"长期", "CQ"},
      {"欧元", "OY"},
      {"日元", "RY"},
      {"英镑", "YB"},
      {"利率", "LL"},
      {"金边", "JB"},
      {"美国", "MG"},
      {"铁矿", "TK"},
      // Gold exchange, foreign exchange, spot and swaps.
      {"延期", "YQ"},
      {"迷你", "MN"},
      {"国际板", "GJB"},
      {"纽约金", "NYJ"},
      {"熊猫", "XM"},
      {"金币", "JB"},
      {"克", "K"},
      {"铂", "B"},
      {"人民币", "RMB"},
      {"美元", "MY"},
      {"港币", "GB"},
      {"澳元", "AY"},
      {"加元", "JY"},
      {"瑞郎", "RL"},
      {"新加坡元", "XJPY"},
      {"纽元", "NY"},
      {"兑", "D"},
      {"远期", "YQ"},
      {"利率互换", "LLHH"},
      {"隔夜", "GY"},
      {"个", "G"},
      {"周", "Z"},
      {"沪", "H"},
      {"金", "J"},
      {"银", "Y"},
      {"深", "S"},
      {"科创板", "KCB"},
      {"现货", "XH"},
  };
  return words;
}

namespace {

std::size_t utf8Length(unsigned char lead) {
  if (lead < 0x80) return 1;
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 1;
}

std::size_t characterCount(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); i += utf8Length(static_cast<unsigned char>(text[i]))) {
    ++count;
  }
  return count;
}

// Every pool's words by text. Where pools list the same word they agree on
// its initials (the tests check that).
struct Lexicon {
  std::map<std::string, std::string, std::less<>> initialsByText;
  std::size_t longestWord = 0;  // in characters
};

const Lexicon& lexicon() {
  static const Lexicon instance = [] {
    Lexicon built;
    const std::vector<const std::vector<Word>*> pools = {
        &CVocabulary::companyBrands(),    &CVocabulary::companyIndustries(),
        &CVocabulary::hongKongSuffixes(), &CVocabulary::provinces(),
        &CVocabulary::fundCompanies(),    &CVocabulary::fundThemes(),
        &CVocabulary::fundStyles(),       &CVocabulary::etfIndexes(),
        &CVocabulary::warrantIssuers(),   &CVocabulary::templateWords()};
    for (const auto* pool : pools) {
      for (const Word& word : *pool) {
        built.initialsByText.emplace(word.text, word.initials);
        built.longestWord = std::max(built.longestWord, characterCount(word.text));
      }
    }
    return built;
  }();
  return instance;
}

}  // namespace

std::string CVocabulary::initialsOf(std::string_view name, bool* complete) {
  const Lexicon& words = lexicon();
  std::string initials;
  bool covered = true;
  std::size_t i = 0;
  while (i < name.size()) {
    const auto c = static_cast<unsigned char>(name[i]);
    if (c < 0x80) {
      initials.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A')
                                              : static_cast<char>(c));
      ++i;
      continue;
    }
    // Longest word first, so that 银行 wins over a single 银. Candidate ends
    // are character boundaries only; no word starts with an ASCII character.
    std::size_t ends[8];
    std::size_t endCount = 0;
    for (std::size_t end = i; end < name.size() && endCount < words.longestWord && endCount < 8;) {
      end += utf8Length(static_cast<unsigned char>(name[end]));
      ends[endCount++] = end < name.size() ? end : name.size();
    }
    bool matched = false;
    while (endCount > 0 && !matched) {
      const std::size_t end = ends[--endCount];
      const auto found = words.initialsByText.find(name.substr(i, end - i));
      if (found != words.initialsByText.end()) {
        initials += found->second;
        i = end;
        matched = true;
      }
    }
    if (!matched) {
      initials.push_back('?');
      covered = false;
      i += utf8Length(c);
    }
  }
  if (complete != nullptr) *complete = covered;
  return initials;
}

}  // namespace datagen
