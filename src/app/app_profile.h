#pragma once
// The application's profile (what the class library kept under its registry key):
// an INI file in the user's private config folder, read and written through
// wxFileConfig. Sections and keys keep their old names ("Tip", "StartUp", ...).
#include <memory>
#include <wx/fileconf.h>

// The profile file: profile.ini in platform::ConfigFolder().
std::unique_ptr<wxFileConfig> OpenAppProfile();
