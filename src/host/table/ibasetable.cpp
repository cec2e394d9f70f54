#include "host/table/ibasetable.h"

namespace GU {

IBaseTable::IBaseTable(QWidget* parent) : CBaseWidget(parent) {}

IBaseTable::~IBaseTable() = default;

}  // namespace GU
