#pragma once
// Shared fixtures of the table tests: a plain row, a threaded model with four
// columns (code text, price decimal, volume integer, name text), a parent
// widget that records the events the table delivers, and a shown table with
// a button column.

#include "host/core/tradertypes.h"
#include "host/table/basetablecolumnmultibuttonsdelegate.h"
#include "host/table/hpfdatatable.h"
#include "host/table/hpfthreaddatamodel.h"
#include "host/table/ibasehpftabledata.h"
#include "host/ui/basewidget.h"

#include <QStringList>
#include <QTest>
#include <boost/make_shared.hpp>
#include <mutex>
#include <string>
#include <vector>

namespace hpftest {

enum EColumn { COL_CODE = 0, COL_PRICE = 1, COL_VOLUME = 2, COL_NAME = 3 };

class CTestRow : public GU::IBaseHpfTableData {
public:
  CTestRow(const std::string& key, double price, int volume, const QString& name,
           int generation = 0)
      : m_key(key), m_price(price), m_volume(volume), m_name(name), m_generation(generation) {}

  QString getDisplayQString(int column) override {
    switch (column) {
      case COL_PRICE:
        return m_price == mxservice::kNoValueDouble ? QString() : QString::number(m_price, 'f', 2);
      case COL_VOLUME:
        return m_volume == mxservice::kNoValueInt ? QString() : QString::number(m_volume);
      default:
        return getQString(column);
    }
  }
  QString getQString(int column) override {
    if (column == COL_CODE) return QString::fromStdString(m_key);
    if (column == COL_NAME) return m_name;
    return QString();
  }
  double getDouble(int column) override {
    return column == COL_PRICE ? m_price : mxservice::kNoValueDouble;
  }
  int getInt(int column) override {
    return column == COL_VOLUME ? m_volume : mxservice::kNoValueInt;
  }
  std::string key() override { return m_key; }

  int generation() const { return m_generation; }

private:
  const std::string m_key;
  const double m_price;
  const int m_volume;
  const QString m_name;
  const int m_generation;
};

inline GU::HpfRowPtr row(const std::string& key, double price = 1.0, int volume = 1,
                         const QString& name = QString(), int generation = 0) {
  return boost::make_shared<CTestRow>(key, price, volume, name, generation);
}

class CTestModel : public LW::CHpfThreadDataModel {
public:
  CTestModel() : LW::CHpfThreadDataModel(550, mxservice::NQ_TRADER_STOCK) {}
  ~CTestModel() override { stopWorker(); }

  int columnCount() const override { return 4; }
  QString columnTitle(int column) const override {
    static const QStringList titles = {QString::fromUtf8("代码"), QString::fromUtf8("价格"),
                                       QString::fromUtf8("数量"), QString::fromUtf8("名称")};
    return column >= 0 && column < titles.size() ? titles[column] : QString();
  }
  int columnValueKind(int column) const override {
    switch (column) {
      case COL_PRICE:
        return GU::HPF_KIND_DOUBLE;
      case COL_VOLUME:
        return GU::HPF_KIND_INT;
      default:
        return GU::HPF_KIND_TEXT;
    }
  }
  using LW::CHpfThreadDataModel::stopWorker;
};

inline std::vector<std::string> keysOf(const GU::HpfRowVector& rows) {
  std::vector<std::string> keys;
  for (const GU::HpfRowPtr& r : rows) keys.push_back(r ? r->key() : std::string("<null>"));
  return keys;
}

struct SEvent {
  int id;
  int wParam;
  int lParam;
  QString text;
  int firstInt;  // first int of the data block, -999 without data
};

// The table's parent: consumes and records every event delivered to it.
class CEventSink : public GU::CBaseWidget {
public:
  bool handleEvent(int id, int wParam, int lParam, QString text, void* data) override {
    events.push_back(SEvent{id, wParam, lParam, text, data ? *static_cast<int*>(data) : -999});
    return true;
  }
  std::vector<SEvent> events;
};

// A layout text body signed with its checksum, so that a test can edit a
// saved layout and still have it read.
inline QString signedLayout(const QString& body) {
  const QByteArray bytes = body.toUtf8();
  return body + QStringLiteral(";crc=%1").arg(
                    qChecksum(bytes.constData(), static_cast<uint>(bytes.size())), 4, 16,
                    QLatin1Char('0'));
}

inline bool operator==(const SEvent& a, const SEvent& b) {
  return a.id == b.id && a.wParam == b.wParam && a.lParam == b.lParam && a.text == b.text &&
         a.firstInt == b.firstInt;
}

// The tender panel's lock (26, with a tip) and revoke (16, hidden while
// disabled) buttons.
inline QVector<GU::ButtonData> lockAndRevoke() {
  return {GU::ButtonData(26, QString::fromUtf8("锁定"), GU::NORMAL_BUTTON_PRIMARY, false,
                         {{0, QString::fromUtf8("锁定招标")}}),
          GU::ButtonData(16, QString::fromUtf8("撤销"), GU::NORMAL_BUTTON_WARNING, true, {})};
}

// A shown table of `rows` rows "r0", "r1", ... whose name column holds the
// buttons; its parent records the events.
struct CButtonTable {
  static constexpr int kButtonColumn = COL_NAME;

  explicit CButtonTable(int rows = 3) : model(boost::make_shared<CTestModel>()) {
    sink.resize(800, 300);
    table = new LW::CHpfDataTable(1, 550, &sink, GU::MENU_FLAG_ALL);
    table->setGeometry(0, 0, 800, 300);
    table->setDataModel(model);
    table->setColumnWidth(kButtonColumn, 200);
    delegate = boost::make_shared<GU::CBaseTableColumnMultiButtonsDelegate>(kButtonColumn, table);
    table->setColumnDelegate(kButtonColumn, delegate);
    for (int i = 0; i < rows; ++i)
      model->addData(row("r" + std::to_string(i), 10.5 + i, 100 * i, QString::fromUtf8("名称")));
    table->updateTable();
    sink.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&sink));
  }
  // Clicks button index of the row shown at viewRow; false when not on screen.
  bool clickButton(int viewRow, int index) {
    const QRect cell = table->visualCellRect(viewRow, kButtonColumn);
    const QVector<QRect> rects = delegate->buttonRects(cell, table->viewRowData(viewRow)->key());
    if (index >= rects.size() || rects[index].isNull()) return false;
    QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, rects[index].center());
    return true;
  }
  std::vector<SEvent> buttonEvents() const {
    std::vector<SEvent> out;
    for (const SEvent& e : sink.events)
      if (e.id == GU::HPF_EVENT_BUTTON_PRESSED) out.push_back(e);
    return out;
  }

  CEventSink sink;
  LW::CHpfDataTable* table;
  boost::shared_ptr<CTestModel> model;
  boost::shared_ptr<GU::CBaseTableColumnMultiButtonsDelegate> delegate;
};

}  // namespace hpftest
