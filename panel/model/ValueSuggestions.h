#pragma once
// What the add box suggests while the user types: the known values that start with, then contain, the
// value being typed (the text after the last ";"), without regard to case. No window.
#include <cstddef>
#include <string>
#include <vector>

namespace quennet {

// The value being typed: the text after the last ";", without its leading spaces.
std::string typed_piece(const std::string& text);

// Up to `limit` of `candidates` for `piece`: first those that start with it, then those that contain it
// elsewhere, each group in the candidates' order; none for an empty piece; a candidate equal to the piece
// byte for byte is not suggested; each value once.
std::vector<std::string> suggest_values(const std::vector<std::string>& candidates, const std::string& piece,
                                        std::size_t limit = 8);

// `text` with the value being typed replaced by `chosen`; what comes before it (earlier values, the ";"
// and the spaces after it) stays as typed.
std::string with_suggestion(const std::string& text, const std::string& chosen);

// Lower case for comparing without regard to case: ASCII, Latin-1, Greek and Cyrillic letters.
std::string fold_case(const std::string& text);

}  // namespace quennet
