#include "datagentestsupport.h"

#include "datagen/vocabulary.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonParseError>

namespace datagen_test {

QByteArray readBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QByteArray();
  return file.readAll();
}

std::vector<QJsonObject> readJsonLines(const QString& path, QStringList* bad) {
  std::vector<QJsonObject> records;
  const QList<QByteArray> lines = readBytes(path).split('\n');
  for (int i = 0; i < lines.size(); ++i) {
    if (lines[i].trimmed().isEmpty()) continue;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(lines[i], &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
      if (bad != nullptr)
        bad->append(QStringLiteral("%1:%2: %3").arg(path).arg(i + 1).arg(error.errorString()));
      continue;
    }
    records.push_back(document.object());
  }
  return records;
}

QJsonObject readJsonObject(const QString& path, QString* problem) {
  QJsonParseError error;
  const QJsonDocument document = QJsonDocument::fromJson(readBytes(path), &error);
  if (error.error != QJsonParseError::NoError || !document.isObject()) {
    if (problem != nullptr) *problem = path + ": " + error.errorString();
    return QJsonObject();
  }
  return document.object();
}

int derivedTenderStatus(const std::vector<int>& statuses) {
  if (statuses.empty()) return -2;
  for (int status : statuses) {
    if (status == 0 || status == 2 || status == 204 || status == 201) return status;
  }
  for (int status : statuses) {
    if (status != 5) return -2;
  }
  return 5;
}

std::map<QString, int> tenderStatuses(const std::vector<QJsonObject>& bonds,
                                      const std::vector<QJsonObject>& commands) {
  std::map<QString, std::vector<int>> byBond;
  for (const QJsonObject& bond : bonds) byBond[bond.value("bondCode").toString()];
  for (const QJsonObject& command : commands) {
    const QJsonValue param = command.value("params").toObject().value("btdparam");
    if (!param.isObject()) continue;
    byBond[param.toObject().value("bondCode").toString()].push_back(
        command.value("status").toInt());
  }
  std::map<QString, int> statuses;
  for (const auto& entry : byBond) statuses[entry.first] = derivedTenderStatus(entry.second);
  return statuses;
}

bool matchesFilter(const QJsonObject& instrument, const QString& filter) {
  for (const char* field : {"code", "name", "productCode", "marketId"}) {
    if (instrument.value(QLatin1String(field)).toString().toUpper().contains(filter)) return true;
  }
  const std::string name = instrument.value("name").toString().toStdString();
  return QString::fromStdString(datagen::CVocabulary::initialsOf(name)).contains(filter);
}

double filterShare(const std::vector<QJsonObject>& instruments, const QString& filter) {
  if (instruments.empty()) return 0;
  std::size_t kept = 0;
  for (const QJsonObject& instrument : instruments)
    kept += matchesFilter(instrument, filter) ? 1 : 0;
  return static_cast<double>(kept) / static_cast<double>(instruments.size());
}

void generate(GeneratedSet& set, const datagen::GeneratorOptions& options) {
  ASSERT_TRUE(set.directory.isValid());
  datagen::GeneratorOptions withDirectory = options;
  withDirectory.outputDirectory = set.directory.path().toStdString();
  set.ok = datagen::CDataGenerator::generate(withDirectory, &set.summary, &set.error);
  ASSERT_TRUE(set.ok) << set.error;
}

QString sampleDirectory() {
  const QByteArray configured = qgetenv("LW_SAMPLE_DATA");
  if (!configured.isEmpty()) return QString::fromLocal8Bit(configured);
  const QByteArray source = qgetenv("LW_SOURCE_DIR");
  return QDir(QString::fromLocal8Bit(source)).filePath("data/sample");
}

}  // namespace datagen_test
