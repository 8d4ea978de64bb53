#pragma once
// Panels of the component docked in the stand-in panel host, over real tracks in the active playlist.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "host/ComponentClient.h"
#include "host/Settings.h"
#include "integration/ReactionSwitch.h"
#include "panel/window/VarnelPanel.h"
#include "player/win/DockHost.h"
#include "player/win/WinHost.h"
#include "presets/PresetStore.h"
#include "tests/harness/list_view.h"
#include "tests/harness/message_box.h"
#include "tests/harness/pump.h"

namespace window_test {

class DockedPanels : public ::testing::Test {
protected:
    void SetUp() override {
        host_.register_services({quennet::ComponentClient::instance().get_service_list()});
        host_.engines().start();
        quennet::ComponentClient::instance().services_init(true);
        ShowWindow(host_.main_window(), SW_SHOW);
    }
    void TearDown() override {
        docked_.clear();
        harness::pump_pending();
        quennet::set_tag_update_reaction(true);
        quennet::ComponentClient::instance().services_init(false);
    }

    // A preset of `field` whose value list starts with `values` (";" between them).
    static quennet::Options preset(const std::string& name, const std::string& field, const std::string& values = {}) {
        quennet::Options options;
        options.name = name;
        options.metadata_field = field;
        options.add_tags(values, ';');
        return options;
    }

    // A panel docked in the main window with this stored configuration, shown.
    player::DockedPanel& dock(const quennet::Options& current, const std::vector<quennet::Options>& presets = {},
                              RECT area = RECT{0, 0, 420, 300}) {
        sonavel::stream_writer_buffer writer;
        sonavel::abort_callback_dummy abort;
        quennet::write_store(writer, abort, current, presets);
        docked_.push_back(std::make_unique<player::DockedPanel>(host_.main_window(), quennet::VarnelPanel::panel_guid,
                                                                writer.data(), area));
        harness::pump_pending();
        return *docked_.back();
    }
    static quennet::VarnelPanel& panel_of(player::DockedPanel& docked) {
        return dynamic_cast<quennet::VarnelPanel&>(*docked.panel());
    }
    static HWND control(player::DockedPanel& docked, int id) { return GetDlgItem(docked.window(), id); }

    // The active playlist holds tracks with these genres; `selected` are selected; queued events ran.
    void playlist(const std::vector<std::vector<std::string>>& genres, const std::vector<std::size_t>& selected) {
        tracks_.clear();
        for (std::size_t i = 0; i < genres.size(); ++i)
            tracks_.push_back(engines().add_track("C:\\Music\\" + std::to_string(i) + ".flac", {{"GENRE", genres[i]}}));
        engines().add_playlist("Test", tracks_);
        engines().select(selected);
        settle();
    }
    void settle() {
        harness::pump_until([] { return quennet::tag_update_reaction_on(); });
        harness::pump_for(std::chrono::milliseconds(60));
    }

    static std::vector<std::wstring> rows(HWND list) {
        std::vector<std::wstring> texts;
        for (int i = 0; i < harness::item_count(list); ++i) texts.push_back(harness::item_text(list, i));
        return texts;
    }
    static int row_of(HWND list, const std::wstring& text) {
        for (int i = 0; i < harness::item_count(list); ++i)
            if (harness::item_text(list, i) == text) return i;
        ADD_FAILURE() << "no row with that text";
        return -1;
    }

    player::HostEngines& engines() { return host_.engines(); }

    harness::UnexpectedBoxGuard no_boxes_;
    player::WinHost host_;
    sonavel::metadb_handle_list tracks_;
    std::vector<std::unique_ptr<player::DockedPanel>> docked_;
};

}  // namespace window_test
