#include "parts/order_page.h"

#include "parts/bin_alloc_dlg.h"
#include "parts/bin_allocation.h"
#include "parts/order_numbers.h"
#include "parts/order_save.h"
#include "parts/purchase_pricing.h"
#include "parts/stock_in.h"
#include "parts/store_names.h"
#include "parts/transfer.h"
#include "work/guarded.h"
#include "work/page_layout.h"
#include "work/take_out_boxes.h"
#include "work/work_sheet.h"

#include "app/input_box.h"
#include "app/main_frame.h"
#include "app/order_hand_over.h"
#include "data/data_file_open.h"
#include "data/data_folders.h"
#include "data/system_options.h"
#include "grid/data_set_grid.h"
#include "grid/grid_ctrl.h"
#include "grid/grid_notify.h"
#include "grid/print_options_dlg.h"
#include "platform/files.h"
#include "platform/gbk.h"
#include "platform/log.h"
#include "platform/message_box.h"
#include "platform/wx_text.h"
#include "res/order_page_template.h"

#include <algorithm>
#include <wx/button.h>
#include <wx/combobox.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

using namespace res::order_page;
using namespace parts;

namespace {

// Every order line of the table; the page shows one order through a filter.
const char* const kOrderLines =
    "select 车型,部位,零件名称,编号,单位,进价,数量,小计,厂牌,供应商,备注,"
    "定货单,合同号,日期,no from dhd ";

int Ask(const char* question) {
    return platform::ShowMessageBox(U(question).utf8_string(), std::string(), platform::MB_YESNO);
}

} // namespace

Pjdh::Pjdh(CWorkSheet* sheet, int mode)
    : CWorkPage(sheet, mode == Order      ? U("定货单")
                       : mode == Transfer ? U("调拨")
                                          : U("入库")),
      m_nMode(mode) {
    CGridCtrl::RegisterGridClass();
    res::BuildDialog(this, res::OrderPageTemplate());
    m_pGrid = res::Control<CGridCtrl>(this, kGrid);
    m_pGrid->ResetToCorner();
    m_pGrid->SetEditMode(true);
    m_pGrid->m_nHelpContext = mode == Order ? 185 : mode == Transfer ? 186 : 190;
    CSystemOptions options;
    options.LoadSettings();
    m_bThreeLevel = options.GetIntOption(U("三级模式")) != 0;
    m_stores = ReadStoreNames();

    CMainFrame* frame = CMainFrame::Get();
    if (frame) {
        m_bReturnToStock = mode == StockIn && frame->m_strShared == U("退货入库");
        frame->m_strShared.clear();
    }
    auto* numbers = res::Control<wxComboBox>(this, kNumberCombo);
    if (mode == Transfer) {
        res::FindControl(this, kTransferOutRadio)->Show();
        res::Control<wxRadioButton>(this, kTransferOutRadio)->SetValue(true);
        res::FindControl(this, kInStoreRadio)->Show();
        res::FindControl(this, kNumberLabel)->SetLabel(U("库房名"));
        for (const wxString& store : m_stores)
            numbers->Append(store);
        numbers->Append(U("全部"));
    } else if (frame) {
        CDataSet orders;
        orders.Open(U("select distinct 定货单 from dhd order by 定货单"));
        if (orders.IsOpen() && orders.m_pRecordset->RecordCount() > 0)
            for (auto& rs = *orders.m_pRecordset; !rs.EndOfFile(); rs.MoveNext()) {
                const wxString number = Text(rs, "定货单");
                if (number.empty()) continue;
                m_strLastNo = number;
                if (numbers->FindString(number, true) == wxNOT_FOUND) numbers->Append(number);
            }
        if (mode == Order) {
            res::FindControl(this, kSupplierButton)->Show();
            auto* suppliers = res::Control<wxComboBox>(this, kSupplierCombo);
            suppliers->Show();
            frame->m_dsMain.FillComboBox(U("select distinct 单位 from gys"), suppliers);
            suppliers->Append(U("全部"));
            suppliers->Append(wxString());
        }
    }
    m_strLastNo = NextOrderNumber(m_strLastNo);
    res::Control<wxTextCtrl>(this, kCurrentEdit)->ChangeValue(m_strLastNo);
    if (mode != Order) {
        for (int id : {kContractLabel, kCurrentLabel, kContractEdit, kCurrentEdit, kLockButton,
                       kLowestButton, kCompareButton})
            res::FindControl(this, id)->Hide();
        if (mode == StockIn) res::FindControl(this, kSaveButton)->SetLabel(U("入库(&S)"));
    } else {
        res::FindControl(this, kPriceListButton)->Hide();
        res::FindControl(this, kRatioButton)->Hide();
    }
    BindEvents();
}

