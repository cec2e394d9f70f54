#include "host/ui/tradedockablewidget.h"

#include "host/ui/eventids.h"
#include "host/ui/uilog_p.h"

#include <QBoxLayout>
#include <QDockWidget>
#include <QEvent>
#include <QHash>

namespace LW {

namespace {

QHash<QString, CDockWidgetInfo>& registry() {
  static QHash<QString, CDockWidgetInfo> infos = [] {
    QHash<QString, CDockWidgetInfo> built;
    // One instruments list per trading type may be open side by side.
    CDockWidgetInfo instruments(
        QString::fromUtf8(QT_TRANSLATE_NOOP("LW::ITradeDockableWidget", "代码列表")),
        Qt::LeftDockWidgetArea);
    built.insert(QStringLiteral("itm"), instruments);
    CDockWidgetInfo bondInfo(
        QString::fromUtf8(QT_TRANSLATE_NOOP("LW::ITradeDockableWidget", "债券信息")),
        Qt::BottomDockWidgetArea);
    bondInfo.setAllowsMultiple(false);
    built.insert(QStringLiteral("bif"), bondInfo);
    return built;
  }();
  return infos;
}

}  // namespace

ITradeDockableWidget::ITradeDockableWidget(QString key, int id, const CDockWidgetInfo& info,
                                           QWidget* parent)
    : GU::CBaseWidget(parent), m_key(std::move(key)), m_id(id), m_info(info) {
  if (!m_info.title().isEmpty()) setWindowTitle(m_info.title());
}

ITradeDockableWidget::~ITradeDockableWidget() = default;

CDockWidgetInfo ITradeDockableWidget::getDockWidgetInfo(const QString& key) {
  auto it = registry().constFind(key);
  if (it != registry().constEnd()) {
    // The registry keeps source titles; each caller gets the title in the
    // language installed at the time. A title without a translation (a
    // host's own) comes back as registered.
    CDockWidgetInfo info = it.value();
    info.setTitle(tr(info.title().toUtf8().constData()));
    return info;
  }
  return CDockWidgetInfo(key, Qt::LeftDockWidgetArea);
}

void ITradeDockableWidget::registerDockWidgetInfo(const QString& key, const CDockWidgetInfo& info) {
  registry().insert(key, info);
}

void ITradeDockableWidget::setTradeType(mxservice::ENqTraderType tradeType) {
  if (m_tradeType == tradeType) return;
  m_tradeType = tradeType;
  emit sigTradeTypeChanged(static_cast<int>(tradeType));
}

void ITradeDockableWidget::setParam(const QString& param) { m_param = param; }

QString ITradeDockableWidget::param() const { return m_param; }

void ITradeDockableWidget::setInnerStretchWidget(QWidget* widget, int left, int top, int right,
                                                 int bottom) {
  if (!m_innerLayout) {
    if (layout()) {
      // A panel that built its own layout keeps it; the inner widget would
      // fight it for the space.
      GU_UI_LOG_WARN(
          this, "LW::ITradeDockableWidget::setInnerStretchWidget",
          QStringLiteral("panel %1 already has a layout; inner widget not set").arg(m_key));
      return;
    }
    m_innerLayout = new QVBoxLayout(this);
    m_innerLayout->setSpacing(0);
  }
  m_innerLayout->setContentsMargins(qMax(0, left), qMax(0, top), qMax(0, right), qMax(0, bottom));
  if (m_inner == widget) return;
  if (m_inner) {
    m_innerLayout->removeWidget(m_inner);
    m_inner->hide();
    m_inner->deleteLater();
  }
  m_inner = widget;
  if (widget) m_innerLayout->addWidget(widget, 1);
}

QDockWidget* ITradeDockableWidget::dock() const {
  return qobject_cast<QDockWidget*>(parentWidget());
}

bool ITradeDockableWidget::handleEvent(int id, int wParam, int lParam, QString text, void* data) {
  if (id == GU::EVENT_DOCK_TITLE_CHANGED) {
    setWindowTitle(text);
    return true;
  }
  return GU::CBaseWidget::handleEvent(id, wParam, lParam, text, data);
}

void ITradeDockableWidget::changeEvent(QEvent* e) {
  if (e->type() == QEvent::WindowTitleChange) {
    if (QDockWidget* holder = dock()) holder->setWindowTitle(windowTitle());
    // A panel is not a window, so Qt would not name it after its title.
    if (accessibleName().isEmpty() || accessibleName() == m_titleAsName) {
      m_titleAsName = windowTitle();
      setAccessibleName(m_titleAsName);
    }
  }
  GU::CBaseWidget::changeEvent(e);
}

}  // namespace LW
