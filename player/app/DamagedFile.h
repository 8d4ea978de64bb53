#pragma once
// A stored file the player cannot read is never overwritten by the next save: it is renamed beside
// itself ("layout.cfg" becomes "layout.cfg.damaged", or ".damaged-2"... when that name is taken), so
// the user or a support engineer can still recover what it holds.
#include <string>

namespace player {

// Returns the new name, or an empty string when the file could not be renamed (then it is left as is).
std::wstring set_aside_damaged(const std::wstring& path);

}  // namespace player
