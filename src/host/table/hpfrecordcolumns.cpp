#include "host/table/hpfrecordcolumns.h"

#include "host/core/annotatedmutex.h"
#include "host/core/tradertypes.h"
#include "host/data/bondtradeinfo.h"

#include <boost/make_shared.hpp>
#include <map>

namespace LW {

namespace {

const int kBondTradeInfoTable = 16371;

QVariant text(const std::string& value) { return QString::fromStdString(value); }

QVariant number(double value) {
  return value == mxservice::kNoValueDouble ? QVariant() : QVariant(value);
}

QVariant integer(int value) {
  return value == mxservice::kNoValueInt ? QVariant() : QVariant(value);
}

// A bond trading record field as a cell; other record classes have no value.
template <typename Fn>
boost::function<QVariant(const mxservice::IData&)> bondField(Fn fn) {
  return [fn](const mxservice::IData& data) {
    const auto* record = dynamic_cast<const mxservice::CBondTradeInfo*>(&data);
    return record ? fn(*record) : QVariant();
  };
}

HpfRecordLayout bondTradeInfoLayout() {
  using mxservice::CBondTradeInfo;
  HpfRecordLayout columns;
  auto add = [&columns](const char* title, int kind, int decimals,
                        boost::function<QVariant(const mxservice::IData&)> value) {
    SHpfRecordColumn column;
    column.title = QString::fromUtf8(title);  // the source text; see CHpfRecordModel
    column.kind = kind;
    column.decimals = decimals;
    column.value = value;
    columns.push_back(column);
  };
  add(QT_TRANSLATE_NOOP("LW::CHpfRecordModel", "市场"), 10, 0,
      bondField([](const CBondTradeInfo& r) { return text(r.marketId); }));
  add(QT_TRANSLATE_NOOP("LW::CHpfRecordModel", "债券代码"), 10, 0,
      bondField([](const CBondTradeInfo& r) { return text(r.code); }));
  add(QT_TRANSLATE_NOOP("LW::CHpfRecordModel", "债券类型"), 10, 0,
      bondField([](const CBondTradeInfo& r) { return text(r.bondType); }));
  add(QT_TRANSLATE_NOOP("LW::CHpfRecordModel", "交易方式"), 10, 0,
      bondField([](const CBondTradeInfo& r) { return text(r.tradeMode); }));
  add(QT_TRANSLATE_NOOP("LW::CHpfRecordModel", "质押代码"), 10, 0,
      bondField([](const CBondTradeInfo& r) { return text(r.pledgeCode); }));
  add(QT_TRANSLATE_NOOP("LW::CHpfRecordModel", "折算率"), 6, 2,
      bondField([](const CBondTradeInfo& r) { return number(r.conversionRate); }));
  add(QT_TRANSLATE_NOOP("LW::CHpfRecordModel", "最小交易量"), 2, 0,
      bondField([](const CBondTradeInfo& r) { return integer(r.minTradeVolume); }));
  add(QT_TRANSLATE_NOOP("LW::CHpfRecordModel", "交易状态"), 10, 0,
      bondField([](const CBondTradeInfo& r) { return text(r.tradeStatus); }));
  add(QT_TRANSLATE_NOOP("LW::CHpfRecordModel", "到期日"), 10, 0,
      bondField([](const CBondTradeInfo& r) { return text(r.maturityDate); }));
  return columns;
}

struct CRegistry {
  utils::CMutex mutex;
  std::map<int, HpfRecordLayoutPtr> layouts LW_GUARDED_BY(mutex);
  CRegistry() {
    layouts[kBondTradeInfoTable] = boost::make_shared<HpfRecordLayout>(bondTradeInfoLayout());
  }
};

CRegistry& registry() {
  static CRegistry instance;  // thread-safe initialisation
  return instance;
}

}  // namespace

void CHpfRecordColumns::registerColumns(int tableType, const HpfRecordLayout& columns) {
  HpfRecordLayoutPtr layout = boost::make_shared<HpfRecordLayout>(columns);
  CRegistry& r = registry();
  utils::CMutexLocker<utils::CMutex> lock(r.mutex);
  r.layouts[tableType] = layout;
}

HpfRecordLayoutPtr CHpfRecordColumns::columnsOf(int tableType) {
  CRegistry& r = registry();
  utils::CMutexLocker<utils::CMutex> lock(r.mutex);
  auto it = r.layouts.find(tableType);
  return it == r.layouts.end() ? HpfRecordLayoutPtr() : it->second;
}

}  // namespace LW
