#pragma once
// Prices a work line takes from elsewhere: the fixed price level of an item
// (`bdzxm` 三级价) and the price the customer paid last time (the archive `ljsh`).
#include <vector>
#include <wx/string.h>

namespace work {

// The 三级价 of the code in `bdzxm`; false when the code has no row there (or a
// null price).
bool LookupPriceLevel(const wxString& code, double* price);

// The customer's archived lines, oldest first, for the "上次价" command.
class LastPrices {
public:
    // Reads the customer's history; false when it holds nothing.
    bool Load(const wxString& customer);
    // The latest price of the item: by 编号 when code is not blank, else by 项目名称
    // when name is not blank. False when neither is given or nothing matches.
    bool Find(const wxString& code, const wxString& name, double* price) const;

private:
    struct Entry {
        wxString code, name;
        double price = 0;
        bool priceNull = true;
    };
    std::vector<Entry> m_entries;
};

} // namespace work
