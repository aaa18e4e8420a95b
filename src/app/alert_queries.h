#pragma once
// The five alert lists: parts short of their alert level, parts above their maximum,
// vehicles due for maintenance, vehicles due for the annual inspection, and owners
// whose birthday is near. The login counts them for the reminder panel and the list
// dialog shows them; both open them here, so a count always matches its list.
#include "data/data_set.h"

#include <set>
#include <vector>
#include <wx/datetime.h>
#include <wx/string.h>

class CAlertQueries {
public:
    enum class Kind { Shortage, Surplus, Maintenance, Inspection, Birthday, None };

    // The kind of a list name ("零件缺货", "零件溢出", "保养到期表", "年审车辆", "生日客户").
    static Kind KindOf(const wxString& name);

    // Opens the list into `list` (aux runs the statements whose rows are added).
    // A part the shortage or surplus statements return twice is listed once; birthdays
    // outside the ten days from today are left out. False after a refused statement.
    static bool Open(Kind kind, const wxDateTime& today, CDataSet& list, CDataSet& aux);

    // The inspection filter: plates ending in this month's last digit or the next
    // month's ("ReplaceStr like '%2' or ReplaceStr1 like '%1'" in December).
    static wxString BuildMonthFilter(const wxDateTime& today);
    // The days "MMDD" of the ten-day birthday window from today.
    static std::set<wxString> BirthdayWindow(const wxDateTime& today);

    // Marks as handled, in the tables: the listed vehicles only (all of them), or one.
    // Plates go into the statements as quoted values.
    static void MarkAll(Kind kind, const std::vector<wxString>& plates, CDataSet& data);
    static void Mark(Kind kind, const wxString& plate, CDataSet& data);
    // The flag field a kind's marks live in ("" for the parts lists).
    static wxString FlagField(Kind kind);
};
