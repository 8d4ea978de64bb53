#pragma once
// Folders and files dropped onto the main window, as the library takes them: a folder as it is, a file by
// the folder that holds it (the library keeps folders), each folder once, in the order dropped. Main
// thread.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

namespace player {

// The dropped paths; the drop is not finished here (DragFinish stays the caller's).
std::vector<std::wstring> dropped_paths(HDROP drop);
std::vector<std::wstring> folders_to_add(const std::vector<std::wstring>& paths);

}  // namespace player
