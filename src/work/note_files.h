#pragma once
// The note on a customer's request kept beside a repair card or a sales ticket: one
// settings file under "Picture/" per customer key. A key becomes a file name that
// stays inside that folder, and a note of several lines reads back with its lines.
#include <wx/string.h>

namespace work {

// "(各种状况描述)": shown while there is no note; never stored.
const wxString& NoteHint();
// The customer key as a file name: "/", "\\" and "%" become %2F, %5C and %25, and a
// name made of dots only ("." or "..") has its dots as %2E.
wxString SafeNoteFileName(const wxString& key);
// The note file of a document: the customer's own, or "零散客户(<walkInKind>)" for
// the walk-in page, whose customer is nobody in particular.
wxString CustomerNoteFileName(const wxString& customer, const char* walkInKind);
// The note of the file; line breaks come back as "\n".
wxString ReadNote(const wxString& fileName);
// An empty text deletes the file, the hint writes nothing, any other text replaces
// the file. The line breaks are kept as carriage returns inside the file's one line.
void StoreNote(const wxString& fileName, const wxString& text);

} // namespace work
