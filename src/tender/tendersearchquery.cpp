#include "tender/tendersearchquery.h"

#include "tender/tenderbondmatcher.h"

#include <QtGlobal>
#include <cstring>

namespace LW {

namespace {

// The items of the search-field combo box; the indexes are those of the
// member switches in tenderbondmatcher.cpp. The source texts name the fields
// in queries; the bar shows them translated.
const char* const kFieldTexts[kTenderSearchFieldCount] = {
    QT_TRANSLATE_NOOP("LW::CTenderSearchBar", "招标日"),
    QT_TRANSLATE_NOOP("LW::CTenderSearchBar", "招标结束日"),
    QT_TRANSLATE_NOOP("LW::CTenderSearchBar", "发行起始日"),
    QT_TRANSLATE_NOOP("LW::CTenderSearchBar", "发行终止日"),
    QT_TRANSLATE_NOOP("LW::CTenderSearchBar", "起息日"),
    QT_TRANSLATE_NOOP("LW::CTenderSearchBar", "缴款日"),
    QT_TRANSLATE_NOOP("LW::CTenderSearchBar", "上市日"),
    QT_TRANSLATE_NOOP("LW::CTenderSearchBar", "债券代码"),
    QT_TRANSLATE_NOOP("LW::CTenderSearchBar", "债券简称"),
    QT_TRANSLATE_NOOP("LW::CTenderSearchBar", "债券全称"),
    QT_TRANSLATE_NOOP("LW::CTenderSearchBar", "交易员"),
    QT_TRANSLATE_NOOP("LW::CTenderSearchBar", "债券类型"),
    QT_TRANSLATE_NOOP("LW::CTenderSearchBar", "债券类型细分"),
    QT_TRANSLATE_NOOP("LW::CTenderSearchBar", "主承销商"),
    QT_TRANSLATE_NOOP("LW::CTenderSearchBar", "预交易市场"),
    QT_TRANSLATE_NOOP("LW::CTenderSearchBar", "发行人名称"),
    QT_TRANSLATE_NOOP("LW::CTenderSearchBar", "发行人属性"),
    QT_TRANSLATE_NOOP("LW::CTenderSearchBar", "所属行业"),
    QT_TRANSLATE_NOOP("LW::CTenderSearchBar", "招标标的"),
    QT_TRANSLATE_NOOP("LW::CTenderSearchBar", "招标方式"),
};

}  // namespace

const char* tenderSearchFieldText(int index) {
  if (index < 0 || index >= kTenderSearchFieldCount) return "";
  return kFieldTexts[index];
}

int tenderSearchFieldIndex(const std::string& field) {
  for (int i = 0; i < kTenderSearchFieldCount; ++i) {
    const std::size_t length = std::strlen(kFieldTexts[i]);
    if (field.size() == length && std::memcmp(field.data(), kFieldTexts[i], length) == 0) return i;
  }
  return -1;
}

bool matchTenderBond(const boost::shared_ptr<mxservice::CTenderBondInfoDetail>& detail,
                     const TenderSearchQuery& query) {
  return CTenderBondMatcher(query).matches(detail.get());
}

}  // namespace LW
