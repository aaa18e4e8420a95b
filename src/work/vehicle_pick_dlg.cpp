#include "work/vehicle_pick_dlg.h"
#include "work/binding_checks.h"
#include "work/guarded.h"
#include "work/line_fields.h"
#include "work/line_page.h"
#include "work/line_pricing.h"
#include "work/work_page.h"
#include "work/work_sheet.h"

#include "app/item_pick_dlg.h"
#include "app/main_frame.h"
#include "app/owner_notice.h"
#include "platform/message_box.h"
#include "platform/wx_text.h"
#include "res/sales_page_template.h"
#include "res/vehicle_pick_template.h"

#include <cmath>
#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/splitter.h>
#include <wx/textctrl.h>

using namespace res::vehicle_pick;
using namespace work;

const char* const CVehiclePickDlg::kHint = "客户名车牌";

namespace {

const char* const kRepairSearch =
    "select 车牌号码,车型,颜色,车主姓名,客户特征,折扣,手扣 from gk where ";
const char* const kSalesSearch =
    "select 单位,联系人,联系电话,传真,余额,联系人手机,地址,备注,折扣,级别,"
    "负责人,负责人手机,负责人电话 from wlkf where ";

CMainFrame& Frame() {
    return *CMainFrame::Get();
}

} // namespace

CVehiclePickDlg::CVehiclePickDlg(CWorkSheet* sheet)
    : wxDialog(CMainFrame::Get(), wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
               wxBORDER_RAISED | wxFRAME_FLOAT_ON_PARENT | wxFRAME_TOOL_WINDOW),
      m_pSheet(sheet) {
    res::BuildDialog(this, res::VehiclePickTemplate());
    m_comboCustomer = res::Control<wxComboBox>(this, kCustomerCombo);
    m_comboCustomer->Bind(wxEVT_TEXT,
                          [this](wxCommandEvent&) { Guarded([this] { OnEditChangeCustomer(); }); });
    m_comboCustomer->Bind(wxEVT_COMBOBOX,
                          [this](wxCommandEvent&) { Guarded([this] { OnSelChangeCustomer(); }); });
    m_comboCustomer->Bind(wxEVT_SET_FOCUS, [this](wxFocusEvent& e) {
        if (m_comboCustomer->GetValue() == U(kHint)) m_comboCustomer->ChangeValue(wxString());
        // The focus can still arrive while the main window is being closed.
        if (CMainFrame* frame = CMainFrame::Get()) frame->m_hPickTarget = this;
        e.Skip();
    });
    res::FindControl(this, kAllButton)->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        Guarded([this] { OnListAll(); });
    });
    Bind(qvEVT_OWNER_NOTICE,
         [this](COwnerNoticeEvent& event) { Guarded([&] { OnOwnerNotice(event); }); });
    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) { Guarded([&] { OnCharHook(event); }); });
    // The window manager places a newly mapped window where it likes (a corner): the
    // first move it makes after each showing is put back to where Start() means it.
    Bind(wxEVT_SHOW, [this](wxShowEvent& event) {
        event.Skip();
        m_bPlacing = event.IsShown() && m_place != wxDefaultPosition;
    });
    Bind(wxEVT_MOVE, [this](wxMoveEvent& event) {
        event.Skip();
        if (!m_bPlacing || !IsShown()) return;
        m_bPlacing = false;
        if (GetPosition() != m_place) Move(m_place);
    });
    Bind(wxEVT_LEFT_DOWN, &CVehiclePickDlg::OnLeftDown, this);
    Bind(wxEVT_MOTION, &CVehiclePickDlg::OnMotion, this);
}

CVehiclePickDlg::~CVehiclePickDlg() {
    CloseMatchList();
}

wxString CVehiclePickDlg::KeyField() const {
    return m_pSheet->GetMode() == 'W' ? U("车牌号码") : U("单位");
}

wxString CVehiclePickDlg::SearchStatement(const wxString& typed) const {
    return U(m_pSheet->GetMode() == 'W' ? kRepairSearch : kSalesSearch) +
           CDataSet::Contains(KeyField(), typed);
}

