// The dialog base: binding, modal results, modeless registration and re-opening, and its helpers.
#include <gtest/gtest.h>
#include <windows.h>

#include <utility>
#include <vector>

#include "host/ComponentClient.h"
#include "player/win/WinHost.h"
#include "resources/resource.h"
#include "tests/harness/message_box.h"
#include "tests/harness/pump.h"
#include "ui/Dialog.h"
#include "ui/HelpFile.h"
#include "ui/ScreenClamp.h"

namespace {

constexpr UINT end_now = WM_APP + 7;

// Records what reaches it; a modal one ends itself with `result` once it is up.
class RecordingDialog final : public quennet::Dialog {
public:
    RecordingDialog(bool modal, INT_PTR result = IDOK) : Dialog(modal), result_(result) {}
    void set_min_track(int width, int height) {
        min_track_width = width;
        min_track_height = height;
    }

    INT_PTR dialog_proc(HWND w, UINT message, WPARAM, LPARAM) override {
        messages.push_back(message);
        if (message == WM_INITDIALOG && modal()) PostMessageW(w, end_now, 0, 0);
        if (message == end_now) EndDialog(w, result_);
        if (message == WM_DESTROY) {
            destroy_argument = w;
            window_at_destroy = window();
        }
        return 0;
    }

    std::vector<UINT> messages;
    HWND destroy_argument = nullptr;
    HWND window_at_destroy = reinterpret_cast<HWND>(1);

private:
    INT_PTR result_;
};

class DialogBase : public ::testing::Test {
protected:
    void SetUp() override {
        host_.register_services();
        host_.engines().start();
        quennet::ComponentClient::instance().services_init(true);
    }
    void TearDown() override { quennet::ComponentClient::instance().services_init(false); }

