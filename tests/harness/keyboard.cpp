#include "tests/harness/keyboard.h"

#include <array>
#include <stdexcept>
#include <string>
#include <vector>

#include "sdk/win/unique_handle.h"
#include "tests/harness/pump.h"

namespace harness {
namespace {

constexpr std::chrono::milliseconds delivery_wait{2000};

struct Modifier {
    modifiers flag;
    UINT key;
    UINT left_key;
};
constexpr std::array<Modifier, 3> modifier_keys{{
    {modifiers::ctrl, VK_CONTROL, VK_LCONTROL},
    {modifiers::shift, VK_SHIFT, VK_LSHIFT},
    {modifiers::alt, VK_MENU, VK_LMENU},
}};

bool is_extended(UINT key) {
    switch (key) {
    case VK_INSERT: case VK_DELETE: case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT:
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_DIVIDE: case VK_NUMLOCK:
    case VK_RCONTROL: case VK_RMENU: case VK_APPS: case VK_LWIN: case VK_RWIN:
        return true;
    default:
        return false;
    }
}

UINT scan_code(UINT key) { return MapVirtualKeyW(key, MAPVK_VK_TO_VSC); }

// SendInput hands the keys to the system, which queues them when it gets to them (later, on Windows). The
// thread's keyboard hook counts them as they are taken from the queue, whatever other hooks do with them.
thread_local int keys_taken = 0;

LRESULT CALLBACK count_keys(int code, WPARAM wparam, LPARAM lparam) noexcept {
    if (code == HC_ACTION) ++keys_taken;
    return CallNextHookEx(nullptr, code, wparam, lparam);
}

void send_and_wait(HWND target, std::vector<INPUT>& inputs) {
    if (!focus(target)) throw std::runtime_error("the window cannot take the foreground and focus for key input");
    sonavel::unique_hhook counter(SetWindowsHookExW(WH_KEYBOARD, count_keys, nullptr, GetCurrentThreadId()));
    if (!counter) throw std::runtime_error("cannot hook the keyboard to follow key input");
    keys_taken = 0;
    const UINT sent = SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
    if (sent != inputs.size()) throw std::runtime_error("SendInput took " + std::to_string(sent) + " of " +
                                                        std::to_string(inputs.size()) + " key events");
    const int expected = int(inputs.size());
    if (!pump_until([&] { return keys_taken >= expected; }, delivery_wait))
        throw std::runtime_error(std::to_string(keys_taken) + " of " + std::to_string(expected) +
                                 " key events reached the window");
}

INPUT key_input(UINT key, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = WORD(key);
    input.ki.wScan = WORD(scan_code(key));
    input.ki.dwFlags = (up ? KEYEVENTF_KEYUP : 0) | (is_extended(key) ? KEYEVENTF_EXTENDEDKEY : 0);
    return input;
}

INPUT unicode_input(wchar_t unit, bool up) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = unit;
    input.ki.dwFlags = KEYEVENTF_UNICODE | (up ? KEYEVENTF_KEYUP : 0);
    return input;
}

// The lParam a keyboard driver gives WM_KEYDOWN and friends: repeat 1, scan code, extended, context, previous
// state and transition bits.
LPARAM key_lparam(UINT key, bool up, bool alt_held) {
    LPARAM bits = 1 | LPARAM(scan_code(key)) << 16;
    if (is_extended(key)) bits |= LPARAM(1) << 24;
    if (alt_held) bits |= LPARAM(1) << 29;
    if (up) bits |= LPARAM(1) << 30 | LPARAM(1) << 31;
    return bits;
}

void post_key(HWND target, UINT key, bool up, bool alt_held) {
    // With Alt held, keys are system keys; an F10 alone would be too, but nobody tests menus that way.
    const UINT message = alt_held ? (up ? WM_SYSKEYUP : WM_SYSKEYDOWN) : (up ? WM_KEYUP : WM_KEYDOWN);
    PostMessageW(target, message, key, key_lparam(key, up, alt_held));
}

void press_through_input(HWND target, UINT key, modifiers held) {
    std::vector<INPUT> inputs;
    for (const auto& m : modifier_keys)
        if (has(held, m.flag)) inputs.push_back(key_input(m.key, false));
    inputs.push_back(key_input(key, false));
    inputs.push_back(key_input(key, true));
    for (auto m = modifier_keys.rbegin(); m != modifier_keys.rend(); ++m)
        if (has(held, m->flag)) inputs.push_back(key_input(m->key, true));
    send_and_wait(target, inputs);
    pump_pending();
}

void press_posted(HWND target, UINT key, modifiers held) {
    focus(target);
    const bool alt = has(held, modifiers::alt);
    std::array<BYTE, 256> before{};
    GetKeyboardState(before.data());
    auto holding = before;
    for (const auto& m : modifier_keys) {
        if (!has(held, m.flag)) continue;
        holding[m.key] |= 0x80;
        holding[m.left_key] |= 0x80;
        post_key(target, m.key, false, alt);
    }
    SetKeyboardState(holding.data());
    post_key(target, key, false, alt);
    post_key(target, key, true, alt);
    // The characters TranslateMessage makes of the key are dispatched here too, while the modifiers are held.
    pump_pending();
    SetKeyboardState(before.data());
    bool alt_still_held = alt;
    for (auto m = modifier_keys.rbegin(); m != modifier_keys.rend(); ++m) {
        if (!has(held, m->flag)) continue;
        if (m->flag == modifiers::alt) alt_still_held = false;
        post_key(target, m->key, true, alt_still_held);
    }
    pump_pending();
}

}  // namespace

bool focus(HWND target) {
    HWND top = GetAncestor(target, GA_ROOT);
    if (GetForegroundWindow() != top) SetForegroundWindow(top);
    if (GetFocus() != target) SetFocus(target);
    pump_pending();
    return GetForegroundWindow() == top && GetFocus() == target;
}

void type_text(HWND target, std::wstring_view text, key_delivery how) {
    if (how == key_delivery::through_input) {
        std::vector<INPUT> inputs;
        for (wchar_t unit : text) {
            inputs.push_back(unicode_input(unit, false));
            inputs.push_back(unicode_input(unit, true));
        }
        send_and_wait(target, inputs);
    } else {
        focus(target);
        for (wchar_t unit : text) PostMessageW(target, WM_CHAR, unit, 1);
    }
    pump_pending();
}

void press_key(HWND target, UINT key, modifiers held, key_delivery how) {
    if (how == key_delivery::through_input)
        press_through_input(target, key, held);
    else
        press_posted(target, key, held);
}

}  // namespace harness
