#include "panel/model/ValueSuggestions.h"

#include <unordered_set>

namespace quennet {
namespace {

std::size_t piece_start(const std::string& text) {
    const std::size_t semicolon = text.rfind(';');
    std::size_t at = semicolon == std::string::npos ? 0 : semicolon + 1;
    while (at < text.size() && text[at] == ' ') ++at;
    return at;
}

}  // namespace

std::string typed_piece(const std::string& text) { return text.substr(piece_start(text)); }

std::string with_suggestion(const std::string& text, const std::string& chosen) {
    return text.substr(0, piece_start(text)) + chosen;
}

std::string fold_case(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b >= 'A' && b <= 'Z') {
            out += char(b + 32);
            continue;
        }
        // Two-byte sequences: Latin-1 capitals C3 80-9E (not 97), Greek CE 91-A9, Cyrillic D0 80-AF.
        if (i + 1 < text.size()) {
            const auto c = static_cast<unsigned char>(text[i + 1]);
            if (b == 0xC3 && c >= 0x80 && c <= 0x9E && c != 0x97) {
                out += char(0xC3);
                out += char(c + 0x20);
                ++i;
                continue;
            }
            if (b == 0xCE && c >= 0x91 && c <= 0x9F) {
                out += char(0xCE);
                out += char(c + 0x20);
                ++i;
                continue;
            }
            if (b == 0xCE && c >= 0xA0 && c <= 0xA9) {
                out += char(0xCF);
                out += char(c - 0x20);
                ++i;
                continue;
            }
            if (b == 0xD0 && c >= 0x90 && c <= 0x9F) {
                out += char(0xD0);
                out += char(c + 0x20);
                ++i;
                continue;
            }
            if (b == 0xD0 && c >= 0xA0 && c <= 0xAF) {
                out += char(0xD1);
                out += char(c - 0x20);
                ++i;
                continue;
            }
            if (b == 0xD0 && c >= 0x80 && c <= 0x8F) {
                out += char(0xD1);
                out += char(c + 0x10);
                ++i;
                continue;
            }
        }
        out += char(b);
    }
    return out;
}

std::vector<std::string> suggest_values(const std::vector<std::string>& candidates, const std::string& piece,
                                        std::size_t limit) {
    std::vector<std::string> starting, containing;
    if (piece.empty() || limit == 0) return starting;
    const std::string wanted = fold_case(piece);
    std::unordered_set<std::string> listed;
    for (const std::string& candidate : candidates) {
        if (candidate == piece || candidate.empty() || !listed.insert(candidate).second) continue;
        const std::size_t at = fold_case(candidate).find(wanted);
        if (at == 0)
            starting.push_back(candidate);
        else if (at != std::string::npos)
            containing.push_back(candidate);
        if (starting.size() >= limit) break;
    }
    for (std::string& c : containing) {
        if (starting.size() >= limit) break;
        starting.push_back(std::move(c));
    }
    return starting;
}

}  // namespace quennet
