#include "office/statistics_engine.h"

#include "data/system_options.h"
#include "data/date_range.h"
#include "office/record_values.h"
#include "office/statistics_templates.h"
#include "platform/wx_text.h"

#include <iterator>
#include <map>
#include <set>

using namespace statistics_sql;
using office::FieldIsNull;
using office::FieldText;

namespace {

struct ReportNames {
    int mode;
    const char* detail;
    const char* summary;
};
const ReportNames kReportNames[] = {
    {1, "进货报表", "进货汇总表"},    {2, "售货报表", "售货汇总表"},
    {3, "维修报表", "维修汇总表"},    {4, "会员进度表", "进度汇总表"},
    {5, "应收款报表", "应收款汇总"},  {6, "员工业绩表", "业绩汇总表"},
    {7, "售货盘点表", "售盘点汇总"},  {8, "库存盘点表", "盘点汇总表"},
    {9, "营业清单", "营业汇总表"},    {10, "利润清单", "利润汇总表"},
    {11, "提成明细表", "员工提成表"}, {13, "进货报表", "进货汇总表"},
};

// The template with the choice (as a quoted literal) and then the dates put in.
wxString Fill(const char* templ, const StatisticsRequest& request, bool withChoice) {
    wxString text = U(templ);
    if (withChoice) text = CDataSet::ReplaceParam(text, CDataSet::Quote(request.choice));
    return CDataSet::ReplaceParams(text, request.from, request.to);
}

bool HasRecords(const CDataSet& data) {
    return data.m_bOpen && data.m_pRecordset && data.m_pRecordset->RecordCount() > 0;
}

} // namespace

bool StatisticsRequest::HasChoice() const {
    return !choice.empty() && choice != U("全部");
}

wxString CStatisticsEngine::ReportName(int mode, bool summary) {
    for (const ReportNames& names : kReportNames)
        if (names.mode == mode) return U(summary ? names.summary : names.detail);
    return wxString();
}

wxString CStatisticsEngine::Check(const StatisticsRequest& request) {
    if (!FindStatisticsTemplates(request.mode)) return U("没有这种统计！");
    return CDateRange::Check(request.from, request.to);
}

StatisticsFacts CStatisticsEngine::ReadFacts(const StatisticsRequest& request, CDataSet& aux) {
    StatisticsFacts facts;
    if (request.mode == 5 && request.HasChoice()) {
        aux.Open(CDataSet::ReplaceParam(U(kSettlementTest), CDataSet::Quote(request.choice)));
        facts.settlementUnit = HasRecords(aux);
    }
    if (request.mode == 10) {
        aux.Open(U(kDepartments));
        facts.departments = HasRecords(aux);
    }
    return facts;
}

StatisticsPlan CStatisticsEngine::Plan(const StatisticsRequest& request,
                                       const StatisticsFacts& facts) {
    StatisticsPlan plan;
    const StatisticsTemplates* templates = FindStatisticsTemplates(request.mode);
    if (!templates) return plan;
    plan.title = ReportName(request.mode, request.summary);
    const bool one = request.HasChoice() && request.mode != 9;
    switch (request.mode) {
    case 5:
        if (one && facts.settlementUnit) {
            plan.statement =
                Fill(request.summary ? kDebtUnitsSummary : kDebtUnitsDetail, request, true);
            return plan;
        }
        break;
    case 10:
        if (!request.summary)
            plan.statement = one ? Fill(kProfitDetailOne, request, true)
                                 : Fill(templates->detail, request, false);
        else if (one)
            plan.statement = Fill(kProfitSummaryOne, request, true);
        else if (facts.departments) {
            plan.statement = Fill(kProfitSummaryDepartments, request, false);
            plan.appended = {Fill(kProfitSummaryOutsiders, request, false),
                             Fill(kProfitSummaryNobody, request, false)};
        } else
            plan.statement = Fill(kProfitSummaryPeriod, request, false);
        return plan;
    case 11:
        plan.hiddenFields = 3;
        if (!request.summary) break;
        for (int i = 0; i < 3; ++i) {
            const wxString statement = one ? Fill(kCommissionSummaryOne[i], request, true)
                                           : Fill(kCommissionSummary[i], request, false);
            if (i == 0)
                plan.statement = statement;
            else
                plan.appended.push_back(statement);
        }
        return plan;
    default:
        break;
    }
    const char* templ = request.summary ? (one ? templates->summaryOne : templates->summary)
                                        : (one ? templates->detailOne : templates->detail);
    plan.statement = Fill(templ, request, one);
    return plan;
}

