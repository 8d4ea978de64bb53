// Writes the seed blocks of the configuration-block fuzzer, with the component's own variables, so that
// the seeds carry the real GUIDs and data sizes.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "fuzz/seed_file.h"
#include "host/Registration.h"
#include "host/Settings.h"
#include "sdk/cfg_var.h"

namespace {

using fuzz_seed::bytes_t;
using fuzz_seed::write_file;

bytes_t save() {
    sonavel::stream_writer_buffer writer;
    sonavel::abort_callback_dummy abort;
    sonavel::cfg_var::config_write_all(writer, abort);
    return writer.data();
}

void append_entry(bytes_t& block, const sonavel::guid& id, const bytes_t& data) {
    const auto* p = reinterpret_cast<const std::uint8_t*>(&id);
    block.insert(block.end(), p, p + sizeof id);
    for (int i = 0; i < 4; ++i) block.push_back(std::uint8_t(data.size() >> (8 * i)));
    block.insert(block.end(), data.begin(), data.end());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus directory>\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    const sonavel::guid foreign = {0x0BADF00D, 0x1234, 0x5678, {0x9A, 0xBC, 0xDE, 0xF0, 0x12, 0x34, 0x56, 0x78}};
    const sonavel::guid& threshold_id = quennet::cfg_update_warning_threshold().get_guid();

    const bytes_t defaults = save();
    quennet::cfg_console_output() = true;
    quennet::cfg_update_warning_threshold() = 250;
    const bytes_t changed = save();

    bytes_t foreign_then_threshold;
    append_entry(foreign_then_threshold, foreign, {1, 2, 3, 4, 5, 6, 7, 8, 9});
    append_entry(foreign_then_threshold, threshold_id, {250, 0, 0, 0, 0, 0, 0, 0});

    bytes_t popup_records;
    append_entry(popup_records, quennet::popup_configs.get_guid(), {2, 0, 0, 0, 0x11, 0x22, 0x33});
    append_entry(popup_records, threshold_id, {7, 0, 0, 0});

    const bytes_t ends_inside_guid(changed.begin(), changed.begin() + 21 + 7);
    const bytes_t ends_inside_count(changed.begin(), changed.begin() + 21 + 18);

    bool ok = write_file(dir + "/empty", {}) && write_file(dir + "/defaults", defaults) &&
              write_file(dir + "/settings_changed", changed) &&
              write_file(dir + "/foreign_then_threshold", foreign_then_threshold) &&
              write_file(dir + "/popup_records_and_short_threshold", popup_records) &&
              write_file(dir + "/ends_inside_guid", ends_inside_guid) &&
              write_file(dir + "/ends_inside_count", ends_inside_count);
    if (!ok) std::perror(dir.c_str());
    return ok ? 0 : 1;
}
