#include "data/spreadsheet.h"

#include "platform/files.h"
#include "platform/gbk.h"

#include <algorithm>

namespace {

constexpr const char* kBackupSheet = "CSpreadSheetBackup";

std::string Utf8(const wxString& text) {
    return text.utf8_string();
}

bool SameSheetName(const std::string& a, const wxString& b) {
    return wxString::FromUTF8(a).CmpNoCase(b) == 0;
}

} // namespace

CSpreadSheet::CSpreadSheet(const wxString& file, const wxString& sheetOrSeparator, bool backup)
    : m_bBackup(backup), m_sFile(file) {
    m_bExcel = file.Right(4).Lower() == ".xls" || file.Right(5).Lower() == ".xlsx";
    if (m_bExcel) {
        m_sSheetName = sheetOrSeparator;
        m_sSeparator = ",;.?";
    } else {
        m_sSeparator = sheetOrSeparator;
    }
    if (Open() && m_bBackup && m_bAppend) {
        bool copied;
        if (m_bExcel) {
            m_bAppend = false;
            copied = CommitTo(m_sFile, kBackupSheet);
            m_bAppend = true;
            m_dCurrentRow = 1;
        } else {
            copied = CommitTo(m_sFile + ".bak", wxString());
        }
        if (!copied) m_bBackup = false;
    }
}

bool CSpreadSheet::Fail(const wxString& message) {
    m_sLastError = message;
    return false;
}

bool CSpreadSheet::Open() {
    std::vector<std::vector<wxString>> rows;
    if (m_bExcel) {
        std::vector<WorkbookSheet> sheets;
        std::string reason;
        if (!platform::FileExists(Utf8(m_sFile))) return false;
        if (!ReadWorkbook(Utf8(m_sFile), &sheets, &reason))
            return Fail("Error reading row\n" + wxString::FromUTF8(reason));
        auto sheet = std::find_if(sheets.begin(), sheets.end(), [&](const WorkbookSheet& s) {
            return SameSheetName(s.name, m_sSheetName);
        });
        if (sheet == sheets.end() || sheet->rows.empty()) return false;
        size_t width = sheet->rows[0].size();
        while (width > 0 && sheet->rows[0][width - 1].empty())
            --width;
        for (const auto& source : sheet->rows) {
            std::vector<wxString> cells(width);
            for (size_t c = 0; c < width && c < source.size(); ++c)
                cells[c] = wxString::FromUTF8(source[c]);
            rows.push_back(std::move(cells));
        }
    } else {
        std::string bytes;
        if (!platform::ReadFileBytes(Utf8(m_sFile), bytes)) return Fail("Error in opening file\n");
        size_t start = 0;
        while (start < bytes.size()) {
            size_t end = bytes.find('\n', start);
            if (end == std::string::npos) end = bytes.size();
            std::string line = bytes.substr(start, end - start);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            rows.push_back(DecodeLine(wxString::FromUTF8(platform::GbkToUtf8(line))));
            start = end + 1;
        }
    }
    m_aRows = std::move(rows);
    m_dTotalRows = static_cast<int>(m_aRows.size());
    m_dTotalColumns = 0;
    for (const auto& row : m_aRows)
        m_dTotalColumns = std::max(m_dTotalColumns, static_cast<int>(row.size()));
    m_aFieldNames = m_aRows.empty() ? std::vector<wxString>() : m_aRows[0];
    m_dCurrentRow = 1;
    m_bAppend = m_dTotalColumns > 0;
    return true;
}

bool CSpreadSheet::AddHeaders(const std::vector<wxString>& names, bool replace) {
    if (!m_bAppend) {
        m_dTotalColumns = static_cast<int>(names.size());
        if (!AddRow(names, 1, true)) return false;
        m_dTotalRows = 1;
        return true;
    }
    if (replace) return AddRow(names, 1, true);
    std::vector<wxString> header = m_aFieldNames;
    for (const wxString& name : names) {
        if (m_bExcel && std::find(header.begin(), header.end(), name) != header.end())
            return Fail(wxString::Format("Duplicate header row field:%s\n", name));
        header.push_back(name);
    }
    if (!AddRow(header, 1, true)) {
        m_sLastError = "Problems with adding headers\n";
        return false;
    }
    m_dTotalColumns = std::max(m_dTotalColumns, static_cast<int>(header.size()));
    return true;
}

