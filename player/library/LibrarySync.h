#pragma once
// The library kept in its database and in step with the disk. At start the tracks and playlists come
// from the database at once; then a scan on a worker thread finds the files added, changed and removed
// since (by size and time), with a progress window that blocks nothing, and each batch it finds reaches
// the track store, the library, the library's own playlist and every listener (as the host tells of
// records another program changed) on the main thread. A damaged database is set aside and rebuilt
// from the folders, with a message. Files that cannot be read are listed on the console and counted.
// Files gone from the disk leave every playlist. Paths that differ only in letter case are one file.
// What the player writes into files reaches the database in the same step. Main thread, except where said.
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "player/engine/HostEngines.h"
#include "player/library/LibraryDatabase.h"
#include "player/library/LibraryScan.h"
#include "player/library/RecordKeeper.h"

namespace player::library {

class LibrarySync {
public:
    // The name of the library's own playlist, which is always there.
    static constexpr const char* library_playlist_name = "Library";

    LibrarySync(HostEngines& engines, std::string database_path, ScanSources sources, HWND__* progress_parent = nullptr);
    ~LibrarySync();
    LibrarySync(const LibrarySync&) = delete;
    LibrarySync& operator=(const LibrarySync&) = delete;

    // Reads the database: the library, its playlist and the stored playlists, the stored one active.
    void load();
    // Scans every library folder in the background (a scan running is let finish, then one more runs).
    void scan();
    // Adds a folder to the library and scans it; false when it was there already (it is scanned anyway).
    bool add_folder(const std::string& folder);
    // Adds folders to the library (those there already are kept once), then scans every library folder:
    // as at start-up, when the command line names folders and the others must stay right too.
    void add_folders_and_scan(const std::vector<std::string>& folders);
    // Forgets a folder and the tracks only it held.
    void remove_folder(const std::string& folder);
    std::vector<std::string> folders();

    bool scanning() const noexcept { return scanning_; }
    // Cancels a running scan; what it found so far is kept. Its end still arrives through the queue.
    void cancel();
    // Stores the playlists (names, items, the active one).
    void save_playlists();

    // Where the library's playlist is now (it is recreated if someone removed it).
    std::size_t library_playlist();
    // The files the last scan could not read, and a line for the status ("3 files could not be read").
    const std::vector<std::string>& unreadable() const noexcept { return unreadable_; }
    std::string status_text() const;
    // Tracks known to the library.
    std::size_t track_count() const noexcept { return known_.size(); }

private:
    struct scan_job;
    void start_scan(std::vector<std::string> folders);
    void apply(ScanBatch& batch);
    void finished(scan_job& job);
    // The tracks leave every playlist and the library; their records go.
    void forget(const std::vector<std::string>& paths);
    // The player wrote these files: the next scan compares with their new sizes and times.
    void kept(const std::vector<FoundFile>& files);

    HostEngines& engines_;
    std::string path_;
    ScanSources sources_;
    HWND__* progress_parent_;
    std::unique_ptr<LibraryDatabase> database_;
    // Keeps the player's own writes in the database; handed to the tag writing engine while this lives.
    std::unique_ptr<RecordKeeper> keeper_;
    std::unordered_map<std::string, FileStamp> known_;
    std::shared_ptr<scan_job> running_;
    bool scanning_ = false;
    bool scan_again_ = false;
    std::vector<std::string> unreadable_;
    std::vector<std::string> pending_unreadable_;
    // What the worker's posts reach this object through: gone with it.
    std::shared_ptr<LibrarySync*> self_ = std::make_shared<LibrarySync*>(this);
};

}  // namespace player::library
