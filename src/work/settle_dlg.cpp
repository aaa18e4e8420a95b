#include "work/settle_dlg.h"

#include "platform/message_box.h"
#include "platform/wx_text.h"
#include "res/settle_template.h"

#include <wx/button.h>
#include <wx/textctrl.h>

using namespace res::settle;
using namespace work;

CSettleDlg::CSettleDlg(double total, double payables, double advances)
    : wxDialog(nullptr, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
               wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX) {
    res::BuildDialog(this, res::SettleTemplate());
    m_pReceivable = res::Control<wxTextCtrl>(this, kReceivableEdit);
    m_pReceived = res::Control<wxTextCtrl>(this, kReceivedEdit);
    m_pChange = res::Control<wxTextCtrl>(this, kChangeEdit);
    res::FindControl(this, kConfirmButton)->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        OnConfirm();
    });
    res::FindControl(this, kCancelButton)->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        EndModal(wxID_CANCEL);
    });
    m_pReceived->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { OnChangeReceived(); });
    Bind(wxEVT_CHAR_HOOK, &CSettleDlg::OnCharHook, this);
    SetEscapeId(wxID_CANCEL);

    if (const wxString question = OffsetQuestion(total, payables, advances); !question.empty())
        if (platform::ShowMessageBox(question.utf8_string(), "", platform::MB_YESNO) ==
            platform::IDYES)
            m_offsets = ComputeOffsets(total, payables, advances);
    m_fReceivable = LoweredTotal(total, m_offsets);
    m_pReceivable->ChangeValue(MoneyText(m_fReceivable));
    m_pReceived->ChangeValue(MoneyText(m_fReceivable));
    m_pChange->ChangeValue("0");
    CentreOnScreen();
}

void CSettleDlg::OnChangeReceived() {
    const ReceivedAmount received = ReadReceived(m_pReceived->GetValue(), m_fReceivable);
    if (!received.ok) platform::ShowMessageBox(received.message.utf8_string());
    m_pChange->ChangeValue(received.ok && !received.empty ? MoneyText(received.change)
                                                          : wxString());
}

void CSettleDlg::OnConfirm() {
    const ReceivedAmount received = ReadReceived(m_pReceived->GetValue(), m_fReceivable);
    if (!received.ok) {
        platform::ShowMessageBox(received.message.utf8_string());
        m_pReceived->SetFocus();
        return;
    }
    m_fShortfall = received.empty ? 0 : Shortfall(received.change);
    EndModal(wxID_OK);
}

// Enter confirms as the button does, so the shortfall is never lost.
void CSettleDlg::OnCharHook(wxKeyEvent& event) {
    if (event.GetKeyCode() == WXK_RETURN || event.GetKeyCode() == WXK_NUMPAD_ENTER) {
        OnConfirm();
        return;
    }
    event.Skip();
}
