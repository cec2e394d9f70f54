#pragma once
// The value of one cell of the instruments table: what the sort compares and
// what the display formatter turns into the painted text.

#include "host/core/tradertypes.h"

#include <QString>

namespace LW {

// A cell is made in one of three shapes (text, number or integer cell); the
// fields a shape does not use keep their no-value markers, which the sort and
// the formatters read as "no value". A record field that already holds a
// marker is copied unchanged, so an absent price stays without a value.
struct CellValue {
  QString text;
  double number = mxservice::kNoValueDouble;
  int integer = mxservice::kNoValueInt;

  static CellValue ofText(const QString& text) {
    CellValue v;
    v.text = text;
    return v;
  }
  static CellValue ofNumber(double number) {
    CellValue v;
    v.number = number;
    return v;
  }
  static CellValue ofInteger(int integer) {
    CellValue v;
    v.integer = integer;
    return v;
  }

  bool hasNumber() const { return number != mxservice::kNoValueDouble; }
  bool hasInteger() const { return integer != mxservice::kNoValueInt; }
};

}  // namespace LW
