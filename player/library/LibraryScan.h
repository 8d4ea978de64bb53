#pragma once
// One pass over the library folders, on a worker thread: the files below them are listed with their
// size and time, compared with what the library knows, and only the new and changed files are read.
// Results come in batches, in the order the files were listed; files gone from the folders are named
// at the end. Unreadable audio files are named too; files that are no audio are passed over.
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "player/library/LibraryDatabase.h"
#include "sdk/abort.h"

namespace player::library {

struct FoundFile {
    std::string path;
    FileStamp stamp;
};

// How the scan reaches the disk: the player lists folders and reads tags with TagLib, tests hand in
// their own.
struct ScanSources {
    // Every file below the folder (empty when it cannot be read).
    std::function<std::vector<FoundFile>(const std::string& folder)> list;
    // The record of a file, or nullopt when it cannot be read as audio. Called on several threads at once.
    std::function<std::optional<sonavel::file_info_impl>(const std::string& path)> read;
    // Whether a file is named as audio (an unreadable one is then worth reporting).
    std::function<bool(const std::string& path)> named_as_audio;
    // Threads that read at once; 0: one per processor, up to four.
    std::size_t readers = 0;
    // One file's size and time as `list` gives them (nullopt when it is not there), after the player wrote it.
    std::function<std::optional<FileStamp>(const std::string& path)> stamp;
};

struct ScanBatch {
    std::vector<StoredTrack> found;     // new or changed
    std::vector<std::string> removed;   // gone from the folders
    std::vector<std::string> unreadable;  // "path: why"
};

struct ScanProgress {
    std::size_t done = 0, total = 0;
    std::string path;
};

// Runs the scan. `known` is what the library holds; `batch` gets each batch (a nonempty one), `progress`
// is told of each file read. Stops early, with what it found so far, when `abort` is set.
void scan_folders(const std::vector<std::string>& folders, const std::unordered_map<std::string, FileStamp>& known,
                  const ScanSources& sources, std::size_t batch_size, sonavel::abort_callback& abort,
                  const std::function<void(ScanBatch&&)>& batch, const std::function<void(const ScanProgress&)>& progress);

}  // namespace player::library
