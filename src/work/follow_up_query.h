#pragma once
// The follow-up list: the vehicles that had named repair items done in a period and a
// price band, with the owner's contact data and the vehicle's latest visit in the
// period, so that the shop can call the owners back.
#include <wx/datetime.h>
#include <wx/string.h>

class CDataSet;

class CFollowUpQuery {
public:
    // The condition on 项目名称 for the items typed separated by "," or "，" or one a
    // line: "(项目名称='A'  or 项目名称='B' )", each name quoted safely. Empty when
    // no item is named.
    static wxString ItemCondition(const wxString& typed);
    // The list's statement; empty when no item is named, a date is empty or no date,
    // or a price is no number.
    static wxString Statement(const wxString& typedItems, const wxString& from, const wxString& to,
                              const wxString& lowPrice, const wxString& highPrice);
    // The latest visit and its reading of every vehicle in the period.
    static wxString LatestStatement(const wxString& from, const wxString& to);

    // Opens the list on `list` and puts each vehicle's latest visit and reading of the
    // period into its lines (in memory only). False after a failed open (reported) or
    // without a statement.
    static bool Load(CDataSet& list, const wxString& statement, const wxString& from,
                     const wxString& to);
};