void CVehiclePickDlg::Start() {
    // Over the lower pane, right of the middle of the upper one.
    wxWindow* pane = Frame().GetSheetPane();
    const wxPoint origin = pane->GetScreenPosition();
    const wxSize client = GetClientSize();
    const wxRect place(origin.x + pane->GetClientSize().x / 2 + 50, origin.y + 30, client.x + 5,
                       client.y + 2);
    m_place = place.GetTopLeft();
    SetSize(place);
    Show();
    const wxString mode = m_pSheet->GetMode() == 'W' ? "W" : "P";
    CDataSet& data = Frame().m_dsMain;
    data.Open(U("select distinct 客户 from zyxm where (故障='M_WX_GQ') and (flag like '%") + mode +
              "%')");
    if (data.m_bOpen && data.m_pRecordset->RecordCount() > 0)
        for (data.m_pRecordset->MoveFirst(); !data.m_pRecordset->EndOfFile();
             data.m_pRecordset->MoveNext())
            if (!IsNullField(data.m_pRecordset, "客户"))
                m_comboCustomer->Append(FieldText(data.m_pRecordset, "客户"));
    m_comboCustomer->ChangeValue(U(kHint));
}

void CVehiclePickDlg::AddSuspended(const wxString& customer) {
    if (m_comboCustomer->FindString(customer) == wxNOT_FOUND) m_comboCustomer->Append(customer);
}

bool CVehiclePickDlg::TakeSuspended(const wxString& customer) {
    const int index = m_comboCustomer->FindString(customer);
    if (index == wxNOT_FOUND) return false;
    m_comboCustomer->Delete(index);
    return true;
}

void CVehiclePickDlg::CloseMatchList() {
    if (m_pMatchList) m_pMatchList->Destroy();
    m_pMatchList = nullptr;
}

void CVehiclePickDlg::OnEditChangeCustomer() {
    Frame().m_hPickTarget = this;
    const wxString typed = m_comboCustomer->GetValue();
    if (typed == U(kHint)) return;
    if (const wxString refusal = PickerTextRefusal(typed); !refusal.empty()) {
        platform::ShowMessageBox(refusal.utf8_string());
        return;
    }
    if (typed.empty()) {
        m_bSearchPending = false;
        CloseMatchList();
        return;
    }
    const wxString statement = SearchStatement(typed);
    CDataSet& data = Frame().m_dsMain;
    if (!(m_bSearchPending && statement == m_strLastSql && data.m_bOpen)) data.Open(statement);
    m_bSearchPending = true;
    m_strLastSql = statement;
    if (!data.m_bOpen || data.m_pRecordset->RecordCount() == 0) {
        CloseMatchList();
        KeepTypingFocus();
        return;
    }
    if (!m_pMatchList) {
        m_pMatchList = new CItemPickDlg();
        m_pMatchList->Move(m_comboCustomer->GetScreenRect().GetBottomLeft());
    } else {
        m_pMatchList->DeleteAllItems();
    }
    const wxString key = KeyField();
    for (data.m_pRecordset->MoveFirst(); !data.m_pRecordset->EndOfFile();
         data.m_pRecordset->MoveNext())
        if (!IsNullField(data.m_pRecordset, key.utf8_str()))
            m_pMatchList->AddItem(FieldText(data.m_pRecordset, key.utf8_str()));
    KeepTypingFocus();
}

// The operator types on in the box. GTK selects a box's whole text when it takes the
// focus, and the next key would replace it: the focus comes back only when something
// took it, and with the caret where it was.
void CVehiclePickDlg::KeepTypingFocus() {
    if (wxWindow::FindFocus() == m_comboCustomer) return;
    const long caret = m_comboCustomer->GetInsertionPoint();
    m_comboCustomer->SetFocus();
    m_comboCustomer->SetSelection(caret, caret);
}

void CVehiclePickDlg::OnListAll() {
    Frame().m_hPickTarget = this;
    m_comboCustomer->ChangeValue(wxString());
    const wxString key = KeyField();
    CDataSet& data = Frame().m_dsMain;
    data.Open(U(m_pSheet->GetMode() == 'W' ? kRepairSearch : kSalesSearch) + key +
              "!='###last####'");
    if (data.m_bOpen && data.m_pRecordset->RecordCount() > 0) {
        CloseMatchList();
        m_pMatchList = new CItemPickDlg();
        m_pMatchList->Move(m_comboCustomer->GetScreenRect().GetBottomLeft());
        for (data.m_pRecordset->MoveFirst(); !data.m_pRecordset->EndOfFile();
             data.m_pRecordset->MoveNext())
            if (!IsNullField(data.m_pRecordset, key.utf8_str()))
                m_pMatchList->AddItem(FieldText(data.m_pRecordset, key.utf8_str()));
    }
    KeepTypingFocus();
}

