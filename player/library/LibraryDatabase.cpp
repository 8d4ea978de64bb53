#include "player/library/LibraryDatabase.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "player/db/Statement.h"
#include "player/library/PathCase.h"
#include "player/library/RecordCodec.h"

namespace player::library {
namespace {

namespace fs = std::filesystem;

constexpr const char* schema = R"(
CREATE TABLE IF NOT EXISTS folders(id INTEGER PRIMARY KEY, path TEXT NOT NULL UNIQUE);
CREATE TABLE IF NOT EXISTS tracks(id INTEGER PRIMARY KEY, path TEXT NOT NULL UNIQUE, size INTEGER NOT NULL,
                                  mtime INTEGER NOT NULL, record BLOB NOT NULL);
CREATE TABLE IF NOT EXISTS playlists(position INTEGER PRIMARY KEY, name TEXT NOT NULL, library INTEGER NOT NULL,
                                     active INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS playlist_items(playlist INTEGER NOT NULL, position INTEGER NOT NULL, path TEXT NOT NULL,
                                          PRIMARY KEY(playlist, position)) WITHOUT ROWID;
)";

fs::path fs_path(const std::string& utf8) { return fs::u8path(utf8); }

std::string utf8_of(const fs::path& path) { return path.u8string(); }

// The database and its log files move together to the first free name `<stem>.damaged-N<ext>`.
std::string set_aside(const std::string& path) {
    fs::path from = fs_path(path);
    for (int n = 1;; ++n) {
        fs::path to = from;
        to.replace_filename(fs::u8path(from.stem().u8string() + ".damaged-" + std::to_string(n) + from.extension().u8string()));
        std::error_code error;
        if (fs::exists(to, error)) continue;
        fs::rename(from, to);  // throws: a file that cannot be moved aside is not replaced
        for (const char* suffix : {"-wal", "-shm"}) {
            fs::path log = from;
            log += suffix;
            fs::path moved = to;
            moved += suffix;
            if (fs::exists(log, error)) fs::rename(log, moved, error);
        }
        return utf8_of(to);
    }
}

std::vector<std::string> salvage_folders(const std::string& path) {
    try {
        db::Database db(path);
        db::Statement select(db, "SELECT path FROM folders ORDER BY id");
        std::vector<std::string> out;
        while (select.step()) out.push_back(select.text(0));
        return out;
    } catch (const std::exception&) {
        return {};
    }
}

fs::path folder_list_of(const std::string& database_path) {
    fs::path list = fs_path(database_path);
    list.replace_filename(fs::u8path(list.stem().u8string() + "-folders.txt"));
    return list;
}

}  // namespace

void keep_folder_list(const std::string& database_path, const std::vector<std::string>& folders) {
    if (database_path == ":memory:") return;
    fs::path list = folder_list_of(database_path);
    fs::path temporary = list;
    temporary += ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        for (const auto& folder : folders) out << folder << '\n';
        if (!out.flush()) return;
    }
    std::error_code error;
    fs::rename(temporary, list, error);
}

std::vector<std::string> read_folder_list(const std::string& database_path) {
    std::vector<std::string> folders;
    if (database_path == ":memory:") return folders;
    std::ifstream in(folder_list_of(database_path), std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) folders.push_back(line);
    }
    return folders;
}

namespace {

bool is_below_exactly(const std::string& path, const std::string& folder) {
    if (folder.empty() || path.size() <= folder.size() || path.compare(0, folder.size(), folder) != 0) return false;
    char last = folder.back();
    if (last == '\\' || last == '/') return true;
    char next = path[folder.size()];
    return next == '\\' || next == '/';
}

}  // namespace

bool is_below(const std::string& path, const std::string& folder) {
    return is_below_exactly(path, folder) || is_below_exactly(path_key(path), path_key(folder));
}

LibraryDatabase::LibraryDatabase(const std::string& path) : db_(path) {
    // The log survives a process killed at any point; a power cut may lose the last commits, never the file.
    db_.exec("PRAGMA journal_mode=WAL");
    db_.exec("PRAGMA synchronous=NORMAL");
    db_.exec(schema);
}

std::vector<std::string> LibraryDatabase::folders() {
    db::Statement select(db_, "SELECT path FROM folders ORDER BY id");
    std::vector<std::string> out;
    while (select.step()) out.push_back(select.text(0));
    return out;
}

bool LibraryDatabase::add_folder(const std::string& folder) {
    for (const auto& known : folders())
        if (same_path(known, folder)) return false;
    db::Statement insert(db_, "INSERT OR IGNORE INTO folders(path) VALUES (?1)");
    insert.bind(1, folder).run();
    return db_.changes() > 0;
}

std::vector<std::string> LibraryDatabase::remove_folder(const std::string& folder) {
    db::Transaction transaction(db_);
    db::Statement forget(db_, "DELETE FROM folders WHERE path = ?1");
    for (const auto& known : folders())
        if (same_path(known, folder)) forget.bind(1, known).run();
    std::vector<std::string> others = folders();
    std::vector<std::string> removed;
    {
        db::Statement select(db_, "SELECT path FROM tracks");
        while (select.step()) {
            std::string path = select.text(0);
            if (!is_below(path, folder)) continue;
            bool kept = false;
            for (const auto& other : others) kept = kept || is_below(path, other);
            if (!kept) removed.push_back(std::move(path));
        }
    }
    db::Statement erase(db_, "DELETE FROM tracks WHERE path = ?1");
    for (const auto& path : removed) erase.bind(1, path).run();
    transaction.commit();
    return removed;
}

