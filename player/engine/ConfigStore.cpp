#include "player/engine/ConfigStore.h"

#include <cstdio>
#include <memory>

#include "player/engine/FileReplacement.h"
#include "sdk/stream.h"

namespace player {

void ConfigStore::save(const std::string& component, sonavel::component_client& client) {
    sonavel::stream_writer_buffer writer;
    sonavel::abort_callback_dummy abort;
    client.get_config(&writer, abort);
    blocks_[component] = std::move(writer.data());
}

void ConfigStore::load(const std::string& component, sonavel::component_client& client) const {
    static const std::vector<std::uint8_t> empty;
    const auto* bytes = block(component);
    sonavel::stream_reader_memblock reader(bytes ? *bytes : empty);
    sonavel::abort_callback_dummy abort;
    client.set_config(&reader, abort);
}

const std::vector<std::uint8_t>* ConfigStore::block(const std::string& component) const {
    auto found = blocks_.find(component);
    return found == blocks_.end() ? nullptr : &found->second;
}

void ConfigStore::set_block(const std::string& component, std::vector<std::uint8_t> bytes) {
    blocks_[component] = std::move(bytes);
}

void ConfigStore::write_file(const char* utf8_path) const {
    write_file_replacing(utf8_path, [this](sonavel::stream_writer& file, sonavel::abort_callback& abort) {
        file.write_lendian_u32(std::uint32_t(blocks_.size()), abort);
        for (const auto& [name, bytes] : blocks_) {
            file.write_string(name, abort);
            file.write_lendian_u32(std::uint32_t(bytes.size()), abort);
            file.write(bytes.data(), bytes.size(), abort);
        }
    });
}

void ConfigStore::read_file(const char* utf8_path) {
    blocks_.clear();
    std::unique_ptr<sonavel::file_reader> file;
    try {
        file = std::make_unique<sonavel::file_reader>(utf8_path);
    } catch (const sonavel::exception_io_data&) {
        return;  // no stored configuration yet
    }
    sonavel::abort_callback_dummy abort;
    std::uint32_t count = file->read_lendian_u32(abort);
    for (std::uint32_t i = 0; i < count; ++i) {
        std::string name = file->read_string(abort);
        std::string bytes = file->read_string(abort);
        blocks_[name].assign(bytes.begin(), bytes.end());
    }
}

}  // namespace player
