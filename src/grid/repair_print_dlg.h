#pragma once
// CRepairPrintDlg: dialog 295 "维修单打印", opened modeless by the repair work card on
// its grid. The user picks one of the five forms, checks the document head filled
// from the vehicle record, switches items on or off and prints or previews through
// the print options dialog. Each form keeps its title, terms, remark and switches in
// its template file.
#include "grid/repair_print_forms.h"

#include <wx/dialog.h>

class CGridCtrl;
class CPrintOptionsDlg;

class CRepairPrintDlg : public wxDialog {
public:
    // The grid to print; by default the current grid.
    explicit CRepairPrintDlg(wxWindow* parent = nullptr, CGridCtrl* grid = nullptr);
    ~CRepairPrintDlg() override;

    RepairForm Form() const { return m_form; }
    bool IsModified() const { return m_bModified; }
    CPrintOptionsDlg* OptionsDialog() const { return m_pOptions; }

    // "打印(&P)": prints the grid with the form's texts and closes.
    void OnOK();
    // "打印预览": previews it; the dialog stays open.
    void OnPreview();
    // "退出(&X)": keeps the form for the next opening, saves its template and closes.
    void OnCancel();
    // A form radio button: saves the template of the form shown when it changed.
    void SelectForm(RepairForm form);

    // Shows the template of the current form with its defaults and the print texts.
    void LoadForm();
    // Writes the current form's template from the controls.
    void SaveForm();
    // The grid's print texts from the controls.
    void FillPrintTexts();
    // The head edits from the grid's print texts.
    void ShowPrintTexts();
    // The grid's print texts from the open work card and its vehicle.
    void FillVehicleFields();

private:
    RepairFormTemplate TemplateFromControls() const;
    void ShowTemplate(const RepairFormTemplate& form_template);
    void OnBox(int id);
    void EnableByBoxes();
    void NormaliseDate(int id);
    void Output(bool preview);

    CGridCtrl* m_pGrid;
    RepairForm m_form = RepairForm::PreRepair;
    bool m_bModified = false;
    CPrintOptionsDlg* m_pOptions = nullptr;
};