bool CSpreadSheet::AddRow(const std::vector<wxString>& cells, int row, bool replace) {
    if (row < 0) return Fail("Desired row is greater than total number of rows in spreadsheet\n");
    if (row == 1) {
        for (size_t i = 0; i < cells.size(); ++i)
            if (std::find(cells.begin() + i + 1, cells.end(), cells[i]) != cells.end())
                return Fail(wxString::Format("Duplicate header row field:%s\n", cells[i]));
        if (static_cast<int>(cells.size()) < m_dTotalColumns)
            return Fail("Number of columns in new header row cannot be less than the number of "
                        "columns in previous header row");
        m_dTotalColumns = static_cast<int>(cells.size());
        m_aFieldNames = cells;
    } else if (m_bExcel) {
        if (m_aFieldNames.empty()) return Fail("No header row. Add header row first\n");
        if (cells.size() > m_aFieldNames.size())
            return Fail("Number of columns to be added cannot be greater than the number of "
                        "fields\n");
    } else {
        m_dTotalColumns = std::max(m_dTotalColumns, static_cast<int>(cells.size()));
    }

    const int last = static_cast<int>(m_aRows.size());
    if (row == 0 || row > last) {
        while (static_cast<int>(m_aRows.size()) < row - 1)
            m_aRows.emplace_back(m_dTotalColumns);
        m_aRows.push_back(cells);
        m_dCurrentRow = static_cast<int>(m_aRows.size());
    } else if (replace) {
        m_aRows[row - 1] = cells;
        m_dCurrentRow = row;
    } else {
        m_aRows.insert(m_aRows.begin() + (row - 1), cells);
        m_dCurrentRow = row;
    }
    m_dTotalRows = static_cast<int>(m_aRows.size());
    if (!m_bTransaction) return Commit();
    return true;
}

bool CSpreadSheet::ReadRow(std::vector<wxString>& cells, int row) {
    if (row > m_dTotalRows)
        return Fail("Desired row is greater than total number of rows in spreadsheet\n");
    if (row <= 0) row = m_dCurrentRow;
    if (row < 1 || row > m_dTotalRows)
        return Fail("Desired row is greater than total number of rows in spreadsheet\n");
    cells = m_aRows[row - 1];
    m_dCurrentRow = row + 1;
    return true;
}

bool CSpreadSheet::Commit() {
    bool written = CommitTo(m_sFile, m_sSheetName);
    m_bTransaction = false;
    return written;
}

bool CSpreadSheet::CommitTo(const wxString& file, const wxString& sheet) {
    return m_bExcel ? CommitWorkbook(file, sheet) : CommitText(file);
}

// The other sheets of the workbook are kept; the sheet itself is written afresh.
bool CSpreadSheet::CommitWorkbook(const wxString& file, const wxString& sheet) {
    std::vector<WorkbookSheet> sheets;
    std::string reason;
    if (platform::FileExists(Utf8(file)) && !ReadWorkbook(Utf8(file), &sheets, &reason))
        return Fail(wxString::FromUTF8(reason));
    WorkbookSheet written;
    written.name = Utf8(sheet);
    for (size_t c = 0; c < m_aFieldNames.size(); ++c) {
        long size = 255;
        if (c < m_aColumnSizes.size() && !m_aColumnSizes[c].empty())
            m_aColumnSizes[c].ToLong(&size);
        long title = static_cast<long>(platform::GbkLength(Utf8(m_aFieldNames[c])));
        written.columnWidths.push_back(std::clamp(std::max(size, title), 4L, 50L) + 1.0);
    }
    for (const auto& row : m_aRows) {
        std::vector<std::string> cells;
        for (const wxString& cell : row)
            cells.push_back(Utf8(cell));
        written.rows.push_back(std::move(cells));
    }
    auto same = std::find_if(sheets.begin(), sheets.end(),
                             [&](const WorkbookSheet& s) { return SameSheetName(s.name, sheet); });
    if (same != sheets.end())
        *same = std::move(written);
    else
        sheets.push_back(std::move(written));
    if (!WriteWorkbook(Utf8(file), sheets, &reason)) return Fail(wxString::FromUTF8(reason));
    if (sheet == m_sSheetName) {
        m_bAppend = true;
        m_dTotalColumns = static_cast<int>(m_aFieldNames.size());
    }
    return true;
}

bool CSpreadSheet::CommitText(const wxString& file) {
    std::string bytes;
    for (const auto& row : m_aRows)
        bytes += platform::Utf8ToGbk(Utf8(EncodeRow(row))) + "\n";
    if (!platform::WriteFileAtomic(Utf8(file), bytes)) return Fail("Error writing file\n");
    return true;
}

wxString CSpreadSheet::EncodeRow(const std::vector<wxString>& cells) const {
    wxString line;
    for (size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) line += m_sSeparator;
        line += "\"" + cells[i] + "\"";
    }
    return line;
}

std::vector<wxString> CSpreadSheet::DecodeLine(const wxString& line) const {
    std::vector<wxString> cells;
    const wxString quoted = "\"" + m_sSeparator + "\"";
    const wxString separator = line.Contains(quoted) ? quoted : m_sSeparator;
    if (m_sSeparator.empty() || !line.Contains(m_sSeparator)) {
        wxString cell = line;
        if (cell.length() >= 2 && cell.StartsWith("\"") && cell.EndsWith("\""))
            cell = cell.Mid(1, cell.length() - 2);
        cells.push_back(cell);
        return cells;
    }
    size_t start = 0;
    for (;;) {
        size_t at = line.find(separator, start);
        if (at == wxString::npos) {
            cells.push_back(line.Mid(start));
            break;
        }
        cells.push_back(line.Mid(start, at - start));
        start = at + separator.length();
    }
    if (cells.front().StartsWith("\"")) cells.front().Remove(0, 1);
    if (cells.back().EndsWith("\"")) cells.back().RemoveLast();
    return cells;
}
