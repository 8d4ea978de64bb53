// Arbitrary bytes as the component's configuration block, read through the component's own variables.
// Reading may return or raise the host's data-format error; anything else is a finding, and so is a
// state that does not survive the host's next save and load unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "host/Registration.h"
#include "sdk/cfg_var.h"

namespace {

std::vector<std::uint8_t> save() {
    sonavel::stream_writer_buffer writer;
    sonavel::abort_callback_dummy abort;
    sonavel::cfg_var::config_write_all(writer, abort);
    return writer.data();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    quennet::warning_threshold_entry.get_static_instance().reset();
    quennet::console_output_entry.get_static_instance().reset();

    sonavel::abort_callback_dummy abort;
    sonavel::stream_reader_memblock reader(data, size);
    try {
        sonavel::cfg_var::config_read_all(reader, abort);
    } catch (const sonavel::exception_io_data&) {
        // The stream error of a block that ends inside a count: the host's to handle.
    }

    // A block the component wrote itself must read back without any error.
    std::vector<std::uint8_t> saved = save();
    sonavel::stream_reader_memblock again(saved);
    sonavel::cfg_var::config_read_all(again, abort);
    if (save() != saved) std::abort();
    return 0;
}
