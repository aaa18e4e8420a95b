#include "data/workbook_file.h"

#include "foxdb/value.h"
#include "platform/files.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <freexl.h>
#include <map>
#include <memory>
#include <wx/log.h>
#include <wx/wfstream.h>
#include <wx/zipstrm.h>
#include <xlsxwriter.h>

namespace {

// The parts of an Office Open workbook are small XML texts; a few tags and attributes
// of them are all that is read, so a small scanner serves.
struct Tag {
    std::string name; // without a namespace prefix
    std::string text; // everything between "<" and ">"
    bool closing = false;
    bool empty = false; // "<x/>"
};

bool NextTag(const std::string& xml, size_t& pos, Tag& tag) {
    for (;;) {
        size_t open = xml.find('<', pos);
        if (open == std::string::npos) return false;
        if (xml.compare(open, 4, "<!--") == 0) {
            size_t end = xml.find("-->", open);
            if (end == std::string::npos) return false;
            pos = end + 3;
            continue;
        }
        size_t close = xml.find('>', open);
        if (close == std::string::npos) return false;
        tag.text = xml.substr(open + 1, close - open - 1);
        pos = close + 1;
        if (tag.text.empty() || tag.text[0] == '?' || tag.text[0] == '!') continue;
        tag.closing = tag.text[0] == '/';
        tag.empty = tag.text.back() == '/';
        size_t start = tag.closing ? 1 : 0;
        size_t end = tag.text.find_first_of(" \t\r\n/", start);
        std::string name = tag.text.substr(start, end == std::string::npos ? end : end - start);
        size_t colon = name.find(':');
        tag.name = colon == std::string::npos ? name : name.substr(colon + 1);
        return true;
    }
}

std::string Unescape(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '&') {
            out += text[i];
            continue;
        }
        size_t semi = text.find(';', i);
        if (semi == std::string::npos) {
            out += text[i];
            continue;
        }
        std::string entity = text.substr(i + 1, semi - i - 1);
        unsigned long code = 0;
        if (entity == "amp")
            code = '&';
        else if (entity == "lt")
            code = '<';
        else if (entity == "gt")
            code = '>';
        else if (entity == "quot")
            code = '"';
        else if (entity == "apos")
            code = '\'';
        else if (entity.size() > 1 && entity[0] == '#')
            code = entity[1] == 'x' ? std::strtoul(entity.c_str() + 2, nullptr, 16)
                                    : std::strtoul(entity.c_str() + 1, nullptr, 10);
        if (code == 0 || code > 0x10FFFF) {
            out += text[i];
            continue;
        }
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (code >> 18));
            out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
        }
        i = semi;
    }
    return out;
}

std::string Attribute(const std::string& tagText, const std::string& name) {
    for (size_t pos = 0; (pos = tagText.find(name, pos)) != std::string::npos; pos += name.size()) {
        bool startsWord = pos > 0 && (tagText[pos - 1] == ' ' || tagText[pos - 1] == '\t' ||
                                      tagText[pos - 1] == '\r' || tagText[pos - 1] == '\n');
        size_t eq = pos + name.size();
        if (!startsWord || eq + 1 >= tagText.size() || tagText[eq] != '=') continue;
        char quote = tagText[eq + 1];
        size_t end = tagText.find(quote, eq + 2);
        if (end == std::string::npos) return std::string();
        return Unescape(tagText.substr(eq + 2, end - eq - 2));
    }
    return std::string();
}

// The text of the <t> elements up to the closing tag `until`, phonetic runs left out.
std::string TextUntil(const std::string& xml, size_t& pos, const std::string& until) {
    std::string text;
    Tag tag;
    int phonetic = 0;
    while (NextTag(xml, pos, tag)) {
        if (tag.closing && tag.name == until) break;
        if (tag.name == "rPh" && !tag.empty) phonetic += tag.closing ? -1 : 1;
        if (tag.name == "t" && !tag.closing && !tag.empty) {
            size_t end = xml.find("</", pos);
            if (end == std::string::npos) break;
            if (phonetic == 0) text += Unescape(xml.substr(pos, end - pos));
            pos = end;
        }
    }
    return text;
}

// "BC12" gives column 54 (0-based); letters only are read.
int ColumnOfReference(const std::string& reference) {
    int column = 0;
    size_t i = 0;
    for (; i < reference.size() && reference[i] >= 'A' && reference[i] <= 'Z'; ++i)
        column = column * 26 + (reference[i] - 'A' + 1);
    return i == 0 ? -1 : column - 1;
}

std::string NumberText(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return buffer;
}

// Numbers styled as dates or times are given as text, as the binary reader gives them.
enum class NumberKind { Plain, Date, Time };

