// Painting: a grid of Chinese text draws its headings, cells and focus frame; the
// picture is kept beside the test program for a look by eye.
#include "gui_test_app.h"

#include <wx/app.h>
#include <wx/cmndata.h>
#include <wx/dcmemory.h>
#include <wx/dcps.h>
#include <wx/ffile.h>
#include <wx/image.h>
#include <wx/settings.h>

namespace {

struct Counts {
    int colour = 0; // pixels of the given colour
    int ink = 0;    // dark pixels (text)
    int total = 0;
};

Counts CountPixels(const wxImage& image, const wxRect& rect, const wxColour& colour) {
    Counts counts;
    for (int y = rect.y; y <= rect.GetBottom(); ++y)
        for (int x = rect.x; x <= rect.GetRight(); ++x) {
            const int r = image.GetRed(x, y), g = image.GetGreen(x, y), b = image.GetBlue(x, y);
            ++counts.total;
            if (r == colour.Red() && g == colour.Green() && b == colour.Blue()) ++counts.colour;
            if (r + g + b < 200) ++counts.ink;
        }
    return counts;
}

wxImage Paint(CGridCtrl* grid) {
    const wxSize client = grid->GetClientSize();
    wxBitmap bitmap(client);
    {
        wxMemoryDC dc(bitmap);
        grid->OnDraw(dc);
    }
    return bitmap.ConvertToImage();
}

} // namespace

using GridPaint = GridWindowTest;

TEST_F(GridPaint, ChineseGridPaintsCellsHeadingsAndFocus) {
    const char* headings[] = {"零件名称", "编号", "数量", "单价"};
    const char* names[] = {"机油滤清器", "刹车片", "火花塞", "雨刮器", "空调滤芯", "正时皮带"};
    CGridCtrl* grid = MakeGrid(7, 5, wxSize(480, 260));
    grid->SetTextBkColor(*wxWHITE);
    for (int c = 1; c <= 4; ++c) {
        grid->SetItemText(0, c, wxString::FromUTF8(headings[c - 1]));
        grid->SetColumnWidth(c, 100);
    }
    grid->SetColumnWidth(0, 40);
    grid->SetRowHeight(0, 24);
    for (int r = 1; r <= 6; ++r) {
        grid->SetItemText(r, 1, wxString::FromUTF8(names[r - 1]));
        grid->SetItemText(r, 2, wxString::Format("LJ-%04d", r * 37));
        grid->SetItemText(r, 3, wxString::Format("%d", r));
        grid->SetItemFormat(r, 4, DT_RIGHT);
        grid->SetItemText(r, 4, wxString::Format("%.2f", r * 12.5));
    }
    grid->SetFocusCell(3, 2);
    grid->ResetScrollBars();
    const wxImage image = Paint(grid);
    wxImage::AddHandler(new wxPNGHandler);
    image.SaveFile(QV_BIN_DIR "/grid_paint.png", wxBITMAP_TYPE_PNG);

    wxRect rect;
    ASSERT_TRUE(grid->GetCellRect(0, 1, &rect)); // a heading
    Counts heading = CountPixels(image, rect, grid->GetFixedBkColor());
    EXPECT_GT(heading.colour, heading.total / 2);
    EXPECT_GT(heading.ink, 20);

    ASSERT_TRUE(grid->GetCellRect(2, 1, &rect)); // a data cell with Chinese text
    Counts cell = CountPixels(image, rect, *wxWHITE);
    EXPECT_GT(cell.colour, cell.total / 2);
    EXPECT_GT(cell.ink, 20);

    // The focus cell: a black frame, whose right and bottom sides the grid lines,
    // drawn after the cells, cover.
    ASSERT_TRUE(grid->GetCellRect(3, 2, &rect));
    const Counts frameTop = CountPixels(image, wxRect(rect.x, rect.y, rect.width - 2, 1), *wxBLACK);
    const Counts frameLeft =
        CountPixels(image, wxRect(rect.x, rect.y, 1, rect.height - 2), *wxBLACK);
    EXPECT_EQ(frameTop.ink, frameTop.total);
    EXPECT_EQ(frameLeft.ink, frameLeft.total);
    ASSERT_TRUE(grid->GetCellRect(2, 2, &rect));
    EXPECT_LT(CountPixels(image, wxRect(rect.x, rect.y, rect.width, 1), *wxBLACK).ink,
              rect.width / 2);

    // Below the last row lies the outside area.
    ASSERT_TRUE(grid->GetCellRect(6, 1, &rect));
    const wxRect below(rect.x, rect.GetBottom() + 3, rect.width, 5);
    ASSERT_LT(below.GetBottom(), image.GetHeight());
    const Counts outside = CountPixels(image, below, grid->GetOutsideBkColor());
    EXPECT_EQ(outside.colour, outside.total);
}

