#pragma once
// The component-wide objects that static initialisation builds, all defined in Registration.cpp so that
// their order of construction is the order written there.
#include <string>

#include "host/AdvancedSettings.h"
#include "host/PopupConfigList.h"
#include "sdk/service_factory.h"

namespace quennet {

extern PopupConfigList popup_configs;
extern sonavel::service_factory_single_t<advconfig_branch_impl> settings_branch;
// Holds the update warning threshold.
extern sonavel::service_factory_single_t<advconfig_entry_integer_impl> warning_threshold_entry;
// Holds the console output switch.
extern sonavel::service_factory_single_t<advconfig_entry_checkbox_impl> console_output_entry;
// "0.3.8.8", from minimum_panel_host_version.
extern const std::string minimum_panel_host_version_text;

}  // namespace quennet
