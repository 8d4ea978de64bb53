// One tag write through the docked panel as a user makes it, timed from the answer to the large-update
// warning to the last file written: the player started on a folder (its import done), a GENRE panel
// docked, Ctrl+A in the playlist, a value typed into the panel's add box, Enter, the warning box answered
// Yes, and then the wait until the status bar says every file was updated and the player's tag writer
// has nothing running (checked after each message the window handles), and on until the window has
// handled what that left in its queue (the rows drawn again). Keys go through the system's input queue (SendInput), as a keyboard's do.
//   usage: panel_write_bench_win32.exe <component.dll> <config folder> <music folder> [value (Jazz)]
// Prints "yes to written: <ms> ms (cpu <ms>), <n> files; to the window redrawn: <ms> ms", "box shown to written: <ms> ms"
// (the clock started when the box was activated, before it was drawn) and the status line; exit code 1 when the
// write did not end as "Updated <n> files".
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "player/app/PlayerApp.h"
#include "presets/PresetStore.h"
#include "resources/resource.h"
#include "sdk/utf8.h"

namespace {

using clock_type = std::chrono::steady_clock;

double cpu_ms() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto ticks = [](FILETIME t) { return double((std::uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10'000.0; };
    return ticks(kernel) + ticks(user);
}

void pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// Handles messages one at a time until `done` holds after one of them, or `timeout_ms` has passed;
// false on the timeout. Between messages the thread sleeps as the player's own loop does in GetMessage:
// a loop that looked every millisecond would take the processor and the wine server from the work timed.
// `done` must only change through the messages handled here.
template <typename Done>
bool pump_until(const Done& done, int timeout_ms) {
    const auto end = clock_type::now() + std::chrono::milliseconds(timeout_ms);
    MSG message;
    while (!done()) {
        const auto now = clock_type::now();
        if (now > end) return false;
        if (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        } else {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - now).count();
            MsgWaitForMultipleObjectsEx(0, nullptr, DWORD(std::min<long long>(left + 1, 100)), QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        }
    }
    return true;
}

// The warning box, answered Yes the moment it is shown, as a click on its Yes button arrives: the clock
// starts when the box takes that answer from its queue (a user cannot click before the box is drawn).
struct WarningAnswer {
    HWND box = nullptr;
    clock_type::time_point shown{};
    clock_type::time_point yes{};
    double yes_cpu = 0;
    int boxes = 0;
};
thread_local WarningAnswer warning;

LRESULT CALLBACK on_cbt(int code, WPARAM wparam, LPARAM lparam) noexcept {
    if (code == HCBT_ACTIVATE) {
        HWND window = reinterpret_cast<HWND>(wparam);
        wchar_t name[16] = {};
        GetClassNameW(window, name, 16);
        if (std::wstring(name) == L"#32770" && GetDlgItem(window, IDYES)) {
            ++warning.boxes;
            warning.box = window;
            warning.shown = clock_type::now();
            PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDYES, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, IDYES)));
        }
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

LRESULT CALLBACK on_message_taken(int code, WPARAM wparam, LPARAM lparam) noexcept {
    const auto* message = reinterpret_cast<const MSG*>(lparam);
    if (code >= 0 && wparam == PM_REMOVE && warning.box && message->hwnd == warning.box &&
        message->message == WM_COMMAND && LOWORD(message->wParam) == IDYES) {
        warning.yes = clock_type::now();
        warning.yes_cpu = cpu_ms();
    }
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

struct Hook {
    HHOOK handle;
    explicit Hook(HHOOK h) : handle(h) {}
    ~Hook() { if (handle) UnhookWindowsHookEx(handle); }
    Hook(const Hook&) = delete;
    Hook& operator=(const Hook&) = delete;
};

INPUT key(WORD virtual_key, wchar_t unit, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtual_key;
    input.ki.wScan = unit ? unit : WORD(MapVirtualKeyW(virtual_key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = (unit ? KEYEVENTF_UNICODE : 0) | (up ? KEYEVENTF_KEYUP : 0);
    return input;
}

// Gives `target` the foreground and the focus, then sends the keys and handles them.
bool type_into(HWND target, std::vector<INPUT> keys) {
    // The window manager may take a moment to hand the foreground over.
    const bool focused = pump_until([&] {
        if (GetFocus() == target) return true;
        SetForegroundWindow(GetAncestor(target, GA_ROOT));
        SetFocus(target);
        return GetFocus() == target;
    }, 2'000);
    if (!focused) return false;
    if (SendInput(UINT(keys.size()), keys.data(), sizeof(INPUT)) != keys.size()) return false;
    pump_until([] { return false; }, 60);
    return true;
}

std::vector<std::uint8_t> genre_panel_config() {
    quennet::Options preset;
    preset.name = "Genres";
    preset.metadata_field = "GENRE";
    sonavel::stream_writer_buffer config;
    sonavel::abort_callback_dummy abort;
    quennet::write_store(config, abort, preset, {preset});
    return config.data();
}

int fail(const char* what) {
    std::fprintf(stderr, "panel write bench: %s\n", what);
    return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: panel_write_bench_win32.exe <component.dll> <config folder> <music folder> [value]\n");
        return 2;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    const std::wstring value = argc > 4 ? argv[4] : L"Jazz";
    player::PlayerOptions options;
    options.component = argv[1];
    options.config_folder = argv[2];
    options.folders = {argv[3]};
    int rc = 0;
    {
        auto app = std::make_unique<player::PlayerApp>(options);
        auto& engines = app->engines();
        auto& window = app->window();
        UpdateWindow(window.frame());
        if (!pump_until([&] { return !app->library().scanning(); }, 600'000)) return fail("the import did not end");
        const std::size_t playlist = engines.playlists.get_active_playlist();
        const std::size_t tracks = engines.playlists.get_item_count(playlist);
        const sonavel::guid* type = nullptr;
        for (const auto& t : window.panel_types())
            if (t.name == "Varnel Panel") type = &t.type;
        if (!type) return fail("the component's panel is not registered");
        HWND add = GetDlgItem(window.dock(*type, genre_panel_config()).window(), IDC_PANEL_ADD);
        pump_until([] { return false; }, 50);

        // Ctrl+A in the playlist.
        HWND list = window.playlist().window();
        if (!type_into(list, {key(VK_CONTROL, 0, false), key('A', 0, false), key('A', 0, true), key(VK_CONTROL, 0, true)}))
            return fail("the playlist did not take the keys");
        if (!pump_until([&] { return engines.playlists.get_selected_items(playlist).size() == tracks; }, 10'000))
            return fail("Ctrl+A did not select every track");
        // The value typed into the add box, then Enter; the warning is answered as it shows.
        std::vector<INPUT> keys;
        for (wchar_t unit : value) {
            keys.push_back(key(0, unit, false));
            keys.push_back(key(0, unit, true));
        }
        if (!type_into(add, keys)) return fail("the add box did not take the keys");
        const std::wstring expected = L"Updated " + std::to_wstring(tracks) + (tracks == 1 ? L" file" : L" files");
        auto news = [&] { return window.status().bar().text(player::PlayerStatus::part_news); };
        Hook hook(SetWindowsHookExW(WH_CBT, on_cbt, nullptr, GetCurrentThreadId()));
        Hook taken(SetWindowsHookExW(WH_GETMESSAGE, on_message_taken, nullptr, GetCurrentThreadId()));
        if (!type_into(add, {key(VK_RETURN, 0, false), key(VK_RETURN, 0, true)})) return fail("Enter did not reach the add box");
        // More files than the warning's threshold (100) are needed for the box; without it there is no Yes.
        const bool done = pump_until([&] { return engines.io.running() == 0 && news() == expected; }, 120'000);
        const auto written = clock_type::now();
        const double elapsed = std::chrono::duration<double, std::milli>(written - warning.yes).count();
        const double from_shown = std::chrono::duration<double, std::milli>(written - warning.shown).count();
        const double cpu = cpu_ms() - warning.yes_cpu;
        // Then what the window does with the news: the panel refilled, the rows drawn again.
        pump();
        const double settled = std::chrono::duration<double, std::milli>(clock_type::now() - warning.yes).count();
        if (warning.boxes != 1) return fail("the large-update warning was not shown once");
        if (warning.yes == clock_type::time_point{}) return fail("the warning box did not take the Yes");
        std::printf("yes to written: %.1f ms (cpu %.1f), %zu files; to the window redrawn: %.1f ms\n", elapsed, cpu,
                    tracks, settled);
        std::printf("box shown to written: %.1f ms\n", from_shown);
        std::printf("status: %s\n", sonavel::wide_to_utf8(news()).c_str());
        if (!done) rc = fail("the write did not end as every file updated");
    }
    CoUninitialize();
    return rc;
}
