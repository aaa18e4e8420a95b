#pragma once
// The small files of the folder "Picture" under the program folder: single-line
// settings files (one 1024-byte block holding one GBK line and a line feed), the
// comma-list files, and the marker files between runs. No object state is used;
// the main frame and the data sets reach these through this class.
#include <vector>
#include <wx/string.h>

class CSettingFiles {
public:
    static constexpr size_t kBlockSize = 1024;

    // The line of "Picture/" + name; empty when the file does not exist.
    static wxString ReadSettingFile(const wxString& name);
    // Writes text (at most 1023 GBK bytes, cut on a character boundary) as one block.
    // The old file is replaced only once the new one is complete. 1 on success, 0
    // after a message.
    static int WriteSettingFile(const wxString& name, const wxString& text);
    // 0 when "Picture/" + name was deleted, non-zero when it could not be or was missing.
    static int DeleteSettingFile(const wxString& name);
    // The value of key in a settings line ("key=value," items): from after "=" to the
    // first blank, comma or the end. Only a whole key matches, so "hight" does not
    // find "Linehight". Empty when the line is empty or the key is absent.
    static wxString GetSettingValue(const wxString& text, const wxString& key);

    // Writes the items as one comma-list line (CR LF at the end) to path, relative to
    // the program folder. A comma inside an item becomes the full-width "，" and line
    // breaks become blanks, so every item reads back as one. 1 on success, 0 on failure.
    static int WriteCsvLine(const wxString& path, const std::vector<wxString>& items);
    // Reads the items of a comma-list file into items[0], items[1], ...; entries the
    // file does not reach keep their values, so defaults survive a short or missing
    // file. Returns the number of items in the file, 0 when it does not exist.
    static int ReadCsvLine(const wxString& path, std::vector<wxString>& items);

    // Whether a file matches path (relative to the program folder; * and ? allowed in
    // the file name).
    static bool FileExists(const wxString& path);
    // Whether the plain table file table + ".dbf" lies in the account set's folder.
    static bool TableFileExists(const wxString& table);
};
