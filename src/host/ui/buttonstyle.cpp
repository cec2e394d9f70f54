#include "host/ui/buttonstyle.h"

namespace GU {

void CButtonStyle::setButtonText(QMessageBox::StandardButton button, const QString& text) {
  if (text.isEmpty())
    m_texts.remove(button);
  else
    m_texts.insert(button, text);
}

QString CButtonStyle::buttonText(QMessageBox::StandardButton button) const {
  return m_texts.value(button, defaultText(button));
}

QString CButtonStyle::defaultText(QMessageBox::StandardButton button) {
  switch (button) {
    case QMessageBox::Ok:
      return QStringLiteral("确定");
    case QMessageBox::Cancel:
      return QStringLiteral("取消");
    case QMessageBox::Yes:
      return QStringLiteral("是");
    case QMessageBox::No:
      return QStringLiteral("否");
    case QMessageBox::Close:
      return QStringLiteral("关闭");
    case QMessageBox::Save:
      return QStringLiteral("保存");
    case QMessageBox::Discard:
      return QStringLiteral("不保存");
    case QMessageBox::Apply:
      return QStringLiteral("应用");
    case QMessageBox::Retry:
      return QStringLiteral("重试");
    case QMessageBox::Ignore:
      return QStringLiteral("忽略");
    case QMessageBox::Abort:
      return QStringLiteral("中止");
    case QMessageBox::NoButton:
      return QString();
    default:
      return QString();
  }
}

}  // namespace GU
