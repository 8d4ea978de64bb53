// The stand-in player: loads the component (quennet.dll beside the program, or a .dll named on the command
// line), adds the music folders named on the command line to the library and the playlist, and runs
// until its window is closed. Configuration is kept beside the program.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <cstdio>
#include <string>

#include "player/app/PlayerApp.h"
#include "sdk/errors.h"
#include "sdk/utf8.h"

namespace {

std::wstring program_folder() {
    std::wstring path(MAX_PATH, L'\0');
    DWORD length;
    while ((length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()))) == path.size()) path.resize(path.size() * 2);
    path.resize(length);
    return path.substr(0, path.find_last_of(L"\\/"));
}

bool ends_with_dll(const std::wstring& text) {
    return text.size() > 4 && lstrcmpiW(text.c_str() + text.size() - 4, L".dll") == 0;
}

class com_apartment {
public:
    com_apartment() : ok_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~com_apartment() {
        if (ok_) CoUninitialize();
    }
    com_apartment(const com_apartment&) = delete;
    com_apartment& operator=(const com_apartment&) = delete;

private:
    bool ok_;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    com_apartment com;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    player::PlayerOptions options;
    options.config_folder = program_folder();
    options.component = options.config_folder + L"\\quennet.dll";
    options.default_layout = options.config_folder + L"\\default-layout.cfg";
    for (int i = 1; i < argc; ++i) {
        if (ends_with_dll(argv[i])) options.component = argv[i];
        else options.folders.push_back(argv[i]);
    }
    try {
        player::PlayerApp app(options);
        return app.run();
    } catch (const std::exception& e) {
        std::string text = "The player could not start: " + sonavel::message_of(e);
        std::fprintf(stderr, "%s\n", text.c_str());
        MessageBoxW(nullptr, sonavel::utf8_to_wide(text).c_str(), sonavel::utf8_to_wide(player::player_title).c_str(),
                    MB_ICONERROR);
        return 1;
    }
}
