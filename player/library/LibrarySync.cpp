#include "player/library/LibrarySync.h"

#include <algorithm>
#include <chrono>
#include <optional>
#include <unordered_set>

#include "player/library/PathCase.h"
#include "sdk/errors.h"
#include "sdk/playlist.h"
#include "sdk/utf8.h"

namespace player::library {
namespace {

// Files read, written to the database and shown together.
constexpr std::size_t batch_size = 500;

class bit_array_set final : public sonavel::bit_array {
public:
    explicit bit_array_set(std::vector<bool> bits) : bits_(std::move(bits)) {}
    bool get(std::size_t n) const override { return n < bits_.size() && bits_[n]; }

private:
    std::vector<bool> bits_;
};

}  // namespace

struct LibrarySync::scan_job {
    std::vector<std::string> folders;
    std::unordered_map<std::string, FileStamp> known;
    std::unique_ptr<ProgressView> progress;
    std::string error;
    std::size_t read = 0;
    std::chrono::steady_clock::time_point started = std::chrono::steady_clock::now();
};

LibrarySync::LibrarySync(HostEngines& engines, std::string database_path, ScanSources sources, HWND__* progress_parent)
    : engines_(engines), path_(std::move(database_path)), sources_(std::move(sources)), progress_parent_(progress_parent) {}

LibrarySync::~LibrarySync() {
    // A scan still running is told to stop; what it posts after this object went finds no one.
    if (running_) running_->progress->abort().abort();
    if (engines_.written_records == keeper_.get()) engines_.written_records = nullptr;
}

void LibrarySync::load() {
    auto started = std::chrono::steady_clock::now();
    OpenedLibrary opened;
    try {
        opened = open_library(path_);
    } catch (const std::exception& e) {
        // Not even a new database can be made there (a folder without write access, a file that cannot be
        // moved aside): the library lives in memory for this run.
        std::string text = "The library database \"" + path_ + "\" cannot be used (" + sonavel::message_of(e) +
                           "). The library is kept in memory only until the player ends.";
        engines_.console.print(("Library: " + text).c_str());
        engines_.popups.show(text.c_str(), "Library", sonavel::popup_message::icon_error);
        path_ = ":memory:";
        opened = OpenedLibrary();
        opened.database = std::make_unique<LibraryDatabase>(path_);
    }
    auto read = std::chrono::steady_clock::now();
    database_ = std::move(opened.database);
    if (path_ != ":memory:") {
        std::weak_ptr<LibrarySync*> self = self_;
        keeper_ = std::make_unique<RecordKeeper>(path_, sources_.stamp, [&queue = engines_.queue, self](std::vector<FoundFile> files) {
            auto shared = std::make_shared<std::vector<FoundFile>>(std::move(files));
            queue.post([self, shared] {
                if (auto alive = self.lock()) (*alive)->kept(*shared);
            });
        });
        engines_.written_records = keeper_.get();
    }
    for (const auto& path : opened.case_duplicates)
        engines_.console.print(("Library: " + path + " is another spelling of a file already in the library; forgotten").c_str());
    keep_folder_list(path_, database_->folders());
    if (!opened.set_aside_as.empty()) {
        std::string text = "The library database could not be read (" + opened.problem + "). It was set aside as \"" +
                           opened.set_aside_as + "\" and the library is being rebuilt from its folders.";
        engines_.console.print(("Library: " + text).c_str());
        engines_.popups.show(text.c_str(), "Library", sonavel::popup_message::icon_error);
    }
    // The records, then the library and its playlist, each in one step.
    std::vector<std::pair<Track*, const sonavel::file_info*>> records;
    records.reserve(opened.tracks.size());
    sonavel::metadb_handle_list tracks;
    tracks.reserve(opened.tracks.size());
    for (const auto& stored : opened.tracks) {
        Track& track = engines_.store.track(stored.path.c_str());
        records.emplace_back(&track, &stored.record);
        tracks.emplace_back(&track);
        known_.emplace(stored.path, stored.stamp);
    }
    engines_.store.set_records(records);
    engines_.library.add_items(tracks);

    auto& playlists = engines_.playlists;
    StoredPlaylists stored = database_->playlists();
    // The library's spelling of each path, gathered only when a playlist of the user's holds items.
    std::optional<PathSpellings> spellings;
    auto spelling_of = [&](const std::string& path) -> const std::string* {
        if (!spellings) {
            spellings.emplace();
            for (const auto& track : opened.tracks) spellings->spelling(track.path);
        }
        return spellings->contains(path) ? &spellings->spelling(path) : nullptr;
    };
    bool library_seen = false;
    for (const auto& list : stored.lists) {
        if (list.library && library_seen) continue;
        std::size_t index = playlists.create_playlist(list.name.c_str(), sonavel::no_item);
        if (list.library) {
            library_seen = true;
            playlists.add_items_unselected(index, tracks);
            continue;
        }
        // An item the library does not hold is a file gone from the disk (or from the library): it is left out.
        sonavel::metadb_handle_list items;
        std::size_t left_out = 0;
        for (const auto& path : list.paths) {
            if (const std::string* known = spelling_of(path)) items.emplace_back(&engines_.store.track(known->c_str()));
            else ++left_out;
        }
        playlists.add_items_unselected(index, items);
        if (left_out)
            engines_.console.print(("Library: " + std::to_string(left_out) + " item(s) of the playlist \"" + list.name +
                                    "\" left out: the library no longer holds their files")
                                       .c_str());
    }
    if (!library_seen) {
        std::size_t index = playlists.create_playlist(library_playlist_name, 0);
        playlists.add_items_unselected(index, tracks);
    }
    std::size_t active = library_seen && stored.active < stored.lists.size() ? stored.active : library_playlist();
    playlists.set_active_playlist(std::min(active, playlists.get_playlist_count() - 1));
    auto ms = [](auto from, auto to) {
        return std::to_string(std::chrono::duration_cast<std::chrono::milliseconds>(to - from).count());
    };
    auto now = std::chrono::steady_clock::now();
    engines_.console.print(("Library: " + std::to_string(tracks.size()) + " tracks from the database in " +
                            ms(started, now) + " ms (read " + ms(started, read) + " ms)")
                               .c_str());
    if (!opened.set_aside_as.empty()) scan();
}

std::size_t LibrarySync::library_playlist() {
    auto& playlists = engines_.playlists;
    std::size_t found = playlists.find_playlist(library_playlist_name);
    if (found != sonavel::no_item) return found;
    std::size_t index = playlists.create_playlist(library_playlist_name, 0);
    playlists.add_items_unselected(index, engines_.library.get_all_items());
    return index;
}

std::vector<std::string> LibrarySync::folders() { return database_->folders(); }

bool LibrarySync::add_folder(const std::string& folder) {
    bool added = database_->add_folder(folder);
    std::vector<std::string> stored = database_->folders();
    keep_folder_list(path_, stored);
    // A folder already there in other letters is scanned by the spelling stored.
    auto same = std::find_if(stored.begin(), stored.end(), [&](const std::string& known) { return same_path(known, folder); });
    start_scan({same != stored.end() ? *same : folder});
    return added;
}

void LibrarySync::add_folders_and_scan(const std::vector<std::string>& folders) {
    for (const auto& folder : folders) database_->add_folder(folder);
    keep_folder_list(path_, database_->folders());
    scan();
}

void LibrarySync::remove_folder(const std::string& folder) {
    std::vector<std::string> gone = database_->remove_folder(folder);
    keep_folder_list(path_, database_->folders());
    ScanBatch batch;
    batch.removed = std::move(gone);
    apply(batch);
    // Files of the folder that could not be read are no longer the library's: neither counted nor told.
    std::string prefix = folder;
    if (!prefix.empty() && prefix.back() != '\\' && prefix.back() != '/') prefix += '\\';
    auto before = unreadable_.size();
    unreadable_.erase(std::remove_if(unreadable_.begin(), unreadable_.end(),
                                     [&](const std::string& line) { return sonavel::stricmp_utf8_partial(line.c_str(), prefix.c_str()) == 0; }),
                      unreadable_.end());
    if (unreadable_.size() != before && engines_.status.text().rfind("Library: ", 0) == 0)
        engines_.status.set(unreadable_.empty() ? std::string() : "Library: " + status_text() + " (View > Console lists them)");
}

void LibrarySync::scan() { start_scan(database_->folders()); }

void LibrarySync::cancel() {
    scan_again_ = false;
    if (running_) running_->progress->abort().abort();
}

void LibrarySync::start_scan(std::vector<std::string> folders) {
    if (scanning_) {
        // The next scan covers every folder: one asked for now is among them.
        scan_again_ = true;
        return;
    }
    auto job = std::make_shared<scan_job>();
    job->folders = std::move(folders);
    job->known = known_;
    job->progress = engines_.progress->open(progress_parent_, "Scanning the library",
                                            sonavel::threaded_process_service::flag_show_abort |
                                                sonavel::threaded_process_service::flag_show_progress |
                                                sonavel::threaded_process_service::flag_show_item |
                                                sonavel::threaded_process_service::flag_show_delayed |
                                                sonavel::threaded_process_service::flag_no_focus);
    running_ = job;
    scanning_ = true;
    pending_unreadable_.clear();
    std::weak_ptr<LibrarySync*> self = self_;
    ScanSources sources = sources_;
    sources.list = listed_as_known(sources_.list, std::shared_ptr<const KnownFiles>(job, &job->known));
    engines_.workers.start([&engines = engines_, self, job, path = path_, sources = std::move(sources)] {
        try {
            // The worker's own connection: the main thread keeps using its own meanwhile.
            LibraryDatabase database(path);
            auto& abort = job->progress->abort();
            scan_folders(
                job->folders, job->known, sources, batch_size, abort,
                [&](ScanBatch&& found) {
                    std::vector<const StoredTrack*> rows;
                    for (const auto& track : found.found) rows.push_back(&track);
                    database.write(rows, found.removed);
                    job->read += found.found.size();
                    auto shared = std::make_shared<ScanBatch>(std::move(found));
                    engines.queue.post([self, shared] {
                        if (auto alive = self.lock()) (*alive)->apply(*shared);
                    });
                },
                [&](const ScanProgress& status) {
                    job->progress->set_item_path(status.path.c_str());
                    if (status.total)
                        job->progress->set_progress(status.done * sonavel::threaded_process_status::progress_max /
                                                    status.total);
                });
        } catch (const std::exception& e) {
            job->error = sonavel::message_of(e);
        }
        engines.queue.post([self, job] {
            if (auto alive = self.lock()) (*alive)->finished(*job);
            else job->progress->close();
        });
    });
}

void LibrarySync::apply(ScanBatch& batch) {
    auto& store = engines_.store;
    std::vector<std::pair<sonavel::metadb_handle_ptr, sonavel::file_info_impl>> changed;
    std::vector<std::pair<Track*, const sonavel::file_info*>> new_records;
    sonavel::metadb_handle_list added;
    for (auto& found : batch.found) {
        Track& track = store.track(found.path.c_str());
        auto [at, inserted] = known_.insert_or_assign(found.path, found.stamp);
        (void)at;
        if (inserted) {
            new_records.emplace_back(&track, &found.record);
            added.emplace_back(&track);
        } else {
            changed.emplace_back(sonavel::metadb_handle_ptr(&track), std::move(found.record));
        }
    }
    if (!new_records.empty()) {
        store.set_records(new_records);
        engines_.library.add_items(added);
        engines_.playlists.add_items_unselected(library_playlist(), added);
    }
    // Records of known files that changed on disk: every listener hears of them as of any outside change.
    if (!changed.empty()) engines_.io.apply_changes(changed);
    if (!batch.removed.empty()) forget(batch.removed);
    for (auto& line : batch.unreadable) {
        engines_.console.print(("Could not read " + line).c_str());
        pending_unreadable_.push_back(std::move(line));
    }
}

void LibrarySync::forget(const std::vector<std::string>& paths) {
    auto& store = engines_.store;
    sonavel::metadb_handle_list removed;
    std::unordered_set<const Track*> gone;
    std::vector<std::pair<Track*, const sonavel::file_info*>> no_records;
    for (const auto& path : paths) {
        known_.erase(path);
        Track& track = store.track(path.c_str());
        removed.emplace_back(&track);
        gone.insert(&track);
        no_records.emplace_back(&track, nullptr);
    }
    engines_.library.remove_items(removed);
    // Every playlist, the user's own too: a file that is gone is no track to play or to tag.
    library_playlist();
    auto& playlists = engines_.playlists;
    for (std::size_t playlist = 0; playlist < playlists.get_playlist_count(); ++playlist) {
        std::vector<bool> mask(playlists.get_item_count(playlist));
        bool any = false;
        playlists.enum_items(playlist, sonavel::bit_array_true(),
                             [&](std::size_t index, const sonavel::metadb_handle_ptr& track, bool) {
                                 mask[index] = gone.count(&TrackStore::track_of(track)) != 0;
                                 any = any || mask[index];
                                 return true;
                             });
        if (any) playlists.remove_items(playlist, bit_array_set(std::move(mask)));
    }
    store.set_records(no_records);
}

void LibrarySync::kept(const std::vector<FoundFile>& files) {
    for (const auto& file : files) {
        auto at = known_.find(file.path);
        if (at != known_.end()) at->second = file.stamp;
    }
    // A scan running may have read some of these files before they were written: the next one reads
    // them again, since their size or time differs from what it stores.
    if (scanning_) scan_again_ = true;
}

void LibrarySync::finished(scan_job& job) {
    job.progress->close();
    running_.reset();
    scanning_ = false;
    unreadable_ = std::move(pending_unreadable_);
    pending_unreadable_.clear();
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - job.started).count();
    if (!job.error.empty()) engines_.console.print(("Library scan failed: " + job.error).c_str());
    engines_.console.print(("Library scan: " + std::to_string(job.read) + " files read in " + std::to_string(ms) +
                            " ms, " + std::to_string(known_.size()) + " tracks in the library")
                               .c_str());
    if (!unreadable_.empty()) {
        engines_.console.print(("Library: " + status_text()).c_str());
        engines_.status.set("Library: " + status_text() + " (View > Console lists them)");
    }
    if (scan_again_) {
        scan_again_ = false;
        scan();
    }
}

std::string LibrarySync::status_text() const {
    if (unreadable_.empty()) return {};
    std::size_t n = unreadable_.size();
    return std::to_string(n) + (n == 1 ? " file could not be read" : " files could not be read");
}

void LibrarySync::save_playlists() {
    auto& playlists = engines_.playlists;
    StoredPlaylists stored;
    std::size_t library = playlists.find_playlist(library_playlist_name);
    for (std::size_t i = 0; i < playlists.get_playlist_count(); ++i) {
        StoredPlaylist list;
        list.name = playlists.get_playlist_name(i);
        list.library = i == library;
        if (!list.library) {
            playlists.enum_items(i, sonavel::bit_array_true(), [&](std::size_t, const sonavel::metadb_handle_ptr& track, bool) {
                list.paths.emplace_back(track->get_path());
                return true;
            });
        }
        stored.lists.push_back(std::move(list));
    }
    std::size_t active = playlists.get_active_playlist();
    stored.active = active == sonavel::no_item ? 0 : active;
    database_->save_playlists(stored);
}

}  // namespace player::library
