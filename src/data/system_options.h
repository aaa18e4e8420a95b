#pragma once
// The shop-wide function options, kept as one line of "key=value," items in the
// settings file "SystemSet". Forms build a reader, load the file and ask for the
// options they need; nothing is cached, so every reader sees the last saved page.
// The same reading serves the discount item of a rights string.
#include <wx/string.h>

class CSystemOptions {
public:
    static constexpr const char* kFileName = "SystemSet";

    // Settings text = the line of the options file (empty when it is missing).
    void LoadSettings();
    // The option as a whole number (a decimal is rounded half to even); 0 when the
    // key is absent, its value empty, or not a number.
    int GetIntOption(const wxString& key) const;
    // The option read as a decimal number, times ten, rounded: "8.5" gives 85.
    // 0 when absent, empty or not a number.
    int GetTenthsOption(const wxString& key) const;

    // Any text of the same form (the rights string) may be put here before asking.
    wxString m_strSettings;
};
