#pragma once
// The dates of membership cards: a new card is valid from its issue day for 364
// days more; a card has expired once its last day of validity is past.
#include <wx/string.h>

class CMemberCardRules {
public:
    // The last day of validity of a card issued on `issued` ("%Y-%m-%d").
    static wxString ValidUntil(const wxString& issued);
    // The recordset filter of the cards that have expired by `today`: a validity
    // date before today. Cards without one have not expired.
    static wxString ExpiredFilter(const wxString& today);
    // Why the dates of a card cannot be stored; empty when they can. A new card must
    // still be valid today, and no card may end before it was issued.
    static wxString DateProblem(const wxString& issued, const wxString& valid, bool adding,
                                const wxString& today);
};
