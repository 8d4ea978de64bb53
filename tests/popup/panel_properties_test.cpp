// The window properties dialog of a popup window, driven as a user would while its modal loop runs.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>

#include "resources/resource.h"
#include "sdk/core_api.h"
#include "sdk/win/uwin.h"
#include "tests/harness/window_query.h"
#include "tests/popup/popup_fixture.h"
#include "ui/PanelPropertiesDialog.h"

namespace popup_test {
namespace {

using quennet::popup_windows;

// What the user saw when the dialog opened.
struct Seen {
    std::wstring title;
    std::string name;
    bool persistent = false;
};

// Runs the dialog over the host's main window; `act` gets the dialog window once it is up.
class PropertiesRun {
public:
    static bool run(quennet::PopupPanelBase& popup, std::function<void(HWND)> act, Seen& seen) {
        current_ = {std::move(act), &seen, false};
        const UINT_PTR timer = SetTimer(nullptr, 0, 15, &PropertiesRun::tick);
        quennet::PanelPropertiesDialog dialog(popup);
        const bool result = dialog.create(IDD_PANEL_PROPERTIES, sonavel::core()->get_main_window());
        KillTimer(nullptr, timer);
        EXPECT_TRUE(current_.acted) << "the dialog never appeared";
        return result;
    }

private:
    struct Script {
        std::function<void(HWND)> act;
        Seen* seen = nullptr;
        bool acted = false;
    };
    static void CALLBACK tick(HWND, UINT, UINT_PTR, DWORD) {
        if (current_.acted) return;
        HWND dialog = GetActiveWindow();
        if (!dialog || !GetDlgItem(dialog, IDC_PANEL_PROPERTIES_NAME)) return;
        current_.acted = true;
        current_.seen->title = harness::window_text(dialog);
        current_.seen->name = sonavel::uGetDlgItemText(dialog, IDC_PANEL_PROPERTIES_NAME);
        current_.seen->persistent = IsDlgButtonChecked(dialog, IDC_PANEL_PROPERTIES_PERSISTENT) == BST_CHECKED;
        current_.act(dialog);
    }
    static Script current_;
};

PropertiesRun::Script PropertiesRun::current_;

void press(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
void type_name(HWND dialog, const char* text) { sonavel::uSetDlgItemText(dialog, IDC_PANEL_PROPERTIES_NAME, text); }

class PanelProperties : public PopupWindows {
protected:
    quennet::PopupPanel& make(const std::string& name, bool persistent) {
        quennet::PopupConfig config = config_named(name);
        config.persistent = persistent;
        quennet::create_popup(config);
        EXPECT_EQ(popup_windows.size(), 1u);
        return popup(0);
    }
};

TEST_F(PanelProperties, ANamedWindowOpensWithItsTitleNameAndFlag) {
    auto& lounge = make("Lounge", true);
    Seen seen;
    EXPECT_FALSE(PropertiesRun::run(lounge, [](HWND d) { press(d, IDCANCEL); }, seen));
    EXPECT_EQ(seen.title, L"Lounge properties");
    EXPECT_EQ(seen.name, "Lounge");
    EXPECT_TRUE(seen.persistent);
}

TEST_F(PanelProperties, AnUnnamedWindowShowsThePanelsNameInTheTitleAndAnEmptyName) {
    auto& unnamed = make("", false);
    Seen seen;
    PropertiesRun::run(unnamed, [](HWND d) { press(d, IDCANCEL); }, seen);
    EXPECT_EQ(seen.title, L"Fake panel properties");
    EXPECT_EQ(seen.name, "");
    EXPECT_FALSE(seen.persistent);
}

TEST_F(PanelProperties, ClearingTheNameFallsBackToThePanelsName) {
    auto& lounge = make("Lounge", false);
    Seen seen;
    EXPECT_TRUE(PropertiesRun::run(lounge, [](HWND d) { type_name(d, ""); press(d, IDOK); }, seen));
    EXPECT_EQ(lounge.config().name, "");
    EXPECT_EQ(harness::window_text(lounge.window()), L"Fake panel");
}

TEST_F(PanelProperties, OkAppliesANewName) {
    auto& lounge = make("Lounge", false);
    Seen seen;
    EXPECT_TRUE(PropertiesRun::run(lounge, [](HWND d) { type_name(d, "Kitchen \xC3\xA9"); press(d, IDOK); }, seen));
    EXPECT_EQ(lounge.config().name, "Kitchen \xC3\xA9");
    EXPECT_EQ(harness::window_text(lounge.window()), L"Kitchen \u00E9");
}

TEST_F(PanelProperties, CancelChangesNothingEvenAfterEditingBoth) {
    auto& lounge = make("Lounge", false);
    Seen seen;
    EXPECT_FALSE(PropertiesRun::run(
        lounge, [](HWND d) { type_name(d, "Other"); press(d, IDC_PANEL_PROPERTIES_PERSISTENT); press(d, IDCANCEL); },
        seen));
    EXPECT_EQ(lounge.config().name, "Lounge");
    EXPECT_FALSE(lounge.config().persistent);
    EXPECT_FALSE(PropertiesRun::run(
        lounge, [](HWND d) { type_name(d, "Other"); SendMessageW(d, WM_CLOSE, 0, 0); }, seen));
    EXPECT_EQ(lounge.config().name, "Lounge");
    EXPECT_EQ(harness::window_text(lounge.window()), L"Lounge");
}

TEST_F(PanelProperties, TurningPersistentOnMakesALaterCloseHideTheWindow) {
    auto& lounge = make("Lounge", false);
    Seen seen;
    EXPECT_TRUE(PropertiesRun::run(lounge, [](HWND d) { press(d, IDC_PANEL_PROPERTIES_PERSISTENT); press(d, IDOK); },
                                   seen));
    EXPECT_TRUE(lounge.config().persistent);
    HWND window = lounge.window();
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(popup_windows.size(), 1u);
}

}  // namespace
}  // namespace popup_test
