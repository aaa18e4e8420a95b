#include "data/date_range.h"

#include "platform/wx_text.h"

#include <cmath>

void CDateRange::PreviousMonth(const wxDateTime& today, wxString& first, wxString& last) {
    wxDateTime day(1, today.GetMonth(), today.GetYear());
    day -= wxDateSpan::Month();
    first = day.Format("%Y-%m-%d");
    day.SetToLastMonthDay(day.GetMonth(), day.GetYear());
    last = day.Format("%Y-%m-%d");
}

wxDateTime CDateRange::Parse(const wxString& text) {
    wxDateTime date;
    wxString::const_iterator end;
    const wxString trimmed = wxString(text).Trim(true).Trim(false);
    if (trimmed.empty() || !date.ParseFormat(trimmed, "%Y-%m-%d", &end) || end != trimmed.end())
        return wxDateTime();
    return date;
}

wxString CDateRange::Check(const wxString& from, const wxString& to) {
    const wxDateTime start = Parse(from);
    const wxDateTime end = Parse(to);
    if (!start.IsValid() || !end.IsValid())
        return wxString::FromUTF8("日期不对，请输入如 2024-05-01 的日期！");
    if (start > end) return wxString::FromUTF8("开始日期晚于结束日期，请重新输入！");
    if (start + wxDateSpan::Years(kMaxYears) < end)
        return wxString::Format(wxString::FromUTF8("日期范围不能超过%d年，请重新输入！"),
                                kMaxYears);
    return wxString();
}

long CDateRange::Days(const wxString& from, const wxString& to) {
    const wxDateTime start = Parse(from);
    const wxDateTime end = Parse(to);
    if (!start.IsValid() || !end.IsValid()) return 0;
    // Both are local midnights; rounding absorbs a daylight-saving hour between them.
    return std::lround(end.GetJDN() - start.GetJDN());
}
