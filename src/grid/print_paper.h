#pragma once
// Paper codes of the report settings: the Windows printer paper numbers
// (1 Letter, 9 A4, 8 A3, ...), turned into wx paper kinds.
#include <wx/defs.h>

// The wx paper of a paper code; wxPAPER_NONE for 0, the reserved codes and codes
// that name no paper.
wxPaperSize PaperFromCode(int code);
