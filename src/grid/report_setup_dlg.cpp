#include "grid/report_setup_dlg.h"

#include "data/data_set.h"
#include "data/main_frame_data.h"
#include "data/setting_files.h"
#include "grid/data_set_grid.h"
#include "grid/grid_ctrl.h"
#include "grid/paper_size_dlg.h"
#include "grid/print_layout.h"
#include "grid/print_paper.h"
#include "grid/report_queries.h"
#include "platform/gbk.h"
#include "platform/message_box.h"
#include "platform/wx_text.h"
#include "res/control_ids.h"
#include "res/report_setup_template.h"

#include <wx/combobox.h>
#include <wx/datetime.h>
#include <wx/listbox.h>
#include <wx/paper.h>
#include <wx/radiobut.h>
#include <wx/spinbutt.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace ids = res::report_setup;
using Rs = ReportSettingsRecord;

namespace {

const char kCustomPaper[] = "自定义尺寸";
const char kRefused[] = "选择或输入内容不对或不完整！无法完成操作。";

// Edit boxes of the seven distances and the record fields they hold.
const std::pair<int, Rs::Int> kDistances[] = {
    {ids::kHeaderGapEdit, Rs::Int::HeaderGap},       {ids::kTitleHeightEdit, Rs::Int::TitleHeight},
    {ids::kFooterHeightEdit, Rs::Int::FooterHeight}, {ids::kLeftMarginEdit, Rs::Int::LeftMargin},
    {ids::kRightMarginEdit, Rs::Int::RightMargin},   {ids::kTopMarginEdit, Rs::Int::TopMargin},
    {ids::kBottomMarginEdit, Rs::Int::BottomMargin},
};

std::vector<wxString> Items(const wxListBox* list) {
    std::vector<wxString> items;
    for (unsigned i = 0; i < list->GetCount(); ++i)
        items.push_back(list->GetString(i));
    return items;
}

bool Contains(const std::vector<wxString>& list, const wxString& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

// Moves the selected item of `from` to the end of `to`; without a selection the
// first item is selected. The next item takes the selection unless told otherwise.
void MoveSelected(wxListBox* from, wxListBox* to, bool keepSelection) {
    if (from->GetCount() == 0) return;
    const int selected = from->GetSelection();
    if (selected == wxNOT_FOUND) {
        from->SetSelection(0);
        return;
    }
    to->Append(from->GetString(selected));
    from->Delete(selected);
    if (keepSelection || from->GetCount() == 0) return;
    from->SetSelection(std::min<int>(selected, from->GetCount() - 1));
}

} // namespace

CReportSetupDlg::CReportSetupDlg(wxWindow* parent, CGridCtrl* grid)
    : wxDialog(parent, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE) {
    CGridCtrl::RegisterGridClass();
    res::BuildDialog(this, res::ReportSetupTemplate());
    m_pGrid = res::Control<CGridCtrl>(this, ids::kGrid);
    if (m_pGrid) {
        m_pGrid->ResetToCorner();
        m_pGrid->SetItemText(0, 0, "");
    }
    auto* reports = res::Control<wxComboBox>(this, ids::kReportCombo);
    for (const wxString& name : ReportNames())
        reports->Append(name);
    FillPaperList();
    for (int id = ids::kFirstSpin; id <= ids::kLastSpin; ++id)
        if (auto* spin = res::Control<wxSpinButton>(this, id)) spin->SetRange(0, 40);

    CGridCtrl* current = grid ? grid : CGridCtrl::GetCurrentGrid();
    if (current && reports->FindString(current->m_strTitle, true) != wxNOT_FOUND) {
        reports->SetStringSelection(current->m_strTitle);
        OnSelchangeReport();
    } else {
        res::Control<wxComboBox>(this, ids::kPaperCombo)->SetValue(U("纸张大小选择框"));
    }

    reports->Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) { OnSelchangeReport(); });
    res::FindControl(this, ids::kPaperCombo)->Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) {
        OnSelchangePaper();
    });
    auto* printed = res::Control<wxListBox>(this, ids::kPrintedList);
    auto* hidden = res::Control<wxListBox>(this, ids::kHiddenList);
    printed->Bind(wxEVT_LISTBOX_DCLICK,
                  [printed, hidden](wxCommandEvent&) { MoveSelected(printed, hidden, true); });
    hidden->Bind(wxEVT_LISTBOX_DCLICK,
                 [printed, hidden](wxCommandEvent&) { MoveSelected(hidden, printed, true); });
    res::BindButton(this, ids::kToHiddenButton, &CReportSetupDlg::OnMoveToHidden);
    res::BindButton(this, ids::kToPrintedButton, &CReportSetupDlg::OnMoveToPrinted);
    res::BindButton(this, ids::kPreviewButton, &CReportSetupDlg::OnPreview);
    res::BindButton(this, ids::kAdjustButton, &CReportSetupDlg::OnAdjustLayout);
    res::BindButton(this, ids::kSaveAdjustButton, &CReportSetupDlg::OnSaveAdjustment);
    res::BindButton(this, ids::kDefaultsButton, &CReportSetupDlg::OnDefaults);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnOK(); }, wxID_OK);
    Bind(
        wxEVT_BUTTON,
        [this](wxCommandEvent&) {
            if (IsAdjusting())
                ShowSettingControls(true);
            else
                EndModal(wxID_CANCEL);
        },
        wxID_CANCEL);
    CentreOnParent();
}

