#pragma once
// The entries of CGridCtrl::PrintTexts: the texts a dialog hands to the print code
// beside the grid's rows (document head, terms, switches).
#include <cstddef>

namespace print_texts {

constexpr size_t kCount = 30;

// An entry holding this is left out of the printed document.
constexpr const char* kNoPrint = "##no print##";
// Entries kRowOff + 0..3 hold this when a head row of the repair forms is switched off.
constexpr const char* kRowOffMark = "NO";
// Entry kHints holds this when maintenance hints are printed.
constexpr const char* kHintsOn = "print";

enum Entry : size_t {
    kTitle = 0,
    kPlate = 1,
    kModel = 2,
    kDateIn = 3,
    kBroughtBy = 4,
    kPhone = 5,
    kEngineNo = 6,
    kChassisNo = 7,
    kMileage = 8,
    kWorkUnit = 9,
    kFault = 10,
    kColour = 11,
    kIdCard = 12,
    kDateOutOrChief = 13, // date out, or the chief mechanic on the dispatch list
    kTerms = 14,
    kRemark = 15,
    kSalesAmount = 16,
    kDocumentKind = 17,
    kHints = 18,
    kMaintenanceClass = 19,
    kRowOff = 20, // 20 to 23, one per head row
    kPlateRowOff = kRowOff,
    kBroughtRowOff = 21,
    kColourRowOff = 22,
    kUnitRowOff = 23,
    kPageTotals = 25,
    kOptionsRemark = 26,
};

} // namespace print_texts
