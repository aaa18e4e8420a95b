#include "data/value_check.h"

#include "platform/gbk.h"
#include "platform/message_box.h"

#include <cmath>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace {

const char* const kBadFormat = "数据格式不对！";
const char* const kNoQuote = "  不能用单引号！";
const char* const kBadDate = "日期不对，可能月份或天数不正确。";

// Refusals shown by the check running on this thread, for CheckAccepted.
thread_local int t_refusals = 0;
// While FieldProblem checks, a refusal is kept here instead of shown.
thread_local bool t_quiet = false;
thread_local const char* t_refusal = nullptr;

void Box(const char* text) {
    ++t_refusals;
    if (t_quiet)
        t_refusal = text;
    else
        platform::ShowMessageBox(text);
}

bool IsDigit(wxUniChar c) {
    return c >= '0' && c <= '9';
}

bool AllDigits(const wxString& text, size_t from, size_t to) {
    if (from >= to) return false;
    for (size_t i = from; i < to; ++i)
        if (!IsDigit(text[i])) return false;
    return true;
}

// Sign, digits, an optional point with digits, an optional exponent when allowed; at
// least one digit before the exponent.
bool IsNumber(const wxString& text, bool integerOnly, bool exponent = true) {
    size_t i = 0, n = text.length();
    if (i < n && (text[i] == '-' || text[i] == '+')) ++i;
    size_t digits = 0;
    while (i < n && IsDigit(text[i]))
        ++i, ++digits;
    if (integerOnly) return digits > 0 && i == n;
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && IsDigit(text[i]))
            ++i, ++digits;
    }
    if (digits == 0) return false;
    if (exponent && i < n && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        if (i < n && (text[i] == '-' || text[i] == '+')) ++i;
        size_t start = i;
        while (i < n && IsDigit(text[i]))
            ++i;
        if (i == start) return false;
    }
    return i == n;
}

wxString CheckInteger(const wxString& text) {
    if (text.empty()) return "0";
    if (IsNumber(text, true)) {
        long long value = 0;
        // An I field holds 32 bits; a longer number is refused rather than cut.
        if (text.ToLongLong(&value) && value >= -2147483648LL && value <= 2147483647LL) return text;
    }
    Box(kBadFormat);
    return "0";
}

// Typed numbers are plain decimals (no exponent); one whose whole part, once rounded
// to the field's scale, has more digits than the field holds is refused here rather
// than failing later when the record takes it.
wxString CheckNumeric(const wxString& text, int precision, int scale) {
    if (text.empty()) return "0";
    wxString number = text;
    // A second point ends the number: 1.2.3 is taken as 1.2.
    size_t first = number.find('.');
    if (first != wxString::npos) {
        size_t second = number.find('.', first + 1);
        if (second != wxString::npos) number = number.Left(second);
    }
    bool fits = IsNumber(number, false, false);
    if (fits && precision > 0 && scale >= 0 && precision > scale) {
        double value = 0;
        wxString parsed =
            number.StartsWith(".") || number.StartsWith("-.") || number.StartsWith("+.")
                ? wxString(number).insert(number[0] == '.' ? 0 : 1, "0")
                : number;
        if (parsed.EndsWith(".")) parsed += "0";
        const double factor = std::pow(10.0, scale);
        fits = parsed.ToCDouble(&value) &&
               std::fabs(std::round(value * factor) / factor) < std::pow(10.0, precision - scale);
    }
    if (fits) return number;
    Box(kBadFormat);
    return "0";
}

wxString CheckText(const wxString& text, long definedSize) {
    wxString result = text;
    if (definedSize >= 0)
        result = wxString::FromUTF8(
            platform::CutToGbkBytes(result.utf8_string(), static_cast<size_t>(definedSize)));
    size_t quote = result.find('\'');
    if (quote != wxString::npos) {
        Box(kNoQuote);
        result = result.Left(quote);
    }
    return result;
}

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

wxString TwoDigits(const wxString& digits) {
    return digits.length() == 1 ? "0" + digits : digits;
}

wxString CheckDate(const wxString& text) {
    if (text.empty()) return "0:00:00";
    if (text == "0:00:00") return text;

    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    wxString year = wxString::Format("%04d", local.tm_year + 1900);
    wxString month = wxString::Format("%02d", local.tm_mon + 1);
    wxString day = wxString::Format("%02d", local.tm_mday);
    const wxString today = year + "-" + month + "-" + day;

    const size_t last = text.length() - 1;
    if (AllDigits(text, 0, text.length())) {
        if (text.length() == 2) {
            day = text;
        } else if (text.length() == 1 || text.length() == 3) {
            return today;
        } else {
            Box(kBadFormat);
            return today;
        }
    } else {
        // Groups of digits, each closed by a separator or by the last character.
        struct Group {
            wxString digits;
            size_t end;
        };
        std::vector<Group> groups;
        wxString digits;
        for (size_t i = 0; i <= last; ++i) {
            bool digit = IsDigit(text[i]);
            if (digit) digits += text[i];
            if (!digit || i == last) {
                groups.push_back({digits, i});
                digits.clear();
            }
        }
        size_t yearEnd = groups.front().end;
        if ((yearEnd != 4 && yearEnd != 2) || groups.front().digits.length() != yearEnd) {
            Box(kBadFormat);
            return today;
        }
        if (yearEnd == 4) {
            year = groups.front().digits;
            if (year[0] == '0') year[0] = '2';
        } else {
            const wxString& yy = groups.front().digits;
            year = (yy[0] == '0' || yy[0] == '1' || yy[0] == '2' ? "20" : "19") + yy;
        }
        const size_t monthEnd = yearEnd + 2;
        for (size_t g = 1; g < groups.size(); ++g) {
            const Group& group = groups[g];
            if (group.end == last) {
                if (!group.digits.empty() && group.digits.length() <= 2)
                    day = TwoDigits(group.digits);
            } else if (g == 1 && (group.end == monthEnd || group.end == monthEnd + 1)) {
                if (!group.digits.empty() && group.digits.length() <= 2)
                    month = TwoDigits(group.digits);
            } else {
                Box(kBadFormat);
                return today;
            }
        }
    }

    long y = 0, m = 0, d = 0;
    year.ToLong(&y);
    month.ToLong(&m);
    day.ToLong(&d);
    bool shown = false;
    if (m < 1 || m > 12) {
        Box(kBadDate);
        shown = true;
        month = "12";
    }
    int lastDay = 31;
    if (m == 2)
        lastDay = IsLeapYear(static_cast<int>(y)) ? 29 : 28;
    else if (m == 4 || m == 6 || m == 9 || m == 11)
        lastDay = 30;
    if (d < 1 || d > lastDay) {
        if (!shown) Box(kBadDate);
        // February falls back to the 28th, as it always has; others to their last day.
        day = m == 2 ? wxString("28") : wxString::Format("%02d", lastDay);
    }
    return year + "-" + month + "-" + day;
}

