#include "host/core/mxerror.h"
// MXError is header-only; this unit keeps the core library's layout uniform.
