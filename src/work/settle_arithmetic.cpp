#include "work/settle_arithmetic.h"

#include "platform/money.h"

#include <algorithm>

namespace work {
namespace {

money::Fen Fen(double amount) {
    return money::FromYuan(amount);
}

double Yuan(money::Fen fen) {
    return money::ToYuan(fen);
}

} // namespace

wxString OffsetQuestion(double total, double payables, double advances) {
    if (Fen(payables) + Fen(advances) <= 0) return wxString();
    const long long sum = Fen(ComputeOffsets(total, payables, advances).Sum());
    if (sum <= 0) return wxString();
    return wxString::FromUTF8("该客户有应付款、预收款:") + wxString::FromUTF8(money::Text(sum)) +
           wxString::FromUTF8(",是否在本次金额中扣除?");
}

SettleOffsets ComputeOffsets(double total, double payables, double advances) {
    const long long t = std::max(0LL, Fen(total));
    const long long pay = std::max(0LL, Fen(payables));
    const long long adv = std::max(0LL, Fen(advances));
    SettleOffsets offsets;
    const long long takenPay = std::min(pay, t);
    offsets.payables = Yuan(takenPay);
    offsets.advances = Yuan(std::min(adv, t - takenPay));
    return offsets;
}

double LoweredTotal(double total, const SettleOffsets& offsets) {
    return Yuan(std::max(0LL, Fen(total) - Fen(offsets.payables) - Fen(offsets.advances)));
}

ReceivedAmount ReadReceived(const wxString& text, double receivable) {
    ReceivedAmount result;
    if (text.empty()) return result;
    result.empty = false;
    const bool digitsAndPoints = text.find_first_not_of("0123456789.") == wxString::npos;
    money::Fen value = 0;
    if (!digitsAndPoints || !money::Parse(text.utf8_string(), &value)) {
        result.ok = false;
        result.message = wxString::FromUTF8("输入字符不对！");
        return result;
    }
    result.change = Yuan(value - Fen(receivable));
    return result;
}

double Shortfall(double change) {
    return Fen(change) < -100 ? Yuan(-Fen(change)) : 0;
}

} // namespace work
