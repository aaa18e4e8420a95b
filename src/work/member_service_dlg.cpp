#include "work/member_service_dlg.h"

#include "platform/message_box.h"
#include "res/control_ids.h"
#include "res/member_service_template.h"
#include "work/active_sheet.h"

#include <wx/checkbox.h>
#include <wx/datetime.h>
#include <wx/stattext.h>

using namespace res::member_service;

namespace {
constexpr int kRowHeight = 22;
constexpr int kBox = 15;
} // namespace

CMemberServiceDlg::CMemberServiceDlg(wxWindow* parent, const wxString& plate)
    : wxDialog(parent, wxID_ANY, wxEmptyString) {
    res::BuildDialog(this, res::MemberServiceTemplate());
    CDataSet data;
    m_usage.Load(data, plate, wxDateTime::Today().Format("%Y-%m-%d"));
    res::Control<wxStaticText>(this, kHeader)->SetLabel(m_usage.m_strHeader);
    res::FindControl(this, res::IDOK)->Enable(active_sheet::Exists());

    // One row per item (more when it grants over 20), below the head.
    int row = 0, nextId = kFirstBox;
    const int top = res::FindControl(this, kHeader)->GetRect().GetBottom() + 6;
    for (const CServiceUsage::Item& item : m_usage.m_items) {
        ++row;
        const int y = top + (row - 1) * kRowHeight;
        new wxStaticText(this, wxID_ANY, item.name + ":", wxPoint(10, y + 2), wxSize(82, 18),
                         wxALIGN_RIGHT | wxST_NO_AUTORESIZE);
        std::vector<wxCheckBox*> boxes;
        for (int i = 0; i < item.granted; ++i) {
            const int line = i / CServiceUsage::kBoxesPerRow;
            const int x = 100 + (i % CServiceUsage::kBoxesPerRow) * kBox;
            auto* box = new wxCheckBox(this, res::ToWxId(nextId++), wxString(),
                                       wxPoint(x, y + line * kRowHeight), wxSize(kBox, kBox));
            if (i < item.used) {
                box->SetValue(true);
                box->Disable();
            }
            boxes.push_back(box);
        }
        row += CServiceUsage::RowsOfItem(item.granted) - 1;
        m_boxes.push_back(std::move(boxes));
    }
    // The dialog grows with the rows; 确定 stays below the last one.
    wxWindow* ok = res::FindControl(this, res::IDOK);
    const int rowsBottom = top + row * kRowHeight + 8;
    const wxRect okRect = ok->GetRect();
    if (rowsBottom > okRect.y) ok->Move(okRect.x, rowsBottom);
    const int width =
        std::max(GetClientSize().GetWidth(), 100 + CServiceUsage::kBoxesPerRow * kBox + 10);
    SetClientSize(width, std::max(GetClientSize().GetHeight(), ok->GetRect().GetBottom() + 8));
    ok->Move((width - okRect.width) / 2, ok->GetRect().y);

    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnOK(); }, wxID_OK);
    Centre();
}

int CMemberServiceDlg::ShowModal() {
    if (!HasItems()) {
        platform::ShowMessageBox("没有该车牌的会员资料!");
        return wxID_CANCEL;
    }
    return wxDialog::ShowModal();
}

std::vector<const CServiceUsage::Item*> CMemberServiceDlg::Chosen() const {
    std::vector<const CServiceUsage::Item*> chosen;
    for (size_t i = 0; i < m_boxes.size(); ++i)
        for (const wxCheckBox* box : m_boxes[i])
            if (box->IsEnabled() && box->GetValue()) chosen.push_back(&m_usage.m_items[i]);
    return chosen;
}

void CMemberServiceDlg::OnOK() {
    active_sheet::AddServiceLines(Chosen());
    if (IsModal()) EndModal(wxID_OK);
}
