#pragma once
// The library's database file: the library folders, every track found below them (path, size, time of
// last change, the record read from it) and the user's playlists. SQLite in write-ahead-log mode: a
// process ended at any moment leaves the last committed state. One object per connection; a connection
// is used by one thread at a time, and several connections may share the file.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "player/db/Database.h"
#include "sdk/file_info.h"

namespace player::library {

// What a scan compares to tell a changed file: its size and the time it was last written.
struct FileStamp {
    std::int64_t size = 0;
    std::int64_t mtime = 0;
    friend bool operator==(const FileStamp& a, const FileStamp& b) noexcept {
        return a.size == b.size && a.mtime == b.mtime;
    }
    friend bool operator!=(const FileStamp& a, const FileStamp& b) noexcept { return !(a == b); }
};

struct StoredTrack {
    std::string path;
    FileStamp stamp;
    sonavel::file_info_impl record;
};

struct StoredPlaylist {
    std::string name;
    bool library = false;            // the library's own playlist: its items are the library's tracks
    std::vector<std::string> paths;  // the items of any other playlist
};

struct StoredPlaylists {
    std::vector<StoredPlaylist> lists;
    std::size_t active = 0;
};

class LibraryDatabase {
public:
    // Opens (creating when missing) the database; throws db::DatabaseError when the file is damaged or no
    // database.
    explicit LibraryDatabase(const std::string& path);

    std::vector<std::string> folders();
    // False when the folder was there already (in any letter case).
    bool add_folder(const std::string& folder);
    // Forgets the folder (named in any letter case) and the tracks below it that no other library folder
    // holds; returns their paths.
    std::vector<std::string> remove_folder(const std::string& folder);

    // Every stored track, in the order they were first found. Throws for a damaged record.
    std::vector<StoredTrack> tracks();
    // Stores found and changed tracks and forgets removed ones, all in one transaction.
    void write(const std::vector<const StoredTrack*>& found, const std::vector<std::string>& removed);
    // What the player's own tag writing left in files: the stored tracks among them take the new records,
    // sizes and times, in one transaction. Files the library does not hold are passed over.
    void keep_written(const std::vector<const StoredTrack*>& written);
    // Of tracks whose paths differ only in letter case (one file), keeps the first found and forgets the
    // others; returns the paths forgotten. Looks once in the life of a database (noted in its user version).
    std::vector<std::string> forget_case_duplicates();

    StoredPlaylists playlists();
    void save_playlists(const StoredPlaylists& playlists);

private:
    db::Database db_;
};

// The library folders are also kept in a small text file beside the database ("library-folders.txt"
// beside "library.db"), one UTF-8 path a line: a damaged database is rebuilt from them.
void keep_folder_list(const std::string& database_path, const std::vector<std::string>& folders);
std::vector<std::string> read_folder_list(const std::string& database_path);

// True when `path` lies below `folder` (either separator, any letter case).
bool is_below(const std::string& path, const std::string& folder);

// The library database at `path` as start-up meets it: a file that cannot be opened or read as one is
// set aside under a new name (never deleted) and a new, empty database takes its place.
struct OpenedLibrary {
    std::unique_ptr<LibraryDatabase> database;
    std::vector<StoredTrack> tracks;
    // Tracks forgotten as another spelling of a path stored first.
    std::vector<std::string> case_duplicates;
    // When a damaged file was set aside: the name it has now, why, and the folders read from it if any.
    std::string set_aside_as;
    std::string problem;
    std::vector<std::string> salvaged_folders;
};
OpenedLibrary open_library(const std::string& path);

}  // namespace player::library
