#include "player/app/LibrarySources.h"

#include <windows.h>

#include "player/app/FolderScan.h"
#include "player/app/TagReader.h"
#include "player/app/TrackImport.h"
#include "sdk/utf8.h"

namespace player {

library::ScanSources disk_sources() {
    library::ScanSources sources;
    sources.list = [](const std::string& folder) {
        std::vector<library::FoundFile> out;
        for (auto& entry : entries_under(sonavel::utf8_to_wide(folder)))
            out.push_back({sonavel::wide_to_utf8(entry.path),
                           {std::int64_t(entry.size), std::int64_t(entry.write_time)}});
        return out;
    };
    sources.read = [](const std::string& path) { return read_track_record(sonavel::utf8_to_wide(path)); };
    sources.named_as_audio = [](const std::string& path) { return named_as_audio(sonavel::utf8_to_wide(path)); };
    sources.stamp = [](const std::string& path) -> std::optional<library::FileStamp> {
        // The same size and time as a folder listing gives.
        WIN32_FILE_ATTRIBUTE_DATA data = {};
        if (!GetFileAttributesExW(sonavel::utf8_to_wide(path).c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
        const std::uint64_t size = (std::uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        const std::uint64_t time =
            (std::uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
        return library::FileStamp{std::int64_t(size), std::int64_t(time)};
    };
    return sources;
}

}  // namespace player
