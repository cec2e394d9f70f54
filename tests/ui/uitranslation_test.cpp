#include "host/ui/uitranslation.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

using GU::CUiTranslation;

// A text of the host framework's catalogue and its English translation.
QString searchText() { return QCoreApplication::translate("GU::CSearchTextLineEdit", "搜索"); }
const QString kSource = QString::fromUtf8("搜索");
const QString kEnglish = QStringLiteral("Search");

QByteArray embeddedEnglish() {
  QFile file(CUiTranslation::embeddedDirectory() + QStringLiteral("/lwhost_en.qm"));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class UiTranslationTest : public ::testing::Test {
protected:
  void TearDown() override {
    CUiTranslation::install(QLocale(QLocale::Chinese, QLocale::China));
    CUiTranslation::installCatalogue(QStringLiteral("copy"), QLocale(QLocale::Chinese));
  }

  // A folder holding lwhost_en.qm with these bytes.
  QString folderWith(const QByteArray& bytes) {
    QFile file(m_dir.filePath(QStringLiteral("lwhost_en.qm")));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    return m_dir.path();
  }

  QTemporaryDir m_dir;
};

TEST_F(UiTranslationTest, theEmbeddedEnglishCatalogueIsThere) {
  const QByteArray bytes = embeddedEnglish();
  ASSERT_GT(bytes.size(), 16);
  EXPECT_EQ(searchText(), kSource);
}

// Each case starts from the English translation installed, so a failure
// shows whether it took the earlier translation away (source texts) as it
// must, rather than leaving a mix of languages.
TEST_F(UiTranslationTest, installsWhatFitsAndFallsBackToTheSourceTextsOnAnythingElse) {
  enum Folder { Embedded, Empty, Garbage, Truncated, MagicOnly, NoFile, Real };
  struct Case {
    const char* what;
    QLocale locale;
    Folder folder;
    bool installed;
    bool english;
  };
  const Case cases[] = {
      {"English (US)", QLocale(QLocale::English, QLocale::UnitedStates), Embedded, true, true},
      {"English (UK) falls back to en", QLocale(QLocale::English, QLocale::UnitedKingdom), Embedded,
       true, true},
      {"Chinese is the source", QLocale(QLocale::Chinese, QLocale::China), Embedded, true, false},
      {"traditional Chinese too", QLocale(QLocale::Chinese, QLocale::Taiwan), Embedded, true,
       false},
      {"French has no catalogue", QLocale(QLocale::French, QLocale::France), Embedded, false,
       false},
      {"the C locale", QLocale::c(), Embedded, false, false},
      {"a folder without the file", QLocale(QLocale::English), NoFile, false, false},
      {"an empty file", QLocale(QLocale::English), Empty, false, false},
      {"garbage bytes", QLocale(QLocale::English), Garbage, false, false},
      {"the first half of a real file", QLocale(QLocale::English), Truncated, false, false},
      {"only the file's magic number", QLocale(QLocale::English), MagicOnly, false, false},
      {"a real file in a folder", QLocale(QLocale::English), Real, true, true},
  };
  const QByteArray real = embeddedEnglish();
  ASSERT_FALSE(real.isEmpty());
  QByteArray garbage;
  for (int i = 0; i < 4096; ++i) garbage.append(static_cast<char>((i * 7919) % 251));

  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(CUiTranslation::install(QLocale(QLocale::English)));
    ASSERT_EQ(searchText(), kEnglish);

    QString folder;
    switch (c.folder) {
      case Embedded:
        break;
      case Empty:
        folder = folderWith(QByteArray());
        break;
      case Garbage:
        folder = folderWith(garbage);
        break;
      case Truncated:
        folder = folderWith(real.left(real.size() / 2));
        break;
      case MagicOnly:
        folder = folderWith(real.left(16));
        break;
      case NoFile:
        folder = m_dir.filePath(QStringLiteral("nothing-here"));
        break;
      case Real:
        folder = folderWith(real);
        break;
    }
    EXPECT_EQ(CUiTranslation::install(c.locale, folder), c.installed);
    EXPECT_EQ(searchText(), c.english ? kEnglish : kSource);
  }
}

TEST_F(UiTranslationTest, aFailedCatalogueLeavesTheOtherCataloguesInstalled) {
  // The same texts under another catalogue name, from a folder.
  const QByteArray real = embeddedEnglish();
  QFile copy(m_dir.filePath(QStringLiteral("copy_en.qm")));
  ASSERT_TRUE(copy.open(QIODevice::WriteOnly));
  copy.write(real);
  copy.close();

  ASSERT_TRUE(CUiTranslation::install(QLocale(QLocale::English)));
  ASSERT_TRUE(CUiTranslation::installCatalogue(QStringLiteral("copy"), QLocale(QLocale::English),
                                               m_dir.path()));
  // lwhost gone: copy still translates.
  EXPECT_FALSE(CUiTranslation::install(QLocale(QLocale::French)));
  EXPECT_EQ(searchText(), kEnglish);
  // copy gone too: nothing translates.
  EXPECT_FALSE(CUiTranslation::installCatalogue(QStringLiteral("copy"), QLocale(QLocale::French),
                                                m_dir.path()));
  EXPECT_EQ(searchText(), kSource);
  EXPECT_FALSE(CUiTranslation::installCatalogue(QString(), QLocale(QLocale::English)));
}

TEST_F(UiTranslationTest, installingTheSameLanguageAgainKeepsOneTranslation) {
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(CUiTranslation::install(QLocale(QLocale::English)));
  EXPECT_EQ(searchText(), kEnglish);
  // One removal brings the source texts back: no second copy was left behind.
  ASSERT_TRUE(CUiTranslation::install(QLocale(QLocale::Chinese)));
  EXPECT_EQ(searchText(), kSource);
}

}  // namespace
