// Arbitrary bytes as the player's stored component configurations (player.cfg). Reading may raise the
// host's data-format error, and then keeps nothing; anything else is a finding. What was read must write
// bytes that read back to the same store and write the same bytes again; a block its component cannot
// read stays as stored through a save.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "player/engine/ConfigStore.h"
#include "sdk/errors.h"

namespace {

using bytes_t = std::vector<std::uint8_t>;

bytes_t written(const player::ConfigStore& store) {
    sonavel::stream_writer_buffer writer;
    sonavel::abort_callback_dummy abort;
    store.write(writer, abort);
    return writer.data();
}

// A component whose configuration reader fails on every block, and which would write one byte.
class RefusingClient : public sonavel::component_client {
public:
    unsigned get_version() override { return sonavel::client_interface_version; }
    sonavel::service_factory_base* get_service_list() override { return nullptr; }
    void get_config(sonavel::stream_writer* writer, sonavel::abort_callback& abort) override {
        writer->write("x", 1, abort);
    }
    void set_config(sonavel::stream_reader*, sonavel::abort_callback&) override { throw sonavel::exception_io_data(); }
    void set_library_path(const char*, const char*) override {}
    void services_init(bool) override {}
    bool is_debug() override { return false; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    sonavel::abort_callback_dummy abort;
    player::ConfigStore store;
    sonavel::stream_reader_memblock reader(data, size);
    try {
        store.read(reader, abort);
    } catch (const sonavel::exception_io_data&) {
        if (!(store == player::ConfigStore())) std::abort();
        return 0;
    }

    const bytes_t first = written(store);
    player::ConfigStore again;
    sonavel::stream_reader_memblock back(first);
    again.read(back, abort);
    if (back.remaining() != 0 || !(again == store) || written(again) != first) std::abort();

    // Every stored component refuses its block: a save keeps each one as it was.
    if (data[0] & 1) {
        RefusingClient client;
        std::vector<std::string> names;
        sonavel::stream_reader_memblock walk(first);
        const std::uint32_t count = walk.read_lendian_u32(abort);
        for (std::uint32_t i = 0; i < count; ++i) {
            names.push_back(walk.read_string(abort));
            walk.read_string(abort);
        }
        player::ConfigStore copy = store;
        for (const auto& name : names) {
            try {
                copy.load(name, client);
                std::abort();
            } catch (const sonavel::exception_io_data&) {
            }
            if (!copy.held(name)) std::abort();
            copy.save(name, client);
        }
        if (written(copy) != first) std::abort();
    }
    return 0;
}
