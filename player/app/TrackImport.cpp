#include "player/app/TrackImport.h"

#include "player/app/FolderScan.h"
#include "player/app/TagReader.h"
#include "sdk/utf8.h"

namespace player {

sonavel::metadb_handle_list load_tracks(HostEngines& engines, const std::vector<std::wstring>& files) {
    sonavel::metadb_handle_list tracks;
    for (const auto& file : files) {
        auto record = read_track_record(file);
        if (!record) continue;
        Track& track = engines.store.track(sonavel::wide_to_utf8(file).c_str());
        engines.store.set_record(track, &*record);
        tracks.emplace_back(&track);
    }
    return tracks;
}

sonavel::metadb_handle_list import_folder(HostEngines& engines, const std::wstring& folder) {
    sonavel::metadb_handle_list tracks = load_tracks(engines, files_under(folder));
    engines.library.add_items(tracks);
    auto& playlists = engines.playlists;
    if (playlists.get_active_playlist() == sonavel::no_item) {
        std::size_t found = playlists.find_playlist("Default");
        playlists.set_active_playlist(found != sonavel::no_item ? found
                                                                : playlists.create_playlist("Default", sonavel::no_item));
    }
    playlists.add_items_unselected(playlists.get_active_playlist(), tracks);
    return tracks;
}

}  // namespace player