CReportSetupDlg::~CReportSetupDlg() = default;

wxString CReportSetupDlg::SelectedReport() const {
    auto* reports = res::Control<wxComboBox>(this, ids::kReportCombo);
    const int selected = reports->GetSelection();
    return selected == wxNOT_FOUND ? wxString() : reports->GetString(selected);
}

bool CReportSetupDlg::IsAdjusting() const {
    return m_pGrid && m_pGrid->IsShown();
}

void CReportSetupDlg::FillPaperList() {
    auto* papers = res::Control<wxComboBox>(this, ids::kPaperCombo);
    papers->Clear();
    m_vPaperCodes.clear();
    // The paper database of the toolkit stands in for the printer's own list; the
    // list shows names, the codes stay beside it.
    for (int code = 1; code <= 118; ++code) {
        const wxString name = PaperName(code);
        if (name.empty()) continue;
        papers->Append(name);
        m_vPaperCodes.push_back(code);
    }
    papers->Append(U(kCustomPaper));
    m_vPaperCodes.push_back(0);
}

wxString CReportSetupDlg::SelectPaperByCode(int code) {
    auto* papers = res::Control<wxComboBox>(this, ids::kPaperCombo);
    for (size_t i = 0; i < m_vPaperCodes.size(); ++i) {
        if (m_vPaperCodes[i] != code || code == 0) continue;
        papers->SetSelection(static_cast<int>(i));
        return papers->GetString(static_cast<unsigned>(i));
    }
    return wxString();
}

int CReportSetupDlg::SelectedPaperCode() const {
    auto* papers = res::Control<wxComboBox>(this, ids::kPaperCombo);
    const int selected = papers->GetSelection();
    if (selected != wxNOT_FOUND && static_cast<size_t>(selected) < m_vPaperCodes.size())
        return m_vPaperCodes[static_cast<size_t>(selected)];
    // Nothing chosen from the list: an entry typed in the old "9(2108,2972)..." form.
    const wxString typed = papers->GetValue();
    return typed.empty() ? 9 : CPrintLayout::PaperCodeFromSetting(typed);
}

wxString CReportSetupDlg::GetReportSql(const wxString& reportName) const {
    const wxString table = ReportFieldTable(reportName);
    if (table.empty()) return FixedReportSql(reportName);
    if (!g_pFrameData) return wxString();
    CDataSet data;
    data.Open("select * from " + table + " where no=-1");
    if (!data.IsOpen() || !data.m_pRecordset) return wxString();
    wxString fields;
    ado::Fields& all = data.m_pRecordset->Fields();
    for (long i = 0; i < all.Count(); ++i)
        fields += (i ? "," : "") + wxString::FromUTF8(all.Item(int(i)).Name());
    return "select " + fields + " from " + table;
}

