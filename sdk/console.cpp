#include "sdk/console.h"

#include "sdk/core_api.h"

namespace sonavel {

void console_print(const char* line) {
    if (!core()) return;
    service_enum_t<console_output> e;
    service_ptr_t<console_output> out;
    while (e.next(out)) out->print(line);
}

}  // namespace sonavel