Pjdh::~Pjdh() {
    if (m_pPrintDlg) m_pPrintDlg->Destroy();
}

void Pjdh::OnPrint() {
    if (m_pPrintDlg) m_pPrintDlg->Destroy();
    m_pGrid->MakeCurrentGrid();
    m_pPrintDlg = new CPrintOptionsDlg(this, m_pGrid);
    m_pPrintDlg->Show();
}

Pjdh* Pjdh::Open(CMainFrame& frame, int mode) {
    auto* sheet =
        new CWorkSheet(frame.GetSheetPane(), 'D', [mode](CWorkSheet* owner, const wxString&) {
            return new Pjdh(owner, mode);
        });
    auto* page = new Pjdh(sheet, mode);
    sheet->AddWorkPage(page, false);
    frame.InstallSheet(CMainFrame::SheetKind::Order, sheet);
    sheet->SelectWorkPage(page);
    if (mode == Order) {
        // A part already on the current order is not ordered twice.
        const std::vector<PartLine> present = page->Lines();
        std::vector<PartLine> waiting;
        for (const OrderLine& line : COrderHandOver::Take()) {
            if (std::any_of(present.begin(), present.end(), [&](const PartLine& p) {
                    return p.code == line.part && p.name == line.name && p.model == line.model;
                }))
                continue;
            PartLine part;
            part.model = line.model;
            part.name = line.name;
            part.code = line.part;
            double quantity = 1;
            if (line.quantity.ToCDouble(&quantity) && quantity > 0)
                part.quantity = quantity;
            else
                part.quantity = 1;
            waiting.push_back(part);
        }
        if (!waiting.empty()) page->AppendLines(waiting);
    }
    return page;
}

Pjdh* Pjdh::ShownStockIn(CMainFrame& frame) {
    wxWindow* orders = frame.GetSheet(CMainFrame::SheetKind::Order);
    auto* sheet = dynamic_cast<CWorkSheet*>(orders);
    if (!sheet || frame.m_pActiveSheet != orders) return nullptr;
    auto* page = dynamic_cast<Pjdh*>(sheet->GetActiveWorkPage());
    return page && page->GetMode() == StockIn ? page : nullptr;
}

