#pragma once
// The rights of one user as the users file keeps them in the field "qx": for every
// right the user lacks, its token (the right's number plus 10) and ","; then, when
// the user may grant a discount, "折扣=" with the limit to one decimal and ",". A
// user lacking nothing and granting no discount has "0". Tokens are read as whole
// items, so "14" is never found inside "114" or in the discount item.
#include <bitset>
#include <wx/string.h>

class CUserRights {
public:
    static constexpr int kFirstRight = 4;
    static constexpr int kLastRight = 57;
    static constexpr int kUsersRight = 43;   // "权限设置": managing the users
    static constexpr int kMaxDiscount = 100; // in tenths

    // No right, no discount.
    CUserRights() = default;
    // Reads a stored rights item. An empty one grants nothing (such a user cannot log in).
    static CUserRights Parse(const wxString& qx);
    // The stored form (never empty).
    wxString ToText() const;

    bool Has(int right) const;
    void Set(int right, bool has);
    void SetAll(bool has);
    // The discount limit in tenths (85 for 8.5), 0 for none.
    int DiscountTenths() const { return m_nDiscount; }
    void SetDiscountTenths(int tenths) { m_nDiscount = tenths; }

private:
    std::bitset<kLastRight + 1> m_granted;
    int m_nDiscount = 0;
};
