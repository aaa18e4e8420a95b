#include "office/partner_dlg.h"

#include "app/ledger_sums.h"
#include "app/main_frame.h"
#include "app/record_nav_bar.h"
#include "data/record_fields.h"
#include "office/office_forms.h"
#include "office/statistics_dlg.h"
#include "platform/gbk.h"
#include "platform/wx_text.h"
#include "res/partner_template.h"
#include "work/active_sheet.h"
#include "work/archive_dlg.h"
#include "work/customer_browse_dlg.h"

#include <wx/radiobut.h>
#include <wx/spinbutt.h>
#include <wx/textctrl.h>

using namespace res::partner_card;

namespace {

using K = CRecordDlg::FieldKind;

std::vector<CRecordDlg::FieldBinding> Fields() {
    return {
        {kNumberEdit, "编号", K::Text},
        {kNameEdit, "单位", K::Text},
        {kAddressEdit, "地址", K::Text},
        {kHeadEdit, "负责人", K::Text},
        {kHeadPhoneEdit, "负责人电话", K::Text},
        {kHeadMobileEdit, "负责人手机", K::Text},
        {kContactEdit, "联系人", K::Text},
        {kContactPhoneEdit, "联系电话", K::Text},
        {kContactMobileEdit, "联系人手机", K::Text},
        {kFaxEdit, "传真", K::Text},
        {kSparePhoneEdit, "备用电话", K::Text},
        {kBankEdit, "开户行", K::Text},
        {kAccountEdit, "帐号", K::Text},
        {kTaxEdit, "税号", K::Text},
        {kOtherEdit, "其它", K::Text},
        {kRemarkEdit, "备注", K::Text},
        {kAreaEdit, "区域", K::Text},
        {kDiscountEdit, "折扣", K::Percent},
    };
}

const int kLevelRadios[] = {kLevel1Radio, kLevel2Radio, kLevel3Radio};

} // namespace

namespace office {

void RegisterPartners() {
    CMainFrame::RegisterForm(
        FormKind::Partners, [](CMainFrame& frame, int mode, const wxString& text) {
            frame.m_bRecordSaved = false;
            const wxString kept = frame.m_strShared;
            const wxString name = mode == CPartnerDlg::Suppliers && text.empty() ? kept : text;
            wxString saved;
            {
                CPartnerDlg dialog(nullptr, mode, name);
                dialog.ShowModal();
                saved = dialog.ShownName();
            }
            if (frame.m_bRecordSaved) frame.m_strShared = saved;
        });
}

} // namespace office

CPartnerDlg::CPartnerDlg(wxWindow* parent, int mode, const wxString& newName)
    : CRecordDlg(parent, res::PartnerCardTemplate(), mode == Suppliers ? "gys" : "wlkf", Fields(),
                 kNameEdit, true, 70, "单位"),
      m_nMode(mode == Suppliers ? Suppliers : Customers), m_strNewName(newName) {
    if (auto* spin = res::Control<wxSpinButton>(this, kDiscountSpin)) spin->SetRange(0, 200);
    res::BindButton(this, kBrowseButton, &CPartnerDlg::OnBrowse);
    res::BindButton(this, kArchiveButton, &CPartnerDlg::OnPurchaseArchive);
    res::BindButton(this, kLedgerButton, &CPartnerDlg::OnLedger);
    if (m_nMode == Suppliers)
        for (int id : kLevelRadios)
            Control(id)->Hide();
    Open();
    // A registered partner opens on its record; a customer name not yet registered
    // (the picker's "马上建档", a ticket's unknown customer) starts its new record.
    if (!m_strNewName.empty() && m_ds.IsOpen() && m_ds.m_pRecordset->RecordCount() > 0) {
        ado::Recordset& rs = *m_ds.m_pRecordset;
        const bool shown = !rs.EndOfFile() && !rs.BOF();
        const ado::Variant kept = shown ? rs.Bookmark() : ado::Variant();
        rs.MoveFirst();
        rs.Find(CSqlText::Criterion(U("单位"), m_strNewName).utf8_string());
        if (!rs.EndOfFile() || m_nMode == Suppliers) {
            ShowRecord();
            m_strNewName.clear();
        } else if (shown) {
            rs.PutBookmark(kept);
        }
    }
    if (m_nMode == Customers && !m_strNewName.empty()) OnNew();
    Centre();
}

wxString CPartnerDlg::ShownName() const {
    return ControlText(kNameEdit).Strip(wxString::both);
}

