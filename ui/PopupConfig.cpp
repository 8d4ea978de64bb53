#include "ui/PopupConfig.h"

#include <algorithm>
#include <cstring>

#include "sdk/errors.h"
#include "ui/PlacementDpiTrailer.h"

namespace quennet {
namespace {

void write_byte(sonavel::stream_writer& writer, bool value, sonavel::abort_callback& abort) {
    const std::uint8_t byte = value ? 1 : 0;
    writer.write(&byte, 1, abort);
}

bool read_flag(sonavel::stream_reader& reader, sonavel::abort_callback& abort) {
    std::uint8_t byte = 0;
    reader.read_object(&byte, 1, abort);
    return byte != 0;
}

void write_bytes(sonavel::stream_writer& writer, const void* data, std::size_t size, sonavel::abort_callback& abort) {
    if (size > 0xFFFFFFFFu) throw sonavel::exception_overflow();
    writer.write_lendian_u32(std::uint32_t(size), abort);
    writer.write(data, size, abort);
}

// Grows with the data rather than trusting the count: a damaged count must not claim memory that the
// stream does not hold.
template <typename Bytes>
Bytes read_bytes(sonavel::stream_reader& reader, sonavel::abort_callback& abort) {
    const std::uint32_t length = reader.read_lendian_u32(abort);
    Bytes bytes;
    std::size_t chunk = 65536;
    while (bytes.size() < length) {
        const std::size_t at = bytes.size();
        const std::size_t want = std::min<std::size_t>(chunk, length - at);
        bytes.resize(at + want);
        reader.read_object(&bytes[at], want, abort);
        chunk *= 2;
    }
    return bytes;
}

void write_guid(sonavel::stream_writer& writer, const sonavel::guid& id, sonavel::abort_callback& abort) {
    writer.write_lendian_u32(id.data1, abort);
    const std::uint8_t parts[4] = {std::uint8_t(id.data2), std::uint8_t(id.data2 >> 8), std::uint8_t(id.data3),
                                   std::uint8_t(id.data3 >> 8)};
    writer.write(parts, sizeof parts, abort);
    writer.write(id.data4, sizeof id.data4, abort);
}

sonavel::guid read_guid(sonavel::stream_reader& reader, sonavel::abort_callback& abort) {
    sonavel::guid id;
    id.data1 = reader.read_lendian_u32(abort);
    std::uint8_t parts[4];
    reader.read_object(parts, sizeof parts, abort);
    id.data2 = std::uint16_t(parts[0] | parts[1] << 8);
    id.data3 = std::uint16_t(parts[2] | parts[3] << 8);
    reader.read_object(id.data4, sizeof id.data4, abort);
    return id;
}

}  // namespace

bool operator==(const WindowPlacementRecord& a, const WindowPlacementRecord& b) noexcept {
    return a.length == b.length && a.flags == b.flags && a.show_state == b.show_state && a.min_x == b.min_x &&
           a.min_y == b.min_y && a.max_x == b.max_x && a.max_y == b.max_y && a.left == b.left && a.top == b.top &&
           a.right == b.right && a.bottom == b.bottom;
}

bool operator==(const PopupConfig& a, const PopupConfig& b) noexcept {
    return a.placement == b.placement && a.name == b.name && a.panel_config == b.panel_config &&
           a.no_system_menu == b.no_system_menu && a.no_caption == b.no_caption && a.no_border == b.no_border &&
           a.persistent == b.persistent && a.panel_guid == b.panel_guid && a.placement_dpi == b.placement_dpi;
}

void write_popup_config(sonavel::stream_writer& writer, const PopupConfig& config, sonavel::abort_callback& abort) {
    const WindowPlacementRecord& p = config.placement;
    writer.write_lendian_u32(popup_config_version, abort);
    writer.write_lendian_u32(p.length, abort);
    writer.write_lendian_u32(p.flags, abort);
    writer.write_lendian_u32(p.show_state, abort);
    for (std::int32_t v : {p.left, p.top, p.right, p.bottom, p.max_x, p.max_y, p.min_x, p.min_y})
        writer.write_lendian_i32(v, abort);
    write_bytes(writer, config.name.data(), config.name.size(), abort);
    write_byte(writer, config.no_border, abort);
    write_bytes(writer, config.panel_config.data(), config.panel_config.size(), abort);
    write_byte(writer, config.no_system_menu, abort);
    write_byte(writer, config.no_caption, abort);
    write_byte(writer, config.persistent, abort);
    write_guid(writer, config.panel_guid, abort);
}

PopupConfig read_popup_config(sonavel::stream_reader& reader, sonavel::abort_callback& abort) {
    PopupConfig config;
    WindowPlacementRecord& p = config.placement;
    reader.read_lendian_u32(abort);  // the version tells nothing yet
    p.length = reader.read_lendian_u32(abort);
    p.flags = reader.read_lendian_u32(abort);
    p.show_state = reader.read_lendian_u32(abort);
    for (std::int32_t* v : {&p.left, &p.top, &p.right, &p.bottom, &p.max_x, &p.max_y, &p.min_x, &p.min_y})
        *v = reader.read_lendian_i32(abort);
    config.name = read_bytes<std::string>(reader, abort);
    config.no_border = read_flag(reader, abort);
    config.panel_config = read_bytes<std::vector<std::uint8_t>>(reader, abort);
    config.no_system_menu = read_flag(reader, abort);
    config.no_caption = read_flag(reader, abort);
    config.persistent = read_flag(reader, abort);
    config.panel_guid = read_guid(reader, abort);
    return config;
}

WindowPlacementRecord placement_for_dpi(const WindowPlacementRecord& placement, std::uint32_t from, std::uint32_t to) {
    if (from == 0 || to == 0 || from == to) return placement;
    auto scaled = [&](std::int32_t length) {
        return std::int32_t((std::int64_t(length) * to + from / 2) / from);
    };
    WindowPlacementRecord result = placement;
    result.right = placement.left + scaled(placement.right - placement.left);
    result.bottom = placement.top + scaled(placement.bottom - placement.top);
    return result;
}

void write_popup_configs(sonavel::stream_writer& writer, const std::vector<PopupConfig>& configs,
                         sonavel::abort_callback& abort) {
    if (configs.size() > 0xFFFFFFFFu) throw sonavel::exception_overflow();
    writer.write_lendian_u32(std::uint32_t(configs.size()), abort);
    for (const PopupConfig& config : configs) write_popup_config(writer, config, abort);
    write_placement_dpis(writer, abort, configs);
}

std::vector<PopupConfig> read_popup_configs(sonavel::stream_reader& reader, sonavel::abort_callback& abort) {
    const std::uint32_t count = reader.read_lendian_u32(abort);
    // No reserve: the count of a damaged stream may be anything.
    std::vector<PopupConfig> configs;
    for (std::uint32_t i = 0; i < count; ++i) configs.push_back(read_popup_config(reader, abort));
    read_placement_dpis(reader, abort, configs);
    return configs;
}

}  // namespace quennet
