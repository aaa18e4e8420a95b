#include "app/ledger_sums.h"

#include "data/data_set.h"
#include "data/record_fields.h"
#include "platform/wx_text.h"

#include <cmath>

const char* const CLedgerSums::kCategories[4] = {"应收款", "应付款", "预收款", "预付款"};

void CLedgerSums::Add(const wxString& category, double amount) {
    double* sums[] = {&receivables, &payables, &advances, &prepaid};
    for (int i = 0; i < 4; ++i)
        if (category == U(kCategories[i])) {
            *sums[i] += amount;
            present |= 1u << i;
        }
}

const double* CLedgerSums::Category(const wxString& category) const {
    const double* sums[] = {&receivables, &payables, &advances, &prepaid};
    for (int i = 0; i < 4; ++i)
        if (category == U(kCategories[i])) return sums[i];
    return nullptr;
}

double CLedgerSums::Balance() const {
    return std::round((payables + advances - receivables - prepaid) * 100.0) / 100.0 + 0.0;
}

wxString CLedgerSums::Statement(const wxString& field, const wxString& value) {
    return U("select 类别,sum(金额) as 金额,单位 from wlzm group by 单位,类别 where ") +
           CSqlText::Equals(field, value);
}

wxString CLedgerSums::AllStatement() {
    return U("select 类别,sum(金额) as 金额,单位 from wlzm group by 类别 where no>0");
}

CLedgerSums CLedgerSums::Read(CDataSet& data, const wxString& statement) {
    CLedgerSums sums;
    data.Open(statement);
    if (!data.IsOpen() || data.m_pRecordset->RecordCount() < 1) return sums;
    ado::Recordset& rs = *data.m_pRecordset;
    try {
        for (rs.MoveFirst(); !rs.EndOfFile(); rs.MoveNext())
            sums.Add(FieldText(rs, "类别"), FieldNumber(rs, "金额"));
    } catch (const ado::ComError& error) {
        CDataSet::ShowComError(error);
        return CLedgerSums();
    }
    return sums;
}

CLedgerSums CLedgerSums::ReadUnit(const wxString& unit) {
    CDataSet data;
    return Read(data, Statement(U("单位"), unit));
}