wxString CPartnerDlg::KeyProblem(const wxString& key) const {
    if (key.empty()) return U("单位名称不能为空！");
    if (key.Contains("'")) return U("  不能用单引号！");
    if (platform::GbkLength(key.utf8_string()) > 36) return U("单位名称不能超过36个字节！");
    return wxString();
}

wxString CPartnerDlg::FormProblem() {
    const wxString discount = ControlText(kDiscountEdit).Strip(wxString::both);
    long percent = 0;
    if (!discount.empty() && (!discount.ToLong(&percent) || percent < 0 || percent > 200))
        return U("折扣只能是0到200之间的整数！");
    return wxString();
}

void CPartnerDlg::PrepareNewEntry() {
    SetControlText(kBalanceEdit, wxString());
    res::Control<wxRadioButton>(this, kNoLevelRadio)->SetValue(true);
    if (m_nMode == Customers) {
        if (!m_strNewName.empty()) {
            SetControlText(kNameEdit, m_strNewName);
            m_strNewName.clear();
        } else if (active_sheet::Exists() && !active_sheet::Customer().empty()) {
            SetControlText(kNameEdit, active_sheet::Customer());
        }
    }
    res::Control<wxTextCtrl>(this, kNameEdit)->SetInsertionPointEnd();
}

void CPartnerDlg::ShowExtra(const ado::RecordsetPtr& rs) {
    // A partner without entries owes nothing: 0.00, never the previous partner's sum.
    CMainFrame* frame = CMainFrame::Get();
    const wxString name = FieldText(*rs, "单位");
    const CLedgerSums sums =
        frame ? CLedgerSums::Read(frame->m_dsMain, CLedgerSums::Statement(U("单位"), name))
              : CLedgerSums::ReadUnit(name);
    SetControlText(kBalanceEdit, MoneyText(sums.Balance()));
    if (m_nMode != Customers) return;
    const wxString level = FieldText(*rs, "级别");
    res::Control<wxRadioButton>(this, kNoLevelRadio)->SetValue(true);
    for (int i = 0; i < 3; ++i)
        if (level.Contains(wxString::Format("%d", i + 1))) {
            res::Control<wxRadioButton>(this, kLevelRadios[i])->SetValue(true);
            break;
        }
}

void CPartnerDlg::WriteExtra(const ado::RecordsetPtr& rs) {
    if (m_nMode != Customers) return;
    for (int i = 0; i < 3; ++i)
        if (res::Control<wxRadioButton>(this, kLevelRadios[i])->GetValue())
            m_ds.PutFieldValue(wxString::Format("%d", i + 1), U("级别"), rs);
}

void CPartnerDlg::EnableExtra(bool enable) {
    if (m_nMode != Customers) return;
    for (int id : kLevelRadios)
        Control(id)->Enable(enable);
}

wxString CPartnerDlg::DeleteQuestion(const wxString&) const {
    return U("真要删除该记录吗？");
}

wxString CPartnerDlg::DeleteFailedText() const {
    return U("删除未成功，请重新选择！");
}

template <class Run> void CPartnerDlg::WhileHidden(Run run) {
    if (GetNavBar()) GetNavBar()->Hide();
    Hide();
    run();
    Show();
    if (GetNavBar()) GetNavBar()->Show();
    Raise();
}

void CPartnerDlg::OnBrowse() {
    WhileHidden([this] {
        if (CMainFrame* frame = CMainFrame::Get())
            frame->m_strShared = m_nMode == Customers ? "wlkf" : "gys";
        CCustomerBrowseDlg browser;
        browser.ShowModal();
    });
}

void CPartnerDlg::OnPurchaseArchive() {
    CMainFrame* frame = CMainFrame::Get();
    const wxString name = ShownName();
    if (m_nMode == Suppliers) {
        if (frame && !frame->CheckRight(19)) return;
        if (!frame) return;
        frame->m_strShared = name;
        total statistic(*frame, 98088);
        statistic.ShowModal();
        return;
    }
    if (frame && !frame->CheckRight(15)) return;
    WhileHidden([&] {
        const bool sheet = active_sheet::Exists();
        const wxString kept = active_sheet::Customer();
        if (sheet) active_sheet::SetCustomer(name);
        if (frame) frame->m_strShared = name;
        {
            wxda archive(nullptr, CArchiveQuery::Mode::Sales, name);
            archive.ShowModal();
        }
        if (sheet) active_sheet::SetCustomer(kept);
    });
}

void CPartnerDlg::OnLedger() {
    const wxString name = ShownName();
    WhileHidden([&] {
        if (CMainFrame* frame = CMainFrame::Get())
            frame->OpenForm(FormKind::PartnerLedger, 0, name);
    });
}
