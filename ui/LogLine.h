#pragma once
// Diagnostic console lines: "[" + the component's file name + "] " + local time + ": " + text.
#include <string>

namespace quennet {

// HH:MM:SS.mmm of the local time now.
std::string format_timestamp();
// Prints one line to the host's console; does nothing while host services are not available. Callers
// decide whether the console-output setting applies.
void log_line(const std::string& text);

}  // namespace quennet
