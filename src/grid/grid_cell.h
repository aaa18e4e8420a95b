#pragma once
// One cell of the grid and the record through which single cells are read and
// written as a whole.
#include "grid/grid_types.h"

// Cell state bits.
enum : unsigned {
    GVIS_FOCUSED = 1,
    GVIS_SELECTED = 2,
    GVIS_DROPHILITED = 4,
    GVIS_READONLY = 8,
    GVIS_MODIFIED = 32,
};

// GridItem mask bits: which fields are valid.
enum : unsigned {
    GVIF_TEXT = 1,
    GVIF_IMAGE = 2,
    GVIF_PARAM = 4,
    GVIF_STATE = 8,
    GVIF_BKCLR = 16,
    GVIF_FGCLR = 32,
    GVIF_FORMAT = 64,
    GVIF_FONT = 128,
};

// Text format bits of a cell.
enum : unsigned {
    DT_LEFT = 0,
    DT_CENTER = 1,
    DT_RIGHT = 2,
};

class CGridCell {
public:
    virtual ~CGridCell() = default;

    unsigned state = 0;
    unsigned format = 0;
    wxString text;
    int image = -1;
    COLORREF crBkClr = kClrDefault;
    COLORREF crFgClr = kClrDefault;
    wxFont font;
    long lParam = 0;
};

struct GridItem {
    int row = 0;
    int col = 0;
    unsigned mask = 0;
    unsigned state = 0;
    unsigned nFormat = 0;
    wxString strText;
    int iImage = -1;
    COLORREF crBkClr = kClrDefault;
    COLORREF crFgClr = kClrDefault;
    long lParam = 0;
    wxFont font;
};
