// The demo as a program: the screenshot run the README picture and the
// headless demo script rely on, and the exit codes of runs that cannot work.
#include <gtest/gtest.h>

#include <QColor>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSet>
#include <QTemporaryDir>

namespace {

struct SRun {
  int exitCode = -1;
  bool finished = false;
  QString out;
  QString err;
};

SRun runDemo(const QStringList& arguments, const QString& home) {
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("QT_QPA_PLATFORM", "offscreen");
  // Keeps the run away from the user's saved layout.
  environment.insert("HOME", home);
  environment.insert("XDG_CONFIG_HOME", home + "/config");
  process.setProcessEnvironment(environment);
  process.start(QStringLiteral(LW_DEMO_EXECUTABLE), arguments);
  SRun run;
  // Sanitizer builds start slowly; the demo's own wait is a few seconds.
  run.finished = process.waitForStarted(30000) && process.waitForFinished(180000);
  if (!run.finished) process.kill();
  run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
  run.err = QString::fromLocal8Bit(process.readAllStandardError());
  return run;
}

int distinctColours(const QImage& image, int limit) {
  QSet<QRgb> colours;
  for (int y = 0; y < image.height(); y += 2)
    for (int x = 0; x < image.width(); x += 2) {
      colours.insert(image.pixel(x, y));
      if (colours.size() >= limit) return limit;
    }
  return colours.size();
}

TEST(DemoProgram, screenshotWritesANonBlankPictureOfTheWindow) {
  QTemporaryDir home;
  ASSERT_TRUE(home.isValid());
  const QString shot = home.filePath("shots/demo.png");  // the folder is created
  const SRun run = runDemo({"--screenshot", shot, "--size", "1280x800"}, home.path());
  ASSERT_TRUE(run.finished) << qPrintable(run.err);
  ASSERT_EQ(run.exitCode, 0) << qPrintable(run.err);
  EXPECT_TRUE(run.out.contains(QFileInfo(shot).absoluteFilePath())) << qPrintable(run.out);
  // Every panel finished its first load within the wait.
  EXPECT_FALSE(run.err.contains("were still loading")) << qPrintable(run.err);

  QImage image(shot);
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.size(), QSize(1280, 800));
  // Text, grid lines, headers, badges and selection: a real window has
  // hundreds of colours, a blank or single-colour grab a handful.
  EXPECT_GE(distinctColours(image, 200), 200);
  // A screenshot run neither reads nor writes the saved layout.
  EXPECT_FALSE(QFileInfo::exists(home.filePath("config/instruments-demo")));
}

TEST(DemoProgram, runsThatCannotWorkExitWithAMessage) {
  QTemporaryDir home;
  ASSERT_TRUE(home.isValid());
  struct Case {
    QStringList arguments;
    int exitCode;
    const char* message;
  };
  const Case cases[] = {
      {{"--panels", "3"}, 2, "--panels"},
      {{"--bogus"}, 2, "bogus"},
      {{"--data", home.filePath("missing"), "--screenshot", home.filePath("a.png")}, 1, "--data"},
      // A file cannot be written inside a regular file.
      {{"--screenshot", QStringLiteral(LW_DEMO_EXECUTABLE) + "/x.png", "--screenshot-timeout", "0"},
       1,
       "instruments-demo:"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(qPrintable(c.arguments.join(' ')));
    const SRun run = runDemo(c.arguments, home.path());
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.exitCode, c.exitCode) << qPrintable(run.err);
    EXPECT_TRUE(run.err.contains(QLatin1String(c.message))) << qPrintable(run.err);
  }
  EXPECT_FALSE(QFileInfo::exists(home.filePath("a.png")));
}

TEST(DemoProgram, helpPrintsTheOptions) {
  QTemporaryDir home;
  const SRun run = runDemo({"--help"}, home.path());
  ASSERT_TRUE(run.finished);
  EXPECT_EQ(run.exitCode, 0);
  for (const char* option : {"--data", "--panels", "--user-type", "--broker-edition",
                             "--reset-layout", "--screenshot", "--lang", "--quick-search"})
    EXPECT_TRUE(run.out.contains(QLatin1String(option))) << option;
}

}  // namespace