TEST_F(GridPaint, RightAlignedTextEndsAtTheRightMargin) {
    CGridCtrl* grid = MakeGrid(3, 3);
    grid->SetTextBkColor(*wxWHITE);
    grid->SetColumnWidth(1, 150);
    grid->SetItemFormat(1, 1, DT_RIGHT);
    grid->SetItemText(1, 1, "8");
    const wxImage image = Paint(grid);
    wxRect rect;
    ASSERT_TRUE(grid->GetCellRect(1, 1, &rect));
    const Counts left =
        CountPixels(image, wxRect(rect.x + 2, rect.y + 2, 70, rect.height - 4), *wxWHITE);
    const Counts right =
        CountPixels(image, wxRect(rect.GetRight() - 40, rect.y + 2, 38, rect.height - 4), *wxWHITE);
    EXPECT_EQ(left.ink, 0);
    EXPECT_GT(right.ink, 0);
}

// The window's own paint path, buffered and direct, on grids of every size.
TEST_F(GridPaint, WindowPaintsWithAndWithoutBuffer) {
    for (bool buffered : {true, false})
        for (wxSize size : {wxSize(300, 200), wxSize(1, 1), wxSize(0, 0)}) {
            CGridCtrl* grid = MakeGrid(50, 8, size);
            grid->m_bOffscreenPaint = buffered;
            grid->SetFocusCell(2, 2);
            grid->Refresh();
            grid->Update();
            wxTheApp->Yield(true);
            grid->Destroy();
        }
    auto* empty = new CGridCtrl;
    ASSERT_TRUE(empty->Create(frame, 1003, wxRect(0, 0, 200, 100)));
    empty->Refresh();
    empty->Update();
    wxTheApp->Yield(true);
}

// On paper a selected or focused cell prints like any other: its own background,
// no highlight and no frame.
TEST_F(GridPaint, SelectedCellPrintsPlain) {
    CGridCtrl* grid = MakeGrid(4, 3);
    grid->SetTextBkColor(*wxWHITE);
    grid->m_bSelectOn = true;
    grid->SelectRange(1, 1, 1, 2);
    grid->SetFocusCell(1, 2);
    const std::string path = TestHome() + "/grid.ps";
    wxPrintData data;
    data.SetFilename(path);
    data.SetPrintMode(wxPRINT_MODE_FILE);
    {
        wxPostScriptDC dc(data);
        ASSERT_TRUE(dc.IsOk());
        dc.StartDoc("grid");
        dc.StartPage();
        EXPECT_TRUE(grid->DrawCell(dc, 1, 1, wxRect(10, 10, 80, 20), true));
        EXPECT_TRUE(grid->DrawCell(dc, 1, 2, wxRect(90, 10, 80, 20), true));
        dc.EndPage();
        dc.EndDoc();
    }
    wxFFile file(path);
    wxString text;
    ASSERT_TRUE(file.ReadAll(&text));
    auto rgb = [](const wxColour& c) {
        return wxString::Format("%f %f %f setrgbcolor", c.Red() / 255.0, c.Green() / 255.0,
                                c.Blue() / 255.0);
    };
    EXPECT_TRUE(text.Contains(rgb(*wxWHITE)));
    EXPECT_FALSE(text.Contains(rgb(wxSystemSettings::GetColour(wxSYS_COLOUR_HIGHLIGHT))));
    const wxString page = text.AfterFirst('\n').Mid(text.Find("%%Page"));
    EXPECT_FALSE(page.Contains("stroke")) << "a frame was drawn";
}
