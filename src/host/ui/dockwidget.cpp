#include "host/ui/dockwidget.h"

#include "host/ui/eventids.h"
#include "host/ui/tradedockablewidget.h"

#include <QCloseEvent>

namespace LW {

CDockWidget::CDockWidget(QWidget* parent) : GU::CEventWidgetT<QDockWidget>(parent) {
  setAttribute(Qt::WA_DeleteOnClose);
}

CDockWidget::~CDockWidget() = default;

ITradeDockableWidget* CDockWidget::dockable() const {
  return qobject_cast<ITradeDockableWidget*>(widget());
}

bool CDockWidget::handleEvent(int id, int wParam, int lParam, QString text, void* data) {
  if (id == GU::EVENT_DOCK_TITLE_CHANGED) {
    setWindowTitle(text);
    return true;
  }
  return GU::CEventWidgetT<QDockWidget>::handleEvent(id, wParam, lParam, text, data);
}

void CDockWidget::closeEvent(QCloseEvent* e) {
  if (ITradeDockableWidget* panel = dockable()) {
    if (!panel->canClose()) {
      e->ignore();
      return;
    }
  }
  GU::CEventWidgetT<QDockWidget>::closeEvent(e);
}

}  // namespace LW
