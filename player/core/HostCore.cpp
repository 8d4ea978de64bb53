#include "player/core/HostCore.h"

namespace player {

ModuleCore::ModuleCore(HostState& state, std::string path)
    : state_(state), path_(std::move(path)), file_name_(file_name_of(path_)) {}

std::size_t ModuleCore::service_count(const sonavel::guid& service_class) { return state_.registry.count(service_class); }

sonavel::service_ptr_t<sonavel::service_base> ModuleCore::service_create(const sonavel::guid& service_class,
                                                                          std::size_t index) {
    return state_.registry.create(service_class, index);
}

std::string ModuleCore::file_name_of(const std::string& path) {
    std::size_t cut = path.find_last_of("/\\:|");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

}  // namespace player
