#pragma once
// The appearance settings file "GridSet": one line of key=value items that the
// appearance dialog writes and every new grid reads.
#include "grid/grid_types.h"

#include <optional>

struct GridSetValues {
    bool present = false;             // the file held a line
    std::optional<COLORREF> headBack; // BtBj
    std::optional<COLORREF> headText; // BtYs
    std::optional<COLORREF> cellBack; // MxBj, "表格底版"
    std::optional<COLORREF> cellText; // MxYs
    std::optional<COLORREF> lines;    // WgBj
    std::optional<COLORREF> gridBack; // BgBj, "表格背景"
    int rowHeight = 16;               // rowhight, 0..80
    int lineValue = 0;                // Linehight as written, 0..3
    bool linkUpper = false;           // AutoRe other than "1"
    std::optional<int> fontHeight;    // MxZt

    // Grid-line pen width: Linehight minus 1, never below 0.
    int LineWidth() const { return lineValue > 1 ? lineValue - 1 : 0; }
    // Added to every row height the grid sizes.
    int ExtraRowHeight() const { return rowHeight - 16; }
};

// Reads a settings line. Values that are not decimal numbers, and numbers outside
// what the dialog can write, count as missing, so a damaged file gives the defaults.
GridSetValues ParseGridSet(const wxString& line);

// The values the dialog saves, in the file's order.
struct GridSetChoice {
    int fontHeight = -12;
    COLORREF cellText = 0;
    COLORREF headText = 0;
    COLORREF gridBack = 0xFFFFFF;
    COLORREF cellBack = 0x808080;
    COLORREF lines = 0xC0C0C0;
    COLORREF headBack = 0xC0C0C0;
    int rowHeight = 16;
    int lineValue = 0;
    bool linkUpper = true;
};
wxString FormatGridSet(const GridSetChoice& choice);

// Reads "Picture/GridSet" (empty values when it is missing).
GridSetValues ReadGridSetFile();
// Writes "Picture/GridSet"; 1 on success, 0 after the settings writer's message.
int WriteGridSetFile(const GridSetChoice& choice);
