#pragma once
// The brand's monthly service report: the quality defects counted from the archive
// (the parts replaced in a period by vehicle model, most frequent first, routine
// maintenance and labour items left out) and the texts its pre-printed form takes.
#include <vector>
#include <wx/datetime.h>
#include <wx/string.h>

class CBrandReport {
public:
    // The typed edits of the form, 10001 to 10069.
    static constexpr int kTypedTexts = 69;
    // Print texts: 0 the count of those that follow, 1..69 the typed edits, 70..72 the
    // company's first three items, 73 the date.
    static constexpr int kPrintTexts = 74;

    // The defects of the period "%Y-%m-%d".."%Y-%m-%d": 车型, 项目名称, 其它, 发生件数.
    static wxString DefectsStatement(const wxString& from, const wxString& to);
    static std::vector<wxString> PrintTexts(const std::vector<wxString>& typed,
                                            const std::vector<wxString>& companyItems,
                                            const wxDateTime& today);
};
