#include "app/user_rights.h"

#include <cmath>
#include <wx/tokenzr.h>

namespace {

bool InRange(int right) {
    return right >= CUserRights::kFirstRight && right <= CUserRights::kLastRight;
}

const wxString& DiscountKey() {
    static const wxString key = wxString::FromUTF8("折扣");
    return key;
}

} // namespace

CUserRights CUserRights::Parse(const wxString& qx) {
    CUserRights rights;
    wxString text = qx;
    text.Trim(true).Trim(false);
    if (text.empty()) return rights;
    rights.SetAll(true);
    wxStringTokenizer items(text, ",");
    while (items.HasMoreTokens()) {
        wxString item = items.GetNextToken().Trim(true).Trim(false);
        if (item.StartsWith(DiscountKey())) {
            wxString value = item.Mid(DiscountKey().length()).Trim(false);
            if (value.StartsWith("=")) value = value.Mid(1);
            double limit = 0;
            // Rounded: 2.3 is 22.999... tenths in a double.
            if (value.ToCDouble(&limit))
                rights.m_nDiscount = static_cast<int>(std::lround(limit * 10));
            continue;
        }
        long token = 0;
        if (item.ToLong(&token) && InRange(int(token) - 10)) rights.Set(int(token) - 10, false);
    }
    return rights;
}

wxString CUserRights::ToText() const {
    wxString text;
    for (int right = kFirstRight; right <= kLastRight; ++right)
        if (!Has(right)) text += wxString::Format("%d,", right + 10);
    if (m_nDiscount != 0)
        text += DiscountKey() + "=" + wxString::FromCDouble(m_nDiscount * 0.1, 1) + ",";
    return text.empty() ? wxString("0") : text;
}

bool CUserRights::Has(int right) const {
    return InRange(right) && m_granted[right];
}

void CUserRights::Set(int right, bool has) {
    if (InRange(right)) m_granted[right] = has;
}

void CUserRights::SetAll(bool has) {
    for (int right = kFirstRight; right <= kLastRight; ++right)
        m_granted[right] = has;
}
