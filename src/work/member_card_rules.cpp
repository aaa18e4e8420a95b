#include "work/member_card_rules.h"

#include <wx/datetime.h>

namespace {

bool ParseDay(const wxString& text, wxDateTime* date) {
    wxString::const_iterator end;
    return date->ParseFormat(text, "%Y-%m-%d", &end) && end == text.end();
}

} // namespace

wxString CMemberCardRules::ValidUntil(const wxString& issued) {
    wxDateTime date;
    if (!ParseDay(issued, &date)) return wxString();
    return date.Add(wxDateSpan::Days(364)).Format("%Y-%m-%d");
}

wxString CMemberCardRules::ExpiredFilter(const wxString& today) {
    return wxString::FromUTF8("有效期<#") + today + wxString::FromUTF8("# AND 有效期>#1899-12-30#");
}

wxString CMemberCardRules::DateProblem(const wxString& issued, const wxString& valid, bool adding,
                                       const wxString& today) {
    wxDateTime from, to, now;
    if (!ParseDay(valid, &to)) return wxString(); // the field check reports bad dates
    if (adding && ParseDay(today, &now) && to < now)
        return wxString::FromUTF8("有效期已过，请修改后再试！");
    if (ParseDay(issued, &from) && to < from)
        return wxString::FromUTF8("有效期早于办卡日期，请修改后再试！");
    return wxString();
}
