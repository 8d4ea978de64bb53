// A rename of a value in 10,000 files against a plain Apply of one value to the same files, each until the
// completion's refill is done: composing the records, the host's background write (into memory) and the
// refresh of the panel. Both run on the same library in the same run.
#include <benchmark/benchmark.h>
#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "bench/LibraryShape.h"
#include "host/Settings.h"
#include "integration/ReactionSwitch.h"
#include "panel/model/LibraryValueUpdate.h"
#include "panel/model/PanelModel.h"
#include "panel/model/TagUpdate.h"
#include "resources/resource.h"
#include "sdk/win/uwin.h"

namespace {

using Records = std::vector<std::pair<sonavel::metadb_handle_ptr, sonavel::file_info_impl>>;

// A window with the panel's three controls and a GENRE panel model on them, shown, filled for the
// selection (the library's 10,000 tracks).
struct RenamePanel {
    RenamePanel() {
        window.reset(CreateWindowExW(0, L"STATIC", L"rename", WS_POPUP, 0, 0, 400, 600, nullptr, nullptr, nullptr,
                                     nullptr));
        auto child = [&](const wchar_t* cls, DWORD style, int id) {
            CreateWindowExW(0, cls, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 400, 500, window.get(),
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        };
        child(WC_LISTVIEWW, LVS_LIST | LVS_SINGLESEL, IDC_PANEL_VALUE_LIST);
        child(L"EDIT", ES_AUTOHSCROLL, IDC_PANEL_FILTER);
        child(L"EDIT", ES_AUTOHSCROLL, IDC_PANEL_ADD);
        options.metadata_field = "GENRE";
        options.add_value("Applied");
        model.emplace(GetModuleHandleW(nullptr), quennet::ValueListControls::of(window.get()), options, presets);
        model->set_shown(true);
        model->request_fill(quennet::playlist_changed);
    }
    sonavel::unique_hwnd window;
    quennet::Options options;
    std::vector<quennet::Options> presets;
    std::optional<quennet::PanelModel> model;
};

// Every track's record, and the same with `value` appended to GENRE.
std::pair<Records, Records> records_of(player::HostEngines& host, const std::string& value) {
    Records originals, carrying;
    for (const auto& track : host.library.get_all_items()) {
        sonavel::file_info_impl info;
        track->get_info(info);
        originals.emplace_back(track, info);
        info.meta_add("GENRE", value.c_str());
        carrying.emplace_back(track, std::move(info));
    }
    return {std::move(originals), std::move(carrying)};
}

void set_records(player::HostEngines& host, quennet::PanelModel& panel, const Records& records) {
    quennet::set_tag_update_reaction(false);
    host.io.apply_changes(records);
    quennet::set_tag_update_reaction(true);
    panel.request_fill(quennet::tags_updated);
}

void BM_Win32_ApplyOneValue10k(benchmark::State& state) {
    auto& host = bench::host_with_selection(10'000);
    quennet::cfg_update_warning_threshold() = 0;
    RenamePanel panel;
    const auto [originals, carrying] = records_of(host, "Hip Hop");
    set_records(host, *panel.model, carrying);
    host.memory_tags.clear_log();
    int round = 0;
    for (auto _ : state) {
        ++round;
        sonavel::uSetWindowText(panel.model->controls().add_edit, "Applied");
        panel.model->values().set_pending(true);
        quennet::commit_pending(quennet::tags_updated, nullptr, std::string());
        host.run_until([&] { return !panel.model->busy() && host.io.running() == 0; }, 60'000);
        state.PauseTiming();
        set_records(host, *panel.model, carrying);
        state.ResumeTiming();
    }
    state.counters["files"] = double(host.memory_tags.written().size()) / round;
    host.memory_tags.clear_log();
    set_records(host, *panel.model, originals);
}
BENCHMARK(BM_Win32_ApplyOneValue10k)->MeasureProcessCPUTime()->UseRealTime()->Unit(benchmark::kMillisecond);

void BM_Win32_RenameValue10k(benchmark::State& state) {
    auto& host = bench::host_with_selection(10'000);
    quennet::cfg_update_warning_threshold() = 0;
    RenamePanel panel;
    const auto [originals, carrying] = records_of(host, "Hip Hop");
    set_records(host, *panel.model, carrying);
    host.memory_tags.clear_log();
    const quennet::LibraryValueChange change{quennet::ValueChangeKind::rename, "GENRE", "Hip Hop", "Hip-Hop", {}, {}};
    int round = 0;
    for (auto _ : state) {
        ++round;
        // What the preview computed and OK hands on: the plan is part of the measured cost.
        auto plan = quennet::plan_library_change(host.library.get_all_items(), change);
        quennet::start_library_value_change(*panel.model, change, std::move(plan));
        host.run_until([&] { return !panel.model->busy() && host.io.running() == 0; }, 60'000);
        state.PauseTiming();
        set_records(host, *panel.model, carrying);
        state.ResumeTiming();
    }
    state.counters["files"] = double(host.memory_tags.written().size()) / round;
    host.memory_tags.clear_log();
    set_records(host, *panel.model, originals);
}
BENCHMARK(BM_Win32_RenameValue10k)->MeasureProcessCPUTime()->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace
