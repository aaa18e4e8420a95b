#include "platform/input_method.h"

#include <cstdlib>

namespace platform {

void UsePaintableInputMethod() {
    auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    if (set("GTK_IM_MODULE") || set("XMODIFIERS")) return;
    ::setenv("GTK_IM_MODULE", "gtk-im-context-simple", 1);
}

} // namespace platform
