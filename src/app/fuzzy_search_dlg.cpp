#include "app/fuzzy_search_dlg.h"

#include "app/fuzzy_search.h"
#include "app/search_condition.h"
#include "data/main_frame_data.h"
#include "data/value_check.h"
#include "grid/grid_ctrl.h"
#include "platform/message_box.h"
#include "res/control_ids.h"
#include "res/fuzzy_search_template.h"

#include <algorithm>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/combobox.h>
#include <wx/datetime.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

using namespace res::fuzzy_search;

namespace {

void Message(const char* text) {
    platform::ShowMessageBox(text);
}

// The titles of the current grid's data columns (column 0 numbers the rows).
std::vector<wxString> GridTitles() {
    std::vector<wxString> titles;
    if (CGridCtrl* grid = CGridCtrl::GetCurrentGrid())
        for (int col = 1; col < grid->GetColumnCount(); ++col)
            titles.push_back(grid->GetItemText(0, col));
    return titles;
}

} // namespace

CFuzzySearchDlg::CFuzzySearchDlg(wxWindow* parent, CMainFrameData* frame)
    : wxDialog(parent, wxID_ANY, wxEmptyString), m_pFrame(frame ? frame : g_pFrameData) {
    res::BuildDialog(this, res::FuzzySearchTemplate());
    m_pField1 = res::Control<wxComboBox>(this, kField1);
    m_pCompare1 = res::Control<wxComboBox>(this, kCompare1);
    m_pField2 = res::Control<wxComboBox>(this, kField2);
    m_pCompare2 = res::Control<wxComboBox>(this, kCompare2);
    m_pValue1 = res::Control<wxTextCtrl>(this, kValue1);
    m_pValue2 = res::Control<wxTextCtrl>(this, kValue2);
    m_pStart = res::Control<wxTextCtrl>(this, kStartDate);
    m_pEnd = res::Control<wxTextCtrl>(this, kEndDate);

    Bind(wxEVT_INIT_DIALOG, &CFuzzySearchDlg::OnInitDialog, this);
    Bind(wxEVT_BUTTON, &CFuzzySearchDlg::OnAll, this, res::ToWxId(kAllButton));
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { Search(); }, res::ToWxId(kSearchButton));
    m_pField1->Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) {
        FillComparisons(m_pField1, m_pCompare1);
        m_pValue1->SetFocus();
    });
    m_pField2->Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) {
        FillComparisons(m_pField2, m_pCompare2);
        m_pValue2->SetFocus();
    });
    m_pCompare1->Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) { m_pValue1->SetFocus(); });
    m_pCompare2->Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) { m_pValue2->SetFocus(); });
    for (wxTextCtrl* box : {m_pStart, m_pEnd})
        box->Bind(wxEVT_KILL_FOCUS, [this, box](wxFocusEvent& event) {
            event.Skip();
            NormaliseDate(box);
        });
    Bind(wxEVT_CHAR_HOOK, &CFuzzySearchDlg::OnCharHook, this);
    Centre();
}

void CFuzzySearchDlg::OnInitDialog(wxInitDialogEvent&) {
    const wxString table = m_pFrame->m_strShared;
    res::Control<wxRadioButton>(this, kAndRadio)->SetValue(true);

    CDataSet& data = m_pFrame->m_dsMain;
    data.Open(CFuzzySearch::FieldQuery(m_nMode, table));
    const std::vector<wxString> titles = GridTitles();
    bool hasDate = false;
    m_pFieldTypes.clear();
    m_fieldSizes.clear();
    if (data.IsOpen()) {
        ado::Fields& fields = data.m_pRecordset->Fields();
        for (long i = 0; i < fields.Count(); ++i) {
            ado::Field& field = fields.Item(static_cast<int>(i));
            wxString name = wxString::FromUTF8(field.Name());
            name.Trim(true);
            if (name.Contains("no") || name.Contains("flag")) continue;
            // Only fields the caller's grid shows, when it shows any.
            if (!titles.empty() && std::find(titles.begin(), titles.end(), name) == titles.end())
                continue;
            m_pField1->Append(name);
            m_pField2->Append(name);
            m_pFieldTypes.push_back(field.Type());
            m_fieldSizes.push_back(field.DefinedSize());
            if (CSearchCondition::GroupOf(field.Type()) == CSearchCondition::TypeGroup::Date)
                hasDate = true;
        }
    }
    if (m_pField1->GetCount() > 0) m_pField1->SetSelection(0);
    if (m_pField2->GetCount() > 1) m_pField2->SetSelection(1);
    FillComparisons(m_pField1, m_pCompare1);
    FillComparisons(m_pField2, m_pCompare2);

    hasDate = hasDate && CFuzzySearch::OffersDates(table);
    auto* check = res::Control<wxCheckBox>(this, kDateCheck);
    m_pStart->Enable(hasDate);
    m_pEnd->Enable(hasDate);
    m_pStart->ChangeValue(hasDate ? wxString("2004-01-01") : wxString());
    m_pEnd->ChangeValue(hasDate ? wxDateTime::Today().Format("%Y-%m-%d") : wxString());
    check->SetValue(hasDate);
    check->Enable(hasDate);
    m_pValue1->SetFocus();
}

