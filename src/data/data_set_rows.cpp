// CDataSet's operations on rows: field values, DELETE and UPDATE statements, row
// copies, running numbers, the table file's record count and the progress bar.
#include "data/data_folders.h"
#include "data/data_set.h"
#include "data/main_frame_data.h"
#include "data/stored_copy.h"
#include "data/table_catalog.h"
#include "foxdb/dbf_table.h"
#include "platform/files.h"

#include <algorithm>
#include <cstdio>

namespace {

// Fields that hold the same thing under different names in different tables.
const char* const kNameList = "零件名称,项目名称,维修项目";

bool InNameList(const wxString& name) {
    return !name.empty() && wxString::FromUTF8(kNameList).Contains(name);
}

struct FieldPair {
    int source;
    wxString target;
    int targetIndex; // the field the target name finds
    CStoredCopy direct;
};

// Pairs each source field with the first matching target field.
template <typename Match>
std::vector<FieldPair> PairFields(ado::Fields& source, ado::Fields& target, Match match) {
    std::vector<FieldPair> pairs;
    for (int i = 0; i < source.Count(); ++i) {
        ado::Field& from = source.Item(i);
        wxString fromName = wxString::FromUTF8(from.Name());
        long fromClass = CValueCheck::MapFieldType(from.Type(), true);
        for (int j = 0; j < target.Count(); ++j) {
            ado::Field& to = target.Item(j);
            wxString toName = wxString::FromUTF8(to.Name());
            long toClass = CValueCheck::MapFieldType(to.Type(), true);
            bool compatible = fromClass == toClass || (fromClass == 4 && toClass == 22) ||
                              (fromClass == 22 && toClass == 4);
            if (match(fromName, toName, compatible)) {
                int index = target.IndexOf(toName.utf8_string());
                pairs.push_back({i, toName, index, CStoredCopy(from, target.Item(index))});
                break;
            }
        }
    }
    return pairs;
}

void CopyPairs(CDataSet& data, const std::vector<FieldPair>& pairs, ado::Recordset& source,
               const ado::RecordsetPtr& target) {
    for (const FieldPair& pair : pairs) {
        ado::Field& from = source.Fields().Item(pair.source);
        const foxdb::Value& stored = from.StoredValue();
        if (foxdb::IsNull(stored)) continue;
        foxdb::Value direct;
        if (pair.direct.Convert(stored, direct)) {
            target->Fields().Item(pair.targetIndex).PutStoredValue(std::move(direct));
            continue;
        }
        ado::Variant value = from.Value();
        wxString text;
        try {
            text = wxString::FromUTF8(value.ToString());
        } catch (const ado::ComError&) {
            continue; // a value without a text form keeps the target's default
        }
        data.PutFieldValue(text.Trim(true), pair.target, target);
    }
}

bool HasField(ado::Fields& fields, const char* name) {
    for (int j = 0; j < fields.Count(); ++j)
        if (fields.Item(j).Name() == name) return true;
    return false;
}

ado::ConnectionPtr OpenSharedConnection() {
    if (!g_pFrameData) throw ado::ComError(ado::E_POINTER, "There is no shared connection.");
    g_pFrameData->OpenConnection();
    if (!g_pFrameData->m_pConnection || !g_pFrameData->m_bConnOpen)
        throw ado::ComError::Ado(ado::adErrInvalidConnection, "ADODB.Connection");
    return g_pFrameData->m_pConnection;
}

// Runs the statement that `build` makes on the shared connection, with the tables
// that cryptText names decrypted before and encrypted after, also when it fails.
template <typename Build> void ExecuteChange(const wxString& cryptText, Build build) {
    CDataSet::CryptTables(cryptText, 1);
    try {
        ado::ConnectionPtr connection = OpenSharedConnection();
        connection->Execute(build(*connection).utf8_string(), nullptr,
                            ado::adCmdText | ado::adExecuteNoRecords);
    } catch (...) {
        CDataSet::CryptTables(cryptText, 0);
        throw;
    }
    CDataSet::CryptTables(cryptText, 0);
}

// The typed value checked for the field's type; a value the check refuses or has to
// repair has shown its message and changes no row.
wxString CheckedLiteral(const wxString& value, long type) {
    wxString checked;
    if (!CValueCheck::CheckAccepted(value, type, 0, &checked))
        throw ado::ComError(ado::DISP_E_TYPEMISMATCH, "Type mismatch.");
    return checked;
}

// The value as a literal of the field's type: numbers checked and bare, dates in
// braces, everything else a quoted text.
wxString FieldLiteral(ado::Connection& connection, const wxString& table, const wxString& field,
                      const wxString& value) {
    ado::RecordsetPtr probe =
        connection.Execute(("select " + field + " from " + table + " where .F.").utf8_string());
    long type = probe->Fields().Item(0).Type();
    switch (type) {
    case ado::adInteger:
    case ado::adSmallInt:
    case ado::adBigInt:
        return CheckedLiteral(value, ado::adInteger);
    case ado::adNumeric:
    case ado::adDouble:
    case ado::adCurrency:
    case ado::adDecimal:
    case ado::adSingle:
        return CheckedLiteral(value, ado::adNumeric);
    case ado::adDate:
    case ado::adDBDate:
    case ado::adDBTimeStamp: {
        wxString date = CheckedLiteral(value, ado::adDBDate);
        return date == "0:00:00" ? wxString("{}") : "{^" + date + "}";
    }
    default:
        return CSqlText::Quote(value);
    }
}

} // namespace

