#include "parts/sales_page.h"
#include "parts/sales_ticket.h"

#include "app/main_frame.h"
#include "data/system_options.h"
#include "grid/grid_ctrl.h"
#include "grid/print_options_dlg.h"
#include "platform/wx_text.h"
#include "res/sales_page_template.h"
#include "work/guarded.h"
#include "work/line_fields.h"
#include "work/work_sheet.h"

#include <wx/checkbox.h>
#include <wx/spinbutt.h>
#include <wx/textctrl.h>

using namespace res::sales_page;
using namespace work;
using namespace parts;

const char* const ljsh::kLinesStatement =
    "select 车型,项目名称,编号,单价,成交价,单位,数量,货位,厂牌,小计,作业人员 as 业务,备注,折扣,"
    "客户,零售价,批发价,进价,代理价,故障,其它,WX,flag,no from zyxm where flag like '%P%'";

namespace {

const LinePageKind kSalesTicket = {&res::SalesPageTemplate,
                                   kDialogId,
                                   ljsh::kLinesStatement,
                                   "P",
                                   "零件售货单",
                                   "zyxm配件",
                                   13,
                                   "业务",
                                   "配件",
                                   CMainFrame::SheetKind::Sales,
                                   kNoteEdit,
                                   true};

} // namespace

ljsh::ljsh(CWorkSheet* sheet, const wxString& title) : CLinePage(sheet, title, kSalesTicket) {
    res::Control<wxSpinButton>(this, kDiscountSpin)->SetRange(0, 200);
    CSystemOptions options;
    options.LoadSettings();
    m_bThreePrices = options.GetIntOption(U("三级模式"));
    BindEvents();
}

ljsh::~ljsh() {
    if (m_pPrintDlg) m_pPrintDlg->Destroy();
}

void ljsh::BindEvents() {
    BindButton(kArchiveButton, [this] { OnArchive(); });
    BindButton(kLedgerButton, [this] { OnLedger(); });
    const auto check = [this](int id, void (ljsh::*handler)()) {
        if (auto* box = res::Control<wxCheckBox>(this, id))
            box->Bind(wxEVT_CHECKBOX, [this, handler](wxCommandEvent&) {
                Guarded([this, handler] { (this->*handler)(); });
            });
    };
    check(kWholesaleCheck, &ljsh::OnWholesale);
    check(kLastPriceCheck, &ljsh::OnLastPrice);
    res::Control<wxTextCtrl>(this, kDiscountEdit)->Bind(wxEVT_TEXT, [this](wxCommandEvent&) {
        if (!m_bShowingHeader) Guarded([this] { OnDiscountChange(); });
    });
}

void ljsh::ArrangeControls() {
    ArrangeLineControls({kLedgerButton});
    res::FindControl(this, kLedgerButton)->Enable(!IsWalkIn());
}

void ljsh::ShowHeader(int) {
    const ado::RecordsetPtr& rs = GetSheet()->m_rsLines;
    if (!rs || !rs->IsOpen() || rs->RecordCount() < 1) return;
    const SalesHeader header = ReadSalesHeader(rs, GetSheet()->m_strDocNumber);
    m_strPriceLevel = header.priceLevel;
    m_bShowingHeader = true;
    const std::pair<int, const wxString*> texts[] = {
        {kNumberEdit, &header.number},   {kFaxEdit, &header.fax},
        {kContactEdit, &header.contact}, {kPhoneEdit, &header.phone},
        {kRemarkEdit, &header.remark},   {kMobileEdit, &header.mobile},
        {kAddressEdit, &header.address}, {kBalanceEdit, &header.balance}};
    for (const auto& text : texts)
        SetText(text.first, *text.second);
    res::Control<wxCheckBox>(this, kWholesaleCheck)->SetValue(header.wholesale);
    SetText(kDiscountEdit, header.discount);
    long discount = 100;
    header.discount.ToLong(&discount);
    res::Control<wxSpinButton>(this, kDiscountSpin)->SetValue(int(discount));
    m_bShowingHeader = false;
    ShowLineMarks();
}

const char* ljsh::PriceField() const {
    return SalesPriceField(IsChecked(kWholesaleCheck), m_bThreePrices != 0, m_strPriceLevel);
}

void ljsh::CompleteTakenLine(int row) {
    FocusTakenRow(row);
    if (m_pGrid->MoveToRowRecord(row)) AddLine(false);
    if (m_pGrid->MoveToRowRecord(row)) RecalcLine(row);
}