void Pjdh::BindEvents() {
    const auto button = [this](int id, void (Pjdh::*handler)()) {
        if (wxWindow* control = res::FindControl(this, id))
            control->Bind(wxEVT_BUTTON, [this, handler](wxCommandEvent&) {
                work::Guarded([&] { (this->*handler)(); });
            });
    };
    button(kNewButton, &Pjdh::OnNewLine);
    button(kModifyButton, &Pjdh::OnModify);
    button(kPrintButton, &Pjdh::OnPrint);
    button(kDeleteButton, &Pjdh::OnDelete);
    button(kSaveButton, &Pjdh::OnSave);
    button(kCancelButton, &Pjdh::OnCancelEdit);
    button(kExitButton, &Pjdh::OnExit);
    button(kLockButton, &Pjdh::OnLockNumber);
    button(kPriceListButton, &Pjdh::OnPriceFromPriceList);
    button(kRatioButton, &Pjdh::OnPriceByRatio);
    button(kLowestButton, &Pjdh::OnLowestOffers);
    button(kSupplierButton, &Pjdh::OnSupplierCard);
    button(kCompareButton, &Pjdh::OnCompareOffers);
    res::FindControl(this, kNumberCombo)->Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) {
        work::Guarded([this] { OnSelChangeNumber(); });
    });
    // A typed quantity or price changes the line's amount and the total.
    Bind(qvEVT_GRID_NOTIFY, [this](CGridNotifyEvent& event) {
        event.Skip();
        if (event.GetEventObject() != m_pGrid || event.code != GVN_ENDLABELEDIT ||
            !event.textChanged || event.row < 1)
            return;
        EnableSaveButtons(true);
        const wxString title = m_pGrid->GetItemText(0, event.col);
        if (title == U("数量") || title == U("进价")) work::Guarded([this] { UpdateTotals(); });
    });
    // A number typed into the list and left is added to it and chosen.
    auto* numbers = res::Control<wxComboBox>(this, kNumberCombo);
    numbers->Bind(wxEVT_SET_FOCUS, [this](wxFocusEvent& event) {
        m_bComboEdited = false;
        event.Skip();
    });
    numbers->Bind(wxEVT_TEXT, [this](wxCommandEvent& event) {
        m_bComboEdited = true;
        event.Skip();
    });
    numbers->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& event) {
        event.Skip();
        work::Guarded([this] { OnKillFocusNumber(); });
    });
    // The contract number goes onto every line of the current order.
    res::FindControl(this, kContractEdit)->Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& event) {
        event.Skip();
        work::Guarded([this] { OnKillFocusContract(); });
    });
    res::FindControl(this, kSupplierCombo)->Bind(wxEVT_COMBOBOX, [this](wxCommandEvent&) {
        work::Guarded([this] { OnSelChangeSupplier(); });
    });
}

wxString Pjdh::ComboText(int id) const {
    auto* combo = res::Control<wxComboBox>(this, id);
    return combo ? wxString(combo->GetValue()).Trim(true) : wxString();
}

wxString Pjdh::CurrentNumber() const {
    if (m_bLocked) return ComboText(kNumberCombo);
    return wxString(res::Control<wxTextCtrl>(this, kCurrentEdit)->GetValue()).Trim(true);
}

void Pjdh::EnableSaveButtons(bool on) {
    res::FindControl(this, kSaveButton)->Enable(on);
    res::FindControl(this, kCancelButton)->Enable(on);
}

// The buttons run along the bottom, the total at their right; the grid fills the rest.
void Pjdh::ArrangeControls() {
    const wxSize page = GetClientSize();
    if (page.x < 200 || page.y < 150) return;
    const wxRect row = work::PlaceFootRow(this,
                                          {kNewButton, kModifyButton, kDeleteButton, kPrintButton,
                                           kSaveButton, kCancelButton, kExitButton},
                                          kButtonFrame);
    const wxRect label = work::PlaceRightOf(this, kTotalLabel, row, 4 * work::kFramePad);
    work::PlaceRightOf(this, kTotalEdit, label, work::kButtonGap);
    work::PlaceGrid(this, m_pGrid, work::BelowHeader(this, m_pGrid), work::FrameTop(row));
}

void Pjdh::LoadLines() {
    CMainFrame* frame = CMainFrame::Get();
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (!frame || !rs || !rs->IsOpen()) return;
    wxString filter;
    int fields = (m_bThreeLevel ? 15 : 14) + static_cast<int>(m_stores.size());
    if (m_nMode == Order) {
        fields = 11;
        wxString number = res::FindControl(this, kNumberCombo)->IsEnabled()
                              ? ComboText(kNumberCombo)
                              : wxString();
        if (number.empty()) number = CurrentNumber();
        filter = CSqlText::Criterion(U("定货单"), number);
        if (!m_strSupplier.empty())
            filter += U(" and ") + CSqlText::Criterion(U("供应商"), m_strSupplier);
    }
    m_pGrid->SetTableName(m_nMode == Order ? "dhd" : "ljkc");
    m_pGrid->m_strReportName = m_nMode == Order ? U("定货单") : U("入库单");
    m_pGrid->MakeCurrentGrid();
    data_grid::LoadGrid(frame->m_dsMain, rs, m_pGrid, wxString(), filter, fields, 0);
    m_pGrid->m_rsBound = rs;
}

