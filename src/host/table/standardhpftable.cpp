#include "host/table/standardhpftable.h"

#include "host/table/hpftablelog_p.h"
#include "host/table/ibasehpftablemodel.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QPointer>
#include <QSaveFile>
#include <QTextStream>

namespace GU {

namespace {

// RFC 4180 quoting. A text that starts with =, +, - or @ would run as a
// formula when the file is opened in a spreadsheet, so unless it is a plain
// number it gets a leading apostrophe.
QString csvField(const QString& text) {
  QString value = text;
  if (!value.isEmpty() && QStringLiteral("=+-@").contains(value.at(0))) {
    bool number = false;
    value.toDouble(&number);
    if (!number) value.prepend(QLatin1Char('\''));
  }
  if (value.contains(QLatin1Char(',')) || value.contains(QLatin1Char('"')) ||
      value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r'))) {
    value.replace(QLatin1String("\""), QLatin1String("\"\""));
    value = QLatin1Char('"') + value + QLatin1Char('"');
  }
  return value;
}

}  // namespace

CStandardHpfTable::CStandardHpfTable(int id, int tableType, QWidget* parent,
                                     BaseTableMenuFlags menuFlags)
    : CBaseHighPerformanceTable(id, tableType, parent, menuFlags) {}

CStandardHpfTable::~CStandardHpfTable() = default;

bool CStandardHpfTable::handleEvent(int id, int wParam, int lParam, QString text, void* data) {
  return deliverEvent(id, wParam, lParam, text, data);
}

QString CStandardHpfTable::copyText(int viewRow, int id) const {
  if (viewRow < 0 || viewRow >= viewRowCount()) return QString();
  boost::shared_ptr<IBaseHpfTableModel> model = hpfModel();
  if (model && model->isCopyCellOnly() && hasColumn(id)) return cellText(viewRow, id);
  QStringList cells;
  for (int index = 0; index < columnCount(); ++index) {
    const int column = columnID(index);
    if (!isColumnHidden(column)) cells << cellText(viewRow, column);
  }
  return cells.join(QLatin1Char('\t'));
}

void CStandardHpfTable::copyToClipboard(int viewRow, int id) {
  if (!(menuFlags() & MENU_FLAG_COPY)) return;
  const QString text = copyText(viewRow, id);
  if (!text.isEmpty()) QApplication::clipboard()->setText(text);
}

bool CStandardHpfTable::exportCsv(const QString& path, QString* error) const {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    if (error) *error = file.errorString();
    return false;
  }
  QTextStream out(&file);
  out.setCodec("UTF-8");
  out.setGenerateByteOrderMark(true);  // spreadsheets guess the encoding otherwise
  std::vector<int> columns;
  QStringList titles;
  for (int index = 0; index < columnCount(); ++index) {
    const int id = columnID(index);
    if (isColumnHidden(id)) continue;
    columns.push_back(id);
    titles << csvField(columnTitle(id));
  }
  out << titles.join(QLatin1Char(',')) << "\r\n";
  const int rows = viewRowCount();
  for (int viewRow = 0; viewRow < rows; ++viewRow) {
    QStringList cells;
    for (int id : columns) cells << csvField(cellText(viewRow, id));
    out << cells.join(QLatin1Char(',')) << "\r\n";
  }
  out.flush();
  if (out.status() != QTextStream::Ok || !file.commit()) {
    if (error) *error = file.errorString();
    return false;
  }
  return true;
}

void CStandardHpfTable::setExportPathProvider(
    const boost::function<QString(const QString& suggested)>& provider) {
  m_exportPathProvider = provider;
}

QMenu* CStandardHpfTable::createContextMenu(int viewRow, int id, QWidget* parent) {
  const BaseTableMenuFlags flags = menuFlags();
  if (!(flags & (MENU_FLAG_COPY | MENU_FLAG_EXPORT | MENU_FLAG_COLUMNS | MENU_FLAG_RESET)))
    return nullptr;
  auto* menu = new QMenu(parent);
  QPointer<CStandardHpfTable> self(this);
  if (flags & MENU_FLAG_COPY) {
    QAction* copy = menu->addAction(QCoreApplication::translate("GU::CStandardHpfTable", "复制"));
    copy->setEnabled(viewRow >= 0);
    QObject::connect(copy, &QAction::triggered, menu, [self, viewRow, id]() {
      if (self) self->copyToClipboard(viewRow, id);
    });
  }
  if (flags & MENU_FLAG_EXPORT) {
    QAction* exportAction =
        menu->addAction(QCoreApplication::translate("GU::CStandardHpfTable", "导出"));
    QObject::connect(exportAction, &QAction::triggered, menu, [self]() {
      if (!self) return;
      const QString suggested = QCoreApplication::translate("GU::CStandardHpfTable", "导出.csv");
      QString path;
      if (self->m_exportPathProvider) {
        path = self->m_exportPathProvider(suggested);
      } else {
        path = QFileDialog::getSaveFileName(
            self, QCoreApplication::translate("GU::CStandardHpfTable", "导出"), suggested,
            QStringLiteral("CSV (*.csv)"));
      }
      if (!self || path.isEmpty()) return;
      QString error;
      if (!self->exportCsv(path, &error))
        HPF_LOG_ERROR(self.data(), QStringLiteral("export to %1 failed: %2").arg(path, error));
    });
  }
  if (flags & MENU_FLAG_COLUMNS) {
    QMenu* columns = menu->addMenu(QCoreApplication::translate("GU::CStandardHpfTable", "显示列"));
    for (int index = 0; index < columnCount(); ++index) {
      const int column = columnID(index);
      QAction* action = columns->addAction(columnTitle(column));
      action->setCheckable(true);
      action->setChecked(!isColumnHidden(column));
      QObject::connect(action, &QAction::toggled, menu, [self, column](bool shown) {
        if (self) self->setColumnHidden(column, !shown);
      });
    }
  }
  if (flags & MENU_FLAG_RESET) {
    QAction* reset =
        menu->addAction(QCoreApplication::translate("GU::CStandardHpfTable", "恢复默认列"));
    QObject::connect(reset, &QAction::triggered, menu, [self]() {
      if (self) self->resetLayout();
    });
  }
  return menu;
}

}  // namespace GU
