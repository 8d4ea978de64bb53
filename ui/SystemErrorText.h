#pragma once
// The system's own words for an error code.
#include <string>

namespace quennet {

// The system message text for `code` in UTF-8, at most 256 characters as the system returns them
// (usually ending in a line break); empty when the system has none.
std::string system_error_text(unsigned long code);

}  // namespace quennet
