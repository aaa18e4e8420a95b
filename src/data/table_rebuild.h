#pragma once
// Rebuilding tables: a table is created afresh from its catalogue definition in a
// private staging folder, the old rows are copied into it by field name and
// renumbered 1, 2, 3... (CDataSet::RebuildTable), and the new file then takes the
// place of the old one (CMainFrameData::RebuildTableFile).
#include <vector>
#include <wx/string.h>

// The tables RebuildAllTables rebuilds, in its order.
const std::vector<wxString>& RebuildTableCodes();

// The private folder where a rebuilt table waits to be put in place; ends in "/".
// It is emptied at each start and before each table's rebuild.
wxString RebuildStagingFolder();

// Rebuilds every table of the list on the main frame's data set and puts each in
// place; the status bar says what is happening. True when every table was rebuilt.
bool RebuildAllTables();
