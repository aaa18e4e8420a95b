#pragma once
// Print jobs into a file: the pages of a grid's print job written as a PDF document,
// one PDF page per printed page on the job's paper.
#include <wx/string.h>

class CGridPrinter;

// Writes the job's pages fromPage..toPage (clipped to its pages) to path. False when
// the file cannot be written; no half-written file is left under the name.
bool PrintPagesToPdf(CGridPrinter& printer, int fromPage, int toPage, const wxString& path);
