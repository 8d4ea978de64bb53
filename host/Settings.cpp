#include "host/Settings.h"

namespace quennet {
namespace {
constexpr sonavel::guid console_output_guid = {0x8C2D4A17, 0x5E3B, 0x4F60, {0x9A, 0x21, 0x3D, 0x7E, 0x51, 0x0B, 0xC4, 0x92}};
constexpr sonavel::guid warning_threshold_guid = {0x1F6E9B30, 0xA4C7, 0x4D2E, {0xB8, 0x05, 0x6C, 0x13, 0xE9, 0x7A, 0x2D, 0x41}};
}  // namespace

// Constructed on first use, which static initialisation of the registration does in its fixed order.
sonavel::cfg_int_t<std::uint64_t>& cfg_update_warning_threshold() {
    static sonavel::cfg_int_t<std::uint64_t> threshold(warning_threshold_guid, 100);
    return threshold;
}

sonavel::cfg_int_t<bool>& cfg_console_output() {
    static sonavel::cfg_int_t<bool> console(console_output_guid, false);
    return console;
}

}  // namespace quennet