void Pjdh::OnSetActive() {
    CMainFrame* frame = CMainFrame::Get();
    CWorkSheet* sheet = GetSheet();
    if (!frame || !sheet) return;
    ArrangeControls();
    frame->m_pActiveSheet = sheet;
    ado::RecordsetPtr& rs = sheet->m_rsLines;
    if (!sheet->m_bLinesOpen) {
        const wxString statement = m_nMode == Order ? U(kOrderLines) + U("order by 定货单")
                                                    : StockQuery(m_bThreeLevel, m_stores);
        if (!frame->m_dsMain.OpenInto(statement, rs)) return;
        sheet->m_bLinesOpen = true;
        m_nLineCount = frame->m_dsMain.GetDbfRecordCount(m_nMode == Order ? "dhd" : "ljkc");
    }
    sheet->m_strCustomer = U("零散客户");
    const wxString chosen = ComboText(kNumberCombo);
    if (m_nMode == StockIn && !chosen.empty() && !m_bOrderCopied) {
        // The chosen order's lines become the stock-in's, once.
        CDataSet order;
        order.Open(U("select * from dhd where ") + CSqlText::Equals(U("定货单"), chosen));
        std::vector<PartLine> lines;
        if (order.IsOpen()) lines = ReadLines(*order.m_pRecordset);
        m_bOrderCopied = true;
        m_bKeepQuantity = true;
        for (const PartLine& line : lines) {
            rs->AddNew();
            WriteLine(*rs, line);
            AddLine(true);
            // The received lines point at the order they come from.
            PutText(*rs, "定货单", chosen);
            rs->Update();
        }
        m_bKeepQuantity = false;
        if (!lines.empty()) EnableSaveButtons(true);
    }
    LoadLines();
    UpdateTotals();
    if (m_nMode == Order) {
        auto* contract = res::Control<wxTextCtrl>(this, kContractEdit);
        if (rs->RecordCount() > 0) {
            rs->MoveFirst();
            contract->ChangeValue(Text(*rs, "合同号"));
        } else {
            contract->ChangeValue(wxString());
        }
    }
    if (m_bRestoreSaved) {
        m_bRestoreSaved = false;
        RestoreSavedLines();
    }
}

std::string Pjdh::SavedLinesPath() const {
    return ProgramPath(m_nMode == Order ? U("定货单") : U("入库单"));
}

void Pjdh::KeepNewLines() {
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (!rs || !rs->IsOpen()) return;
    std::vector<PartLine> lines;
    if (rs->RecordCount() > 0)
        for (rs->MoveFirst(); !rs->EndOfFile(); rs->MoveNext())
            if (Number(*rs, "no").value_or(-1) < 0) lines.push_back(ReadLine(*rs));
    CDataSet kept;
    kept.Open(m_nMode == Order ? U(kOrderLines) + U("where no=-1") : StockQuery(m_bThreeLevel, {}));
    if (!kept.IsOpen()) return;
    for (const PartLine& line : lines) {
        kept.m_pRecordset->AddNew();
        WriteLine(*kept.m_pRecordset, line);
    }
    try {
        SaveRecordsetAdtg(wxString::FromUTF8(SavedLinesPath()), kept.m_pRecordset);
    } catch (const ado::ComError& error) {
        platform::AppendLog("order page lines not kept: " + error.Description());
    }
}

void Pjdh::RestoreSavedLines() {
    const std::string path = SavedLinesPath() + ".adtg";
    if (!platform::FileExists(path)) return;
    CDataSet kept;
    kept.Open(wxString::FromUTF8(path));
    if (!kept.IsOpen()) return;
    const std::vector<PartLine> lines = ReadLines(*kept.m_pRecordset);
    if (lines.empty()) return;
    AppendLines(lines);
    EnableSaveButtons(true);
}

