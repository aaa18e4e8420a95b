// The print preview window of a grid.
#include "gui_test_app.h"

#include "grid/print_preview.h"
#include "grid/print_seam.h"

#include <wx/cmndata.h>

namespace {

// The sheets the preview shows.
int Sheets(CViewPrintPreview* preview) {
    int first = 0, last = 0, from = 0, to = 0;
    preview->GetControlBar()->GetPrintPreview()->GetPrintout()->GetPageInfo(&first, &last, &from,
                                                                            &to);
    return last;
}

CViewPrintPreview* OpenPreview() {
    for (wxWindow* window : wxTopLevelWindows)
        if (auto* preview = dynamic_cast<CViewPrintPreview*>(window))
            if (!wxPendingDelete.Member(preview)) return preview;
    return nullptr;
}

class PrintPreviewTest : public GridWindowTest {
protected:
    void SetUp() override {
        GridWindowTest::SetUp();
        SetGridPrinterSettings(&printData);
    }
    void TearDown() override {
        // Closed as the program closes it, so its close handler runs.
        if (CViewPrintPreview* preview = OpenPreview()) preview->Close(true);
        ProcessPending();
        SetGridPrinterSettings(nullptr);
        GridWindowTest::TearDown();
    }
    wxPrintData printData;
};

TEST_F(PrintPreviewTest, ClosingAllowsANewPreviewOfTheSameGrid) {
    CGridCtrl* grid = MakeGrid(40, 4);
    grid->m_strReportName = wxString::FromUTF8("进货报表");
    grid->PrintPreview();
    CViewPrintPreview* preview = OpenPreview();
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->m_pGrid, grid);
    EXPECT_TRUE(grid->m_bPreviewing);
    // A second preview command while one is open opens no other window.
    grid->PrintPreview();
    int previews = 0;
    for (wxWindow* window : wxTopLevelWindows)
        if (dynamic_cast<CViewPrintPreview*>(window)) ++previews;
    EXPECT_EQ(previews, 1);

    preview->Close(true);
    ProcessPending();
    EXPECT_FALSE(grid->m_bPreviewing);
    EXPECT_EQ(OpenPreview(), nullptr);

    grid->PrintPreview();
    ASSERT_NE(OpenPreview(), nullptr);
    EXPECT_TRUE(grid->m_bPreviewing);
}

TEST_F(PrintPreviewTest, TheBarTogglesBetweenOneAndTwoPagesASheet) {
    CGridCtrl* grid = MakeGrid(200, 4);
    grid->m_strReportName = wxString::FromUTF8("进货报表");
    grid->PrintPreview();
    CViewPrintPreview* single = OpenPreview();
    ASSERT_NE(single, nullptr);
    EXPECT_FALSE(single->IsTwoPages());
    const int pages = Sheets(single);
    ASSERT_GT(pages, 2);

    single->OnTogglePages();
    ProcessPending();
    CViewPrintPreview* twoUp = OpenPreview();
    ASSERT_NE(twoUp, nullptr);
    EXPECT_TRUE(twoUp->IsTwoPages());
    EXPECT_EQ(Sheets(twoUp), (pages + 1) / 2);
    EXPECT_TRUE(grid->m_bPreviewing);

    twoUp->OnTogglePages();
    ProcessPending();
    ASSERT_NE(OpenPreview(), nullptr);
    EXPECT_FALSE(OpenPreview()->IsTwoPages());
    EXPECT_EQ(Sheets(OpenPreview()), pages);
    // After the toggles, closing the preview still gives the other windows back.
    OpenPreview()->Close(true);
    ProcessPending();
    EXPECT_TRUE(frame->IsEnabled());
}

TEST_F(PrintPreviewTest, TheBarHasItsPrintButton) {
    CGridCtrl* grid = MakeGrid(5, 3);
    grid->PrintPreview();
    CViewPrintPreview* preview = OpenPreview();
    ASSERT_NE(preview, nullptr);
    wxWindow* print = preview->GetControlBar()->FindWindow(wxID_PREVIEW_PRINT);
    ASSERT_NE(print, nullptr);
    EXPECT_TRUE(print->IsShown());
}

TEST_F(PrintPreviewTest, AGridThatGoesAwayClosesItsPreview) {
    CGridCtrl* grid = MakeGrid(5, 3);
    grid->PrintPreview();
    ASSERT_NE(OpenPreview(), nullptr);
    // The preview disables the other windows while it is up...
    EXPECT_FALSE(frame->IsEnabled());
    grid->Destroy();
    ProcessPending();
    EXPECT_EQ(OpenPreview(), nullptr);
    // ...and going away with the grid gives them back.
    EXPECT_TRUE(frame->IsEnabled());
}

} // namespace
