#include "player/app/TrackImport.h"

#include <cctype>

#include <fileref.h>

#include "player/app/FolderScan.h"
#include "player/app/TagReader.h"
#include "player/engine/FailureReport.h"
#include "sdk/errors.h"
#include "sdk/utf8.h"

namespace player {
bool named_as_audio(const std::wstring& file) {
    std::size_t dot = file.find_last_of(L'.');
    if (dot == std::wstring::npos || file.find_first_of(L"\\/", dot) != std::wstring::npos) return false;
    std::string extension;
    for (wchar_t c : file.substr(dot + 1)) extension += static_cast<char>(c < 128 ? std::tolower(static_cast<int>(c)) : '?');
    return TagLib::FileRef::defaultFileExtensions().contains(extension);
}

sonavel::metadb_handle_list load_tracks(HostEngines& engines, const std::vector<std::wstring>& files) {
    sonavel::metadb_handle_list tracks;
    std::vector<std::string> unreadable;
    for (const auto& file : files) {
        std::optional<sonavel::file_info_impl> record;
        std::string why = sonavel::exception_io_data().what();
        try {
            record = read_track_record(file);
        } catch (const std::exception& e) {
            why = sonavel::message_of(e);
        }
        if (!record) {
            if (named_as_audio(file)) unreadable.push_back(sonavel::wide_to_utf8(file) + ": " + why);
            continue;
        }
        Track& track = engines.store.track(sonavel::wide_to_utf8(file).c_str());
        engines.store.set_record(track, &*record);
        tracks.emplace_back(&track);
    }
    if (!unreadable.empty()) {
        for (const auto& line : unreadable) engines.console.print(("Could not read " + line).c_str());
        engines.popups.show(failure_report(unreadable, "read").c_str(), "Adding files", sonavel::popup_message::icon_error);
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
