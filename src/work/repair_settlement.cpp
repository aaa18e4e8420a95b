#include "work/repair_settlement.h"

#include "app/ledger_posting.h"
#include "data/data_set.h"
#include "data/data_transaction.h"
#include "data/main_frame_data.h"
#include "data/record_fields.h"
#include "foxdb/transaction.h"
#include "platform/log.h"
#include "platform/message_box.h"
#include "platform/wx_text.h"
#include "work/doc_numbers.h"
#include "work/line_pricing.h"

#include <cmath>
#include <wx/datetime.h>

namespace work {
namespace {

using namespace settle;

// The fields of a card line the settlement reads (the sheet's statement has them all).
const std::vector<const char*> kLineFields = {
    "项目名称", "编号", "单价", "单位", "数量", "货位", "小计", "作业人员", "备注", "故障",
    "客户",     "车型", "厂牌", "折扣", "手扣", "进价", "其它", "WX",       "no"};

bool IsBlank(const ado::Variant& value) {
    return value.IsNull() || wxString::FromUTF8(value.ToString()).Trim(true).empty();
}

// Labour is a line whose WX holds something; every step of the settlement asks it so.
bool IsLabour(const Line& line) {
    return !IsBlank(Get(line, "WX"));
}

// The line as the card page prices it.
LineValues ValuesOf(const Line& line) {
    LineValues v;
    v.quantityNull = Get(line, "数量").IsNull();
    v.quantity = Number(Get(line, "数量"));
    v.priceNull = Get(line, "单价").IsNull();
    v.price = Number(Get(line, "单价"));
    v.labour = IsLabour(line);
    const ado::Variant& discount = Get(line, v.labour ? "手扣" : "折扣");
    v.discountNull = discount.IsNull();
    v.discount = Number(discount);
    v.mark = Text(Get(line, "其它"));
    return v;
}

} // namespace

RepairSettlement::RepairSettlement(const ado::RecordsetPtr& lines, const wxString& title,
                                   wxString& sheetDocNumber, TakeOutQuestions& questions)
    : m_lines(lines), m_title(title), m_sheetDocNumber(sheetDocNumber), m_questions(questions) {}

RepairSettlement::~RepairSettlement() = default;

RepairSettlement::Check RepairSettlement::Prepare() {
    m_card.clear();
    if (m_lines->RecordCount() <= 1) return HeaderOnly;
    m_card = ReadLines(*m_lines, kLineFields);
    // A negative quantity is a credit: archived and paid back, never taken out of stock.
    if (const DocumentFault fault = CheckDocument(m_card, true); fault != DocumentFault::None)
        return fault == DocumentFault::Archived ? Archived : BadLine;
    std::vector<LineValues> values;
    for (size_t i = 1; i < m_card.size(); ++i)
        values.push_back(ValuesOf(m_card[i]));
    m_total = CardTotal(values);
    return Ready;
}

RepairSettlement::Result RepairSettlement::Run(const SettleOffsets& offsets, double shortfall) {
    if (m_card.size() <= 1) return Cancelled;
    // The stock, taken out in memory; nothing is written before every answer is in.
    std::vector<TakeOutLine> out;
    for (size_t i = 1; i < m_card.size(); ++i) {
        TakeOutLine take = ToTakeOut(m_card[i]);
        take.labour = IsLabour(m_card[i]);
        out.push_back(take);
    }
    m_stock = std::make_unique<Stock>();
    if (!m_stock->Open(out)) return Failed;
    if (!m_stock->TakeOut(out, m_questions)) return Cancelled;
    foxdb::TransactionStep("taken-out");
    const bool bookShortfall = shortfall > 0 && m_questions.Ask(U("所差款是否保存到欠款记录中去？"),
                                                                false) == TakeOutQuestions::Yes;

    const bool written = WriteInTransaction(
        m_title, Text(Get(m_card[0], "货位")), m_sheetDocNumber,
        [&](const wxString& docNumber) { Write(docNumber, offsets, shortfall, bookShortfall); });
    return written ? Done : Failed;
}

void RepairSettlement::Write(const wxString& docNumber, const SettleOffsets& offsets,
                             double shortfall, bool bookShortfall) {
    const wxString today = wxDateTime::Today().Format("%Y-%m-%d");
    const Line& header = m_card[0];

    // Archive rows, one per line, added to a result of no rows: the archive is not read.
    CDataSet archive;
    archive.Open(U("select * from ljsh where .F."));
    if (!archive.IsOpen()) throw NotWritten{"ljsh"};
    ado::Recordset& rs = *archive.m_pRecordset;
    std::vector<size_t> warranty;
    for (size_t i = 1; i < m_card.size(); ++i) {
        const Line& line = m_card[i];
        const bool labour = IsLabour(line);
        const LineMark mark = MarkOf(Text(Get(line, "其它")));
        rs.AddNew();
        Put(rs, "客户", Get(line, "客户"));
        PutText(rs, "flag", Text(Get(line, "WX")) == U("工时费库") ? "WN" : "W");
        Put(rs, "码表", Get(header, "小计"));
        Put(rs, "项目名称", Get(line, "项目名称"));
        Put(rs, "数量", Get(line, "数量"));
        const LineValues values = ValuesOf(line);
        if (values.priceNull)
            Put(rs, "单价", Get(line, "单价"));
        else
            Put(rs, "单价", ado::Variant(DealPrice(values)));
        PutText(rs, "日期", today);
        Put(rs, "业务", Get(line, "作业人员"));
        Put(rs, "进价", Get(line, "进价"));
        Put(rs, "备注", Get(line, "备注"));
        for (const char* field : {"车型", "编号", "厂牌", "货位", "单位", "折扣"})
            Put(rs, field, Get(line, field));
        if (mark == LineMark::Warranty || mark == LineMark::Gift) {
            Put(rs, "单价", ado::Variant(0.0));
            if (mark == LineMark::Warranty) Put(rs, "进价", ado::Variant(0.0));
            PutText(rs, "备注",
                    (mark == LineMark::Warranty ? U("三包") : U("赠送")) + Text(Get(line, "备注")));
        }
        Put(rs, "其它", Get(line, "故障"));
        if (labour) {
            PutText(rs, "厂牌", U("维修项目"));
            if (Get(line, "进价").IsNull()) Put(rs, "进价", ado::Variant(0.0));
        }
        PutText(rs, "单据号", docNumber);
        Put(rs, "no", ado::Variant(-static_cast<long>(i)));
        if (mark == LineMark::Warranty) warranty.push_back(i);
    }
    foxdb::TransactionStep("archive-rows");
    archive.NumberRows(archive.m_pRecordset, "ljsh");
    SaveBatch(rs, "ljsh");

    m_stock->Save();
    std::vector<const Line*> lines;
    for (size_t i : warranty)
        lines.push_back(&m_card[i]);
    AppendWarrantyRows(lines, today);
    MarkSettled(header, m_title, docNumber);

    // Money: the offsets the operator accepted, the shortfall, and the cash received,
    // which is the card total less the offsets and the shortfall.
    CLedgerPosting ledger(*g_pFrameData);
    auto post = [&](const char* category, double amount, const char* way) {
        if (!ledger.PostPartnerEntry(m_title, wxString(), U(category), MoneyText(amount), U(way),
                                     U("维修"), docNumber))
            throw NotWritten{"wlzm"};
    };
    if (offsets.advances > 0) post("预收款", -offsets.advances, "冲帐");
    if (offsets.payables > 0) post("应付款", -offsets.payables, "冲帐");
    if (bookShortfall) post("应收款", shortfall, "入帐");
    const money::Fen cash =
        money::FromYuan(LoweredTotal(m_total, offsets)) - money::FromYuan(shortfall);
    if (!ledger.PostCashEntry(m_title, FenText(cash), U("维修"))) throw NotWritten{"kzk"};
}

} // namespace work
