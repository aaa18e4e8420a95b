#pragma once
// CFollowUpDlg: dialog 296 "跟踪服务", the follow-up list of the vehicles that had the
// named repair items done in a period and a price band, with the owner's contacts
// and the vehicle's latest visit. Lines can be dropped from the list and the list
// printed; nothing is written to a table.
#include "data/data_set.h"
#include "work/grid_dialog.h"

#include <wx/dialog.h>

class CGridCtrl;

class CFollowUpDlg : public wxDialog {
public:
    // The opener of the menu command 跟踪服务.
    static void Register();

    // Opens on the previous calendar month of `today`.
    CFollowUpDlg(wxWindow* parent, const wxDateTime& today = wxDateTime::Today());

    // 显示: lists the vehicles; an empty item field changes nothing.
    void OnShow();
    // 删除: drops the focus line from the list only.
    void OnDelete();
    // 打印 (also Enter): the print dialog on the list.
    void OnPrint();

    CGridCtrl* GetGrid() const { return m_pGrid; }
    CPrintOptionsDlg* GetPrintDialog() const { return m_print.Get(); }

private:
    void CheckDate(int id);
    wxString Text(int id) const;

    CGridCtrl* m_pGrid = nullptr;
    CDataSet m_list;
    CGridDialogPrint m_print;
};
