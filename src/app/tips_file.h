#pragma once
// The tips file of the tip of the day: one tip a line; lines that begin with a
// blank, a tab or ";", and empty lines, are skipped. Reading goes round: after the
// last tip the first comes again. Positions are byte offsets into the file, as the
// profile keeps them.
#include <string>
#include <wx/string.h>

class CTipsFile {
public:
    // Reads the file; false when it cannot be opened.
    bool Open(const std::string& path);
    bool IsOpen() const { return m_bOpen; }

    // The file's last-modification time as asctime writes it, trailing white space cut
    // ("Wed Jan 02 02:03:55 1980").
    const wxString& TimeStamp() const { return m_strTimeStamp; }

    // Moves to a byte offset; false for one outside the file.
    bool Seek(long offset);
    long Position() const { return static_cast<long>(m_nPos); }

    // The next tip from the position on, going round once at most; false when the
    // file holds no tip at all. Text in UTF-8 is taken as it is, anything else as GBK.
    bool ReadNext(wxString& tip);

private:
    std::string m_bytes;
    size_t m_nPos = 0;
    bool m_bOpen = false;
    wxString m_strTimeStamp;
};
