#include "player/engine/FailureReport.h"

namespace player {

std::string failure_report(const std::vector<std::string>& lines, const std::string& what) {
    constexpr std::size_t shown = 20;
    std::string text = std::to_string(lines.size()) + (lines.size() == 1 ? " file was not " : " files were not ") + what + ":\n";
    for (std::size_t i = 0; i < lines.size() && i < shown; ++i) text += "\n" + lines[i];
    if (lines.size() > shown) text += "\n... and " + std::to_string(lines.size() - shown) + " more (see the console)";
    return text;
}

}  // namespace player
