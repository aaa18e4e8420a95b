#include "office/cash_journal.h"

#include "data/sql_text.h"
#include "platform/wx_text.h"

#include <algorithm>
#include <cmath>

namespace office {

namespace {

bool IsDay(const wxString& text) {
    wxDateTime day;
    wxString::const_iterator end;
    return day.ParseFormat(text, "%Y-%m-%d", &end) && end == text.end() &&
           day.Format("%Y-%m-%d") == text;
}

// Days since 1970-01-01 of a calendar date (proleptic Gregorian).
long DaysFromCivil(int y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = unsigned(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + long(doe) - 719468;
}

long DayNumber(const wxDateTime& day) {
    return DaysFromCivil(day.GetYear(), unsigned(day.GetMonth()) + 1, day.GetDay());
}

} // namespace

wxString CCashJournal::Table(int mode) {
    return mode == Assets ? "gdzc" : "kzk";
}

wxString CCashJournal::DateField(int mode) {
    return mode == Assets ? U("购置日期") : U("日期");
}

int CCashJournal::FieldCount(int mode) {
    return mode == Assets ? 8 : 5;
}

wxString CCashJournal::Title(int mode) {
    return mode == Assets ? U("固定资产") : U("收支记录");
}

wxString CCashJournal::RangeStatement(int mode, const wxString& from, const wxString& to) {
    if (!IsDay(from) || !IsDay(to)) return wxString();
    const wxString field = DateField(mode);
    return "select * from " + Table(mode) + " where " + field + ">={^" + from + "} and " + field +
           "<={^" + to + "} order by " + field;
}

long CCashJournal::CivilDays(const wxDateTime& from, const wxDateTime& to) {
    return DayNumber(to) - DayNumber(from);
}

bool CCashJournal::Value(const Asset& asset, const wxDateTime& today, double* present,
                         double* cost) {
    // A residual rate of 0 is a real rate: the asset is written down to nothing.
    if (asset.years <= 0 || asset.residualRate < 0 || asset.quantity <= 0) return false;
    const double life = 365.0 * asset.years;
    const wxDateTime bought = asset.bought.IsValid() ? asset.bought : today;
    // An asset dated in the future has not lost anything yet.
    const double elapsed = std::clamp(double(CivilDays(bought, today)), 0.0, life);
    const double rate = std::min(asset.residualRate, 100) * 0.01;
    *cost = asset.quantity * asset.price;
    *present = asset.quantity * (1.0 - (1.0 - rate) * elapsed / life) * asset.price;
    return true;
}

} // namespace office
