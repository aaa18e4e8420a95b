#include "grid/repair_print_dlg.h"

#include "data/main_frame_data.h"
#include "data/value_check.h"
#include "grid/grid_ctrl.h"
#include "grid/print_options_dlg.h"
#include "grid/print_seam.h"
#include "grid/print_texts.h"
#include "grid/repair_vehicle_texts.h"
#include "platform/wx_text.h"
#include "res/control_ids.h"
#include "res/print_options_template.h"
#include "res/repair_print_template.h"

#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace {

namespace ids = res::repair_print;
namespace pt = print_texts;

constexpr int kFormRadios[] = {ids::kBriefRadio, ids::kPreRepairRadio, ids::kRepairOrderRadio,
                               ids::kSalesTicketRadio, ids::kDispatchRadio};

// The head edits and the print text each shows.
struct HeadEdit {
    int id;
    size_t entry;
    int row; // 0 to 3: the row switch that covers it
};
constexpr HeadEdit kHeadEdits[] = {
    {ids::kPlateEdit, pt::kPlate, 0},         {ids::kModelEdit, pt::kModel, 0},
    {ids::kDateInEdit, pt::kDateIn, 0},       {ids::kDateOutEdit, pt::kDateOutOrChief, 0},
    {ids::kBroughtByEdit, pt::kBroughtBy, 1}, {ids::kPhoneEdit, pt::kPhone, 1},
    {ids::kIdCardEdit, pt::kIdCard, 1},       {ids::kColourEdit, pt::kColour, 2},
    {ids::kMileageEdit, pt::kMileage, 2},     {ids::kEngineNoEdit, pt::kEngineNo, 2},
    {ids::kWorkUnitEdit, pt::kWorkUnit, 3},   {ids::kChassisNoEdit, pt::kChassisNo, 3},
};

// The date type and size of the date edits' check.
constexpr long kDateType = 133;
constexpr long kDateSize = 8;

} // namespace

CRepairPrintDlg::CRepairPrintDlg(wxWindow* parent, CGridCtrl* grid)
    : wxDialog(parent, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE),
      m_pGrid(grid ? grid : CGridCtrl::GetCurrentGrid()) {
    res::BuildDialog(this, res::RepairPrintTemplate());
    auto* chief = res::Control<wxChoice>(this, ids::kChiefCombo);
    if (g_pFrameData)
        g_pFrameData->m_dsMain.FillComboBox(U("select distinct 姓名 from ygk"), chief);

    long cardRecords = 0;
    ActiveSheetLines sheet;
    if (GetActiveSheetLines(sheet) && sheet.mode == "W" && sheet.lines)
        cardRecords = sheet.lines->RecordCount();
    m_form = repair_forms::FormOnOpen(cardRecords);
    res::Control<wxRadioButton>(this, kFormRadios[int(m_form) - 1])->SetValue(true);

    m_pOptions = new CPrintOptionsDlg(this, m_pGrid);
    FillVehicleFields();
    LoadForm();
    m_bModified = false;

    for (int i = 0; i < 5; ++i) {
        Bind(
            wxEVT_RADIOBUTTON, [this, i](wxCommandEvent&) { SelectForm(RepairForm(i + 1)); },
            res::ToWxId(kFormRadios[i]));
    }
    const int boxes[] = {ids::kFaultCheck,    ids::kTermsCheck,    ids::kRemarkCheck,
                         ids::kRow1Check,     ids::kRow1Check + 1, ids::kRow1Check + 2,
                         ids::kRow1Check + 3, ids::kHintsCheck};
    for (int id : boxes)
        Bind(
            wxEVT_CHECKBOX, [this, id](wxCommandEvent&) { OnBox(id); }, res::ToWxId(id));
    for (int id : {int(ids::kTitleEdit), int(ids::kTermsEdit), int(ids::kRemarkEdit)})
        Bind(
            wxEVT_TEXT, [this](wxCommandEvent&) { m_bModified = true; }, res::ToWxId(id));
    for (int id : {int(ids::kDateInEdit), int(ids::kDateOutEdit)}) {
        res::FindControl(this, id)->Bind(wxEVT_KILL_FOCUS, [this, id](wxFocusEvent& event) {
            NormaliseDate(id);
            event.Skip();
        });
    }
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnOK(); }, res::ToWxId(ids::kPrintButton));
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnPreview(); }, res::ToWxId(ids::kPreviewButton));
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnCancel(); }, res::ToWxId(ids::kExitButton));
    Bind(
        wxEVT_BUTTON,
        [this](wxCommandEvent&) {
            wxCommandEvent click(wxEVT_BUTTON, res::ToWxId(res::print_options::kReportSetupButton));
            m_pOptions->ProcessWindowEvent(click);
        },
        res::ToWxId(ids::kTableSetupButton));
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { OnCancel(); });
}

