#pragma once
// Connection: the FoxPro tables of one folder, opened from the connection text the
// program builds, e.g.
//   "DRIVER={Microsoft Visual FoxPro Driver};SourceType=DBF;SourceDB=/path/Data/"
// (keywords in any case, the folder with or without a closing separator; a "\" in
// it is taken as the path separator). Connections live in shared pointers
// (ConnectionPtr): recordsets keep theirs. Closing a connection closes the
// recordsets still opened on it.
#include "ado/com_error.h"
#include "ado/constants.h"
#include "ado/recordset.h"

#include <memory>
#include <string>
#include <vector>

namespace foxdb {
class Database;
class Transaction;
} // namespace foxdb

namespace ado {

class Connection : public std::enable_shared_from_this<Connection> {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    const std::string& ConnectionString() const { return connectionString_; }
    void PutConnectionString(const std::string& text); // while closed (else 3705)
    CursorLocationEnum CursorLocation() const { return cursorLocation_; }
    void PutCursorLocation(CursorLocationEnum location);

    // Opens on `connectionString` (or the ConnectionString property when empty).
    // Already open: 3705. A driver other than the FoxPro one: E_FAIL "Data source
    // name not found and no default driver specified"; a SourceDB folder that does
    // not exist: E_FAIL "Invalid path or file name." User and password are accepted
    // and not used (free tables have none).
    void Open(const std::string& connectionString = std::string(),
              const std::string& userId = std::string(),
              const std::string& password = std::string(), long options = adConnectUnspecified);
    // Closed already: 3704. Open recordsets of the connection are closed.
    void Close();
    long State() const; // ObjectStateEnum

    // Runs one statement (adCmdText; adCmdTable for a table name). With
    // adExecuteNoRecords the result is nullptr; otherwise a read-only recordset for
    // a SELECT and a closed recordset for other statements. *recordsAffected gets
    // the records changed (-1 for a SELECT). Closed: 3704; a statement the engine
    // refuses: DB_E_ERRORSINCOMMAND (syntax, unknown column, type mismatch) or E_FAIL
    // (files, UNIQUE) with the engine's text.
    RecordsetPtr Execute(const std::string& commandText, long* recordsAffected = nullptr,
                         long options = adCmdText);
    // adSchemaTables: one row per table with TABLE_CATALOG, TABLE_SCHEMA, TABLE_NAME,
    // TABLE_TYPE ("TABLE"), REMARKS. Other schemas: 3251.
    RecordsetPtr OpenSchema(SchemaEnum schema);

    // Transactions (one level): every table of the folder written between BeginTrans
    // and CommitTrans, through this connection or any other of the process, changes
    // together; RollbackTrans, a failed commit or a crash puts all of them back.
    // BeginTrans returns the level (1); a second one fails. CommitTrans and
    // RollbackTrans without one: XACT_E_NOTRANSACTION. Closing the connection rolls
    // an open transaction back.
    long BeginTrans();
    void CommitTrans();
    void RollbackTrans();
    bool InTransaction() const { return transaction_ != nullptr; }

    // The folder of the tables and the engine over it (open connections only: 3704).
    const std::string& Folder() const;
    foxdb::Database& Database();

private:
    friend class Recordset;
    void Register(Recordset* rs);
    void Unregister(Recordset* rs);

    std::string connectionString_;
    CursorLocationEnum cursorLocation_ = adUseServer;
    std::string folder_;
    std::unique_ptr<foxdb::Database> database_;
    std::unique_ptr<foxdb::Transaction> transaction_;
    std::vector<Recordset*> recordsets_;
};

// The connection text of the FoxPro tables in a folder, as the program writes it.
std::string ConnectionStringOfFolder(const std::string& folder);

// The SourceDB folder of a FoxPro connection text (separators made native, no
// closing separator); throws ComError as Open does.
std::string FolderOfConnectionString(const std::string& connectionString);

} // namespace ado