void Pjdh::DropSavedLines() {
    platform::DeleteFile(SavedLinesPath() + ".adtg");
}

std::vector<PartLine> Pjdh::Lines() {
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (!rs || !rs->IsOpen()) return {};
    return ReadLines(*rs, StoreColumns(m_stores));
}

void Pjdh::WriteBack(const std::vector<PartLine>& lines) {
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (!rs || rs->RecordCount() <= 0) return;
    size_t i = 0;
    for (rs->MoveFirst(); !rs->EndOfFile() && i < lines.size(); rs->MoveNext(), ++i)
        WriteLine(*rs, lines[i]);
    LoadLines();
    UpdateTotals();
}

void Pjdh::UpdateTotals() {
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    auto* total = res::Control<wxTextCtrl>(this, kTotalEdit);
    if (!rs || !rs->IsOpen() || rs->RecordCount() <= 0) {
        total->ChangeValue(wxString());
        return;
    }
    const bool hasSum = HasField(*rs, "小计");
    money::Fen sum = 0;
    int row = 1;
    const int column = [&] {
        for (int c = 1; c < m_pGrid->GetColumnCount(); ++c)
            if (m_pGrid->GetItemText(0, c) == U("小计")) return c;
        return -1;
    }();
    for (rs->MoveFirst(); !rs->EndOfFile(); rs->MoveNext(), ++row) {
        const auto quantity = Number(*rs, "数量"), cost = Number(*rs, "进价");
        if (!quantity || !cost) continue;
        const money::Fen fen = LineFen(quantity, cost);
        const double amount = money::ToYuan(fen);
        if (hasSum && Number(*rs, "小计") != amount) PutNumber(*rs, "小计", amount);
        if (column > 0 && row < m_pGrid->GetRowCount())
            m_pGrid->SetItemText(row, column, wxString::FromUTF8(money::Text(fen)));
        sum += fen;
    }
    total->ChangeValue(wxString::FromUTF8(money::Text(sum)));
    m_pGrid->Refresh();
}

void Pjdh::AddLine(bool) {
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    ado::Recordset& r = *rs;
    PutText(r, "定货单", CurrentNumber());
    PutNumber(r, "no", -static_cast<double>(++m_nLineCount));
    if (!m_bKeepQuantity) PutNumber(r, "数量", 1.0);
    if (!m_strSupplier.empty()) PutText(r, "供应商", m_strSupplier);
    if (m_nMode == Order && HasField(r, "合同号"))
        PutText(r, "合同号", res::Control<wxTextCtrl>(this, kContractEdit)->GetValue());
    if (HasField(r, "日期")) PutText(r, "日期", wxDateTime::Today().Format("%Y-%m-%d"));
    r.Update();
    if (!m_bLocked) res::FindControl(this, kNumberCombo)->Disable();
    EnableSaveButtons(true);
}

void Pjdh::AppendLines(const std::vector<PartLine>& lines) {
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (!rs || !rs->IsOpen()) return;
    m_bKeepQuantity = true;
    for (const PartLine& line : lines) {
        rs->AddNew();
        WriteLine(*rs, line);
        AddLine(true);
    }
    m_bKeepQuantity = false;
    LoadLines();
    UpdateTotals();
    KeepNewLines();
}

void Pjdh::OnNewLine() {
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (!rs || !rs->IsOpen()) return;
    rs->AddNew();
    AddLine(true);
    KeepNewLines();
    LoadLines();
    UpdateTotals();
    m_pGrid->SetEditMode(true);
}

void Pjdh::OnModify() {
    m_pGrid->SetEditMode(true);
    EnableSaveButtons(true);
}

void Pjdh::OnDelete() {
    if (m_pGrid->DeleteSelectedRecord()) {
        EnableSaveButtons(true);
        UpdateTotals();
    }
}