CRepairPrintDlg::~CRepairPrintDlg() = default;

void CRepairPrintDlg::FillVehicleFields() {
    if (!m_pGrid) return;
    OpenWorkCard card;
    if (!GetOpenWorkCard(card) || !g_pFrameData) return;
    repair_vehicle_texts::Fill(g_pFrameData->m_dsMain, card, m_pGrid->PrintTexts);
}

void CRepairPrintDlg::LoadForm() {
    const bool brief = m_form == RepairForm::Brief;
    for (int id = ids::kPlateEdit; id <= ids::kRemarkEdit; ++id)
        res::FindControl(this, id)->Enable(!brief);
    RepairFormTemplate form = repair_forms::ReadTemplate(m_form);
    if (brief) {
        res::Control<wxCheckBox>(this, ids::kFaultCheck)->SetValue(false);
        res::Control<wxCheckBox>(this, ids::kHintsCheck)->SetValue(form.hintsOn);
        res::Control<wxTextCtrl>(this, ids::kTitleEdit)->ChangeValue(form.title);
    } else {
        ShowTemplate(repair_forms::WithDefaults(m_form, form));
    }
    const bool dispatch = m_form == RepairForm::Dispatch;
    res::FindControl(this, ids::kDateOutEdit)->Show(!dispatch);
    res::FindControl(this, ids::kChiefCombo)->Show(dispatch);
    res::Control<wxStaticText>(this, ids::kDateOutLabel)
        ->SetLabel(dispatch ? U("主修") : U("出厂"));
    ShowPrintTexts();
}

void CRepairPrintDlg::ShowTemplate(const RepairFormTemplate& form) {
    res::Control<wxTextCtrl>(this, ids::kTitleEdit)->ChangeValue(form.title);
    res::Control<wxTextCtrl>(this, ids::kTermsEdit)->ChangeValue(form.terms);
    res::Control<wxTextCtrl>(this, ids::kRemarkEdit)->ChangeValue(form.remark);
    res::Control<wxCheckBox>(this, ids::kFaultCheck)->SetValue(form.faultOn);
    res::Control<wxCheckBox>(this, ids::kTermsCheck)->SetValue(form.termsOn);
    res::Control<wxCheckBox>(this, ids::kRemarkCheck)->SetValue(form.remarkOn);
    res::Control<wxCheckBox>(this, ids::kHintsCheck)->SetValue(form.hintsOn);
    for (int row = 0; row < 4; ++row)
        res::Control<wxCheckBox>(this, ids::kRow1Check + row)->SetValue(form.rowOn[row]);
    EnableByBoxes();
}

void CRepairPrintDlg::EnableByBoxes() {
    auto on = [this](int id) { return res::Control<wxCheckBox>(this, id)->GetValue(); };
    res::FindControl(this, ids::kFaultEdit)->Enable(on(ids::kFaultCheck));
    res::FindControl(this, ids::kTermsEdit)->Enable(on(ids::kTermsCheck));
    res::FindControl(this, ids::kRemarkEdit)->Enable(on(ids::kRemarkCheck));
    for (const HeadEdit& edit : kHeadEdits)
        res::FindControl(this, edit.id)->Enable(on(ids::kRow1Check + edit.row));
    res::FindControl(this, ids::kChiefCombo)->Enable(on(ids::kRow1Check));
}

void CRepairPrintDlg::OnBox(int id) {
    if (m_form == RepairForm::Brief) {
        if (id != ids::kHintsCheck) res::Control<wxCheckBox>(this, id)->SetValue(false);
        return;
    }
    EnableByBoxes();
    m_bModified = true;
}

