#pragma once
// A typed field value as it crosses the table engine: never a display string.
// Text stays in the table's bytes (GBK) with its blank padding; dates are Julian
// day numbers, the empty date being day 0 (it sorts lowest and reads as OLE date 0).
#include <cstdint>
#include <string>
#include <variant>

namespace foxdb {

struct Date {
    int32_t julianDay = 0; // 0 = the empty date
    bool IsEmpty() const { return julianDay == 0; }
    friend bool operator==(Date a, Date b) { return a.julianDay == b.julianDay; }
    friend bool operator<(Date a, Date b) { return a.julianDay < b.julianDay; }
};

// Julian day number of a calendar date and back (proleptic Gregorian).
int32_t JulianDayFromCivil(int year, int month, int day);
void CivilFromJulianDay(int32_t julianDay, int& year, int& month, int& day);
// True for a real calendar date (1..9999, month 1..12, day within the month).
bool IsValidCivil(int year, int month, int day);

// OLE automation dates count days from 1899-12-30; the empty date is OLE day 0.
constexpr int32_t kJulianDayOfOleZero = 2415019;

struct Null {
    friend bool operator==(Null, Null) { return true; }
};

// NULL, text (GBK bytes), number (N/F/B/Y), integer (I), date (D, T's day part), logical (L).
using Value = std::variant<Null, std::string, double, int64_t, Date, bool>;

inline bool IsNull(const Value& v) {
    return std::holds_alternative<Null>(v);
}

} // namespace foxdb