void Pjdh::OnCancelEdit() {
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    EnableSaveButtons(false);
    if (rs && rs->IsOpen()) rs->CancelBatch(ado::adAffectAll);
    m_pGrid->ResetToCorner();
    res::FindControl(this, kNumberCombo)->Enable();
    if (m_nMode != Order) m_bOrderCopied = false;
    OnSetActive();
    DropSavedLines();
}

void Pjdh::OnExit() {
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (rs && rs->IsOpen()) rs->CancelBatch(ado::adAffectAll);
    if (CMainFrame* frame = CMainFrame::Get()) {
        frame->m_dsMain.SaveColumnWidths(m_pGrid);
        frame->CloseSheet(CMainFrame::SheetKind::Order);
    }
}

void Pjdh::CloseSheetAfter(const char* question) {
    EnableSaveButtons(false);
    if (Ask(question) == platform::IDYES) {
        if (CMainFrame* frame = CMainFrame::Get()) frame->CloseSheet(CMainFrame::SheetKind::Order);
        return;
    }
    OnSetActive();
}

void Pjdh::OnSave() {
    CMainFrame* frame = CMainFrame::Get();
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (!frame || !rs || !rs->IsOpen()) return;
    if (m_nMode == StockIn) {
        SaveStockIn(!m_bReturnToStock);
        return;
    }
    if (m_nMode == Transfer) {
        SaveTransfer();
        return;
    }
    const wxString number = CurrentNumber();
    const std::vector<PartLine> order = Lines();
    const ado::Variant filter = rs->Filter();
    rs->PutFilter(ado::Variant(0));
    const bool saved = SaveOrder(rs, order, res::Control<wxTextCtrl>(this, kTotalEdit)->GetValue(),
                                 number, *frame);
    rs->PutFilter(filter);
    if (!saved) return;
    DropSavedLines();
    EnableSaveButtons(false);
    if (!m_bLocked) {
        auto* numbers = res::Control<wxComboBox>(this, kNumberCombo);
        numbers->Enable();
        if (numbers->FindString(number, true) == wxNOT_FOUND) numbers->Append(number);
        numbers->SetStringSelection(number);
        m_strLastNo = NextOrderNumber(number);
        res::Control<wxTextCtrl>(this, kCurrentEdit)->ChangeValue(m_strLastNo);
    }
    OnSetActive();
}

void Pjdh::SaveStockIn(bool purchase) {
    CMainFrame* frame = CMainFrame::Get();
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (m_bOrderCopied && !CStockIn::ConfirmReceiveOrder(ComboText(kNumberCombo))) return;
    CStockIn stockIn(StockInOptions::Load());
    if (!stockIn.Open()) return;
    std::vector<PartLine> lines = Lines();
    if (!stockIn.Prepare(lines)) return;
    UpdateTotals();
    CBinAllocDlg allocation(AllocateBins(lines, m_stores, stockIn.Stock()), m_stores);
    if (allocation.ShowModal() != wxID_OK) {
        OnSetActive();
        return;
    }
    CStockIn::Records records;
    records.purchase = purchase;
    records.lastNumber = &m_strLastNo;
    if (!stockIn.Store(allocation.Rows(), records)) return;
    DropSavedLines();
    frame->FillCatalogTree();
    data_grid::RequeryPartsGrid(frame->m_dsMain); // the stock list shows what came in
    // The lines are in stock now: the page starts empty.
    rs->CancelBatch(ado::adAffectAll);
    m_pGrid->DeleteNonFixedRows();
    CloseSheetAfter("数据已存档,是否关闭入库页面?");
}

