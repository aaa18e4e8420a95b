#include "work/part_pick_dlg.h"
#include "work/line_fields.h"

#include "platform/wx_text.h"
#include "res/part_pick_template.h"

#include <algorithm>
#include <wx/gdicmn.h>
#include <wx/listctrl.h>
#include <wx/settings.h>

using namespace res::part_pick;
using namespace work;

const char* const CPartPickDlg::kLabourMark = "工时费库";

namespace {

// Money and quantities as the list and the line take them: numbers without padding.
wxString NumberText(const ado::RecordsetPtr& rs, const char* field) {
    if (IsNullField(rs, field)) return wxString();
    return FieldText(rs, field);
}

bool HasField(const ado::RecordsetPtr& rs, const char* field) {
    return rs->Fields().IndexOf(field) >= 0;
}

wxString TextOf(const ado::RecordsetPtr& rs, const char* field) {
    return HasField(rs, field) ? FieldText(rs, field) : wxString();
}

PickedPart ReadStockRow(const ado::RecordsetPtr& rs) {
    PickedPart row;
    row.name = TextOf(rs, "零件名称");
    row.code = TextOf(rs, "编号");
    row.retail = HasField(rs, "零售价") ? NumberText(rs, "零售价") : wxString();
    row.quantity = HasField(rs, "数量") ? NumberText(rs, "数量") : wxString();
    row.bin = TextOf(rs, "货位");
    row.model = TextOf(rs, "车型");
    row.brand = TextOf(rs, "厂牌");
    row.wholesale = HasField(rs, "批发价") ? NumberText(rs, "批发价") : wxString();
    row.unit = TextOf(rs, "单位");
    row.cost = HasField(rs, "进价") ? NumberText(rs, "进价") : wxString();
    row.agentPrice = HasField(rs, "代理价") ? NumberText(rs, "代理价") : wxString();
    return row;
}

} // namespace

bool PickedPart::IsLabour() const {
    return model == U(CPartPickDlg::kLabourMark);
}

CPartPickDlg::CPartPickDlg(const wxString& statement, const wxString& labourCondition)
    : wxDialog(nullptr, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE),
      m_strStatement(statement), m_strLabourCondition(labourCondition) {
    res::BuildDialog(this, res::PartPickTemplate());
    m_list = res::Control<wxListCtrl>(this, kList);
    m_list->SetWindowStyleFlag(wxLC_REPORT | wxLC_SINGLE_SEL | wxBORDER_SUNKEN);
    const std::pair<const char*, int> columns[] = {
        {"序号", 50}, {"项目名称", 100}, {"编号", 120},  {"零售价", 80}, {"数量", 80}, {"货位", 80},
        {"车型", 80}, {"厂牌", 50},      {"批发价", 60}, {"进价", 50},   {"单位", 50}};
    for (const auto& [title, width] : columns)
        m_list->InsertColumn(m_list->GetColumnCount(), U(title), wxLIST_FORMAT_LEFT, width);
    m_list->SetTextColour(*wxRED);
    // Rows of one part differ only in the later columns (quantity, bin): the list is
    // widened to show every column, as far as the screen allows.
    int columnsWidth = wxSystemSettings::GetMetric(wxSYS_VSCROLL_X, m_list) + 8;
    for (int col = 0; col < m_list->GetColumnCount(); ++col)
        columnsWidth += m_list->GetColumnWidth(col);
    const int grow =
        std::min(columnsWidth, wxGetClientDisplayRect().width - 40) - m_list->GetSize().x;
    if (grow > 0) {
        m_list->SetSize(m_list->GetSize() + wxSize(grow, 0));
        SetClientSize(GetClientSize() + wxSize(grow, 0));
    }
    m_list->Bind(wxEVT_LIST_ITEM_ACTIVATED, [this](wxListEvent&) { OnActivated(); });
    m_list->Bind(wxEVT_LEFT_UP, [this](wxMouseEvent& e) {
        e.Skip();
        CallAfter(&CPartPickDlg::OnActivated);
    });
    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& e) {
        if (e.GetKeyCode() == WXK_RETURN || e.GetKeyCode() == WXK_NUMPAD_ENTER) {
            OnActivated();
            return;
        }
        e.Skip();
    });
    CentreOnScreen();
}

void CPartPickDlg::LoadChoices() {
    m_rows.clear();
    m_choices.Open(m_strStatement);
    if (m_choices.m_bOpen) {
        const ado::RecordsetPtr& rs = m_choices.m_pRecordset;
        if (rs->RecordCount() > 0)
            for (rs->MoveFirst(); !rs->EndOfFile(); rs->MoveNext())
                m_rows.push_back(ReadStockRow(rs));
    }
    if (m_strLabourCondition.empty()) return;
    CDataSet items;
    items.Open(U("select 项目名称,编号,单价,单位,数量 from wxxm where ") + m_strLabourCondition);
    if (!items.m_bOpen || items.m_pRecordset->RecordCount() == 0) return;
    const ado::RecordsetPtr& rs = items.m_pRecordset;
    for (rs->MoveFirst(); !rs->EndOfFile(); rs->MoveNext()) {
        PickedPart row;
        row.name = FieldText(rs, "项目名称");
        row.code = FieldText(rs, "编号");
        row.retail = NumberText(rs, "单价");
        row.quantity = NumberText(rs, "数量");
        row.unit = FieldText(rs, "单位");
        row.model = U(kLabourMark);
        m_rows.push_back(row);
    }
}

int CPartPickDlg::ShowModal() {
    LoadChoices();
    if (m_rows.empty()) return wxID_CANCEL;
    if (m_rows.size() == 1) {
        m_picked = m_rows.front();
        return wxID_OK;
    }
    long index = 0;
    for (const PickedPart& row : m_rows) {
        m_list->InsertItem(index, wxString::Format("%ld", index + 1));
        const wxString cells[] = {row.name,  row.code,  row.retail,    row.quantity, row.bin,
                                  row.model, row.brand, row.wholesale, row.cost,     row.unit};
        for (int col = 0; col < 10; ++col)
            m_list->SetItem(index, col + 1, cells[col]);
        ++index;
    }
    const long both = wxLIST_STATE_SELECTED | wxLIST_STATE_FOCUSED;
    m_list->SetItemState(0, both, both);
    m_list->SetFocus();
    return wxDialog::ShowModal();
}

void CPartPickDlg::TakeRow(long index) {
    if (index < 0 || index >= long(m_rows.size())) index = 0;
    m_picked = m_rows[index];
}

void CPartPickDlg::OnActivated() {
    if (!IsModal()) return;
    TakeRow(m_list->GetNextItem(-1, wxLIST_NEXT_ALL, wxLIST_STATE_SELECTED));
    EndModal(wxID_OK);
}
