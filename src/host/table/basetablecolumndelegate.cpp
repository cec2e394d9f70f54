#include "host/table/basetablecolumndelegate.h"

#include "host/core/annotatedmutex.h"

namespace GU {

CBaseTableColumnDelegate::CBaseTableColumnDelegate(int column, CEventDeliverer* target)
    : m_column(column), m_target(target) {}

CBaseTableColumnDelegate::~CBaseTableColumnDelegate() = default;

CEventDeliverer* CBaseTableColumnDelegate::target() const {
  utils::CMutexLocker<utils::CMutex> lock(m_hookMutex);
  return m_target;
}

void CBaseTableColumnDelegate::setTarget(CEventDeliverer* target) {
  utils::CMutexLocker<utils::CMutex> lock(m_hookMutex);
  m_target = target;
}

bool CBaseTableColumnDelegate::mousePress(const QRect&, const QPoint&, const std::string&) {
  return false;
}

void CBaseTableColumnDelegate::mouseRelease(const QRect&, const QPoint&, const std::string&) {}

QString CBaseTableColumnDelegate::toolTip(const QRect&, const QPoint&, const std::string&) {
  return QString();
}

void CBaseTableColumnDelegate::setRepaintHook(const boost::function<void()>& hook) {
  utils::CMutexLocker<utils::CMutex> lock(m_hookMutex);
  m_repaintHook = hook;
}

void CBaseTableColumnDelegate::requestRepaint() {
  boost::function<void()> hook;
  {
    utils::CMutexLocker<utils::CMutex> lock(m_hookMutex);
    hook = m_repaintHook;
  }
  if (hook) hook();
}

}  // namespace GU
