#pragma once
// The shop's own data in the one-line comma list "Picture/Memfile": its name (the
// main window's title), the person in charge, telephones, address, postcode and
// the warehouse names ("，" between them). Items never hold an ASCII comma or a
// line break, so each reads back as one.
#include <vector>
#include <wx/string.h>

class CCompanyData {
public:
    static constexpr const char* kFile = "Picture/Memfile";
    static constexpr const char* kNewFile = "Picture/Memfile0";
    // The items in file order; item 6 is kept empty.
    enum Item : int {
        kName,
        kManager,
        kPhone1,
        kFax,
        kAddress,
        kUnused,
        kPostcode,
        kPhone2,
        kPhone3,
        kStores,
        kItemCount
    };

    CCompanyData() : m_items(kItemCount) {}

    // Reads the file; a missing file leaves every item empty, surplus items are ignored.
    void Load();
    // Writes the new text to "Memfile0", which then takes the place of "Memfile" (also
    // when there is none yet). False after a message: the writer's, or "移动文件出错!"
    // with the text left in "Memfile0".
    bool Save() const;

    const wxString& Get(Item item) const { return m_items[item]; }
    void Set(Item item, const wxString& value) { m_items[item] = value; }

private:
    std::vector<wxString> m_items;
};

// What a fresh company data file may hold in the warehouse item: no warehouses.
extern const char* const kNoStores;
// More names than this are ignored: the forms have no room for them.
constexpr size_t kMaxStores = 109;

// The names of the warehouse item: cut at "," and "，", each without a trailing carriage
// return, cut to 10 GBK bytes on a character boundary; empty names are skipped.
std::vector<wxString> SplitStoreNames(const wxString& item);
// The warehouses of the company data file (none when it is missing).
std::vector<wxString> ReadStoreNames();
