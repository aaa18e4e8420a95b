// The prices of the sales ticket's lines: a new line's defaults, a line repriced
// after an edit, the totals, the ticket discount, and a part typed into a line.
#include "parts/sales_page.h"

#include "app/main_frame.h"
#include "grid/grid_ctrl.h"
#include "platform/message_box.h"
#include "platform/wx_text.h"
#include "res/sales_page_template.h"
#include "work/discount_rules.h"
#include "work/line_fields.h"
#include "work/part_pick_dlg.h"
#include "work/price_lookup.h"
#include "work/work_sheet.h"

#include <cmath>
#include <set>
#include <wx/combobox.h>

using namespace res::sales_page;
using namespace work;
using namespace parts;

namespace {

void Refuse(const wxString& message) {
    platform::ShowMessageBox(message.utf8_string());
}

} // namespace

SalesLine ljsh::ReadLine() const {
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    SalesLine line;
    line.values.quantityNull = IsNullField(rs, "数量");
    line.values.quantity = FieldNumber(rs, "数量");
    line.values.priceNull = IsNullField(rs, "单价");
    line.values.price = FieldNumber(rs, "单价");
    line.values.discountNull = IsNullField(rs, "折扣");
    line.values.discount = FieldNumber(rs, "折扣");
    line.values.mark = FieldText(rs, "其它");
    line.dealNull = IsNullField(rs, "成交价");
    line.deal = FieldNumber(rs, "成交价");
    return line;
}

bool ljsh::DiscountAllowed(int percent) const {
    CMainFrame* frame = CMainFrame::Get();
    return PartsDiscountAllowed(percent,
                                UserDiscountTenths(frame ? frame->m_strRights : wxString()),
                                SystemDiscountLimit());
}

void ljsh::AddLine(bool atEnd) {
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    const char* priceField = PriceField();
    if (!IsNullField(rs, priceField)) PutNumber(rs, "单价", FieldNumber(rs, priceField));
    const int row = atEnd ? int(rs->RecordCount()) - 1 : m_pGrid->GetFocusCell().row;
    const bool shown = row > 0 && row < m_pGrid->GetRowCount();
    if (int col = ColumnOf(U("单价")); col > 0 && shown)
        m_pGrid->SetItemText(
            row, col, IsNullField(rs, "单价") ? wxString() : MoneyText(FieldNumber(rs, "单价")));
    PutText(rs, "客户", GetTitle());
    wxString discount = Text(kDiscountEdit);
    if (discount.empty() || discount == "0") discount = "100";
    PutText(rs, "折扣", discount);
    if (int col = ColumnOf(U("折扣")); col > 0 && shown) m_pGrid->SetItemText(row, col, discount);
    if (atEnd) {
        PutText(rs, "no", wxString::Format("-%ld", rs->RecordCount()));
        PutText(rs, "数量", "1");
        PutText(rs, "flag", "P");
        auto* staff = res::Control<wxComboBox>(this, kStaffCombo);
        if (staff && !staff->GetValue().empty()) PutText(rs, "业务", staff->GetValue());
    }
    if (const wxString code = FieldText(rs, "编号"); !code.empty()) LookupPriceLevel(code);
    const ado::Variant line = rs->Bookmark();
    UpdateTotals();
    rs->PutBookmark(line);
}

void ljsh::LookupPriceLevel(const wxString& code) {
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    const LevelPrice level = LookupLevelPrice(code, m_strPriceLevel);
    if (!level.listed) return;
    PutText(rs, "其它", "N");
    if (!level.priceNull)
        for (const char* field : {"单价", "零售价", "批发价"})
            PutNumber(rs, field, level.price);
    const ado::Variant line = rs->Bookmark();
    ShowLineMarks();
    rs->PutBookmark(line);
}

// The discount is checked before anything is shown: a refused one never reaches the
// line's cells, the line keeps no discount.
void ljsh::RecalcLine(int row) {
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (!rs || !rs->IsOpen() || rs->EndOfFile() || rs->BOF()) return;
    if (MarkOf(FieldText(rs, "其它")) == LineMark::Warranty) {
        SaveLines();
        return;
    }
    if (!IsNullField(rs, "折扣") && !DiscountAllowed(int(std::lround(FieldNumber(rs, "折扣"))))) {
        const ado::Variant line = rs->Bookmark();
        Refuse(U("超出权限,无效操作!"));
        rs->PutBookmark(line);
        PutText(rs, "折扣", "100");
    }
    // A typed price becomes the line's price at the ticket's level; a gift's 0 does
    // not, its price is kept there for when the gift is taken back.
    const char* priceField = PriceField();
    if (IsNullField(rs, "单价")) {
        if (!IsNullField(rs, priceField)) PutNumber(rs, "单价", FieldNumber(rs, priceField));
    } else if (MarkOf(FieldText(rs, "其它")) != LineMark::Gift) {
        PutNumber(rs, priceField, FieldNumber(rs, "单价"));
    }
    const SalesLinePrice price = PriceSalesLine(ReadLine());
    if (price.priced && row > 0 && row < m_pGrid->GetRowCount()) {
        const std::pair<const char*, double> cells[] = {
            {"单价", FieldNumber(rs, "单价")}, {"小计", price.amount}, {"成交价", price.deal}};
        for (const auto& cell : cells)
            if (int col = ColumnOf(U(cell.first)); col > 0)
                m_pGrid->SetItemText(row, col, MoneyText(cell.second));
        if (int col = ColumnOf(U("折扣")); col > 0)
            m_pGrid->SetItemText(row, col,
                                 IsNullField(rs, "折扣") || m_pGrid->GetItemImage(row, 0) >= 0
                                     ? wxString()
                                     : FieldText(rs, "折扣"));
        m_pGrid->Refresh(false);
    }
    SaveLines();
}

