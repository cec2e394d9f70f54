#pragma once
// The base of every dockable trade panel of the host (the instruments list,
// the bond information list, ...). A panel is made for a dock key ("itm",
// "bif") and a widget id, carries the trading type it shows and a settings
// text (setParam/param) that the docking system saves with the window layout
// and hands back at the next start (CDockManager).
//
// Titles: a panel announces its title by delivering EVENT_DOCK_TITLE_CHANGED
// (146) with the title as text; the dock that holds it takes the title (see
// CDockWidget). A child of the panel may deliver 146 as well: the panel then
// takes the title as its window title, which also reaches its dock. Setting
// the window title directly updates the dock too. The title is also the
// panel's accessible name, unless the host gives the panel another.
//
// GUI thread only, including the static dock-info registry.

#include "lwhost_ui_export.h"

#include "host/core/tradertypes.h"
#include "host/ui/basewidget.h"
#include "host/ui/dockablewidget.h"
#include "host/ui/dockwidgetinfo.h"

#include <QPointer>

class QBoxLayout;
class QDockWidget;

namespace LW {

// QObject base first: moc requires it.
class LWHOST_UI_EXPORT ITradeDockableWidget : public GU::CBaseWidget, public GU::IDockableWidget {
  Q_OBJECT
public:
  ITradeDockableWidget(QString key, int id, const CDockWidgetInfo& info, QWidget* parent = nullptr);
  ~ITradeDockableWidget() override;

  // The information registered for key; for an unknown key an information
  // titled with the key itself, docked left.
  static CDockWidgetInfo getDockWidgetInfo(const QString& key);
  // Adds or replaces the information of key. "itm" and "bif" are built in.
  static void registerDockWidgetInfo(const QString& key, const CDockWidgetInfo& info);

  QString key() const { return m_key; }
  int id() const { return m_id; }
  const CDockWidgetInfo& dockWidgetInfo() const { return m_info; }

  virtual void setTradeType(mxservice::ENqTraderType tradeType);
  mxservice::ENqTraderType tradeType() const { return m_tradeType; }

  // By default the text is kept and returned as it is, so a panel that has
  // no settings of its own still round-trips what the host stored.
  void setParam(const QString& param) override;
  QString param() const override;

  // Makes widget fill the panel inside the given margins (negative counts as
  // 0). The panel takes widget as a Qt child; a previous inner widget is
  // taken out and destroyed (deleteLater). Null removes the inner widget.
  void setInnerStretchWidget(QWidget* widget, int left, int top, int right, int bottom);
  QWidget* innerStretchWidget() const { return m_inner; }

  // The dock holding this panel, or null while it is not docked.
  QDockWidget* dock() const;

  bool handleEvent(int id, int wParam, int lParam, QString text, void* data) override;

signals:
  void sigTradeTypeChanged(int tradeType);

protected:
  void changeEvent(QEvent* e) override;

private:
  QString m_key;
  int m_id;
  CDockWidgetInfo m_info;
  mxservice::ENqTraderType m_tradeType = mxservice::NQ_TRADER_NONE;
  QString m_param;
  QPointer<QWidget> m_inner;            // owned by this panel (Qt child)
  QBoxLayout* m_innerLayout = nullptr;  // owned by this panel when made here
  QString m_titleAsName;                // the accessible name taken from the title
};

}  // namespace LW
