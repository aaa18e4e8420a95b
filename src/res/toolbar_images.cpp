#include "res/toolbar_images.h"

#include "res/command_ids.h"

#include <wx/dcmemory.h>

namespace {

struct Glyph {
    const char* character;
    unsigned long colour; // 0xRRGGBB
};

// Image index order of the outlook bar: repair, customers, archive, members, follow-up,
// ordering, parts, stock-in, sales, store, statistics, catalogue node closed and open.
const Glyph kOutBarGlyphs[kOutBarImageCount] = {
    {"修", 0x2E6FBF}, {"客", 0x3C9A4A}, {"档", 0x8A6D3B}, {"会", 0xC0504D}, {"访", 0x7A5CA8},
    {"定", 0x2A8C8C}, {"零", 0x5B6B7A}, {"入", 0x4F8F2F}, {"售", 0xD0742C}, {"库", 0x6D5A42},
    {"统", 0x9C3D7A}, {"类", 0x5B6B7A}, {"开", 0x2E6FBF},
};

struct ToolGlyph {
    int id;
    Glyph glyph;
};

const ToolGlyph kToolGlyphs[] = {
    {ID_REPAIR_SHEET_TOOL, {"修", 0x2E6FBF}}, {ID_SALES_SHEET_TOOL, {"售", 0xD0742C}},
    {ID_FILE_PRINT_MENU, {"印", 0x505860}},   {ID_FILE_PRINT_PREVIEW, {"览", 0x3C7A9A}},
    {ID_EXPORT_EXCEL_TOOL, {"表", 0x2F8F4F}}, {ID_QUICK_INTERFACE, {"快", 0x7A5CA8}},
    {ID_TOGGLE_UPPER_PANE, {"上", 0x8A6D3B}}, {ID_CONTEXT_HELP, {"?", 0xC0504D}},
};

wxColour FromRgb(unsigned long rgb) {
    return wxColour((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

wxBitmap DrawTile(const Glyph& glyph, int size, const wxColour& mask) {
    wxBitmap bitmap(size, size, 24);
    {
        wxMemoryDC dc(bitmap);
        dc.SetBackground(wxBrush(mask));
        dc.Clear();
        wxColour face = FromRgb(glyph.colour);
        dc.SetPen(wxPen(face.ChangeLightness(70)));
        dc.SetBrush(wxBrush(face));
        int radius = size / 5;
        dc.DrawRoundedRectangle(0, 0, size, size, radius);
        wxFont font(wxFontInfo(size * 5 / 8).Bold());
        dc.SetFont(font);
        dc.SetTextForeground(*wxWHITE);
        wxString text = wxString::FromUTF8(glyph.character);
        wxSize extent = dc.GetTextExtent(text);
        dc.DrawText(text, (size - extent.x) / 2, (size - extent.y) / 2);
    }
    bitmap.SetMask(new wxMask(bitmap, mask));
    return bitmap;
}

} // namespace

namespace res {

std::vector<wxBitmap> LoadOutBarImages(int bitmapId) {
    std::vector<wxBitmap> images;
    int size;
    wxColour mask;
    if (bitmapId == IDB_OUTBAR_LARGE) {
        size = 32;
        mask = wxColour(128, 128, 128);
    } else if (bitmapId == IDB_OUTBAR_SMALL) {
        size = 16;
        mask = wxColour(128, 128, 0);
    } else {
        return images;
    }
    for (const Glyph& glyph : kOutBarGlyphs)
        images.push_back(DrawTile(glyph, size, mask));
    return images;
}

wxBitmap LoadToolbarImage(int commandId) {
    for (const ToolGlyph& tool : kToolGlyphs)
        if (tool.id == commandId) return DrawTile(tool.glyph, 16, wxColour(192, 192, 192));
    return wxBitmap();
}

} // namespace res
