#pragma once
// Docked panels over a library of tracks, with the history of tag updates recording every write, for the
// library-wide value changes.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "host/Settings.h"
#include "player/history/TagHistory.h"
#include "player/history/TagUndo.h"
#include "sdk/utf8.h"
#include "tests/window/panel_window_fixture.h"

namespace values_test {

using Strings = std::vector<std::string>;

class LibraryValues : public window_test::DockedPanels {
protected:
    void SetUp() override {
        DockedPanels::SetUp();
        wchar_t folder[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, folder);
        path_ = sonavel::wide_to_utf8(folder) + "library_values_" + std::to_string(GetCurrentProcessId()) + ".db";
        DeleteFileW(sonavel::utf8_to_wide(path_).c_str());
        history_.emplace(path_, player::history::HistoryLimits{});
        engines().recorder = &*history_;
        quennet::cfg_update_warning_threshold() = 100;
    }
    void TearDown() override {
        harness::pump_until([this] { return engines().io.running() == 0; });
        quennet::cfg_update_warning_threshold() = 100;
        engines().recorder = nullptr;
        DockedPanels::TearDown();
        history_.reset();
        for (const char* end : {"", "-wal", "-shm"}) DeleteFileW(sonavel::utf8_to_wide(path_ + end).c_str());
    }

    // Library tracks with these genres; the playlist shows the first one, selected.
    void library(const std::vector<Strings>& genres) {
        tracks_.clear();
        for (std::size_t i = 0; i < genres.size(); ++i)
            tracks_.push_back(engines().add_track("C:\\Library\\" + std::to_string(i) + ".flac", {{"GENRE", genres[i]}}));
        engines().add_playlist("Test", {tracks_[0]});
        engines().select({0});
        settle();
    }
    static Strings genres(const sonavel::metadb_handle_ptr& track) {
        sonavel::file_info_impl info;
        if (!track->get_info(info)) return {"<no record>"};
        const std::size_t f = info.meta_find("GENRE");
        if (f == sonavel::file_info::npos) return {};
        Strings out;
        for (std::size_t v = 0; v < info.meta_enum_value_count(f); ++v) out.emplace_back(info.meta_enum_value(f, v));
        return out;
    }
    std::vector<Strings> all_genres() const {
        std::vector<Strings> out;
        for (const auto& t : tracks_) out.push_back(genres(t));
        return out;
    }
    bool undo_latest() {
        bool done = false;
        if (!player::history::undo_latest(engines(), *history_, nullptr, [&](const player::history::UndoResult&) { done = true; }))
            return false;
        return harness::pump_until([&] { return done && engines().io.running() == 0; });
    }

    std::string path_;
    std::optional<player::history::TagHistory> history_;
};

}  // namespace values_test
