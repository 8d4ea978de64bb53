#pragma once
// A small modal dialog that asks for a field's name ("Field name:", an edit box, OK and Cancel), for the
// playlist column of any field. Main thread.
#include <windows.h>

#include <string>

namespace player {

// The field's name in capitals as tags store it (UTF-8); empty when the user cancelled or typed nothing.
std::string ask_field_name(HWND owner);

}  // namespace player
