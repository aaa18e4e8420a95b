#pragma once
// The program's string table: texts looked up by resource or command ID.
#include <wx/string.h>

enum : int {
    IDS_TIP_DID_YOU_KNOW = 114, // heading of the tip of the day
    IDS_TIP_FILE_ABSENT = 115,  // the tips file cannot be opened
    IDS_TIP_FILE_CORRUPT = 116, // the tips file cannot be read
    IDS_IDLE_MESSAGE = 57345,   // status-bar text while nothing runs
};

namespace res {

// The text of a string resource; for a command, "status prompt\ntooltip". Empty when
// the ID has no string.
wxString LoadResString(int id);

// The tooltip part of a command's string (after the line feed), else the whole text.
wxString ToolTipOf(int commandId);

} // namespace res
