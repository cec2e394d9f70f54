#include "demooptions.h"

#include "host/core/tradertypes.h"
#include "host/data/datasetloader.h"
#include "host/ui/uiresource.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>
#include <climits>

namespace demo {

namespace {

// Decimal, or hexadecimal after 0x. A leading zero does not mean octal here:
// trading types are written in decimal or hexadecimal everywhere else.
bool parseNumber(const QString& text, long long* value) {
  bool ok = false;
  const QString t = text.trimmed();
  if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
    if (t.size() == 2 || t.size() > 2 + 16) return false;
    *value = t.mid(2).toLongLong(&ok, 16);
  } else {
    if (t.isEmpty() || t.size() > 19) return false;
    for (const QChar c : t)
      if (!c.isDigit() || c.unicode() > 127) return false;
    *value = t.toLongLong(&ok, 10);
  }
  return ok && *value >= 0;
}

bool isPanelTradeType(long long value) {
  if (value <= 0 || value > INT_MAX) return false;
  const int type = static_cast<int>(value);
  return type == mxservice::NQ_TRADER_MIXED_ALL || mxservice::isKnownTradeType(type);
}

bool parseSize(const QString& text, QSize* size) {
  static const QRegularExpression pattern(QStringLiteral("^(\\d{3,5})[xX](\\d{3,5})$"));
  const QRegularExpressionMatch match = pattern.match(text.trimmed());
  if (!match.hasMatch()) return false;
  const int width = match.captured(1).toInt();
  const int height = match.captured(2).toInt();
  if (width < 320 || height < 240 || width > 10000 || height > 10000) return false;
  *size = QSize(width, height);
  return true;
}

}  // namespace

std::vector<SPanelChoice> CDemoOptions::defaultPanels() {
  std::vector<SPanelChoice> panels;
  for (int type : {mxservice::NQ_TRADER_STOCK, mxservice::NQ_TRADER_FUTURE,
                   mxservice::NQ_TRADER_OUTER_FUTURE, mxservice::NQ_TRADER_INTER_BANK,
                   mxservice::NQ_TRADER_OTC_FUND, mxservice::NQ_TRADER_BOND_TENDER})
    panels.push_back(SPanelChoice{SPanelChoice::INSTRUMENTS, type});
  panels.push_back(SPanelChoice{SPanelChoice::BOND_INFO, 0});
  return panels;
}

bool CDemoOptions::parsePanels(const QString& text, std::vector<SPanelChoice>* out,
                               QString* error) {
  std::vector<SPanelChoice> panels;
  const QStringList items = text.split(QLatin1Char(','));
  for (const QString& raw : items) {
    const QString item = raw.trimmed();
    SPanelChoice choice;
    if (item.compare(QLatin1String("bif"), Qt::CaseInsensitive) == 0) {
      choice.kind = SPanelChoice::BOND_INFO;
    } else {
      long long value = 0;
      if (!parseNumber(item, &value) || !isPanelTradeType(value)) {
        *error = QStringLiteral(
                     "--panels: \"%1\" is neither a trading type (one bit such as "
                     "1, 64, 0x8000000, or 0xC5DFF) nor bif")
                     .arg(item);
        return false;
      }
      choice.tradeType = static_cast<int>(value);
    }
    for (const SPanelChoice& earlier : panels) {
      if (earlier == choice) {
        *error = QStringLiteral("--panels: \"%1\" is given twice").arg(item);
        return false;
      }
    }
    panels.push_back(choice);
  }
  if (panels.empty()) {
    *error = QStringLiteral("--panels: no panel given");
    return false;
  }
  *out = panels;
  return true;
}

