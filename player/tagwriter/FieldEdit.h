#pragma once
// One field a write changes: its name as the player reads it from a file (an upper-case property key
// such as "GENRE", "MOOD", "STYLE") and all its new values in order, UTF-8. No values removes the field.
#include <stdexcept>
#include <string>
#include <vector>

namespace player::tagwriter {

struct FieldEdit {
    std::string name;
    std::vector<std::string> values;
};

using FieldEdits = std::vector<FieldEdit>;

// A format editor meets a tag layout it does not rewrite byte by byte (a compressed or unsynchronised
// tag, a field kept in a frame other than a text frame); the caller then writes the file another way.
class unsupported_layout : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace player::tagwriter
