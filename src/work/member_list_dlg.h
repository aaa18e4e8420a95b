#pragma once
// CMemberListDlg: dialog 236 "会员清单", the membership cards of `hyzl` in a grid,
// one row per card, with the filter "过期会员" listing the cards that have expired.
#include "data/data_set.h"

#include <wx/dialog.h>

class CGridCtrl;

class CMemberListDlg : public wxDialog {
public:
    explicit CMemberListDlg(wxWindow* parent = nullptr);

    void OnExpired();
    void OnExit();

    CGridCtrl* GetGrid() const { return m_pGrid; }

private:
    CGridCtrl* m_pGrid = nullptr;
    CDataSet m_ds;
};
