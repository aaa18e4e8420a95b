// Painting one screen of a 100,000 x 20 grid against a 100 x 20 grid, at the top
// and after scrolling: only the visible cells are drawn, so the ratio stays near 1.
// Needs a display: xvfb-run -a -s "-screen 0 1280x1024x24" grid_bench
#include "grid/grid_ctrl.h"

#include <chrono>
#include <cstdio>
#include <wx/app.h>
#include <wx/dcmemory.h>
#include <wx/frame.h>
#include <wx/init.h>

namespace {

using Clock = std::chrono::steady_clock;

CGridCtrl* MakeFilledGrid(wxFrame* frame, int rows, int cols, double* fillSeconds) {
    const auto start = Clock::now();
    auto* grid = new CGridCtrl(rows, cols, 1, 1);
    grid->Create(frame, wxID_ANY, wxRect(0, 0, 1000, 700));
    grid->SetClientSize(1000, 700);
    for (int c = 1; c < cols; ++c)
        grid->SetItemText(0, c, wxString::FromUTF8("列") + wxString::Format("%d", c));
    for (int r = 1; r < rows; ++r) {
        grid->SetItemText(r, 0, wxString::Format("%d", r));
        for (int c = 1; c < cols; ++c)
            grid->SetItemText(r, c, wxString::FromUTF8(c % 2 ? "机油滤清器" : "12.50"));
    }
    grid->ResetScrollBars();
    grid->SetFocusCell(1, 1);
    *fillSeconds = std::chrono::duration<double>(Clock::now() - start).count();
    return grid;
}

// Seconds per screen: repaint after each of `steps` page-down scrolls (0: at the top).
double PaintScreens(CGridCtrl* grid, int repeats, int steps) {
    wxBitmap bitmap(grid->GetClientSize());
    wxMemoryDC dc(bitmap);
    grid->OnVScroll(SB_TOP);
    const auto start = Clock::now();
    for (int i = 0; i < repeats; ++i) {
        for (int s = 0; s < steps; ++s)
            grid->OnVScroll(SB_PAGEDOWN);
        grid->OnDraw(dc);
        if (steps) grid->OnVScroll(SB_TOP);
    }
    return std::chrono::duration<double>(Clock::now() - start).count() / repeats;
}

} // namespace

int main(int argc, char** argv) {
    wxApp::SetInstance(new wxApp);
    if (!wxEntryStart(argc, argv)) {
        std::fprintf(stderr, "no display\n");
        return 1;
    }
    wxTheApp->CallOnInit();
    auto* frame = new wxFrame(nullptr, wxID_ANY, "grid bench");
    frame->SetClientSize(1000, 700);
    frame->Show();

    double fillSmall = 0, fillLarge = 0;
    CGridCtrl* small = MakeFilledGrid(frame, 101, 21, &fillSmall);
    CGridCtrl* large = MakeFilledGrid(frame, 100001, 21, &fillLarge);
    std::printf("fill: 100 rows %.3f s, 100,000 rows %.3f s\n", fillSmall, fillLarge);

    const int repeats = 50;
    const double topSmall = PaintScreens(small, repeats, 0);
    const double topLarge = PaintScreens(large, repeats, 0);
    std::printf("paint one screen at the top: 100 rows %.2f ms, 100,000 rows %.2f ms, ratio %.2f\n",
                topSmall * 1e3, topLarge * 1e3, topLarge / topSmall);
    const double pagedSmall = PaintScreens(small, repeats, 3);
    const double pagedLarge = PaintScreens(large, repeats, 3);
    std::printf("three pages down and paint: 100 rows %.2f ms, 100,000 rows %.2f ms, ratio %.2f\n",
                pagedSmall * 1e3, pagedLarge * 1e3, pagedLarge / pagedSmall);
    large->OnVScroll(SB_BOTTOM);
    const auto start = Clock::now();
    wxBitmap bitmap(large->GetClientSize());
    wxMemoryDC dc(bitmap);
    large->OnDraw(dc);
    std::printf("jump to the last row and paint (100,000 rows): %.2f ms\n",
                std::chrono::duration<double>(Clock::now() - start).count() * 1e3);

    frame->Destroy();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return 0;
}
