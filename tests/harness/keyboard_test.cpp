// Keys reach controls through the queue, with modifiers visible to the receiver, by either delivery.
#include "tests/harness/keyboard.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>

#include "sdk/win/unique_handle.h"
#include "tests/harness/message_box.h"
#include "tests/harness/probe_window.h"
#include "tests/harness/pump.h"
#include "tests/harness/window_query.h"

namespace harness {
// Names the delivery in the failure message of a parameterised test instead of its bytes.
void PrintTo(key_delivery how, std::ostream* out) {
    *out << (how == key_delivery::through_input ? "through_input" : "posted");
}
}  // namespace harness

namespace {

using harness::key_delivery;
using harness::modifiers;
using harness_test::KeyMessage;
using harness_test::ProbeWindow;

struct HookedKey {
    UINT message;
    WPARAM key;
    WPARAM removal;
};
thread_local std::vector<HookedKey>* hooked_keys = nullptr;

LRESULT CALLBACK record_keys(int code, WPARAM removal, LPARAM lparam) noexcept {
    const auto& message = *reinterpret_cast<const MSG*>(lparam);
    if (code == HC_ACTION && hooked_keys && (message.message == WM_KEYDOWN || message.message == WM_KEYUP)) {
        try {
            hooked_keys->push_back({message.message, message.wParam, removal});
        } catch (...) {
        }
    }
    return CallNextHookEx(nullptr, code, removal, lparam);
}

class HarnessKeyboard : public ::testing::TestWithParam<key_delivery> {
protected:
    harness::UnexpectedBoxGuard no_boxes_;
    ProbeWindow window_{L"Keyboard probe"};
    HWND edit_ = window_.add_child(L"EDIT", L"", WS_BORDER | ES_AUTOHSCROLL, 300, {10, 10, 300, 34});
    HWND notes_ = window_.add_child(L"EDIT", L"", WS_BORDER | ES_MULTILINE | ES_WANTRETURN, 301, {10, 50, 300, 150});

    const KeyMessage* key_down(WPARAM key) const {
        auto found = std::find_if(window_.keys.begin(), window_.keys.end(),
                                  [&](const KeyMessage& k) { return k.message == WM_KEYDOWN && k.key == key; });
        return found == window_.keys.end() ? nullptr : &*found;
    }
};

TEST_P(HarnessKeyboard, TypedTextLandsInTheFocusedEdit) {
    harness::type_text(edit_, L"Gr\u00FC\u00DFe \u2713 ok", GetParam());
    EXPECT_EQ(harness::window_text(edit_), L"Gr\u00FC\u00DFe \u2713 ok");
    EXPECT_EQ(GetFocus(), edit_);
}

TEST_P(HarnessKeyboard, ReturnIsTranslatedIntoANewLineInAMultiLineEdit) {
    harness::type_text(notes_, L"one", GetParam());
    harness::press_key(notes_, VK_RETURN, modifiers::none, GetParam());
    harness::type_text(notes_, L"two", GetParam());
    EXPECT_EQ(harness::window_text(notes_), L"one\r\ntwo");
}

TEST_P(HarnessKeyboard, APressedKeyPassesThroughTheThreadsMessageHook) {
    std::vector<HookedKey> seen;
    hooked_keys = &seen;
    sonavel::unique_hhook hook(SetWindowsHookExW(WH_GETMESSAGE, record_keys, nullptr, GetCurrentThreadId()));
    ASSERT_TRUE(hook);

    harness::press_key(edit_, VK_RETURN, modifiers::none, GetParam());
    hook.reset();
    hooked_keys = nullptr;

    auto is = [&](UINT message) {
        return std::any_of(seen.begin(), seen.end(), [&](const HookedKey& k) {
            return k.message == message && k.key == VK_RETURN && k.removal == PM_REMOVE;
        });
    };
    EXPECT_TRUE(is(WM_KEYDOWN));
    EXPECT_TRUE(is(WM_KEYUP));
}

TEST_P(HarnessKeyboard, CtrlIsDownForTheReceiverDuringTheKeyAndUpAfterwards) {
    harness::press_key(window_.hwnd(), 'S', modifiers::ctrl, GetParam());

    const KeyMessage* s = key_down('S');
    ASSERT_NE(s, nullptr);
    EXPECT_TRUE(s->ctrl_down);
    EXPECT_FALSE(s->shift_down);
    ASSERT_NE(key_down(VK_CONTROL), nullptr);
    EXPECT_FALSE(GetKeyState(VK_CONTROL) < 0);
}

TEST_P(HarnessKeyboard, ShiftAndCtrlTogetherAreBothDownForTheReceiver) {
    harness::press_key(window_.hwnd(), VK_TAB, modifiers::ctrl | modifiers::shift, GetParam());

    const KeyMessage* tab = key_down(VK_TAB);
    ASSERT_NE(tab, nullptr);
    EXPECT_TRUE(tab->ctrl_down);
    EXPECT_TRUE(tab->shift_down);
    EXPECT_FALSE(GetKeyState(VK_SHIFT) < 0);
    EXPECT_FALSE(GetKeyState(VK_CONTROL) < 0);
}

TEST_P(HarnessKeyboard, AKeyWithoutModifiersSeesNoneHeld) {
    harness::press_key(window_.hwnd(), VK_F2, modifiers::none, GetParam());
    const KeyMessage* f2 = key_down(VK_F2);
    ASSERT_NE(f2, nullptr);
    EXPECT_FALSE(f2->ctrl_down);
    EXPECT_FALSE(f2->shift_down);
}

TEST_P(HarnessKeyboard, AltMakesTheKeyASystemKey) {
    harness::press_key(window_.hwnd(), 'F', modifiers::alt, GetParam());
    const bool system_key = std::any_of(window_.keys.begin(), window_.keys.end(), [](const KeyMessage& k) {
        return k.message == WM_SYSKEYDOWN && k.key == 'F';
    });
    EXPECT_TRUE(system_key);
    EXPECT_EQ(key_down('F'), nullptr);
    EXPECT_FALSE(GetKeyState(VK_MENU) < 0);
}

INSTANTIATE_TEST_SUITE_P(Delivery, HarnessKeyboard, ::testing::Values(key_delivery::through_input, key_delivery::posted),
                         [](const ::testing::TestParamInfo<key_delivery>& info) {
                             return info.param == key_delivery::through_input ? "ThroughInput" : "Posted";
                         });

}  // namespace
