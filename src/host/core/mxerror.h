#pragma once
#include "lwhost_core_export.h"

#include <string>

namespace utils {

// Outcome of a host request. Id 0 is success.
class LWHOST_CORE_EXPORT MXError {
public:
  MXError() = default;
  MXError(int id, std::string message) : m_id(id), m_message(std::move(message)) {}

  static MXError success() { return MXError(); }

  bool isSuccess() const { return m_id == 0; }
  int errorID() const { return m_id; }
  const std::string& errorMsg() const { return m_message; }

private:
  int m_id = 0;
  std::string m_message;
};

}  // namespace utils
