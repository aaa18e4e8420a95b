#pragma once
// The cash journal (`kzk`) and the register of fixed assets (`gdzc`) without
// windows: the statement of a date range, and an asset's present value by straight
// line depreciation down to its residual value.
#include <wx/datetime.h>
#include <wx/string.h>

namespace office {

class CCashJournal {
public:
    enum Mode : int { Journal = 1, Assets = 2 };

    static wxString Table(int mode);     // kzk, gdzc
    static wxString DateField(int mode); // 日期, 购置日期
    static int FieldCount(int mode);     // the fields shown: 5, 8
    static wxString Title(int mode);     // 收支记录, 固定资产

    // The rows dated from..to ("%Y-%m-%d", checked) by date; empty when a date is no
    // valid date.
    static wxString RangeStatement(int mode, const wxString& from, const wxString& to);

    // Whole calendar days from one day to another, whatever the clock changes between.
    static long CivilDays(const wxDateTime& from, const wxDateTime& to);

    struct Asset {
        int quantity = -1;     // 数量
        int residualRate = -1; // 净残值率, percent
        int years = -1;        // 使用年限
        double price = 0;      // 单价
        wxDateTime bought;     // 购置日期; invalid counts as today
    };
    // The present value (down to the residual value after the useful life, never
    // above cost) and the cost of an asset on `today`; false when the asset counts in
    // neither total (no quantity, no life, no residual rate).
    static bool Value(const Asset& asset, const wxDateTime& today, double* present, double* cost);
};

} // namespace office
