#include "data/system_options.h"

#include "ado/com_error.h"
#include "ado/variant.h"
#include "data/setting_files.h"

namespace {

// The value of an item read as a number; a value that is not one counts as 0, as
// a missing item does.
double NumberOf(const wxString& text) {
    if (text.empty()) return 0;
    try {
        return ado::Variant(text.utf8_string()).ToDouble();
    } catch (const ado::ComError&) {
        return 0;
    }
}

int RoundedToInt(double value) {
    try {
        return ado::Variant(value).ToLong();
    } catch (const ado::ComError&) {
        return 0;
    }
}

} // namespace

void CSystemOptions::LoadSettings() {
    m_strSettings = CSettingFiles::ReadSettingFile(kFileName);
}

int CSystemOptions::GetIntOption(const wxString& key) const {
    return RoundedToInt(NumberOf(CSettingFiles::GetSettingValue(m_strSettings, key)));
}

int CSystemOptions::GetTenthsOption(const wxString& key) const {
    return RoundedToInt(NumberOf(CSettingFiles::GetSettingValue(m_strSettings, key)) * 10.0);
}
