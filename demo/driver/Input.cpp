#include "demo/driver/Input.h"

#include <vector>

namespace demo {
namespace {

INPUT key_input(UINT key, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = WORD(key);
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return in;
}

INPUT mouse_input(DWORD flags) {
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    return in;
}

}  // namespace

void settle(DWORD ms) { Sleep(ms); }

void move_to(POINT screen) {
    INPUT move = mouse_input(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
    move.mi.dx = LONG((screen.x * 65535.0 + GetSystemMetrics(SM_CXSCREEN) / 2) / (GetSystemMetrics(SM_CXSCREEN) - 1));
    move.mi.dy = LONG((screen.y * 65535.0 + GetSystemMetrics(SM_CYSCREEN) / 2) / (GetSystemMetrics(SM_CYSCREEN) - 1));
    SendInput(1, &move, sizeof(INPUT));
    settle(150);
}

void click(POINT screen, bool right, UINT held_key) {
    // The pointer moves there first so that the press lands where it was meant.
    move_to(screen);
    std::vector<INPUT> inputs;
    if (held_key) inputs.push_back(key_input(held_key, false));
    inputs.push_back(mouse_input(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN));
    inputs.push_back(mouse_input(right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP));
    if (held_key) inputs.push_back(key_input(held_key, true));
    SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
    settle();
}

void press(UINT key, UINT held_key) {
    std::vector<INPUT> inputs;
    if (held_key) inputs.push_back(key_input(held_key, false));
    inputs.push_back(key_input(key, false));
    inputs.push_back(key_input(key, true));
    if (held_key) inputs.push_back(key_input(held_key, true));
    SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
    settle();
}

}  // namespace demo
