#pragma once
// The start-up picture "Picture/setup.BMP" (splash and default background), drawn
// by code so that a new program folder gets one of the program's own.
#include <wx/string.h>

namespace res {

// Draws the picture and saves it as a Windows bitmap at path. False when it cannot
// be written.
bool WriteSetupPicture(const wxString& path);

} // namespace res
