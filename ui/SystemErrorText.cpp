#include "ui/SystemErrorText.h"

#include <windows.h>

#include "sdk/utf8.h"

namespace quennet {

std::string system_error_text(unsigned long code) {
    wchar_t text[256];
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                        text, DWORD(std::size(text)), nullptr);
    return sonavel::wide_to_utf8(std::wstring_view(text, length));
}

}  // namespace quennet
