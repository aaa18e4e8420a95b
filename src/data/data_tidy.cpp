// Tidying the tables. Every step keeps the old data until its replacement is
// complete: rows are deleted in one all-or-nothing statement per table, a rebuilt or
// salvaged table takes the place of the old file only once it is whole, and a
// salvage never replaces a readable table with fewer records.
#include "data/data_tidy.h"

#include "data/data_folders.h"
#include "data/data_set.h"
#include "data/main_frame_data.h"
#include "data/maintenance_files.h"
#include "data/status_text.h"
#include "data/table_catalog.h"
#include "data/table_rebuild.h"
#include "data/wait_cursor.h"
#include "foxdb/dbf_table.h"
#include "platform/files.h"
#include "platform/gbk.h"
#include "platform/log.h"
#include "platform/message_box.h"
#include "platform/paths.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <wx/datetime.h>

namespace {

const char* const kDoneText = "操作完成 ";
const char* const kIdlePrompt = "如需帮助，请按F1键";
const char* const kDateField = "日期";

void Say(const char* utf8) {
    platform::ShowMessageBox(utf8);
}

bool Ask(const char* utf8) {
    return platform::ShowMessageBox(utf8, std::string(),
                                    platform::MB_YESNO | platform::MB_ICONQUESTION) ==
           platform::IDYES;
}

bool IsRebuilt(const wxString& code) {
    const std::vector<wxString>& codes = RebuildTableCodes();
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

void RemoveStaged(const wxString& code) {
    const std::string folder = RebuildStagingFolder().utf8_string();
    for (const char* extension : {".dbf", ".cdx"}) {
        std::string path = platform::FindFileNoCase(folder, (code + extension).utf8_string());
        if (!path.empty()) platform::DeleteFile(path);
    }
}

// --- Reading a damaged table file by its own header.

struct RawField {
    wxString name;
    char type = 'C';
    size_t offset = 0;
    size_t length = 0;
    int nullBit = -1; // its bit in _NullFlags, or -1
};

struct RawTable {
    std::vector<RawField> fields;
    int nullFlags = -1; // index of the _NullFlags field
    size_t headerLength = 0;
    size_t recordLength = 0;
    size_t records = 0; // whole records present, at most the header's count
};

uint32_t Little(const std::string& bytes, size_t at, size_t width) {
    uint32_t value = 0;
    for (size_t i = width; i-- > 0;)
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// The layout from the field descriptors; the record length is their sum, so a
// damaged length word in the header does not shift the records.
bool ReadLayout(const std::string& bytes, RawTable& table) {
    if (bytes.size() < 33) return false;
    table.headerLength = Little(bytes, 8, 2);
    size_t offset = 1;
    int nullBits = 0;
    for (size_t at = 32; at + 32 <= std::min(bytes.size(), table.headerLength) && bytes[at] != 0x0D;
         at += 32) {
        RawField field;
        std::string name(bytes.data() + at, 11);
        name.resize(std::strlen(name.c_str()));
        field.name = wxString::FromUTF8(platform::GbkToUtf8(name));
        field.type = static_cast<char>(std::toupper(static_cast<unsigned char>(bytes[at + 11])));
        field.offset = offset;
        field.length = static_cast<unsigned char>(bytes[at + 16]);
        const bool nullable = (bytes[at + 18] & 0x02) != 0;
        if (field.type == '0') {
            table.nullFlags = static_cast<int>(table.fields.size());
        } else if (nullable) {
            field.nullBit = nullBits++;
        }
        offset += field.length;
        table.fields.push_back(field);
    }
    table.recordLength = offset;
    if (table.fields.empty() || table.headerLength < 32 || table.headerLength > bytes.size())
        return false;
    const size_t present = (bytes.size() - table.headerLength) / table.recordLength;
    table.records = std::min<size_t>(present, Little(bytes, 4, 4));
    return true;
}

// The text a field holds in a record, as PutFieldValue takes it; empty for none.
wxString RawValue(const std::string& bytes, size_t record, const RawTable& table,
                  const RawField& field) {
    const size_t start = table.headerLength + record * table.recordLength;
    if (field.nullBit >= 0 && table.nullFlags >= 0) {
        const RawField& flags = table.fields[table.nullFlags];
        const size_t byte = static_cast<size_t>(field.nullBit) / 8;
        if (byte < flags.length &&
            (static_cast<unsigned char>(bytes[start + flags.offset + byte]) >> (field.nullBit % 8) &
             1))
            return wxString();
    }
    std::string raw = bytes.substr(start + field.offset, field.length);
    switch (field.type) {
    case 'I':
        if (raw.size() != 4) return wxString();
        return wxString::Format("%d", static_cast<int32_t>(Little(raw, 0, 4)));
    case 'D':
        if (raw.size() != 8 || raw.find_first_not_of("0123456789") != std::string::npos)
            return wxString();
        return wxString(raw.substr(0, 4) + "-" + raw.substr(4, 2) + "-" + raw.substr(6, 2));
    case 'C':
    case 'N':
    case 'F':
        raw.resize(std::strlen(raw.c_str()));
        return wxString::FromUTF8(platform::GbkToUtf8(raw)).Trim(true).Trim(false);
    default:
        return wxString();
    }
}

// Stores a salvaged text in the new table's field. Texts go in as they were; a
// number or date that the damage garbled stays empty rather than becoming 0 or today.
void PutSalvagedValue(CDataSet& data, const ado::RecordsetPtr& rs, int index,
                      const wxString& value) {
    ado::Field& field = rs->Fields().Item(index);
    const long type = field.Type();
    double number = 0;
    wxDateTime day;
    switch (type) {
    case 129:
    case 200:
    case 201:
    case 202:
        field.PutValue(
            ado::Variant(field.DefinedSize() > 0
                             ? platform::CutToGbkBytes(value.utf8_string(),
                                                       static_cast<size_t>(field.DefinedSize()))
                             : value.utf8_string()));
        return;
    case 3:
    case 131:
        if (!value.ToCDouble(&number)) return;
        break;
    case 133:
    case 134:
    case 135:
        if (!day.ParseISODate(value)) return;
        break;
    default:
        return;
    }
    data.PutFieldValue(value, wxString::FromUTF8(field.Name()), rs);
}

} // namespace

const std::vector<wxString>& CDataTidy::TableCodes() {
    static const std::vector<wxString> codes = {
        "dhd",  "hyxm",  "gk",   "ljkc", "ljml", "ljsh", "ljth",  "jgk", "zyxm", "wlkf",
        "gys",  "wlzm",  "wxxm", "ygk",  "gdxm", "blp",  "byxmb", "hy",  "jjl",  "hyzl",
        "jhda", "bdzxm", "tmlj", "jmb",  "LJDB", "tpk",  "gdzc",  "kzk", "ljzc", "fieldlong"};
    return codes;
}

bool CDataTidy::IsRangeDate(const wxString& text) {
    if (text.length() != 10 || text[4] != '-' || text[7] != '-') return false;
    wxDateTime day;
    return day.ParseISODate(text);
}

bool CDataTidy::IsDatedTable(const wxString& code) {
    for (const char* dated : {"kzk", "wlzm", "jhda", "ljsh", "ljth", "blp"})
        if (code == dated) return true;
    return false;
}

wxString CDataTidy::DeleteCondition(const wxString& code, const wxString& fromDate,
                                    const wxString& toDate) {
    if (!IsDatedTable(code)) return "no>-1";
    // Without any date the bare field name would be no condition at all.
    if (fromDate.empty() && toDate.empty()) return wxString();
    const wxString field = wxString::FromUTF8(kDateField);
    wxString condition = field;
    if (!toDate.empty()) condition += "<={^" + toDate + "}";
    if (!fromDate.empty())
        condition += (toDate.empty() ? wxString() : " and " + field) + ">={^" + fromDate + "}";
    return condition;
}

bool CDataTidy::RebuildPair(const wxString& code) {
    return m_frame.m_dsMain.RebuildTable(code) && m_frame.RebuildTableFile(code);
}

void CDataTidy::ReportDone() {
    SetMainStatusText(wxString::FromUTF8(kDoneText) + wxString::FromUTF8(kIdlePrompt));
    Say(kDoneText);
}

bool CDataTidy::PurgeOldColumnWidths() {
    if (!CDataSet::TableExists("fieldlong")) return true;
    // Widths saved more than 720 days ago and not kept on purpose (n39) go.
    try {
        const wxString today = wxDateTime::Today().Format("%Y-%m-%d");
        m_frame.m_dsMain.DeleteWhere("fieldlong", "(({^" + today + "}-n40)>720 and n39=0)");
        return true;
    } catch (const ado::ComError& error) {
        CDataSet::ShowComError(error);
        return false;
    }
}

bool CDataTidy::RebuildAll() {
    m_frame.m_dsMain.CloseRecordset();
    m_frame.CloseConnection();
    bool done = false;
    if (Ask("此项操作将占用较长时间,是否继续？")) {
        CWaitCursor wait;
        if (!m_frame.DeleteWorkingCopies()) {
            Say("还有文件被占用,请退出后重新运行并直接进行本项操作！");
        } else {
            const bool purged = PurgeOldColumnWidths();
            // Failures of single tables have been reported; the others are rebuilt.
            done = RebuildAllTables() && purged;
            if (done) ReportDone(); // failures have been reported one by one
        }
    }
    m_frame.OpenConnection();
    return done;
}

bool CDataTidy::RebuildOne(const wxString& code) {
    m_frame.m_dsMain.CloseRecordset();
    m_frame.CloseConnection();
    bool done = false;
    if (!IsRebuilt(code)) {
        Say("该数据库不需要整理。");
    } else if (CTableCrypt::DataFileExists(code + ".dbf") &&
               (!CMaintenanceFiles::Current().encrypt(code) ||
                CTableCrypt::DataFileExists(code + ".dbf"))) {
        // A working copy left behind may hold the latest changes: it goes back into
        // the encrypted table rather than being deleted.
        Say("该文件正被占用,请退出后重新运行并直接进行本项操作！");
    } else {
        done = RebuildPair(code);
        if (done) Say(kDoneText);
    }
    m_frame.OpenConnection();
    return done;
}

bool CDataTidy::BackUp() {
    const wxString folder = m_frame.ChooseBackupFolder();
    if (folder.empty()) return false; // no backup, no delete
    m_frame.m_strShared = folder;
    m_frame.BackupRestore(2);
    // The rows go only once every table lies complete in the backup.
    const std::string tables = ProgramPath(g_strSetFolder);
    for (const std::string& name : platform::ListFiles(tables, "*.dwf")) {
        std::string copy, original;
        if (!platform::ReadFileBytes(platform::JoinPath(folder.utf8_string(), name), copy) ||
            !platform::ReadFileBytes(platform::JoinPath(tables, name), original) ||
            copy != original) {
            Say("备份没有完成，数据没有删除。");
            return false;
        }
    }
    return true;
}

bool CDataTidy::DeleteRows(const wxString& code, const wxString& fromDate, const wxString& toDate) {
    const std::vector<wxString> tables = code.empty() ? TableCodes() : std::vector<wxString>{code};
    bool dated = false;
    for (const wxString& table : tables)
        dated = dated || IsDatedTable(table);
    if (dated) {
        if (fromDate.empty() && toDate.empty()) {
            Say("请输入要删除数据的时间范围！");
            return false;
        }
        if ((!fromDate.empty() && !IsRangeDate(fromDate)) ||
            (!toDate.empty() && !IsRangeDate(toDate))) {
            Say("日期不对，请重新输入！");
            return false;
        }
    }
    if (code.empty()) {
        if (!Ask("本系统的所有数据将被删除,是否继续?")) return false;
        if (Ask("是否先备份数据?") && !BackUp()) return false;
    } else if (!Ask("所选数据库中的数据将被删除,是否继续?")) {
        return false;
    }
    CWaitCursor wait;
    bool done = true;
    for (const wxString& table : tables) {
        if (code.empty() &&
            (table == "fieldlong" || table == "jmb" || !CDataSet::TableExists(table)))
            continue;
        try {
            m_frame.m_dsMain.DeleteWhere(table, DeleteCondition(table, fromDate, toDate));
        } catch (const ado::ComError& error) {
            CDataSet::ShowComError(error);
            done = false;
            continue;
        }
        // The rebuild drops the marked rows from the file; tables that are never
        // rebuilt keep them marked, which hides them just as well.
        if (IsRebuilt(table) && !RebuildPair(table)) done = false;
    }
    // Failures have been reported one by one; only a complete run says it is done.
    if (done && code.empty())
        ReportDone();
    else if (done)
        Say(kDoneText);
    return done;
}

bool CDataTidy::Repair(const wxString& code) {
    const wxString definition = CTableCatalog().GetCreateSql(code);
    if (definition.empty()) return false;
    m_frame.m_dsMain.CloseRecordset();
    m_frame.CloseConnection();
    m_frame.OpenConnection();

    const bool decrypted = !CTableCrypt::DataFileExists(code + ".dbf") &&
                           CSettingFiles::FileExists(g_strSetFolder + code + ".dwf") &&
                           CTableCrypt::DecryptTable(code);
    const std::string working = DataPathFile(code + ".dbf");
    std::string bytes;
    RawTable old;
    auto giveUp = [&](const char* why) {
        if (why) Say(why);
        RemoveStaged(code);
        if (decrypted) CTableCrypt::DropWorkingCopies({code});
        return false;
    };
    if (!platform::ReadFileBytes(working, bytes)) return giveUp(nullptr);
    if (!ReadLayout(bytes, old)) return giveUp("数据表文件损坏太重，无法修复。");
    // A table the engine still reads must come back with at least its live records.
    long readable = -1;
    try {
        auto table = foxdb::DbfTable::Open(working);
        readable = 0;
        for (uint32_t recno = 1; recno <= table->RecordCount(); ++recno)
            if (!table->IsDeleted(recno)) ++readable;
    } catch (const foxdb::Error&) {
        // damaged: whatever can be salvaged is more than the table gives now
    }

    CWaitCursor wait;
    RemoveStaged(code);
    wxString folder = RebuildStagingFolder();
    folder.RemoveLast();
    const wxString connection =
        wxString::FromUTF8(ado::ConnectionStringOfFolder(folder.utf8_string()));
    CDataSet fresh;
    long salvaged = 0;
    try {
        if (!fresh.OpenShowError(connection, wxString())) return giveUp(nullptr);
        fresh.m_pConnection->Execute(definition.utf8_string(), nullptr,
                                     ado::adCmdText | ado::adExecuteNoRecords);
        if (!fresh.OpenShowError(connection, "select * from " + code)) return giveUp(nullptr);
        ado::RecordsetPtr rs = fresh.m_pRecordset;
        // The new table's field for each old one, by name; -1 for none ("no" is renumbered).
        std::vector<int> target(old.fields.size(), -1);
        for (size_t f = 0; f < old.fields.size(); ++f)
            for (int i = 0; i < rs->Fields().Count(); ++i)
                if (old.fields[f].type != '0' && old.fields[f].name.CmpNoCase("no") != 0 &&
                    old.fields[f].name.CmpNoCase(wxString::FromUTF8(rs->Fields().Item(i).Name())) ==
                        0)
                    target[f] = i;
        for (size_t record = 0; record < old.records; ++record) {
            const char flag = bytes[old.headerLength + record * old.recordLength];
            if (flag == '*') continue; // deleted in the old table
            rs->AddNew();
            rs->Fields().Item("no").PutValue(ado::Variant(-static_cast<long>(record) - 1));
            ++salvaged;
            if (flag == '\0') continue; // an empty record keeps only its number
            for (size_t f = 0; f < old.fields.size(); ++f) {
                if (target[f] < 0) continue;
                const wxString value = RawValue(bytes, record, old, old.fields[f]);
                if (value.empty()) continue;
                try {
                    PutSalvagedValue(fresh, rs, target[f], value);
                } catch (const ado::ComError&) {
                    // a value damaged beyond its field's type stays empty
                }
            }
        }
        fresh.NumberRows(rs, "0");
        if (fresh.Save(rs) != 1) {
            fresh.Close();
            return giveUp(nullptr);
        }
    } catch (const ado::ComError& error) {
        fresh.Close();
        CDataSet::ShowComError(error);
        return giveUp(nullptr);
    }
    fresh.Close();
    // Only a complete new table, and never fewer records than the old one still
    // gives, takes the old one's place.
    try {
        const std::string staged = platform::FindFileNoCase(RebuildStagingFolder().utf8_string(),
                                                            (code + ".dbf").utf8_string());
        const long written = staged.empty() ? -1 : foxdb::ReadRecordCount(staged);
        if (written != salvaged || written < readable)
            return giveUp("修复得到的记录比原数据表少，原数据表保持不变。");
    } catch (const foxdb::Error&) {
        return giveUp("修复得到的记录比原数据表少，原数据表保持不变。");
    }
    platform::AppendLog("repair of " + code.utf8_string() + " salvaged " +
                        std::to_string(salvaged) + " records");
    // The salvaged table replaces the old working copy in one rename.
    if (!m_frame.RebuildTableFile(code)) {
        Say("文件删除失败,文件可能还正被占用.");
        return false;
    }
    Say(kDoneText);
    return true;
}
