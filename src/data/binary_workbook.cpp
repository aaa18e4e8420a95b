#include "data/binary_workbook.h"

#include "platform/isolated_call.h"

#include <cstdint>
#include <freexl.h>
#include <memory>

namespace {

void PutCount(std::string& out, size_t count) {
    const uint32_t value = static_cast<uint32_t>(count);
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

void PutText(std::string& out, const std::string& text) {
    PutCount(out, text.size());
    out += text;
}

class Unpacker {
public:
    explicit Unpacker(const std::string& bytes) : bytes_(bytes) {}
    // A count of items that each take at least one count's bytes, so a forged count
    // cannot make the reader reserve more than the packing could hold.
    bool Count(size_t* count) {
        uint32_t value = 0;
        if (bytes_.size() - at_ < sizeof value) return false;
        bytes_.copy(reinterpret_cast<char*>(&value), sizeof value, at_);
        at_ += sizeof value;
        *count = value;
        return true;
    }
    bool Items(size_t* count) {
        return Count(count) && *count <= (bytes_.size() - at_) / sizeof(uint32_t);
    }
    bool Text(std::string* text) {
        size_t length = 0;
        if (!Count(&length) || length > bytes_.size() - at_) return false;
        text->assign(bytes_, at_, length);
        at_ += length;
        return true;
    }
    bool AtEnd() const { return at_ == bytes_.size(); }

private:
    const std::string& bytes_;
    size_t at_ = 0;
};

// Runs in the child: the sheets packed after 'S', or 'E' and the reason.
std::string ReadWithFreexl(const std::string& path) {
    const void* handle = nullptr;
    if (freexl_open(path.c_str(), &handle) != FREEXL_OK) {
        if (handle) freexl_close(handle);
        return "EThe workbook is damaged or of an unsupported kind.";
    }
    std::unique_ptr<const void, int (*)(const void*)> closer(handle, freexl_close);
    unsigned count = 0;
    if (freexl_get_info(handle, FREEXL_BIFF_SHEET_COUNT, &count) != FREEXL_OK)
        return "EThe workbook is damaged.";
    std::vector<WorkbookSheet> read;
    for (unsigned short index = 0; index < count; ++index) {
        WorkbookSheet sheet;
        const char* name = nullptr;
        unsigned rows = 0;
        unsigned short columns = 0;
        if (freexl_get_worksheet_name(handle, index, &name) != FREEXL_OK ||
            freexl_select_active_worksheet(handle, index) != FREEXL_OK ||
            freexl_worksheet_dimensions(handle, &rows, &columns) != FREEXL_OK)
            return "EThe workbook is damaged.";
        sheet.name = name ? name : "";
        sheet.rows.assign(rows, std::vector<std::string>(columns));
        for (unsigned r = 0; r < rows; ++r) {
            for (unsigned short c = 0; c < columns; ++c) {
                FreeXL_CellValue cell;
                if (freexl_get_cell_value(handle, r, c, &cell) != FREEXL_OK)
                    return "EThe workbook is damaged.";
                std::string& value = sheet.rows[r][c];
                switch (cell.type) {
                case FREEXL_CELL_INT:
                    value = std::to_string(cell.value.int_value);
                    break;
                case FREEXL_CELL_DOUBLE:
                    value = NumberCellText(cell.value.double_value);
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
    return "S" + PackSheets(read);
}

} // namespace

std::string PackSheets(const std::vector<WorkbookSheet>& sheets) {
    std::string out;
    PutCount(out, sheets.size());
    for (const WorkbookSheet& sheet : sheets) {
        PutText(out, sheet.name);
        PutCount(out, sheet.rows.size());
        for (const auto& row : sheet.rows) {
            PutCount(out, row.size());
            for (const std::string& cell : row)
                PutText(out, cell);
        }
    }
    return out;
}

bool UnpackSheets(const std::string& bytes, std::vector<WorkbookSheet>* sheets) {
    Unpacker in(bytes);
    size_t count = 0;
    if (!in.Items(&count)) return false;
    std::vector<WorkbookSheet> read(count);
    for (WorkbookSheet& sheet : read) {
        size_t rows = 0;
        if (!in.Text(&sheet.name) || !in.Items(&rows)) return false;
        sheet.rows.resize(rows);
        for (auto& row : sheet.rows) {
            size_t cells = 0;
            if (!in.Items(&cells)) return false;
            row.resize(cells);
            for (std::string& cell : row)
                if (!in.Text(&cell)) return false;
        }
    }
    if (!in.AtEnd()) return false;
    *sheets = std::move(read);
    return true;
}

bool ReadBinaryWorkbook(const std::string& path, std::vector<WorkbookSheet>& sheets,
                        std::string& error) {
    std::string answer;
    const platform::IsolationLimits limits;
    switch (platform::RunIsolated([&path] { return ReadWithFreexl(path); }, limits, &answer)) {
    case platform::IsolatedResult::Done:
        break;
    case platform::IsolatedResult::TimedOut:
        error = "Reading the workbook took too long; the file may be damaged.";
        return false;
    case platform::IsolatedResult::NotRun:
        error = "The workbook could not be read: no process could be started for it.";
        return false;
    case platform::IsolatedResult::Failed:
        error = "The workbook is damaged: reading it failed.";
        return false;
    }
    if (!answer.empty() && answer[0] == 'E') {
        error = answer.substr(1);
        return false;
    }
    if (answer.empty() || answer[0] != 'S' || !UnpackSheets(answer.substr(1), &sheets)) {
        error = "The workbook is damaged.";
        return false;
    }
    return true;
}
