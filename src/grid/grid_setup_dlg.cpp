#include "grid/grid_setup_dlg.h"

#include "grid/grid_ctrl.h"
#include "res/control_ids.h"
#include "res/dialogs.h"

#include <cstdlib>
#include <wx/checkbox.h>
#include <wx/colordlg.h>
#include <wx/fontdlg.h>
#include <wx/spinbutt.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace ids = res::grid_setup;

CGridSetupDlg::CGridSetupDlg(wxWindow* parent, CGridCtrl* grid)
    : wxDialog(parent, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE),
      m_pGrid(grid ? grid : CGridCtrl::GetCurrentGrid()) {
    res::BuildDialog(this, res::GridSetupTemplate());
    if (auto* spin = res::Control<wxSpinButton>(this, ids::kRowHeightSpin)) spin->SetRange(0, 80);
    if (auto* spin = res::Control<wxSpinButton>(this, ids::kLineWidthSpin)) spin->SetRange(1, 3);

    const GridSetValues set = ReadGridSetFile();
    m_look = Defaults();
    if (m_pGrid) m_look.font = m_pGrid->GetCellLogFont();
    if (set.present) {
        auto take = [](const std::optional<COLORREF>& v, wxColour& into) {
            if (v) into = ColourFromRef(*v);
        };
        take(set.headBack, m_look.headBack);
        take(set.headText, m_look.headText);
        take(set.cellBack, m_look.cellBack);
        take(set.cellText, m_look.cellText);
        take(set.lines, m_look.lines);
        take(set.gridBack, m_look.gridBack);
        if (set.fontHeight) m_look.font.lfHeight = *set.fontHeight;
        m_look.rowHeight = set.rowHeight;
        m_look.lineValue = set.lineValue;
    }
    // Cancel must give the grid back what it showed, whatever the file held.
    m_restore = m_look;
    if (m_pGrid) {
        m_restore.headBack = m_pGrid->GetFixedBkColor();
        m_restore.headText = m_pGrid->GetFixedTextColor();
        m_restore.cellBack = m_pGrid->GetOutsideBkColor();
        m_restore.cellText = m_pGrid->GetTextColor();
        m_restore.gridBack = m_pGrid->GetTextBkColor();
        m_restore.lines = m_pGrid->GetGridColor();
        m_restore.font = m_pGrid->GetCellLogFont();
    }
    if (auto* check = res::Control<wxCheckBox>(this, ids::kLinkUpperCheck))
        check->SetValue(!set.present || set.linkUpper);
    ShowValues();

    for (int id : {ids::kHeadTextButton, ids::kHeadBackButton, ids::kCellBackButton,
                   ids::kGridBackButton, ids::kLinesButton})
        Bind(wxEVT_BUTTON, &CGridSetupDlg::OnColourButton, this, res::ToWxId(id));
    Bind(wxEVT_BUTTON, &CGridSetupDlg::OnFontButton, this, res::ToWxId(ids::kFontButton));
    Bind(wxEVT_BUTTON, &CGridSetupDlg::OnDefaultsButton, this, res::ToWxId(ids::kDefaultsButton));
    Bind(wxEVT_BUTTON, &CGridSetupDlg::OnOk, this, wxID_OK);
    Bind(wxEVT_BUTTON, &CGridSetupDlg::OnCancel, this, wxID_CANCEL);
    Bind(wxEVT_CLOSE_WINDOW, &CGridSetupDlg::OnClose, this);
    if (auto* edit = res::Control<wxTextCtrl>(this, ids::kRowHeightEdit))
        edit->Bind(wxEVT_TEXT, &CGridSetupDlg::OnRowHeightChanged, this);
    CentreOnParent();
}

CGridSetupDlg::Look CGridSetupDlg::Defaults() {
    Look look;
    look.headBack = ColourFromRef(0xC0C0C0);
    look.headText = ColourFromRef(0);
    look.cellBack = ColourFromRef(0x808080);
    look.cellText = ColourFromRef(0);
    look.gridBack = ColourFromRef(0xFFFFFF);
    look.lines = ColourFromRef(0xC0C0C0);
    look.rowHeight = 16;
    look.lineValue = 0;
    look.font.lfHeight = -12;
    return look;
}

