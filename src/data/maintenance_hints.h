#pragma once
// The maintenance hints printed under the lines of a repair card's documents: the
// maintenance items replaced on the card, then the items last done on earlier visits
// that are not on the card, one per same-name group. Each carries the odometer
// reading at which it is next due (for an item on the card: the card's reading plus
// the item's interval, or the interval alone when the card has no reading).
#include <vector>
#include <wx/string.h>

struct MaintenanceHint {
    wxString item;
    long dueReading = 0; // 0: none known
};

class CMaintenanceHints {
public:
    // plate: the card's customer; maintenanceClass: the vehicle's class ("通用" when
    // empty); reading: the card's odometer reading (0 when unknown).
    static std::vector<MaintenanceHint> Load(const wxString& plate,
                                             const wxString& maintenanceClass, long reading);
};
