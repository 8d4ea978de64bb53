#include "player/app/PanelCaption.h"

#include "presets/PresetStore.h"
#include "sdk/utf8.h"

namespace player {

std::wstring panel_caption(const std::string& type_name, const std::vector<std::uint8_t>& config) {
    quennet::Options current;
    std::vector<quennet::Options> presets;
    try {
        sonavel::stream_reader_memblock reader(config);
        sonavel::abort_callback_dummy abort;
        quennet::read_store(reader, abort, current, presets);
    } catch (const std::exception&) {
        return sonavel::utf8_to_wide(type_name);
    }
    std::wstring preset = current.name.empty() ? std::wstring() : L" - " + sonavel::utf8_to_wide(current.name);
    if (current.metadata_field.empty())
        return L"No field chosen: right-click > Options... to choose one" + preset;
    return sonavel::utf8_to_wide(current.metadata_field) + preset;
}

}  // namespace player
