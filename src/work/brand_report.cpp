#include "work/brand_report.h"

#include "data/sql_text.h"
#include "platform/wx_text.h"

wxString CBrandReport::DefectsStatement(const wxString& from, const wxString& to) {
    // NOT IN over a list that holds a NULL is never true: the lists leave NULLs out.
    return CSqlText::ReplaceParams(
        U("select 车型,项目名称,其它,count(*) as 发生件数 from ljsh where 日期>={^ReplaceStr} "
          "and 日期<={^ReplaceStr1} and 项目名称 not in(select distinct 项目名称 from byxmb "
          "where 项目名称 IS NOT NULL) and 项目名称 not in(select distinct 项目名称 from wxxm "
          "where 项目名称 IS NOT NULL) group by 车型,项目名称 order by 发生件数 DESC"),
        from, to);
}

std::vector<wxString> CBrandReport::PrintTexts(const std::vector<wxString>& typed,
                                               const std::vector<wxString>& companyItems,
                                               const wxDateTime& today) {
    std::vector<wxString> texts(kPrintTexts);
    texts[0] = wxString(wxUniChar(kPrintTexts - 1));
    for (int i = 0; i < kTypedTexts && i < int(typed.size()); ++i)
        texts[1 + i] = typed[i];
    for (int i = 0; i < 3 && i < int(companyItems.size()); ++i)
        texts[70 + i] = companyItems[i];
    texts[73] = today.Format("%Y    %m    %d");
    return texts;
}
