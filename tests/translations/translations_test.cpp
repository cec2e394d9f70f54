// The English translations against the code. The committed .ts files must
// translate every message completely (no unfinished or dropped entries, the
// same %1 placeholders, no Chinese left), and lupdate run over today's code
// (translations_refresh) must find exactly the messages they hold: a new
// tr() without English, or a text the code no longer has, fails here.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QString>
#include <QXmlStreamReader>
#include <map>
#include <utility>
#include <vector>

namespace {

struct Message {
  QString context;
  QString source;
  QString translation;
  QString type;  // the translation's type attribute: "", "unfinished", "vanished", ...
};

struct Catalogue {
  QString language;
  QString sourceLanguage;
  std::vector<Message> messages;
  QString error;
};

Catalogue readTs(const QString& path) {
  Catalogue catalogue;
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    catalogue.error = QStringLiteral("cannot open ") + path;
    return catalogue;
  }
  QXmlStreamReader xml(&file);
  QString context;
  Message message;
  while (!xml.atEnd()) {
    xml.readNext();
    if (!xml.isStartElement()) continue;
    const QStringRef name = xml.name();
    if (name == QLatin1String("TS")) {
      catalogue.language = xml.attributes().value(QLatin1String("language")).toString();
      catalogue.sourceLanguage = xml.attributes().value(QLatin1String("sourcelanguage")).toString();
    } else if (name == QLatin1String("name")) {
      context = xml.readElementText();
    } else if (name == QLatin1String("message")) {
      message = Message();
      message.context = context;
    } else if (name == QLatin1String("source")) {
      message.source = xml.readElementText();
    } else if (name == QLatin1String("translation")) {
      message.type = xml.attributes().value(QLatin1String("type")).toString();
      message.translation = xml.readElementText();
      catalogue.messages.push_back(message);
    }
  }
  if (xml.hasError()) catalogue.error = path + QStringLiteral(": ") + xml.errorString();
  return catalogue;
}

QSet<QString> placeholders(const QString& text) {
  static const QRegularExpression marker(QStringLiteral("%[0-9]+"));
  QSet<QString> found;
  for (auto it = marker.globalMatch(text); it.hasNext();) found.insert(it.next().captured());
  return found;
}

bool hasHan(const QString& text) {
  for (QChar ch : text) {
    if (ch.unicode() >= 0x3400 && ch.unicode() <= 0x9FFF) return true;
    if (ch.unicode() >= 0xFF00 && ch.unicode() <= 0xFFEF) return true;  // full-width forms
  }
  return false;
}

std::string show(const Message& m) {
  return (m.context + QStringLiteral(" / ") + m.source).toStdString();
}

const char* const kCatalogues[] = {"instrumentspanel", "lwhost", "demo"};

QString committedPath(const char* catalogue) {
  return qEnvironmentVariable("LW_SOURCE_DIR") + QStringLiteral("/translations/") +
         QLatin1String(catalogue) + QStringLiteral("_en.ts");
}

TEST(Translations, everyCommittedMessageHasAFinishedEnglishTranslation) {
  ASSERT_FALSE(qEnvironmentVariableIsEmpty("LW_SOURCE_DIR"));
  for (const char* name : kCatalogues) {
    SCOPED_TRACE(name);
    const Catalogue catalogue = readTs(committedPath(name));
    ASSERT_TRUE(catalogue.error.isEmpty()) << catalogue.error.toStdString();
    EXPECT_EQ(catalogue.language, QStringLiteral("en"));
    EXPECT_EQ(catalogue.sourceLanguage, QStringLiteral("zh_CN"));
    EXPECT_FALSE(catalogue.messages.empty());
    QSet<QPair<QString, QString>> seen;
    for (const Message& m : catalogue.messages) {
      EXPECT_TRUE(m.type.isEmpty()) << show(m) << " is " << m.type.toStdString();
      EXPECT_FALSE(m.translation.trimmed().isEmpty()) << show(m);
      EXPECT_FALSE(hasHan(m.translation)) << show(m) << " -> " << m.translation.toStdString();
      EXPECT_EQ(placeholders(m.source), placeholders(m.translation)) << show(m);
      EXPECT_FALSE(seen.contains(qMakePair(m.context, m.source))) << show(m) << " twice";
      seen.insert(qMakePair(m.context, m.source));
    }
  }
}

TEST(Translations, theCodeHasExactlyTheMessagesTheTranslationsHold) {
  const QString refreshed = qEnvironmentVariable("LW_REFRESHED_TS_DIR");
  ASSERT_FALSE(refreshed.isEmpty()) << "run through ctest: translations_refresh makes the copies";
  for (const char* name : kCatalogues) {
    SCOPED_TRACE(name);
    const Catalogue committed = readTs(committedPath(name));
    const Catalogue current =
        readTs(refreshed + QStringLiteral("/") + QLatin1String(name) + QStringLiteral("_en.ts"));
    ASSERT_TRUE(committed.error.isEmpty()) << committed.error.toStdString();
    ASSERT_TRUE(current.error.isEmpty()) << current.error.toStdString();

    std::map<std::pair<QString, QString>, QString> held;
    for (const Message& m : committed.messages) held[{m.context, m.source}] = m.translation;
    std::size_t matched = 0;
    for (const Message& m : current.messages) {
      // lupdate marks a text it found in the code but not in the file as
      // unfinished: a tr() added without its English.
      EXPECT_TRUE(m.type.isEmpty()) << show(m) << " in the code has no English translation";
      auto it = held.find({m.context, m.source});
      if (it == held.end()) continue;
      ++matched;
      EXPECT_EQ(m.translation, it->second) << show(m);
    }
    // -no-obsolete drops texts the code no longer has.
    EXPECT_EQ(matched, committed.messages.size()) << "the .ts holds texts the code no longer has";
  }
}

}  // namespace
