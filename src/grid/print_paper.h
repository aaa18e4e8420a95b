#pragma once
// Paper codes of the report settings: the Windows printer paper numbers
// (1 Letter, 9 A4, 8 A3, ...), turned into wx paper kinds.
#include <wx/defs.h>
#include <wx/string.h>

// The wx paper of a paper code; wxPAPER_NONE for 0, the reserved codes and codes
// that name no paper.
wxPaperSize PaperFromCode(int code);

// The name a paper list shows for a code, in the program's language ("A4 210 x 297
// 毫米"); empty for a code that names no paper.
wxString PaperName(int code);
