#include "tender/tendersearchquery.h"

#include "tender/tenderbondmatcher.h"

#include <cstring>

namespace LW {

namespace {

// The items of the search-field combo box; the indexes are those of the
// member switches in tenderbondmatcher.cpp.
const char* const kFieldTexts[kTenderSearchFieldCount] = {
    "招标日",     "招标结束日", "发行起始日", "发行终止日", "起息日",   "缴款日",       "上市日",
    "债券代码",   "债券简称",   "债券全称",   "交易员",     "债券类型", "债券类型细分", "主承销商",
    "预交易市场", "发行人名称", "发行人属性", "所属行业",   "招标标的", "招标方式",
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
