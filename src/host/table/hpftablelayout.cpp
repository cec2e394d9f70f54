#include "host/table/hpftablelayout.h"

#include <QByteArray>
#include <QStringList>
#include <set>

namespace GU {

namespace {

const char kHeader[] = "HPFT1";
const char kCrcField[] = ";crc=";
// A layout of a few hundred columns is far below this; anything longer is not
// ours and is not worth parsing.
const int kMaxTextLength = 64 * 1024;

quint16 checksumOf(const QString& body) {
  const QByteArray bytes = body.toUtf8();
  return qChecksum(bytes.constData(), static_cast<uint>(bytes.size()));
}

bool fail(QString* error, const QString& why) {
  if (error) *error = why;
  return false;
}

// Strict integer: optional minus and digits only, within int range.
bool parseInt(const QString& text, int* value) {
  if (text.isEmpty() || text.size() > 11) return false;
  for (int i = 0; i < text.size(); ++i) {
    const QChar c = text.at(i);
    if (!(c.isDigit() && c.unicode() < 128) && !(i == 0 && c == QLatin1Char('-'))) return false;
  }
  bool ok = false;
  *value = text.toInt(&ok);
  return ok;
}

}  // namespace

QString CHpfTableLayout::encode(const SHpfLayout& layout) {
  QStringList columns;
  for (const SHpfLayoutColumn& column : layout.columns) {
    columns
        << QStringLiteral("%1:%2:%3").arg(column.id).arg(column.width).arg(column.hidden ? 1 : 0);
  }
  QString sort = QStringLiteral("-1");
  if (layout.sortColumn >= 0) {
    sort = QStringLiteral("%1:%2").arg(layout.sortColumn).arg(layout.sortAscending ? "a" : "d");
  }
  // The scope is written as given; callers keep it to [A-Za-z0-9._-].
  const QString body =
      QStringLiteral("%1;scope=%2;cols=%3;sort=%4")
          .arg(QLatin1String(kHeader), layout.scope, columns.join(QLatin1Char(',')), sort);
  return body + QLatin1String(kCrcField) +
         QStringLiteral("%1").arg(checksumOf(body), 4, 16, QLatin1Char('0'));
}

bool CHpfTableLayout::decode(const QString& input, SHpfLayout* layout, QString* error) {
  const QString text = input.trimmed();
  if (text.size() > kMaxTextLength) return fail(error, QStringLiteral("text too long"));
  if (!text.startsWith(QLatin1String(kHeader) + QLatin1Char(';')))
    return fail(error, QStringLiteral("not a layout of this format or version"));
  const int crcAt = text.lastIndexOf(QLatin1String(kCrcField));
  if (crcAt < 0) return fail(error, QStringLiteral("no checksum (truncated?)"));
  const QString body = text.left(crcAt);
  const QString crcText = text.mid(crcAt + static_cast<int>(sizeof(kCrcField)) - 1);
  bool ok = false;
  const uint crc = crcText.toUInt(&ok, 16);
  if (!ok || crcText.size() != 4 || crc != checksumOf(body))
    return fail(error, QStringLiteral("checksum mismatch (truncated or edited)"));

  const QStringList fields = body.split(QLatin1Char(';'));
  SHpfLayout parsed;
  bool haveScope = false, haveCols = false, haveSort = false;
  for (int i = 1; i < fields.size(); ++i) {
    const QString& field = fields[i];
    const int eq = field.indexOf(QLatin1Char('='));
    if (eq <= 0) return fail(error, QStringLiteral("malformed field"));
    const QString key = field.left(eq);
    const QString value = field.mid(eq + 1);
    if (key == QLatin1String("scope")) {
      if (haveScope) return fail(error, QStringLiteral("repeated scope"));
      haveScope = true;
      parsed.scope = value;
    } else if (key == QLatin1String("cols")) {
      if (haveCols) return fail(error, QStringLiteral("repeated cols"));
      haveCols = true;
      if (value.isEmpty()) continue;
      std::set<int> seen;
      for (const QString& entry : value.split(QLatin1Char(','))) {
        const QStringList parts = entry.split(QLatin1Char(':'));
        SHpfLayoutColumn column;
        int hidden = 0;
        if (parts.size() != 3 || !parseInt(parts[0], &column.id) ||
            !parseInt(parts[1], &column.width) || !parseInt(parts[2], &hidden))
          return fail(error, QStringLiteral("malformed column entry"));
        if (column.id < 0 || !seen.insert(column.id).second)
          return fail(error, QStringLiteral("bad or repeated column id"));
        if (column.width < kMinWidth || column.width > kMaxWidth)
          return fail(error, QStringLiteral("column width out of range"));
        if (hidden != 0 && hidden != 1) return fail(error, QStringLiteral("bad hidden flag"));
        column.hidden = hidden == 1;
        parsed.columns.push_back(column);
      }
    } else if (key == QLatin1String("sort")) {
      if (haveSort) return fail(error, QStringLiteral("repeated sort"));
      haveSort = true;
      if (value == QLatin1String("-1")) {
        parsed.sortColumn = -1;
        continue;
      }
      const QStringList parts = value.split(QLatin1Char(':'));
      if (parts.size() != 2 || !parseInt(parts[0], &parsed.sortColumn) || parsed.sortColumn < 0 ||
          (parts[1] != QLatin1String("a") && parts[1] != QLatin1String("d")))
        return fail(error, QStringLiteral("malformed sort"));
      parsed.sortAscending = parts[1] == QLatin1String("a");
    } else {
      return fail(error, QStringLiteral("unknown field"));
    }
  }
  if (!haveScope || !haveCols || !haveSort) return fail(error, QStringLiteral("missing field"));
  if (parsed.sortColumn >= 0) {
    bool found = false;
    for (const SHpfLayoutColumn& column : parsed.columns)
      found = found || column.id == parsed.sortColumn;
    if (!found) return fail(error, QStringLiteral("sort column not among the columns"));
  }
  if (layout) *layout = parsed;
  return true;
}

}  // namespace GU
