#pragma once
// Short codes (简码): the pinyin initials of a part name, one `jmb` row per name, so
// that a part is found by typing a few Latin letters. The initials come from `qvpy`.
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>
#include <wx/string.h>

class CDataSet;

class CShortCodes {
public:
    // The tables whose part names get short codes, in the order they are run: a name
    // found in two of them takes 部位 and 编号 from the first.
    static const char* const kSourceTables[4];

    // Reads the initials table, adding the rows it lacks first. False, after a clear
    // message, when no initial can be had.
    bool LoadInitials(CDataSet& data);
    // The initials of the name's leading double-byte characters, up to the first
    // character that is not one or has no initial ("刹车片" -> "SCP"; "ABS泵" -> "").
    wxString CodeOf(const wxString& name) const;

    // Adds a `jmb` row for every trimmed 零件名称 of `table` that has none yet, with
    // the 部位 and 编号 of its first row, and saves them. `onName` sees each name
    // before it is looked at (for the status bar). Loads the initials when not yet
    // loaded. The number of rows added; -1 when nothing could be done (reported).
    long Generate(CDataSet& data, const wxString& table,
                  const std::function<void(const wxString& name)>& onName = {});
    // The same for every source table in order, saved as one batch: a failure to read
    // any of them or to save leaves `jmb` as it was.
    long GenerateAll(CDataSet& data, const std::function<void(const wxString& name)>& onName = {});

private:
    long GenerateFrom(CDataSet& data, const std::vector<wxString>& tables,
                      const std::function<void(const wxString& name)>& onName);

    std::unordered_map<std::string, std::string> m_initials; // GBK character -> initial
};
