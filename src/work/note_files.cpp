#include "work/note_files.h"

#include "work/header_record.h"

#include "data/setting_files.h"

namespace work {

const wxString& NoteHint() {
    static const wxString hint = wxString::FromUTF8("(各种状况描述)");
    return hint;
}

wxString SafeNoteFileName(const wxString& key) {
    if (!key.empty() && key.find_first_not_of('.') == wxString::npos) {
        wxString dots;
        for (size_t i = 0; i < key.length(); ++i)
            dots += "%2E";
        return dots;
    }
    wxString name;
    for (wxUniChar ch : key) {
        if (ch == '%')
            name += "%25";
        else if (ch == '/')
            name += "%2F";
        else if (ch == '\\')
            name += "%5C";
        else
            name += ch;
    }
    return name;
}

wxString CustomerNoteFileName(const wxString& customer, const char* walkInKind) {
    const wxString walkIn = wxString::FromUTF8(kWalkIn);
    return SafeNoteFileName(customer == walkIn ? walkIn + "(" + wxString::FromUTF8(walkInKind) + ")"
                                               : customer);
}

wxString ReadNote(const wxString& fileName) {
    wxString text = CSettingFiles::ReadSettingFile(fileName);
    text.Replace("\r", "\n");
    return text;
}

void StoreNote(const wxString& fileName, const wxString& text) {
    if (text.empty()) {
        CSettingFiles::DeleteSettingFile(fileName);
        return;
    }
    if (text == NoteHint()) return;
    // The file holds one line: a line feed would end the note there.
    wxString line = text;
    line.Replace("\r\n", "\r");
    line.Replace("\n", "\r");
    CSettingFiles::WriteSettingFile(fileName, line);
}

} // namespace work
