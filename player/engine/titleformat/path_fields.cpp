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

std::size_t last_separator(std::string_view text) noexcept { return text.find_last_of("\\/"); }

std::string_view after(std::string_view text, std::size_t at) noexcept {
    return at == std::string_view::npos ? text : text.substr(at + 1);
}

}  // namespace

std::string_view path_field_value(PathField field, std::string_view path) noexcept {
    if (field == PathField::path) return path;
    std::size_t separator = last_separator(path);
    std::string_view name = after(path, separator);
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
            std::string_view folder = path.substr(0, separator);
            return after(folder, last_separator(folder));
        }
        case PathField::path:
            break;
    }
    return path;
}

}  // namespace player::titleformat
