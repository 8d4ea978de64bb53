#pragma once
// A DPI kept in a stored file beside sizes in pixels: from a quarter of 96 DPI to sixteen times it.
// Anything else is damage, read as 0 (not known: the sizes stay pixels).
#include <cstdint>

namespace sonavel {

inline std::uint32_t plausible_stored_dpi(std::uint32_t dpi) noexcept { return dpi >= 24 && dpi <= 1536 ? dpi : 0; }

}  // namespace sonavel
