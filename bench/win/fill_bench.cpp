// Whole panel fills in the Windows build: the model and the list view rebuild, on real controls.
#include <benchmark/benchmark.h>
#include <windows.h>
#include <commctrl.h>

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "bench/LibraryShape.h"
#include "host/Settings.h"
#include "integration/ReactionSwitch.h"
#include "panel/model/PanelFiller.h"
#include "panel/model/PanelModel.h"
#include "panel/model/TagUpdate.h"
#include "panel/model/ValueList.h"
#include "sdk/win/uwin.h"
#include "resources/resource.h"

namespace {

// A parent window with the panel's three controls, and the model wired to them as the panel does.
class BenchPanel : public quennet::FillTarget, public quennet::ValueListOwner {
public:
    BenchPanel() {
        window_.reset(CreateWindowExW(0, L"STATIC", L"bench", WS_POPUP | WS_VISIBLE, 0, 0, 400, 600, nullptr, nullptr,
                                      nullptr, nullptr));
        auto child = [&](const wchar_t* cls, DWORD style, int id) {
            CreateWindowExW(WS_EX_CLIENTEDGE, cls, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 400, 500, window_.get(),
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        };
        child(WC_LISTVIEWW, LVS_LIST | LVS_SINGLESEL, IDC_PANEL_VALUE_LIST);
        child(L"EDIT", ES_AUTOHSCROLL, IDC_PANEL_FILTER);
        child(L"EDIT", ES_AUTOHSCROLL, IDC_PANEL_ADD);
        values_ = std::make_unique<quennet::ValueList>(*this, GetModuleHandleW(nullptr),
                                                       quennet::ValueListControls::of(window_.get()));
        current.metadata_field = "GENRE";
    }

    quennet::Options& current_options() override { return current; }
    std::vector<quennet::Options>& preset_list() override { return presets; }
    void update_controls() override {}
    void rebuild_now() override { values_->rebuild_now(); }
    bool busy() override { return false; }
    bool fill_running() override { return filler.running(); }

    quennet::Options current;
    std::vector<quennet::Options> presets;
    quennet::PanelFiller filler{*this};

private:
    sonavel::unique_hwnd window_;
    std::unique_ptr<quennet::ValueList> values_;
};

player::HostEngines& host_of(std::size_t size) { return bench::host_with_selection(size); }

void BM_Win32_Event3_Selection10k_WithListView(benchmark::State& state) {
    host_of(std::size_t(state.range(0)));
    BenchPanel panel;
    panel.filler.request_fill(quennet::playlist_changed);  // the rows exist: later fills keep them
    for (auto _ : state) panel.filler.request_fill(quennet::playlist_changed);
    state.counters["values"] = double(panel.current.tags.size());
}
BENCHMARK(BM_Win32_Event3_Selection10k_WithListView)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

void BM_Win32_Event8_ScanLibrary_WithListView(benchmark::State& state) {
    host_of(std::size_t(state.range(0)));
    BenchPanel panel;
    panel.current.scan_library = true;
    for (auto _ : state) panel.filler.request_fill(quennet::panel_shown);
}
BENCHMARK(BM_Win32_Event8_ScanLibrary_WithListView)->Arg(10'000)->Arg(100'000)->Unit(benchmark::kMillisecond);

void BM_Win32_Event3_FirstFillInsertsTheRows(benchmark::State& state) {
    host_of(10'000);
    for (auto _ : state) {
        BenchPanel panel;
        panel.filler.request_fill(quennet::playlist_changed);
    }
}
BENCHMARK(BM_Win32_Event3_FirstFillInsertsTheRows)->Unit(benchmark::kMillisecond);

// Apply of one typed value to the 10,000 selected tracks that do not have it, until the completion's refill
// is done: composing the records, the host's background write (into memory) and the refresh of the panel.
void BM_Win32_ApplyToCompletionRefill_10k(benchmark::State& state) {
    auto& host = host_of(10'000);
    quennet::cfg_update_warning_threshold() = 0;
    sonavel::unique_hwnd window(CreateWindowExW(0, L"STATIC", L"apply", WS_POPUP, 0, 0, 400, 600, nullptr, nullptr,
                                                nullptr, nullptr));
    auto child = [&](const wchar_t* cls, DWORD style, int id) {
        CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 400, 500, window.get(),
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    };
    child(WC_LISTVIEWW, LVS_LIST | LVS_SINGLESEL, IDC_PANEL_VALUE_LIST);
    child(L"EDIT", ES_AUTOHSCROLL, IDC_PANEL_FILTER);
    child(L"EDIT", ES_AUTOHSCROLL, IDC_PANEL_ADD);
    quennet::Options options;
    options.metadata_field = "GENRE";
    // The written value is in the list from the start: no round inserts a row the others do not.
    const std::string value = "Applied";
    options.add_value(value);
    std::vector<quennet::Options> presets;
    quennet::PanelModel panel(GetModuleHandleW(nullptr), quennet::ValueListControls::of(window.get()), options, presets);
    panel.set_shown(true);
    panel.request_fill(quennet::playlist_changed);

    // Each round starts from the same records: after it, outside the measured time, the tracks get their
    // own records back (no notification: the panel must not refill for it) and the panel recounts.
    std::vector<std::pair<sonavel::metadb_handle_ptr, sonavel::file_info_impl>> originals;
    for (const auto& track : host.playlists.get_selected_items(host.playlists.get_active_playlist())) {
        sonavel::file_info_impl info;
        track->get_info(info);
        originals.emplace_back(track, std::move(info));
    }
    host.memory_tags.clear_log();
    int round = 0;
    for (auto _ : state) {
        ++round;
        sonavel::uSetWindowText(panel.controls().add_edit, value.c_str());
        panel.values().set_pending(true);
        quennet::commit_pending(quennet::tags_updated, nullptr, std::string());
        host.run_until([&] { return !panel.busy() && host.io.running() == 0; }, 60'000);

        state.PauseTiming();
        quennet::set_tag_update_reaction(false);
        host.io.apply_changes(originals);
        quennet::set_tag_update_reaction(true);
        panel.request_fill(quennet::tags_updated);
        state.ResumeTiming();
    }
    state.counters["files_per_apply"] = double(host.memory_tags.written().size()) / round;
    host.memory_tags.clear_log();
}
BENCHMARK(BM_Win32_ApplyToCompletionRefill_10k)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
