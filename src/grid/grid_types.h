#pragma once
// Small value types of the grid: cell identifiers and ranges, colour values in
// the 0x00BBGGRR form the settings files store, and the logical font record.
#include <cstdint>
#include <wx/colour.h>
#include <wx/font.h>
#include <wx/string.h>

using COLORREF = std::uint32_t;

// A cell's own colour of this value means "the grid's default for the cell kind".
constexpr COLORREF kClrDefault = 0xFF000000u;

inline wxColour ColourFromRef(COLORREF ref) {
    wxColour colour;
    colour.SetRGB(ref & 0x00FFFFFFu);
    return colour;
}
inline COLORREF RefFromColour(const wxColour& colour) {
    return colour.IsOk() ? static_cast<COLORREF>(colour.GetRGB()) & 0x00FFFFFFu : 0u;
}

struct GridCellId {
    int row = -1;
    int col = -1;
    GridCellId() = default;
    GridCellId(int r, int c) : row(r), col(c) {}
    bool IsValid() const { return row >= 0 && col >= 0; }
    bool operator==(const GridCellId& o) const { return row == o.row && col == o.col; }
    bool operator!=(const GridCellId& o) const { return !(*this == o); }
};

struct GridCellRange {
    int minRow = -1, minCol = -1, maxRow = -1, maxCol = -1;
    GridCellRange() = default;
    GridCellRange(int r1, int c1, int r2, int c2)
        : minRow(r1), minCol(c1), maxRow(r2), maxCol(c2) {}
    bool IsValid() const {
        return minRow >= 0 && minCol >= 0 && maxRow >= 0 && maxCol >= 0 && minRow <= maxRow &&
               minCol <= maxCol;
    }
    bool InRange(int row, int col) const {
        return row >= minRow && row <= maxRow && col >= minCol && col <= maxCol;
    }
    bool operator==(const GridCellRange& o) const {
        return minRow == o.minRow && minCol == o.minCol && maxRow == o.maxRow && maxCol == o.maxCol;
    }
};

// The logical font record of the settings: a negative height is a character
// height in pixels, as the GridSet item MxZt stores it.
struct LogFont {
    int lfHeight = -12;
    int lfWeight = 400;
    bool lfItalic = false;
    bool lfUnderline = false;
    wxString lfFaceName;

    wxFont ToFont() const;
    static LogFont FromFont(const wxFont& font);
    bool operator==(const LogFont& o) const {
        return lfHeight == o.lfHeight && lfWeight == o.lfWeight && lfItalic == o.lfItalic &&
               lfUnderline == o.lfUnderline && lfFaceName == o.lfFaceName;
    }
};
