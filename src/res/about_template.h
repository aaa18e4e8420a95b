#pragma once
// Dialog 100 "版本": the about box.
#include "res/dialog_template.h"

namespace res {

namespace about {
enum : int {
    kDialogId = 100,
    kTitleLink = 1165, // the product title; its target is no address, so it opens the help
};
constexpr const char* kLinkClass = "HyperLink";
} // namespace about
const DialogTemplate& AboutTemplate();

} // namespace res