void CDataSet::PutFieldValue(const wxString& value, const wxString& fieldName,
                             const ado::RecordsetPtr& recordset) {
    ado::Field& field = recordset->Fields().Item(fieldName.utf8_string());
    wxString text = CheckValue(value, field.Type(), field.DefinedSize());
    long type = field.Type();
    if ((type == 133 || type == 134 || type == 135 || type == 7) && text == "0:00:00")
        field.PutValue(ado::Variant::Date(0)); // the empty date
    else
        field.PutValue(ado::Variant(text.utf8_string()));
}

void CDataSet::DeleteWhere(const wxString& table, const wxString& condition) {
    FillConnectionText();
    wxString statement = "DELETE FROM " + table + " WHERE " + condition;
    ExecuteChange(statement, [&statement](ado::Connection&) { return statement; });
}

void CDataSet::UpdateWhere(const wxString& table, const wxString& field, const wxString& value,
                           const wxString& condition) {
    FillConnectionText();
    CloseRecordset();
    ExecuteChange("select * from " + table, [&](ado::Connection& connection) {
        wxString statement = "UPDATE " + table + " SET " + field + " =" +
                             FieldLiteral(connection, table, field, value);
        return condition.empty() ? statement : statement + " WHERE " + condition;
    });
}

int CDataSet::CopyRecords(const ado::RecordsetPtr& source, const ado::RecordsetPtr& target,
                          int startNumber, bool nameOnly) {
    long count = source->RecordCount();
    CDataProgress progress(wxString::FromUTF8("正在处理数据..."), 40, count, false);
    wxString title = CTableCatalog().GetTableTitle(m_strCurTable);
    m_strCurTable = title;
    std::vector<FieldPair> pairs =
        PairFields(source->Fields(), target->Fields(),
                   [nameOnly](const wxString& from, const wxString& to, bool compatible) {
                       bool sameName = from == to;
                       return (compatible && (sameName || (InNameList(from) && InNameList(to)))) ||
                              (nameOnly && sameName);
                   });
    ado::Field* no = HasField(target->Fields(), "no") ? &target->Fields().Item("no") : nullptr;
    long shownPercent = -1;
    if (count > 0 && !pairs.empty()) {
        for (source->MoveFirst(); !source->EndOfFile(); source->MoveNext()) {
            progress.StepIt();
            target->AddNew();
            CopyPairs(*this, pairs, *source, target);
            if (no) {
                ++startNumber;
                no->PutValue(ado::Variant(-startNumber));
                // Every tenth row; a caption that would not change is not set again.
                const long percent = 100L * startNumber / count;
                if (startNumber % 10 == 0 && percent != shownPercent) {
                    progress.SetText("  " + title + wxString::Format("  %ld%% complete", percent));
                    shownPercent = percent;
                }
            }
        }
    }
    m_strCurTable.clear();
    return 1;
}