void CVehiclePickDlg::OnCharHook(wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    if ((key == WXK_DOWN || key == WXK_UP || key == WXK_PAGEDOWN) && m_pMatchList) {
        Frame().m_hPickTarget = this;
        m_pMatchList->EnterList();
        m_bSearchPending = false;
        return;
    }
    if (key == WXK_RETURN || key == WXK_NUMPAD_ENTER) {
        // Enter never closes the picker.
        if (m_bSearchPending) {
            m_bSearchPending = false;
            ChooseTyped();
        }
        return;
    }
    event.Skip();
}

void CVehiclePickDlg::ChooseTyped() {
    wxString typed = m_comboCustomer->GetValue().Strip(wxString::trailing);
    if (typed.empty() || typed.Contains("'") || typed == U(kHint)) return;
    CDataSet& data = Frame().m_dsMain;
    const wxString key = KeyField();
    // Until a record holds the text, or the operator binds it as it stands.
    for (;;) {
        data.Open(SearchStatement(typed));
        if (data.m_bOpen && data.m_pRecordset->RecordCount() > 0) {
            data.m_pRecordset->MoveFirst();
            wxString found = FieldText(data.m_pRecordset, key.utf8_str());
            if (found.empty()) found = typed;
            CloseMatchList();
            m_bSearchPending = false;
            Frame().m_strShared = found;
            BindCustomer(found);
            return;
        }
        const int answer =
            platform::ShowMessageBox("没有包含该字符的记录,马上建档吗？", "", platform::MB_YESNO);
        CloseMatchList();
        if (answer != platform::IDYES) break;
        // The record form opens through the frame; the typed text goes with it and the
        // name it was saved under comes back. Nothing saved: the question comes again.
        Frame().m_strShared = typed;
        const FormKind form =
            m_pSheet->GetMode() == 'W' ? FormKind::CustomerRecords : FormKind::Partners;
        Frame().OpenForm(form, 1, typed);
        if (!Frame().m_strShared.empty()) typed = Frame().m_strShared;
        m_comboCustomer->ChangeValue(typed);
        if (typed.Contains("'")) return;
    }
    m_bSearchPending = false;
    Frame().m_strShared = typed;
    BindCustomer(typed);
}

void CVehiclePickDlg::OnOwnerNotice(COwnerNoticeEvent& event) {
    if (event.GetLParam() == CItemPickDlg::kClose) {
        CloseMatchList();
        return;
    }
    if (event.GetLParam() != CItemPickDlg::kChosen) return;
    Frame().m_strShared = event.GetText();
    BindCustomer(event.GetText());
}

wxString CVehiclePickDlg::Refusal(const wxString& key) const {
    std::vector<wxString> titles;
    for (size_t i = 0; i < m_pSheet->GetPageCount(); ++i)
        if (CWorkPage* page = m_pSheet->GetWorkPage(i)) titles.push_back(page->GetTitle());
    return BindRefusal(titles, key);
}

void CVehiclePickDlg::BindCustomer(const wxString& customer) {
    wxString key = customer;
    key.Trim(true);
    if (const wxString refusal = Refusal(key); !refusal.empty()) {
        platform::ShowMessageBox(refusal.utf8_string());
        return;
    }
    m_comboCustomer->ChangeValue(wxString());
    if (key.empty()) return;
    if (TakeSuspended(key)) {
        AddCustomerPage(key);
        Resume(key);
        return;
    }
    const ado::RecordsetPtr& rs = m_pSheet->m_rsLines;
    if (!rs || !rs->IsOpen()) return;
    rs->AddNew();
    if (m_pSheet->GetMode() == 'W') PutText(rs, "厂牌", wxDateTime::Today().Format("%Y-%m-%d"));
    PutText(rs, "flag", wxString(wxUniChar(m_pSheet->GetMode())));
    PutText(rs, "客户", key);
    PutText(rs, "no", "-1");
    PutText(rs, "故障", "");
    rs->Update();
    AddCustomerPage(key);
    if (CWorkPage* page = m_pSheet->FindWorkPage(key)) page->SaveLines();
}

void CVehiclePickDlg::OnSelChangeCustomer() {
    const int index = m_comboCustomer->GetSelection();
    if (index == wxNOT_FOUND) return;
    const wxString customer = m_comboCustomer->GetString(index);
    if (customer.empty()) return;
    m_comboCustomer->ChangeValue(wxString());
    // Resuming counts against the page limit like binding does.
    if (const wxString refusal = Refusal(customer); !refusal.empty()) {
        platform::ShowMessageBox(refusal.utf8_string());
        return;
    }
    m_comboCustomer->Delete(index);
    AddCustomerPage(customer);
    Resume(customer);
}

