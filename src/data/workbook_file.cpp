#include "data/workbook_file.h"

#include "data/binary_workbook.h"
#include "data/xml_reader.h"
#include "foxdb/value.h"
#include "platform/files.h"
#include "platform/log.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <wx/log.h>
#include <wx/wfstream.h>
#include <wx/zipstrm.h>
#include <xlsxwriter.h>

namespace {

// Collects the text of <t> elements up to the end of the element that started it
// (a shared string's <si>, an inline string's <is>), rich-text runs joined and
// phonetic runs (<rPh>) left out.
class RichText {
public:
    void Start(const std::string& name) {
        if (name == "rPh") ++phonetic_;
        if (name == "t") inText_ = true;
    }
    void End(const std::string& name) {
        if (name == "rPh") --phonetic_;
        if (name == "t") inText_ = false;
    }
    void Text(const char* text, size_t length) {
        if (inText_ && phonetic_ == 0) text_.append(text, length);
    }
    std::string Take() {
        phonetic_ = 0;
        inText_ = false;
        return std::move(text_);
    }

private:
    std::string text_;
    int phonetic_ = 0;
    bool inText_ = false;
};

// "BC12" gives column 54 (0-based); letters only are read.
int ColumnOfReference(const std::string& reference) {
    int column = 0;
    size_t i = 0;
    for (; i < reference.size() && reference[i] >= 'A' && reference[i] <= 'Z'; ++i)
        column = column * 26 + (reference[i] - 'A' + 1);
    return i == 0 ? -1 : column - 1;
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
class StyleKindsReader : public XmlHandler {
public:
    void Start(const std::string& name, const Attributes& attributes) override {
        if (name == "numFmt") {
            custom_[std::atoi(Find(attributes, "numFmtId").c_str())] =
                Find(attributes, "formatCode");
        } else if (name == "cellXfs") {
            cellStyles_ = true;
        } else if (name == "xf" && cellStyles_) {
            kinds.push_back(KindOfFormat(std::atoi(Find(attributes, "numFmtId").c_str()), custom_));
        }
    }
    void End(const std::string& name) override {
        if (name == "cellXfs") cellStyles_ = false;
    }
    void Text(const char*, size_t) override {}

    std::vector<NumberKind> kinds;

private:
    std::map<int, std::string> custom_;
    bool cellStyles_ = false;
};

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

// The cells of one sheet: <row r="n"> holding <c r="A1" t="type" s="style"> with a
// value in <v> or an inline string in <is>.
class SheetReader : public XmlHandler {
public:
    SheetReader(const std::vector<std::string>& shared, const std::vector<NumberKind>& styles,
                WorkbookSheet& sheet)
        : shared_(shared), styles_(styles), sheet_(sheet) {}

    void Start(const std::string& name, const Attributes& attributes) override {
        if (inCell_) {
            if (name == "v") inValue_ = true;
            if (name == "is") inInline_ = true;
            if (inInline_) inline_.Start(name);
        } else if (name == "row") {
            std::string r = Find(attributes, "r");
            row_ = r.empty() ? row_ + 1 : std::strtol(r.c_str(), nullptr, 10) - 1;
            column_ = -1;
            if (row_ < 0 || row_ >= static_cast<long>(kMaxRows))
                throw XmlStop{"a row number is out of range"};
        } else if (name == "c" && row_ >= 0) {
            std::string r = Find(attributes, "r");
            column_ = r.empty() ? column_ + 1 : ColumnOfReference(r);
            if (column_ < 0 || column_ >= kMaxColumns)
                throw XmlStop{"a cell reference is out of range"};
            type_ = Find(attributes, "t");
            style_ = Find(attributes, "s");
            value_.clear();
            inCell_ = true;
        }
    }

    void End(const std::string& name) override {
        if (!inCell_) return;
        if (inInline_) inline_.End(name);
        if (name == "v") inValue_ = false;
        if (name == "is") {
            inInline_ = false;
            value_ = inline_.Take();
        }
        if (name == "c") {
            inCell_ = false;
            Store();
        }
    }

    void Text(const char* text, size_t length) override {
        if (inValue_) value_.append(text, length);
        if (inInline_) inline_.Text(text, length);
    }

private:
    void Store() {
        std::string value = std::move(value_);
        if (type_ == "s") {
            unsigned long index = std::strtoul(value.c_str(), nullptr, 10);
            if (value.empty() || index >= shared_.size())
                throw XmlStop{"a cell names a shared string that does not exist"};
            value = shared_[index];
        } else if ((type_.empty() || type_ == "n") && !value.empty()) {
            double number = std::strtod(value.c_str(), nullptr);
            size_t index = style_.empty() ? 0 : std::strtoul(style_.c_str(), nullptr, 10);
            NumberKind kind = index < styles_.size() ? styles_[index] : NumberKind::Plain;
            value = kind == NumberKind::Plain || number < 0 ? NumberCellText(number)
                                                            : DateText(number, kind);
        }
        if (sheet_.rows.size() <= static_cast<size_t>(row_)) sheet_.rows.resize(row_ + 1);
        auto& cells = sheet_.rows[row_];
        if (cells.size() <= static_cast<size_t>(column_)) cells.resize(column_ + 1);
        cells[column_] = std::move(value);
    }

    const std::vector<std::string>& shared_;
    const std::vector<NumberKind>& styles_;
    WorkbookSheet& sheet_;
    long row_ = -1;
    int column_ = -1;
    std::string type_, style_, value_;
    bool inCell_ = false, inValue_ = false, inInline_ = false;
    RichText inline_;
};

// The shared strings: one <si> each, plain or rich text.
class SharedStringsReader : public XmlHandler {
public:
    void Start(const std::string& name, const Attributes&) override { text_.Start(name); }
    void End(const std::string& name) override {
        text_.End(name);
        if (name == "si") strings.push_back(text_.Take());
    }
    void Text(const char* text, size_t length) override { text_.Text(text, length); }

    std::vector<std::string> strings;

private:
    RichText text_;
};

// Calls `start` for every element of the part, attributes included.
template <typename OnStart> class ElementReader : public XmlHandler {
public:
    explicit ElementReader(OnStart start) : start_(start) {}
    void Start(const std::string& name, const Attributes& attributes) override {
        start_(name, attributes);
    }
    void End(const std::string&) override {}
    void Text(const char*, size_t) override {}

private:
    OnStart start_;
};

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
    // Each part read is well-formed XML or the workbook is refused as damaged.
    auto parse = [&](const std::string& part, XmlHandler& handler) {
        std::string why;
        if (ParseXml(parts[part], handler, &why)) return true;
        error = "The workbook is damaged (" + part + ": " + why + ").";
        return false;
    };
    auto optional = [&](const std::string& part, XmlHandler& handler) {
        return !parts.count(part) || parse(part, handler);
    };

    std::map<std::string, std::string> targets; // relationship id -> part
    ElementReader relationships([&](const std::string& name, const XmlHandler::Attributes& a) {
        if (name == "Relationship")
            targets[XmlHandler::Find(a, "Id")] = PartName(XmlHandler::Find(a, "Target"));
    });
    SharedStringsReader shared;
    StyleKindsReader styles;
    std::vector<std::pair<std::string, std::string>> sheetParts; // name, relationship id
    ElementReader sheetList([&](const std::string& name, const XmlHandler::Attributes& a) {
        if (name == "sheet")
            sheetParts.emplace_back(XmlHandler::Find(a, "name"), XmlHandler::Find(a, "id"));
    });
    if (!optional("xl/_rels/workbook.xml.rels", relationships) ||
        !optional("xl/sharedStrings.xml", shared) || !optional("xl/styles.xml", styles) ||
        !parse("xl/workbook.xml", sheetList))
        return false;

    std::vector<WorkbookSheet> read;
    for (const auto& [name, id] : sheetParts) {
        WorkbookSheet sheet;
        sheet.name = name;
        auto target = targets.find(id);
        if (target == targets.end() || !parts.count(target->second)) {
            error = "The workbook is damaged (sheet " + name + " is missing).";
            return false;
        }
        SheetReader cells(shared.strings, styles.kinds, sheet);
        if (!parse(target->second, cells)) return false;
        read.push_back(std::move(sheet));
    }
    sheets = std::move(read);
    return true;
}

} // namespace

