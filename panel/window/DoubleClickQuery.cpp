#include "panel/window/DoubleClickQuery.h"

#include <exception>

#include "panel/model/ValueGathering.h"
#include "panel/model/ValueList.h"
#include "panel/window/TrackSort.h"
#include "sdk/bit_array.h"
#include "sdk/core_api.h"
#include "sdk/library.h"
#include "sdk/playlist.h"
#include "sdk/query_text.h"
#include "sdk/search.h"
#include "sdk/titleformat.h"

namespace quennet {

namespace {

sonavel::metadb_handle_ptr focused_track() {
    auto playlists = sonavel::standard_api_create_t<sonavel::playlist_service>();
    const std::size_t active = playlists->get_active_playlist();
    if (active == sonavel::no_item) return {};
    const std::size_t focus = playlists->get_focus_item(active);
    if (focus == sonavel::no_item) return {};
    return playlists->get_item_handle(active, focus);
}

}  // namespace

bool focused_track_values(const sonavel::metadb_handle_ptr& focused, const std::string& filter_fields,
                          std::vector<std::string>& names, std::vector<std::vector<std::string>>& values) {
    if (!focused.is_valid()) return false;
    const std::vector<std::string> fields = split_fields(filter_fields);
    names.insert(names.end(), fields.begin(), fields.end());
    sonavel::metadb_read_lock lock;
    for (const std::string& field : fields) {
        const sonavel::file_info* info = focused->get_info_locked();
        if (!info) return false;
        std::vector<std::string> found;
        const std::size_t index = info->meta_find(field.c_str());
        if (index != sonavel::file_info::npos) {
            for (std::size_t v = 0; v < info->meta_enum_value_count(index); ++v)
                found.emplace_back(info->meta_enum_value(index, v));
        }
        values.push_back(std::move(found));
    }
    return true;
}

std::string double_click_query(const std::string& field, const std::string& value,
                               const std::vector<std::string>& names,
                               const std::vector<std::vector<std::string>>& values) {
    std::string query = field + " IS " + sonavel::query_quoted(value);
    bool opened = false;
    for (std::size_t f = 0; f < names.size() && f < values.size(); ++f) {
        for (const std::string& v : values[f]) {
            query += opened ? " OR " : " AND (";
            opened = true;
            query += names[f] + " IS " + sonavel::query_quoted(v);
        }
    }
    if (opened) query += ")";
    return query;
}

void fill_playlist_from_query(const Options& preset, const std::string& value, const std::string& query) {
    sonavel::metadb_handle_list tracks = sonavel::standard_api_create_t<sonavel::library_service>()->get_all_items();
    try {
        sonavel::standard_api_create_t<sonavel::search_filter_service>()->create(query.c_str())->filter(tracks);
    } catch (const std::exception&) {
        // A value the query language cannot take changes no playlist.
        return;
    }
    if (!preset.sort_order.empty()) {
        sonavel::service_ptr_t<sonavel::titleformat_object> pattern;
        if (sonavel::standard_api_create_t<sonavel::titleformat_service>()->compile(pattern, preset.sort_order.c_str()))
            sort_tracks_by_format(tracks, *pattern);
    }

    auto playlists = sonavel::standard_api_create_t<sonavel::playlist_service>();
    const std::string& name = preset.playlist_name.empty() ? value : preset.playlist_name;
    std::size_t playlist = playlists->find_playlist(name.c_str());
    if (playlist == sonavel::no_item) playlist = playlists->create_playlist(name.c_str(), playlists->get_playlist_count());
    if (playlist == sonavel::no_item) return;
    if (preset.doubleclick_action == Options::replace_playlist) {
        playlists->clear(playlist);
        playlists->add_items_unselected(playlist, tracks);
    } else if (preset.doubleclick_action == Options::add_to_playlist) {
        playlists->add_items_unselected(playlist, tracks);
    }
    playlists->set_active_playlist(playlist);
    const std::size_t active = playlists->get_active_playlist();
    if (active != sonavel::no_item) playlists->set_focus_item(active, 0);
}

void on_double_click(const Options& preset, HWND list, const NMITEMACTIVATE& click) {
    LVHITTESTINFO hit{};
    hit.pt = click.ptAction;
    SendMessageW(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    if (!(hit.flags & LVHT_ONITEMLABEL) || click.iItem < 0) return;
    const std::string value = list_item_text(list, click.iItem);

    std::vector<std::string> names;
    std::vector<std::vector<std::string>> values;
    if (!preset.filter_on_focused_tags || !focused_track_values(focused_track(), preset.filter_fields, names, values)) {
        names.clear();
        values.clear();
    }
    fill_playlist_from_query(preset, value, double_click_query(preset.metadata_field, value, names, values));
}

}  // namespace quennet
