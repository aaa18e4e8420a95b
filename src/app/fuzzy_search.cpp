#include "app/fuzzy_search.h"

#include "app/search_condition.h"
#include "platform/wx_text.h"

namespace {

bool IsDateText(const wxString& text) {
    if (text.length() != 10 || text[4] != '-' || text[7] != '-') return false;
    for (size_t i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (text[i] < '0' || text[i] > '9') return false;
    return true;
}

// What follows the first "where" of the built text and the one character behind it.
wxString Tail(const wxString& built) {
    const size_t at = built.find("where");
    return at == wxString::npos ? built : built.Mid(at + 6);
}

} // namespace

const wxString& CFuzzySearch::RepairBase() {
    static const wxString text =
        U("select 客户,车型,项目名称,编号,单价,数量,业务,码表,厂牌,其它,日期,备注,flag,no from "
          "ljsh order by 日期,客户 where flag='W' ");
    return text;
}

const wxString& CFuzzySearch::SalesBase() {
    static const wxString text =
        U("select 客户,车型,项目名称,编号,厂牌,单价,数量,备注,日期,业务,货位,折扣,单据号,合同号,"
          "flag,no from ljsh order by 日期,客户 where flag='P' ");
    return text;
}

const wxString& CFuzzySearch::CostBase() {
    static const wxString text =
        U("select 客户,车型,项目名称,编号,单价,进价,单位,数量,货位,厂牌,折扣,日期,备注,no from "
          "ljsh");
    return text;
}

std::vector<std::pair<wxString, wxString>> CFuzzySearch::Comparisons(long adoType) {
    switch (CSearchCondition::GroupOf(adoType)) {
    case CSearchCondition::TypeGroup::Number:
        return {{U("等于"), "="},
                {U("小于"), "<"},
                {U("大于"), ">"},
                {U("大于或等于"), ">="},
                {U("小于或等于"), "<="}};
    case CSearchCondition::TypeGroup::Text:
        return {{U("包含"), "like"}, {U("等于"), "="}};
    case CSearchCondition::TypeGroup::Date:
        return {{U("等于"), "="}, {U("早于"), "<"}, {U("迟于"), ">"}};
    default:
        return {};
    }
}

wxString CFuzzySearch::OperatorOf(const wxString& comparison) {
    for (long type : {3L, 129L, 133L})
        for (const auto& [text, op] : Comparisons(type))
            if (text == comparison) return op;
    return wxString();
}

wxString CFuzzySearch::FieldQuery(int mode, const wxString& table) {
    switch (mode) {
    case 1:
        return RepairBase() + "and no=0";
    case 2:
        return SalesBase() + "and no=0";
    case 4:
        return CostBase() + " where no=0";
    default:
        return "select * from " + table + " where no=0";
    }
}

bool CFuzzySearch::OffersDates(const wxString& table) {
    return table != "ljml" && table != "gk";
}

wxString CFuzzySearch::Build(int mode, const Request& request) {
    const wxString select = "select * from " + request.table;
    wxString text;
    if (!request.condition1.empty()) text = select + " where (" + request.condition1 + ")";
    if (!request.condition2.empty()) {
        if (text.empty())
            text = select + " where (" + request.condition2 + ")";
        else
            text =
                text.RemoveLast() + (request.orJoin ? " or " : " and ") + request.condition2 + ")";
    }
    if (!request.dateField.empty()) {
        const std::pair<const wxString&, const char*> bounds[] = {{request.start, ">="},
                                                                  {request.end, "<="}};
        for (const auto& [date, op] : bounds) {
            if (!IsDateText(date)) continue; // an emptied box is no bound
            const wxString bound = request.dateField + op + "{^" + date + "}";
            text = text.empty() ? "where " + bound : text + " and " + bound;
        }
    }
    if (text.empty()) return text;

    switch (mode) {
    case 1:
        text = RepairBase() + " and " + Tail(text);
        break;
    case 2:
        text = SalesBase() + " and " + Tail(text);
        break;
    case 3:
        text += U(" order by 日期");
        break;
    case 4:
        text = CostBase() + " where " + Tail(text);
        break;
    default:
        break;
    }
    if (text.Contains("where") && !text.Contains("select")) text = select + " " + text;
    return text;
}

wxString CFuzzySearch::AllRecords(int mode, const wxString& table, const wxString& gridTitle) {
    if (mode == 4) return CostBase();
    if (gridTitle == U("零件售货单")) return SalesBase();
    if (gridTitle == U("维修清单")) return RepairBase();
    return "select * from " + table;
}
