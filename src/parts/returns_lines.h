#pragma once
// The returns page's document kinds and what its lines mean: parts back from a
// customer or out to a supplier, defective or sound, and reissued parts. The kind
// comes from the code the menu command hands over; the lines are pending new rows
// of `ljth`.
#include "ado/recordset.h"

#include <wx/string.h>

namespace parts {

enum ReturnMode {
    kDefectBack = 1,     // 不良品退回: a defective part back from a customer
    kDefectOut = 2,      // 不良品退出: defective parts out to the supplier
    kReissue = 3,        // 补发: a part reissued to the customer
    kSoundOut = 4,       // 正品退出: sound parts back to the supplier
    kSoundBack = 5,      // 正品退回: sound parts back from a customer
    kPurchaseReturn = 6, // 进货退货: received goods back to the supplier
};

// The mode of a hand-over code ("TC", "BF", "ZC", "TH", "JT"); 1 for any other text.
int ReturnModeOfCode(const wxString& code);

// Every field of a return line, in the page's order.
extern const char* const kReturnFields;
// The page's lines statement: no stored row matches, so a new page starts empty.
wxString ReturnLinesStatement();
// Every stored return line (the lists of the page add their condition).
wxString AllReturnsStatement();

// The money of the lines: 单价 times 数量 of each line that has both, to the fen.
double ReturnLinesTotal(ado::Recordset& lines);

// The count of a "退n" remark (a sale or receipt line already partly returned); 0
// when the remark holds no such count.
long ReturnedCount(const wxString& remark);

} // namespace parts
