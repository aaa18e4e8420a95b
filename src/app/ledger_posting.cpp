#include "app/ledger_posting.h"

#include "app/ledger_sums.h"
#include "data/data_transaction.h"
#include "data/main_frame_data.h"
#include "data/record_fields.h"
#include "platform/message_box.h"
#include "platform/wx_text.h"

#include <wx/datetime.h>

namespace {

wxString Today() {
    return wxDateTime::Today().Format("%Y-%m-%d");
}

// The `no` of the last record, 0 when there is none or it is Null.
long LastNumber(ado::Recordset& rs) {
    if (rs.RecordCount() < 1) return 0;
    rs.MoveLast();
    ado::Variant value = rs.Fields().Item("no").Value();
    return value.IsNull() ? 0 : long(value.ToInt64());
}

bool AskYesNo(const wxString& question) {
    return platform::ShowMessageBox(question.utf8_string(), "", platform::MB_YESNO) ==
           platform::IDYES;
}

} // namespace

bool CLedgerPosting::PostPartnerEntry(wxString unit, wxString number, const wxString& category,
                                      const wxString& amount, const wxString& way,
                                      const wxString& source, const wxString& remark) {
    const wxString failed = category + way + U("失败!");
    if (unit.empty()) {
        platform::ShowMessageBox(failed.utf8_string());
        return false;
    }
    CDataSet& data = m_frame.m_dsMain;
    data.Open(CSqlText::ReplaceParams("select ReplaceStr from ReplaceStr1", "*", "wlzm"));
    if (!data.IsOpen()) {
        platform::ShowMessageBox(failed.utf8_string());
        return false;
    }
    ado::RecordsetPtr rs = data.m_pRecordset;
    bool saved = false;
    try {
        long lastNo = 0;
        if (rs->RecordCount() > 0) {
            const bool byNumber = !number.empty();
            rs->MoveFirst();
            rs->Find(CSqlText::Criterion(byNumber ? U("编号") : U("单位"), byNumber ? number : unit)
                         .utf8_string());
            if (!rs->EndOfFile()) {
                if (byNumber)
                    unit = FieldText(*rs, "单位", unit);
                else
                    number = FieldText(*rs, "编号", number);
            }
            lastNo = LastNumber(*rs);
        }
        rs->AddNew();
        data.PutFieldValue(number, U("编号"), rs);
        data.PutFieldValue(wxString::Format("%ld", -(lastNo + 1)), "no", rs);
        data.PutFieldValue(unit, U("单位"), rs);
        data.PutFieldValue(amount, U("金额"), rs);
        data.PutFieldValue(Today(), U("日期"), rs);
        data.PutFieldValue(way, U("方式"), rs);
        data.PutFieldValue(category, U("类别"), rs);
        data.PutFieldValue(source, U("来源"), rs);
        data.PutFieldValue(remark, U("备注"), rs);
        data.NumberRows(rs, "wlzm");
        saved = data.Save(rs) == 1;
    } catch (const ado::ComError& error) {
        CDataSet::ShowComError(error);
    }
    if (saved)
        CDataTransaction::TellAfterCommit(category + way + U("成功!"));
    else
        platform::ShowMessageBox(failed.utf8_string());
    return saved;
}

bool CLedgerPosting::PostCashEntry(const wxString& item, const wxString& amount,
                                   const wxString& remark) {
    CDataSet& data = m_frame.m_dsMain;
    data.Open(CSqlText::ReplaceParams("select ReplaceStr from ReplaceStr1", "*", "kzk"));
    if (!data.IsOpen()) return false;
    ado::RecordsetPtr rs = data.m_pRecordset;
    const wxString& rights = m_frame.m_strRights;
    const wxString operatorName =
        rights.Find(',') == wxNOT_FOUND ? wxString() : rights.BeforeFirst(',');
    try {
        const long lastNo = LastNumber(*rs);
        rs->AddNew();
        data.PutFieldValue(item, U("项目名称"), rs);
        data.PutFieldValue(wxString::Format("%ld", -(lastNo + 1)), "no", rs);
        data.PutFieldValue(amount, U("金额"), rs);
        data.PutFieldValue(Today(), U("日期"), rs);
        data.PutFieldValue(remark, U("备注"), rs);
        data.PutFieldValue(operatorName, U("经手人"), rs);
        data.NumberRows(rs, "kzk");
        return data.Save(rs) == 1;
    } catch (const ado::ComError& error) {
        CDataSet::ShowComError(error);
        return false;
    }
}

bool CLedgerPosting::GetPartnerBalance(const wxString& unit, const wxString&,
                                       const wxString& category, double* result) {
    const CLedgerSums sums =
        CLedgerSums::Read(m_frame.m_dsMain, CLedgerSums::Statement(U("单位"), unit));
    for (int i = 0; i < 4; ++i)
        if ((sums.present & (1u << i)) && category == U(CLedgerSums::kCategories[i])) {
            *result = *sums.Category(category);
            return true;
        }
    wxString text;
    const double values[] = {sums.receivables, sums.payables, sums.advances, sums.prepaid};
    for (int i = 0; i < 4; ++i)
        if (values[i] > 0)
            text +=
                U(CLedgerSums::kCategories[i]) + ":" + MoneyText(values[i]) + (i == 0 ? "  " : " ");
    if (!text.empty() && !category.empty()) platform::ShowMessageBox(text.utf8_string());
    return false;
}

bool CLedgerPosting::OfferPartnerEntry(const wxString& question, const wxString& unit,
                                       const wxString& number, const wxString& category,
                                       const wxString& amount, const wxString& way,
                                       const wxString& source, const wxString& remark) {
    return AskYesNo(question) &&
           PostPartnerEntry(unit, number, category, amount, way, source, remark);
}

bool CLedgerPosting::OfferCashEntry(const wxString& question, const wxString& item,
                                    const wxString& amount, const wxString& remark) {
    return AskYesNo(question) && PostCashEntry(item, amount, remark);
}
