#pragma once
// CMemberServiceDlg: dialog 237 "会员保养情况", the services that a vehicle's member
// cards grant, one row of tick boxes per item: the used ones ticked and locked, the
// free ones to tick. 确定 puts each newly ticked service onto the open repair card.
#include "work/service_usage.h"

#include <vector>
#include <wx/dialog.h>

class wxCheckBox;

class CMemberServiceDlg : public wxDialog {
public:
    // The services of the plate's cards valid today.
    CMemberServiceDlg(wxWindow* parent, const wxString& plate);

    // False when the plate has no card item: the dialog has said so and is not shown.
    bool HasItems() const { return !m_usage.m_items.empty(); }
    // Shows the dialog modally, or says "没有该车牌的会员资料!" and returns wxID_CANCEL.
    int ShowModal() override;
    void OnOK();

    // The newly ticked services, one entry per box.
    std::vector<const CServiceUsage::Item*> Chosen() const;
    const std::vector<std::vector<wxCheckBox*>>& Boxes() const { return m_boxes; }

private:
    CServiceUsage m_usage;
    std::vector<std::vector<wxCheckBox*>> m_boxes; // per item
};
