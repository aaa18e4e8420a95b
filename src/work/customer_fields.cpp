#include "work/customer_fields.h"

#include "platform/gbk.h"

#include <wx/datetime.h>

const char* const CCustomerFields::kBadIdText = "输入字符不对！";

wxString CCustomerFields::PlatePrefix(const wxString& plate) {
    return wxString::FromUTF8(platform::CutToGbkBytes(plate.utf8_string(), 4));
}

wxString CCustomerFields::PlateProblem(const wxString& plate) {
    if (plate.Strip(wxString::both).empty()) return wxString::FromUTF8("车牌号码不能为空！");
    if (plate.Contains("'")) return wxString::FromUTF8("  不能用单引号！");
    if (plate.Contains("/") || plate.Contains("\\"))
        return wxString::FromUTF8("车牌号码中不能有斜杠！");
    return wxString();
}

bool CCustomerFields::BirthdayFromId(const wxString& id, wxString* birthday) {
    birthday->clear();
    for (size_t i = 0; i < id.length(); ++i) {
        const wxUniChar c = id[i];
        const bool checkChar = i == 17 && id.length() == 18 && (c == 'X' || c == 'x');
        if ((c < '0' || c > '9') && !checkChar) return false;
    }
    wxString text;
    if (id.length() == 15)
        text = "19" + id.Mid(6, 2) + "-" + id.Mid(8, 2) + "-" + id.Mid(10, 2);
    else if (id.length() == 18)
        text = id.Mid(6, 4) + "-" + id.Mid(10, 2) + "-" + id.Mid(12, 2);
    // A number whose date is impossible gives no birthday rather than a wrong one.
    wxDateTime date;
    wxString::const_iterator end;
    if (!text.empty() && date.ParseFormat(text, "%Y-%m-%d", &end) && end == text.end() &&
        date.Format("%Y-%m-%d") == text)
        *birthday = text;
    return true;
}
