#include "platform/input_method.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>

namespace {

struct Desktop {
    const char* gtkImModule; // nullptr: not set
    const char* xmodifiers;
    const char* expected;
};

void Put(const char* name, const char* value) {
    if (value) ::setenv(name, value, 1);
    else ::unsetenv(name);
}

} // namespace

TEST(InputMethod, OnlyADesktopWithoutOneGetsTheSimpleModule) {
    const Desktop cases[] = {
        {nullptr, nullptr, "gtk-im-context-simple"},
        {"", "", "gtk-im-context-simple"},
        {"ibus", nullptr, "ibus"},
        {"fcitx", "@im=fcitx", "fcitx"},
        {nullptr, "@im=ibus", nullptr}, // XIM named by the desktop: GTK picks it itself
    };
    for (const Desktop& desktop : cases) {
        Put("GTK_IM_MODULE", desktop.gtkImModule);
        Put("XMODIFIERS", desktop.xmodifiers);
        platform::UsePaintableInputMethod();
        const char* chosen = std::getenv("GTK_IM_MODULE");
        if (desktop.expected) {
            ASSERT_NE(chosen, nullptr);
            EXPECT_EQ(std::string(chosen), desktop.expected);
        } else {
            EXPECT_EQ(chosen, nullptr);
        }
    }
    ::unsetenv("GTK_IM_MODULE");
    ::unsetenv("XMODIFIERS");
}
