#include "app/record_nav_bar.h"

#include "app/owner_notice.h"
#include "app/search_condition.h"
#include "platform/message_box.h"
#include "platform/modal_grab.h"
#include "res/control_ids.h"
#include "res/record_nav_template.h"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/textctrl.h>

using namespace res::record_nav;

CRecordNavBar* CRecordNavBar::Open(wxWindow* owner, int y) {
    auto* bar = new CRecordNavBar;
    int x = 0;
    if (wxWindow* main = wxTheApp->GetTopWindow()) x = main->GetClientSize().GetWidth() / 4;
    bar->Move(x, y);
    bar->m_hTarget = owner;
    bar->Show();
    return bar;
}

CRecordNavBar::CRecordNavBar(wxWindow* parent)
    : wxDialog(parent ? parent : wxTheApp->GetTopWindow(), wxID_ANY, wxEmptyString,
               wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxSTAY_ON_TOP) {
    res::BuildDialog(this, res::RecordNavTemplate());
    platform::ExemptFromModalGrab(this); // used while its record dialog runs modally
    m_pFieldList = res::Control<wxComboBox>(this, kFieldList);
    m_pValueBox = res::Control<wxTextCtrl>(this, kValueEdit);

    const long codes[] = {kFirst, kPrevious, kNext, kLast};
    const int buttons[] = {kFirstButton, kPreviousButton, kNextButton, kLastButton};
    for (int i = 0; i < 4; ++i) {
        const long code = codes[i];
        Bind(
            wxEVT_BUTTON, [this, code](wxCommandEvent&) { Post(code, 0); },
            res::ToWxId(buttons[i]));
    }
    m_pValueBox->Bind(wxEVT_TEXT, &CRecordNavBar::OnValueChanged, this);
    // A new field takes effect with the next change of the value.
    m_pFieldList->Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) { m_pValueBox->SetFocus(); });
    Bind(wxEVT_CHAR_HOOK, &CRecordNavBar::OnCharHook, this);
}

void CRecordNavBar::FillFields(const ado::RecordsetPtr& recordset) {
    if (!recordset || m_pFieldList->GetCount() > 0) return;
    ado::Fields& fields = recordset->Fields();
    for (long i = 0; i < fields.Count(); ++i) {
        ado::Field& field = fields.Item(static_cast<int>(i));
        wxString name = wxString::FromUTF8(field.Name());
        if (name == "no" || name.Contains(wxString::FromUTF8("期"))) continue;
        AddField(name, field.Type(), static_cast<int>(field.DefinedSize()));
    }
}

void CRecordNavBar::AddField(const wxString& name, int adoType, int definedSize) {
    m_pFieldList->Append(name);
    FitFieldList(name);
    m_pFieldTypes.push_back(adoType);
    m_pFieldSizes.push_back(definedSize);
}

// The drop list's button takes room beside the text: the list grows to its longest
// field name, and the value box and the bar move along.
void CRecordNavBar::FitFieldList(const wxString& name) {
    const int need = m_pFieldList->GetSizeFromTextSize(m_pFieldList->GetTextExtent(name).x).x;
    const int extra = need - m_pFieldList->GetSize().x;
    if (extra <= 0) return;
    m_pFieldList->SetSize(need, -1);
    m_pValueBox->Move(m_pValueBox->GetPosition() + wxPoint(extra, 0));
    SetClientSize(GetClientSize() + wxSize(extra, 0));
}

void CRecordNavBar::Post(long wParam, long lParam, const wxString& text) {
    PostOwnerNotice(m_hTarget.get(), wParam, lParam, text);
}

// Every change of the value builds a fresh condition from the chosen field.
void CRecordNavBar::OnValueChanged(wxCommandEvent&) {
    const wxString field = m_pFieldList->GetStringSelection();
    m_strCondition = m_pValueBox->GetValue();
    if (CSearchCondition::HasQuote(m_strCondition)) {
        platform::ShowMessageBox(CSearchCondition::NoQuoteMessage().utf8_string());
        m_pValueBox->SetFocus();
        return;
    }
    const int i = m_pFieldList->GetSelection();
    if (field.empty() || m_strCondition.empty() || i < 0 ||
        static_cast<size_t>(i) >= m_pFieldTypes.size()) {
        m_pValueBox->SetFocus();
        return;
    }
    const int type = m_pFieldTypes[i];
    if (CSearchCondition::GroupOf(type) == CSearchCondition::TypeGroup::Date) {
        platform::ShowMessageBox("这里不支持日期自动刷新.");
        return;
    }
    const wxString condition =
        CSearchCondition::Criterion(field, type, m_pFieldSizes[i], m_strCondition);
    if (condition.empty()) return; // a field of a kind no owner lists
    m_strCondition = condition;
    Post(COwnerNoticeEvent::kText, kCondition, m_strCondition);
    m_pValueBox->SetFocus();
}

void CRecordNavBar::OnCharHook(wxKeyEvent& event) {
    switch (event.GetKeyCode()) {
    case WXK_DOWN:
    case WXK_UP:
    case WXK_PAGEDOWN:
        Post(COwnerNoticeEvent::kText, kMoveIntoList, m_strCondition);
        event.Skip();
        return;
    case WXK_RETURN:
    case WXK_NUMPAD_ENTER:
        return; // neither closes the bar nor presses a button
    case WXK_ESCAPE:
        EndDialog(wxID_CANCEL); // hides the bar, as its close box does
        return;
    default:
        event.Skip();
    }
}
