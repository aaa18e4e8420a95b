#include "parts/split_assemble_dlg.h"

#include "parts/assembly.h"
#include "parts/order_page.h"
#include "work/guarded.h"
#include "work/take_out_boxes.h"

#include "app/fuzzy_search_dlg.h"
#include "app/main_frame.h"
#include "data/wait_cursor.h"
#include "grid/data_set_grid.h"
#include "grid/grid_ctrl.h"
#include "platform/message_box.h"
#include "platform/wx_text.h"
#include "res/order_page_template.h"

#include <wx/combobox.h>
#include <wx/spinbutt.h>
#include <wx/textctrl.h>

using namespace res::split_assemble;

namespace {

const char* const kList = "select distinct 车型,总成项目,总成编号,备注 from ljzc ";

void Tell(const wxString& text) {
    platform::ShowMessageBox(text.utf8_string());
}

bool Confirm(const wxString& question) {
    return platform::ShowMessageBox(question.utf8_string(), std::string(), platform::MB_YESNO) ==
           platform::IDYES;
}

} // namespace

CSplitAssembleDlg::CSplitAssembleDlg(wxWindow* parent) : wxDialog(parent, wxID_ANY, wxString()) {
    CGridCtrl::RegisterGridClass();
    res::BuildDialog(this, res::SplitAssembleTemplate());
    m_pGrid = res::Control<CGridCtrl>(this, kGrid);
    m_pGrid->ResetToCorner();
    m_pGrid->SetItemText(0, 0, " ");
    m_pGrid->m_nHelpContext = kDialogId;
    m_pGrid->SetTableName("ljzc");
    m_pGrid->m_strReportName = "ljzc";
    auto* models = res::Control<wxComboBox>(this, kModelCombo);
    models->Append(U("全部"));
    models->SetValue(U("全部"));
    if (CMainFrame* frame = CMainFrame::Get())
        frame->m_dsMain.FillComboBox(U("select distinct 车型 from ljzc"), models);
    res::Control<wxSpinButton>(this, kQuantitySpin)->SetRange(1, 1000);
    res::Control<wxTextCtrl>(this, kQuantityEdit)->ChangeValue("1");
    LoadList(wxString());
    const auto button = [this](int id, void (CSplitAssembleDlg::*handler)()) {
        Bind(
            wxEVT_BUTTON,
            [this, handler](wxCommandEvent&) { work::Guarded([&] { (this->*handler)(); }); },
            res::ToWxId(id));
    };
    button(res::IDOK, &CSplitAssembleDlg::OnSplit);
    button(kAssembleButton, &CSplitAssembleDlg::OnAssemble);
    button(kFuzzyButton, &CSplitAssembleDlg::OnFuzzySearch);
    models->Bind(wxEVT_COMBOBOX,
                 [this](wxCommandEvent&) { work::Guarded([this] { OnModelChange(); }); });
}

void CSplitAssembleDlg::Register() {
    CMainFrame::RegisterForm(FormKind::SplitAssemble, [](CMainFrame&, int, const wxString&) {
        CSplitAssembleDlg dialog;
        dialog.ShowModal();
    });
}

void CSplitAssembleDlg::LoadList(const wxString& condition) {
    CMainFrame* frame = CMainFrame::Get();
    m_data.Open(U(kList) + condition + U(" group by 车型,总成项目"));
    if (!frame || !m_data.IsOpen()) return;
    data_grid::LoadGrid(frame->m_dsMain, m_data.m_pRecordset, m_pGrid, wxString(), wxString(), 4,
                        0);
    m_pGrid->m_rsBound = m_data.m_pRecordset;
    m_pGrid->MakeCurrentGrid();
    m_pGrid->Refresh();
}

void CSplitAssembleDlg::OnModelChange() {
    const wxString model = res::Control<wxComboBox>(this, kModelCombo)->GetValue();
    m_pGrid->ResetToCorner();
    LoadList(model.empty() || model == U("全部")
                 ? wxString()
                 : U("where ") + CSqlText::Equals(U("车型"), model));
}

void CSplitAssembleDlg::OnFuzzySearch() {
    CMainFrame* frame = CMainFrame::Get();
    if (!frame) return;
    frame->m_strShared = "ljzc";
    m_pGrid->MakeCurrentGrid();
    CFuzzySearchDlg search;
    if (search.ShowModal() == wxID_OK) {
        CWaitCursor wait;
        const wxString statement = frame->m_strShared;
        const int where = statement.Lower().Find("where");
        m_pGrid->ResetToCorner();
        LoadList(where == wxNOT_FOUND ? wxString() : statement.Mid(where));
    }
    frame->m_strShared.clear();
}

bool CSplitAssembleDlg::Start(int* quantity) {
    const int row = m_pGrid->GetFocusCell().row;
    if (row < 1 || row >= m_pGrid->GetRowCount() || !m_data.IsOpen()) {
        Tell(U("请先选取数据！"));
        return false;
    }
    long n = 0;
    const wxString text = res::Control<wxTextCtrl>(this, kQuantityEdit)->GetValue();
    if (!text.ToLong(&n) || n < 1 || n > 1000) {
        Tell(U("拆零或组装数量不对，请输入1到1000之间的整数。"));
        return false;
    }
    *quantity = static_cast<int>(n);
    ado::Recordset& rs = *m_data.m_pRecordset;
    rs.MoveFirst();
    rs.Move(row - 1);
    return true;
}

namespace {

parts::Assembly Chosen(ado::Recordset& rs) {
    return parts::Assembly{parts::Text(rs, "车型"), parts::Text(rs, "总成项目"),
                           parts::Text(rs, "总成编号")};
}

// The lines go to the stock-in page that is shown, or to a new one.
void HandOver(std::vector<parts::PartLine> lines) {
    CMainFrame* frame = CMainFrame::Get();
    if (!frame) return;
    Pjdh* page = Pjdh::ShownStockIn(*frame);
    if (!page) {
        frame->OpenForm(FormKind::OrderSheet, Pjdh::StockIn);
        page = Pjdh::ShownStockIn(*frame);
    }
    if (!page) return;
    parts::CAssemblyWork::FillFromStock(lines);
    page->AppendLines(lines);
}

} // namespace

void CSplitAssembleDlg::OnSplit() {
    int n = 0;
    if (!Start(&n)) return;
    const parts::Assembly assembly = Chosen(*m_data.m_pRecordset);
    work::CBoxQuestions questions;
    const auto lines = parts::CAssemblyWork(questions).Split(assembly, n, [&] {
        return Confirm(U("库存中的") + wxString::Format("%d", n) + U("个“") + assembly.name +
                       U("”将被拆零,是否继续?"));
    });
    if (!lines) return;
    Tell(U("拆零完成,系统将自动打开入库页面,请将拆散零件入库."));
    HandOver(*lines);
    EndModal(wxID_OK);
}

void CSplitAssembleDlg::OnAssemble() {
    int n = 0;
    if (!Start(&n)) return;
    const parts::Assembly assembly = Chosen(*m_data.m_pRecordset);
    work::CBoxQuestions questions;
    const auto lines = parts::CAssemblyWork(questions).Assemble(assembly, n, [&] {
        return Confirm(U("组装") + wxString::Format("%d", n) + U("个“") + assembly.name +
                       U("”并放入库存,是否继续?"));
    });
    if (!lines) return;
    Tell(U("组装零件完成,系统将自动打开入库页面,请将拆散零件入库."));
    HandOver(*lines);
    EndModal(wxID_OK);
}