std::vector<StoredTrack> LibraryDatabase::tracks() {
    db::Statement select(db_, "SELECT path, size, mtime, record FROM tracks ORDER BY id");
    std::vector<StoredTrack> out;
    while (select.step()) {
        StoredTrack track;
        track.path = select.text(0);
        track.stamp = {select.integer(1), select.integer(2)};
        auto bytes = select.blob(3);
        track.record = decode_record(bytes.data(), bytes.size());
        out.push_back(std::move(track));
    }
    return out;
}

void LibraryDatabase::write(const std::vector<const StoredTrack*>& found, const std::vector<std::string>& removed) {
    if (found.empty() && removed.empty()) return;
    db::Transaction transaction(db_);
    db::Statement upsert(db_,
                         "INSERT INTO tracks(path, size, mtime, record) VALUES (?1, ?2, ?3, ?4) "
                         "ON CONFLICT(path) DO UPDATE SET size = excluded.size, mtime = excluded.mtime, "
                         "record = excluded.record");
    for (const StoredTrack* track : found) {
        upsert.bind(1, track->path)
            .bind(2, track->stamp.size)
            .bind(3, track->stamp.mtime)
            .bind(4, encode_record(track->record))
            .run();
    }
    db::Statement erase(db_, "DELETE FROM tracks WHERE path = ?1");
    for (const auto& path : removed) erase.bind(1, path).run();
    transaction.commit();
}

void LibraryDatabase::keep_written(const std::vector<const StoredTrack*>& written) {
    if (written.empty()) return;
    db::Transaction transaction(db_);
    db::Statement update(db_, "UPDATE tracks SET size = ?2, mtime = ?3, record = ?4 WHERE path = ?1");
    for (const StoredTrack* track : written) {
        update.bind(1, track->path)
            .bind(2, track->stamp.size)
            .bind(3, track->stamp.mtime)
            .bind(4, encode_record(track->record))
            .run();
    }
    transaction.commit();
}

std::vector<std::string> LibraryDatabase::forget_case_duplicates() {
    std::vector<std::string> duplicates;
    // Once per database: since the library takes every path in the spelling it knows, no new pair arises.
    constexpr std::int64_t paths_merged = 1;
    {
        db::Statement version(db_, "PRAGMA user_version");
        if (version.step() && version.integer(0) >= paths_merged) return duplicates;
    }
    PathSpellings spellings;
    {
        db::Statement select(db_, "SELECT path FROM tracks ORDER BY id");
        while (select.step()) {
            std::string path = select.text(0);
            if (spellings.spelling(path) != path) duplicates.push_back(std::move(path));
        }
    }
    db::Transaction transaction(db_);
    db::Statement erase(db_, "DELETE FROM tracks WHERE path = ?1");
    for (const auto& path : duplicates) erase.bind(1, path).run();
    db_.exec(("PRAGMA user_version = " + std::to_string(paths_merged)).c_str());
    transaction.commit();
    return duplicates;
}

StoredPlaylists LibraryDatabase::playlists() {
    StoredPlaylists out;
    db::Statement lists(db_, "SELECT position, name, library, active FROM playlists ORDER BY position");
    std::vector<std::int64_t> positions;
    while (lists.step()) {
        positions.push_back(lists.integer(0));
        StoredPlaylist list;
        list.name = lists.text(1);
        list.library = lists.integer(2) != 0;
        if (lists.integer(3)) out.active = out.lists.size();
        out.lists.push_back(std::move(list));
    }
    db::Statement items(db_, "SELECT path FROM playlist_items WHERE playlist = ?1 ORDER BY position");
    for (std::size_t i = 0; i < positions.size(); ++i) {
        items.bind(1, positions[i]);
        while (items.step()) out.lists[i].paths.push_back(items.text(0));
        items.reset();
    }
    return out;
}

void LibraryDatabase::save_playlists(const StoredPlaylists& playlists) {
    db::Transaction transaction(db_);
    db_.exec("DELETE FROM playlist_items; DELETE FROM playlists;");
    db::Statement list(db_, "INSERT INTO playlists(position, name, library, active) VALUES (?1, ?2, ?3, ?4)");
    db::Statement item(db_, "INSERT INTO playlist_items(playlist, position, path) VALUES (?1, ?2, ?3)");
    for (std::size_t i = 0; i < playlists.lists.size(); ++i) {
        const auto& p = playlists.lists[i];
        list.bind(1, std::int64_t(i))
            .bind(2, p.name)
            .bind(3, std::int64_t(p.library))
            .bind(4, std::int64_t(i == playlists.active))
            .run();
        if (p.library) continue;
        for (std::size_t k = 0; k < p.paths.size(); ++k)
            item.bind(1, std::int64_t(i)).bind(2, std::int64_t(k)).bind(3, p.paths[k]).run();
    }
    transaction.commit();
}

OpenedLibrary open_library(const std::string& path) {
    OpenedLibrary opened;
    try {
        opened.database = std::make_unique<LibraryDatabase>(path);
        opened.case_duplicates = opened.database->forget_case_duplicates();
        opened.tracks = opened.database->tracks();
        opened.database->playlists();
        return opened;
    } catch (const std::exception& e) {
        opened.problem = e.what();
    }
    opened.database.reset();
    opened.tracks.clear();
    opened.salvaged_folders = salvage_folders(path);
    for (auto& folder : read_folder_list(path)) {
        if (std::find(opened.salvaged_folders.begin(), opened.salvaged_folders.end(), folder) ==
            opened.salvaged_folders.end())
            opened.salvaged_folders.push_back(std::move(folder));
    }
    opened.set_aside_as = set_aside(path);
    opened.database = std::make_unique<LibraryDatabase>(path);
    for (const auto& folder : opened.salvaged_folders) opened.database->add_folder(folder);
    return opened;
}

}  // namespace player::library