void Pjdh::SaveTransfer() {
    CMainFrame* frame = CMainFrame::Get();
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    std::vector<PartLine> lines = Lines();
    if (lines.empty()) return;
    CStockIn stock(StockInOptions::Load());
    if (!stock.Open()) return;
    if (const wxString refusal = TransferRefusal(lines, stock.Stock()); !refusal.empty()) {
        platform::ShowMessageBox(refusal.utf8_string());
        return;
    }
    CompleteFromStock(lines, stock.Stock());
    const bool inStore = res::Control<wxRadioButton>(this, kInStoreRadio)->GetValue();
    wxString destination;
    if (!inStore) {
        CInputBoxDlg box(frame);
        box.m_strPrompt = U("调拨去向");
        if (box.ShowModal() != wxID_OK) return;
        destination = box.m_strInput;
    }
    work::CBoxQuestions questions;
    std::vector<double> taken;
    if (!stock.TakeOut(lines, questions, CStockIn::PageTakeOut(), &taken)) return;
    // Only what left the stock is recorded as moved.
    std::vector<PartLine> moved;
    for (size_t i = 0; i < lines.size(); ++i)
        if (taken[i] > 0) {
            moved.push_back(lines[i]);
            moved.back().quantity = taken[i];
        }
    lines = std::move(moved);
    if (lines.empty()) {
        platform::ShowMessageBox(U("没有零件从库存取出，调拨没有存档。").utf8_string());
        return;
    }
    CStockIn::Records records;
    records.purchase = false;
    std::vector<PartLine> rows = lines;
    if (inStore) {
        if (!stock.Prepare(lines)) return;
        CBinAllocDlg allocation(AllocateBins(lines, m_stores, stock.Stock()), m_stores);
        if (allocation.ShowModal() != wxID_OK) {
            OnSetActive();
            return;
        }
        rows = allocation.Rows();
    } else {
        records.stockIn = false;
        const wxString operatorName = OperatorName(frame->m_strRights);
        records.alsoWrite = [lines, destination, operatorName] {
            WriteTransferRecords(lines, destination, operatorName);
        };
    }
    records.failure = U("调拨没有完成，库存和所有数据都保持原样。");
    if (!stock.Store(rows, records)) return;
    DropSavedLines();
    data_grid::RequeryPartsGrid(frame->m_dsMain); // the stock list shows what moved
    // Archived lines are not archived twice.
    rs->CancelBatch(ado::adAffectAll);
    m_pGrid->DeleteNonFixedRows();
    CloseSheetAfter("数据已存档,是否关闭调拨页面?");
}

void Pjdh::OnLockNumber() {
    auto* numbers = res::Control<wxComboBox>(this, kNumberCombo);
    if (ComboText(kNumberCombo).empty()) return;
    m_bLocked = !m_bLocked;
    numbers->Enable(!m_bLocked);
    res::FindControl(this, kCurrentLabel)->Show(!m_bLocked);
    res::FindControl(this, kCurrentEdit)->Show(!m_bLocked);
}

void Pjdh::OnSelChangeNumber() {
    m_strSupplier.clear();
    res::Control<wxTextCtrl>(this, kTotalEdit)->ChangeValue("0");
    if (m_nMode == StockIn) {
        OnCancelEdit();
        if (m_stores.empty()) {
            CStockIn stock(StockInOptions{});
            if (stock.Open()) {
                std::vector<PartLine> lines = Lines();
                FillBinsFromStock(lines, stock.Stock());
                WriteBack(lines);
            }
        }
        OnModify();
        return;
    }
    if (m_nMode == Transfer) {
        const wxString store = ComboText(kNumberCombo);
        wxString statement =
            U("select 车型,部位,零件名称,编号,单位,厂牌,数量,进价,代理价,批发价,零售价,"
              "货位,供应商,定货单,备注,no from ljkc");
        if (!store.empty() && store != U("全部"))
            statement += U(" where ") + CSqlText::Contains(U("货位"), store);
        if (CMainFrame* frame = CMainFrame::Get())
            data_grid::LoadPartsGrid(frame->m_dsMain, statement, 0, true);
    }
    OnSetActive();
    res::FindControl(this, kCurrentLabel)->Hide();
    res::FindControl(this, kCurrentEdit)->Hide();
}

