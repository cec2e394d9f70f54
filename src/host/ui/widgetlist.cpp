#include "host/ui/widgetlist.h"

#include "host/ui/uilog_p.h"

#include <QBoxLayout>

namespace GU {

CWidgetList::CWidgetList(Qt::Orientation orientation, QWidget* parent)
    : CBaseWidget(parent),
      m_orientation(orientation),
      m_layout(new QBoxLayout(
          orientation == Qt::Vertical ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight, this)) {
  m_layout->setContentsMargins(0, 0, 0, 0);
  m_layout->setSpacing(0);
}

CWidgetList::~CWidgetList() = default;

void CWidgetList::setMargin(int left, int top, int right, int bottom) {
  m_layout->setContentsMargins(qMax(0, left), qMax(0, top), qMax(0, right), qMax(0, bottom));
}

void CWidgetList::setSpacing(int spacing) { m_layout->setSpacing(qMax(0, spacing)); }

int CWidgetList::spacing() const { return m_layout->spacing(); }

void CWidgetList::addFixedWidget(QWidget* widget, int anchor, bool atFront) {
  addWidget(widget, 0, anchor, atFront);
}

void CWidgetList::addStretchWidget(QWidget* widget, int stretch, int anchor, bool atFront) {
  addWidget(widget, qMax(1, stretch), anchor, atFront);
}

void CWidgetList::removeWidget(QWidget* widget) {
  if (widget) m_layout->removeWidget(widget);
}

int CWidgetList::count() const { return m_layout->count(); }

void CWidgetList::addWidget(QWidget* widget, int stretch, int anchor, bool atFront) {
  if (!widget) {
    GU_UI_LOG_WARN(this, "GU::CWidgetList::addWidget", QStringLiteral("null widget ignored"));
    return;
  }
  if (widget == this) return;
  if (m_layout->indexOf(widget) >= 0) m_layout->removeWidget(widget);
  const bool fillsCross =
      m_orientation == Qt::Vertical ? (anchor & ANCHOR_FILL_WIDTH) : (anchor & ANCHOR_FILL_HEIGHT);
  Qt::Alignment alignment;
  if (!fillsCross) alignment = m_orientation == Qt::Vertical ? Qt::AlignHCenter : Qt::AlignVCenter;
  m_layout->insertWidget(atFront ? 0 : -1, widget, stretch, alignment);
}

}  // namespace GU