// Rounds the decimal text of a number to two places, half away from zero.
bool RoundToCents(const wxString& text, wxString& result) {
    if (!IsNumber(text, false)) return false;
    if (text.find_first_of("eE") != wxString::npos) {
        double value = 0;
        if (!text.ToCDouble(&value)) return false;
        result = wxString::FromCDouble(value, 2);
        return true;
    }
    wxString body = text;
    wxString sign;
    if (body[0] == '-' || body[0] == '+') {
        if (body[0] == '-') sign = "-";
        body = body.Mid(1);
    }
    size_t point = body.find('.');
    wxString whole = point == wxString::npos ? body : body.Left(point);
    wxString fraction = point == wxString::npos ? wxString() : body.Mid(point + 1);
    if (whole.empty()) whole = "0";
    bool up = fraction.length() > 2 && fraction[2] >= '5';
    fraction = (fraction + "00").Left(2);
    wxString digits = whole + fraction;
    if (up) {
        size_t i = digits.length();
        while (i > 0) {
            --i;
            if (digits[i] == '9') {
                digits[i] = '0';
                continue;
            }
            digits[i] = wxUniChar(digits[i].GetValue() + 1);
            break;
        }
        if (digits[0] == '0' && i == 0 && digits.find_first_not_of('0') == wxString::npos)
            digits = "1" + digits;
    }
    size_t firstNonZero = digits.find_first_not_of('0');
    if (firstNonZero == wxString::npos) sign.clear(); // no "-0.00"
    wxString integer = digits.Left(digits.length() - 2);
    size_t lead = integer.find_first_not_of('0');
    integer = lead == wxString::npos ? wxString("0") : integer.Mid(lead);
    result = sign + integer + "." + digits.Right(2);
    return true;
}

} // namespace

wxString CValueCheck::CheckValue(const wxString& text, long adoType, long definedSize,
                                 int precision, int scale) {
    switch (adoType) {
    case 3:
        return CheckInteger(text);
    case 131:
        return CheckNumeric(text, precision, scale);
    case 129:
    case 200:
    case 201:
    case 202:
        return CheckText(text, definedSize);
    case 133:
    case 134:
    case 135:
        return CheckDate(text);
    default:
        return text;
    }
}

long CValueCheck::MapFieldType(long adoType, bool keepNumeric) {
    switch (adoType) {
    case 3:
        return keepNumeric ? 22 : 8;
    case 131:
        return keepNumeric ? 4 : 8;
    case 133:
    case 134:
    case 135:
        return 7;
    case 129:
    case 200:
    case 201:
    case 202:
        return 8;
    default:
        return adoType;
    }
}

void CValueCheck::FormatMoney(wxString& text) {
    wxString rounded;
    if (!text.empty() && RoundToCents(text, rounded)) text = rounded;
}

bool CValueCheck::CheckAccepted(const wxString& text, long adoType, long definedSize,
                                wxString* checked, int precision, int scale) {
    const int before = t_refusals;
    *checked = CheckValue(text, adoType, definedSize, precision, scale);
    return t_refusals == before;
}

wxString CValueCheck::FieldProblem(const wxString& label, const wxString& text, long adoType,
                                   long definedSize, int precision, int scale) {
    const bool isText = adoType == 129 || (adoType >= 200 && adoType <= 202);
    if (isText) {
        if (text.Contains("'")) return label + wxString::FromUTF8("不能用单引号！");
        if (definedSize > 0 &&
            platform::GbkLength(text.utf8_string()) > static_cast<size_t>(definedSize))
            return label +
                   wxString::Format(wxString::FromUTF8("不能超过%ld个字节(一个汉字占两个字节)！"),
                                    definedSize);
        return wxString();
    }
    struct Quiet {
        Quiet() { t_quiet = true, t_refusal = nullptr; }
        ~Quiet() { t_quiet = false; }
    };
    {
        Quiet quiet;
        CheckValue(text, adoType, definedSize, precision, scale);
    }
    if (!t_refusal) return wxString();
    return label + wxString::FromUTF8("：") + wxString::FromUTF8(t_refusal);
}