void CFuzzySearchDlg::FillComparisons(wxComboBox* fieldList, wxComboBox* comparisons) {
    const int i = fieldList->GetSelection();
    if (i < 0 || static_cast<size_t>(i) >= m_pFieldTypes.size()) return;
    const auto items = CFuzzySearch::Comparisons(m_pFieldTypes[i]);
    if (items.empty()) return; // other types leave the list as it was
    comparisons->Clear();
    for (const auto& item : items)
        comparisons->Append(item.first);
    comparisons->SetSelection(0);
}

// An emptied box stays empty (no bound); anything else becomes a date.
void CFuzzySearchDlg::NormaliseDate(wxTextCtrl* box) {
    const wxString text = box->GetValue();
    if (text.empty()) return;
    box->ChangeValue(CValueCheck::CheckValue(text, 133, 8));
}

bool CFuzzySearchDlg::BuildCondition(wxComboBox* fieldList, wxComboBox* comparisons,
                                     wxTextCtrl* value, wxString& condition) {
    condition.clear();
    const wxString typed = value->GetValue();
    if (CSearchCondition::HasQuote(typed)) {
        platform::ShowMessageBox(CSearchCondition::NoQuoteMessage().utf8_string());
        return false;
    }
    const int i = fieldList->GetSelection();
    if (i < 0 || static_cast<size_t>(i) >= m_pFieldTypes.size()) return true;
    const wxString field = fieldList->GetString(i);
    condition = CSearchCondition::Statement(
        field, m_pFieldTypes[i], m_fieldSizes[i],
        CFuzzySearch::OperatorOf(comparisons->GetStringSelection()), typed);
    return true;
}

void CFuzzySearchDlg::Search() {
    CFuzzySearch::Request request;
    request.table = m_pFrame->m_strShared;
    if (!BuildCondition(m_pField1, m_pCompare1, m_pValue1, request.condition1)) return;
    if (!BuildCondition(m_pField2, m_pCompare2, m_pValue2, request.condition2)) return;
    request.orJoin = res::Control<wxRadioButton>(this, kOrRadio)->GetValue();
    if (m_pStart->IsEnabled() && res::Control<wxCheckBox>(this, kDateCheck)->GetValue()) {
        for (size_t i = 0; i < m_pFieldTypes.size(); ++i)
            if (CSearchCondition::GroupOf(m_pFieldTypes[i]) == CSearchCondition::TypeGroup::Date) {
                request.dateField = m_pField1->GetString(static_cast<unsigned>(i));
                break;
            }
        NormaliseDate(m_pStart);
        NormaliseDate(m_pEnd);
        request.start = m_pStart->GetValue();
        request.end = m_pEnd->GetValue();
    }
    const wxString statement = CFuzzySearch::Build(m_nMode, request);
    if (statement.empty()) {
        Message("选择或输入内容不对或不完整！无法完成操作。");
        return;
    }
    CDataSet& data = m_pFrame->m_dsMain;
    data.Open(statement);
    if (!data.IsOpen()) return; // the data store has reported why
    if (data.m_pRecordset->RecordCount() < 1) {
        Message("对不起，没有符合条件的记录！");
        return;
    }
    m_pFrame->m_strShared = statement;
    EndModal(wxID_OK);
}

// All records, untried.
void CFuzzySearchDlg::OnAll(wxCommandEvent&) {
    CGridCtrl* grid = CGridCtrl::GetCurrentGrid();
    m_pFrame->m_strShared = CFuzzySearch::AllRecords(m_nMode, m_pFrame->m_strShared,
                                                     grid ? grid->m_strTitle : wxString());
    EndModal(wxID_OK);
}

// Enter and Escape both search; only the cancel button and the close box cancel.
void CFuzzySearchDlg::OnCharHook(wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    if (key == WXK_RETURN || key == WXK_NUMPAD_ENTER || key == WXK_ESCAPE) {
        Search();
        return;
    }
    event.Skip();
}
