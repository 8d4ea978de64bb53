// View > Console: every console line, from before the window opened and from any thread, as it comes; the
// component's fill timing once "Enable console output" is ticked in Preferences.
#include <windows.h>

#include <thread>

#include "player/prefs/PreferencesDialog.h"
#include "tests/app/player_fixture.h"
#include "tests/harness/mouse.h"
#include "tests/harness/tree_view.h"

namespace app_test {
namespace {

class ConsoleView : public PlayerFixture {
protected:
    player::ConsoleWindow& open() {
        choose(menu_index(L"&View"), L"&Console");
        auto* console = window().console();
        EXPECT_TRUE(console && IsWindowVisible(console->window()));
        return *console;
    }
    bool shows(const std::wstring& text) {
        auto* console = window().console();
        return console && console->text().find(text) != std::wstring::npos;
    }
};

TEST_F(ConsoleView, ShowsLinesPrintedBeforeItOpenedAndLinesFromWorkerThreadsInOrder) {
    start();
    engines().console.print("early line");
    auto& console = open();
    EXPECT_TRUE(shows(L"early line"));
    std::thread worker([this] {
        for (int i = 0; i < 50; ++i) engines().console.print(("worker line " + std::to_string(i)).c_str());
    });
    worker.join();
    ASSERT_EVENTUALLY(shows(L"worker line 49"));
    std::wstring text = console.text();
    EXPECT_LT(text.find(L"early line"), text.find(L"worker line 0"));
    EXPECT_LT(text.find(L"worker line 0\r\nworker line 1\r\n"), text.find(L"worker line 49"));
}

TEST_F(ConsoleView, ClosingOnlyHidesItAndItKeepsCollecting) {
    start();
    auto& console = open();
    SendMessageW(console.window(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindowVisible(console.window()));
    engines().console.print("while hidden");
    open();
    EXPECT_EVENTUALLY(shows(L"while hidden"));
}

TEST_F(ConsoleView, KeepsNoMoreLinesThanTheConsolesBacklog) {
    start();
    auto& console = open();
    const std::size_t limit = player::Console::backlog_lines;
    for (std::size_t i = 0; i < limit + 20; ++i) engines().console.print(("line " + std::to_string(i)).c_str());
    ASSERT_EVENTUALLY(shows(L"line " + std::to_wstring(limit + 19)));
    EXPECT_EQ(SendMessageW(console.text_box(), EM_GETLINECOUNT, 0, 0), LRESULT(limit));
    EXPECT_FALSE(shows(L"line 19\r\n"));
    EXPECT_TRUE(console.text().rfind(L"line 20\r\n", 0) == 0) << "the oldest lines went";
}

TEST_F(ConsoleView, ShowsAFillsTimingLineOnceConsoleOutputIsTickedInPreferences) {
    start();
    auto& docked = dock_genre_panel();
    (void)docked;
    open();
    harness::click_label(playlist(), 0);
    harness::pump_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(shows(L"Panel fill time for metadata field <GENRE>: ")) << "console output is off at first";

    choose(0, L"&Preferences...");
    HWND tree = window().preferences()->advanced().tree();
    HTREEITEM box = harness::find_tree_item(tree, L"Enable console output");
    ASSERT_NE(box, nullptr);
    harness::click_tree_state(tree, box);
    ASSERT_EQ(harness::tree_state_image(tree, box), 2) << "a click on the box ticks it";
    HWND ok = GetDlgItem(window().preferences()->window(), IDOK);
    harness::click(ok, harness::centre_of(ok));

    harness::click_label(playlist(), 1);
    EXPECT_EVENTUALLY(shows(L"Panel fill time for metadata field <GENRE>: "));
    EXPECT_TRUE(IsWindowVisible(window().console()->window()));
}

}  // namespace
}  // namespace app_test
