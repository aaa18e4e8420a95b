#pragma once
// Backup and restore of an account set's table files (CMainFrameData::BackupRestore
// and its neighbours). A backup is a flat copy of the set folder's table files into
// a folder outside it, with the users file and the settings in its "Picture"
// folder; the automatic backup at every normal end of the program keeps one
// generation per weekday in "AutBak/星期日" .. "AutBak/星期六".
#include <wx/datetime.h>
#include <wx/string.h>

// The name of the automatic backup folder of a day: "星期日" for Sunday .. "星期六".
wxString AutoBackupDayName(const wxDateTime& day);

// Whether folder is the table folder or lies inside it (after resolving links).
bool IsInsideFolder(const wxString& folder, const wxString& tableFolder);
