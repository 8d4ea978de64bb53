// tagread: the player's import reading on the command line, for benchmarks: the files of a folder are
// read as a library scan reads new files (their records through TagLib, on the scan's reader threads,
// taken in the order of the listing), and the time of the reading is printed.
//   tagread [--readers N] <folder>   (N: 0, the default, for the scan's own choice)
// Exit code: 0 when every file was read, 1 when some were not, 2 on a usage error.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "player/app/TagReader.h"
#include "player/library/LibraryScan.h"
#include "sdk/abort.h"
#include "sdk/utf8.h"

namespace {

std::wstring wide(const std::string& utf8) {
#ifdef _WIN32
    return sonavel::utf8_to_wide(utf8);
#else
    std::wstring out;
    for (unsigned char c : utf8) out += static_cast<wchar_t>(c);  // ASCII names only here
    return out;
#endif
}

}  // namespace

int main(int argc, char** argv) {
    std::size_t readers = 0;
    std::string folder;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--readers") && i + 1 < argc) {
            readers = static_cast<std::size_t>(std::atoi(argv[++i]));
        } else {
            folder = argv[i];
        }
    }
    if (folder.empty()) {
        std::fputs("usage: tagread [--readers N] <folder>\n", stderr);
        return 2;
    }
    auto start = std::chrono::steady_clock::now();
    std::vector<player::library::FoundFile> files;
    for (const auto& item : std::filesystem::directory_iterator(std::filesystem::u8path(folder)))
        files.push_back({item.path().u8string(), {static_cast<std::int64_t>(item.file_size()), 1}});
    std::sort(files.begin(), files.end(), [](const auto& a, const auto& b) { return a.path < b.path; });
    auto listed = std::chrono::steady_clock::now();

    player::library::ScanSources sources;
    sources.list = [&](const std::string&) { return files; };
    sources.read = [](const std::string& path) { return player::read_track_record(wide(path)); };
    sources.named_as_audio = [](const std::string&) { return true; };
    sources.readers = readers;
    std::size_t found = 0, unreadable = 0;
    sonavel::abort_callback_dummy abort;
    player::library::scan_folders(
        {folder}, {}, sources, 256, abort,
        [&](player::library::ScanBatch&& batch) {
            found += batch.found.size();
            unreadable += batch.unreadable.size();
            for (const auto& line : batch.unreadable) std::fprintf(stderr, "%s\n", line.c_str());
        },
        [](const player::library::ScanProgress&) {});
    auto read = std::chrono::steady_clock::now();
    double list_ms = std::chrono::duration<double, std::milli>(listed - start).count();
    double read_ms = std::chrono::duration<double, std::milli>(read - listed).count();
    std::printf("read %zu files (%zu unreadable) in %.1f ms, %.3f ms/file; listing %.1f ms\n", found, unreadable,
                read_ms, files.empty() ? 0.0 : read_ms / static_cast<double>(files.size()), list_ms);
    return unreadable == 0 ? 0 : 1;
}
