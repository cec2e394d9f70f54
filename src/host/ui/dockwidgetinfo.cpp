#include "host/ui/dockwidgetinfo.h"

namespace LW {

CDockWidgetInfo::CDockWidgetInfo(const QString& title, Qt::DockWidgetArea defaultArea)
    : m_title(title), m_defaultArea(defaultArea) {}

bool CDockWidgetInfo::operator==(const CDockWidgetInfo& other) const {
  return m_title == other.m_title && m_defaultArea == other.m_defaultArea &&
         m_allowedAreas == other.m_allowedAreas && m_closable == other.m_closable &&
         m_floatable == other.m_floatable && m_multiple == other.m_multiple;
}

}  // namespace LW
