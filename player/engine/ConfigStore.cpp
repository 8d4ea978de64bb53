#include "player/engine/ConfigStore.h"

#include <cstdio>
#include <memory>

#include "player/engine/FileReplacement.h"
#include "sdk/stream.h"

namespace player {

void ConfigStore::save(const std::string& component, sonavel::component_client& client) {
    if (held(component)) return;
    sonavel::stream_writer_buffer writer;
    sonavel::abort_callback_dummy abort;
    client.get_config(&writer, abort);
    blocks_[component] = std::move(writer.data());
}

void ConfigStore::load(const std::string& component, sonavel::component_client& client) {
    static const std::vector<std::uint8_t> empty;
    const auto* bytes = block(component);
    sonavel::stream_reader_memblock reader(bytes ? *bytes : empty);
    sonavel::abort_callback_dummy abort;
    try {
        client.set_config(&reader, abort);
    } catch (...) {
        if (bytes) held_.insert(component);
        throw;
    }
}

const std::vector<std::uint8_t>* ConfigStore::block(const std::string& component) const {
    auto found = blocks_.find(component);
    return found == blocks_.end() ? nullptr : &found->second;
}

void ConfigStore::set_block(const std::string& component, std::vector<std::uint8_t> bytes) {
    held_.erase(component);
    blocks_[component] = std::move(bytes);
}

void ConfigStore::write(sonavel::stream_writer& writer, sonavel::abort_callback& abort) const {
    writer.write_lendian_u32(std::uint32_t(blocks_.size()), abort);
    for (const auto& [name, bytes] : blocks_) {
        // Counted as read: the SDK's string writer would end a name at a zero byte that a damaged file
        // put there, and that entry would come back under another name or not at all.
        writer.write_lendian_u32(std::uint32_t(name.size()), abort);
        writer.write(name.data(), name.size(), abort);
        writer.write_lendian_u32(std::uint32_t(bytes.size()), abort);
        writer.write(bytes.data(), bytes.size(), abort);
    }
}

void ConfigStore::read(sonavel::stream_reader& reader, sonavel::abort_callback& abort) {
    blocks_.clear();
    held_.clear();
    try {
        std::uint32_t count = reader.read_lendian_u32(abort);
        for (std::uint32_t i = 0; i < count; ++i) {
            std::string name = reader.read_string(abort);
            std::string bytes = reader.read_string(abort);
            blocks_[name].assign(bytes.begin(), bytes.end());
        }
    } catch (...) {
        blocks_.clear();  // nothing half-read
        throw;
    }
}

void ConfigStore::write_file(const char* utf8_path) const {
    write_file_replacing(utf8_path, [this](sonavel::stream_writer& file, sonavel::abort_callback& abort) {
        write(file, abort);
    });
}

void ConfigStore::read_file(const char* utf8_path) {
    blocks_.clear();
    held_.clear();
    std::unique_ptr<sonavel::file_reader> file;
    try {
        file = std::make_unique<sonavel::file_reader>(utf8_path);
    } catch (const sonavel::exception_io_data&) {
        return;  // no stored configuration yet
    }
    sonavel::abort_callback_dummy abort;
    read(*file, abort);
}

}  // namespace player
