#pragma once
// One button of a row in a multi-buttons delegate column.

#include "lwhost_table_export.h"

#include <QMap>
#include <QString>

namespace GU {

// Visual style of a button: the colour family it is painted in.
enum ENormalButtonType {
  NORMAL_BUTTON_PLAIN = 0,    // grey frame, default text colour
  NORMAL_BUTTON_PRIMARY = 1,  // filled blue: the usual action
  NORMAL_BUTTON_LIGHT = 2,    // blue frame on the row background
  NORMAL_BUTTON_WARNING = 3,  // filled orange: an action that undoes or resets
};

struct LWHOST_TABLE_EXPORT ButtonData {
  ButtonData() = default;
  // hideWhenDisabled: a disabled button disappears instead of turning grey.
  // tips: tooltip by state, key 0 while enabled and 1 while disabled.
  ButtonData(int id, const QString& text, ENormalButtonType type, bool hideWhenDisabled,
             const QMap<int, QString>& tips)
      : id(id), text(text), type(type), hideWhenDisabled(hideWhenDisabled), tips(tips) {}

  int id = 0;  // delivered as lParam of event 228
  QString text;
  ENormalButtonType type = NORMAL_BUTTON_PRIMARY;
  bool hideWhenDisabled = false;
  QMap<int, QString> tips;

  bool operator==(const ButtonData& other) const {
    return id == other.id && text == other.text && type == other.type &&
           hideWhenDisabled == other.hideWhenDisabled && tips == other.tips;
  }
};

}  // namespace GU