bool CStatisticsEngine::Run(const StatisticsRequest& request, CDataSet& result, CDataSet& aux) {
    m_plan = Plan(request, ReadFacts(request, aux));
    result.Open(m_plan.statement);
    if (!result.m_bOpen) return false;
    for (const wxString& statement : m_plan.appended)
        if (!Append(statement, result, aux, request.mode == 10)) return false;
    if (request.mode == 11) AddCommissions(result);
    if (request.mode == 10 || request.mode == 11) AddTotalRow(request, result);
    if ((request.mode == 7 || request.mode == 8) && request.summary)
        FillStockColumns(request, result, aux);
    if (request.mode == 8 && !request.summary) TakeStockDetails(result, aux);
    if (result.m_pRecordset->RecordCount() > 0) result.m_pRecordset->MoveFirst();
    return true;
}

std::vector<wxString> CStatisticsEngine::Columns(const CDataSet& result) const {
    std::vector<wxString> names;
    if (!result.m_bOpen || !result.m_pRecordset) return names;
    ado::Fields& fields = result.m_pRecordset->Fields();
    for (long i = 0; i < fields.Count() - m_plan.hiddenFields; ++i)
        names.push_back(wxString::FromUTF8(fields.Item(int(i)).Name()));
    return names;
}

bool CStatisticsEngine::Append(const wxString& statement, CDataSet& result, CDataSet& aux,
                               bool labelByFlag) {
    aux.Open(statement);
    if (!aux.m_bOpen) return false;
    if (!HasRecords(aux)) return true;
    const ado::RecordsetPtr& source = aux.m_pRecordset;
    const ado::RecordsetPtr& target = result.m_pRecordset;
    ado::Fields& targetFields = target->Fields();
    for (source->MoveFirst(); !source->EndOfFile(); source->MoveNext()) {
        target->AddNew();
        for (long i = 0; i < targetFields.Count(); ++i) {
            ado::Field& field = targetFields.Item(int(i));
            if (source->Fields().IndexOf(field.Name()) < 0) continue;
            field.PutValue(source->Fields().Item(field.Name()).Value());
        }
        // Lines without a salesperson are named by their kind, read from the row.
        if (labelByFlag && source->Fields().IndexOf("flag") >= 0 &&
            targetFields.IndexOf("部门") >= 0)
            targetFields.Item("部门").PutValue(
                (FieldText(source, "flag") == "W" ? U("其它维修") : U("其它配件")).utf8_string());
        target->Update();
    }
    return true;
}

CStatisticsEngine::Rates CStatisticsEngine::ReadRates() {
    CSystemOptions options;
    options.LoadSettings();
    Rates rates;
    rates.labour = options.GetIntOption(U("项目名称"));
    rates.repairParts = options.GetIntOption(U("零售价"));
    rates.partsSales = options.GetIntOption(U("批发价"));
    return rates;
}

double CStatisticsEngine::Commission(double amount, const wxString& flag, const wxString& brand,
                                     const Rates& rates) {
    const int rate = brand == U("维修项目") ? rates.labour
                     : flag == "W"          ? rates.repairParts
                                            : rates.partsSales;
    return amount * rate * 0.01;
}

void CStatisticsEngine::AddCommissions(CDataSet& result) {
    const ado::RecordsetPtr& rs = result.m_pRecordset;
    if (rs->RecordCount() <= 0) return;
    const Rates rates = ReadRates();
    for (rs->MoveFirst(); !rs->EndOfFile(); rs->MoveNext()) {
        ado::Field& commission = rs->Fields().Item("提成");
        if (FieldIsNull(rs, "金额"))
            commission.PutValue(ado::Variant(0.0));
        else
            commission.PutValue(
                ado::Variant(Commission(rs->Fields().Item("金额").Value().ToDouble(),
                                        FieldText(rs, "flag"), FieldText(rs, "厂牌"), rates)));
        rs->Update();
    }
}

void CStatisticsEngine::AddTotalRow(const StatisticsRequest& request, CDataSet& result) {
    const ado::RecordsetPtr& rs = result.m_pRecordset;
    if (rs->RecordCount() <= 0) return;
    ado::Fields& fields = rs->Fields();
    const bool profit = request.mode == 10;
    const char* first = profit ? "营业额" : "金额";
    const char* second = profit ? "成本" : "提成";
    const bool hasFirst = fields.IndexOf(first) >= 0;
    // In the profit detail 成本 is a unit price: its sum means nothing.
    const bool withSecond = !profit || request.summary;
    double sumFirst = 0, sumSecond = 0, negative = 0, positive = 0;
    auto add = [&](const char* name, double& sum) {
        if (fields.IndexOf(name) >= 0 && !FieldIsNull(rs, name))
            sum += fields.Item(name).Value().ToDouble();
    };
    for (rs->MoveFirst(); !rs->EndOfFile(); rs->MoveNext()) {
        add(first, sumFirst);
        add(second, sumSecond);
        if (profit && fields.IndexOf("毛利") >= 0 && !FieldIsNull(rs, "毛利")) {
            const double margin = fields.Item("毛利").Value().ToDouble();
            (margin < 0 ? negative : positive) += margin;
        }
    }
    rs->AddNew();
    if (hasFirst) fields.Item(first).PutValue(ado::Variant(sumFirst));
    if (withSecond && fields.IndexOf(second) >= 0)
        fields.Item(second).PutValue(ado::Variant(sumSecond));
    if (profit) {
        fields.Item("毛利").PutValue(ado::Variant(negative + positive));
        if (!request.summary && negative < 0 && fields.IndexOf("编号") >= 0)
            fields.Item("编号").PutValue((U("负毛利合计:") + MoneyText(negative)).utf8_string());
    }
    if (fields.Item(0).Type() == ado::adChar) fields.Item(0).PutValue(U("合计").utf8_string());
    rs->Update();
}

