#pragma once
// ADO's enumerations under their ADO names and values, as the program passes and
// reads them. Only the members the recordset library honours are listed.

namespace ado {

enum CursorTypeEnum : int {
    adOpenUnspecified = -1,
    adOpenForwardOnly = 0,
    adOpenKeyset = 1,
    adOpenDynamic = 2,
    adOpenStatic = 3,
};

enum LockTypeEnum : int {
    adLockUnspecified = -1,
    adLockReadOnly = 1,
    adLockPessimistic = 2,
    adLockOptimistic = 3,
    adLockBatchOptimistic = 4,
};

enum CursorLocationEnum : int {
    adUseNone = 1,
    adUseServer = 2,
    adUseClient = 3,
    adUseClientBatch = 3,
};

// Options of Recordset::Open, Connection::Execute and Requery (a bit mask).
enum CommandTypeEnum : int {
    adCmdUnspecified = -1,
    adCmdText = 1,
    adCmdTable = 2,
    adCmdStoredProc = 4,
    adCmdUnknown = 8,
    adCmdFile = 256,
    adCmdTableDirect = 512,
};

enum ExecuteOptionEnum : int {
    adOptionUnspecified = -1,
    adExecuteNoRecords = 128,
};

enum ConnectOptionEnum : int {
    adConnectUnspecified = -1,
    adAsyncConnect = 16,
};

enum ObjectStateEnum : int {
    adStateClosed = 0,
    adStateOpen = 1,
};

enum EditModeEnum : int {
    adEditNone = 0,
    adEditInProgress = 1,
    adEditAdd = 2,
    adEditDelete = 4,
};

// Recordset::Status, a sum of these flags.
enum RecordStatusEnum : int {
    adRecOK = 0,
    adRecNew = 0x1,
    adRecModified = 0x2,
    adRecDeleted = 0x4,
    adRecUnmodified = 0x8,
    adRecInvalid = 0x10,
    adRecMultipleChanges = 0x40,
    adRecPendingChanges = 0x80,
    adRecCanceled = 0x100,
    adRecCantRelease = 0x400,
    adRecConcurrencyViolation = 0x800,
    adRecIntegrityViolation = 0x1000,
    adRecMaxChangesExceeded = 0x2000,
    adRecObjectOpen = 0x4000,
    adRecOutOfMemory = 0x8000,
    adRecPermissionDenied = 0x10000,
    adRecSchemaViolation = 0x20000,
    adRecDBDeleted = 0x40000,
};

enum FilterGroupEnum : int {
    adFilterNone = 0,
    adFilterPendingRecords = 1,
    adFilterAffectedRecords = 2,
    adFilterFetchedRecords = 3,
    adFilterConflictingRecords = 5,
};

enum AffectEnum : int {
    adAffectCurrent = 1,
    adAffectGroup = 2,
    adAffectAll = 3,
    adAffectAllChapters = 4,
};

enum SearchDirectionEnum : int {
    adSearchBackward = -1,
    adSearchForward = 1,
};

// AbsolutePosition's special answers.
enum PositionEnum : int {
    adPosUnknown = -1,
    adPosBOF = -2,
    adPosEOF = -3,
};

// The Start of Move and Find when it is not a bookmark.
enum BookmarkEnum : int {
    adBookmarkCurrent = 0,
    adBookmarkFirst = 1,
    adBookmarkLast = 2,
};

enum GetRowsOptionEnum : int {
    adGetRowsRest = -1,
};

enum PersistFormatEnum : int {
    adPersistADTG = 0,
    adPersistXML = 1,
};

enum SchemaEnum : int {
    adSchemaTables = 20,
};

// Field::Attributes, a sum of these flags.
enum FieldAttributeEnum : int {
    adFldUnspecified = -1,
    adFldMayDefer = 0x2,
    adFldUpdatable = 0x4,
    adFldUnknownUpdatable = 0x8,
    adFldFixed = 0x10,
    adFldIsNullable = 0x20,
    adFldMayBeNull = 0x40,
    adFldLong = 0x80,
    adFldRowID = 0x100,
    adFldRowVersion = 0x200,
    adFldCacheDeferred = 0x1000,
    adFldKeyColumn = 0x8000,
};

// Field::Type. The engine's types (foxdb::AdoType) use the same numbers.
enum DataTypeEnum : int {
    adEmpty = 0,
    adTinyInt = 16,
    adSmallInt = 2,
    adInteger = 3,
    adBigInt = 20,
    adUnsignedTinyInt = 17,
    adUnsignedSmallInt = 18,
    adUnsignedInt = 19,
    adUnsignedBigInt = 21,
    adSingle = 4,
    adDouble = 5,
    adCurrency = 6,
    adDecimal = 14,
    adNumeric = 131,
    adBoolean = 11,
    adDate = 7,
    adDBDate = 133,
    adDBTime = 134,
    adDBTimeStamp = 135,
    adBSTR = 8,
    adChar = 129,
    adVarChar = 200,
    adLongVarChar = 201,
    adWChar = 130,
    adVarWChar = 202,
    adLongVarWChar = 203,
};

} // namespace ado