void CReportSetupDlg::OnSelchangeReport() {
    auto* printed = res::Control<wxListBox>(this, ids::kPrintedList);
    auto* hidden = res::Control<wxListBox>(this, ids::kHiddenList);
    printed->Clear();
    hidden->Clear();
    const wxString name = SelectedReport();
    if (name.empty()) return;
    res::Control<wxComboBox>(this, ids::kReportCombo)->SetValue(name);
    const Rs record = LoadReportSettings(m_bFactoryDefaults ? name + "O" : name);
    m_bFactoryDefaults = false;

    auto* papers = res::Control<wxComboBox>(this, ids::kPaperCombo);
    const int code = record.Get(Rs::Int::PaperCode);
    if (code == 0) {
        papers->SetStringSelection(U(kCustomPaper));
        m_strCustomPaper = record.Get(Rs::Text::CustomPaperSize);
    } else {
        papers->SetValue(SelectPaperByCode(code));
    }
    for (const auto& [id, field] : kDistances)
        res::Control<wxTextCtrl>(this, id)->ChangeValue(wxString::Format("%d", record.Get(field)));

    auto setPair = [this](const wxString& stored, int textId, int sizeId, const char* fallback) {
        auto [text, size] = Rs::SplitAt(stored, "@#");
        if (textId) res::Control<wxTextCtrl>(this, textId)->ChangeValue(text);
        res::Control<wxTextCtrl>(this, sizeId)
            ->ChangeValue(size.empty() ? wxString(fallback) : size);
    };
    setPair(record.Get(Rs::Text::Title), ids::kTitleEdit, ids::kTitleFontEdit, "20");
    setPair(record.Get(Rs::Text::SubtitleFont), 0, ids::kSubtitleFontEdit, "11");
    setPair(record.Get(Rs::Text::Header), ids::kHeaderEdit, ids::kHeaderFontEdit, "11");
    auto [footer, mode] = Rs::SplitAt(record.Get(Rs::Text::Footer), "&%");
    setPair(footer, ids::kFooterEdit, ids::kFooterFontEdit, "11");
    const int radio = mode == "1"   ? ids::kFooterUpRadio
                      : mode == "2" ? ids::kFooterAsNeededRadio
                                    : ids::kFooterFixedRadio;
    res::Control<wxRadioButton>(this, radio)->SetValue(true);

    const std::vector<wxString> items = QueryItems(GetReportSql(name));
    std::vector<wxString> hiddenNames;
    const wxString stored = CPrintLayout::TextFromBuffer(record.Get(Rs::Text::HiddenColumns));
    for (const wxString& item : wxSplit(stored, ',', 0)) {
        if (hiddenNames.size() >= items.size()) break;
        if (item.empty() || item == "no") continue;
        hiddenNames.push_back(item);
        hidden->Append(item);
    }
    std::vector<wxString> listed;
    auto list = [&](const wxString& column) {
        if (column.empty() || Contains(hiddenNames, column) || Contains(listed, column)) return;
        listed.push_back(column);
        printed->Append(column);
    };
    list(U("序号"));
    for (const wxString& item : items)
        list(ItemColumnName(item));
    if (name == U("入库单") && items.empty()) {
        // Without the stock-in page's query (it names the warehouse columns itself), the
        // list still has a column per warehouse of the company data (库房名).
        std::vector<wxString> company(10);
        CSettingFiles::ReadCsvLine("Picture/Memfile", company);
        wxString warehouses = company[9];
        warehouses.Replace(U("，"), ",");
        for (const wxString& warehouse : wxSplit(warehouses, ',', 0))
            list(warehouse.Strip(wxString::both));
    }
}

void CReportSetupDlg::OnMoveToHidden() {
    MoveSelected(res::Control<wxListBox>(this, ids::kPrintedList),
                 res::Control<wxListBox>(this, ids::kHiddenList), false);
}

void CReportSetupDlg::OnMoveToPrinted() {
    MoveSelected(res::Control<wxListBox>(this, ids::kHiddenList),
                 res::Control<wxListBox>(this, ids::kPrintedList), false);
}

