#include "ui/LogLine.h"

#include <chrono>
#include <cstdio>
#include <ctime>

#include "host/ComponentClient.h"
#include "sdk/console.h"

namespace quennet {

std::string format_timestamp() {
    auto now = std::chrono::system_clock::now();
    std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &seconds);
#else
    localtime_r(&seconds, &local);
#endif
    char text[16];
    std::snprintf(text, sizeof text, "%02d:%02d:%02d.%03d", local.tm_hour, local.tm_min, local.tm_sec, int(millis));
    return text;
}

void log_line(const std::string& text) {
    const ComponentClient& client = ComponentClient::instance();
    if (!client.services_available()) return;
    std::string line = "[" + client.library_file_name() + "] " + format_timestamp() + ": " + text;
    sonavel::console_print(line.c_str());
}

}  // namespace quennet
