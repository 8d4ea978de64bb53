#pragma once
// Writing a stored file so that a failure halfway (a full disk, an error, the process ending) leaves the
// previous file as it was: the bytes go to a file beside it, which takes its place only once complete.
#include <functional>
#include <string>

#include "sdk/stream.h"

namespace player {

using file_contents = std::function<void(sonavel::stream_writer& writer, sonavel::abort_callback& abort)>;

// Writes what `write` produces as the file at `utf8_path`; throws the host's I/O error (or what `write`
// throws) and then leaves the old file and no staged file behind.
void write_file_replacing(const std::string& utf8_path, const file_contents& write);

// The staged file's path for `utf8_path`.
std::string staged_path_of(const std::string& utf8_path);

}  // namespace player
