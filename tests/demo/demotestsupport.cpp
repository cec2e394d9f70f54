#include "demotestsupport.h"

#include "demologpane.h"
#include "eventwait.h"

#include "host/services/hostservices.h"
#include "host/table/basetablecolumnmultibuttonsdelegate.h"
#include "host/table/ibasehpftabledata.h"
#include "panel/hpfinstable.h"
#include "panel/instrumentspanel.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>

namespace demotest {

bool installSampleData() {
  const QString directory = qEnvironmentVariable("LW_SAMPLE_DATA");
  if (directory.isEmpty() || !QFileInfo(directory).isDir()) return false;
  mxservice::CHostServices::installFromDirectory(directory.toStdString());
  return true;
}

demo::CDemoOptions optionsWithPanels(const QString& panels) {
  demo::CDemoOptions options;
  QString error;
  EXPECT_TRUE(demo::CDemoOptions::parse({"instruments-demo", "--panels", panels}, &options, &error))
      << qPrintable(error);
  return options;
}

LW::CInstrumentsPanel* instrumentsPanel(const demo::CDemoWindow& window, int tradeType) {
  for (LW::ITradeDockableWidget* panel : window.panels()) {
    auto* instruments = qobject_cast<LW::CInstrumentsPanel*>(panel);
    if (instruments && static_cast<int>(instruments->tradeType()) == tradeType) return instruments;
  }
  return nullptr;
}

QAction* menuAction(const demo::CDemoWindow& window, const QString& menuTitle,
                    const QString& actionText) {
  for (QAction* top : window.menuBar()->actions()) {
    if (top->text() != menuTitle || !top->menu()) continue;
    for (QAction* action : top->menu()->actions())
      if (action->text() == actionText) return action;
  }
  return nullptr;
}

bool waitForRows(const demo::CDemoWindow& window) {
  return testsupport::waitFor(
      [&window] {
        for (LW::CHpfDataTable* table : window.findChildren<LW::CHpfDataTable*>())
          if (table->viewRowCount() == 0) return false;
        return true;
      },
      30000);
}

bool logContains(const demo::CDemoWindow& window, const QString& text) {
  for (const QString& line : window.logPane()->lines())
    if (line.contains(text)) return true;
  return false;
}

int favouriteButtonState(LW::CInstrumentsPanel* panel, const std::string& rowKey) {
  LW::CHpfInsTable* table = panel ? panel->table() : nullptr;
  if (!table) return -1;
  for (int index = 0; index < table->columnCount(); ++index) {
    auto buttons = boost::dynamic_pointer_cast<GU::CBaseTableColumnMultiButtonsDelegate>(
        table->columnDelegate(table->columnID(index)));
    if (!buttons) continue;
    for (const GU::ButtonData& button : buttons->itemButtons(rowKey))
      if (button.id == LW::CHpfInsTable::kFavoriteButtonId)
        return buttons->isItemEnabled(rowKey) ? 1 : 0;
  }
  return -1;
}

}  // namespace demotest