void CRepairPrintDlg::ShowPrintTexts() {
    if (!m_pGrid) return;
    std::vector<wxString>& texts = m_pGrid->PrintTexts;
    texts.resize(pt::kCount);
    for (const HeadEdit& edit : kHeadEdits)
        res::Control<wxTextCtrl>(this, edit.id)->ChangeValue(texts[edit.entry]);
    if (texts[pt::kFault] != pt::kNoPrint)
        res::Control<wxTextCtrl>(this, ids::kFaultEdit)->ChangeValue(texts[pt::kFault]);
}

RepairFormTemplate CRepairPrintDlg::TemplateFromControls() const {
    auto on = [this](int id) { return res::Control<wxCheckBox>(this, id)->GetValue(); };
    auto text = [this](int id) { return res::Control<wxTextCtrl>(this, id)->GetValue(); };
    RepairFormTemplate form;
    form.title = text(ids::kTitleEdit);
    form.faultOn = on(ids::kFaultCheck);
    form.terms = text(ids::kTermsEdit);
    form.termsOn = on(ids::kTermsCheck);
    form.remark = text(ids::kRemarkEdit);
    form.remarkOn = on(ids::kRemarkCheck);
    form.hintsOn = on(ids::kHintsCheck);
    for (int row = 0; row < 4; ++row)
        form.rowOn[row] = on(ids::kRow1Check + row);
    return form;
}

void CRepairPrintDlg::FillPrintTexts() {
    if (!m_pGrid) return;
    std::vector<wxString>& texts = m_pGrid->PrintTexts;
    texts.resize(pt::kCount);
    // The vehicle's maintenance class stays: the printed hints need it.
    const wxString maintenanceClass = texts[pt::kMaintenanceClass];
    texts.assign(pt::kCount, wxString());
    texts[pt::kMaintenanceClass] = maintenanceClass;
    for (const HeadEdit& edit : kHeadEdits)
        texts[edit.entry] = res::Control<wxTextCtrl>(this, edit.id)->GetValue();
    texts[pt::kFault] = res::Control<wxTextCtrl>(this, ids::kFaultEdit)->GetValue();
    if (m_form == RepairForm::Dispatch)
        texts[pt::kDateOutOrChief] =
            res::Control<wxChoice>(this, ids::kChiefCombo)->GetStringSelection();
    repair_forms::ApplyToPrintTexts(m_form, TemplateFromControls(), texts);
}

void CRepairPrintDlg::SaveForm() {
    repair_forms::WriteTemplate(m_form, TemplateFromControls());
}

void CRepairPrintDlg::SelectForm(RepairForm form) {
    if (m_form != RepairForm::Brief && m_bModified) {
        SaveForm();
        m_bModified = false;
    }
    // What was typed into the head stays when the form changes.
    if (m_pGrid) {
        m_pGrid->PrintTexts.resize(pt::kCount);
        for (const HeadEdit& edit : kHeadEdits)
            m_pGrid->PrintTexts[edit.entry] = res::Control<wxTextCtrl>(this, edit.id)->GetValue();
        m_pGrid->PrintTexts[pt::kFault] =
            res::Control<wxTextCtrl>(this, ids::kFaultEdit)->GetValue();
    }
    m_form = form;
    res::Control<wxRadioButton>(this, kFormRadios[int(form) - 1])->SetValue(true);
    LoadForm();
}

void CRepairPrintDlg::NormaliseDate(int id) {
    auto* edit = res::Control<wxTextCtrl>(this, id);
    wxString date = CValueCheck::CheckValue(edit->GetValue(), kDateType, kDateSize);
    edit->ChangeValue(date == "0:00:00" ? wxString() : date);
}

void CRepairPrintDlg::Output(bool preview) {
    FillPrintTexts();
    namespace po = res::print_options;
    res::Control<wxRadioButton>(m_pOptions, po::kPrintRadio)->SetValue(!preview);
    res::Control<wxRadioButton>(m_pOptions, po::kPreviewRadio)->SetValue(preview);
    m_pOptions->OnOutput();
}

void CRepairPrintDlg::OnOK() {
    Output(false);
    OnCancel();
}

void CRepairPrintDlg::OnPreview() {
    Output(true);
}

void CRepairPrintDlg::OnCancel() {
    repair_forms::StoreLastForm(m_form);
    SaveForm();
    Hide();
}
