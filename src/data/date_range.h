#pragma once
// The date ranges of the statistics and analyses: the calendar month before a day,
// checking a typed range, and the number of days it spans.
#include <wx/datetime.h>
#include <wx/string.h>

class CDateRange {
public:
    // The first and the last day of the month before today's, as "%Y-%m-%d".
    static void PreviousMonth(const wxDateTime& today, wxString& first, wxString& last);
    // The refusal of a typed range: empty or unreadable dates, a start after the end, or
    // a span of more than kMaxYears. Empty when the range can be used.
    static wxString Check(const wxString& from, const wxString& to);
    // Whole days from the start to the end (civil days, no clock involved); the range
    // must have passed Check.
    static long Days(const wxString& from, const wxString& to);
    // The date of a "%Y-%m-%d" text; invalid when the text is no such date.
    static wxDateTime Parse(const wxString& text);

    static constexpr int kMaxYears = 20;
};