std::string NumberCellText(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return buffer;
}

bool ReadWorkbook(const std::string& path, std::vector<WorkbookSheet>* sheets, std::string* error) {
    std::string reason, shown; // the reader's account for the log, the shop's sentence
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
            shown = "该文件不是 Excel 工作簿。";
    } else {
        shown = "文件无法打开，它可能不存在或正被另一个程序使用。";
    }
    if (!ok) {
        platform::AppendLog("workbook " + path + " not read: " + reason + shown);
        if (error) *error = shown.empty() ? "工作簿已损坏，无法读取。" : shown;
    }
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
    std::string reason, shown; // the writer's account for the log, the shop's sentence
    if (!workbook) shown = "文件无法建立，请检查所选目录能否写入。";
    if (!workbook) reason = "workbook_new failed";
    for (size_t i = 0; workbook && reason.empty() && i < sheets.size(); ++i) {
        const WorkbookSheet& sheet = sheets[i];
        lxw_worksheet* worksheet = workbook_add_worksheet(workbook, sheet.name.c_str());
        if (!worksheet) {
            reason = "worksheet refused";
            shown = "工作表名“" + sheet.name + "”不能使用。";
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
        platform::AppendLog("workbook " + path + " not written: " + reason);
        if (error) *error = shown.empty() ? "工作簿无法写入，文件可能正被另一个程序使用。" : shown;
        return false;
    }
    return true;
}
