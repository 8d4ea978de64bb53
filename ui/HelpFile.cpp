#include "ui/HelpFile.h"

#include <windows.h>

#include "host/ComponentClient.h"
#include "sdk/core_api.h"
#include "sdk/win/uwin.h"

namespace quennet {

namespace {

std::string directory_of(const std::string& path) {
    const std::size_t cut = path.find_last_of("/\\:|");
    return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

}  // namespace

std::string help_file_path(const std::string& directory) {
    std::string path = directory;
    if (!path.empty() && path.back() != '\\' && path.back() != '/' && path.back() != '|') path += '\\';
    return path + "help\\quennet_help.html";
}

bool open_help_file() {
    const ComponentClient& client = ComponentClient::instance();
    const std::string path = help_file_path(directory_of(client.library_path()));
    const HINSTANCE result = sonavel::uShellExecute(nullptr, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    if (reinterpret_cast<INT_PTR>(result) > 32) return true;
    sonavel::uMessageBox(static_cast<HWND>(sonavel::core()->get_main_window()), "Unable to open help file",
                         client.library_file_name().c_str(), MB_OK);
    return false;
}

}  // namespace quennet
