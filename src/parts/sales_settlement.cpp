#include "parts/sales_settlement.h"

#include "app/ledger_posting.h"
#include "data/data_set.h"
#include "data/main_frame_data.h"
#include "foxdb/transaction.h"
#include "platform/wx_text.h"
#include "work/line_pricing.h"
#include "work/settle_dlg.h"
#include "work/take_out_boxes.h"

#include <wx/datetime.h>

namespace parts {
namespace {

using namespace work::settle;
using work::TakeOutQuestions;

// The fields of a ticket line the settlement reads (the sheet's statement has them all).
const std::vector<const char*> kLineFields = {"车型", "项目名称", "编号", "单价", "成交价", "单位",
                                              "数量", "货位",     "厂牌", "业务", "备注",   "折扣",
                                              "客户", "进价",     "其它", "no"};

bool Marked(const Line& line, const char* kind) {
    return Text(Get(line, "其它")).Contains(kind);
}

} // namespace

SalesSettlement::SalesSettlement(const ado::RecordsetPtr& lines, const wxString& title,
                                 wxString& sheetDocNumber, TakeOutQuestions& questions)
    : m_lines(lines), m_title(title), m_sheetDocNumber(sheetDocNumber), m_questions(questions) {}

SalesSettlement::~SalesSettlement() = default;

SalesLinePrice SalesSettlement::Priced(const Line& line) {
    SalesLine sales;
    const auto read = [](const ado::Variant& value, double* number, bool* null) {
        *null = value.IsNull();
        *number = Number(value);
    };
    read(Get(line, "数量"), &sales.values.quantity, &sales.values.quantityNull);
    read(Get(line, "单价"), &sales.values.price, &sales.values.priceNull);
    read(Get(line, "折扣"), &sales.values.discount, &sales.values.discountNull);
    read(Get(line, "成交价"), &sales.deal, &sales.dealNull);
    sales.values.mark = Text(Get(line, "其它"));
    return PriceSalesLine(sales);
}

double SalesSettlement::ArchivedPrice(const Line& line) {
    if (Marked(line, "S") || Marked(line, "Z")) return 0;
    // The unit price does not hang on the quantity.
    Line one = line;
    one[U("数量")] = ado::Variant(1.0);
    return Priced(one).deal;
}

SalesSettlement::Check SalesSettlement::Prepare() {
    m_ticket.clear();
    m_total = 0;
    if (!m_lines || !m_lines->IsOpen() || m_lines->RecordCount() <= 1) return HeaderOnly;
    m_ticket = ReadLines(*m_lines, kLineFields);
    if (const DocumentFault fault = CheckDocument(m_ticket); fault != DocumentFault::None)
        return fault == DocumentFault::Archived ? Archived : BadLine;
    money::Fen total = 0;
    for (size_t i = 1; i < m_ticket.size(); ++i)
        if (const SalesLinePrice price = Priced(m_ticket[i]); price.counted)
            total += money::FromYuan(price.amount);
    m_total = money::ToYuan(total);
    return Ready;
}

SalesSettlement::Result SalesSettlement::Run(double shortfall) {
    if (m_ticket.size() <= 1) return Cancelled;
    // The stock, taken out in memory; nothing is written before every answer is in.
    std::vector<work::TakeOutLine> out;
    for (size_t i = 1; i < m_ticket.size(); ++i)
        out.push_back(ToTakeOut(m_ticket[i]));
    m_stock = std::make_unique<Stock>();
    if (!m_stock->Open(out)) return Failed;
    if (!m_stock->TakeOut(out, m_questions)) return Cancelled;
    foxdb::TransactionStep("taken-out");
    const bool bookShortfall = shortfall > 0 && m_questions.Ask(U("所差款是否保存到欠款记录中去？"),
                                                                false) == TakeOutQuestions::Yes;
    const bool written = WriteInTransaction(
        m_title, Text(Get(m_ticket[0], "货位")), m_sheetDocNumber,
        [&](const wxString& docNumber) { Write(docNumber, shortfall, bookShortfall); });
    return written ? Done : Failed;
}

void SalesSettlement::Write(const wxString& docNumber, double shortfall, bool bookShortfall) {
    const wxString today = wxDateTime::Today().Format("%Y-%m-%d");

    CDataSet archive;
    archive.Open(U("select * from ljsh where .F."));
    if (!archive.IsOpen()) throw NotWritten{"ljsh"};
    ado::Recordset& rs = *archive.m_pRecordset;
    std::vector<const Line*> warranty;
    for (size_t i = 1; i < m_ticket.size(); ++i) {
        const Line& line = m_ticket[i];
        rs.AddNew();
        Put(rs, "客户", Get(line, "客户"));
        PutText(rs, "flag", "P");
        Put(rs, "项目名称", Get(line, "项目名称"));
        Put(rs, "数量", Get(line, "数量"));
        Put(rs, "单价", ado::Variant(ArchivedPrice(line)));
        PutText(rs, "日期", today);
        Put(rs, "业务", Get(line, "业务"));
        Put(rs, "进价", Get(line, "进价"));
        if (Marked(line, "S") || Marked(line, "Z")) {
            if (Marked(line, "S")) Put(rs, "进价", ado::Variant(0.0));
            PutText(rs, "备注",
                    (Marked(line, "S") ? U("三包") : U("赠送")) + Text(Get(line, "备注")));
        } else {
            Put(rs, "备注", Get(line, "备注"));
        }
        for (const char* field : {"车型", "编号", "厂牌", "货位", "单位", "折扣"})
            Put(rs, field, Get(line, field));
        PutText(rs, "单据号", docNumber);
        Put(rs, "no", ado::Variant(-static_cast<long>(i)));
        if (Marked(line, "S")) warranty.push_back(&line);
    }
    foxdb::TransactionStep("archive-rows");
    archive.NumberRows(archive.m_pRecordset, "ljsh");
    SaveBatch(rs, "ljsh");
    m_stock->Save();
    AppendWarrantyRows(warranty, today);
    MarkSettled(m_ticket[0], m_title, docNumber);

    CLedgerPosting ledger(*g_pFrameData);
    if (bookShortfall &&
        !ledger.PostPartnerEntry(m_title, wxString(), U("应收款"), MoneyText(shortfall), U("入帐"),
                                 U("配件"), docNumber))
        throw NotWritten{"wlzm"};
    const money::Fen cash = money::FromYuan(m_total) - money::FromYuan(shortfall);
    if (!ledger.PostCashEntry(m_title, FenText(cash), U("配件"))) throw NotWritten{"kzk"};
}

SalesSettlement::Result SettleSalesTicket(const ado::RecordsetPtr& lines, const wxString& title,
                                          wxString& sheetDocNumber) {
    work::CBoxQuestions questions;
    SalesSettlement settlement(lines, title, sheetDocNumber, questions);
    if (settlement.Prepare() != SalesSettlement::Ready) return SalesSettlement::Cancelled;
    CSettleDlg dialog(settlement.Total(), 0, 0);
    if (dialog.ShowModal() != wxID_OK) return SalesSettlement::Cancelled;
    return settlement.Run(dialog.GetShortfall());
}

} // namespace parts
