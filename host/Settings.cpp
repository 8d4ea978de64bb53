#include "host/Settings.h"

#include "host/Registration.h"

namespace quennet {

sonavel::cfg_int_t<std::uint64_t>& cfg_update_warning_threshold() {
    return warning_threshold_entry.get_static_instance().variable();
}

sonavel::cfg_int_t<bool>& cfg_console_output() { return console_output_entry.get_static_instance().variable(); }

}  // namespace quennet
