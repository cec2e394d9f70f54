#pragma once
// Shared pieces of the in-process demo tests: the sample data set installed
// into the host services, options for a window, and readers of what a
// window's panels show.

#include "demooptions.h"
#include "demowindow.h"

#include <gtest/gtest.h>
#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <string>

class QAction;
namespace LW {
class CInstrumentsPanel;
}

namespace demotest {

// Installs the bundled sample data set ($LW_SAMPLE_DATA) into the host
// services; false when it cannot be found.
bool installSampleData();

// A test with the sample data installed and a fresh folder for the window's
// layout file.
class DemoTest : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(installSampleData()) << "LW_SAMPLE_DATA not set"; }
  QString layoutFile() const { return m_dir.filePath("layout.json"); }
  QTemporaryDir m_dir;
};

// Options for panels given as on the command line ("64,bif").
demo::CDemoOptions optionsWithPanels(const QString& panels);

// The first instruments panel of that trading type in window, or null.
LW::CInstrumentsPanel* instrumentsPanel(const demo::CDemoWindow& window, int tradeType);
// The action of that text in the menu of that title, or null.
QAction* menuAction(const demo::CDemoWindow& window, const QString& menuTitle,
                    const QString& actionText);
// Processes events until every table of window shows rows (or 30 s pass).
bool waitForRows(const demo::CDemoWindow& window);
// Whether some line of the window's log pane contains text.
bool logContains(const demo::CDemoWindow& window, const QString& text);

// The favourites button state of the row with that key, from the panel's
// button column: 1 enabled, 0 disabled, -1 no such button.
int favouriteButtonState(LW::CInstrumentsPanel* panel, const std::string& rowKey);

}  // namespace demotest
