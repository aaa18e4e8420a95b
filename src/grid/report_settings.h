#pragma once
// The stored print settings of one report: a fixed 988-byte record in the file
// "Report/" + report name (GBK texts, little-endian integers), and the copy of the
// record of the report being printed that the page layouts read.
#include <array>
#include <utility>
#include <wx/string.h>

class ReportSettingsRecord {
public:
    static constexpr size_t kSize = 988;

    enum class Text {
        Name,
        Title,
        HiddenColumns,
        Layout,
        Header,
        Footer,
        SubtitleFont,
        CustomPaperSize
    };
    enum class Int {
        PaperCode,
        HeaderGap,
        FooterHeight,
        LeftMargin,
        RightMargin,
        TopMargin,
        BottomMargin,
        TitleHeight,
    };

    // The record a load gives when nothing suitable is stored: empty texts, paper 9
    // (A4) and the default distances.
    ReportSettingsRecord();

    // A text field up to its terminating NUL.
    wxString Get(Text field) const;
    // Writes a text into its field, cut on a character boundary so that its
    // terminator stays inside the field; nothing beyond the field changes.
    void Set(Text field, const wxString& text);
    // The most GBK bytes a text field holds.
    static size_t Capacity(Text field);
    int Get(Int field) const;
    void Set(Int field, int value);

    // The seven distances back to 3, 2, 4, 4, 1, 2, 2.
    void ResetDistances();
    // Whether a distance that the save refuses is set (any of the first five above 200).
    bool HasDistanceOutOfRange() const;

    const std::array<unsigned char, kSize>& Bytes() const { return m_bytes; }
    // A record from stored bytes (exactly kSize of them).
    static ReportSettingsRecord FromBytes(const std::string& bytes);

    // Splits "text<mark>rest" at the first mark; rest is empty without a mark.
    static std::pair<wxString, wxString> SplitAt(const wxString& text, const wxString& mark);

private:
    std::array<unsigned char, kSize> m_bytes{};
};

// Saves the record to "Report/" + its name. 1 saved; 0 after a message when a
// distance is out of range or the file cannot be written (the old file then stays).
int SaveReportSettings(ReportSettingsRecord record);
// The record of a report; a name ending in "O" reads the factory defaults of the
// report without it. Never fails: anything unusable gives the default record.
ReportSettingsRecord LoadReportSettings(const wxString& reportName);

// The record of the report being printed, set at the start of each print job.
extern ReportSettingsRecord CurrentReportSettings;
