#pragma once
// CMaintenanceDueDlg: dialog 178 "保养查询", the maintenance items due on a vehicle as
// the check left them on a data set, shown modeless in red. Its rows go onto the
// repair card open in the lower pane: one by 单选, a click or a double click, all by
// 全选. A row goes onto the card once per list, however often it is asked for, so a
// double click (which the list reports after a click) adds nothing more.
#include <set>
#include <wx/dialog.h>

class CDataSet;
class wxListCtrl;
class wxListEvent;

class CMaintenanceDueDlg : public wxDialog {
public:
    // The check's viewer and the opener of the due list of a plate.
    static void Register();

    // The list is filled once from the data set's rows; later changes do not show.
    CMaintenanceDueDlg(wxWindow* parent, CDataSet& dueList);

    // Puts the selected row onto the open repair card; nothing without a selection,
    // without a repair card, or for a row already put there.
    void OnDispatch();
    // 全选: every row not yet dispatched, then the dialog closes.
    void OnOK();
    void OnCancel();
    // 简捷: drops the rows whose method is exactly "保养" or "检查".
    void OnSimplify();

    wxListCtrl* GetList() const { return m_pList; }

private:
    void OnRowClicked(wxListEvent& event);
    void Close(int result);

    wxListCtrl* m_pList = nullptr;
    std::set<long> m_dispatched; // item data of the rows put onto the card
};
