// The player's start with a library of many tracks, in-process under wine: cold (the first import of a
// folder, no database yet) and warm (the library from its database), each to a usable window (the
// window shown and painted with its rows), the background scan to its end, then select-all of the
// library's playlist and a click on one row after it, each until the window has handled every message.
//   usage: library_bench_win32.exe <component.dll> <config folder> <music folder> [warm runs (3)]
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "player/app/PlayerApp.h"
#include "sdk/utf8.h"

namespace {

using clock_type = std::chrono::steady_clock;

// Time this process spent on a processor, user and system (the machine may be shared).
double cpu_ms() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto ticks = [](FILETIME t) { return double((std::uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10'000.0; };
    return ticks(kernel) + ticks(user);
}

double ms_since(clock_type::time_point start) {
    return std::chrono::duration<double, std::milli>(clock_type::now() - start).count();
}

// Handles every message waiting (the player's queued work included), painting too.
void pump() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

template <typename Done>
void pump_until(const Done& done) {
    while (!done()) {
        pump();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

struct Started {
    std::unique_ptr<player::PlayerApp> app;
    double window_ms = 0, scan_ms = 0;          // wall clock
    double window_cpu = 0, scan_cpu = 0;        // this process on a processor
};

Started start(const std::wstring& component, const std::wstring& config, const std::vector<std::wstring>& folders) {
    player::PlayerOptions options;
    options.component = component;
    options.config_folder = config;
    options.folders = folders;
    Started s;
    auto t0 = clock_type::now();
    double c0 = cpu_ms();
    s.app = std::make_unique<player::PlayerApp>(options);
    UpdateWindow(s.app->window().frame());
    pump();
    s.window_ms = ms_since(t0);
    s.window_cpu = cpu_ms() - c0;
    pump_until([&] { return !s.app->library().scanning(); });
    s.scan_ms = ms_since(t0);
    s.scan_cpu = cpu_ms() - c0;
    return s;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: library_bench_win32.exe <component.dll> <config folder> <music folder> [warm runs]\n");
        return 2;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    const std::wstring component = argv[1], config = argv[2], music = argv[3];
    const int warm_runs = argc > 4 ? _wtoi(argv[4]) : 3;
    for (const wchar_t* name : {L"library.db", L"library.db-wal", L"library.db-shm", L"library-folders.txt"})
        DeleteFileW((config + L"\\" + name).c_str());

    std::size_t tracks = 0;
    {
        Started cold = start(component, config, {music});
        tracks = cold.app->library().track_count();
        double files = double(std::max<std::size_t>(tracks, 1));
        std::printf("cold   %7zu tracks: window %8.1f ms (cpu %8.1f), import done %9.1f ms (cpu %9.1f), %.3f ms/file "
                    "(cpu %.3f)\n",
                    tracks, cold.window_ms, cold.window_cpu, cold.scan_ms, cold.scan_cpu, cold.scan_ms / files,
                    cold.scan_cpu / files);
    }
    std::vector<double> windows, scans, select_all, click, windows_cpu, scans_cpu, select_all_cpu, click_cpu;
    for (int run = 0; run < warm_runs; ++run) {
        Started warm = start(component, config, {});
        windows.push_back(warm.window_ms);
        scans.push_back(warm.scan_ms);
        windows_cpu.push_back(warm.window_cpu);
        scans_cpu.push_back(warm.scan_cpu);
        auto& engines = warm.app->engines();
        HWND list = warm.app->window().playlist().window();
        std::size_t active = engines.playlists.get_active_playlist();
        // Ctrl+A's own action, then the view catching up.
        auto t0 = clock_type::now();
        double c0 = cpu_ms();
        engines.playlists.set_selection(active, sonavel::bit_array_true(), sonavel::bit_array_true());
        UpdateWindow(list);
        pump();
        select_all.push_back(ms_since(t0));
        select_all_cpu.push_back(cpu_ms() - c0);
        if (engines.playlists.get_selected_items(active).size() != engines.playlists.get_item_count(active))
            std::printf("select-all missed rows\n");
        // A plain click on the first row: every other row is deselected, one by one as the list tells it.
        RECT row;
        ListView_GetItemRect(list, 0, &row, LVIR_LABEL);
        LPARAM at = MAKELPARAM(row.left + 4, (row.top + row.bottom) / 2);
        t0 = clock_type::now();
        c0 = cpu_ms();
        SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(list, WM_LBUTTONUP, 0, at);
        UpdateWindow(list);
        pump();
        click.push_back(ms_since(t0));
        click_cpu.push_back(cpu_ms() - c0);
        if (engines.playlists.get_selected_items(active).size() != 1) std::printf("the click left other rows selected\n");
    }
    std::printf("warm   %7zu tracks: window %8.1f ms (cpu %8.1f), check of the folders done %9.1f ms (cpu %9.1f)\n",
                tracks, median(windows), median(windows_cpu), median(scans), median(scans_cpu));
    std::printf("select %7zu rows:   select-all %8.1f ms (cpu %8.1f), click after it %8.1f ms (cpu %8.1f)\n", tracks,
                median(select_all), median(select_all_cpu), median(click), median(click_cpu));
    CoUninitialize();
    return 0;
}
