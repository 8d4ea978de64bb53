#pragma once
// The component's help page, "help\quennet_help.html" beside its library file.
#include <string>

namespace quennet {

// The help page's path for the library directory `directory`.
std::string help_file_path(const std::string& directory);
// Opens the help page with the shell; shows "Unable to open help file" and returns false when the shell
// cannot.
bool open_help_file();

}  // namespace quennet
