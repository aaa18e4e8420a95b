#include "work/doc_numbers.h"

#include "data/setting_files.h"
#include "platform/message_box.h"

namespace work {
namespace {

const char* const kCounterFile = "M_DJH";
// Written after the day's last number once that number has been taken: the counter
// then holds no number for the day any more.
const char* const kUsedUp = "#";

wxString Day(const wxDateTime& now) {
    return now.Format("%Y%m%d");
}

wxString ReadCounter() {
    return CSettingFiles::ReadSettingFile(kCounterFile).Left(11);
}

bool UsedUp(const wxString& today) {
    return CSettingFiles::ReadSettingFile(kCounterFile) == today + "999" + kUsedUp;
}

void Refuse(const wxString& text) {
    platform::ShowMessageBox(text.utf8_string());
}

void RefuseUsedUp() {
    Refuse(wxString::FromUTF8("今天的单据号已用完(999)，不能再开新单据。"));
}

// The running part of a number of the day, or -1 (shown) when it is not three digits.
long Running(const wxString& number) {
    const wxString running = number.Mid(8);
    unsigned long n = 0;
    if (running.length() != 3 || running.find_first_not_of("0123456789") != wxString::npos ||
        !running.ToULong(&n)) {
        Refuse(wxString::FromUTF8("单据号计数文件M_DJH的内容有误(") + number +
               wxString::FromUTF8(")，请检查后再试。"));
        return -1;
    }
    return static_cast<long>(n);
}

} // namespace

wxString NextDocNumber(wxString& sheetNumber, const wxDateTime& now) {
    const wxString today = Day(now);
    if (sheetNumber.empty()) {
        sheetNumber = ReadCounter();
        if (!sheetNumber.empty() && sheetNumber.Left(8) == today) return sheetNumber;
    }
    wxString next = today + "001";
    if (sheetNumber.Left(8) == today) {
        const long n = Running(sheetNumber);
        if (n < 0) return wxString();
        if (n >= 999) {
            // The last number is issued like any other; only the one after it is refused.
            if (UsedUp(today)) {
                RefuseUsedUp();
                return wxString();
            }
            if (!CSettingFiles::WriteSettingFile(kCounterFile, today + "999" + kUsedUp))
                return wxString();
            return sheetNumber;
        }
        next = today + wxString::Format("%03ld", n + 1);
    }
    if (!CSettingFiles::WriteSettingFile(kCounterFile, next)) return wxString();
    sheetNumber = next;
    return next;
}

wxString GetDocNumber(wxString& sheetNumber, const wxDateTime& now) {
    sheetNumber = ReadCounter();
    if (sheetNumber.Left(8) != Day(now)) return NextDocNumber(sheetNumber, now);
    if (UsedUp(Day(now))) {
        RefuseUsedUp();
        return wxString();
    }
    return Running(sheetNumber) < 0 ? wxString() : sheetNumber;
}

} // namespace work
