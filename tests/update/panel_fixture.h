#pragma once
// Panels in real windows over the stand-in host, with the component's listeners registered: each panel
// is a plain parent window holding the value list's three controls and routing the list view's
// notifications to its model, as the panel window will.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/ComponentClient.h"
#include "host/Settings.h"
#include "integration/PanelFillerMainThreadCallback.h"
#include "integration/ReactionSwitch.h"
#include "panel/model/CheckStates.h"
#include "panel/model/PanelModel.h"
#include "player/win/WinHost.h"
#include "sdk/utf8.h"
#include "sdk/win/unique_handle.h"
#include "sdk/win/uwin.h"
#include "tests/harness/list_view.h"
#include "tests/harness/message_box.h"
#include "tests/harness/pump.h"
#include "tests/panel/controls_window.h"

namespace update_test {

class PanelWindow {
public:
    explicit PanelWindow(const std::string& field, const std::string& filter_fields = {}, int x = 40)
        : window_(L"Panel", RECT{x, 40, x + 300, 440}), add(window_.add), list(window_.list) {
        window_.on_message = [this](UINT message, WPARAM wparam, LPARAM lparam) { return route(message, lparam); };
        quennet::Options options;
        options.name = field + " preset";
        options.metadata_field = field;
        options.filter_fields = filter_fields;
        quennet::Options other = options;
        other.name = "Other";
        other.sort_list = false;
        current = options;
        presets = {options, other};
        model = std::make_unique<quennet::PanelModel>(GetModuleHandleW(nullptr),
                                                      quennet::ValueListControls::of(window_.hwnd()), current, presets);
        model->set_shown(true);
        harness::pump_pending();
    }
    ~PanelWindow() {
        // The model goes first: no notification may reach it after.
        window_.on_message = nullptr;
        model.reset();
    }

    std::vector<std::wstring> rows() const {
        std::vector<std::wstring> texts;
        for (int i = 0; i < harness::item_count(list); ++i) texts.push_back(harness::item_text(list, i));
        return texts;
    }
    int row_of(const std::wstring& text) const {
        const auto all = rows();
        auto found = std::find(all.begin(), all.end(), text);
        if (found == all.end()) throw std::runtime_error("no row " + sonavel::wide_to_utf8(text));
        return int(found - all.begin());
    }
    void click(const std::wstring& value) { harness::click_check_box(list, row_of(value)); }
    void type_add(const std::string& text) { sonavel::uSetWindowText(add, text.c_str()); }
    int failures() const { return window_.failures; }

private:
    panel_test::ControlsWindow window_;

public:
    HWND add;
    HWND list;
    // The panel's own preset and list, which its model works on.
    quennet::Options current;
    std::vector<quennet::Options> presets;
    std::unique_ptr<quennet::PanelModel> model;

private:
    // The list view's notifications go to the model's value list, as the panel window will send them.
    std::optional<LRESULT> route(UINT message, LPARAM lparam) {
        if (!model || message != WM_NOTIFY) return std::nullopt;
        const auto& header = *reinterpret_cast<const NMHDR*>(lparam);
        if (header.idFrom != UINT_PTR(quennet::value_list_id)) return std::nullopt;
        auto& values = model->values();
        switch (header.code) {
        case LVN_ITEMCHANGING:
            return values.on_item_changing(*reinterpret_cast<const NMLISTVIEW*>(lparam)) ? TRUE : FALSE;
        case LVN_ITEMCHANGED:
            values.on_item_changed(*reinterpret_cast<const NMLISTVIEW*>(lparam));
            return 0;
        case NM_CLICK:
            values.on_click(*reinterpret_cast<const NMITEMACTIVATE*>(lparam));
            return 0;
        default:
            return 0;
        }
    }
};

class PanelsOnHost : public ::testing::Test {
protected:
    void SetUp() override {
        host_.register_services({quennet::ComponentClient::instance().get_service_list()});
        host_.engines().start();
        quennet::ComponentClient::instance().services_init(true);
        quennet::cfg_update_warning_threshold() = 100;
    }
    void TearDown() override {
        for (auto& p : panels_) EXPECT_EQ(p->failures(), 0) << "the value list threw inside the window procedure";
        panels_.clear();
        quennet::cfg_update_warning_threshold() = 100;
        quennet::set_tag_update_reaction(true);
        quennet::ComponentClient::instance().services_init(false);
    }

    player::HostEngines& engines() { return host_.engines(); }

    PanelWindow& panel(const std::string& field, const std::string& filter_fields = {}) {
        panels_.push_back(std::make_unique<PanelWindow>(field, filter_fields, 40 + 310 * int(panels_.size())));
        return *panels_.back();
    }

    // A new active playlist of tracks with these fields, the given items selected, every queued event run.
    void playlist(const std::vector<player::FieldValues>& fields, const std::vector<std::size_t>& selected) {
        tracks_.clear();
        for (std::size_t i = 0; i < fields.size(); ++i)
            tracks_.push_back(engines().add_track(path(i), fields[i]));
        engines().add_playlist("Test", tracks_);
        engines().select(selected);
        settle();
    }
    static std::string path(std::size_t i) { return "C:\\Music\\" + std::to_string(i) + ".flac"; }

    // Runs posted events and any write of ours to its completion.
    void settle() {
        EXPECT_TRUE(harness::pump_until([] {
            return quennet::tag_update_reaction_on() &&
                   quennet::PanelFillerMainThreadCallback::pending_selection_count() == 0;
        }));
        harness::pump_for(std::chrono::milliseconds(60));
    }

    std::vector<std::string> values_of(std::size_t track, const char* field) {
        std::vector<std::string> out;
        sonavel::file_info_impl info;
        if (!tracks_[track]->get_info(info)) return out;
        const std::size_t f = info.meta_find(field);
        if (f == sonavel::file_info::npos) return out;
        for (std::size_t v = 0; v < info.meta_enum_value_count(f); ++v) out.push_back(info.meta_enum_value(f, v));
        return out;
    }
    std::vector<std::string> written() { return engines().memory_tags.written(); }

    harness::UnexpectedBoxGuard no_boxes_;
    player::WinHost host_;
    sonavel::metadb_handle_list tracks_;
    std::vector<std::unique_ptr<PanelWindow>> panels_;
};

}  // namespace update_test
