#pragma once
// What the member cards of a vehicle grant and what of it has been used: one entry
// per service item of the card types of its cards valid today or later, with the
// times granted (summed over those cards) and the times used (the settled archive
// lines of the vehicle for that item dated within one of those cards, each line
// counted once however many cards cover its date).
#include "data/data_set.h"

#include <vector>
#include <wx/string.h>

class CServiceUsage {
public:
    struct Item {
        wxString name;       // 项目名称
        wxString code;       // 编号
        wxString type;       // 卡类别
        wxString partsRate;  // 折扣
        wxString labourRate; // 手扣
        int granted = 0;
        int used = 0;
    };

    // Reads the cards, their items and the archive lines of the plate. `today` is
    // "%Y-%m-%d". Items come in the order of their names.
    void Load(CDataSet& data, const wxString& plate, const wxString& today);

    std::vector<Item> m_items;
    wxString m_strHeader; // card type, issue and validity dates for the dialog's head

    // The boxes of an item: at most this many on one row, the rest on the rows below.
    static constexpr int kBoxesPerRow = 20;
    // The rows an item with `granted` boxes takes (at least one).
    static int RowsOfItem(int granted);
};

// Puts one line per chosen service onto a work card's lines recordset, one piece
// each: the stocked part of the item's 编号 (its name, bin and prices at unit price 0,
// no retail price) or, without one, the item itself (name, code and its discounts).
// Returns the lines added, in order; the caller completes them as its page does.
class CServiceLines {
public:
    static int Append(CDataSet& data, const ado::RecordsetPtr& lines,
                      const std::vector<const CServiceUsage::Item*>& chosen);
};
