#pragma once
// Dialog 100 "版本": the about box.
#include "res/dialog_template.h"

namespace res {

namespace about {
enum : int {
    kDialogId = 100,
    kPicture = 1162,     // the program's picture, drawn by the dialog
    kPictureLink = 1163, // a picture that opens the help
    kHelpLink = 1164,    // a text that opens the help
    kTitleLink = 1165,   // the product title; its target is no address, so it opens the help
};
constexpr const char* kLinkClass = "HyperLink";
} // namespace about
const DialogTemplate& AboutTemplate();

} // namespace res
