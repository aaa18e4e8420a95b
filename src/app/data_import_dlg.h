#pragma once
// The "数据导入" dialog: the operator picks a source file and a target table and pairs
// their fields; CDataImport stages the rows and the "数据核对" dialog shows them for
// checking before they are saved.
#include "ado/ado.h"
#include "data/data_import.h"

#include <functional>
#include <wx/dialog.h>

class CGridCtrl;
class CMainFrame;
class wxComboBox;
class wxListBox;
class wxTextCtrl;

class CDataImportDlg : public wxDialog {
public:
    // Makes the data import command open the dialog.
    static void Register();

    explicit CDataImportDlg(CMainFrame* frame);

    void OnChooseSource();
    void OnChooseTarget();
    void OnKillfocusSource();
    void OnKillfocusTarget();
    void OnSelchangeTarget();
    void OnAddMapping();
    void OnClearMappings();
    void OnDeleteMapping();
    void OnOK();

    // Loads a source or target file (its existence checked by the caller).
    void LoadSourceFields(const wxString& path);
    void LoadTargetFields(const wxString& path);

    // How the check of the staged rows ends: wxID_OK saves them. Tests replace it.
    std::function<int(const ado::RecordsetPtr&)> m_fnCheck;

private:
    void MatchFields();
    // The path of the target named by the combo: a table title or a file path.
    wxString TargetPath(const wxString& text) const;

    wxListBox* m_pMappings = nullptr;
    wxTextCtrl* m_pSource = nullptr;
    wxComboBox* m_pTarget = nullptr;
    wxComboBox* m_pSourceField = nullptr;
    wxComboBox* m_pTargetField = nullptr;
    CDataImport m_import;
    int m_bSourceEdited = 0;
    int m_bTargetEdited = 0;
    wxString m_strSourceName;
    wxString m_strTargetName;
};

// The "数据核对" dialog: every row of the target with the imported ones after them;
// rows may be deleted from the batch before it is saved.
class CImportCheckDlg : public wxDialog {
public:
    CImportCheckDlg(wxWindow* parent, const ado::RecordsetPtr& batch);
    void OnDelete();
    CGridCtrl* Grid() const { return m_pGrid; }

private:
    CGridCtrl* m_pGrid = nullptr;
};
