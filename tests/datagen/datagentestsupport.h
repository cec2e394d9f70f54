#pragma once
// Helpers shared by the generator tests: reading the JSON Lines files back
// with Qt's JSON parser (not the host loader, so that the generator is tested
// on its own), the panels' rules that
// the data must exercise (the tender status derived from order commands, the
// instrument filter) and small generation shortcuts.

#include "datagen/datagenerator.h"

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace datagen_test {

// Every line of a .jsonl file as an object; a line that is not a JSON object
// is appended to *bad (with its number) and skipped.
std::vector<QJsonObject> readJsonLines(const QString& path, QStringList* bad);
QJsonObject readJsonObject(const QString& path, QString* problem);
QByteArray readBytes(const QString& path);

// The panels' rule for a tender bond's status from its commands' statuses,
// in the account's order: the first 0, 2, 204 or 201 decides; all 5 gives 5;
// anything else (including no command) gives -2.
int derivedTenderStatus(const std::vector<int>& statuses);
// The tender statuses of every bond: bond code -> derived status; commands
// whose "btdparam" is not a document belong to no bond.
std::map<QString, int> tenderStatuses(const std::vector<QJsonObject>& bonds,
                                      const std::vector<QJsonObject>& commands);

// The instrument filter of the stock list, with the generator's own initials
// table standing in for the host's pinyin matcher: the upper-cased code,
// name, product code or market contains the filter, or the name's initials do.
bool matchesFilter(const QJsonObject& instrument, const QString& filter);
double filterShare(const std::vector<QJsonObject>& instruments, const QString& filter);

// Generates a set into a fresh temporary directory; fails the calling test
// when the generator reports an error.
struct GeneratedSet {
  QTemporaryDir directory;
  datagen::GenerationSummary summary;
  std::string error;
  bool ok = false;
  QString path(const char* file) const { return directory.filePath(QString::fromLatin1(file)); }
};
void generate(GeneratedSet& set, const datagen::GeneratorOptions& options);

// The bundled sample's directory (the LW_SAMPLE_DATA environment variable set
// by the test registration, else the source tree's data/sample).
QString sampleDirectory();

}  // namespace datagen_test
