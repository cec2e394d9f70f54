#include "host/ui/autoexpandtoolbar.h"

#include "host/ui/toolbarlayout.h"
#include "host/ui/uilog_p.h"
#include "host/ui/uiresource.h"

#include <QPainter>
#include <QSpacerItem>

namespace GU {

namespace {
constexpr int kDefaultSpacing = 4;
}

CAutoExpandToolBar::CAutoExpandToolBar(const QString& imageKey, int top, int right, int bottom,
                                       int left, QWidget* parent, int rowHeight, int spacing)
    : CBaseWidget(parent), m_layout(new CToolBarLayout(this)) {
  CUiResource* resource = CUiResource::instance();
  if (resource->contains(imageKey)) {
    m_imageKey = imageKey;
  } else {
    resource->getPixmap(imageKey);  // logs the unknown key once
  }
  setAccessibleName(tr("工具栏"));
  top = qMax(0, top);
  bottom = qMax(0, bottom);
  m_layout->setContentsMargins(qMax(0, left), top, qMax(0, right), bottom);
  m_layout->setSpacing(spacing >= 0 ? spacing : kDefaultSpacing);
  m_layout->setMinimumRowHeight(
      rowHeight >= 0 ? rowHeight
                     : qMax(0, resource->getSize("lw_siz_toolbar_height") - top - bottom));
  // Not Fixed vertically: a layout caps a Fixed item at its one-row hint and
  // would clip the wrapped rows. Beside a stretching sibling (the table) the
  // bar still keeps exactly its height for its width.
  QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
  policy.setHeightForWidth(true);
  setSizePolicy(policy);
}

CAutoExpandToolBar::~CAutoExpandToolBar() = default;

void CAutoExpandToolBar::addToolItem(QWidget* widget, bool alignRight) {
  if (!widget || widget == this) {
    GU_UI_LOG_WARN(this, "GU::CAutoExpandToolBar::addToolItem", QStringLiteral("no widget to add"));
    return;
  }
  if (m_layout->indexOf(widget) >= 0) return;
  m_layout->addWidgetItem(widget, alignRight);
}

void CAutoExpandToolBar::addFixedSpace(int width) {
  m_layout->addLayoutItem(
      new QSpacerItem(qMax(0, width), 0, QSizePolicy::Fixed, QSizePolicy::Minimum), false);
}

int CAutoExpandToolBar::itemCount() const { return m_layout->count(); }

int CAutoExpandToolBar::rowCount() const { return m_layout->rowCount(); }

void CAutoExpandToolBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  CUiResource* resource = CUiResource::instance();
  const QPixmap* background =
      m_imageKey.isEmpty() ? nullptr : resource->getPixmap(m_imageKey, devicePixelRatioF());
  if (!background || background->isNull())
    painter.fillRect(rect(), *resource->getColor("clr_toolbar_background"));
  else
    painter.drawPixmap(rect(), *background);
}

}  // namespace GU