void CStatisticsEngine::TakeStockDetails(CDataSet& result, CDataSet& aux) {
    const ado::RecordsetPtr& rs = result.m_pRecordset;
    if (rs->RecordCount() <= 0) return;
    aux.Open(U("select 编号,车型,厂牌,备注,no from ljkc order by no"));
    if (!HasRecords(aux)) return;
    const char* const taken[] = {"车型", "厂牌", "备注"};
    std::map<wxString, std::vector<ado::Variant>> first;
    const ado::RecordsetPtr& stock = aux.m_pRecordset;
    for (stock->MoveFirst(); !stock->EndOfFile(); stock->MoveNext()) {
        if (FieldIsNull(stock, "编号")) continue;
        std::vector<ado::Variant>& values = first[FieldText(stock, "编号")];
        if (!values.empty()) continue;
        for (const char* field : taken)
            values.push_back(stock->Fields().Item(field).Value());
    }
    for (rs->MoveFirst(); !rs->EndOfFile(); rs->MoveNext()) {
        if (FieldIsNull(rs, "编号")) continue;
        const auto found = first.find(FieldText(rs, "编号"));
        if (found == first.end()) continue;
        for (size_t i = 0; i < std::size(taken); ++i)
            if (rs->Fields().IndexOf(taken[i]) >= 0)
                rs->Fields().Item(taken[i]).PutValue(found->second[i]);
        rs->Update();
    }
}

void CStatisticsEngine::FillStockColumns(const StatisticsRequest& request, CDataSet& result,
                                         CDataSet& aux) {
    // Stock per part number over every bin and group; in mode 8 each part's stock is
    // taken once and what no sales row took is listed after them.
    wxString statement = U(kStockTotals);
    if (request.mode == 8 && request.HasChoice())
        statement += U(" where 零件名称=") + CDataSet::Quote(request.choice);
    statement += U(" group by 编号,零件名称,车型");
    aux.Open(statement);
    std::map<wxString, double> stock;
    if (HasRecords(aux)) {
        const ado::RecordsetPtr& groups = aux.m_pRecordset;
        for (groups->MoveFirst(); !groups->EndOfFile(); groups->MoveNext())
            if (!FieldIsNull(groups, "编号") && !FieldIsNull(groups, "库存量"))
                stock[FieldText(groups, "编号")] +=
                    groups->Fields().Item("库存量").Value().ToDouble();
    }
    const ado::RecordsetPtr& rs = result.m_pRecordset;
    std::set<wxString> taken;
    if (rs->RecordCount() > 0) {
        for (rs->MoveFirst(); !rs->EndOfFile(); rs->MoveNext()) {
            rs->Fields().Item("实际数量").PutValue(ado::Variant::Null());
            rs->Fields().Item("库存量").PutValue(ado::Variant::Null());
            if (!FieldIsNull(rs, "编号")) {
                const wxString part = FieldText(rs, "编号");
                auto found = stock.find(part);
                if (found != stock.end()) {
                    rs->Fields().Item("库存量").PutValue(ado::Variant(found->second));
                    taken.insert(part);
                }
            }
            rs->Update();
        }
    }
    if (request.mode != 8 || !HasRecords(aux)) return;
    const ado::RecordsetPtr& groups = aux.m_pRecordset;
    for (groups->MoveFirst(); !groups->EndOfFile(); groups->MoveNext()) {
        const wxString part = FieldText(groups, "编号");
        if (taken.count(part)) continue;
        rs->AddNew();
        ado::Fields& fields = rs->Fields();
        fields.Item("车型").PutValue(groups->Fields().Item("车型").Value());
        fields.Item("项目名称").PutValue(groups->Fields().Item("零件名称").Value());
        fields.Item("编号").PutValue(groups->Fields().Item("编号").Value());
        fields.Item("厂牌").PutValue(groups->Fields().Item("厂牌").Value());
        fields.Item("销售数量").PutValue(ado::Variant(0));
        fields.Item("库存量").PutValue(groups->Fields().Item("库存量").Value());
        rs->Update();
    }
}

wxString CStatisticsEngine::AmountTotalText(double sum) {
    const wxString shown = MoneyText(sum);
    if (shown == "0.00" || shown == "-0.00") return wxString();
    return U("总计:") + shown;
}
