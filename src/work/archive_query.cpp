#include "work/archive_query.h"

#include "data/sql_text.h"
#include "platform/money.h"

#include <cmath>
#include <wx/datetime.h>

const wxString CArchiveQuery::kNobody = "#####A####";

namespace {

wxString Fields(CArchiveQuery::Mode mode) {
    switch (mode) {
    case CArchiveQuery::Mode::Repair:
        return wxString::FromUTF8(
            "客户,车型,项目名称,编号,单价,数量,业务,码表,厂牌,其它,日期,备注,flag,no");
    case CArchiveQuery::Mode::Sales:
        return wxString::FromUTF8("客户,车型,项目名称,编号,厂牌,单价,数量,备注,日期,业务,货位,折扣,"
                                  "单据号,合同号,flag,no");
    case CArchiveQuery::Mode::Statistics:
        break;
    }
    return wxString::FromUTF8(
        "客户,车型,项目名称,编号,单价,进价,单位,数量,货位,厂牌,折扣,日期,备注,no");
}

bool IsDate(const wxString& text) {
    wxDateTime date;
    wxString::const_iterator end;
    return date.ParseFormat(text, "%Y-%m-%d", &end) && end == text.end();
}

} // namespace

wxString CArchiveQuery::LookupStatement(Mode mode, const wxString& text) {
    const wxString value = text.empty() ? kNobody : text;
    const wxString contains = CSqlText::Contains(wxString::FromUTF8("客户"), value);
    const wxString select = "select " + Fields(mode) + " from ljsh where ";
    switch (mode) {
    case Mode::Repair:
        return select + "flag='W' and " + contains + wxString::FromUTF8(" order by 日期,客户");
    case Mode::Sales:
        return select + "flag='P' and " + contains + wxString::FromUTF8(" order by 日期,客户");
    case Mode::Statistics:
        break;
    }
    return select + contains;
}

wxString CArchiveQuery::RangeStatement(const wxString& range) {
    const wxString from = range.BeforeFirst(',').Strip(wxString::both);
    const wxString to = range.AfterFirst(',').Strip(wxString::both).Left(10);
    if (!IsDate(from) || !IsDate(to)) return wxString();
    return "select " + Fields(Mode::Statistics) + wxString::FromUTF8(" from ljsh where 日期>={^") +
           from + wxString::FromUTF8("} and 日期<={^") + to + "}";
}

wxString CArchiveQuery::WidthKey(Mode mode) {
    return mode == Mode::Repair ? wxString::FromUTF8("ljsh维修") : wxString::FromUTF8("ljsh配件");
}

double CArchiveQuery::Total(const std::vector<std::pair<wxString, wxString>>& rows) {
    money::Fen total = 0;
    for (const auto& [quantityText, priceText] : rows) {
        money::Fen price = 0;
        if (!money::Parse(priceText.Strip(wxString::both).utf8_string(), &price)) continue;
        double quantity = 0;
        quantityText.Strip(wxString::both).ToCDouble(&quantity);
        total += money::LineAmount(std::llround(quantity), price, 100);
    }
    return money::ToYuan(total);
}
