#pragma once
// How a kind of dockable panel is docked: its default title, where it goes
// when it has no saved place, and what the user may do with its dock.
// Registered per dock key ("itm", "bif", ...); see
// ITradeDockableWidget::getDockWidgetInfo.
//
// A plain value; copy freely.

#include "lwhost_ui_export.h"

#include <QString>
#include <Qt>

namespace LW {

class LWHOST_UI_EXPORT CDockWidgetInfo {
public:
  CDockWidgetInfo() = default;
  CDockWidgetInfo(const QString& title, Qt::DockWidgetArea defaultArea);

  QString title() const { return m_title; }
  void setTitle(const QString& title) { m_title = title; }

  Qt::DockWidgetArea defaultArea() const { return m_defaultArea; }
  void setDefaultArea(Qt::DockWidgetArea area) { m_defaultArea = area; }

  Qt::DockWidgetAreas allowedAreas() const { return m_allowedAreas; }
  void setAllowedAreas(Qt::DockWidgetAreas areas) { m_allowedAreas = areas; }

  bool isClosable() const { return m_closable; }
  void setClosable(bool closable) { m_closable = closable; }

  bool isFloatable() const { return m_floatable; }
  void setFloatable(bool floatable) { m_floatable = floatable; }

  // Several docks of this key may be open at once (one per trading type,
  // say); when false the docking system raises the existing one instead.
  bool allowsMultiple() const { return m_multiple; }
  void setAllowsMultiple(bool multiple) { m_multiple = multiple; }

  bool operator==(const CDockWidgetInfo& other) const;
  bool operator!=(const CDockWidgetInfo& other) const { return !(*this == other); }

private:
  QString m_title;
  Qt::DockWidgetArea m_defaultArea = Qt::LeftDockWidgetArea;
  Qt::DockWidgetAreas m_allowedAreas = Qt::AllDockWidgetAreas;
  bool m_closable = true;
  bool m_floatable = true;
  bool m_multiple = true;
};

}  // namespace LW