void Pjdh::OnSelChangeSupplier() {
    m_strSupplier = ComboText(kSupplierCombo);
    if (res::FindControl(this, kSaveButton)->IsEnabled()) {
        if (m_strSupplier.empty() || m_strSupplier == U("全部")) return;
        std::vector<PartLine> lines = Lines();
        for (PartLine& line : lines)
            if (line.supplier.empty()) line.supplier = m_strSupplier;
        WriteBack(lines);
        return;
    }
    if (m_strSupplier == U("全部")) m_strSupplier.clear();
    OnSetActive();
}

void Pjdh::OnPriceFromPriceList() {
    std::vector<PartLine> lines = Lines();
    if (lines.empty()) return;
    const bool withCost = Ask("进价是否也按原价?") == platform::IDYES;
    if (PriceFromPriceList(lines, withCost)) WriteBack(lines);
}

void Pjdh::OnPriceByRatio() {
    std::vector<PartLine> lines = Lines();
    if (!lines.empty()) {
        PriceByRatio(lines, PriceRatios::Load(), m_bThreeLevel);
        WriteBack(lines);
    }
    UpdateTotals();
}

void Pjdh::OnLowestOffers() {
    std::vector<PartLine> lines = Lines();
    if (!lines.empty() && TakeLowestOffers(lines)) WriteBack(lines);
}

void Pjdh::OnSupplierCard() {
    CMainFrame* frame = CMainFrame::Get();
    if (!frame || !CMainFrame::HasForm(FormKind::Partners)) return;
    // The card opens on the supplier chosen here; with none chosen, not on a partner
    // some other form handed over earlier.
    wxString supplier = ComboText(kSupplierCombo);
    if (supplier == U("全部")) supplier.clear();
    frame->m_strShared = supplier;
    frame->OpenForm(FormKind::Partners, 0, supplier);
    m_pGrid->MakeCurrentGrid();
}

void Pjdh::OnCompareOffers() {
    CMainFrame* frame = CMainFrame::Get();
    const int row = m_pGrid->GetFocusCell().row;
    int column = -1;
    for (int c = 1; c < m_pGrid->GetColumnCount() && column < 0; ++c)
        if (m_pGrid->GetItemText(0, c) == U("编号")) column = c;
    if (!frame || row < 1 || row >= m_pGrid->GetRowCount() || column < 0) {
        platform::ShowMessageBox(U("请先选取数据！").utf8_string());
        return;
    }
    const wxString code = wxString::FromUTF8(
        platform::CutToGbkBytes(m_pGrid->GetItemText(row, column).Trim(true).utf8_string(), 10));
    data_grid::LoadPartsGrid(frame->m_dsMain,
                             U("select 车型,零件名称,编号,单位,零售价,批发价,厂牌,供应商,联系人,"
                               "联系电话,备注,部位 from hy where ") +
                                 CSqlText::Contains(U("编号"), code),
                             11, true);
}

void Pjdh::OnKillFocusContract() {
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (m_nMode != Order || !rs || !rs->IsOpen() || rs->RecordCount() <= 0) return;
    const wxString contract = res::Control<wxTextCtrl>(this, kContractEdit)->GetValue();
    const wxString number = CurrentNumber();
    bool changed = false;
    for (rs->MoveFirst(); !rs->EndOfFile(); rs->MoveNext())
        if (Text(*rs, "定货单") == number && Text(*rs, "合同号") != wxString(contract).Trim(true)) {
            PutText(*rs, "合同号", contract);
            changed = true;
        }
    if (changed) EnableSaveButtons(true);
}

void Pjdh::OnKillFocusNumber() {
    auto* numbers = res::Control<wxComboBox>(this, kNumberCombo);
    const wxString typed = ComboText(kNumberCombo);
    if (typed.empty()) return;
    if (numbers->FindString(typed, true) == wxNOT_FOUND) numbers->Append(typed);
    numbers->SetStringSelection(typed);
    if (m_bComboEdited) {
        m_bComboEdited = false;
        OnSelChangeNumber();
    }
}
