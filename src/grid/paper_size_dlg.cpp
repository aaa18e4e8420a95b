#include "grid/paper_size_dlg.h"

#include "data/main_frame_data.h"
#include "platform/message_box.h"
#include "res/control_ids.h"
#include "res/paper_size_template.h"

#include <wx/textctrl.h>

namespace ids = res::paper_size;

CPaperSizeDlg::CPaperSizeDlg(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE) {
    res::BuildDialog(this, res::PaperSizeTemplate());
    // Five digits are more than any paper needs and keep the answer inside its field.
    for (int id : {ids::kLengthEdit, ids::kWidthEdit})
        res::Control<wxTextCtrl>(this, id)->SetMaxLength(5);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnOK(); }, wxID_OK);
    CentreOnParent();
}

bool CPaperSizeDlg::OnOK() {
    const wxString length = res::Control<wxTextCtrl>(this, ids::kLengthEdit)->GetValue().Trim();
    const wxString width = res::Control<wxTextCtrl>(this, ids::kWidthEdit)->GetValue().Trim();
    if (length.empty() || width.empty()) {
        platform::ShowMessageBox("选择或输入内容不对或不完整！无法完成操作。");
        return false;
    }
    m_strAnswer = length + "," + width;
    if (g_pFrameData) g_pFrameData->m_strShared = m_strAnswer;
    if (IsModal())
        EndModal(wxID_OK);
    else
        SetReturnCode(wxID_OK);
    return true;
}
