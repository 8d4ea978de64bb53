// Arbitrary bytes as the component's stored list of popup windows, read on its own. Reading may raise the
// host's data-format error; anything else is a finding. What was read must write bytes that read back to
// the same list and write the same bytes again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "sdk/errors.h"
#include "ui/PopupConfig.h"

namespace {

std::vector<std::uint8_t> written(const std::vector<quennet::PopupConfig>& configs) {
    sonavel::stream_writer_buffer writer;
    sonavel::abort_callback_dummy abort;
    quennet::write_popup_configs(writer, configs, abort);
    return writer.data();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    sonavel::abort_callback_dummy abort;
    std::vector<quennet::PopupConfig> configs;
    try {
        sonavel::stream_reader_memblock reader(data, size);
        configs = quennet::read_popup_configs(reader, abort);
    } catch (const sonavel::exception_io_data&) {
        return 0;
    }
    const std::vector<std::uint8_t> first = written(configs);
    sonavel::stream_reader_memblock back(first);
    const std::vector<quennet::PopupConfig> again = quennet::read_popup_configs(back, abort);
    if (again != configs || back.remaining() != 0 || written(again) != first) std::abort();
    return 0;
}
