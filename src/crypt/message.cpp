#include "crypt/message.h"

#include <cstdio>
#include <dlfcn.h>

namespace sealkit {

int ShowBox(const char* text, const char* caption, unsigned type) {
    using BoxFn = int (*)(const char*, const char*, unsigned);
    static BoxFn box = reinterpret_cast<BoxFn>(dlsym(RTLD_DEFAULT, "qv_message_box"));
    if (box) return box(text, caption, type);
    std::fprintf(stderr, "[%s] %s\n", caption, text);
    return (type & 0xF) == 4 || (type & 0xF) == 3 ? 6 : 1;
}

} // namespace sealkit
