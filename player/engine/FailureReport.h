#pragma once
// One message for many files that failed, so that a large failure is one box: a count, the first lines
// and how many more there are.
#include <string>
#include <vector>

namespace player {

// `what` completes "N files were not ...", e.g. "updated" or "read".
std::string failure_report(const std::vector<std::string>& lines, const std::string& what);

}  // namespace player
