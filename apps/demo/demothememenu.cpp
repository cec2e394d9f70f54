#include "demothememenu.h"

#include "host/ui/uiresource.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

namespace demo {

namespace {

const char kThemeKey[] = "ui/theme";

QString menuText(const QString& theme) {
  if (theme == QLatin1String("light"))
    return QCoreApplication::translate("demo::CDemoThemeMenu", "浅色");
  if (theme == QLatin1String("dark"))
    return QCoreApplication::translate("demo::CDemoThemeMenu", "深色");
  return theme;
}

}  // namespace

CDemoThemeMenu::CDemoThemeMenu(const QString& settingsFile, bool persist, QObject* parent)
    : QObject(parent),
      m_settingsFile(settingsFile),
      m_persist(persist),
      m_group(new QActionGroup(this)) {
  m_group->setExclusive(true);
  connect(GU::CUiResource::instance(), SIGNAL(sigThemeChanged(QString)), this,
          SLOT(slotThemeChanged(QString)));
}

CDemoThemeMenu::~CDemoThemeMenu() = default;

void CDemoThemeMenu::populate(QMenu* menu) {
  const QString current = GU::CUiResource::instance()->theme();
  for (const QString& theme : GU::CUiResource::themeNames()) {
    QAction* action = menu->addAction(menuText(theme), this, SLOT(slotChoose()));
    action->setCheckable(true);
    action->setChecked(theme == current);
    action->setData(theme);
    m_group->addAction(action);
  }
}

QString CDemoThemeMenu::savedTheme(const QString& settingsFile) {
  if (settingsFile.isEmpty() || !QFileInfo(settingsFile).isFile()) return QString();
  return QSettings(settingsFile, QSettings::IniFormat).value(kThemeKey).toString();
}

QString CDemoThemeMenu::settingsFileBeside(const QString& layoutFile) {
  return QFileInfo(layoutFile).absoluteDir().filePath(QStringLiteral("instruments-demo.ini"));
}

void CDemoThemeMenu::slotChoose() {
  auto* action = qobject_cast<QAction*>(sender());
  if (!action) return;
  const QString theme = action->data().toString();
  if (!GU::CUiResource::instance()->setTheme(theme)) return;
  if (!m_persist) return;
  QSettings settings(m_settingsFile, QSettings::IniFormat);
  settings.setValue(kThemeKey, theme);
}

void CDemoThemeMenu::slotThemeChanged(QString theme) {
  for (QAction* action : m_group->actions()) action->setChecked(action->data().toString() == theme);
}

}  // namespace demo
