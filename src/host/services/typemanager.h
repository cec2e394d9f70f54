#pragma once
// The enum registry: display texts of host enum values by the enum's
// registered name ("mxservice::EIbBondType", ...), filled from the data set.
//
// Thread-safe: getEnumItemName may be called from any thread (the panels'
// workers do); setEnumNames replaces the table as a whole.

#include "lwhost_data_export.h"

#include "host/core/annotatedmutex.h"

#include "host/core/tradertypes.h"

#include <map>
#include <memory>
#include <string>

namespace mxservice {

class LWHOST_DATA_EXPORT TypeManager {
public:
  using EnumNames = std::map<std::string, std::map<int, std::string>>;

  TypeManager();
  ~TypeManager();

  static TypeManager* instance();

  // The display text (UTF-8) of value in enumName. A value the registry does
  // not know (or an unknown enum name) gives the value as decimal text, e.g.
  // "7", so the cell still says something; the no-value marker 2147483647
  // gives the empty text. The texts are the same for every trading type in
  // this host; tradeType is accepted for the interface's sake.
  std::string getEnumItemName(const std::string& enumName, int value,
                              ENqTraderType tradeType) const;
  std::string getEnumItemName(const std::string& enumName, int value, int tradeType) const {
    return getEnumItemName(enumName, value, static_cast<ENqTraderType>(tradeType));
  }

  // Host side.
  void setEnumNames(const EnumNames& names);
  void clear();

private:
  mutable utils::CMutex m_mutex;
  std::shared_ptr<const EnumNames> m_names LW_GUARDED_BY(m_mutex);  // (the pointer); immutable
};

}  // namespace mxservice