NumberKind KindOfFormat(int id, const std::map<int, std::string>& custom) {
    // Built-in formats, the Chinese locale's date ones (27..31, 36, 50..58) included.
    if ((id >= 14 && id <= 17) || id == 22 || (id >= 27 && id <= 31) || id == 36 ||
        (id >= 50 && id <= 58))
        return NumberKind::Date;
    if ((id >= 18 && id <= 21) || (id >= 32 && id <= 35) || (id >= 45 && id <= 47))
        return NumberKind::Time;
    auto format = custom.find(id);
    if (format == custom.end()) return NumberKind::Plain;
    // Letters inside quotes, brackets (colours, locales) or after a backslash are literal.
    std::string letters;
    const std::string& code = format->second;
    for (size_t i = 0; i < code.size(); ++i) {
        char c = code[i];
        if (c == '"') {
            i = code.find('"', i + 1);
            if (i == std::string::npos) break;
        } else if (c == '[') {
            i = code.find(']', i + 1);
            if (i == std::string::npos) break;
        } else if (c == '\\') {
            ++i;
        } else {
            letters += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    if (letters.find_first_of("yd") != std::string::npos) return NumberKind::Date;
    if (letters.find_first_of("hs") != std::string::npos) return NumberKind::Time;
    return NumberKind::Plain;
}

// The kind of every cell style (the cellXfs list), by its number format.
std::vector<NumberKind> StyleKinds(const std::string& styles) {
    std::map<int, std::string> custom;
    std::vector<NumberKind> kinds;
    bool cellStyles = false;
    size_t pos = 0;
    Tag tag;
    while (NextTag(styles, pos, tag)) {
        if (tag.name == "numFmt" && !tag.closing) {
            custom[std::atoi(Attribute(tag.text, "numFmtId").c_str())] =
                Attribute(tag.text, "formatCode");
        } else if (tag.name == "cellXfs") {
            cellStyles = !tag.closing && !tag.empty;
        } else if (tag.name == "xf" && !tag.closing && cellStyles) {
            kinds.push_back(
                KindOfFormat(std::atoi(Attribute(tag.text, "numFmtId").c_str()), custom));
        }
    }
    return kinds;
}

// "2026-12-10", "2026-12-10 08:30:00" or "08:30:00" for a serial day number.
std::string DateText(double serial, NumberKind kind) {
    long days = static_cast<long>(std::floor(serial));
    long seconds = std::lround((serial - days) * 86400);
    if (seconds >= 86400) {
        ++days;
        seconds -= 86400;
    }
    char time[32];
    std::snprintf(time, sizeof time, "%02ld:%02ld:%02ld", seconds / 3600, seconds / 60 % 60,
                  seconds % 60);
    if (kind == NumberKind::Time) return time;
    // Day 1 is 1900-01-01; the sheet's calendar counts a 29 February 1900, so days
    // before it are one day later in the OLE count.
    int year, month, day;
    foxdb::CivilFromJulianDay(foxdb::kJulianDayOfOleZero + days + (days < 61 ? 1 : 0), year, month,
                              day);
    char date[32];
    std::snprintf(date, sizeof date, "%04d-%02d-%02d", year, month, day);
    return seconds == 0 ? std::string(date) : std::string(date) + " " + time;
}

constexpr int kMaxColumns = 16384;
constexpr unsigned kMaxRows = 1048576;

bool ParseSheet(const std::string& xml, const std::vector<std::string>& shared,
                const std::vector<NumberKind>& styles, WorkbookSheet& sheet) {
    size_t pos = 0;
    Tag tag;
    long row = -1;
    int column = -1;
    while (NextTag(xml, pos, tag)) {
        if (tag.closing) continue;
        if (tag.name == "row") {
            std::string r = Attribute(tag.text, "r");
            row = r.empty() ? row + 1 : std::strtol(r.c_str(), nullptr, 10) - 1;
            column = -1;
            if (row < 0 || row >= static_cast<long>(kMaxRows)) return false;
        } else if (tag.name == "c" && row >= 0) {
            std::string r = Attribute(tag.text, "r");
            column = r.empty() ? column + 1 : ColumnOfReference(r);
            if (column < 0 || column >= kMaxColumns) return false;
            std::string type = Attribute(tag.text, "t");
            std::string value;
            if (!tag.empty) {
                Tag inner;
                while (NextTag(xml, pos, inner)) {
                    if (inner.closing && inner.name == "c") break;
                    if (inner.closing || inner.empty) continue;
                    if (inner.name == "v") {
                        size_t end = xml.find("</", pos);
                        if (end == std::string::npos) return false;
                        value = Unescape(xml.substr(pos, end - pos));
                        pos = end;
                    } else if (inner.name == "is") {
                        value = TextUntil(xml, pos, "is");
                    }
                }
                if (type == "s") {
                    unsigned long index = std::strtoul(value.c_str(), nullptr, 10);
                    if (value.empty() || index >= shared.size()) return false;
                    value = shared[index];
                } else if ((type.empty() || type == "n") && !value.empty()) {
                    double number = std::strtod(value.c_str(), nullptr);
                    std::string style = Attribute(tag.text, "s");
                    size_t index = style.empty() ? 0 : std::strtoul(style.c_str(), nullptr, 10);
                    NumberKind kind = index < styles.size() ? styles[index] : NumberKind::Plain;
                    value = kind == NumberKind::Plain || number < 0 ? NumberText(number)
                                                                    : DateText(number, kind);
                }
            }
            if (sheet.rows.size() <= static_cast<size_t>(row)) sheet.rows.resize(row + 1);
            auto& cells = sheet.rows[row];
            if (cells.size() <= static_cast<size_t>(column)) cells.resize(column + 1);
            cells[column] = value;
        }
    }
    return true;
}

// "worksheets/sheet1.xml" relative to "xl/", or an absolute "/xl/worksheets/sheet1.xml".
std::string PartName(const std::string& target) {
    return target.size() > 1 && target[0] == '/' ? target.substr(1) : "xl/" + target;
}

bool ReadOpenWorkbook(const std::string& path, std::vector<WorkbookSheet>& sheets,
                      std::string& error) {
    wxFFileInputStream file(wxString::FromUTF8(path));
    if (!file.IsOk()) {
        error = "The file could not be opened.";
        return false;
    }
    wxLogNull quiet; // a damaged archive is reported below, not by wx's log window
    wxZipInputStream zip(file);
    std::map<std::string, std::string> parts;
    size_t total = 0;
    constexpr size_t kMaxTotal = 512u << 20;
    while (std::unique_ptr<wxZipEntry> entry{zip.GetNextEntry()}) {
        std::string name = entry->GetName(wxPATH_UNIX).utf8_string();
        bool xmlPart = name.size() > 4 && (name.compare(name.size() - 4, 4, ".xml") == 0 ||
                                           name.compare(name.size() - 5, 5, ".rels") == 0);
        if (name.compare(0, 3, "xl/") != 0 || !xmlPart) continue;
        std::string bytes;
        char buffer[65536];
        while (zip.Read(buffer, sizeof buffer).LastRead() > 0) {
            bytes.append(buffer, zip.LastRead());
            if ((total += zip.LastRead()) > kMaxTotal) {
                error = "The workbook is too large.";
                return false;
            }
        }
        if (zip.GetLastError() != wxSTREAM_EOF) {
            error = "The workbook is damaged.";
            return false;
        }
        parts[name] = std::move(bytes);
    }
    if (zip.GetLastError() != wxSTREAM_EOF || !parts.count("xl/workbook.xml")) {
        error = "The file is not a workbook or is damaged.";
        return false;
    }
    std::map<std::string, std::string> targets; // relationship id -> part
    {
        const std::string& rels = parts["xl/_rels/workbook.xml.rels"];
        size_t pos = 0;
        Tag tag;
        while (NextTag(rels, pos, tag))
            if (tag.name == "Relationship" && !tag.closing)
                targets[Attribute(tag.text, "Id")] = PartName(Attribute(tag.text, "Target"));
    }
    std::vector<std::string> shared;
    {
        const std::string& xml = parts["xl/sharedStrings.xml"];
        size_t pos = 0;
        Tag tag;
        while (NextTag(xml, pos, tag))
            if (tag.name == "si" && !tag.closing)
                shared.push_back(tag.empty ? std::string() : TextUntil(xml, pos, "si"));
    }
    const std::vector<NumberKind> styles = StyleKinds(parts["xl/styles.xml"]);
    std::vector<WorkbookSheet> read;
    const std::string& workbook = parts["xl/workbook.xml"];
    size_t pos = 0;
    Tag tag;
    while (NextTag(workbook, pos, tag)) {
        if (tag.name != "sheet" || tag.closing) continue;
        WorkbookSheet sheet;
        sheet.name = Attribute(tag.text, "name");
        auto target = targets.find(Attribute(tag.text, "r:id"));
        auto part = target == targets.end() ? parts.end() : parts.find(target->second);
        if (part == parts.end() || !ParseSheet(part->second, shared, styles, sheet)) {
            error = "The workbook is damaged.";
            return false;
        }
        read.push_back(std::move(sheet));
    }
    sheets = std::move(read);
    return true;
}

bool ReadBinaryWorkbook(const std::string& path, std::vector<WorkbookSheet>& sheets,
                        std::string& error) {
    const void* handle = nullptr;
    if (freexl_open(path.c_str(), &handle) != FREEXL_OK) {
        if (handle) freexl_close(handle);
        error = "The workbook is damaged or of an unsupported kind.";
        return false;
    }
    std::unique_ptr<const void, int (*)(const void*)> closer(handle, freexl_close);
    unsigned count = 0;
    if (freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK) {
        error = "The workbook is damaged.";
        return false;
    }
    std::vector<WorkbookSheet> read;
    for (unsigned short index = 0; index < count; ++index) {
        WorkbookSheet sheet;
        const char* name = nullptr;
        unsigned rows = 0;
        unsigned short columns = 0;
        if (freexl_get_worksheet_name(handle, index, &name) != FREEXL_OK ||
            freexl_select_active_worksheet(handle, index) != FREEXL_OK ||
            freexl_worksheet_dimensions(handle, &rows, &columns) != FREEXL_OK) {
            error = "The workbook is damaged.";
            return false;
        }
        sheet.name = name ? name : "";
        sheet.rows.assign(rows, std::vector<std::string>(columns));
        for (unsigned r = 0; r < rows; ++r) {
            for (unsigned short c = 0; c < columns; ++c) {
                FreeXL_CellValue cell;
                if (freexl_get_cell_value(handle, r, c, &cell) != FREEXL_OK) {
                    error = "The workbook is damaged.";
                    return false;
                }
                std::string& value = sheet.rows[r][c];
                switch (cell.type) {
                case FREEXL_CELL_INT:
                    value = std::to_string(cell.value.int_value);
                    break;
                case FREEXL_CELL_DOUBLE:
                    value = NumberText(cell.value.double_value);
                    break;
                case FREEXL_CELL_TEXT:
                case FREEXL_CELL_SST_TEXT:
                case FREEXL_CELL_DATE:
                case FREEXL_CELL_DATETIME:
                case FREEXL_CELL_TIME:
                    value = cell.value.text_value ? cell.value.text_value : "";
                    break;
                default:
                    break;
                }
            }
        }
        read.push_back(std::move(sheet));
    }
    sheets = std::move(read);
    return true;
}

} // namespace

bool ReadWorkbook(const std::string& path, std::vector<WorkbookSheet>* sheets, std::string* error) {
    std::string reason;
    unsigned char magic[8] = {};
    bool ok = false;
    if (FILE* file = platform::FileExists(path) ? std::fopen(path.c_str(), "rb") : nullptr) {
        size_t got = std::fread(magic, 1, sizeof magic, file);
        std::fclose(file);
        static const unsigned char kZip[4] = {'P', 'K', 3, 4};
        static const unsigned char kCompound[8] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
        if (got >= 4 && std::memcmp(magic, kZip, 4) == 0)
            ok = ReadOpenWorkbook(path, *sheets, reason);
        else if (got == 8 && std::memcmp(magic, kCompound, 8) == 0)
            ok = ReadBinaryWorkbook(path, *sheets, reason);
        else
            reason = "The file is not a workbook.";
    } else {
        reason = "The file could not be opened.";
    }
    if (!ok && error) *error = reason;
    return ok;
}

bool WriteWorkbook(const std::string& path, const std::vector<WorkbookSheet>& sheets,
                   std::string* error) {
    const std::string temporary = path + ".~new";
    platform::DeleteFile(temporary);
    // Rows go to disk as they are written, so a long table needs little memory.
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* workbook = workbook_new_opt(temporary.c_str(), &options);
    std::string reason;
    if (!workbook) reason = "The file could not be created.";
    for (size_t i = 0; workbook && reason.empty() && i < sheets.size(); ++i) {
        const WorkbookSheet& sheet = sheets[i];
        lxw_worksheet* worksheet = workbook_add_worksheet(workbook, sheet.name.c_str());
        if (!worksheet) {
            reason = "The sheet name \"" + sheet.name + "\" cannot be used.";
            break;
        }
        for (size_t c = 0; c < sheet.columnWidths.size(); ++c)
            worksheet_set_column(worksheet, c, c, sheet.columnWidths[c], nullptr);
        for (size_t r = 0; reason.empty() && r < sheet.rows.size(); ++r) {
            for (size_t c = 0; c < sheet.rows[r].size(); ++c) {
                const std::string& cell = sheet.rows[r][c];
                if (cell.empty()) continue;
                lxw_error result = worksheet_write_string(worksheet, r, c, cell.c_str(), nullptr);
                if (result != LXW_NO_ERROR) {
                    reason = lxw_strerror(result);
                    break;
                }
            }
        }
    }
    if (workbook) {
        lxw_error result = workbook_close(workbook);
        if (reason.empty() && result != LXW_NO_ERROR) reason = lxw_strerror(result);
    }
    std::string moveError;
    if (reason.empty() && !platform::MoveFile(temporary, path, &moveError)) reason = moveError;
    if (!reason.empty()) {
        platform::DeleteFile(temporary);
        if (error) *error = reason;
        return false;
    }
    return true;
}
