#include "player/engine/FileReplacement.h"

#include <cstdio>

#ifdef _WIN32
#include <windows.h>

#include "sdk/utf8.h"
#endif

#include "sdk/errors.h"

namespace player {

namespace {

bool replace(const std::string& from, const std::string& to) {
#ifdef _WIN32
    return MoveFileExW(sonavel::utf8_to_wide(from).c_str(), sonavel::utf8_to_wide(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
#else
    return std::rename(from.c_str(), to.c_str()) == 0;
#endif
}

void remove_file(const std::string& path) {
#ifdef _WIN32
    DeleteFileW(sonavel::utf8_to_wide(path).c_str());
#else
    std::remove(path.c_str());
#endif
}

}  // namespace

std::string staged_path_of(const std::string& utf8_path) { return utf8_path + ".new"; }

void write_file_replacing(const std::string& utf8_path, const file_contents& write) {
    const std::string staged = staged_path_of(utf8_path);
    try {
        {
            sonavel::abort_callback_dummy abort;
            sonavel::file_writer file(staged.c_str());
            write(file, abort);
            file.flush();
        }
        if (!replace(staged, utf8_path)) throw sonavel::exception_io_data();
    } catch (...) {
        remove_file(staged);
        throw;
    }
}

}  // namespace player
