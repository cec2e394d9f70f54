// The persisted table layout text, loaded into real instrument tables.
//
// A panel's only persisted state is its table layout, handed back by the host
// at start-up, so whatever the settings file holds reaches loadConfigStr().
// Each input is tried as given and re-signed (its body with a correct
// checksum appended), since random edits almost never keep the CRC-16 right
// and the fields behind it would otherwise stay out of the fuzzer's reach.
//
// For each instrument table (stock, foreign futures, fund, bond tender and a
// trading type without columns, each filled from the sample data set so that
// a loaded sort really sorts rows):
// - a refused text leaves the layout as it was;
// - an accepted text is applied as decoded: order, widths, hidden flags and
//   sort;
// - save after load loads again, and saving once more gives the same text.

#include "fuzzsupport.h"
#include "host/core/tradertypes.h"
#include "host/services/hostservices.h"
#include "host/table/hpftablelayout.h"
#include "model/instrumentmodel.h"
#include "panel/hpfinstable.h"

#include <QApplication>
#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Table {
  LW::CHpfInsTable* table;  // lives until process exit
  QString initial;          // the layout right after construction
};

std::vector<Table>& tables() {
  static std::vector<Table> list;
  return list;
}

std::string show(const QString& text) { return lwfuzz::printable(text.toStdString()); }

QString resigned(const QString& input) {
  QString body = input.trimmed();
  const int crcAt = body.lastIndexOf(QStringLiteral(";crc="));
  if (crcAt >= 0) body = body.left(crcAt);
  const QByteArray bytes = body.toUtf8();
  return body + QStringLiteral(";crc=") +
         QStringLiteral("%1").arg(qChecksum(bytes.constData(), static_cast<uint>(bytes.size())), 4,
                                  16, QLatin1Char('0'));
}

// The table shows what the layout says: its columns first, in its order,
// with its widths and hidden flags, and its sort.
void checkApplied(LW::CHpfInsTable* table, const GU::SHpfLayout& layout) {
  for (std::size_t i = 0; i < layout.columns.size(); ++i) {
    const GU::SHpfLayoutColumn& column = layout.columns[i];
    LW_FUZZ_CHECK(table->columnIndex(column.id) == static_cast<int>(i),
                  "column " + std::to_string(column.id) + " is at " +
                      std::to_string(table->columnIndex(column.id)) + ", not " + std::to_string(i));
    LW_FUZZ_CHECK(table->columnWidth(column.id) == column.width,
                  "column " + std::to_string(column.id) + " is " +
                      std::to_string(table->columnWidth(column.id)) + " wide, not " +
                      std::to_string(column.width));
    LW_FUZZ_CHECK(table->isColumnHidden(column.id) == column.hidden,
                  "column " + std::to_string(column.id) + " hidden flag not applied");
  }
  LW_FUZZ_CHECK(table->sortColumn() == layout.sortColumn, "sort column not applied");
  if (layout.sortColumn >= 0)
    LW_FUZZ_CHECK(table->sortAscending() == layout.sortAscending, "sort order not applied");
}

void tryLayout(const Table& entry, const QString& text) {
  LW::CHpfInsTable* table = entry.table;
  table->resetLayout();
  const QString before = table->saveConfigStr();
  LW_FUZZ_CHECK(before == entry.initial,
                "resetLayout() left " + show(before) + " instead of " + show(entry.initial));

  GU::SHpfLayout decoded;
  const bool decodes = GU::CHpfTableLayout::decode(text, &decoded);
  const bool loaded = table->loadConfigStr(text);
  LW_FUZZ_CHECK(decodes || !loaded, "a text that does not decode was loaded: " + show(text));
  const QString saved = table->saveConfigStr();
  if (!loaded) {
    LW_FUZZ_CHECK(saved == before, "a refused layout changed the table: " + show(text));
  } else {
    checkApplied(table, decoded);
  }

  LW_FUZZ_CHECK(table->loadConfigStr(saved), "the table refuses its own layout " + show(saved));
  const QString again = table->saveConfigStr();
  LW_FUZZ_CHECK(again == saved, "save, load, save gave " + show(again) + " after " + show(saved));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  lwfuzz::quietHostLog();
  lwfuzz::ensureApplication();
  mxservice::CHostServices::installFromDirectory(lwfuzz::sampleDataDirectory());
  const mxservice::ENqTraderType types[] = {
      mxservice::NQ_TRADER_STOCK,    mxservice::NQ_TRADER_OUTER_FUTURE,
      mxservice::NQ_TRADER_OTC_FUND, mxservice::NQ_TRADER_BOND_TENDER,
      mxservice::NQ_TRADER_NONE,
  };
  for (mxservice::ENqTraderType type : types) {
    auto* table = new LW::CHpfInsTable(type, nullptr);
    table->setTradeType(type);  // as the panel does: the layout scope names the type
    table->model()->refresh(QString());
    table->model()->waitForIdle();
    QCoreApplication::sendPostedEvents();
    table->updateTable();
    tables().push_back(Table{table, table->saveConfigStr()});
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QString text =
      QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<int>(size));
  const QString sealed = resigned(text);
  for (const Table& entry : tables()) {
    tryLayout(entry, text);
    if (sealed != text) tryLayout(entry, sealed);
  }
  return 0;
}
