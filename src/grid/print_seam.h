#pragma once
// The printer setting that every print job and preview starts from. The program
// keeps one (the main frame's, changed by 打印设置) and hands it over at start-up;
// until then, and in tests that set none, a default setting of this module serves.
class wxPrintData;

wxPrintData& GridPrinterSettings();
// Points the grid's printing at the program's printer setting; null goes back to the
// module's own.
void SetGridPrinterSettings(wxPrintData* data);