void CGridSetupDlg::ShowValues() {
    auto paint = [this](int id, const wxColour& colour) {
        if (wxWindow* sample = res::FindControl(this, id)) {
            sample->SetBackgroundColour(colour);
            sample->Refresh();
        }
    };
    paint(ids::kHeadTextSample, m_look.headText);
    paint(ids::kHeadBackSample, m_look.headBack);
    paint(ids::kCellBackSample, m_look.cellBack);
    paint(ids::kGridBackSample, m_look.gridBack);
    paint(ids::kLinesSample, m_look.lines);
    if (auto* sample = res::Control<wxStaticText>(this, ids::kFontSample)) {
        sample->SetLabel(wxString::Format("%d", std::abs(m_look.font.lfHeight)));
        sample->SetFont(m_look.font.ToFont());
        sample->SetForegroundColour(m_look.cellText);
    }
    if (auto* edit = res::Control<wxTextCtrl>(this, ids::kRowHeightEdit))
        edit->ChangeValue(wxString::Format("%d", m_look.rowHeight));
    if (auto* edit = res::Control<wxTextCtrl>(this, ids::kLineWidthEdit))
        edit->ChangeValue(wxString::Format("%d", m_look.lineValue));
    if (auto* spin = res::Control<wxSpinButton>(this, ids::kRowHeightSpin))
        spin->SetValue(m_look.rowHeight);
    if (auto* spin = res::Control<wxSpinButton>(this, ids::kLineWidthSpin))
        spin->SetValue(m_look.lineValue);
}

void CGridSetupDlg::ApplyLookToGrid(const Look& look) {
    if (!m_pGrid) return;
    m_pGrid->SetFixedBkColor(look.headBack);
    m_pGrid->SetFixedTextColor(look.headText);
    m_pGrid->SetOutsideBkColor(look.cellBack);
    m_pGrid->SetTextColor(look.cellText);
    m_pGrid->SetTextBkColor(look.gridBack);
    m_pGrid->SetGridColor(look.lines);
    if (!(look.font == m_pGrid->GetCellLogFont())) m_pGrid->SetGridFont(look.font.ToFont());
    m_pGrid->Refresh(false);
}

void CGridSetupDlg::ApplyColour(int buttonId, const wxColour& colour) {
    switch (buttonId) {
    case ids::kHeadTextButton:
        m_look.headText = colour;
        if (m_pGrid) m_pGrid->SetFixedTextColor(colour);
        break;
    case ids::kHeadBackButton:
        m_look.headBack = colour;
        if (m_pGrid) m_pGrid->SetFixedBkColor(colour);
        break;
    case ids::kCellBackButton:
        m_look.cellBack = colour;
        if (m_pGrid) m_pGrid->SetOutsideBkColor(colour);
        break;
    case ids::kGridBackButton:
        m_look.gridBack = colour;
        if (m_pGrid) m_pGrid->SetTextBkColor(colour);
        break;
    case ids::kLinesButton:
        m_look.lines = colour;
        if (m_pGrid) m_pGrid->SetGridColor(colour);
        break;
    default:
        return;
    }
    if (m_pGrid) m_pGrid->Refresh(false);
    ShowValues();
}

void CGridSetupDlg::ApplyFont(const LogFont& font, const wxColour& colour) {
    m_look.font = font;
    m_look.cellText = colour;
    m_look.headText = colour;
    if (m_pGrid) {
        m_pGrid->SetGridFont(font.ToFont());
        m_pGrid->SetTextColor(colour);
        m_pGrid->SetFixedTextColor(colour);
        m_pGrid->Refresh(false);
    }
    ShowValues();
}