void ljsh::UpdateTotals() {
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (!rs || !rs->IsOpen() || rs->RecordCount() < 2) return;
    auto* brands = res::Control<wxComboBox>(this, kBrandCombo);
    const wxString brand = brands->GetValue();
    brands->Clear();
    std::set<wxString> listed;
    const int amountCol = ColumnOf(U("小计")), dealCol = ColumnOf(U("成交价"));
    std::vector<SalesLine> lines;
    bool changed = false;
    const std::vector<ado::Variant> bookmarks = LineBookmarks();
    for (size_t i = 0; i < bookmarks.size(); ++i) {
        rs->PutBookmark(bookmarks[i]);
        const int row = int(i) + 1;
        if (const wxString name = FieldText(rs, "厂牌");
            !name.empty() && listed.insert(name).second)
            brands->Append(name);
        // A deal price typed over the price makes the line a no-discount one; 0 takes it
        // back.
        if (!IsNullField(rs, "成交价")) {
            const wxString mark = FieldText(rs, "其它");
            if (FieldNumber(rs, "成交价") != 0) {
                if (mark != "N") {
                    PutText(rs, "其它", "N");
                    changed = true;
                }
            } else {
                PutNull(rs, "成交价");
                if (MarkOf(mark) == LineMark::NoDiscount) PutNull(rs, "其它");
                changed = true;
            }
        }
        const SalesLine line = ReadLine();
        lines.push_back(line);
        const SalesLinePrice price = PriceSalesLine(line);
        if (!price.priced || row >= m_pGrid->GetRowCount()) continue;
        if (amountCol > 0) m_pGrid->SetItemText(row, amountCol, MoneyText(price.amount));
        if (dealCol > 0) m_pGrid->SetItemText(row, dealCol, MoneyText(price.deal));
    }
    m_fTotal = SalesTotal(lines);
    SetText(kTotalEdit, MoneyText(m_fTotal));
    brands->SetValue(brand);
    m_pGrid->Refresh(false);
    if (changed) {
        SaveLines();
        ShowLineMarks();
    }
}

void ljsh::OnDiscountChange() {
    const wxString typed = Text(kDiscountEdit).Strip(wxString::both);
    if (typed.length() <= 1) return; // still being typed
    CMainFrame* frame = CMainFrame::Get();
    const DiscountEntry entry = CheckPartsDiscount(
        typed, UserDiscountTenths(frame ? frame->m_strRights : wxString()), SystemDiscountLimit());
    if (entry.kind == DiscountEntry::Refused) {
        Refuse(entry.message);
        return;
    }
    const wxString value =
        entry.kind == DiscountEntry::None ? wxString() : wxString::Format("%d", entry.percent);
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (!MoveToHeader()) return;
    const auto put = [&rs, &value] {
        if (value.empty())
            PutNull(rs, "折扣");
        else
            PutText(rs, "折扣", value);
    };
    put();
    ShowLineMarks();
    const wxString brand = Text(kBrandCombo);
    const int col = ColumnOf(U("折扣"));
    const std::vector<ado::Variant> lines = LineBookmarks();
    for (size_t i = 0; i < lines.size(); ++i) {
        rs->PutBookmark(lines[i]);
        if (!TakesPartsDiscount(FieldText(rs, "其它"), wxString())) continue;
        if (!brand.empty() && FieldText(rs, "厂牌") != brand) continue;
        put();
        if (col > 0 && int(i) + 1 < m_pGrid->GetRowCount())
            m_pGrid->SetItemText(int(i) + 1, col, value);
    }
    SaveLines();
    UpdateTotals();
}

void ljsh::CheckTypedCell(int row, int col, const wxString& title) {
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (title != U("数量") || IsNullField(rs, "数量")) return;
    if (const wxString refusal = QuantityRefusal(FieldNumber(rs, "数量")); !refusal.empty()) {
        Refuse(refusal);
        m_pGrid->MoveToRowRecord(row);
        PutText(rs, "数量", "1");
        m_pGrid->SetItemText(row, col, "1");
    }
}

bool ljsh::LookupTypedItem(int row, int col, const wxString& typed) {
    const bool byName = m_pGrid->GetItemText(0, col) == U("项目名称");
    CPartPickDlg chooser(U(kStockStatement) +
                         CDataSet::Contains(byName ? U("零件名称") : U("编号"), typed));
    if (chooser.ShowModal() != wxID_OK) return false;
    const PickedPart& part = chooser.Picked();
    if (!m_pGrid->MoveToRowRecord(row)) return false;
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    const std::pair<const char*, wxString> texts[] = {
        {"项目名称", part.name}, {"编号", part.code},  {"单位", part.unit},
        {"货位", part.bin},      {"车型", part.model}, {"厂牌", part.brand}};
    for (const auto& text : texts)
        PutText(rs, text.first, text.second);
    PutNull(rs, "单价");
    const std::pair<const char*, wxString> prices[] = {{"零售价", part.retail},
                                                       {"批发价", part.wholesale},
                                                       {"代理价", part.agentPrice},
                                                       {"进价", part.cost}};
    for (const auto& price : prices)
        if (price.second.empty())
            PutNull(rs, price.first);
        else
            PutNumber(rs, price.first, wxAtof(price.second));
    if (IsNullField(rs, "数量")) PutText(rs, "数量", "1");
    m_pGrid->FillRowFromRecord(row);
    m_pGrid->SetFocusCell(row, col);
    AddLine(false);
    m_pGrid->MoveToRowRecord(row);
    m_pGrid->FillRowFromRecord(row);
    RecalcLine(row);
    UpdateTotals();
    return true;
}
