#include "player/engine/titleformat/path_fields.h"

#include "sdk/file_info.h"

namespace player::titleformat {

std::optional<PathField> path_field_named(std::string_view name) noexcept {
    static constexpr struct {
        std::string_view name;
        PathField field;
    } names[] = {{"filename", PathField::filename},
                 {"filename_ext", PathField::filename_ext},
                 {"path", PathField::path},
                 {"directoryname", PathField::directoryname},
                 {"ext", PathField::ext}};
    for (const auto& entry : names) {
        if (sonavel::field_name_equals(name.data(), name.size(), entry.name.data(), entry.name.size())) return entry.field;
    }
    return std::nullopt;
}

namespace {

// "mem://42" has no folder: everything up to "://" is skipped, unless it is a drive letter ("C://").
std::string_view without_scheme(std::string_view path) noexcept {
    std::size_t at = path.find("://");
    if (at == std::string_view::npos || at < 2) return path;
    for (std::size_t i = 0; i < at; ++i) {
        char c = path[i];
        bool scheme_char = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '+' ||
                           c == '-' || c == '.';
        if (!scheme_char) return path;
    }
    return path.substr(at + 3);
}

std::size_t last_separator(std::string_view text) noexcept { return text.find_last_of("\\/"); }

std::string_view after(std::string_view text, std::size_t at) noexcept {
    return at == std::string_view::npos ? text : text.substr(at + 1);
}

}  // namespace

std::string_view path_field_value(PathField field, std::string_view path) noexcept {
    if (field == PathField::path) return path;
    std::string_view local = without_scheme(path);
    std::size_t separator = last_separator(local);
    std::string_view name = after(local, separator);
    std::size_t dot = name.rfind('.');
    switch (field) {
        case PathField::filename_ext:
            return name;
        case PathField::filename:
            return dot == std::string_view::npos ? name : name.substr(0, dot);
        case PathField::ext:
            return dot == std::string_view::npos ? std::string_view() : name.substr(dot + 1);
        case PathField::directoryname: {
            if (separator == std::string_view::npos) return {};
            std::string_view folder = local.substr(0, separator);
            return after(folder, last_separator(folder));
        }
        case PathField::path:
            break;
    }
    return path;
}

}  // namespace player::titleformat
