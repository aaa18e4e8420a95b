#pragma once
// Prices a work line takes from elsewhere: the fixed price level of an item
// (`bdzxm` 三级价) and the price the customer paid last time (the archive `ljsh`).
#include <vector>
#include <wx/string.h>

namespace work {

// An item's row in the no-discount list `bdzxm`: whether it is listed, and its price
// for a customer's price level (一级价 for a level holding "1", else 二级价 for one
// holding "2", else 三级价), which may be null.
struct LevelPrice {
    bool listed = false;
    bool priceNull = true;
    double price = 0;
};
LevelPrice LookupLevelPrice(const wxString& code, const wxString& level);

// The customer's archived lines, oldest first, for the "上次价" command.
class LastPrices {
public:
    // Reads the customer's history; false when it holds nothing.
    bool Load(const wxString& customer);
    // The latest price of the item: by 编号 when code is not blank, else by 项目名称
    // when name is not blank. False when neither is given or nothing matches.
    bool Find(const wxString& code, const wxString& name, double* price) const;

    struct Entry {
        wxString code, name;
        double price = 0;
        bool priceNull = true;
        double discount = 0; // 折扣
        bool discountNull = true;
    };
    // The item's latest archived line with a price, null when none (matched as Find).
    const Entry* Latest(const wxString& code, const wxString& name) const;

private:
    std::vector<Entry> m_entries;
};

} // namespace work
