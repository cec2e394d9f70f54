#pragma once
// Log records of the host services (internal to src/host/services).
//
// A record is written only when the log centre's logEnabled() is true and
// the host logger is enabled for the level, like every other host record.
// Safe to call from any thread, including during static destruction of the
// services (the log centre lives until process exit).

#include "lwhost_data_export.h"

#include <string>

namespace mxservice {
namespace servicelog {

LWHOST_DATA_EXPORT void warning(const char* where, const std::string& text);
LWHOST_DATA_EXPORT void error(const char* where, const std::string& text);

}  // namespace servicelog
}  // namespace mxservice
