#pragma once
// CPartPickDlg: dialog 174 "选择零件", the modal list from which the operator picks one
// stock row when a typed name or code, or a bin search, finds several. On a repair
// sheet it also lists the labour items that match the same name or code, marked with
// 车型 "工时费库" (the take-out asks for bins and lists none). No row: it ends with Cancel unseen;
// one row: with OK unseen.
#include "data/data_set.h"

#include <wx/dialog.h>

class wxListCtrl;

// The chosen row. Fields that are null in the row stay empty.
struct PickedPart {
    wxString name;       // 零件名称
    wxString code;       // 编号
    wxString retail;     // 零售价
    wxString quantity;   // 数量
    wxString bin;        // 货位
    wxString model;      // 车型; "工时费库" for a labour item
    wxString brand;      // 厂牌
    wxString wholesale;  // 批发价
    wxString unit;       // 单位
    wxString cost;       // 进价
    wxString agentPrice; // 代理价
    bool IsLabour() const;
};

class CPartPickDlg : public wxDialog {
public:
    static const char* const kLabourMark; // "工时费库"

    // The stock statement selects over ljkc (at least the fields of PickedPart); the
    // labour items whose fields meet labourCondition follow them (none when empty).
    CPartPickDlg(const wxString& statement, const wxString& labourCondition = wxString());

    // Runs the dialog; OK when a row was chosen (the list is not shown for one row).
    int ShowModal() override;
    const PickedPart& Picked() const { return m_picked; }

    wxListCtrl* m_list = nullptr;

private:
    void LoadChoices();
    void TakeRow(long index);
    void OnActivated();

    wxString m_strStatement;
    wxString m_strLabourCondition;
    CDataSet m_choices;
    std::vector<PickedPart> m_rows;
    PickedPart m_picked;
};