void CVehiclePickDlg::Resume(const wxString& customer) {
    CWorkPage* page = m_pSheet->FindWorkPage(customer);
    const ado::RecordsetPtr& rs = m_pSheet->m_rsLines;
    if (!page || !rs || !rs->IsOpen()) return;
    rs->MoveFirst();
    rs->Find(CDataSet::Criterion(U("客户"), customer).utf8_string());
    if (rs->EndOfFile()) return;
    PutText(rs, "故障", "");
    page->SaveLines();
}

void CVehiclePickDlg::AddCustomerPage(const wxString& customer) {
    CWorkPage* before = m_pSheet->GetActiveWorkPage();
    CWorkPage* page = m_pSheet->MakePage(customer);
    if (!page) return;
    m_pSheet->AddWorkPage(page, true);
    if (m_pSheet->GetMode() == 'W') ApplyMemberCard(customer);
    if (m_pSheet->GetPageCount() == 2 && before && before->GetTitle().empty())
        m_pSheet->RemoveWorkPage(before);
    const double net = ShowBalances(customer);
    if (m_pSheet->GetMode() == 'W' || std::llround(net * 100) == 0) return;
    // A sales ticket carries the customer's net balance in its head line and shows it
    // in its balance box.
    auto* lines = dynamic_cast<CLinePage*>(m_pSheet->FindWorkPage(customer));
    if (!lines || !lines->MoveToHeader()) return;
    PutNumber(m_pSheet->m_rsLines, "小计", net);
    lines->SaveLines();
    if (auto* box = dynamic_cast<wxTextCtrl*>(lines->FindWindow(res::sales_page::kBalanceEdit)))
        box->ChangeValue(MoneyText(net));
}

void CVehiclePickDlg::ApplyMemberCard(const wxString& plate) {
    CDataSet& data = Frame().m_dsMain;
    const wxString today = wxDateTime::Today().Format("%Y-%m-%d");
    data.Open(U("select 项目名称,编号,sum(次数) as 次数,hyzl.卡类别,min(办卡日期) as "
                "办卡日期,max(有效期) "
                "as 有效期,折扣,手扣 from hyzl,hyxm where 车牌号码=") +
              CDataSet::Quote(plate) + U(" and hyxm.卡类别=hyzl.卡类别 and hyzl.有效期>={^") +
              today + U("} group by 项目名称 order by 项目名称"));
    if (!data.m_bOpen || data.m_pRecordset->RecordCount() == 0) return;
    const ado::RecordsetPtr& card = data.m_pRecordset;
    card->MoveFirst();
    CWorkPage* page = m_pSheet->FindWorkPage(plate);
    const ado::RecordsetPtr& rs = m_pSheet->m_rsLines;
    if (!page || !rs->IsOpen() || rs->RecordCount() == 0) return;
    rs->MoveFirst();
    for (const char* field : {"折扣", "手扣"})
        rs->Fields().Item(field).PutValue(card->Fields().Item(field).Value());
    const wxString type = FieldText(card, "卡类别");
    if (!IsNullField(card, "有效期")) {
        wxDateTime expiry;
        expiry.ParseFormat(FieldText(card, "有效期"), "%Y-%m-%d");
        if (const wxString notice = MemberCardNotice(type, expiry, wxDateTime::Now());
            !notice.empty())
            platform::ShowMessageBox(notice.utf8_string());
    }
    if (!type.empty()) PutText(rs, "备注", AppendCardType(FieldText(rs, "备注"), type));
    page->SaveLines();
    page->OnSetActive();
}

double CVehiclePickDlg::ShowBalances(const wxString& unit) {
    const BalanceSummary summary = SummariseBalances(ReadPartnerSums(unit));
    if (!summary.message.empty()) platform::ShowMessageBox(summary.message.utf8_string());
    return summary.net;
}

// The picker has no caption: it is dragged by its background.
void CVehiclePickDlg::OnLeftDown(wxMouseEvent& event) {
    m_bPlacing = false;
    m_dragStart = event.GetPosition();
    event.Skip();
}

void CVehiclePickDlg::OnMotion(wxMouseEvent& event) {
    if (event.Dragging() && event.LeftIsDown())
        Move(GetPosition() + event.GetPosition() - m_dragStart);
    event.Skip();
}
