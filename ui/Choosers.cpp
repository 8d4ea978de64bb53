#include "ui/Choosers.h"

#include <commdlg.h>

#include <cstring>

#include "sdk/win/dpi.h"
#include "sdk/win/uwin.h"

namespace quennet {

static_assert(sizeof(panoplex::log_font) == sizeof(LOGFONTW));

bool choose_font(panoplex::log_font& font, std::uint32_t& font_dpi, HWND owner) {
    LOGFONTW chosen{};
    std::memcpy(&chosen, static_cast<const void*>(&font), sizeof chosen);
    // The chooser tells points from heights at the system's DPI.
    const unsigned dpi = sonavel::system_dpi();
    if (font_dpi != 0) chosen.lfHeight = MulDiv(chosen.lfHeight, int(dpi), int(font_dpi));
    CHOOSEFONTW request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.lpLogFont = &chosen;
    request.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_FORCEFONTEXIST;
    request.nFontType = SCREEN_FONTTYPE;
    if (!ChooseFontW(&request)) return false;
    std::memcpy(static_cast<void*>(&font), &chosen, sizeof chosen);
    font_dpi = dpi;
    return true;
}

bool choose_color(panoplex::colour_t& colour, HWND owner) {
    // Not kept between calls: the chooser always opens with sixteen black custom colours.
    COLORREF custom[16] = {};
    COLORREF chosen = colour;
    if (!sonavel::uChooseColor(chosen, owner, custom)) return false;
    colour = chosen;
    return true;
}

bool is_windows_key_down() {
    return (GetKeyState(VK_LWIN) & 0x8000) != 0 || (GetKeyState(VK_RWIN) & 0x8000) != 0;
}

}  // namespace quennet
