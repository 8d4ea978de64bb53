#pragma once
// The component-wide settings the host stores in the component's configuration block. Each lives in
// its advanced-settings entry, built in Registration.cpp.
#include <cstdint>

#include "sdk/cfg_var.h"

namespace quennet {

// "Enable console output": diagnostic timing lines of panel fills.
sonavel::cfg_int_t<bool>& cfg_console_output();
// "Warn before updating of more than N items (0=off)".
sonavel::cfg_int_t<std::uint64_t>& cfg_update_warning_threshold();

}  // namespace quennet
