#include "office/flow_analysis.h"

#include "data/setting_files.h"
#include "data/date_range.h"
#include "office/record_values.h"
#include "platform/wx_text.h"

#include <cmath>
#include <map>

using office::FieldIsNull;
using office::FieldText;

namespace {

const char* const kSales =
    "select 车型,项目名称,编号,厂牌,sum(数量) AS 总销售量,单价*0.00 AS 月平均销量,数量-数量 AS "
    "现有库存量,单价*0.00 AS 月销库存比,单价*0.00 AS 所占销量比,sum(单价*数量) as 单价,no from "
    "ljsh where 日期>={^ReplaceStr} and 日期<={^ReplaceStr1} group by 编号,项目名称";
const char* const kStockGroups =
    "select 车型,零件名称,编号,sum(数量) as 数量 from ljkc group by 编号,零件名称,车型";

double Number(const ado::RecordsetPtr& rs, const char* field) {
    return FieldIsNull(rs, field) ? 0 : rs->Fields().Item(field).Value().ToDouble();
}

// The value as the 90 rule shows it, kept as a number in the result.
double Shown(double value) {
    double shown = 0;
    CFlowAnalysis::NinetyRule(value).ToCDouble(&shown);
    return shown;
}

} // namespace

int FlowSettings::Number(const wxString& line, const wxString& key) {
    const int at = line.Find(key + "=");
    if (line.empty() || at == wxNOT_FOUND) return 100;
    wxString value;
    for (size_t i = at + key.length() + 1; i < line.length(); ++i) {
        const wxUniChar c = line[i];
        if (c == ' ' || c == ',' || c == '\n' || c == '\r') break;
        value += c;
    }
    long number = 0;
    if (value.empty() || !value.ToLong(&number)) return 0;
    return int(number);
}

FlowSettings FlowSettings::Parse(const wxString& line) {
    FlowSettings settings;
    settings.slow = Number(line, "bl1");
    settings.best = Number(line, "bl2");
    settings.basis = Number(line, "bl3");
    return settings;
}

wxString FlowSettings::Build() const {
    return wxString::Format("bl1=%d,bl2=%d,bl3=%d,", slow, best, basis == 1 ? 1 : 2);
}

FlowSettings FlowSettings::Load() {
    return Parse(CSettingFiles::ReadSettingFile(kFileName));
}

void FlowSettings::Save() const {
    CSettingFiles::WriteSettingFile(kFileName, Build());
}

wxString CFlowAnalysis::NinetyRule(double value) {
    const wxString text = wxString::Format("%.2f", value);
    if (text.Right(2) > "90") return wxString::Format("%.0f", value);
    return text;
}

wxString CFlowAnalysis::CheckThreshold(const wxString& text) {
    long value = 0;
    const wxString trimmed = wxString(text).Trim(true).Trim(false);
    if (trimmed.empty() || !trimmed.ToLong(&value) || value < 0) return U("比例请输入0或正整数！");
    return wxString();
}

long CFlowAnalysis::RangeDays(const wxString& from, const wxString& to) {
    // A range that starts and ends on one day is one day of sales, not none.
    return std::max(1L, CDateRange::Days(from, to));
}

wxString CFlowAnalysis::BestSellersFilter(int threshold) {
    return wxString::Format(U("所占销量比>%d"), threshold);
}

wxString CFlowAnalysis::SlowSellersFilter(int threshold) {
    return wxString::Format(U("月销库存比<%d"), threshold);
}

bool CFlowAnalysis::Run(const wxString& from, const wxString& to, bool byQuantity, CDataSet& result,
                        CDataSet& aux) {
    if (result.m_pRecordset && result.m_pRecordset->IsOpen())
        result.m_pRecordset->PutFilter(ado::Variant(std::string()));
    result.Open(CDataSet::ReplaceParams(U(kSales), from, to));
    if (!result.m_bOpen) return false;
    const ado::RecordsetPtr& rs = result.m_pRecordset;
    if (rs->RecordCount() <= 0) return true;
    aux.Open(U(kStockGroups));
    if (!aux.m_bOpen) return false;

    // Sold rows by part number (or name when it has none), then name and model exactly.
    auto keyOf = [](const wxString& part, const wxString& name, const wxString& model) {
        return (part.empty() ? "\t" + name : part) + "\n" + name + "\n" + model;
    };
    std::map<wxString, ado::Variant> bookmarks;
    for (rs->MoveFirst(); !rs->EndOfFile(); rs->MoveNext())
        bookmarks.emplace(
            keyOf(FieldText(rs, "编号"), FieldText(rs, "项目名称"), FieldText(rs, "车型")),
            rs->Bookmark());
    const ado::RecordsetPtr& stock = aux.m_pRecordset;
    if (stock->RecordCount() > 0) {
        for (stock->MoveFirst(); !stock->EndOfFile(); stock->MoveNext()) {
            const wxString part = FieldText(stock, "编号");
            const wxString name = FieldText(stock, "零件名称");
            if (part.empty() && name.empty()) continue;
            const double quantity = Number(stock, "数量");
            auto found = bookmarks.find(keyOf(part, name, FieldText(stock, "车型")));
            if (found != bookmarks.end()) {
                rs->PutBookmark(found->second);
                rs->Fields().Item("现有库存量").PutValue(ado::Variant(quantity));
                rs->Update();
                continue;
            }
            if (FieldIsNull(stock, "数量") || quantity <= 0) continue;
            rs->AddNew();
            ado::Fields& fields = rs->Fields();
            fields.Item("车型").PutValue(stock->Fields().Item("车型").Value());
            fields.Item("项目名称").PutValue(stock->Fields().Item("零件名称").Value());
            fields.Item("编号").PutValue(stock->Fields().Item("编号").Value());
            fields.Item("现有库存量").PutValue(ado::Variant(quantity));
            fields.Item("总销售量").PutValue(ado::Variant(0));
            fields.Item("月平均销量").PutValue(ado::Variant(0.0));
            fields.Item("月销库存比").PutValue(ado::Variant(0.0));
            rs->Update();
        }
    }

    const long days = RangeDays(from, to);
    long totalQuantity = 0;
    double totalAmount = 0;
    for (rs->MoveFirst(); !rs->EndOfFile(); rs->MoveNext()) {
        if (FieldIsNull(rs, "总销售量")) continue;
        const double sold = Number(rs, "总销售量");
        totalQuantity += long(sold);
        totalAmount += Number(rs, "单价");
        const double average = sold * 30 / days;
        rs->Fields().Item("月平均销量").PutValue(ado::Variant(Shown(average)));
        if (!FieldIsNull(rs, "现有库存量")) {
            const long inStock = long(Number(rs, "现有库存量"));
            const double ratio = inStock != 0 ? average * 100 / inStock : 100;
            rs->Fields().Item("月销库存比").PutValue(ado::Variant(Shown(ratio)));
        }
        rs->Update();
    }
    for (rs->MoveFirst(); !rs->EndOfFile(); rs->MoveNext()) {
        double share = 0;
        // Without any sales (returns may cancel them) every share is 0.
        if (byQuantity && !FieldIsNull(rs, "总销售量") && totalQuantity != 0)
            share = double(long(Number(rs, "总销售量")) * 100 / totalQuantity);
        else if (!byQuantity && !FieldIsNull(rs, "总销售量") && !FieldIsNull(rs, "单价") &&
                 totalAmount != 0)
            share = std::round(Number(rs, "单价") * 100 / totalAmount * 100) / 100;
        rs->Fields().Item("所占销量比").PutValue(ado::Variant(share));
        rs->Update();
    }
    rs->MoveFirst();
    return true;
}
