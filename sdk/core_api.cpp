#include "sdk/core_api.h"

namespace sonavel {
namespace {
core_api* g_core = nullptr;
}

core_api* core() noexcept { return g_core; }
void set_core(core_api* api) noexcept { g_core = api; }

}  // namespace sonavel
