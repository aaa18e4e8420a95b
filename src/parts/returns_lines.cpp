#include "parts/returns_lines.h"

#include "parts/part_line.h"
#include "platform/wx_text.h"

namespace parts {

const char* const kReturnFields = "客户,车型,零件名称,编号,单价,单位,数量,货位,厂牌,折扣,日期,"
                                  "备注,供应商,no,单据号,进价,其它,补发日期,退出日期,flag,no1";

int ReturnModeOfCode(const wxString& code) {
    const char* const codes[] = {"TC", "BF", "ZC", "TH", "JT"};
    for (int i = 0; i < 5; ++i)
        if (code == codes[i]) return i + 2;
    return kDefectBack;
}

wxString AllReturnsStatement() {
    return U("select ") + U(kReturnFields) + U(" from ljth");
}

wxString ReturnLinesStatement() {
    return AllReturnsStatement() + U(" where 客户='#######'");
}

double ReturnLinesTotal(ado::Recordset& lines) {
    money::Fen total = 0;
    if (lines.RecordCount() <= 0) return 0;
    const ado::Variant at = lines.EndOfFile() || lines.BOF() ? ado::Variant() : lines.Bookmark();
    for (lines.MoveFirst(); !lines.EndOfFile(); lines.MoveNext()) {
        total += LineFen(Number(lines, "数量"), Number(lines, "单价"));
    }
    if (!at.IsEmpty()) lines.PutBookmark(at);
    return money::ToYuan(total);
}

long ReturnedCount(const wxString& remark) {
    const wxString text = wxString(remark).Trim(false).Trim(true);
    if (!text.StartsWith(U("退"))) return 0;
    const wxString digits = text.Mid(1);
    long count = 0;
    if (digits.empty() || digits.find_first_not_of("0123456789") != wxString::npos ||
        !digits.ToLong(&count))
        return 0;
    return count;
}

} // namespace parts