void CGridSetupDlg::LoadDefaults() {
    m_look = Defaults();
    if (m_pGrid) m_look.font.lfFaceName = m_pGrid->GetCellLogFont().lfFaceName;
    if (auto* check = res::Control<wxCheckBox>(this, ids::kLinkUpperCheck)) check->SetValue(true);
    ShowValues();
    ApplyLookToGrid(m_look);
}

void CGridSetupDlg::RestoreGrid() {
    ApplyLookToGrid(m_restore);
}

GridSetChoice CGridSetupDlg::Choice() const {
    GridSetChoice choice;
    choice.fontHeight = m_look.font.lfHeight;
    choice.cellText = RefFromColour(m_look.cellText);
    choice.headText = RefFromColour(m_look.headText);
    choice.gridBack = RefFromColour(m_look.gridBack);
    choice.cellBack = RefFromColour(m_look.cellBack);
    choice.lines = RefFromColour(m_look.lines);
    choice.headBack = RefFromColour(m_look.headBack);
    long value = 0;
    choice.rowHeight = m_look.rowHeight;
    if (auto* edit = res::Control<wxTextCtrl>(this, ids::kRowHeightEdit))
        if (edit->GetValue().ToLong(&value)) choice.rowHeight = static_cast<int>(value);
    choice.lineValue = m_look.lineValue;
    if (auto* edit = res::Control<wxTextCtrl>(this, ids::kLineWidthEdit))
        if (edit->GetValue().ToLong(&value)) choice.lineValue = static_cast<int>(value);
    if (auto* check = res::Control<wxCheckBox>(this, ids::kLinkUpperCheck))
        choice.linkUpper = check->GetValue();
    return choice;
}

int CGridSetupDlg::OnSave() {
    return WriteGridSetFile(Choice());
}

void CGridSetupDlg::OnColourButton(wxCommandEvent& event) {
    const int id = res::FromWxId(event.GetId());
    wxColour current;
    switch (id) {
    case ids::kHeadTextButton:
        current = m_look.headText;
        break;
    case ids::kHeadBackButton:
        current = m_look.headBack;
        break;
    case ids::kCellBackButton:
        current = m_look.cellBack;
        break;
    case ids::kGridBackButton:
        current = m_look.gridBack;
        break;
    default:
        current = m_look.lines;
        break;
    }
    wxColourData data;
    data.SetChooseFull(true);
    data.SetColour(current);
    wxColourDialog dialog(this, &data);
    if (dialog.ShowModal() == wxID_OK) ApplyColour(id, dialog.GetColourData().GetColour());
}

void CGridSetupDlg::OnFontButton(wxCommandEvent&) {
    wxFontData data;
    data.SetInitialFont(m_look.font.ToFont());
    data.SetColour(m_look.cellText);
    data.EnableEffects(true);
    wxFontDialog dialog(this, data);
    if (dialog.ShowModal() != wxID_OK) return;
    const wxFontData& chosen = dialog.GetFontData();
    ApplyFont(LogFont::FromFont(chosen.GetChosenFont()), chosen.GetColour());
}

void CGridSetupDlg::OnDefaultsButton(wxCommandEvent&) {
    LoadDefaults();
}

void CGridSetupDlg::OnRowHeightChanged(wxCommandEvent& event) {
    event.Skip();
    long value = 0;
    if (!event.GetString().ToLong(&value)) return;
    m_look.rowHeight = static_cast<int>(value);
    if (m_pGrid && m_pGrid->GetRowCount() > 0) {
        m_pGrid->SetRowHeight(0, m_look.rowHeight + 13);
        m_pGrid->ResetScrollBars();
        m_pGrid->Refresh(false);
    }
}

void CGridSetupDlg::OnOk(wxCommandEvent&) {
    OnSave();
    Finish(wxID_OK);
}

void CGridSetupDlg::OnCancel(wxCommandEvent&) {
    RestoreGrid();
    Finish(wxID_CANCEL);
}

void CGridSetupDlg::OnClose(wxCloseEvent&) {
    RestoreGrid();
    Finish(wxID_CANCEL);
}

void CGridSetupDlg::Finish(int result) {
    if (IsModal())
        EndModal(result);
    else
        Hide();
}