    harness::UnexpectedBoxGuard no_boxes_;
    player::WinHost host_;
};

TEST(ScreenClamp, MovesOnlyAsFarAsTheScreenNeedsAndKeepsTheSize) {
    const RECT screen{0, 0, 1000, 800};
    RECT left_of{-100, 10, 200, 110};
    EXPECT_TRUE(quennet::clamp_to_screen(left_of, screen));
    EXPECT_EQ(left_of.left, 0);
    EXPECT_EQ(left_of.right, 300);
    RECT wider{-50, 10, 1100, 110};
    EXPECT_TRUE(quennet::clamp_to_screen(wider, screen));
    EXPECT_EQ(wider.right, 1000) << "too wide: ends on the right edge";
    EXPECT_EQ(wider.right - wider.left, 1150);
    RECT below{10, 790, 110, 850};
    EXPECT_TRUE(quennet::clamp_to_screen(below, screen));
    EXPECT_EQ(below.bottom, 800);
    EXPECT_EQ(below.top, 740);
    RECT inside{10, 10, 20, 20};
    EXPECT_FALSE(quennet::clamp_to_screen(inside, screen));
}

TEST(HelpFile, PathJoinsTheLibraryDirectoryWithOneSeparator) {
    EXPECT_EQ(quennet::help_file_path("C:\\Player\\components"), "C:\\Player\\components\\help\\quennet_help.html");
    EXPECT_EQ(quennet::help_file_path("C:\\Player\\"), "C:\\Player\\help\\quennet_help.html");
    EXPECT_EQ(quennet::help_file_path("C:/Player/"), "C:/Player/help\\quennet_help.html");
    EXPECT_EQ(quennet::help_file_path(""), "help\\quennet_help.html");
}

TEST_F(DialogBase, ModalCreateIsTrueOnlyWhenTheDialogEndsWithOk) {
    RecordingDialog ok(true, IDOK), cancel(true, IDCANCEL), other(true, 7);
    EXPECT_TRUE(ok.create(IDD_PANEL_PROPERTIES, host_.main_window()));
    EXPECT_FALSE(cancel.create(IDD_PANEL_PROPERTIES, host_.main_window()));
    EXPECT_FALSE(other.create(IDD_PANEL_PROPERTIES, host_.main_window()));
    RecordingDialog missing(true);
    EXPECT_FALSE(missing.create(4321, host_.main_window())) << "no such template counts as cancelled";
}

TEST_F(DialogBase, ObjectIsBoundFromInitialisationUntilDestruction) {
    RecordingDialog dialog(true);
    ASSERT_TRUE(dialog.create(IDD_PANEL_PROPERTIES, host_.main_window()));
    ASSERT_FALSE(dialog.messages.empty());
    EXPECT_EQ(dialog.messages.front(), UINT(WM_INITDIALOG)) << "nothing before the binding reaches the object";
    EXPECT_NE(dialog.destroy_argument, nullptr);
    EXPECT_EQ(dialog.window_at_destroy, nullptr) << "unbound while WM_DESTROY is delivered";
    EXPECT_EQ(dialog.window(), nullptr);
    EXPECT_FALSE(host_.dialogs().is_registered(dialog.destroy_argument));
}

TEST_F(DialogBase, ModelessWindowIsRegisteredAndReopeningBringsItBackOntoTheScreen) {
    RecordingDialog dialog(false);
    dialog.set_min_track(300, 200);
    EXPECT_TRUE(dialog.create(IDD_POPUP_HOST, host_.main_window()));
    const HWND window = dialog.window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(host_.dialogs().is_registered(window));

    MINMAXINFO info{};
    SendMessageW(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 300);
    EXPECT_EQ(info.ptMinTrackSize.y, 200);

    RECT before{};
    GetWindowRect(window, &before);
    SetWindowPos(window, nullptr, -5000, -5000, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(window, SW_HIDE);
    EXPECT_FALSE(dialog.create(IDD_POPUP_HOST, host_.main_window()));
    EXPECT_EQ(dialog.window(), window) << "no second window";
    EXPECT_TRUE(IsWindowVisible(window));
    RECT after{};
    GetWindowRect(window, &after);
    EXPECT_EQ(after.left, GetSystemMetrics(SM_XVIRTUALSCREEN));
    EXPECT_EQ(after.right - after.left, before.right - before.left);

    DestroyWindow(window);
    EXPECT_FALSE(host_.dialogs().is_registered(window));
    EXPECT_EQ(dialog.window(), nullptr);
}

TEST_F(DialogBase, AZeroMinimumSizeLeavesTheSystemsMinimumAlone) {
    RecordingDialog dialog(false);
    ASSERT_TRUE(dialog.create(IDD_POPUP_HOST, host_.main_window()));
    const HWND window = dialog.window();
    // The system's own minimum as it comes with the message.
    auto minimum_after = [&](int width, int height) {
        dialog.set_min_track(width, height);
        MINMAXINFO info{};
        info.ptMinTrackSize = {37, 23};
        SendMessageW(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
        return std::make_pair(info.ptMinTrackSize.x, info.ptMinTrackSize.y);
    };
    EXPECT_EQ(minimum_after(0, 0), std::make_pair(LONG(37), LONG(23)));
    EXPECT_EQ(minimum_after(300, 0), std::make_pair(LONG(300), LONG(23)));
    EXPECT_EQ(minimum_after(0, 200), std::make_pair(LONG(37), LONG(200)));
    DestroyWindow(window);
}

TEST_F(DialogBase, AMissingHelpFileIsReportedOnceAndFails) {
    auto& client = quennet::ComponentClient::instance();
    client.set_library_path("C:\\nowhere\\at all\\quennet.dll", "quennet.dll");
    harness::MessageBoxAnswerer answers({IDOK});
    EXPECT_FALSE(quennet::open_help_file());
    ASSERT_EQ(answers.boxes().size(), 1u);
    EXPECT_EQ(answers.boxes()[0].text, L"Unable to open help file");
    EXPECT_EQ(answers.boxes()[0].caption, L"quennet.dll");
    EXPECT_EQ(answers.boxes()[0].button_ids(), (std::vector<int>{IDOK}));
    client.set_library_path("", "");
}

}  // namespace