int CDataSet::CopyRecordsQuiet(const ado::RecordsetPtr& source, const ado::RecordsetPtr& target,
                               bool addNew, const wxString&) {
    if (source->RecordCount() < 1) return 1;
    std::vector<FieldPair> pairs =
        PairFields(source->Fields(), target->Fields(),
                   [](const wxString& from, const wxString& to, bool compatible) {
                       return from == to || (compatible && InNameList(from) && InNameList(to));
                   });
    if (addNew) target->AddNew();
    if (!pairs.empty()) CopyPairs(*this, pairs, *source, target);
    return 1;
}

void CDataSet::NumberRows(const ado::RecordsetPtr& recordset, const wxString& table) {
    if (recordset->RecordCount() < 1) return;
    // `no` is unique: the running numbers pass over any number a record already holds
    // in the table file (deleted ones keep theirs) or in this batch.
    std::vector<long> taken;
    long counter = table == "0" ? 0 : ReadNumbering(table, &taken);
    ado::Field& no = recordset->Fields().Item("no");
    auto numberOf = [&no](long* number) {
        const ado::Variant value = no.Value();
        if (value.IsNull()) return false;
        try {
            *number = static_cast<long>(value.ToInt64());
            return true;
        } catch (const ado::ComError&) {
            return false; // not a number: left alone
        }
    };
    long number = 0;
    for (recordset->MoveFirst(); !recordset->EndOfFile(); recordset->MoveNext())
        if (numberOf(&number) && number > counter) taken.push_back(number);
    std::sort(taken.begin(), taken.end());
    for (recordset->MoveFirst(); !recordset->EndOfFile(); recordset->MoveNext()) {
        const bool numbered = numberOf(&number);
        if (numbered && number >= 0) continue;
        if (!numbered && !no.Value().IsNull()) continue;
        do
            ++counter;
        while (std::binary_search(taken.begin(), taken.end(), counter));
        no.PutValue(ado::Variant(counter));
    }
}

bool CDataSet::TableExists(const wxString& table) {
    return TableFileExists(table) || FileExists(g_strSetFolder + table + ".dwf") ||
           DataFileExists(table + ".dbf");
}

long CDataSet::GetDbfRecordCount(const wxString& table) {
    return ReadNumbering(table, nullptr);
}

long CDataSet::ReadNumbering(const wxString& table, std::vector<long>* above) {
    std::vector<wxString> decrypted;
    CryptTables("select * from " + table, 1, &decrypted);
    const std::string path = DataPathFile(table + ".dbf");
    long count = 0;
    if (FILE* file = std::fopen(path.c_str(), "rb")) {
        unsigned char header[8];
        if (std::fread(header, 1, sizeof header, file) == sizeof header)
            count = static_cast<long>(header[4] | header[5] << 8 | header[6] << 16 |
                                      static_cast<unsigned long>(header[7]) << 24);
        std::fclose(file);
    }
    if (above && count > 0) {
        try {
            for (int64_t number : foxdb::NumbersAbove(path, "no", count))
                above->push_back(static_cast<long>(number));
        } catch (const foxdb::Error&) {
            // unreadable: numbered after its count alone
        }
    }
    DropWorkingCopies(decrypted);
    return count;
}

CDataProgress* CDataSet::BeginProgress(int maxValue) {
    m_pProgress =
        std::make_unique<CDataProgress>(wxString::FromUTF8("正在加载数据..."), 40, maxValue, false);
    return m_pProgress.get();
}

void CDataSet::StepProgress() {
    if (m_pProgress) m_pProgress->StepIt();
}

void CDataSet::EndProgress() {
    m_pProgress.reset();
}
