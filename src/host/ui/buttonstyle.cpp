#include "host/ui/buttonstyle.h"
#include <QCoreApplication>

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
      return QCoreApplication::translate("GU::CButtonStyle", "确定");
    case QMessageBox::Cancel:
      return QCoreApplication::translate("GU::CButtonStyle", "取消");
    case QMessageBox::Yes:
      return QCoreApplication::translate("GU::CButtonStyle", "是");
    case QMessageBox::No:
      return QCoreApplication::translate("GU::CButtonStyle", "否");
    case QMessageBox::Close:
      return QCoreApplication::translate("GU::CButtonStyle", "关闭");
    case QMessageBox::Save:
      return QCoreApplication::translate("GU::CButtonStyle", "保存");
    case QMessageBox::Discard:
      return QCoreApplication::translate("GU::CButtonStyle", "不保存");
    case QMessageBox::Apply:
      return QCoreApplication::translate("GU::CButtonStyle", "应用");
    case QMessageBox::Retry:
      return QCoreApplication::translate("GU::CButtonStyle", "重试");
    case QMessageBox::Ignore:
      return QCoreApplication::translate("GU::CButtonStyle", "忽略");
    case QMessageBox::Abort:
      return QCoreApplication::translate("GU::CButtonStyle", "中止");
    case QMessageBox::NoButton:
      return QString();
    default:
      return QString();
  }
}

}  // namespace GU
