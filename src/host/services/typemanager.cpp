#include "host/services/typemanager.h"

#include "host/core/annotatedmutex.h"
#include "host/core/singleton.h"

namespace mxservice {

TypeManager::TypeManager() : m_names(std::make_shared<const EnumNames>()) {}
TypeManager::~TypeManager() = default;

TypeManager* TypeManager::instance() { return utils::CManualSingletonT<TypeManager>::instance(); }

std::string TypeManager::getEnumItemName(const std::string& enumName, int value,
                                         ENqTraderType /*tradeType*/) const {
  if (value == kNoValueInt) return std::string();
  std::shared_ptr<const EnumNames> names;
  {
    utils::CMutexLocker<utils::CMutex> lock(m_mutex);
    names = m_names;
  }
  auto byEnum = names->find(enumName);
  if (byEnum != names->end()) {
    auto byValue = byEnum->second.find(value);
    if (byValue != byEnum->second.end()) return byValue->second;
  }
  return std::to_string(value);
}

void TypeManager::setEnumNames(const EnumNames& names) {
  auto next = std::make_shared<const EnumNames>(names);
  utils::CMutexLocker<utils::CMutex> lock(m_mutex);
  m_names.swap(next);
}

void TypeManager::clear() { setEnumNames(EnumNames()); }

}  // namespace mxservice
