// The demo's command line: panel lists, numbers, sizes and the rules that
// refuse what the window could not honour.
#include "demooptions.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace demo {
namespace {

using Choices = std::vector<SPanelChoice>;

SPanelChoice ins(int tradeType) { return SPanelChoice{SPanelChoice::INSTRUMENTS, tradeType}; }
SPanelChoice bif() { return SPanelChoice{SPanelChoice::BOND_INFO, 0}; }

bool parse(const QStringList& arguments, CDemoOptions* options, QString* error) {
  return CDemoOptions::parse(QStringList{"instruments-demo"} + arguments, options, error);
}

TEST(DemoOptions, panelListsAcceptDecimalHexadecimalAndBif) {
  struct Case {
    const char* text;
    Choices expected;
  };
  const Case cases[] = {
      {"1,2,64,0x8000000,bif", {ins(1), ins(2), ins(64), ins(0x8000000), bif()}},
      {" bif , 32768 ", {bif(), ins(32768)}},
      {"BIF", {bif()}},
      {"0X40", {ins(64)}},
      {"0xC5DFF", {ins(0xC5DFF)}},
      {"512,1024,2048", {ins(512), ins(1024), ins(2048)}},
      {"0x2000000", {ins(0x2000000)}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    Choices out;
    QString error;
    ASSERT_TRUE(CDemoOptions::parsePanels(QString::fromUtf8(c.text), &out, &error))
        << qPrintable(error);
    EXPECT_EQ(out, c.expected);
  }
}

TEST(DemoOptions, panelListsRefuseUnknownTypesRepeatsAndNoise) {
  const char* bad[] = {
      "",             // nothing
      ",",            // empty items
      "1,,2",         //
      "3",            // two bits: not one trading type
      "0",            // no bit
      "-1",           //
      "0x",           // no digits
      "010",          // not octal 8, and 10 is no trading type
      "1.5",          //
      "0x100000000",  // beyond int
      "99999999999999999999",
      "1,1",            // twice
      "bif,bif",        //
      "64,0x40",        // the same type written twice
      "bif2",           //
      "股票",           //
      "0x8000000;bif",  // wrong separator
  };
  for (const char* text : bad) {
    SCOPED_TRACE(text);
    Choices out = {ins(1)};
    QString error;
    EXPECT_FALSE(CDemoOptions::parsePanels(QString::fromUtf8(text), &out, &error));
    EXPECT_FALSE(error.isEmpty());
  }
}

TEST(DemoOptions, defaultsOpenTheCommonListsTheTenderWorkflowAndBondInformation) {
  CDemoOptions options;
  QString error;
  ASSERT_TRUE(parse({}, &options, &error)) << qPrintable(error);
  EXPECT_FALSE(options.panelsGiven);
  EXPECT_EQ(options.panels,
            Choices({ins(1), ins(2), ins(64), ins(32768), ins(512), ins(0x8000000), bif()}));
  EXPECT_TRUE(options.dataDirectory.isEmpty());
  EXPECT_FALSE(options.userTypeGiven);
  EXPECT_FALSE(options.brokerEdition);
  EXPECT_FALSE(options.resetLayout);
  EXPECT_TRUE(options.screenshotFile.isEmpty());
  EXPECT_FALSE(options.windowSize.isValid());
  EXPECT_TRUE(options.theme.isEmpty());
  EXPECT_TRUE(options.language.isEmpty());
  EXPECT_TRUE(options.quickSearchText.isEmpty());
}

TEST(DemoOptions, everyOptionIsRead) {
  CDemoOptions options;
  QString error;
  ASSERT_TRUE(
      parse({"--data", "/tmp/set", "--panels", "64,bif", "--user-type", "101", "--broker-edition",
             "--reset-layout", "--settings", "/tmp/l.json", "--screenshot", "/tmp/s.png", "--size",
             "1200x800", "--screenshot-timeout", "0"},
            &options, &error))
      << qPrintable(error);
  EXPECT_EQ(options.dataDirectory, QStringLiteral("/tmp/set"));
  EXPECT_TRUE(options.panelsGiven);
  EXPECT_EQ(options.panels, Choices({ins(64), bif()}));
  EXPECT_TRUE(options.userTypeGiven);
  EXPECT_EQ(options.userType, 101);
  EXPECT_TRUE(options.brokerEdition);
  EXPECT_TRUE(options.resetLayout);
  EXPECT_EQ(options.settingsFile, QStringLiteral("/tmp/l.json"));
  EXPECT_EQ(options.screenshotFile, QStringLiteral("/tmp/s.png"));
  EXPECT_EQ(options.windowSize, QSize(1200, 800));
  EXPECT_EQ(options.screenshotTimeoutMs, 0);

  ASSERT_TRUE(parse({"--help"}, &options, &error));
  EXPECT_TRUE(options.helpRequested);
  ASSERT_TRUE(parse({"--panels=bif", "--user-type=0x65"}, &options, &error));
  EXPECT_EQ(options.panels, Choices({bif()}));
  EXPECT_EQ(options.userType, 101);
}

TEST(DemoOptions, badArgumentsAreRefusedWithAMessage) {
  const QStringList bad[] = {
      {"--panels", "3"},
      {"--panels"},  // missing value
      {"--user-type", "-5"},
      {"--user-type", "x"},
      {"--user-type", "99999999999"},
      {"--size", "100x100"},  // too small to show anything
      {"--size", "1200"},
      {"--size", "1200x800x3"},
      {"--size", "99999x800"},
      {"--screenshot", ""},
      {"--data", ""},
      {"--screenshot-timeout", "-1"},
      {"--screenshot-timeout", "600001"},
      {"--no-such-option"},
      {"stray"},
  };
  for (const QStringList& arguments : bad) {
    SCOPED_TRACE(qPrintable(arguments.join(' ')));
    CDemoOptions options;
    QString error;
    EXPECT_FALSE(parse(arguments, &options, &error));
    EXPECT_FALSE(error.isEmpty());
  }
}

// The theme is one of the built-in themes, the language a locale name.
TEST(DemoOptions, themeAndLanguageTakeOnlyTheirKnownValues) {
  const struct {
    const char* option;
    const char* given;
    const char* value;  // null: refused
  } kCases[] = {{"--theme", "dark", "dark"},   {"--theme", "light", "light"},
                {"--theme", " Dark ", "dark"}, {"--theme", "solarized", nullptr},
                {"--theme", "", nullptr},      {"--theme", "dark,light", nullptr},
                {"--lang", "en", "en"},        {"--lang", "en_GB", "en_GB"},
                {"--lang", " zh ", "zh"},      {"--lang", "zh_CN", "zh_CN"},
                {"--lang", "", nullptr},       {"--lang", "  ", nullptr},
                {"--lang", "xx", nullptr},     {"--lang", "english", nullptr},
                {"--lang", "C", nullptr}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(std::string(c.option) + " " + c.given);
    CDemoOptions options;
    QString error;
    const QString option = QString::fromLatin1(c.option);
    const bool ok = parse({option, QString::fromLatin1(c.given)}, &options, &error);
    EXPECT_EQ(ok, c.value != nullptr) << qPrintable(error);
    if (c.value) {
      EXPECT_EQ(option == "--theme" ? options.theme : options.language,
                QString::fromLatin1(c.value));
    } else {
      EXPECT_TRUE(error.contains(option)) << qPrintable(error);
    }
  }
}

// The quick search text is taken as typed; a blank one would open an
// empty popup, which no picture needs.
TEST(DemoOptions, quickSearchTakesAnyTextButABlankOne) {
  const struct {
    QStringList arguments;
    const char* text;  // null: refused
  } kCases[] = {{{"--quick-search", "pa"}, "pa"},         {{"--quick-search=600"}, "600"},
                {{"--quick-search", u8"平安"}, u8"平安"}, {{"--quick-search", " pa "}, " pa "},
                {{"--quick-search", "-x"}, "-x"},         {{"--quick-search", ""}, nullptr},
                {{"--quick-search", "   "}, nullptr},     {{"--quick-search"}, nullptr}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(qPrintable(c.arguments.join(' ')));
    CDemoOptions options;
    QString error;
    const bool ok = parse(c.arguments, &options, &error);
    EXPECT_EQ(ok, c.text != nullptr) << qPrintable(error);
    if (c.text) {
      EXPECT_EQ(options.quickSearchText, QString::fromUtf8(c.text));
    } else {
      EXPECT_TRUE(error.contains("quick-search")) << qPrintable(error);
    }
  }
}

TEST(DemoOptions, sampleDataIsFoundFromTheEnvironmentOrAboveTheExecutable) {
  QTemporaryDir root;
  ASSERT_TRUE(root.isValid());
  const QString sample = root.filePath("data/sample");
  const QString binary = root.filePath("build/x/apps/demo");
  ASSERT_TRUE(QDir().mkpath(sample));
  ASSERT_TRUE(QDir().mkpath(binary));

  const QByteArray saved = qgetenv("LW_SAMPLE_DATA");
  qunsetenv("LW_SAMPLE_DATA");
  // A folder without instruments is not a data set: the search goes on (and
  // may end in the source tree's sample set, which is not this one).
  EXPECT_NE(findSampleData(binary), QDir(sample).absolutePath());
  QFile file(QDir(sample).filePath("instruments.jsonl"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  EXPECT_EQ(findSampleData(binary), QDir(sample).absolutePath());

  QTemporaryDir other;
  QFile otherFile(QDir(other.path()).filePath("instruments.jsonl"));
  ASSERT_TRUE(otherFile.open(QIODevice::WriteOnly));
  otherFile.close();
  qputenv("LW_SAMPLE_DATA", other.path().toUtf8());
  EXPECT_EQ(findSampleData(binary), QDir(other.path()).absolutePath());
  if (saved.isNull())
    qunsetenv("LW_SAMPLE_DATA");
  else
    qputenv("LW_SAMPLE_DATA", saved);
}

}  // namespace
}  // namespace demo
