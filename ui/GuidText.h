#pragma once
// Identifiers as the component's console lines write them.
#include <string>

#include "sdk/guid.h"

namespace quennet {

// 36 characters, upper-case, no braces: XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX (the 32-bit and the two 16-bit
// parts, then the eight bytes in order).
std::string guid_log_text(const sonavel::guid& id);

}  // namespace quennet
