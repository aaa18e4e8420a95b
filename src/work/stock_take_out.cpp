#include "work/stock_take_out.h"

#include "data/sql_text.h"
#include "platform/wx_text.h"

#include <algorithm>
#include <cmath>

namespace work {
namespace {

wxString TrimRight(wxString text) {
    return text.Trim(true);
}

wxString Whole(double quantity) {
    return wxString::Format("%lld", std::llround(quantity));
}

} // namespace

StockTakeOut::StockTakeOut(std::vector<StockRow>& rows, TakeOutQuestions& questions,
                           TakeOutPolicy policy)
    : m_rows(rows), m_questions(questions), m_policy(policy) {}

wxString StockTakeOut::StockStatement() {
    return U("select 零件名称,编号,零售价,数量,货位,车型,厂牌,代理价,批发价,单位,进价 from ljkc");
}

bool StockTakeOut::Refused() {
    return !m_policy.everyRefusalCancels;
}

bool StockTakeOut::TakeAll(const std::vector<TakeOutLine>& lines) {
    for (const TakeOutLine& line : lines)
        if (!Take(line)) return false;
    return true;
}

bool StockTakeOut::Take(const TakeOutLine& line) {
    if (line.labour || line.quantityNull || line.quantity <= 0) return true;
    wxString code = TrimRight(line.code), name = line.name;
    name.Trim(true).Trim(false);
    const bool byCode = !code.empty();
    if (!byCode && name.empty()) return true;
    const wxString model = TrimRight(line.model);

    std::vector<size_t> matches;
    for (size_t i = 0; i < m_rows.size(); ++i)
        if (byCode ? TrimRight(m_rows[i].code) == code : TrimRight(m_rows[i].name) == name)
            matches.push_back(i);
    if (matches.empty())
        return m_questions.Ask(
                   U("没有找到“") + (byCode ? code : name) + U("”的零件记录！是否忽略？"), false) ==
               TakeOutQuestions::Yes;

    double remaining = line.quantity;
    wxString bin = TrimRight(line.bin);
    bool askedOthers = false;
    auto takeFrom = [&](StockRow& row) {
        const double taken = std::min(row.quantity, remaining);
        row.quantity -= taken;
        row.changed = true;
        remaining -= taken;
    };
    auto shortage = [&]() {
        return m_questions.Ask(name + U("  库存数量不够！是否忽略?"), false) ==
                       TakeOutQuestions::Yes
                   ? true
                   : Refused();
    };
    // Each round takes stock from the line's bin or moves the line to a bin that
    // has stock, so the rounds end.
    for (;;) {
        double others = 0;
        std::vector<size_t> candidates;
        for (size_t i : matches) {
            StockRow& row = m_rows[i];
            if (row.quantityNull || row.quantity <= 0) continue;
            if (!byCode && TrimRight(row.model) != model) continue;
            if (m_policy.noOwnBin || TrimRight(row.bin) == bin) {
                takeFrom(row);
                if (remaining <= 0) return true;
            } else {
                candidates.push_back(i);
                others += row.quantity;
            }
        }
        if (others <= 0) return shortage();
        if (!askedOthers) {
            askedOthers = true;
            const TakeOutQuestions::Answer answer = m_questions.Ask(
                U("“") + name + U("”在选定货位的零件数不够，要到其它货位取货吗？"), true);
            if (answer == TakeOutQuestions::Cancel) return Refused();
            if (answer == TakeOutQuestions::No) return shortage();
            if (remaining > others &&
                m_questions.Ask(U("“") + name + U("”的其它库存总数(") + Whole(others) +
                                    U(")小于余下出库数(") + Whole(remaining) + U(")!是否忽略？"),
                                false) != TakeOutQuestions::Yes)
                return Refused();
        }
        if (candidates.size() == 1) {
            bin = TrimRight(m_rows[candidates[0]].bin);
            continue;
        }
        if (remaining >= others) {
            // Every other bin is needed: each is taken in turn.
            for (size_t i : candidates)
                takeFrom(m_rows[i]);
            if (remaining <= 0) return true;
            continue;
        }
        wxString statement =
            StockStatement() + " where " +
            (byCode ? CSqlText::Equals(U("编号"), code) : CSqlText::Equals(U("零件名称"), name)) +
            U(" and 数量>0");
        if (!byCode) statement += U(" and ") + CSqlText::Equals(U("车型"), line.model);
        wxString chosen;
        bool known = false;
        if (m_questions.ChooseBin(statement, &chosen)) {
            chosen = TrimRight(chosen);
            for (size_t i : candidates)
                known |= TrimRight(m_rows[i].bin) == chosen;
        }
        if (!known) {
            m_questions.Tell(U("没有找到记录，操作被取消！"));
            return Refused();
        }
        bin = chosen;
    }
}

} // namespace work
