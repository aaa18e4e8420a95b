#include "ado/connection.h"

#include "ado/engine_error.h"
#include "ado/row_store.h"
#include "foxdb/database.h"
#include "foxdb/transaction.h"
#include "platform/files.h"
#include "platform/gbk.h"

#include <algorithm>
#include <cctype>
#include <strings.h>

namespace ado {
namespace {

const char* const kSource = "ADODB.Connection";

[[noreturn]] void Fail(ErrorValueEnum number) {
    throw ComError::Ado(number, kSource);
}

std::string Trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos) return std::string();
    return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

// The value of `key` in "k1=v1;k2={v;2}", ASCII case ignored; braces keep semicolons.
bool FindKey(const std::string& text, const char* key, std::string& value) {
    size_t i = 0;
    while (i < text.size()) {
        size_t eq = text.find('=', i);
        if (eq == std::string::npos) break;
        std::string name = Trim(text.substr(i, eq - i));
        size_t j = eq + 1;
        while (j < text.size() && text[j] == ' ')
            ++j;
        std::string v;
        if (j < text.size() && text[j] == '{') {
            size_t close = text.find('}', j);
            if (close == std::string::npos) close = text.size();
            v = text.substr(j + 1, close - j - 1);
            j = close + 1;
        }
        size_t semi = text.find(';', j);
        if (semi == std::string::npos) semi = text.size();
        if (v.empty()) v = Trim(text.substr(j, semi - j));
        if (strcasecmp(name.c_str(), key) == 0) {
            value = v;
            return true;
        }
        i = semi + 1;
    }
    return false;
}

} // namespace

std::string ConnectionStringOfFolder(const std::string& folder) {
    return "DRIVER={Microsoft Visual FoxPro Driver};SourceType=DBF;SourceDB=" + folder;
}

std::string FolderOfConnectionString(const std::string& connectionString) {
    std::string driver, type, folder;
    FindKey(connectionString, "DRIVER", driver);
    std::string lower = driver;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (lower.find("visual foxpro driver") == std::string::npos)
        throw ComError(E_FAIL, "Data source name not found and no default driver specified",
                       kEngineSource);
    if (FindKey(connectionString, "SourceType", type) && strcasecmp(type.c_str(), "DBF") != 0)
        throw ComError(E_FAIL, "Only free tables (SourceType=DBF) can be opened.", kEngineSource);
    FindKey(connectionString, "SourceDB", folder);
    std::replace(folder.begin(), folder.end(), '\\', '/');
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    folder = platform::ResolvePathNoCase(folder);
    if (folder.empty() || !platform::FolderExists(folder))
        throw ComError(E_FAIL, "Invalid path or file name.", kEngineSource);
    return folder;
}

Connection::Connection() = default;
Connection::~Connection() = default;

void Connection::PutConnectionString(const std::string& text) {
    if (database_) Fail(adErrObjectOpen);
    connectionString_ = text;
}

void Connection::PutCursorLocation(CursorLocationEnum location) {
    cursorLocation_ = location;
}

void Connection::Open(const std::string& connectionString, const std::string& /*userId*/,
                      const std::string& /*password*/, long /*options*/) {
    if (database_) Fail(adErrObjectOpen);
    std::string text = connectionString.empty() ? connectionString_ : connectionString;
    std::string folder = FolderOfConnectionString(text);
    try {
        database_ = std::make_unique<foxdb::Database>(folder);
    } catch (const foxdb::Error& e) {
        throw EngineError(e);
    }
    connectionString_ = text;
    folder_ = folder;
}

void Connection::Close() {
    if (!database_) Fail(adErrObjectClosed);
    transaction_.reset(); // rolls back
    std::vector<Recordset*> open = recordsets_;
    for (Recordset* rs : open)
        if (rs->IsOpen()) rs->Close();
    database_.reset();
    folder_.clear();
}

