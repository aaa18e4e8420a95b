#pragma once
// The document's save of a recordset into a table file the operator chose: a plain
// table (.dbf) or an encrypted one (.dwf), both made through CDbLink.
#include "ado/ado.h"

#include <wx/string.h>

// A new table at path; a path inside the working folders writes nothing. 1 when the
// rows are saved.
int ExportToTableFile(const ado::RecordsetPtr& recordset, const wxString& path);
// The rows become the working table "tp<name>" of the account set, which is
// encrypted and then moved to path. Asks before a working table of that name is
// replaced. 1 when the encrypted file is at path.
int ExportToEncryptedFile(const ado::RecordsetPtr& recordset, const wxString& path);
