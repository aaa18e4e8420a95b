#pragma once
// The customer alert: repair customers (vehicles) or parts customers (partner units)
// whose last visit of that kind lies between N1 and N2 days ago, followed by those of
// the kind who never came; and the lines of one customer.
#include "data/data_set.h"

#include <wx/datetime.h>
#include <wx/string.h>

class CCustomerAlert {
public:
    // The refusal of a typed number of days ("abc", "-5"); empty counts as 0.
    static wxString CheckDays(const wxString& text);
    static long Days(const wxString& text);

    // Opens the list into `list` (aux runs the never-seen customers). False after a
    // refused statement.
    static bool Open(bool repair, long fromDays, long toDays, const wxDateTime& today,
                     CDataSet& list, CDataSet& aux);
    // The lines of exactly this customer.
    static wxString LinesStatement(bool repair, const wxString& customer);
    static int ListFields(bool repair) { return repair ? 10 : 7; }
    static int LineFields(bool repair) { return repair ? 6 : 5; }
    static wxString Title(bool repair);
};