long Connection::BeginTrans() {
    if (!database_) Fail(adErrObjectClosed);
    if (transaction_)
        throw ComError(XACT_E_XTIONEXISTS, "Only one transaction can be open at a time.", kSource);
    try {
        transaction_ = std::make_unique<foxdb::Transaction>(folder_);
    } catch (const foxdb::Error& e) {
        throw EngineError(e);
    }
    return 1;
}

void Connection::CommitTrans() {
    if (!database_) Fail(adErrObjectClosed);
    if (!transaction_) throw ComError(XACT_E_NOTRANSACTION, "No transaction is active.", kSource);
    try {
        transaction_->Commit();
    } catch (const foxdb::Error& e) {
        throw EngineError(e); // still open: the caller rolls back
    }
    transaction_.reset();
}

void Connection::RollbackTrans() {
    if (!database_) Fail(adErrObjectClosed);
    if (!transaction_) throw ComError(XACT_E_NOTRANSACTION, "No transaction is active.", kSource);
    std::unique_ptr<foxdb::Transaction> open = std::move(transaction_);
    try {
        open->Rollback();
    } catch (const foxdb::Error& e) {
        throw EngineError(e); // the journal stays for the next open to undo
    }
}

long Connection::State() const {
    return database_ ? adStateOpen : adStateClosed;
}

const std::string& Connection::Folder() const {
    if (!database_) Fail(adErrObjectClosed);
    return folder_;
}

foxdb::Database& Connection::Database() {
    if (!database_) Fail(adErrObjectClosed);
    return *database_;
}

RecordsetPtr Connection::Execute(const std::string& commandText, long* recordsAffected,
                                 long options) {
    if (!database_) Fail(adErrObjectClosed);
    if (options != adCmdUnspecified && (options & (adCmdFile | adCmdTableDirect)))
        throw ComError::Ado(adErrInvalidArgument, kSource);
    std::string statement = (options != adCmdUnspecified && (options & adCmdTable))
                                ? "select * from " + commandText
                                : commandText;
    foxdb::ResultSet result;
    long affected;
    try {
        affected = database_->Execute(statement, &result);
    } catch (const foxdb::Error& e) {
        throw EngineError(e);
    }
    bool rows = !result.columns.empty();
    if (recordsAffected) *recordsAffected = rows ? -1 : affected;
    if (options != adCmdUnspecified && (options & adExecuteNoRecords)) return nullptr;
    auto rs = std::make_shared<Recordset>();
    rs->cursorLocation_ = cursorLocation_;
    if (rows)
        rs->OpenResult(std::move(result), commandText, weak_from_this().lock(), adLockReadOnly);
    return rs;
}

RecordsetPtr Connection::OpenSchema(SchemaEnum schema) {
    if (!database_) Fail(adErrObjectClosed);
    if (schema != adSchemaTables) Fail(adErrFeatureNotAvailable);
    foxdb::ResultSet result;
    for (const char* name :
         {"TABLE_CATALOG", "TABLE_SCHEMA", "TABLE_NAME", "TABLE_TYPE", "REMARKS"}) {
        foxdb::ResultColumn c;
        c.name = name;
        c.type = foxdb::adVarChar;
        c.definedSize = 128;
        result.columns.push_back(c);
    }
    for (const std::string& table : database_->TableNames())
        result.rows.push_back({foxdb::Null{}, foxdb::Null{}, platform::Utf8ToGbk(table),
                               std::string("TABLE"), foxdb::Null{}});
    auto rs = std::make_shared<Recordset>();
    rs->OpenResult(std::move(result), std::string(), weak_from_this().lock(), adLockReadOnly);
    return rs;
}

void Connection::Register(Recordset* rs) {
    if (std::find(recordsets_.begin(), recordsets_.end(), rs) == recordsets_.end())
        recordsets_.push_back(rs);
}

void Connection::Unregister(Recordset* rs) {
    recordsets_.erase(std::remove(recordsets_.begin(), recordsets_.end(), rs), recordsets_.end());
}

} // namespace ado