int CReportSetupDlg::OnOK() {
    const wxString name = SelectedReport();
    if (name.empty()) {
        platform::ShowMessageBox(kRefused);
        return 0;
    }
    auto text = [this](int id) { return res::Control<wxTextCtrl>(this, id)->GetValue(); };
    auto checked = [this](int id) { return res::Control<wxRadioButton>(this, id)->GetValue(); };

    wxString hidden;
    for (const wxString& item : Items(res::Control<wxListBox>(this, ids::kHiddenList)))
        hidden += item + ",";
    if (hidden.empty()) hidden = ",";
    Rs record = LoadReportSettings(name);

    if (m_strLayout.empty())
        m_strLayout =
            CPrintLayout::TextFromBuffer(record.Get(Rs::Text::Layout)).Trim(true).Trim(false);
    // A layout longer than its field keeps its whole items only.
    std::string layout = m_strLayout.utf8_string();
    if (platform::GbkLength(layout) > Rs::Capacity(Rs::Text::Layout)) {
        layout = platform::CutToGbkBytes(layout, Rs::Capacity(Rs::Text::Layout));
        layout.erase(layout.rfind(',') == std::string::npos ? 0 : layout.rfind(',') + 1);
    }
    m_strLayout.clear();

    const wxString mode = checked(ids::kFooterUpRadio)         ? "1"
                          : checked(ids::kFooterAsNeededRadio) ? "2"
                                                               : "3";
    const std::pair<Rs::Text, wxString> texts[] = {
        {Rs::Text::Name, name},
        {Rs::Text::Title, text(ids::kTitleEdit) + "@#" + text(ids::kTitleFontEdit)},
        {Rs::Text::HiddenColumns, hidden},
        {Rs::Text::Layout, wxString::FromUTF8(layout)},
        {Rs::Text::Header, text(ids::kHeaderEdit) + "@#" + text(ids::kHeaderFontEdit)},
        {Rs::Text::Footer,
         text(ids::kFooterEdit) + "@#" + text(ids::kFooterFontEdit) + "&%" + mode},
    };
    // A text that does not fit its field is refused rather than cut.
    for (const auto& [field, value] : texts)
        if (platform::GbkLength(value.utf8_string()) > Rs::Capacity(field)) {
            platform::ShowMessageBox(kRefused);
            return 0;
        }
    for (const auto& [field, value] : texts)
        record.Set(field, value);

    const int code = SelectedPaperCode();
    record.Set(Rs::Int::PaperCode, code);
    if (code == 0) {
        const bool given = !m_strCustomPaper.empty() && wxIsdigit(m_strCustomPaper[0]);
        // Length first: an A4 sheet upright when no size was given.
        record.Set(Rs::Text::CustomPaperSize, given ? m_strCustomPaper : wxString("2972,2108"));
    }
    if (!text(ids::kSubtitleFontEdit).empty())
        record.Set(Rs::Text::SubtitleFont, "@#" + text(ids::kSubtitleFontEdit));
    for (const auto& [id, field] : kDistances) {
        long value = 0;
        text(id).ToLong(&value);
        record.Set(field, static_cast<int>(value));
    }
    return SaveReportSettings(record);
}

void CReportSetupDlg::OnDefaults() {
    if (IsAdjusting()) {
        const wxString title = m_pGrid->m_strTitle, table = m_pGrid->GetTableName();
        m_pGrid->m_strTitle += "##";
        m_pGrid->SetTableName(table + "##");
        BuildPreviewGrid(false);
        m_pGrid->m_strTitle = title;
        m_pGrid->SetTableName(table);
        return;
    }
    m_bFactoryDefaults = true;
    OnSelchangeReport();
}

void CReportSetupDlg::OnSelchangePaper() {
    auto* papers = res::Control<wxComboBox>(this, ids::kPaperCombo);
    if (papers->GetStringSelection() != U(kCustomPaper)) return;
    CPaperSizeDlg dialog(this);
    if (dialog.ShowModal() == wxID_OK)
        m_strCustomPaper = dialog.Answer();
    else
        papers->SetValue(SelectPaperByCode(9));
}

std::vector<wxString> CReportSetupDlg::PrintedItems(const wxString& sql) const {
    const std::vector<wxString> printed = Items(res::Control<wxListBox>(this, ids::kPrintedList));
    std::vector<wxString> items, names;
    for (const wxString& item : QueryItems(sql)) {
        const wxString name = ItemColumnName(item);
        if (name.empty() || !Contains(printed, name) || Contains(names, name)) continue;
        names.push_back(name);
        items.push_back(item.Strip(wxString::both));
    }
    return items;
}

bool CReportSetupDlg::BuildPreviewGrid(bool applyLayout, wxString* why) {
    m_bApplyLayout = applyLayout;
    const wxString name = SelectedReport();
    auto refuse = [why](const wxString& reason) {
        if (why) *why = reason;
        return false;
    };
    if (!m_pGrid || !g_pFrameData) return refuse(U("没有打开帐套的数据，无法预览。"));
    wxString sql = GetReportSql(name);
    if (sql.empty())
        return refuse(U("“") + name + U("”不是由查询生成的报表，请在打印它的窗口中预览。"));
    const wxDateTime today = wxDateTime::Today();
    sql.Replace("{^ReplaceStr1}", "{^" + today.Format("%Y-%m-%d") + "}");
    sql.Replace("{^ReplaceStr}", "{^" + (today - wxDateSpan::Days(60)).Format("%Y-%m-%d") + "}");
    sql.Replace("ReplaceStr1", " ");
    sql.Replace("ReplaceStr", " ");
    const Rs record = LoadReportSettings(name);
    m_pGrid->m_strTitle = name;
    m_pGrid->SetTableName(name);

    const std::vector<wxString> items = PrintedItems(sql);
    if (items.empty()) return refuse(U("没有要打印的栏目，无法预览。"));
    wxString list;
    for (const wxString& item : items)
        list += (list.empty() ? "" : ",") + item;
    const int from = sql.Lower().Find(" from ");
    const wxString query = "select " + list + sql.Mid(from);
    CDataSet& data = g_pFrameData->m_dsMain;
    if (data_grid::OpenIntoGrid(data, query, m_pGrid) != 1) return false;
    data_grid::LoadGrid(data, m_pGrid->m_rsBound, m_pGrid, wxString(), wxString(), 0, 0);
    if (!Contains(Items(res::Control<wxListBox>(this, ids::kPrintedList)), U("序号")))
        m_pGrid->DeleteColumn(0);
    if (applyLayout) CPrintLayout::ApplyColumnWidths(record.Get(Rs::Text::Layout), *m_pGrid);
    m_pGrid->PrintTexts.assign(30, wxString());
    m_pGrid->PrintTexts[17] = U("维修清单");
    m_pGrid->PrintTexts[26] = U("如果打印对话框中的附注输入框中没输入内容则此栏不打印。");
    return true;
}

