// Whole panel fills in the Windows build: the model and the list view rebuild, on real controls.
#include <benchmark/benchmark.h>
#include <windows.h>
#include <commctrl.h>

#include <map>
#include <memory>

#include "bench/LibraryShape.h"
#include "panel/model/PanelFiller.h"
#include "panel/model/ValueList.h"
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

}  // namespace

BENCHMARK_MAIN();
