#pragma once
// The command line of the demo host: which data set to load, which panels to
// open and how the user and the client are configured. Parsing is kept apart
// from main() so that every rule can be tested without starting the window.

#include <QSize>
#include <QString>
#include <QStringList>
#include <vector>

namespace demo {

// One panel to open: an instruments panel of a trading type, or the bond
// info panel.
struct SPanelChoice {
  enum EKind { INSTRUMENTS, BOND_INFO };
  EKind kind = INSTRUMENTS;
  int tradeType = 0;  // INSTRUMENTS only: one bit of ENqTraderType, or 0xC5DFF

  bool operator==(const SPanelChoice& other) const {
    return kind == other.kind && tradeType == other.tradeType;
  }
};

struct CDemoOptions {
  QString dataDirectory;  // empty: the bundled sample set (see findSampleData)
  std::vector<SPanelChoice> panels = defaultPanels();
  bool panelsGiven = false;  // --panels was on the command line
  bool userTypeGiven = false;
  int userType = 0;
  bool brokerEdition = false;
  bool resetLayout = false;
  QString settingsFile;    // empty: the per-user default
  QString screenshotFile;  // non-empty: save a picture of the window and exit
  QSize windowSize;        // invalid: the default size
  int screenshotTimeoutMs = 8000;
  QString theme;  // empty: the saved choice, else the default theme
  // A locale name such as "en" or "en_GB"; empty: the source texts
  // (Chinese). See installDemoTranslations().
  QString language;
  // Non-empty: open the quick search popup with this text once the window
  // shows (a screenshot then shows the popup over the window).
  QString quickSearchText;
  bool helpRequested = false;  // --help: print usage() and exit

  // The panels opened when --panels is not given: one list per common
  // trading type, the bond tender workflow and the bond information.
  static std::vector<SPanelChoice> defaultPanels();

  // Parses arguments (the first one is the program). Returns false with a
  // message in *error for anything it does not understand, including unknown
  // trading types and numbers that do not fit; *out is then unspecified.
  static bool parse(const QStringList& arguments, CDemoOptions* out, QString* error);

  // "1,2,64,0x8000000,bif": decimal or 0x-hexadecimal trading types and the
  // dock key "bif", separated by commas (blanks around items allowed). Each
  // choice at most once; at least one.
  static bool parsePanels(const QString& text, std::vector<SPanelChoice>* out, QString* error);

  static QString usage();
};

// The bundled sample data set: $LW_SAMPLE_DATA when set, else data/sample
// (a build tree inside the source tree) or share/instrumentspanel/sample (an
// installed tree: bin/ beside share/) found next to or above the executable,
// else the source tree this program was built from. Empty when none of them
// exists.
QString findSampleData(const QString& applicationDir);

}  // namespace demo
