#pragma once
// A small modal dialog that asks for one line of text (a label, an edit box, OK and Cancel): a playlist's
// name, the field of a playlist column. Main thread.
#include <windows.h>

#include <string>

namespace player {

// The text typed (UTF-8, without leading and trailing blanks); empty when the user cancelled or typed
// nothing.
std::string ask_text(HWND owner, const std::wstring& title, const std::wstring& label, const std::string& initial = {});
// The field's name in capitals as tags store it, asked for a playlist column ("Column of another field").
std::string ask_field_name(HWND owner);

}  // namespace player