void CReportSetupDlg::OnPreview() {
    if (IsAdjusting()) OnSaveAdjustment();
    if (!OnOK()) return;
    ShowSettingControls(true);
    wxString why;
    if (!BuildPreviewGrid(true, &why)) {
        // A failed query has said why already.
        if (!why.empty()) platform::ShowMessageBox(why.utf8_string());
        return;
    }
    if (m_pGrid->GetRowCount() == 1) m_pGrid->SetRowCount(2);
    m_pGrid->PrintPreview();
}

void CReportSetupDlg::ShowSettingControls(bool show) {
    const int ids[] = {ids::kReportCombo,         ids::kPaperCombo,
                       ids::kPrintedList,         ids::kHiddenList,
                       ids::kHeaderGapEdit,       ids::kHeaderEdit,
                       ids::kFooterEdit,          ids::kTitleHeightEdit,
                       ids::kFooterHeightEdit,    ids::kLeftMarginEdit,
                       ids::kRightMarginEdit,     ids::kTopMarginEdit,
                       ids::kBottomMarginEdit,    ids::kTitleEdit,
                       ids::kSubtitleFontEdit,    ids::kTitleFontEdit,
                       ids::kHeaderFontEdit,      ids::kFooterFontEdit,
                       ids::kSubtitleHeightEdit,  ids::kToHiddenButton,
                       ids::kToPrintedButton,     wxID_OK,
                       ids::kAdjustButton,        ids::kFooterUpRadio,
                       ids::kFooterAsNeededRadio, ids::kFooterFixedRadio};
    for (int id : ids)
        if (wxWindow* control = res::FindControl(this, id)) control->Show(show);
    for (int id = ids::kFirstSpin; id <= ids::kLastSpin; ++id)
        if (wxWindow* control = res::FindControl(this, id)) control->Show(show);
    // The labels go with the controls they name.
    for (wxWindow* child : GetChildren())
        if (child->IsKindOf(wxCLASSINFO(wxStaticText)) || child->IsKindOf(wxCLASSINFO(wxStaticBox)))
            child->Show(show);
    res::FindControl(this, ids::kSaveAdjustButton)->Show(!show);
    if (m_pGrid) m_pGrid->Show(!show);
}

void CReportSetupDlg::OnAdjustLayout() {
    wxString why;
    if (!BuildPreviewGrid(true, &why)) {
        if (!why.empty()) platform::ShowMessageBox(why.utf8_string());
        return;
    }
    ShowSettingControls(false);
    if (m_pGrid->GetRowCount() == 1) m_pGrid->SetRowCount(2);
    const wxSize client = GetClientSize();
    m_pGrid->SetSize(2, 2, std::max(10, client.x - 2 - 93), std::max(10, client.y - 2 - 10));
}

void CReportSetupDlg::OnSaveAdjustment() {
    if (SelectedReport().empty() || !m_pGrid) {
        ShowSettingControls(true);
        return;
    }
    const int rows = m_pGrid->GetRowCount();
    wxString layout = wxString::Format("%i", m_pGrid->GetRowHeight(0));
    if (rows > 1) layout += wxString::Format(",%i", m_pGrid->GetRowHeight(rows - 1));
    for (int c = 0; c < m_pGrid->GetColumnCount(); ++c)
        layout +=
            "," + m_pGrid->GetItemText(0, c) + wxString::Format("=%i", m_pGrid->GetColumnWidth(c));
    m_strLayout = layout + ",";
    if (g_pFrameData && m_pGrid->m_rsBound) g_pFrameData->m_dsMain.SaveColumnWidths(m_pGrid);
    OnOK();
    ShowSettingControls(true);
}
