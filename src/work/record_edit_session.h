#pragma once
// The edit state of a record dialog (customer record, member card, partner card):
// the mode text, the record number shown, temporary numbers of rows added before
// a save, the duplicate check of a key field and the steps through the records.
// It works on the dialog's batch recordset and knows nothing of windows.
#include "ado/ado.h"

#include <string>
#include <utility>
#include <vector>
#include <wx/string.h>

class CRecordEditSession {
public:
    // The mode texts the record dialogs keep; after a new row has been written the
    // mode holds its temporary number ("%d") instead.
    static const wxString kAddNew;  // "ADDNEW"
    static const wxString kReplace; // "Repla"
    static const wxString kDelete;  // "DELETE"

    enum class Step { First, Previous, Next, Last };
    // Where a step left the recordset: the record reached (none in an empty
    // recordset) and whether it is the first or the last one.
    struct Position {
        bool onRecord = false;
        bool atFirst = true;
        bool atLast = true;
    };

    explicit CRecordEditSession(const wxString& table = wxString()) : m_strTable(table) {}

    bool IsBrowsing() const { return m_strMode.empty(); }
    bool IsAdding() const { return m_strMode == kAddNew; }
    bool IsDeleting() const { return m_strMode == kDelete; }
    // A navigation step writes the form first while adding or modifying.
    bool WritesBeforeStep() const { return m_strMode == kAddNew || m_strMode == kReplace; }
    // Whether a write has something to store: adding, modifying or a written new row.
    bool HasFormToWrite() const { return !m_strMode.empty() && m_strMode != kDelete; }

    // The temporary number of a row added now: -(last number + 1), where the last
    // number is the `no` of the last record, the record count when that is empty,
    // 0 in an empty recordset.
    static int NextTemporaryNumber(const ado::RecordsetPtr& recordset);
    // Whether another record holds the value in the key field: while adding any
    // record; otherwise a record numbered other than curNo, or two records or more.
    // The position of the recordset is kept.
    static bool IsDuplicate(const ado::RecordsetPtr& recordset, const wxString& keyField,
                            const wxString& value, bool adding, int curNo);
    // Makes the record numbered `no` current; false (at the end) when there is none.
    static bool MoveToNumber(const ado::RecordsetPtr& recordset, int no);
    // The `no` of the current record, -1 when it is empty or there is no record.
    static int CurrentNumber(const ado::RecordsetPtr& recordset);
    static bool OnRecord(const ado::RecordsetPtr& recordset);

    // The values of the current record, field by field, to compare with the table later.
    using Values = std::vector<std::pair<std::string, ado::Variant>>;
    static Values CurrentValues(const ado::RecordsetPtr& recordset);
    // Whether the table still holds the record numbered `no` with these values (no other
    // user changed or deleted it since it was read).
    static bool StillInTable(const wxString& table, int no, const Values& values);

    // Makes the record the form is written into current: a new row with a temporary
    // number while adding (the mode becomes that number), else the record numbered
    // m_nCurNo. False when there is nothing to write into.
    bool BeginWrite(const ado::RecordsetPtr& recordset);
    // Moves one step and reports where it stopped. A step off an end comes back to
    // the end record; the recordset is left on the record reached.
    static Position Move(const ado::RecordsetPtr& recordset, Step step);

    wxString m_strTable; // the table whose record count numbers saved rows
    wxString m_strMode;
    int m_nCurNo = -1;
};
