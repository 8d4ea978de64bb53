#include "player/library/PathCase.h"

#include <optional>

#include "sdk/utf8.h"

namespace player::library {

std::string path_key(std::string_view path) {
    std::string key;
    key.reserve(path.size());
    const char* at = path.data();
    const char* end = at + path.size();
    while (at < end) {
        char32_t c = 0;
        std::size_t length = sonavel::utf8_decode_char(at, end, c);
        if (length == 1 && static_cast<unsigned char>(*at) >= 0x80) {
            key += *at;  // a byte that is no UTF-8 stays as it is
        } else {
            sonavel::append_utf8(key, sonavel::char_upper(c));
        }
        at += length;
    }
    return key;
}

bool same_path(std::string_view a, std::string_view b) { return a == b || path_key(a) == path_key(b); }

const std::string& PathSpellings::spelling(const std::string& path) {
    return by_key_.try_emplace(path_key(path), path).first->second;
}

FolderListing listed_as_known(FolderListing list, std::shared_ptr<const KnownFiles> known) {
    auto spellings = std::make_shared<std::optional<PathSpellings>>();
    return [list = std::move(list), known = std::move(known), spellings](const std::string& folder) {
        std::vector<FoundFile> files = list(folder);
        for (auto& file : files) {
            if (known->count(file.path)) continue;
            if (!*spellings) {
                spellings->emplace();
                for (const auto& [path, stamp] : *known) (*spellings)->spelling(path);
            }
            file.path = (*spellings)->spelling(file.path);
        }
        return files;
    };
}

}  // namespace player::library
