#include "player/library/RecordKeeper.h"

namespace player::library {

RecordKeeper::RecordKeeper(std::string database_path, std::function<std::optional<FileStamp>(const std::string&)> stamp,
                           std::function<void(std::vector<FoundFile>)> kept)
    : path_(std::move(database_path)), stamp_(std::move(stamp)), kept_(std::move(kept)) {}

void RecordKeeper::written(const std::vector<std::pair<std::string, const sonavel::file_info*>>& records) {
    std::vector<StoredTrack> tracks;
    tracks.reserve(records.size());
    for (const auto& [path, record] : records) {
        StoredTrack track;
        track.path = path;
        std::optional<FileStamp> now = stamp_ ? stamp_(path) : std::nullopt;
        track.stamp = now ? *now : unknown_stamp;
        track.record.copy(*record);
        tracks.push_back(std::move(track));
    }
    std::vector<const StoredTrack*> rows;
    for (const auto& track : tracks) rows.push_back(&track);
    {
        std::lock_guard<std::mutex> guard(lock_);
        if (!database_) database_ = std::make_unique<LibraryDatabase>(path_);
        database_->keep_written(rows);
    }
    if (!kept_) return;
    std::vector<FoundFile> stamps;
    for (const auto& track : tracks) stamps.push_back({track.path, track.stamp});
    kept_(std::move(stamps));
}

}  // namespace player::library
