#pragma once
// Writing texts into the host's query language (search_filter_service): a quoted text holds any bytes, a
// double quote inside it doubled. Used by whoever builds a query from values; any thread.
#include <string>
#include <string_view>

namespace sonavel {

// `text` between double quotes, each double quote in it doubled, so that no text can end the quoted text
// early and change what the query around it means.
std::string query_quoted(std::string_view text);

}  // namespace sonavel
