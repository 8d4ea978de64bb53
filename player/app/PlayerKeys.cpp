#include "player/app/PlayerKeys.h"

#include <algorithm>

#include "player/win/MessageLoop.h"
#include "player/win/WinHost.h"

namespace player {
namespace {

using shortcut = sonavel::keyboard_shortcut_manager;

}  // namespace

PlayerKeys::PlayerKeys(HWND frame, MessageLoop& loop, KeyboardShortcuts& shortcuts, std::vector<PlayerKey> keys,
                       std::vector<UINT> leave_edits_alone)
    : frame_(frame), loop_(loop), keys_(std::move(keys)), leave_edits_alone_(std::move(leave_edits_alone)),
      self_(std::make_shared<PlayerKeys*>(this)) {
    loop_.set_key_filter([this](const MSG& msg) { return on_key(msg); });
    std::weak_ptr<PlayerKeys*> self = self_;
    for (const auto& key : keys_) {
        UINT command = key.command;
        shortcuts.bind(shortcut::type_main, key.key, "player command " + std::to_string(command), [self, command] {
            if (auto keys = self.lock(); keys && *keys) (*keys)->run(command);
        });
    }
}

PlayerKeys::~PlayerKeys() {
    *self_ = nullptr;
    loop_.set_key_filter(nullptr);
}

std::wstring PlayerKeys::key_name(unsigned key) {
    std::wstring text;
    if (key & shortcut::mod_ctrl) text += L"Ctrl+";
    if (key & shortcut::mod_shift) text += L"Shift+";
    if (key & shortcut::mod_alt) text += L"Alt+";
    unsigned vk = key & 0xFF;
    if (vk >= VK_F1 && vk <= VK_F12) text += L"F" + std::to_wstring(vk - VK_F1 + 1);
    else if (vk == VK_TAB) text += L"Tab";
    else if (vk == VK_DELETE) text += L"Del";
    else text += wchar_t(vk);
    return text;
}

std::wstring PlayerKeys::menu_text(UINT command, const wchar_t* text) const {
    auto found = std::find_if(keys_.begin(), keys_.end(), [command](const PlayerKey& k) { return k.command == command; });
    return found == keys_.end() ? std::wstring(text) : std::wstring(text) + L"\t" + key_name(found->key);
}

bool PlayerKeys::on_key(const MSG& msg) {
    if (!msg.hwnd || GetAncestor(msg.hwnd, GA_ROOT) != frame_) return false;
    unsigned pressed = unsigned(msg.wParam & 0xFF) | current_key_modifiers();
    auto found = std::find_if(keys_.begin(), keys_.end(), [pressed](const PlayerKey& k) { return k.key == pressed; });
    return found != keys_.end() && run(found->command);
}

bool PlayerKeys::run(UINT command) {
    bool edit_key = std::find(leave_edits_alone_.begin(), leave_edits_alone_.end(), command) != leave_edits_alone_.end();
    if (edit_key && is_text_box(GetFocus())) return false;
    // Posted: the command runs from the loop, not inside the message hook or the panel that saw the key.
    PostMessageW(frame_, WM_COMMAND, MAKEWPARAM(command, 0), 0);
    return true;
}

}  // namespace player