bool CDemoOptions::parse(const QStringList& arguments, CDemoOptions* out, QString* error) {
  QCommandLineParser parser;
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help(QStringList{"h", "help"});
  const QCommandLineOption data("data", "", "DIR");
  const QCommandLineOption panels("panels", "", "LIST");
  const QCommandLineOption userType("user-type", "", "N");
  const QCommandLineOption brokerEdition("broker-edition");
  const QCommandLineOption resetLayout("reset-layout");
  const QCommandLineOption settings("settings", "", "FILE");
  const QCommandLineOption screenshot("screenshot", "", "FILE");
  const QCommandLineOption size("size", "", "WxH");
  const QCommandLineOption timeout("screenshot-timeout", "", "MS");
  const QCommandLineOption theme("theme", "", "NAME");
  const QCommandLineOption language("lang", "", "LANGUAGE");
  const QCommandLineOption quickSearch("quick-search", "", "TEXT");
  parser.addOptions({help, data, panels, userType, brokerEdition, resetLayout, settings, screenshot,
                     size, timeout, theme, language, quickSearch});
  if (!parser.parse(arguments)) {
    *error = parser.errorText();
    return false;
  }
  if (!parser.positionalArguments().isEmpty()) {
    *error = QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().first());
    return false;
  }

  CDemoOptions options;
  options.helpRequested = parser.isSet(help);
  options.dataDirectory = parser.value(data);
  if (parser.isSet(data) && options.dataDirectory.isEmpty()) {
    *error = QStringLiteral("--data: empty directory");
    return false;
  }
  options.panels = defaultPanels();
  if (parser.isSet(panels)) {
    if (!parsePanels(parser.value(panels), &options.panels, error)) return false;
    options.panelsGiven = true;
  }
  if (parser.isSet(userType)) {
    long long value = 0;
    const QString text = parser.value(userType);
    if (!parseNumber(text, &value) || value > INT_MAX) {
      *error = QStringLiteral("--user-type: \"%1\" is not a non-negative integer").arg(text);
      return false;
    }
    options.userTypeGiven = true;
    options.userType = static_cast<int>(value);
  }
  options.brokerEdition = parser.isSet(brokerEdition);
  options.resetLayout = parser.isSet(resetLayout);
  options.settingsFile = parser.value(settings);
  options.screenshotFile = parser.value(screenshot);
  if (parser.isSet(screenshot) && options.screenshotFile.isEmpty()) {
    *error = QStringLiteral("--screenshot: empty file name");
    return false;
  }
  if (parser.isSet(size) && !parseSize(parser.value(size), &options.windowSize)) {
    *error = QStringLiteral("--size: \"%1\" is not WIDTHxHEIGHT between 320x240 and 10000x10000")
                 .arg(parser.value(size));
    return false;
  }
  if (parser.isSet(timeout)) {
    long long value = 0;
    if (!parseNumber(parser.value(timeout), &value) || value > 600000) {
      *error = QStringLiteral("--screenshot-timeout: \"%1\" is not 0 to 600000 milliseconds")
                   .arg(parser.value(timeout));
      return false;
    }
    options.screenshotTimeoutMs = static_cast<int>(value);
  }
  if (parser.isSet(theme)) {
    const QString name = parser.value(theme).trimmed().toLower();
    if (!GU::CUiResource::themeNames().contains(name)) {
      *error =
          QStringLiteral("--theme: \"%1\" is not one of %2")
              .arg(parser.value(theme), GU::CUiResource::themeNames().join(QStringLiteral(", ")));
      return false;
    }
    options.theme = name;
  }
  if (parser.isSet(language)) {
    // QLocale takes anything and makes the "C" locale of what it does not
    // know; that is no language to show.
    const QString name = parser.value(language).trimmed();
    if (name.isEmpty() || QLocale(name).language() == QLocale::C) {
      *error = QStringLiteral("--lang: \"%1\" is not a language, e.g. en or zh")
                   .arg(parser.value(language));
      return false;
    }
    options.language = name;
  }
  if (parser.isSet(quickSearch)) {
    options.quickSearchText = parser.value(quickSearch);
    if (options.quickSearchText.trimmed().isEmpty()) {
      *error = QStringLiteral("--quick-search: empty text");
      return false;
    }
  }
  *out = options;
  return true;
}

QString CDemoOptions::usage() {
  return QStringLiteral(
      "Usage: instruments-demo [options]\n"
      "A host window for the instruments panels and the bond info panel.\n"
      "\n"
      "  --data DIR             data set directory (default: the bundled data/sample)\n"
      "  --panels LIST          panels to open: trading types and bif, e.g.\n"
      "                         \"1,2,64,0x8000000,bif\" (default: 1,2,64,32768,512,\n"
      "                         0x8000000,bif); replaces the saved layout\n"
      "  --user-type N          the user's type (101, 102 and 200 change the tender panel)\n"
      "  --broker-edition       run as the broker edition\n"
      "  --reset-layout         ignore the saved dock layout\n"
      "  --settings FILE        the dock layout file (default: in the user's config folder)\n"
      "  --screenshot FILE      open the panels, wait for their first loads, save a PNG\n"
      "                         of the window and exit (nothing is saved)\n"
      "  --size WxH             window size, e.g. 1400x900\n"
      "  --screenshot-timeout MS  longest wait for the loads (default 8000)\n"
      "  --theme NAME           light or dark (default: the last one chosen in the\n"
      "                         theme menu; screenshots: light)\n"
      "  --lang LANGUAGE        show the texts in this language, e.g. en (default: the\n"
      "                         source texts, Chinese)\n"
      "  --quick-search TEXT    open the quick search popup with TEXT once the window\n"
      "                         shows (with --screenshot: the picture shows it)\n"
      "  -h, --help             this text\n"
      "\n"
      "In the window, typing a letter or a digit while no text field has the focus\n"
      "opens the quick search popup: Up/Down, PageUp/PageDown and Home/End choose a\n"
      "row, Enter or a double click picks it, Escape closes.\n");
}

QString findSampleData(const QString& applicationDir) {
  auto isDataSet = [](const QString& path) {
    return !path.isEmpty() && QFileInfo(QDir(path).filePath("instruments.jsonl")).isFile();
  };
  const QString fromEnvironment = qEnvironmentVariable("LW_SAMPLE_DATA");
  if (isDataSet(fromEnvironment)) return QDir(fromEnvironment).absolutePath();
  QDir dir(applicationDir);
  for (int up = 0; up < 6; ++up) {
    for (const char* relative : {"data/sample", "share/instrumentspanel/sample"}) {
      const QString candidate = dir.filePath(QLatin1String(relative));
      if (isDataSet(candidate)) return QDir(candidate).absolutePath();
    }
    if (!dir.cdUp()) break;
  }
#ifdef LW_DEMO_SOURCE_SAMPLE
  if (isDataSet(QStringLiteral(LW_DEMO_SOURCE_SAMPLE)))
    return QStringLiteral(LW_DEMO_SOURCE_SAMPLE);
#endif
  return QString();
}

}  // namespace demo
